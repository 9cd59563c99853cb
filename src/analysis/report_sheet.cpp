// Filling the analysis report's sheet: head, measure blocks, alignment, failed intervals.
#include "analysis/report_sheet.h"

#include "analysis/report_template.h"
#include "analysis/report_texts.h"
#include "platform/date_time.h"
#include "platform/text_encoding.h"
#include "sheet/biff5_writer.h"
#include "survey/number_text.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <vector>

namespace {
using namespace ReportCols;
const std::string kMissing(kNoValueText);
// Alignment codes: left, centred across the selection; vertically centred.
constexpr int kLeft = 2, kCentreAcross = 7, kMiddle = 2;
constexpr std::uint32_t kFailedTitleColour = 0xFF0000;  // blue

// "%3.2f %%", "%d %%", "%3.2fV".
std::string Percent2(float value) { return FixedOrNoValue(value, 2, " %"); }
std::string WholePercent(int value) { return std::to_string(value) + " %"; }

// A share of records, count × 100 / records: "%3.3f %%" in the summary, "%3.1f%%" in the list
// of failed intervals; "***" for a phase that does not exist or when no record was analysed.
std::string Share(std::int32_t count, std::int32_t records, int decimals, const char* unit)
{
    if (count == kMissingPhase || records <= 0) return kMissing;
    return FixedOrNoValue(count * 100.0 / records, decimals, unit);
}
std::string SummaryShare(std::int32_t count, std::int32_t records) { return Share(count, records, 3, " %"); }
std::string ListShare(std::int32_t count, std::int32_t records) { return Share(count, records, 1, "%"); }

std::string DateText(TDateTime t) { return DateOrNoValue(t); }
std::string DateAndMinute(TDateTime t) { return DateAndMinuteOrNoValue(t); }

// A single-phase survey marks L2 of the summary's first group; the engine marks only the first
// harmonic channel and the first event category, but no phase beyond L1 exists on any of them.
bool SinglePhase(const TMeasureSummary& summary) { return summary.Totals[0][1] == kMissingPhase; }

void WriteVerdict(TF1Book& book, int row, bool passed, double size)
{
    book.SetCellText(row, Value, passed ? "Passed" : "Not Passed");
    book.SetSelection(row, Value, row, Value + 1);
    book.SetFont("Arial", size, true, false, false, false, passed ? kPassedColour : kFailedColour);
}

// The rows of one measure's block, counted from the row before it, as the template lays them.
class BlockWriter {
public:
    BlockWriter(TF1Book& book, int before) : book_(book), before_(before) {}
    void Text(int row, int col, const std::string& text) { book_.SetCellText(before_ + row, col, text); }
    void Text(int row, const std::string& text) { Text(row, Value, text); }
    void Number(int row, int col, double value) { book_.SetCellNumber(before_ + row, col, value); }
    void Number(int row, double value) { Number(row, Value, value); }
    // The three phases of a row; L2 and L3 "***" on a single-phase survey.
    void Phases(int row, const std::function<std::string(int phase)>& text, bool singlePhase)
    {
        const int cols[] = {L1, L2, L3};
        for (int p = 0; p < 3; ++p) Text(row, cols[p], p > 0 && singlePhase ? kMissing : text(p));
    }
    void Verdict(int row, bool passed) { WriteVerdict(book_, before_ + row, passed, 10); }
    void DeleteRows(int row1, int row2) { book_.DeleteRange(before_ + row1, -1, before_ + row2, -1, 3); }

private:
    TF1Book& book_;
    const int before_;
};

struct BlockContext {
    const TAnalysisReport& report;
    const TLimitsRecord& limits;
    const TMeasureFileInfo& file;
    const TMeasureSummary& summary;
    bool old() const { return report.Version == ReportVersion::Old; }
};

// Each block writer returns the rows its block holds once written (fewer than the template's
// when harmonic orders were removed).
int FillVoltage(BlockWriter& w, const BlockContext& c)
{
    const TLimitsRecord& l = c.limits;
    const TMeasureSummary& s = c.summary;
    w.Number(3, c.file.RecordCount);
    w.Text(4, Percent2(l.VLow));
    w.Text(5, Percent2(l.VHigh));
    w.Text(6, WholePercent(l.VPerc));
    w.Text(7, c.old() ? kMissing : Percent2(l.VLow2));
    w.Text(8, c.old() ? kMissing : Percent2(l.VHigh2));
    w.Text(9, c.old() ? kMissing : WholePercent(l.VPerc2));
    w.Number(11, s.Records);
    const bool single = SinglePhase(s);
    for (int p = 0; p < 3; ++p) {
        const bool exists = p == 0 || !single;
        w.Text(12 + p, exists ? SummaryShare(s.Totals[0][static_cast<std::size_t>(p)], s.Records) : kMissing);
        w.Text(15 + p, exists && !c.old() ? SummaryShare(s.Totals[1][static_cast<std::size_t>(p)], s.Records) : kMissing);
    }
    w.Verdict(18, s.Passed);
    return kReportBlockRows[MeasureVoltage];
}

int FillFrequency(BlockWriter& w, const BlockContext& c)
{
    const TLimitsRecord& l = c.limits;
    w.Number(3, c.file.RecordCount);
    const float limits[] = {l.HzLow1, l.HzHigh1, l.HzPerc1, l.HzLow2, l.HzHigh2, l.HzPerc2};
    for (int i = 0; i < 6; ++i) w.Text(4 + i, Percent2(limits[i]));
    w.Number(11, c.summary.Records);
    w.Text(12, SummaryShare(c.summary.Totals[0][0], c.summary.Records));
    w.Text(13, SummaryShare(c.summary.Totals[1][0], c.summary.Records));
    w.Verdict(14, c.summary.Passed);
    return kReportBlockRows[MeasureFrequency];
}

int FillUnbalance(BlockWriter& w, const BlockContext& c)
{
    w.Number(3, c.file.RecordCount);
    w.Text(4, Percent2(c.limits.UnbHigh));
    w.Text(5, WholePercent(c.limits.UnbPerc));
    w.Number(7, c.summary.Records);
    w.Text(8, SummaryShare(c.summary.Totals[0][0], c.summary.Records));
    w.Verdict(9, c.summary.Passed);
    return kReportBlockRows[MeasureUnbalance];
}

// Keeps the rows of a harmonic table (from `first`) for the orders of the report's channels, in
// channel order, and removes the others: a running index follows the template's orders, and
// the rows below it move up as rows are removed. Channels of the fundamental, of orders above
// the table and of orders already passed (a repeated or falling order) have no row. Returns the
// rows kept.
int FillHarmonicTable(BlockWriter& w, int first, int channels, const TReportHead& head,
                      const std::function<void(int row, int channel, int order)>& write)
{
    int index = 0, row = first;
    for (int channel = 0; channel < channels; ++channel) {
        const int order = head.HarmonicOrders[static_cast<std::size_t>(channel)];
        if (order == 1 || order > kHarmonicLastOrder) continue;
        while (index < kHarmonicTableRows && HarmonicTableOrder(index) < order) {
            w.DeleteRows(row, row);
            ++index;
        }
        if (index >= kHarmonicTableRows || HarmonicTableOrder(index) != order) continue;
        write(row, channel, order);
        ++row;
        ++index;
    }
    if (index < kHarmonicTableRows) w.DeleteRows(row, row + (kHarmonicTableRows - index) - 1);
    return row - first;
}

int FillHarmonics(BlockWriter& w, const BlockContext& c)
{
    const TReportHead& head = c.report.Head;
    const TMeasureSummary& s = c.summary;
    // The reader refuses more channels than the summary has groups; the bound keeps it so.
    const int channels = std::clamp<int>(head.HarmonicChannelCount, 0, kAnalysisGroups);
    w.Number(3, c.file.RecordCount);
    const int limitRows = FillHarmonicTable(w, kHarmonicLimitsFrom, channels, head, [&](int row, int, int order) {
        w.Text(row, Value, Percent2(c.limits.HHigh[static_cast<std::size_t>(order)]));
        w.Text(row, Percentile, WholePercent(c.limits.HPerc[static_cast<std::size_t>(order)]));
    });
    // Every later row has moved up by the limit rows removed.
    const int shift = kHarmonicTableRows - limitRows;
    w.Number(45 - shift, s.Records);
    const bool single = SinglePhase(s);
    const int resultRows = FillHarmonicTable(w, kHarmonicResultsFrom - shift, channels, head, [&](int row, int channel, int) {
        const TPhaseCounts& counts = s.Totals[static_cast<std::size_t>(channel)];
        w.Phases(row, [&](int p) { return SummaryShare(counts[static_cast<std::size_t>(p)], s.Records); }, single);
    });
    const int removed = shift + kHarmonicTableRows - resultRows;
    w.Verdict(kReportBlockRows[MeasureVoltageHarmonics] - removed, s.Passed);
    return kReportBlockRows[MeasureVoltageHarmonics] - removed;
}

int FillFlicker(BlockWriter& w, const BlockContext& c)
{
    const TMeasureSummary& s = c.summary;
    w.Number(3, c.file.RecordCount);
    w.Text(4, FixedOrNoValue(c.limits.FlkHigh, 2, " p.u."));
    w.Text(5, WholePercent(c.limits.FlkPerc));
    w.Number(7, s.Records);
    const bool single = SinglePhase(s);
    for (int p = 0; p < 3; ++p)
        w.Text(8 + p, p > 0 && single ? kMissing : SummaryShare(s.Totals[0][static_cast<std::size_t>(p)], s.Records));
    w.Verdict(11, s.Passed);
    return kReportBlockRows[MeasureFlicker];
}

// The maximum expected per window of each category, in the categories' order.
constexpr std::int16_t TLimitsRecord::*kCategoryMaxima[kAnalysisEventCategories] = {
    &TLimitsRecord::VOver,  &TLimitsRecord::VUnder, &TLimitsRecord::VRapid,
    &TLimitsRecord::HzOver, &TLimitsRecord::HzUnder, &TLimitsRecord::UnbOver,
    &TLimitsRecord::HOver,  &TLimitsRecord::FlkOver, &TLimitsRecord::VDepth};
constexpr int kOverUnbalance = 5;  // counted on L1 only

int FillEvents(BlockWriter& w, const BlockContext& c)
{
    const TMeasureSummary& s = c.summary;
    w.Number(3, c.file.RecordCount);
    const bool single = SinglePhase(s);
    for (std::size_t i = 0; i < kReportEventCategoryRows.size(); ++i) {
        const int category = kReportEventCategoryRows[i];
        const int row = static_cast<int>(i);
        w.Number(kEventMaximaFrom + row, c.limits.*kCategoryMaxima[category]);
        const TPhaseCounts& counts = s.Totals[static_cast<std::size_t>(category)];
        const int cols[] = {L1, L2, L3};
        for (int p = 0; p < (category == kOverUnbalance ? 1 : 3); ++p) {
            const std::int32_t count = counts[static_cast<std::size_t>(p)];
            if ((p > 0 && single) || count == kMissingPhase)
                w.Text(kEventTotalsFrom + row, cols[p], kMissing);
            else
                w.Number(kEventTotalsFrom + row, cols[p], count);
        }
    }
    w.Number(14, s.Records);
    w.Verdict(25, s.Passed);
    return kReportBlockRows[MeasureEvents];
}

using BlockFill = int (*)(BlockWriter&, const BlockContext&);
constexpr BlockFill kBlockFills[kAnalysisMeasures] = {FillVoltage,  FillFrequency, FillUnbalance,
                                                      FillHarmonics, FillFlicker,  FillEvents};

void FillHead(TF1Book& book, const TAnalysisReport& report, bool allPassed)
{
    const TSurveySelection& survey = report.Head.Survey;
    const auto put = [&book](int row, const std::string& text) { book.SetCellText(row, Value, text); };
    put(ReportRows::SurveyName, DisplayText(survey.Name));
    put(ReportRows::Description, DisplayText(survey.Description));
    put(ReportRows::Site, DisplayText(survey.Site));
    put(ReportRows::Operator, DisplayText(survey.Operator));
    put(ReportRows::Start, DateAndMinute(survey.Start));
    put(ReportRows::Stop, DateAndMinute(survey.Stop));
    put(ReportRows::WindowDays, std::to_string(report.Head.Params.WindowDays) + " day(s)");
    put(ReportRows::Period, std::to_string(ObservationPeriodMinutes(report.Head.Params.PeriodIndex)) + " minute(s)");
    const float nominal = survey.File(MeasureVoltage).NominalValue();
    put(ReportRows::Nominal, FixedOrNoValue(nominal, 2, "V"));
    WriteVerdict(book, ReportRows::Verdict, allPassed, 12);
}

// The lines of one failed interval in the list, by measure.
std::vector<std::string> FailedLines(int measure, const TFailedInterval& f, bool singlePhase, ReportVersion version)
{
    const auto group = [&f](std::size_t g) { return g < f.Counts.size() ? f.Counts[g] : TPhaseCounts{}; };
    const bool single = singlePhase || group(0)[1] == kMissingPhase;
    const int phases = single ? 1 : 3;
    const std::string start = "Start date: " + DateText(f.Day);
    const std::string total = "Total analyzed records: " + std::to_string(f.Total);
    const auto phaseName = [](int p) { return "L" + std::to_string(p + 1); };
    std::vector<std::string> lines;
    switch (measure) {
    case MeasureVoltage:
        lines.push_back(start);
        // Old reports hold no counts of the second limits: their lines are left out.
        for (std::size_t g = 0; g < (version == ReportVersion::Old ? 1u : 2u); ++g)
            for (int p = 0; p < phases; ++p)
                lines.push_back("Out of range records " + std::to_string(g + 1) + " for " + phaseName(p) +
                                " phase: " + ListShare(group(g)[static_cast<std::size_t>(p)], f.Total));
        break;
    case MeasureFrequency:
        lines.push_back(start);
        lines.push_back("Out of range records for limit 1: " + ListShare(group(0)[0], f.Total));
        lines.push_back("Out of range records for limit 2: " + ListShare(group(0)[1], f.Total));
        break;
    case MeasureVoltageHarmonics:
    case MeasureUnbalance:
    case MeasureFlicker:
        lines.push_back(start);
        if (measure == MeasureVoltageHarmonics) lines.push_back("Harmonic Order: " + HarmonicLabel(f.Tag));
        for (int p = 0; p < phases; ++p)
            lines.push_back("Out of range records for " + phaseName(p) +
                            " phase: " + ListShare(group(0)[static_cast<std::size_t>(p)], f.Total));
        break;
    case MeasureEvents:
        lines.push_back(std::string(AnalysisEventCategoryNames[static_cast<std::size_t>(f.Tag)]));
        lines.push_back(start);
        for (int p = 0; p < phases; ++p)
            lines.push_back("Events for " + phaseName(p) + " phase: " + std::to_string(group(0)[static_cast<std::size_t>(p)]));
        break;
    default: break;
    }
    lines.push_back(total);
    return lines;
}

constexpr std::string_view kFailedIntervalTitles[kAnalysisMeasures] = {
    "Voltages Failed Interval(s)", "Frequencies Failed Interval(s)", "Unbalance Failed Interval(s)",
    "Harmonics Failed Interval(s)", "Flicker Failed Interval(s)",    "Events Failed Interval(s)"};
}  // namespace

bool ReportHasMeasure(const TAnalysisReport& report, int measure)
{
    return report.Head.Survey.File(measure).Selected && report.Measure(measure).HasSummary;
}

bool ReportAllPassed(const TAnalysisReport& report)
{
    for (int k = 1; k <= kAnalysisMeasures; ++k)
        if (ReportHasMeasure(report, k) && !report.Measure(k).Summary.Passed) return false;
    return true;
}

TReportSheetParts FillReportSheet(TF1Book& book, const TAnalysisReport& report)
{
    TReportSheetParts parts;
    parts.AllPassed = ReportAllPassed(report);
    const std::string name = DisplayText(report.Head.Survey.Name);
    book.SetSheet(1);
    book.SetTableName(name);
    // The sheet is named after the survey as far as an Excel 5.0 sheet name allows, so that the
    // report can always be saved.
    book.SetSheetName(1, ExcelSheetName(name));
    book.AllowAutoFill = book.AllowDelete = book.AllowDesigner = book.AllowFillRange = false;
    book.AllowInCellEditing = book.AllowMoveRange = false;
    book.AllowSelections = true;
    book.ShowGridLines = book.ShowColHeading = book.ShowRowHeading = false;
    constexpr int kWidths[] = {400, 3000, 3300, 3300, 2600, 2000, 2600, 2000, 2600, 400};
    for (int col = 1; col <= Last; ++col) book.SetColumnWidth(col, kWidths[col - 1]);

    FillHead(book, report, parts.AllPassed);
    // Each block starts after the previous block's verdict row, wherever the removed rows left it.
    int before = ReportRows::Verdict;
    for (int k = 1; k <= kAnalysisMeasures; ++k) {
        BlockWriter writer(book, before);
        const int rows = kReportBlockRows[static_cast<std::size_t>(k)];
        if (!ReportHasMeasure(report, k)) {
            writer.DeleteRows(1, rows);
            continue;
        }
        const BlockContext context{report, report.Head.Params.Limits, report.Head.Survey.File(k), report.Measure(k).Summary};
        const int written = kBlockFills[k - 1](writer, context);
        // A measure's block prints on one page when it fits on one; later removals lie below it.
        book.KeepRowsTogether(before + 1, before + written);
        before += written;
    }

    book.SetSelection(ReportRows::Title, Label, ReportRows::Subtitle, L3);
    book.SetAlignment(kCentreAcross, false, kMiddle, 0);
    book.SetSelection(ReportRows::SurveyName, Label, before, L3);
    book.SetAlignment(kLeft, false, kMiddle, 0);

    parts.FirstFailedRow = book.LastRow() + 1;
    if (!parts.AllPassed) AddFailedIntervals(book, report, parts.FirstFailedRow);
    ShowReportPart(book, false, parts.FirstFailedRow);
    book.SetMaxCol(book.LastCol() + 1);
    book.SetRow(1);
    book.SetCol(1);
    return parts;
}

void AddFailedIntervals(TF1Book& book, const TAnalysisReport& report, int firstFailedRow)
{
    int row = firstFailedRow + 1;
    for (int k = 1; k <= kAnalysisMeasures; ++k) {
        if (!ReportHasMeasure(report, k) || report.Measure(k).Summary.Passed) continue;
        const TReportMeasure& measure = report.Measure(k);
        book.SetCellText(row, Label, std::string(kFailedIntervalTitles[k - 1]));
        book.SetSelection(row, 1, row, 6);
        book.SetFont("Arial", 10, true, false, false, false, kFailedTitleColour);
        // Printed, an interval's lines stay on one page, and the title with the first of them.
        int first = row++;
        const bool single = SinglePhase(measure.Summary);
        for (const TFailedInterval& failed : measure.FailedIntervals) {
            for (const std::string& line : FailedLines(k, failed, single, report.Version)) book.SetCellText(row++, Label, line);
            book.KeepRowsTogether(first, row - 1);
            first = ++row;
        }
    }
}

void ShowReportPart(TF1Book& book, bool failedIntervals, int firstFailedRow)
{
    book.SetMaxRow(failedIntervals ? book.LastRow() + 1 : firstFailedRow);
    book.SetTopRow(failedIntervals ? firstFailedRow : 1);
    book.SetLeftCol(1);
}

void SetReportPrintSettings(TF1Book& book)
{
    book.SetPrintNoColor(false);
    book.SetPrintGridLines(false);
    book.SetPrintHeader("");
    book.SetPrintFooter("");
    book.SetPrintTopMargin(1.0);
    book.SetPrintLeftToRight(false);
}
