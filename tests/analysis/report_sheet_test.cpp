// The analysis report's sheet, filled on the template from read report files: the blocks of the
// measures in the report at the rows the removed ones leave them, the harmonic tables of the
// orders analysed, old and single-phase reports, the list of failed intervals and the switch to
// it, and what damaged values show.
#include "analysis/report_sheet.h"
#include "analysis/report_template.h"

#include "fixtures/data_fixture.h"
#include "fixtures/report_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"
#include "sheet/biff5_writer.h"
#include "sheet/xlrd_check.h"
#include "survey/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
struct FilledReport {
    TF1Book book;
    TReportSheetParts parts;
    std::string Text(int row, int col) const { return book.CellText(row, col); }
};

TAnalysisReport Read(const ReportFixture& fixture)
{
    TReportRead read = ReadAnalysisReport(ReportBytes(fixture));
    EXPECT_TRUE(read.Report) << read.Detail;
    return read.Report ? *read.Report : TAnalysisReport{};
}

FilledReport Fill(const ReportFixture& fixture, TF1Book book = ReportTemplateBook())
{
    FilledReport filled{std::move(book), {}};
    filled.parts = FillReportSheet(filled.book, Read(fixture));
    return filled;
}

ReportMeasureFields& MeasureOf(ReportFixture& r, int measure)
{
    for (auto& m : r.measures)
        if (m.measure == measure) return m;
    throw std::logic_error("no such measure in the fixture");
}

// The fixture report with limits that tell their fields apart.
ReportFixture EveryMeasure()
{
    ReportFixture r = EveryMeasureReport();
    r.limits.HHigh[0] = 8, r.limits.HHigh[3] = 5, r.limits.HHigh[5] = 6, r.limits.HPerc[5] = 99;
    r.limits.VOver = 1, r.limits.VUnder = 2, r.limits.VRapid = 3, r.limits.VDepth = 4, r.limits.HzOver = 5;
    r.limits.HzUnder = 6, r.limits.UnbOver = 7, r.limits.HOver = 8, r.limits.FlkOver = 9;
    return r;
}

// Text of a row's columns 5, 7 and 9.
std::vector<std::string> Phases(const FilledReport& f, int row) { return {f.Text(row, 5), f.Text(row, 7), f.Text(row, 9)}; }
using Texts = std::vector<std::string>;

struct ExpectedCell {
    int row, col;
    std::string text;
};
void ExpectCells(const FilledReport& f, const std::vector<ExpectedCell>& cells)
{
    for (const ExpectedCell& c : cells) EXPECT_EQ(f.Text(c.row, c.col), c.text) << "row " << c.row << " col " << c.col;
}
}  // namespace

TEST(ReportSheet, EveryMeasureFillsItsBlockBesideItsLabels)
{
    const FilledReport f = Fill(EveryMeasure());
    ExpectCells(f, {
        {4, 5, "demo.orv"}, {5, 5, "Demonstration feeder"}, {6, 5, "Substation"}, {7, 5, "A. Engineer"},
        {8, 5, "15/03/2024 00:00"}, {9, 5, "21/03/2024 23:59"}, {11, 5, "3 day(s)"}, {12, 5, "10 minute(s)"},
        {13, 5, "230.00V"}, {14, 2, "Overall result:"}, {14, 5, "Not Passed"},
        // Voltage, rows 15 to 32: 30 L2 records of 1008 below limit 1.
        {15, 2, "Voltage"}, {17, 5, "1008"}, {18, 5, "10.00 %"}, {19, 5, "10.00 %"}, {20, 5, "95 %"},
        {21, 5, "15.00 %"}, {22, 5, "10.00 %"}, {23, 5, "100 %"}, {25, 5, "1008"},
        {26, 5, "0.000 %"}, {27, 2, "Limit 1, records outside, L2:"}, {27, 5, "2.976 %"}, {28, 5, "0.000 %"},
        {31, 5, "0.000 %"}, {32, 2, "Result:"}, {32, 5, "Not Passed"},
        // Frequency, rows 33 to 46.
        {33, 2, "Frequency"}, {36, 5, "1.00 %"}, {38, 5, "99.50 %"}, {41, 5, "100.00 %"}, {44, 5, "0.000 %"},
        {46, 5, "Passed"},
        // Unbalance, rows 47 to 55.
        {47, 2, "Unbalance"}, {50, 5, "2.00 %"}, {51, 5, "95 %"}, {54, 5, "0.000 %"}, {55, 5, "Passed"},
    });
    EXPECT_DOUBLE_EQ(f.book.CellNumber(17, 5), 1008);
    EXPECT_DOUBLE_EQ(f.book.CellNumber(25, 5), 1008);
    const CellStyle& overall = f.book.StyleOf(*f.book.SheetAt(1).Find(14, 6));
    EXPECT_EQ(overall.font.heightTwips, 240);
    EXPECT_TRUE(overall.font.bold);
    EXPECT_EQ(overall.font.colour, 0x0000FFu);
    const CellStyle& frequency = f.book.StyleOf(*f.book.SheetAt(1).Find(46, 5));
    EXPECT_EQ(frequency.font.heightTwips, 200);
    EXPECT_EQ(frequency.font.colour, 0x008000u);
}

TEST(ReportSheet, HarmonicTablesKeepTheRowsOfTheOrdersAnalysedAndLaterBlocksMoveUp)
{
    const FilledReport f = Fill(EveryMeasure());  // channels THD, 3rd and 5th
    // Voltage harmonics from row 56: three limit rows, three result rows, 13 rows in all.
    ExpectCells(f, {
        {56, 2, "Voltage Harmonics"}, {58, 5, "1008"},
        {59, 2, "Thd at most:"}, {59, 5, "8.00 %"}, {59, 8, "95 %"},
        {60, 2, "3rd at most:"}, {60, 5, "5.00 %"}, {60, 8, "95 %"},
        {61, 2, "5th at most:"}, {61, 5, "6.00 %"}, {61, 8, "99 %"},
        {63, 2, "Records analysed:"}, {63, 5, "1008"}, {64, 7, "L2"},
        {65, 2, "Thd:"}, {66, 2, "3rd:"}, {67, 2, "5th:"}, {68, 2, "Result:"}, {68, 5, "Not Passed"},
        // Flicker from row 69.
        {69, 2, "Flicker"}, {71, 5, "1008"}, {72, 5, "1.00 p.u."}, {73, 5, "95 %"}, {78, 5, "0.000 %"},
        {79, 2, "Result:"}, {79, 5, "Passed"},
        // Events from row 80: maxima in the template's order, totals per category and phase.
        {80, 2, "Events"}, {82, 5, "40"}, {83, 2, "Max. Over Voltages:"}, {83, 5, "1"}, {86, 2, "Max. Interruption Voltage:"},
        {86, 5, "4"}, {91, 2, "Max. Over Flicker:"}, {91, 5, "9"}, {93, 5, "40"},
        {96, 2, "Under Voltages:"}, {101, 2, "Over Unbalance:"}, {101, 5, "0"}, {101, 7, ""}, {101, 9, ""},
        {104, 2, "Result:"}, {104, 5, "Not Passed"},
    });
    EXPECT_EQ(Phases(f, 65), (Texts{"0.000 %", "0.000 %", "0.000 %"}));
    EXPECT_EQ(Phases(f, 67), (Texts{"3.968 %", "0.000 %", "0.000 %"}));
    EXPECT_EQ(Phases(f, 96), (Texts{"0", "0", "8"}));
    EXPECT_DOUBLE_EQ(f.book.CellNumber(96, 9), 8);
    for (int order = 0; order <= 50; ++order) {
        if (order == 0 || order == 3 || order == 5) continue;
        for (int row = 1; row <= f.book.LastRow(); ++row) EXPECT_NE(f.Text(row, 2), HarmonicLabel(order) + " at most:") << order;
    }
}

TEST(ReportSheet, VoltageAndEventsOnlyPutTheEventsBlockAfterTheVoltageVerdict)
{
    ReportFixture r = EveryMeasure();
    for (int k = 2; k <= 5; ++k) r.survey.File(k).Selected = false;
    r.measures = {r.measures[0], r.measures[5]};
    r.channelCount = 0;
    r.orders = {};
    const FilledReport f = Fill(r);
    ExpectCells(f, {{32, 5, "Not Passed"}, {33, 2, "Events"}, {35, 5, "40"}, {36, 5, "1"}, {46, 5, "40"},
                    {49, 2, "Under Voltages:"}, {49, 9, "8"}, {57, 2, "Result:"}, {57, 5, "Not Passed"}});
    EXPECT_EQ(f.parts.FirstFailedRow, 58);
    EXPECT_EQ(f.Text(59, 2), "Voltages Failed Interval(s)");
}

TEST(ReportSheet, MeasuresWithoutASummaryOrNotSelectedAreLeftOut)
{
    ReportFixture r = EveryMeasure();
    MeasureOf(r, MeasureFrequency).hasSummary = false;  // its temporary file was missing
    r.survey.File(MeasureUnbalance).Selected = false;     // a summary the survey part does not select
    MeasureOf(r, MeasureUnbalance).summary.Passed = false;
    const FilledReport f = Fill(r);
    EXPECT_EQ(f.Text(33, 2), "Voltage Harmonics");
    EXPECT_EQ(f.Text(45, 5), "Not Passed");
    for (int row = 1; row <= f.book.LastRow(); ++row) {
        EXPECT_NE(f.Text(row, 2), "Frequency");
        EXPECT_NE(f.Text(row, 2), "Unbalance");
        EXPECT_NE(f.Text(row, 2), "Unbalance Failed Interval(s)");
    }
}

TEST(ReportSheet, HarmonicChannelsWithoutARowAreSkipped)
{
    ReportFixture r = EveryMeasure();
    // The fundamental, a falling order, a repeated one and one above the table have no row.
    r.channelCount = 7;
    r.orders = {0, 1, 7, 3, 7, 45, 40};
    auto& harmonics = MeasureOf(r, MeasureVoltageHarmonics);
    harmonics.summary.Records = 1000;
    harmonics.summary.Totals[2] = {10, 20, 30};
    harmonics.summary.Totals[3] = {99, 99, 99};
    harmonics.summary.Totals[6] = {50, 60, 70};
    for (auto& w : harmonics.windows) w.Counts.resize(7);
    r.limits.HHigh[7] = 4.5f, r.limits.HHigh[40] = 0.25f;
    const FilledReport f = Fill(r);
    ExpectCells(f, {{59, 2, "Thd at most:"}, {60, 2, "7th at most:"}, {60, 5, "4.50 %"}, {61, 2, "40th at most:"},
                    {61, 5, "0.25 %"}, {65, 2, "Thd:"}, {66, 2, "7th:"}, {67, 2, "40th:"}, {68, 2, "Result:"}});
    EXPECT_EQ(Phases(f, 66), (Texts{"1.000 %", "2.000 %", "3.000 %"}));
    EXPECT_EQ(Phases(f, 67), (Texts{"5.000 %", "6.000 %", "7.000 %"}));
}

TEST(ReportSheet, OldReportShowsNoSecondVoltageLimits)
{
    ReportFixture r = EveryMeasure();
    r.old = true;
    for (auto& f : MeasureOf(r, MeasureVoltage).failed) f.Counts.resize(1);
    for (auto& w : MeasureOf(r, MeasureVoltage).windows) w.Counts.resize(1);
    const FilledReport f = Fill(r);
    ExpectCells(f, {{20, 5, "95 %"}, {21, 5, "***"}, {22, 5, "***"}, {23, 5, "***"}, {27, 5, "2.976 %"},
                    {29, 5, "***"}, {30, 5, "***"}, {31, 5, "***"}});
    // Its failed intervals list the first limits only.
    ExpectCells(f, {{107, 2, "Start date: 15/03/2024"}, {109, 2, "Out of range records 1 for L2 phase: 6.9%"},
                    {111, 2, "Total analyzed records: 432"}, {112, 2, ""}, {113, 2, "Start date: 16/03/2024"}});
}

TEST(ReportSheet, SinglePhaseSurveyShowsNoL2AndL3OnAnyChannel)
{
    ReportFixture r = EveryMeasure();
    // As the engine marks them: voltage both limits, the others their first group only.
    auto& volt = MeasureOf(r, MeasureVoltage);
    volt.summary.Totals[0] = {30, kMissingPhase, kMissingPhase};
    volt.summary.Totals[1] = {0, kMissingPhase, kMissingPhase};
    for (auto& failed : volt.failed) failed.Counts = {{30, kMissingPhase, kMissingPhase}, {0, kMissingPhase, kMissingPhase}};
    auto& harmonics = MeasureOf(r, MeasureVoltageHarmonics);
    harmonics.summary.Totals[0] = {0, kMissingPhase, kMissingPhase};
    MeasureOf(r, MeasureFlicker).summary.Totals[0] = {0, kMissingPhase, kMissingPhase};
    auto& events = MeasureOf(r, MeasureEvents);
    events.summary.Totals[0] = {0, kMissingPhase, kMissingPhase};
    events.summary.Totals[1] = {8, 0, 0};
    for (auto& failed : events.failed) failed.Counts = {{8, kMissingPhase, kMissingPhase}};
    const FilledReport f = Fill(r);
    EXPECT_EQ(f.Text(26, 5), "2.976 %");
    for (int row : {27, 28, 30, 31}) EXPECT_EQ(f.Text(row, 5), "***") << row;
    EXPECT_EQ(f.Text(29, 5), "0.000 %");
    for (int row : {65, 66, 67}) EXPECT_EQ(Phases(f, row)[1] + Phases(f, row)[2], "******") << row;
    EXPECT_EQ(f.Text(67, 5), "3.968 %");
    EXPECT_EQ(f.Text(77, 5), "***");
    EXPECT_EQ(f.Text(78, 5), "***");
    for (int row = 95; row <= 103; ++row)
        EXPECT_EQ(f.Text(row, 7) + f.Text(row, 9), row == 101 ? "" : "******") << row;
    EXPECT_EQ(f.Text(96, 5), "8");

    // The failed intervals list L1 only, for the second harmonic channel too.
    ExpectCells(f, {{107, 2, "Start date: 15/03/2024"}, {108, 2, "Out of range records 1 for L1 phase: 6.9%"},
                    {109, 2, "Out of range records 2 for L1 phase: 0.0%"}, {110, 2, "Total analyzed records: 432"},
                    {111, 2, ""}});
    const int harmonicTitle = 106 + 1 + 3 * 5;
    ExpectCells(f, {{harmonicTitle, 2, "Harmonics Failed Interval(s)"}, {harmonicTitle + 2, 2, "Harmonic Order: 5th"},
                    {harmonicTitle + 3, 2, "Out of range records for L1 phase: 9.3%"},
                    {harmonicTitle + 4, 2, "Total analyzed records: 432"},
                    {harmonicTitle + 6, 2, "Events Failed Interval(s)"}, {harmonicTitle + 7, 2, "Under Voltages"},
                    {harmonicTitle + 9, 2, "Events for L1 phase: 8"}, {harmonicTitle + 10, 2, "Total analyzed records: 20"}});
}

TEST(ReportSheet, FailedIntervalsFollowTheSummaryAndTheSwitchShowsOnePartOrTheOther)
{
    FilledReport f = Fill(EveryMeasure());
    EXPECT_FALSE(f.parts.AllPassed);
    EXPECT_EQ(f.parts.FirstFailedRow, 105);
    // The summary view: the sheet ends at the first failed row, seen from the top left.
    EXPECT_EQ(f.book.MaxRow(), 105);
    EXPECT_EQ(f.book.MaxCol(), 10);  // the right margin column
    EXPECT_EQ(f.book.TopRow(), 1);
    EXPECT_EQ(f.book.Row(), 1);
    EXPECT_EQ(f.Text(105, 2), "");
    ExpectCells(f, {
        {106, 2, "Voltages Failed Interval(s)"},
        {107, 2, "Start date: 15/03/2024"},
        {108, 2, "Out of range records 1 for L1 phase: 0.0%"},
        {109, 2, "Out of range records 1 for L2 phase: 6.9%"},
        {110, 2, "Out of range records 1 for L3 phase: 0.0%"},
        {111, 2, "Out of range records 2 for L1 phase: 0.0%"},
        {113, 2, "Out of range records 2 for L3 phase: 0.0%"},
        {114, 2, "Total analyzed records: 432"},
        {115, 2, ""},
        {116, 2, "Start date: 16/03/2024"},
        {125, 2, "Start date: 17/03/2024"},
        {134, 2, "Harmonics Failed Interval(s)"},
        {135, 2, "Start date: 19/03/2024"},
        {136, 2, "Harmonic Order: 5th"},
        {137, 2, "Out of range records for L1 phase: 9.3%"},
        {139, 2, "Out of range records for L3 phase: 0.0%"},
        {140, 2, "Total analyzed records: 432"},
        {142, 2, "Events Failed Interval(s)"},
        {143, 2, "Under Voltages"},
        {144, 2, "Start date: 15/03/2024"},
        {145, 2, "Events for L1 phase: 0"},
        {146, 2, "Events for L2 phase: 0"},
        {147, 2, "Events for L3 phase: 8"},
        {148, 2, "Total analyzed records: 20"},
        {151, 2, "Start date: 16/03/2024"},
        {155, 2, "Total analyzed records: 20"},
    });
    EXPECT_EQ(f.book.LastRow(), 155);
    const CellStyle& title = f.book.StyleOf(*f.book.SheetAt(1).Find(106, 1));
    EXPECT_TRUE(title.font.bold);
    EXPECT_EQ(title.font.colour, 0xFF0000u);

    ShowReportPart(f.book, true, f.parts.FirstFailedRow);
    EXPECT_EQ(f.book.MaxRow(), 156);
    EXPECT_EQ(f.book.TopRow(), 105);
    ShowReportPart(f.book, false, f.parts.FirstFailedRow);
    EXPECT_EQ(f.book.MaxRow(), 105);
    EXPECT_EQ(f.book.TopRow(), 1);
}

TEST(ReportSheet, EveryMeasurePassedHasNoFailedPart)
{
    ReportFixture r = EveryMeasure();
    for (auto& m : r.measures) {
        m.summary.Passed = true;
        m.failed.clear();
    }
    const FilledReport f = Fill(r);
    EXPECT_TRUE(f.parts.AllPassed);
    EXPECT_EQ(f.Text(14, 5), "Passed");
    EXPECT_EQ(f.book.LastRow(), 104);
    EXPECT_EQ(f.parts.FirstFailedRow, 105);
    EXPECT_EQ(f.book.MaxRow(), 105);
}

TEST(ReportSheet, WithoutTheTemplateTheValuesStandWhereTheLabelsWouldBe)
{
    const FilledReport withTemplate = Fill(EveryMeasure());
    const FilledReport alone = Fill(EveryMeasure(), TF1Book());
    EXPECT_EQ(alone.Text(59, 2), "");
    // Every value stands where it stands on the template.
    int values = 0;
    for (const auto& [row, cells] : alone.book.SheetAt(1).rows)
        for (const Cell& cell : cells.cells) {
            if (cell.kind == CellKind::Empty) continue;
            ++values;
            EXPECT_EQ(alone.book.DisplayText(cell), withTemplate.Text(row, cell.col)) << row << " " << cell.col;
        }
    EXPECT_GT(values, 100);
    ExpectCells(alone, {{4, 5, "demo.orv"}, {27, 5, "2.976 %"}, {61, 8, "99 %"}, {67, 5, "3.968 %"}, {104, 5, "Not Passed"}});
    EXPECT_EQ(alone.parts.FirstFailedRow, 105);
    EXPECT_EQ(alone.Text(106, 2), "Voltages Failed Interval(s)");
}

TEST(ReportSheet, ValuesThatDoNotExistShowAsStars)
{
    ReportFixture r = EveryMeasure();
    r.survey.Start = std::numeric_limits<double>::quiet_NaN();
    r.survey.Stop = 1e300;
    r.limits.VLow = std::numeric_limits<float>::infinity();
    r.limits.FlkHigh = std::numeric_limits<float>::quiet_NaN();
    StoreU32(r.survey.File(MeasureVoltage).Nominal.data(), 0x7FC00000u);  // NaN
    auto& volt = MeasureOf(r, MeasureVoltage);
    volt.summary.Records = 0;
    volt.failed[0].Total = 0;
    volt.failed[1].Day = -1e12;
    const FilledReport f = Fill(r);
    ExpectCells(f, {{8, 5, "***"}, {9, 5, "***"}, {13, 5, "***"}, {18, 5, "***"}, {19, 5, "10.00 %"}, {72, 5, "***"},
                    {25, 5, "0"}, {26, 5, "***"}, {27, 5, "***"}, {31, 5, "***"}});
    ExpectCells(f, {{108, 2, "Out of range records 1 for L1 phase: ***"}, {114, 2, "Total analyzed records: 0"},
                    {116, 2, "Start date: ***"}});
}

TEST(ReportSheet, TheSheetIsNamedAfterTheSurveyAsExcelAllows)
{
    ReportFixture r = EveryMeasure();
    r.survey.Name = "feeder [A]: week 12/2024 of the long study.orv";
    FilledReport f = Fill(r);
    EXPECT_EQ(f.book.TableName(), "feeder [A]: week 12/2024 of the long study.orv");
    EXPECT_EQ(f.book.SheetName(1), "feeder _A__ week 12_2024 of the");
    EXPECT_EQ(ExcelSheetName(""), "Sheet1");
    EXPECT_EQ(ExcelSheetName("Größe?"), "Größe_");
    TempProgDir dir;
    ScriptedMessages messages;
    EXPECT_TRUE(f.book.WriteFile(dir / "report.xls", kFileTypeExcel5)) << testing::PrintToString(messages.Texts());
}

TEST(ReportSheet, SavedReportReadsInXlrd)
{
    TempProgDir dir;
    const FilledReport f = Fill(EveryMeasure());
    XlrdDump x = WriteAndCheckWithXlrd(f.book, dir / "report.xls", true);
    EXPECT_EQ(x["sheet.1.name"], "demo.orv");
    EXPECT_EQ(x["cell.1.4.5"], "t:demo.orv");
    EXPECT_EQ(x["cell.1.17.5"], "n:1008.0");
    EXPECT_EQ(x["cell.1.27.5"], "t:2.976 %");
    EXPECT_EQ(x["cell.1.67.2"], "t:5th:");
    EXPECT_EQ(x["cell.1.147.2"], "t:Events for L3 phase: 8");
    EXPECT_EQ(x[x.FontOf(1, 14, 5) + "colour"], "ff0000");  // red, as xlrd gives RGB
}
