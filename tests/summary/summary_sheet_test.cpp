// The summary report's sheet built from a summary: the header and measure list, where each
// measure's block lies, and the marks of values beyond their limits.
#include "summary/summary_sheet.h"

#include <gtest/gtest.h>

#include <cctype>
#include <limits>

namespace {
TSummaryFile Summary(std::initializer_list<int> measures)
{
    TSummaryFile s;
    s.Survey.Name = "feeder.orv";
    s.Survey.Description = "Feeder 3";
    s.Survey.Site = "North yard";
    s.Survey.Operator = "R. Tester";
    s.Survey.Start = 45352.0;                                      // 01/03/2024 00:00
    s.Survey.Stop = 45359.0 + 1439.0 / 1440 + kStopMinuteExtraDays;  // 08/03/2024 23:59
    for (int m : measures) {
        TMeasureFileInfo& info = s.Survey.File(m);
        info.Selected = true;
        info.RecordCount = 1000 + m;
        info.Rate = m == 2 ? 600 : 10;
        StoreU32(info.Nominal.data(), 0x43660000);  // 230.0f
    }
    SetDefaultSummaryParams(s.Params);
    s.Params.LimitsFileName = "/limits/site.lim";
    return s;
}

TF1Book Filled(const TSummaryFile& s)
{
    TF1Book book;
    FillSummarySheet(book, s);
    return book;
}

bool Marked(const TF1Book& book, int row, int col)
{
    const Cell* cell = book.SheetAt(1).Find(row, col);
    if (!cell) return false;
    const CellStyle& style = book.StyleOf(*cell);
    return style.font.colour == 0xFFFFFF && style.font.bold && style.pattern == 1 && style.patternFore == 0x0000FF;
}

std::vector<std::string> Column(const TF1Book& book, int col, int row1, int row2)
{
    std::vector<std::string> texts;
    for (int row = row1; row <= row2; ++row) texts.push_back(book.CellText(row, col));
    return texts;
}
}  // namespace

TEST(SummarySheet, HeaderAndMeasureList)
{
    const TF1Book book = Filled(Summary({1, 4, 5}));
    EXPECT_EQ(book.TableName(), "feeder.orv");
    EXPECT_FALSE(book.ShowGridLines);
    EXPECT_EQ(book.CellText(2, 2), "Tarn - Zidevid Phase Monitor");
    EXPECT_EQ(book.CellText(4, 2), "Survey Summary");
    EXPECT_EQ(Column(book, 5, 6, 15),
              (std::vector<std::string>{"feeder.orv", "Feeder 3", "North yard", "R. Tester", "", "01/03/2024 00:00",
                                        "08/03/2024 23:59", "95%", "site.lim", "230.00V"}));
    EXPECT_EQ(book.CellText(15, 2), "Nominal Value [Un]:");
    EXPECT_EQ(Column(book, 7, 11, 14), (std::vector<std::string>{"Voltage", "Harmonics", "Flicker", ""}));
    EXPECT_EQ(Column(book, 9, 10, 13), (std::vector<std::string>{"Records", "1001", "1004", "1005"}));
    EXPECT_EQ(book.CellText(11, 11), "10 min.");
    EXPECT_EQ(book.CellText(17, 9), "Value 95%");
    EXPECT_EQ(Column(book, 9, 18, 18), (std::vector<std::string>{"L1"}));
    EXPECT_EQ(book.ColumnWidth(2), 2400);
    EXPECT_EQ(book.ColumnWidth(8), 2000);
}

// Voltage, harmonics with Thd, 3rd and 5th (n = 5), flicker: rows 19-26, 27-32 and 33-36.
TEST(SummarySheet, BlocksOfVoltageHarmonicsAndFlicker)
{
    TSummaryFile s = Summary({1, 4, 5, 6});
    for (int o : {0, 3, 5}) s.Params.HarmonicSelected[static_cast<std::size_t>(o)] = true;
    s.Params.HarmonicSelected[30] = true;  // present in the file, beyond the summarised orders
    const TF1Book book = Filled(s);
    EXPECT_EQ(Column(book, 2, 19, 37),
              (std::vector<std::string>{"", "Voltage", "High", "Low", "Rapid Changes", "Events Over", "Events Under",
                                        "Events Interruption", "", "Harmonics", "Thd", "3rd", "5th", "Events", "",
                                        "Flicker", "Plt", "Events", ""}));
    EXPECT_EQ(book.RowHeight(19), 30);
    EXPECT_EQ(book.RowHeight(27), 30);
    EXPECT_EQ(Column(book, 4, 21, 26),
              (std::vector<std::string>{"+10.00", "-10.00", "5", "5", "5", "5"}));
    EXPECT_EQ(Column(book, 5, 21, 23), (std::vector<std::string>{"%[Un]", "%[Un]", "number"}));
    EXPECT_EQ(Column(book, 4, 29, 31), (std::vector<std::string>{"+8.00", "+5.00", "+6.00"}));
    EXPECT_EQ(book.CellText(35, 5), "Plt");
    EXPECT_EQ(book.MaxRow(), 38);
}

TEST(SummarySheet, OnlyFrequency)
{
    TSummaryFile s = Summary({2});
    s.Results.FrequencyMax = 0.25f;
    s.Results.FrequencyHighPct = 0.125f;
    const TF1Book book = Filled(s);
    EXPECT_EQ(book.CellText(11, 7), "Frequency");
    EXPECT_EQ(book.CellText(11, 9), "1002");
    EXPECT_EQ(book.CellText(11, 11), "10 min.");
    EXPECT_EQ(book.CellText(15, 2), "");
    EXPECT_EQ(Column(book, 2, 20, 28),
              (std::vector<std::string>{"Frequency 95%", "High", "Low", "Events Over", "Events Under", "",
                                        "Frequency 100%", "High", "Low"}));
    EXPECT_EQ(book.RowHeight(25), 30);
    EXPECT_EQ(book.CellNumber(21, 7), 0.25);
    EXPECT_EQ(book.CellNumber(21, 10), 0.125);
    EXPECT_EQ(book.DisplayText(1, 21, 7), "+0.3");
    EXPECT_EQ(book.CellNumber(27, 7), 0.25);
    EXPECT_EQ(book.CellText(27, 10), "");
    EXPECT_EQ(book.CellText(27, 4), "+4.00");
}

// The first frequency block is the summary's own percentile.
TEST(SummarySheet, FrequencyBlockNamesThePercentile)
{
    TSummaryFile s = Summary({2});
    s.Params.Percentile = 90;
    EXPECT_EQ(Filled(s).CellText(20, 2), "Frequency 90%");
}

TEST(SummarySheet, ValuesBeyondTheirLimitsAreMarked)
{
    TSummaryFile s = Summary({1, 2, 6});
    TSummaryResults& r = s.Results;
    r.VoltageMax = {10.0f, 10.01f, 0};   // VHigh 10: on the limit is within it
    r.VoltageHighPct = {9.5f, 0, 11};
    r.VoltageMin = {-10.5f, -10.0f, 0};  // VLow 10
    r.EventCounts[SummaryOverVoltages] = {5, 6, 0};  // VOver 5
    r.EventCounts[SummaryInterruptions] = {0, 0, 6};
    r.FrequencyMin = -1.5f;  // beyond HzLow1 1, within HzLow2 6
    r.EventCounts[SummaryOverFrequencies] = {6, 0, 0};
    const TF1Book book = Filled(s);
    // Voltage rows: High 21, Low 22, Rapid 23, Over 24, Under 25, Interruption 26.
    EXPECT_FALSE(Marked(book, 21, 6));
    EXPECT_TRUE(Marked(book, 21, 7));
    EXPECT_FALSE(Marked(book, 21, 8));
    EXPECT_FALSE(Marked(book, 21, 9));
    EXPECT_TRUE(Marked(book, 21, 11));
    EXPECT_TRUE(Marked(book, 22, 6));
    EXPECT_FALSE(Marked(book, 22, 7));
    EXPECT_EQ(book.CellText(22, 4), "-10.00");
    EXPECT_EQ(book.DisplayText(1, 22, 6), "-10.5");
    EXPECT_FALSE(Marked(book, 24, 6));
    EXPECT_TRUE(Marked(book, 24, 7));
    EXPECT_TRUE(Marked(book, 26, 8));
    EXPECT_EQ(book.CellNumber(24, 7), 6.0);
    EXPECT_EQ(book.DisplayText(1, 24, 7), "6");
    // Frequency blocks from row 27: Low at 30, events over at 31; the second part's Low at 36.
    EXPECT_TRUE(Marked(book, 30, 7));
    EXPECT_TRUE(Marked(book, 31, 7));
    EXPECT_FALSE(Marked(book, 36, 7));
    EXPECT_EQ(book.CellNumber(36, 7), -1.5);
}

// A "summary.tmp" holding NaN or infinities (a damaged record, a damaged hand-over) shows "***"
// where the value goes, as the analysis report does, and no cell anywhere reads "nan" or "inf".
TEST(SummarySheet, NonFiniteValuesShowAsStars)
{
    constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
    constexpr float kInf = std::numeric_limits<float>::infinity();
    TSummaryFile s = Summary({1, 2, 3, 4, 5, 6});
    s.Params.HarmonicSelected[0] = true;
    StoreU32(s.Survey.File(MeasureVoltage).Nominal.data(), 0x7FC00000);  // NaN
    s.Survey.Stop = std::numeric_limits<double>::infinity();
    s.Params.Limits.UnbHigh = kNaN;
    TSummaryResults& r = s.Results;
    r.VoltageMax = {kNaN, kInf, -kInf};
    r.VoltageMin = {-kNaN, 0, 0};
    r.HarmonicHighPct[0] = {kInf, 1, 1};
    r.FlickerMax = {kNaN, 0, 0};
    r.UnbalanceMax = kInf;
    r.FrequencyLowPct = -kInf;
    const TF1Book book = Filled(s);
    EXPECT_EQ(book.CellText(15, 5), "***");
    EXPECT_EQ(book.CellText(12, 5), "***");
    EXPECT_EQ(book.CellText(11, 5), "01/03/2024 00:00");
    // Voltage High at row 21, L1 to L3; the percentile values stay numbers.
    for (int col : {6, 7, 8}) EXPECT_EQ(book.DisplayText(1, 21, col), "***") << col;
    EXPECT_EQ(book.DisplayText(1, 21, 9), "+0.0");
    EXPECT_EQ(book.DisplayText(1, 22, 6), "***");
    // +infinity lies beyond its limit and is marked; NaN lies nowhere and is not.
    EXPECT_TRUE(Marked(book, 21, 7));
    EXPECT_FALSE(Marked(book, 21, 6));
    // Unbalance (rows 35 to 38 after harmonics with one order and flicker): its limit and maximum.
    EXPECT_EQ(book.CellText(37, 2), "Unbalance");
    EXPECT_EQ(book.CellText(37, 4), "***");
    EXPECT_EQ(book.DisplayText(1, 37, 7), "***");
    for (int row = 1; row <= book.LastRow(); ++row)
        for (int col = 1; col <= book.LastCol(); ++col) {
            std::string text = book.DisplayText(1, row, col);
            for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            EXPECT_EQ(text.find("nan"), std::string::npos) << row << "," << col << ": " << text;
            EXPECT_EQ(text.find("inf"), std::string::npos) << row << "," << col << ": " << text;
        }
}
