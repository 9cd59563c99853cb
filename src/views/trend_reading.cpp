// Reading a trend view's data file.
#include "views/trend_reading.h"

#include "platform/messages.h"
#include "survey/measure_file_info.h"
#include "survey/record_search.h"
#include "survey/text_tables.h"

#include <algorithm>

namespace {
void ShowCorrupted(int measure)
{
    std::string text(kSurveyCorruptedMessage);
    const std::size_t at = text.find("%s");
    text.replace(at, 2, std::string(MeasureName(measure)));
    ShowError(text);
}

bool ReadRecordAt(TDataFile& F, std::uint64_t position, int measure, TTraceSettings& S)
{
    Bytes record;
    if (!F.ReadRecord(position, record)) return false;
    return ReadTrendRecord(measure, RecordBytes(record), S);
}
}  // namespace

bool OpenTrendDataFile(TDataFile& F, const TMeasureFileInfo& info, int measure)
{
    if (F.Open(info.FileName, measure) == DataFileFault::None) return true;
    ShowCorrupted(measure);
    return false;
}

TTrendOpening OpenTrendHead(const TMeasureFileInfo& info, int measure, int curveClasses, TDateTime start, TDateTime stop,
                            TTraceSettings& traces)
{
    TTrendOpening result;
    TDataFile F;
    if (!OpenTrendDataFile(F, info, measure)) {
        result.Fault = TrendOpenFault::FileRefused;
        return result;
    }
    TTrendHead& head = result.Head;
    Bytes bytes;
    if (!F.ReadAt(kDataFileHeaderSize, TrendHead::Size, bytes) || bytes.size() < TrendHead::Size) {
        ShowCorrupted(measure);
        result.Fault = TrendOpenFault::FileRefused;
        return result;
    }
    std::copy(bytes.begin(), bytes.end(), head.RecordHead.begin());
    head.ThreePhase = IsThreePhaseWiring(LoadU16(&bytes[TrendHead::Wiring]));
    head.Period = static_cast<std::int16_t>(LoadU16(&bytes[TrendHead::Period]));
    head.Flags = LoadU16(&bytes[TrendHead::Flags]);
    // Every value the flags announce must lie inside the record, or no trace could be read.
    if (TrendRecordSize(measure, head.Flags, head.ThreePhase) > F.RecordSize()) {
        ShowCorrupted(measure);
        result.Fault = TrendOpenFault::FileRefused;
        return result;
    }

    auto range = FindRecordsInInterval(F, info, start, stop);
    if (!range) {
        ShowMessage("No record found.", MsgType::Warning, MbOk);
        result.Fault = TrendOpenFault::EmptyInterval;
        return result;
    }
    head.FullWindow.FirstPos = static_cast<std::uint32_t>(range->First);
    head.FullWindow.LastPos = static_cast<std::uint32_t>(range->Last);
    head.PeriodRecords = PeriodRecordCount(head.FullWindow, F.RecordSize());

    if (!ReadRecordAt(F, head.FullWindow.FirstPos, measure, traces)) {
        result.Fault = TrendOpenFault::RecordUnreadable;
        return result;
    }
    head.FullWindow.FirstTime = traces.RecordTime;
    if (!ReadRecordAt(F, head.FullWindow.LastPos, measure, traces)) {
        result.Fault = TrendOpenFault::RecordUnreadable;
        return result;
    }
    head.FullWindow.LastTime = traces.RecordTime;
    head.Columns = BuildTrendColumns(head.Flags, measure == MeasureVoltage && head.ThreePhase, curveClasses);
    return result;
}

TWindowValues StartWindowValues(TDataFile& F, const TRecordWindow& window, const TTraceSettings& S,
                                std::int64_t& first, std::int64_t& last)
{
    TWindowValues result;
    const TRecordWindow w = OrderedWindow(window);
    first = F.RecordIndex(w.FirstPos);
    last = F.RecordIndex(w.LastPos);
    if (first < 0 || last < 0) {
        result.Complete = false;
        return result;
    }
    const std::size_t expected = static_cast<std::size_t>(last - first + 1);
    result.Times.reserve(expected);
    for (std::size_t k = 0; k < kTraceCount; ++k)
        if (S.Entries[k].Item > 0) result.Values[k].reserve(expected);
    return result;
}

std::vector<std::uint8_t> JoinFlags(const std::vector<TDateTime>& times, std::int64_t periodSeconds)
{
    std::vector<std::uint8_t> joined(times.size(), 0);
    for (std::size_t i = 1; i < times.size(); ++i) joined[i] = JoinsPrevious(times[i - 1], times[i], periodSeconds) ? 1 : 0;
    return joined;
}
