// The report template "template.xls" as the build writes it: read by Debian's xlrd, with its
// labels in the rows the report fill writes beside, and read back by our own reader as the book
// it was made from.
#include "analysis/report_sheet.h"
#include "analysis/report_template.h"

#include "fixtures/report_fixture.h"
#include "platform/file_io.h"
#include "sheet/sheet_files.h"
#include "sheet/xlrd_check.h"

#include <gtest/gtest.h>

TEST(ReportTemplate, GeneratedFileHoldsTheLabelsInTheRowsTheFillExpects)
{
    XlrdDump x = CheckWithXlrd(ORV_REPORT_TEMPLATE, true);
    EXPECT_EQ(x["sheet.1.nrows"], "178");
    const std::pair<int, const char*> labels[] = {
        {1, "Tarn - Zidevid Phase Monitor"}, {4, "Survey:"}, {9, "Stop:"}, {13, "Nominal voltage:"},
        {14, "Overall result:"},
        {15, "Voltage"}, {17, "Records in the data file:"}, {23, "Limit 2, records within at least:"},
        {25, "Records analysed:"}, {31, "Limit 2, records outside, L3:"}, {32, "Result:"},
        {33, "Frequency"}, {46, "Result:"}, {47, "Unbalance"}, {55, "Result:"},
        {56, "Voltage Harmonics"}, {59, "Thd at most:"}, {60, "2nd at most:"}, {98, "40th at most:"},
        {100, "Records analysed:"}, {102, "Thd:"}, {103, "2nd:"}, {141, "40th:"}, {142, "Result:"},
        {143, "Flicker"}, {149, "Records analysed:"}, {153, "Result:"},
        {154, "Events"}, {157, "Max. Over Voltages:"}, {160, "Max. Interruption Voltage:"}, {165, "Max. Over Flicker:"},
        {167, "Events counted:"}, {169, "Over Voltages:"}, {175, "Over Unbalance:"}, {178, "Result:"},
    };
    for (const auto& [row, text] : labels) EXPECT_EQ(x["cell.1." + std::to_string(row) + ".2"], std::string("t:") + text) << row;
    EXPECT_EQ(x["cell.1.59.7"], "t:percentile:");
    EXPECT_EQ(x["cell.1.101.9"], "t:L3");
    EXPECT_EQ(x["cell.1.168.5"], "t:L1");
    EXPECT_EQ(x["sheet.1.colwidth.2"], "3000");
    EXPECT_EQ(x["sheet.1.colwidth.10"], "400");
}

TEST(ReportTemplate, FileReadBackFillsAsTheBookItWasMadeFrom)
{
    const auto bytes = ReadWholeFile(ORV_REPORT_TEMPLATE);
    ASSERT_TRUE(bytes);
    int type = 0;
    std::string error;
    auto fromFile = ReadBookBytes(*bytes, type, error);
    ASSERT_TRUE(fromFile) << error;
    EXPECT_EQ(type, kFileTypeExcel5);
    TF1Book made = ReportTemplateBook();
    EXPECT_EQ(fromFile->LastRow(), kReportTemplateRows);
    const TAnalysisReport report = *ReadAnalysisReport(ReportBytes(EveryMeasureReport())).Report;
    FillReportSheet(*fromFile, report);
    FillReportSheet(made, report);
    ASSERT_EQ(fromFile->LastRow(), made.LastRow());
    for (int row = 1; row <= made.LastRow(); ++row)
        for (int col = 1; col <= ReportCols::Last; ++col)
            EXPECT_EQ(fromFile->CellText(row, col), made.CellText(row, col)) << row << " " << col;
}
