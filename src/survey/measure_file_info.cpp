// Checked fill of a measure's file descriptor, fixed-record and samples files alike.
#include "survey/measure_file_info.h"

#include "platform/little_endian.h"
#include "platform/messages.h"
#include "survey/data_file.h"
#include "survey/samples_file.h"
#include "survey/text_tables.h"

#include <algorithm>
#include <optional>

namespace {
// Where the first record keeps the nominal and rate fields; an absent one stays 0.
struct HeadFields {
    std::optional<std::size_t> nominalAt;
    std::optional<std::size_t> rateAt;
};

HeadFields HeadFieldsOf(int measure)
{
    switch (measure) {
    case MeasureFlicker: return {FlickerHead::Nominal, FlickerHead::Period};
    case MeasureEvents: return {EventField::Threshold, std::nullopt};
    case MeasureCurrentHarmonics: return {std::nullopt, CurrentHarmonicsHead::Period};
    case MeasureEnergy: return {std::nullopt, EnergyField::Period};
    default: return {TrendHead::Nominal, TrendHead::Period};
    }
}

// Nominal (raw bytes) and rate (signed 16-bit) from the first record; false when the record
// lacks them.
bool ReadHeadFields(const Bytes& first, int measure, TMeasureFileInfo& info)
{
    const HeadFields fields = HeadFieldsOf(measure);
    FieldView head(first);
    info.Nominal = {};
    if (fields.nominalAt) {
        const auto nominal = head.Bytes(*fields.nominalAt, info.Nominal.size());
        std::copy(nominal.begin(), nominal.end(), info.Nominal.begin());
    }
    info.Rate = fields.rateAt ? head.I16(*fields.rateAt) : 0;
    return head.Ok();
}

std::optional<TDateTime> TimeOrMessage(const StampLayout& layout, const Bytes& record)
{
    StampFault fault = StampFault::None;
    auto t = RecordTime(layout, record, &fault);
    if (!t) ShowStampFault(fault);
    return t;
}

bool FillFixedRecord(const std::string& path, int measure, TMeasureFileInfo& info)
{
    TDataFile file;
    if (file.Open(path, measure) != DataFileFault::None) return false;
    info.FileName = path;
    info.RecordCount = static_cast<std::int32_t>(file.RecordCount());
    info.RecordSize = static_cast<std::int32_t>(file.RecordSize());
    const StampLayout layout = *StampLayoutOf(measure);
    Bytes first, last;
    if (!file.ReadRecord(file.RecordPosition(0), first)) return false;
    auto firstTime = TimeOrMessage(layout, first);
    if (!firstTime) return false;
    info.FirstTime = *firstTime;
    if (!ReadHeadFields(first, measure, info)) return false;
    if (!file.ReadRecord(file.RecordPosition(file.RecordCount() - 1), last)) return false;
    auto lastTime = TimeOrMessage(layout, last);
    if (!lastTime) return false;
    info.LastTime = *lastTime;
    return true;
}

bool FillSamples(const std::string& path, TMeasureFileInfo& info)
{
    BinaryFile file;
    TSamplesFileHeader header;
    if (!file.Open(path) || !ReadSamplesFileHeader(file, header)) return false;
    const std::size_t headSize = SamplesHeadSize(header.FileType);
    if (headSize == 0 || header.RecordCount == 0 || header.EndOffset > file.Size() ||
        header.EndOffset < kSamplesFileHeaderSize + headSize)
        return false;
    if (header.RecordCount > MostSamplesRecords(header)) return false;
    info.FileName = path;
    info.RecordCount = static_cast<std::int32_t>(header.RecordCount);
    info.RecordSize = 0;
    TSamplesRecordHead head;
    if (ReadSamplesRecordHead(file, kSamplesFileHeaderSize, header.FileType, head) == 0) return false;
    if (head.Length < headSize || head.Length > header.EndOffset - kSamplesFileHeaderSize) return false;
    auto firstTime = SamplesRecordTime(head);
    if (!firstTime) return false;
    info.FirstTime = *firstTime;
    info.Nominal = {};
    info.Rate = 0;
    if (!ReadLastSamplesRecordHead(file, head)) return false;
    auto lastTime = SamplesRecordTime(head);
    if (!lastTime) return false;
    info.LastTime = *lastTime;
    return true;
}
}  // namespace

bool ReadMeasureFileInfo(const std::string& Path, int Measure, TMeasureFileInfo& info)
{
    if (Measure < 1 || Measure > kMeasureCount) return true;
    const bool ok = Measure == MeasureSamples ? FillSamples(Path, info) : FillFixedRecord(Path, Measure, info);
    if (!ok) ShowError(SurveyCorruptedMessage(Measure));
    return ok;
}

std::string SurveyCorruptedMessage(int measure)
{
    std::string text(kSurveyCorruptedMessage);
    text.replace(text.find("%s"), 2, MeasureName(measure));
    return text;
}

std::string SurveyUnreadableMessage(int measure)
{
    return std::string(MeasureName(measure)) + " survey is corrupted. Unable to read the file.";
}

std::string SurveyShortMessage(int measure)
{
    return std::string(MeasureName(measure)) + " survey is shorter than its header says: the records after its end are missing.";
}

bool ReadMeasureFileInfo(const std::string& Path, int Measure)
{
    if (Measure < 1 || Measure > kMeasureSlots) return true;
    return ReadMeasureFileInfo(Path, Measure, SurveySelection().File(Measure));
}
