// Append compatibility, one member per record layout.
#include "survey/intake/append_checks.h"

#include "platform/little_endian.h"
#include "platform/messages.h"
#include "survey/data_file.h"
#include "survey/samples_file.h"
#include "survey/text_tables.h"

#include <algorithm>
#include <optional>

namespace {
// First and last records of a fixed-record file whose header passed the check.
struct RecordEnds {
    Bytes first, last;
    std::uint32_t recordSize = 0;
    TDateTime firstTime = 0, lastTime = 0;
};

std::optional<RecordEnds> ReadRecordEnds(const std::string& path, int measure)
{
    TDataFile file;
    if (file.Open(path, measure) != DataFileFault::None) return std::nullopt;
    RecordEnds ends;
    ends.recordSize = file.RecordSize();
    if (!file.ReadRecord(file.RecordPosition(0), ends.first) ||
        !file.ReadRecord(file.RecordPosition(file.RecordCount() - 1), ends.last))
        return std::nullopt;
    const auto layout = StampLayoutOf(measure);
    auto first = layout ? RecordTime(*layout, ends.first) : std::nullopt;
    auto last = layout ? RecordTime(*layout, ends.last) : std::nullopt;
    if (!first || !last) return std::nullopt;
    ends.firstTime = *first;
    ends.lastTime = *last;
    return ends;
}

// The `size` bytes at `atA` of record a and at `atB` of record b are the same; a field beyond
// either record is not.
bool SameField(const Bytes& a, std::size_t atA, const Bytes& b, std::size_t atB, std::size_t size)
{
    FieldView x(a), y(b);
    const auto fieldA = x.Bytes(atA, size), fieldB = y.Bytes(atB, size);
    return x.Ok() && y.Ok() && std::ranges::equal(fieldA, fieldB);
}
bool SameWord(const Bytes& a, const Bytes& b, std::size_t at) { return SameField(a, at, b, at, 2); }
bool SameByte(const Bytes& a, const Bytes& b, std::size_t at) { return SameField(a, at, b, at, 1); }

// Voltage and current harmonics: wiring, block count, then each block's channel and flags.
std::string_view HarmonicsIncompatibility(const Bytes& received, const Bytes& existing, bool current)
{
    const std::size_t wiringAt = current ? CurrentHarmonicsHead::Wiring : HarmonicsHead::Wiring;
    const std::size_t countAt = current ? CurrentHarmonicsHead::BlockCount : HarmonicsHead::BlockCount;
    if (!SameWord(received, existing, wiringAt)) return kWiringReason;
    if (!SameWord(received, existing, countAt)) return kHarmonicCountReason;
    auto a = HarmonicBlocks(received, current), b = HarmonicBlocks(existing, current);
    if (!a || !b || a->size() != b->size()) return kCorruptReason;
    for (std::size_t i = 0; i < a->size(); ++i) {
        // Each block's channel code follows its flags word.
        if (!SameField(received, (*a)[i].start + 2, existing, (*b)[i].start + 2, 2)) return kHarmonicsReason;
        if ((*a)[i].flags != (*b)[i].flags) return kIncompatibleReason;
    }
    return {};
}

// The layout tests of one fixed-record measure on the first records' heads.
std::string_view LayoutIncompatibility(const Bytes& r, const Bytes& e, int measure)
{
    switch (measure) {
    case MeasureVoltage:
        if (!SameWord(r, e, TrendHead::Flags)) return kIncompatibleReason;
        if (!SameWord(r, e, TrendHead::Wiring)) return kWiringReason;
        return {};
    case MeasureFrequency:
    case MeasureUnbalance: return SameWord(r, e, TrendHead::Flags) ? std::string_view{} : kIncompatibleReason;
    case MeasureVoltageHarmonics: return HarmonicsIncompatibility(r, e, false);
    case MeasureFlicker:
        if (!SameByte(r, e, FlickerHead::Flags) || !SameByte(r, e, FlickerHead::Mode)) return kIncompatibleReason;
        if (!SameWord(r, e, FlickerHead::Wiring)) return kWiringReason;
        return {};
    case MeasurePowers:
        if (!SameWord(r, e, PowerHead::Flags)) return kIncompatibleReason;
        if (!SameWord(r, e, PowerHead::Wiring)) return kWiringReason;
        if (!SameWord(r, e, PowerHead::CurrentWiring)) return kIncompatibleReason;
        return {};
    case MeasureCurrentHarmonics: return HarmonicsIncompatibility(r, e, true);
    case MeasureEnergy:
        if (!SameWord(r, e, EnergyField::Period)) return kIncompatibleReason;
        if (!SameWord(r, e, EnergyField::PerPhase)) return kWiringReason;
        return {};
    default: return {};
    }
}

std::string_view FixedRecordIncompatibility(const std::string& existing, const std::string& received, int measure)
{
    auto e = ReadRecordEnds(existing, measure), r = ReadRecordEnds(received, measure);
    if (!e || !r) return kCorruptReason;
    // Every received record must follow the last one already kept.
    if (!(e->lastTime < r->firstTime)) return kNotNewerReason;
    if (auto reason = LayoutIncompatibility(r->first, e->first, measure); !reason.empty()) return reason;
    // Whatever the flags say, records of another size cannot share a file.
    if (e->recordSize != r->recordSize) return kIncompatibleReason;
    return {};
}

struct SamplesEnds {
    std::uint8_t fileType = 0;
    TDateTime firstTime = 0, lastTime = 0;
};

std::optional<SamplesEnds> ReadSamplesEnds(const std::string& path)
{
    BinaryFile f;
    TSamplesFileHeader header;
    if (!f.Open(path) || !ReadSamplesFileHeader(f, header) || !IsSamplesFileType(header.FileType) ||
        header.RecordCount == 0)
        return std::nullopt;
    TSamplesRecordHead first, last;
    if (ReadSamplesRecordHead(f, kSamplesFileHeaderSize, header.FileType, first) == 0 ||
        !ReadLastSamplesRecordHead(f, last))
        return std::nullopt;
    auto a = SamplesRecordTime(first, false), b = SamplesRecordTime(last, false);
    if (!a || !b) return std::nullopt;
    return SamplesEnds{header.FileType, *a, *b};
}

std::string_view SamplesIncompatibility(const std::string& existing, const std::string& received)
{
    auto e = ReadSamplesEnds(existing), r = ReadSamplesEnds(received);
    if (!e || !r) return kCorruptReason;
    if (e->fileType != r->fileType) return kIncompatibleReason;
    if (!(e->lastTime < r->firstTime)) return kNotNewerReason;
    return {};
}
}  // namespace

std::string_view AppendIncompatibility(const std::string& existing, const std::string& received, int measure)
{
    return measure == MeasureSamples ? SamplesIncompatibility(existing, received)
                                     : FixedRecordIncompatibility(existing, received, measure);
}

bool CheckAppendCompatible(const std::string& existing, const std::string& received, int measure)
{
    const std::string_view reason = AppendIncompatibility(existing, received, measure);
    if (reason.empty()) return true;
    ShowMessage("Error during append of " + std::string(MeasureName(measure)) + " data file.\n" + std::string(reason),
                MsgType::Error, MbOk);
    return false;
}
