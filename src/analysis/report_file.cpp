// Reading and writing analysis report files.
#include "analysis/report_file.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "platform/file_io.h"

static_assert(ReportHeadLayout::Survey + TSurveySelection::kReportPartSize == ReportHeadLayout::Params);

namespace {
constexpr int kSections = 2 * kAnalysisMeasures;  // summaries 1 to 6, then windows 1 to 6
const std::string kSignatureEnd("\r\n\x1a", 3);

// The items of a window that fail on their own, each with its failed interval: one per harmonic
// channel, one per event category, else the window itself.
int JudgedItems(int measure, int harmonicChannels)
{
    if (measure == MeasureVoltageHarmonics) return harmonicChannels;
    return measure == MeasureEvents ? kAnalysisEventCategories : 1;
}

// What the head allows one measure's sections to hold.
struct TSectionBounds {
    std::int64_t Windows = 0;
    int Items = 1;
    std::int64_t FailedIntervals() const { return Windows * Items; }
};
TSectionBounds SectionBounds(const TReportHead& head, int measure)
{
    return {ReportWindowLimit(head, measure), JudgedItems(measure, head.HarmonicChannelCount)};
}

LimitsLayout LimitsLayoutOf(ReportVersion version)
{
    return version == ReportVersion::Current ? LimitsLayout::Current : LimitsLayout::WithoutSecondLimits;
}

std::size_t ParamsSize(ReportVersion version)
{
    return version == ReportVersion::Current ? TAnalysisParams::kPackedSize
                                             : TAnalysisParams::kPackedSizeWithoutSecondLimits;
}

// What in a head fits no table, or "".
std::string HeadProblem(const TReportHead& head)
{
    const TAnalysisParams& p = head.Params;
    if (p.WindowDays < 1 || p.WindowDays > kMaxWindowDays)
        return "a window of " + std::to_string(p.WindowDays) + " days";
    if (p.PeriodIndex < 0 || p.PeriodIndex >= kObservationPeriodChoices)
        return "observation period " + std::to_string(p.PeriodIndex);
    if (head.HarmonicChannelCount < 0 || head.HarmonicChannelCount > kAnalysisGroups)
        return std::to_string(head.HarmonicChannelCount) + " harmonic channels";
    for (int c = 0; c < head.HarmonicChannelCount; ++c)
        if (head.HarmonicOrders[static_cast<std::size_t>(c)] >= kHarmonicLimitIndexes)
            return "harmonic order " + std::to_string(head.HarmonicOrders[static_cast<std::size_t>(c)]);
    return {};
}

std::string SectionName(int section)
{
    const int measure = section % kAnalysisMeasures + 1;
    return std::string(section < kAnalysisMeasures ? "summary" : "window") + " section of measure " +
           std::to_string(measure);
}

std::string MoreThanAllowed(std::size_t count, const char* what, std::int64_t allowed)
{
    return "it holds " + std::to_string(count) + " " + what + ", more than the " + std::to_string(allowed) +
           " its interval allows";
}

// A summary section's bytes as summary and failed intervals, or what is wrong with them.
std::string ReadSummarySection(std::span<const std::uint8_t> bytes, int measure, ReportVersion version,
                               const TSectionBounds& bounds, TReportMeasure& out)
{
    const TAnalysisRecordShape shape = FailedIntervalShape(measure, version);
    if (bytes.size() < TMeasureSummary::kPackedSize ||
        (bytes.size() - TMeasureSummary::kPackedSize) % shape.Size() != 0)
        return "it holds " + std::to_string(bytes.size()) + " bytes";
    const std::size_t count = (bytes.size() - TMeasureSummary::kPackedSize) / shape.Size();
    if (count > static_cast<std::uint64_t>(bounds.FailedIntervals()))
        return MoreThanAllowed(count, "failed intervals", bounds.FailedIntervals());
    // The tag after each failed interval's day: a harmonic order or an event category.
    const int tags = measure == MeasureEvents ? kAnalysisEventCategories
                     : measure == MeasureVoltageHarmonics ? kHarmonicLimitIndexes
                                                          : 1;
    ByteReader in(bytes);
    for (std::size_t i = 0; i < count; ++i) {
        in.Seek(TMeasureSummary::kPackedSize + i * shape.Size() + 8);
        const int tag = shape.FlagBytes == 2 ? in.I16() : in.U8();
        if (tag < 0 || tag >= tags) return "a failed interval of code " + std::to_string(tag);
    }
    in.Seek(0);
    out.HasSummary = true;
    out.Summary = TMeasureSummary::Unpack(in);
    out.FailedIntervals = TFailedIntervals(Bytes(bytes.begin() + TMeasureSummary::kPackedSize, bytes.end()), shape);
    return {};
}

std::string ReadWindowSection(std::span<const std::uint8_t> bytes, const TAnalysisRecordShape& shape,
                              const TSectionBounds& bounds, TReportMeasure& out)
{
    // An analysed measure closes at least one window.
    if (bytes.empty() || bytes.size() % shape.Size() != 0) return "it holds " + std::to_string(bytes.size()) + " bytes";
    const std::size_t count = bytes.size() / shape.Size();
    if (count > static_cast<std::uint64_t>(bounds.Windows)) return MoreThanAllowed(count, "windows", bounds.Windows);
    out.HasWindows = true;
    out.Windows = TWindowResults(Bytes(bytes.begin(), bytes.end()), shape);
    return {};
}

// One section of a measure, by its kind: s < kAnalysisMeasures summaries, then windows.
std::string ReadSection(std::span<const std::uint8_t> bytes, int section, const TReportHead& head,
                        ReportVersion version, TReportMeasure& out)
{
    const int measure = section % kAnalysisMeasures + 1;
    const TSectionBounds bounds = SectionBounds(head, measure);
    if (section < kAnalysisMeasures) return ReadSummarySection(bytes, measure, version, bounds, out);
    return ReadWindowSection(bytes, WindowResultShape(measure, head.HarmonicChannelCount, version), bounds, out);
}

TReportRead Fail(ReportFault fault, std::string detail) { return {fault, std::move(detail), std::nullopt}; }

void PackHead(ByteWriter& out, const TReportHead& head, const std::array<std::int32_t, kSections>& offsets)
{
    out.Chars(std::string(kReportSignature) + kSignatureEnd);
    out.Zeros(ReportHeadLayout::SignatureSize - kReportSignature.size() - kSignatureEnd.size());
    for (std::int32_t offset : offsets) out.I32(offset);
    head.Survey.PackPart(out, kAnalysisMeasures);
    head.Params.Pack(out);
    out.I16(head.HarmonicChannelCount);
    for (std::uint16_t order : head.HarmonicOrders) out.U16(order);
}

std::string TempPath(const std::string& folder, std::string_view name) { return WithTrailingSlash(folder) + std::string(name); }
}  // namespace

std::size_t ReportHeadSize(ReportVersion version)
{
    return ReportHeadLayout::Params + ParamsSize(version) + 2 + 2 * kReportOrderSlots;
}

namespace {
// Calendar days from the day of `first` to that of `last`: none when the wrong way round, the
// most an analysis counts when they are no numbers (a damaged head tells nothing then).
double DaysSpanned(double first, double last)
{
    const double days = std::floor(last) - std::floor(first) + 1;
    return std::isnan(days) ? kMaxAnalysisDays : std::clamp(days, 0.0, double{kMaxAnalysisDays});
}
}  // namespace

std::int64_t ReportWindowLimit(const TReportHead& head, int measure)
{
    const TSurveySelection& survey = head.Survey;
    const TMeasureFileInfo& recording = survey.File(measure);
    const double days = std::max(DaysSpanned(survey.Start, survey.Stop), DaysSpanned(recording.FirstTime, recording.LastTime));
    return static_cast<std::int64_t>(days) + 2;
}

std::uint64_t LargestReportSize()
{
    TReportHead head;
    head.Survey.Stop = kMaxAnalysisDays - 1;
    head.HarmonicChannelCount = kAnalysisGroups;
    std::uint64_t size = ReportHeadSize(ReportVersion::Current);
    for (int measure = 1; measure <= kAnalysisMeasures; ++measure) {
        const TSectionBounds bounds = SectionBounds(head, measure);
        size += TMeasureSummary::kPackedSize +
                static_cast<std::uint64_t>(bounds.FailedIntervals()) *
                    FailedIntervalShape(measure, ReportVersion::Current).Size() +
                static_cast<std::uint64_t>(bounds.Windows) *
                    WindowResultShape(measure, kAnalysisGroups, ReportVersion::Current).Size();
    }
    return size;
}

TReportRead ReadAnalysisReport(std::span<const std::uint8_t> bytes)
{
    // The signature is the text up to its first 0 byte.
    std::string signature;
    for (std::size_t i = 0; i < bytes.size() && i < ReportHeadLayout::SignatureSize && bytes[i] != 0; ++i)
        signature += static_cast<char>(bytes[i]);
    TAnalysisReport report;
    if (signature == std::string(kReportSignature) + kSignatureEnd)
        report.Version = ReportVersion::Current;
    else if (signature == std::string(kOldReportSignature) + kSignatureEnd)
        report.Version = ReportVersion::Old;
    else
        return Fail(ReportFault::BadSignature, "no report signature");
    const std::size_t headSize = ReportHeadSize(report.Version);
    if (bytes.size() < headSize)
        return Fail(ReportFault::Truncated, "it holds " + std::to_string(bytes.size()) + " bytes, its head " +
                                                std::to_string(headSize));

    ByteReader in(bytes);
    in.Seek(ReportHeadLayout::SummaryOffsets);
    std::array<std::int32_t, kSections> offsets{};
    for (auto& offset : offsets) offset = in.I32();
    report.Head.Survey = TSurveySelection::Unpack(in, kAnalysisMeasures);
    report.Head.Params = TAnalysisParams::Unpack(in, LimitsLayoutOf(report.Version));
    report.Head.HarmonicChannelCount = in.I16();
    for (auto& order : report.Head.HarmonicOrders) order = in.U16();
    if (!in.Ok()) return Fail(ReportFault::Truncated, "its head cannot be read");
    if (std::string problem = HeadProblem(report.Head); !problem.empty()) return Fail(ReportFault::BadValue, problem);

    // Sections follow the head in the order of their offsets; each ends where the next
    // non-zero offset starts, the last at the end of the file.
    std::size_t previous = headSize;
    for (int s = 0; s < kSections; ++s) {
        const std::int32_t offset = offsets[static_cast<std::size_t>(s)];
        if (offset == 0) continue;
        if (offset < 0 || static_cast<std::size_t>(offset) < previous || static_cast<std::size_t>(offset) > bytes.size())
            return Fail(ReportFault::BadOffset, "the " + SectionName(s) + " at offset " + std::to_string(offset));
        previous = static_cast<std::size_t>(offset);
    }
    for (int s = 0; s < kSections; ++s) {
        const std::int32_t offset = offsets[static_cast<std::size_t>(s)];
        if (offset == 0) continue;
        std::size_t end = bytes.size();
        for (int next = s + 1; next < kSections; ++next)
            if (offsets[static_cast<std::size_t>(next)] != 0) {
                end = static_cast<std::size_t>(offsets[static_cast<std::size_t>(next)]);
                break;
            }
        const auto section = bytes.subspan(static_cast<std::size_t>(offset), end - static_cast<std::size_t>(offset));
        TReportMeasure& target = report.Measures[static_cast<std::size_t>(s % kAnalysisMeasures)];
        const std::string problem = ReadSection(section, s, report.Head, report.Version, target);
        if (!problem.empty()) return Fail(ReportFault::BadSection, "the " + SectionName(s) + ": " + problem);
    }
    for (int k = 0; k < kAnalysisMeasures; ++k) {
        report.SummaryOffsets[static_cast<std::size_t>(k)] = offsets[static_cast<std::size_t>(k)];
        report.WindowOffsets[static_cast<std::size_t>(k)] = offsets[static_cast<std::size_t>(k + kAnalysisMeasures)];
    }
    return {ReportFault::None, {}, std::move(report)};
}

TReportRead ReadAnalysisReportFile(const std::string& path)
{
    const auto size = FileSize(path);
    if (size && *size > LargestReportSize())
        return Fail(ReportFault::TooLarge, "it holds " + std::to_string(*size) + " bytes, more than any report");
    const auto bytes = ReadWholeFile(path, LargestReportSize());
    if (!bytes) return Fail(ReportFault::Unreadable, "it cannot be read");
    return ReadAnalysisReport(*bytes);
}

std::string ReportReadMessage(const TReportRead& read, const std::string& path)
{
    if (read.Fault == ReportFault::BadSignature) return std::string(kInvalidReportMessage);
    return "The report file " + path + " is damaged (" + read.Detail + "). Unable to open the file.";
}

TReportWrite WriteReportFile(const std::string& path, const TReportHead& head, const std::string& tempFolder)
{
    // The survey part first: a text it cannot hold is refused before anything is gathered.
    if (ByteWriter survey; !head.Survey.PackPart(survey, kAnalysisMeasures))
        return {false, ShortStringTooLongMessage(survey.TooLong())};
    if (std::string problem = HeadProblem(head); !problem.empty())
        return {false, "The analysis parameters cannot be stored in a report: " + problem + "."};

    // Sections in file order: the summaries, then the windows.
    std::array<Bytes, kSections> sections;
    std::array<std::string, kSections> gathered;
    for (int s = 0; s < kSections; ++s) {
        const int measure = s % kAnalysisMeasures + 1;
        if (!head.Survey.File(measure).Selected) continue;
        const std::string temp = TempPath(tempFolder, s < kAnalysisMeasures ? AnalysisStaFileNames[static_cast<std::size_t>(measure)]
                                                                            : AnalysisBarFileNames[static_cast<std::size_t>(measure)]);
        if (!FileExists(temp)) continue;
        auto bytes = ReadWholeFile(temp, LargestReportSize());
        if (!bytes) return {false, "Unable to read the temporary file " + temp + "."};
        TReportMeasure check;
        const std::string problem = ReadSection(*bytes, s, head, ReportVersion::Current, check);
        if (!problem.empty()) return {false, "The temporary file " + temp + " is damaged: " + problem + "."};
        sections[static_cast<std::size_t>(s)] = std::move(*bytes);
        gathered[static_cast<std::size_t>(s)] = temp;
    }

    std::array<std::int32_t, kSections> offsets{};
    std::uint64_t position = ReportHeadSize(ReportVersion::Current);
    for (int s = 0; s < kSections; ++s) {
        if (gathered[static_cast<std::size_t>(s)].empty()) continue;
        if (position > static_cast<std::uint64_t>(std::numeric_limits<std::int32_t>::max()))
            return {false, "The report would be too large to be written."};
        offsets[static_cast<std::size_t>(s)] = static_cast<std::int32_t>(position);
        position += sections[static_cast<std::size_t>(s)].size();
    }
    ByteWriter out;
    PackHead(out, head, offsets);
    AtomicFileWriter file(path);
    bool written = file.Write(out.Data().data(), out.Size());
    for (const Bytes& section : sections) written = written && file.Write(section.data(), section.size());
    if (!written || !file.Commit()) return {false, "Unable to write the report file " + path + "."};
    for (const std::string& temp : gathered)
        if (!temp.empty()) DeleteFile(temp);
    return {true, {}};
}

void DeleteAnalysisTempFiles(const std::string& tempFolder)
{
    for (int measure = 1; measure <= kAnalysisMeasures; ++measure) {
        DeleteFile(TempPath(tempFolder, AnalysisStaFileNames[static_cast<std::size_t>(measure)]));
        DeleteFile(TempPath(tempFolder, AnalysisBarFileNames[static_cast<std::size_t>(measure)]));
    }
}
