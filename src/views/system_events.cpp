// System event names, parameter texts and the period's list.
#include "views/system_events.h"

#include "export/measure_columns.h"
#include "platform/little_endian.h"
#include "platform/repeated_message_filter.h"
#include "survey/data_file.h"
#include "survey/data_layout.h"
#include "survey/event_texts.h"
#include "survey/number_text.h"
#include "survey/record_search.h"
#include "survey/stamps.h"
#include "survey/text_tables.h"

#include <cstring>

const std::array<std::string_view, 14> SystemEventNames = {"Date and Time Set",
                                                           "System reboot",
                                                           "Setup change",
                                                           "Archive erasing",
                                                           "Battery failure",
                                                           "Internal case over temperature",
                                                           "Memory full",
                                                           "Archives Smart Clean Sweep",
                                                           "Transient Buffer Overflow",
                                                           "System reinit",
                                                           "",
                                                           "",
                                                           "GPS fail",
                                                           "Anomaly Voltage Measures"};

namespace {
enum SystemEventCode { ClockSet = 0, Reboot = 1, ArchiveErasing = 3, CleanSweep = 7, GpsFail = 12, AnomalyVoltage = 13 };
// Bits 0 to 8 of an archive erasing name measures 1 to 9.
constexpr int kErasedMeasureBits = 9;

TPackedDate DurationDate(std::int32_t duration)
{
    const auto bits = static_cast<std::uint32_t>(duration);
    return {static_cast<std::uint16_t>(bits & 0xFFFF), static_cast<std::uint8_t>((bits >> 16) & 0xFF),
            static_cast<std::uint8_t>(bits >> 24)};
}

// The date in the duration field and the time in the peak field; empty when they do not decode.
std::string StoredDateTimeText(const TSystemEventFields& e)
{
    const std::array<std::uint8_t, 4>& t = e.PeakBytes;
    const auto time = TryDecodeStamp(DurationDate(e.Duration), TPackedTimeEx{t[0], t[1], t[2], t[3]});
    return time ? SystemEventDateText(*time) : std::string();
}

std::string ErasedMeasures(std::int32_t bits)
{
    std::string text;
    for (int bit = 0; bit < kErasedMeasureBits; ++bit) {
        if (!(bits & (1 << bit))) continue;
        if (!text.empty()) text += "; ";
        text += MeasureName(bit + 1);
    }
    return text;
}

std::string GpsFailText(const TSystemEventFields& e)
{
    const bool noTime = e.Duration > 10, noPps = e.Peak() > 10;
    if (noTime && noPps) return "Time info and PPS not received.";
    if (noTime) return "Time info not received.";
    if (noPps) return "PPS not received.";
    return {};
}
}  // namespace

float TSystemEventFields::Peak() const { return FieldView(PeakBytes).F32(0); }

std::string SystemEventName(int code)
{
    if (code < 0 || code >= static_cast<int>(SystemEventNames.size())) return {};
    return std::string(SystemEventNames[static_cast<std::size_t>(code)]);
}

std::string SystemEventDateText(TDateTime time) { return ExportDateCellText(ExportDateText::DateAndLongTime, time); }

std::string SystemEventParameters(const TSystemEventFields& e)
{
    switch (e.Code) {
    case ClockSet: {
        const std::string time = StoredDateTimeText(e);
        return time.empty() ? std::string() : "New clock setting: " + time;
    }
    case Reboot: {
        if (DurationDate(e.Duration).Year == 0) return {};
        const std::string time = StoredDateTimeText(e);
        return time.empty() ? std::string() : "Stop time: " + time;
    }
    case ArchiveErasing: return ErasedMeasures(e.Duration);
    case CleanSweep:
        // Past the measures (12 or more) there is no name.
        return e.Duration >= 0 && e.Duration < kMeasureCount ? std::string(MeasureName(e.Duration + 1)) : std::string();
    case GpsFail: return GpsFailText(e);
    case AnomalyVoltage:
        return "Threshold: " + FormatFixed(e.Threshold, 0) + " (%Vnom). Duration: " + std::to_string(e.Duration) +
               " (hours)";
    default: return {};
    }
}

TSystemEventList ReadSystemEvents(const TMeasureFileInfo& info, TDateTime start, TDateTime stop)
{
    // The search and the reading say each kind of bad stamp once.
    TRepeatedMessageFilter oneMessage;
    TSystemEventList list;
    TDataFile file;
    if (file.Open(info.FileName, MeasureEvents) != DataFileFault::None) return list;
    const auto range = FindRecordsInInterval(file, info, start, stop);
    if (!range) return list;
    const std::int64_t first = file.RecordIndex(static_cast<std::uint64_t>(range->First));
    const std::int64_t last = std::min(file.RecordIndex(static_cast<std::uint64_t>(range->Last)),
                                       first + kSystemEventsReadLimit - 1);
    RecordBlockReader reader(file, first, last);
    for (std::span<const std::uint8_t> record = reader.Next(); !record.empty(); record = reader.Next()) {
        ++list.RecordsRead;
        FieldView f(record);
        if (f.I16(EventField::Type) != event_codes::SystemEvent) continue;
        TSystemEventFields e;
        e.Code = f.I16(EventField::Channel);
        e.Threshold = f.F32(EventField::Threshold);
        e.Duration = f.I32(EventField::Duration);
        const auto peak = f.Bytes(EventField::Peak, 4);
        if (!f.Ok()) break;
        std::memcpy(e.PeakBytes.data(), peak.data(), e.PeakBytes.size());
        StampFault fault = StampFault::None;
        const auto time = RecordTime(stamp_layouts::Events, record, &fault);
        if (!time) ShowStampFault(fault);
        list.Rows.push_back({time ? SystemEventDateText(*time) : std::string(), SystemEventName(e.Code),
                             SystemEventParameters(e)});
    }
    return list;
}
