// Packing of the analysis records and their names.
#include "analysis/analysis_records.h"

#include "survey/records.h"

const std::array<std::string_view, kAnalysisMeasures + 1> AnalysisStaFileNames = {
    "", "volt.sta", "freq.sta", "unbalan.sta", "harm.sta", "ficker.sta", "events.sta"};
const std::array<std::string_view, kAnalysisMeasures + 1> AnalysisBarFileNames = {
    "", "volt.bar", "freq1.bar", "unbalan.bar", "harm.bar", "ficker.bar", "events.bar"};
const std::array<std::string_view, kAnalysisEventCategories> AnalysisEventCategoryNames = {
    "Over Voltages",    "Under Voltages", "Fast Variation Voltages", "Over Frequencies",    "Under Frequencies",
    "Over Unbalance",   "Over Harmonics", "Over Flicker",            "Interruption Voltage"};

static_assert(1 + 4 * 3 * kAnalysisGroups + 4 == TMeasureSummary::kPackedSize);

namespace {
void PackCounts(ByteWriter& out, int groups, const std::vector<TPhaseCounts>& counts)
{
    for (int g = 0; g < groups; ++g) {
        const std::size_t at = static_cast<std::size_t>(g);
        for (std::int32_t v : at < counts.size() ? counts[at] : TPhaseCounts{}) out.I32(v);
    }
}

std::vector<TPhaseCounts> UnpackCounts(ByteReader& in, int groups)
{
    std::vector<TPhaseCounts> counts(static_cast<std::size_t>(groups));
    for (auto& group : counts)
        for (auto& v : group) v = in.I32();
    return counts;
}

int VoltageGroups(ReportVersion version) { return version == ReportVersion::Current ? 2 : 1; }
}  // namespace

void TMeasureSummary::Pack(ByteWriter& out) const
{
    out.Bool(Passed);
    for (const auto& group : Totals)
        for (std::int32_t v : group) out.I32(v);
    out.I32(Records);
}

TMeasureSummary TMeasureSummary::Unpack(ByteReader& in)
{
    TMeasureSummary summary;
    summary.Passed = in.Bool();
    for (auto& group : summary.Totals)
        for (auto& v : group) v = in.I32();
    summary.Records = in.I32();
    return summary;
}

TAnalysisRecordShape WindowResultShape(int measure, int harmonicChannels, ReportVersion version)
{
    switch (measure) {
    case MeasureVoltage: return {1, VoltageGroups(version)};
    case MeasureVoltageHarmonics: return {kAnalysisGroups, harmonicChannels};
    case MeasureEvents: return {kAnalysisEventCategories, kAnalysisEventCategories};
    default: return {1, 1};
    }
}

TAnalysisRecordShape FailedIntervalShape(int measure, ReportVersion version)
{
    switch (measure) {
    case MeasureVoltage: return {1, VoltageGroups(version)};
    case MeasureEvents: return {2, 1};
    default: return {1, 1};
    }
}

void PackWindowResult(ByteWriter& out, const TAnalysisRecordShape& shape, const TWindowResult& window)
{
    out.F64(window.Day);
    for (std::size_t i = 0; i < shape.FlagBytes; ++i) out.U8(i < window.Passed.size() ? window.Passed[i] : 0);
    PackCounts(out, shape.Groups, window.Counts);
    out.I32(window.Total);
}

TWindowResult UnpackWindowResult(ByteReader& in, const TAnalysisRecordShape& shape)
{
    TWindowResult window;
    window.Day = in.F64();
    window.Passed.resize(shape.FlagBytes);
    for (auto& flag : window.Passed) flag = in.U8();
    window.Counts = UnpackCounts(in, shape.Groups);
    window.Total = in.I32();
    return window;
}

void PackFailedInterval(ByteWriter& out, const TAnalysisRecordShape& shape, const TFailedInterval& failed)
{
    out.F64(failed.Day);
    if (shape.FlagBytes == 2)
        out.I16(static_cast<std::int16_t>(failed.Tag));
    else
        out.U8(static_cast<std::uint8_t>(failed.Tag));
    PackCounts(out, shape.Groups, failed.Counts);
    out.I32(failed.Total);
}

TFailedInterval UnpackFailedInterval(ByteReader& in, const TAnalysisRecordShape& shape)
{
    TFailedInterval failed;
    failed.Day = in.F64();
    failed.Tag = shape.FlagBytes == 2 ? in.I16() : in.U8();
    failed.Counts = UnpackCounts(in, shape.Groups);
    failed.Total = in.I32();
    return failed;
}
