// Fuzz target: the analysis report file (.rep), the engine's temporary ".sta" and ".bar" files it
// gathers, and the report sheet and bar report built from what is read. The first byte chooses
// the input:
//  even: the rest is a report. A report read is written again from its sections, as the engine
//        leaves them, and must read back the same; its sheet and its bars never show a C
//        library's text for a value that is no number, and the bar report's day stays within
//        its windows as it steps and searches.
//  odd:  the rest chooses a head and holds the two temporary files of one measure. The writer
//        writes a report that reads back with those records, or refuses and leaves every file
//        where it was.
#include <optional>
#include <set>

#include "analysis/bar_report.h"
#include "analysis/report_file.h"
#include "analysis/report_sheet.h"
#include "analysis/report_template.h"
#include "fuzz/fuzz_support.h"

namespace {
Bytes Packed(const TSurveySelection& survey)
{
    ByteWriter out;
    survey.PackPart(out, kAnalysisMeasures);
    return out.Take();
}

Bytes Packed(const TAnalysisParams& params)
{
    ByteWriter out;
    params.Pack(out);
    return out.Take();
}

Bytes Packed(const TMeasureSummary& summary)
{
    ByteWriter out;
    summary.Pack(out);
    return out.Take();
}

// Records as the engine writes them (the current layout: an old report's voltage records gain an
// empty second-limit group).
template <typename Records, typename Pack>
Bytes Packed(const Records& records, const TAnalysisRecordShape& shape, Pack pack)
{
    ByteWriter out;
    for (const auto& record : records) pack(out, shape, record);
    return out.Take();
}
Bytes FailedBytes(const TReportMeasure& m, int measure)
{
    return Packed(m.FailedIntervals, FailedIntervalShape(measure, ReportVersion::Current), PackFailedInterval);
}
Bytes WindowBytes(const TReportMeasure& m, int measure, int channels)
{
    return Packed(m.Windows, WindowResultShape(measure, channels, ReportVersion::Current), PackWindowResult);
}

std::string TempPath(const std::string& folder, int measure, bool summary)
{
    const auto& names = summary ? AnalysisStaFileNames : AnalysisBarFileNames;
    return folder + std::string(names[static_cast<std::size_t>(measure)]);
}

bool AnyTempFile(const std::string& folder)
{
    for (int k = 1; k <= kAnalysisMeasures; ++k)
        if (FileExists(TempPath(folder, k, true)) || FileExists(TempPath(folder, k, false))) return true;
    return false;
}

// Cells that hold texts of the file (the survey's names) or of the template are not numbers.
void CheckSheetShowsNoNonNumber(const TAnalysisReport& report)
{
    static const TF1Book kTemplate = ReportTemplateBook();
    static const std::set<std::string> kLabels = [] {
        std::set<std::string> labels;
        const int lastRow = kTemplate.LastRow(), lastCol = kTemplate.LastCol();
        for (int row = 1; row <= lastRow; ++row)
            for (int col = 1; col <= lastCol; ++col) labels.insert(kTemplate.CellText(row, col));
        return labels;
    }();
    TF1Book book = kTemplate;
    FillReportSheet(book, report);
    const int lastRow = book.LastRow(), lastCol = book.LastCol();
    for (int row = 1; row <= lastRow; ++row) {
        if (row >= ReportRows::SurveyName && row <= ReportRows::Operator) continue;
        for (int col = 1; col <= lastCol; ++col) {
            const std::string text = book.DisplayText(1, row, col);
            FUZZ_CHECK(kLabels.count(text) || !fuzz::ShowsNonNumber(text));
        }
    }
}

// The bar report over its first days and failed windows, as its buttons step and search.
void CheckBarReport(const TAnalysisReport& report)
{
    if (!BarReportProblem(report).empty()) return;
    TBarReport bars(report);
    const auto check = [&bars] {
        FUZZ_CHECK(bars.ShownDay() >= bars.FirstDay() && bars.ShownDay() <= bars.LastWindowDay());
        for (const TBarMeasure& row : kBarMeasures) {
            const std::vector<TBarLook> looks = bars.Bars(row.Measure);
            FUZZ_CHECK(looks.size() == static_cast<std::size_t>(row.Bars));
            for (const TBarLook& look : looks) FUZZ_CHECK(!fuzz::ShowsNonNumber(look.Caption));
            for (int panel = 0; panel < row.Panels; ++panel) FUZZ_CHECK(!fuzz::ShowsNonNumber(bars.PanelCaption(row.Measure, panel)));
        }
        (void)bars.ShownDateText();
        (void)bars.EventScale();
    };
    check();
    for (int day = 0; day < 8 && bars.HasNextWindow(); ++day) {
        bars.StepDay(1);
        check();
    }
    for (int found = 0; found < 8 && bars.FindFailedDate(found < 4); ++found) check();
    for (const auto& column : bars.HarmonicMenu())
        for (const TBarMenuItem& item : column) bars.ChooseHarmonicChannel(item.Choice);
    for (const TBarMenuItem& item : bars.EventMenu()) bars.ChooseEventCategory(item.Choice);
    check();
}

// Writes the sections of a read report as the engine's temporary files, gathers them again and
// reads the new report back.
void RoundTrip(const fuzz::Run& run, const TAnalysisReport& report)
{
    const std::string temp = run.Path("data/");
    const TReportHead& head = report.Head;
    for (int k = 1; k <= kAnalysisMeasures; ++k) {
        const TReportMeasure& m = report.Measure(k);
        if (m.HasSummary) {
            Bytes sta = Packed(m.Summary);
            const Bytes failed = FailedBytes(m, k);
            sta.insert(sta.end(), failed.begin(), failed.end());
            fuzz::WriteInput(TempPath(temp, k, true), sta);
        }
        if (m.HasWindows) fuzz::WriteInput(TempPath(temp, k, false), WindowBytes(m, k, head.HarmonicChannelCount));
    }
    const std::string path = run.Path("again.rep");
    const TReportWrite write = WriteReportFile(path, head, temp);
    FUZZ_CHECK(write.Saved);
    const TReportRead again = ReadAnalysisReportFile(path);
    FUZZ_CHECK(again.Report.has_value());
    const TAnalysisReport& r = *again.Report;
    FUZZ_CHECK(r.Version == ReportVersion::Current);
    FUZZ_CHECK(Packed(r.Head.Survey) == Packed(head.Survey));
    FUZZ_CHECK(Packed(r.Head.Params) == Packed(head.Params));
    FUZZ_CHECK(r.Head.HarmonicChannelCount == head.HarmonicChannelCount && r.Head.HarmonicOrders == head.HarmonicOrders);
    for (int k = 1; k <= kAnalysisMeasures; ++k) {
        const TReportMeasure& before = report.Measure(k);
        const TReportMeasure& after = r.Measure(k);
        // Only the measures the head's survey selects are gathered; the others stay behind.
        const bool selected = head.Survey.File(k).Selected;
        FUZZ_CHECK(after.HasSummary == (selected && before.HasSummary));
        FUZZ_CHECK(after.HasWindows == (selected && before.HasWindows));
        if (after.HasSummary) {
            FUZZ_CHECK(Packed(after.Summary) == Packed(before.Summary));
            FUZZ_CHECK(FailedBytes(after, k) == FailedBytes(before, k));
        }
        if (after.HasWindows) FUZZ_CHECK(WindowBytes(after, k, head.HarmonicChannelCount) == WindowBytes(before, k, head.HarmonicChannelCount));
        FUZZ_CHECK(FileExists(TempPath(temp, k, true)) == (!selected && before.HasSummary));
        FUZZ_CHECK(FileExists(TempPath(temp, k, false)) == (!selected && before.HasWindows));
    }
}

void ReadReport(const fuzz::Run& run, std::span<const std::uint8_t> bytes)
{
    const TReportRead read = ReadAnalysisReport(bytes);
    FUZZ_CHECK(read.Report.has_value() == (read.Fault == ReportFault::None));
    if (!read.Report) {
        FUZZ_CHECK(!ReportReadMessage(read, "a.rep").empty());
        return;
    }
    const TAnalysisReport& report = *read.Report;
    for (int k = 1; k <= kAnalysisMeasures; ++k) {
        const TReportMeasure& m = report.Measure(k);
        FUZZ_CHECK(static_cast<std::int64_t>(m.Windows.size()) <= ReportWindowLimit(report.Head, k));
        FUZZ_CHECK(m.HasWindows || m.Windows.empty());
        FUZZ_CHECK(m.HasSummary || m.FailedIntervals.empty());
    }
    CheckSheetShowsNoNonNumber(report);
    CheckBarReport(report);
    RoundTrip(run, report);
}

void GatherTempFiles(const fuzz::Run& run, fuzz::InputParts parts)
{
    const int measure = parts.Byte() % kAnalysisMeasures + 1;
    TReportHead head;
    head.Survey.Name = "fuzz.orv";
    head.Survey.Start = 45366;  // 15/03/2024
    head.Survey.Stop = head.Survey.Start + parts.Byte() % 40 + 0.999;
    head.Survey.File(measure).Selected = true;
    SetDefaultAnalysisParams(head.Params);
    head.Params.WindowDays = static_cast<std::int16_t>(parts.Byte() % kMaxWindowDays + 1);
    head.HarmonicChannelCount = static_cast<std::int16_t>(parts.Byte() % (kAnalysisGroups + 1));
    for (int c = 0; c < head.HarmonicChannelCount; ++c)
        head.HarmonicOrders[static_cast<std::size_t>(c)] = static_cast<std::uint16_t>(c);
    const std::uint8_t present = parts.Byte();
    const auto sta = parts.Part(), bar = parts.Rest();
    const std::string temp = run.Path("data/");
    if (present & 1) fuzz::WriteInput(TempPath(temp, measure, true), sta);
    if (present & 2) fuzz::WriteInput(TempPath(temp, measure, false), bar);

    const fuzz::FolderSnapshot before = fuzz::Snapshot(run.Folder());
    const std::string path = run.Path("gathered.rep");
    const TReportWrite write = WriteReportFile(path, head, temp);
    if (!write.Saved) {
        FUZZ_CHECK(!write.Message.empty());
        FUZZ_CHECK(fuzz::Snapshot(run.Folder()) == before);
        return;
    }
    FUZZ_CHECK(!AnyTempFile(temp));
    const TReportRead read = ReadAnalysisReportFile(path);
    FUZZ_CHECK(read.Report.has_value());
    const TReportMeasure& m = read.Report->Measure(measure);
    FUZZ_CHECK(m.HasSummary == bool(present & 1) && m.HasWindows == bool(present & 2));
    if (m.HasSummary)
        FUZZ_CHECK(m.FailedIntervals.size() * FailedIntervalShape(measure, ReportVersion::Current).Size() + 617 == sta.size());
    if (m.HasWindows)
        FUZZ_CHECK(m.Windows.size() * WindowResultShape(measure, head.HarmonicChannelCount, ReportVersion::Current).Size() ==
                   bar.size());
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Run run;
    fuzz::InputParts parts({data, size});
    if (parts.Byte() % 2 == 0)
        ReadReport(run, parts.Rest());
    else
        GatherTempFiles(run, parts);
    return 0;
}
