// Excel 5.0 files written by the book, checked by Debian's xlrd: values, fonts, widths, heights,
// merged formats, the edge sizes, and the refusals of what Excel 5.0 cannot hold.
#include "platform/file_io.h"
#include "platform/scripted_messages.h"
#include "sheet/sheet_book.h"
#include "sheet/sheet_files.h"
#include "fixtures/temp_prog_dir.h"
#include "sheet_samples.h"
#include "xlrd_check.h"

#include <cstdlib>
#include <limits>
#include <gtest/gtest.h>

namespace {
XlrdDump WriteAndCheck(const TF1Book& book, const TempProgDir& dir) { return WriteAndCheckWithXlrd(book, dir / "book.xls"); }

std::string Key(const char* what, int sheet, int row, int col)
{
    return std::string(what) + "." + std::to_string(sheet) + "." + std::to_string(row) + "." + std::to_string(col);
}

}  // namespace

TEST(Biff5Writer, FormattedSheetReadsBackInXlrdWithItsValuesAndFormats)
{
    TempProgDir dir;
    TF1Book book = SampleFormattedBook();
    XlrdDump x = WriteAndCheck(book, dir);
    EXPECT_EQ(x["codepage"], "1252");
    EXPECT_EQ(x["sheet.1.name"], "Events");
    EXPECT_EQ(x["sheet.1.nrows"], "6");
    EXPECT_EQ(x["sheet.1.ncols"], "8");
    EXPECT_EQ(x[Key("cell", 1, 2, 8)], "t:Duration (s.)");
    EXPECT_EQ(x[Key("cell", 1, 3, 2)], "t:10/02/2024 10:15:03.25");
    EXPECT_EQ(x[Key("cell", 1, 3, 6)], "n:207.3");
    EXPECT_EQ(x[Key("cell", 1, 3, 7)], "n:30.0");
    EXPECT_EQ(x[Key("cell", 1, 3, 5)], "b:");  // a formatted blank keeps its borders
    EXPECT_EQ(x["sheet.1.colwidth.1"], "850");
    EXPECT_EQ(x["sheet.1.rowheight.2"], "400");

    // Header row: bold Arial 10 on silver, centred, outline medium all round.
    std::string h = x.XfOf(1, 2, 3);
    EXPECT_EQ(x[x.FontOf(1, 2, 3) + "name"], "Arial");
    EXPECT_EQ(x[x.FontOf(1, 2, 3) + "bold"], "1");
    EXPECT_EQ(x[x.FontOf(1, 2, 3) + "height"], "200");
    EXPECT_EQ(x[h + "pattern"], "1");
    EXPECT_EQ(x[h + "patternfore"], "c0c0c0");
    EXPECT_EQ(x[h + "hor"], "2");
    EXPECT_EQ(x[h + "vert"], "1");
    EXPECT_EQ(x[h + "top"], "2");
    EXPECT_EQ(x[h + "bottom"], "2");
    EXPECT_EQ(x[h + "left"], "1");  // inner line kept (-1 left it as it was)
    EXPECT_EQ(x[h + "topcolour"], "000000");

    // Inside cell: thin lines, right-aligned; the outline is medium at the range's edges only.
    std::string inner = x.XfOf(1, 4, 4);
    EXPECT_EQ(x[inner + "left"], "1");
    EXPECT_EQ(x[inner + "top"], "1");
    EXPECT_EQ(x[inner + "hor"], "3");
    EXPECT_EQ(x[x.XfOf(1, 4, 2) + "left"], "2");
    EXPECT_EQ(x[x.XfOf(1, 6, 8) + "bottom"], "2");
    EXPECT_EQ(x[x.XfOf(1, 6, 8) + "right"], "2");

    // Colours by their RGB, the typed decimals and the custom number format.
    EXPECT_EQ(x[x.FontOf(1, 3, 4) + "colour"], "ff0000");
    std::string odd = x.FontOf(1, 5, 2);
    EXPECT_EQ(x[odd + "colour"], "563412");
    EXPECT_EQ(x[odd + "italic"], "1");
    EXPECT_EQ(x[odd + "underline"], "1");
    EXPECT_EQ(x[odd + "strikeout"], "1");
    EXPECT_EQ(x[odd + "height"], "240");
    EXPECT_EQ(x[x.XfOf(1, 3, 6) + "format"], "0.00");
    EXPECT_EQ(x[x.XfOf(1, 4, 6) + "format"], "+0.0;-0.0");
    EXPECT_EQ(x[x.XfOf(1, 3, 7) + "format"], "General");
}

TEST(Biff5Writer, GnumericReadsTheFileToo)
{
    TempProgDir dir;
    TF1Book book = SampleFormattedBook();
    ScriptedMessages messages;
    ASSERT_TRUE(book.WriteFile(dir / "book.xls", kFileTypeExcel5));
    std::string command = "ssconvert '" + dir / "book.xls" + "' '" + dir / "book.csv" + "' >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0);
    auto csv = ReadWholeFile(dir / "book.csv");
    ASSERT_TRUE(csv);
    std::string text(csv->begin(), csv->end());
    // Gnumeric's CSV leaves out the empty first row and column and gives the numbers unformatted.
    EXPECT_EQ(text.rfind("Date,Measure,Type,Unit,Threshold,Peak,\"Duration (s.)\"\n", 0), 0u) << text;
    EXPECT_NE(text.find("\"10/02/2024 10:15:03.25\",\"L1 Voltage\",,,207.3"), std::string::npos) << text;
    EXPECT_NE(text.find(",60,"), std::string::npos) << text;
}

TEST(Biff5Writer, ViewSwitchesReachTheFile)
{
    TempProgDir dir;
    TF1Book book;
    book.SetCellText(1, 1, "x");
    book.ShowGridLines = false;
    book.ShowRowHeading = false;
    book.ShowColHeading = false;
    XlrdDump x = WriteAndCheck(book, dir);
    EXPECT_EQ(x["sheet.1.gridlines"], "0");
    EXPECT_EQ(x["sheet.1.headings"], "0");
}

struct EdgeCase {
    const char* name;
    int sheets, rows, cols;
    int labelLength;  // 0: numbers
};

class Biff5WriterEdges : public testing::TestWithParam<EdgeCase> {};

// Round trips at the edges: every cell xlrd reads back holds what was written.
TEST_P(Biff5WriterEdges, XlrdReadsEveryCellWritten)
{
    const EdgeCase& e = GetParam();
    TempProgDir dir;
    TF1Book book;
    book.SetNumSheets(e.sheets);
    double sum = 0;
    for (int s = 1; s <= e.sheets; ++s) {
        book.SetSheet(s);
        for (int r = 1; r <= e.rows; ++r)
            for (int c = 1; c <= e.cols; ++c) {
                if (e.labelLength) {
                    book.SetCellText(r, c, std::string(static_cast<std::size_t>(e.labelLength), char('a' + (r + c) % 26)));
                } else {
                    book.SetCellNumber(r, c, r * 0.5 + c);
                    sum += r * 0.5 + c;
                }
            }
    }
    book.SetSheet(1);
    XlrdDump x = WriteAndCheck(book, dir);
    EXPECT_EQ(x["sheets"], std::to_string(e.sheets));
    double xlrdSum = 0;
    for (int s = 1; s <= e.sheets; ++s) {
        std::string key = "sheet." + std::to_string(s) + ".";
        EXPECT_EQ(x[key + "nrows"], std::to_string(e.rows));
        EXPECT_EQ(x[key + "ncols"], std::to_string(e.cols));
        EXPECT_EQ(x[key + "filled"], std::to_string(e.rows * e.cols));
        if (e.labelLength) {
            EXPECT_EQ(x[key + "textchars"], std::to_string(e.rows * e.cols * e.labelLength));
        }
        xlrdSum += std::stod(x[key + "numbersum"]);
    }
    EXPECT_DOUBLE_EQ(xlrdSum, sum);
}

INSTANTIATE_TEST_SUITE_P(Sizes, Biff5WriterEdges,
                         testing::Values(EdgeCase{"EmptySheet", 1, 0, 0, 0}, EdgeCase{"OneCell", 1, 1, 1, 0},
                                         EdgeCase{"Rows16000", 1, 16000, 3, 0}, EdgeCase{"Rows16384", 1, 16384, 2, 0},
                                         EdgeCase{"Labels255", 1, 40, 4, 255}, EdgeCase{"FiveSheets", 5, 30, 5, 0},
                                         EdgeCase{"BookOver7MB", 1, 16384, 25, 0}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(Biff5Writer, BookOver7MBNeedsDifatSectorsAndReadsBack)
{
    TF1Book book;
    for (int r = 1; r <= 16384; ++r)
        for (int c = 1; c <= 25; ++c) book.SetCellNumber(r, c, r);
    std::string error;
    auto bytes = BookFileBytes(book, kFileTypeExcel5, error);
    ASSERT_TRUE(bytes);
    EXPECT_GT(bytes->size(), 7u * 1024 * 1024);
    std::uint32_t difatSectors = static_cast<std::uint32_t>((*bytes)[0x48] | ((*bytes)[0x49] << 8));
    EXPECT_GT(difatSectors, 0u);
    int type = 0;
    auto read = ReadBookBytes(*bytes, type, error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->LastRow(), 16384);
    EXPECT_DOUBLE_EQ(read->CellNumber(16384, 25), 16384);
}

TEST(Biff5Writer, TextOutsideTheCodePageBecomesQuestionMarks)
{
    TempProgDir dir;
    TF1Book book;
    book.SetCellText(1, 1, "Größe 5 € – Ω");
    book.SetSheetName(1, "Müller");
    XlrdDump x = WriteAndCheck(book, dir);
    EXPECT_EQ(x[Key("cell", 1, 1, 1)], "t:Größe 5 € – ?");
    EXPECT_EQ(x["sheet.1.name"], "Müller");
}

TEST(Biff5Writer, NumberThatIsNoNumberIsWrittenAsTheErrorNum)
{
    TempProgDir dir;
    TF1Book book;
    book.SetCellNumber(1, 1, std::numeric_limits<double>::quiet_NaN());
    book.SetCellNumber(1, 2, -std::numeric_limits<double>::infinity());
    book.SetCellNumber(1, 3, 2.5);
    XlrdDump x = WriteAndCheck(book, dir);
    EXPECT_EQ(x[Key("cell", 1, 1, 1)], "e:#NUM!");
    EXPECT_EQ(x[Key("cell", 1, 1, 2)], "e:#NUM!");
    EXPECT_EQ(x[Key("cell", 1, 1, 3)], "n:2.5");
    TF1Book read;
    ScriptedMessages messages;
    ASSERT_TRUE(read.ReadFile(dir / "book.xls"));
    EXPECT_EQ(read.CellText(1, 1), "#NUM!");
}

struct Refusal {
    const char* name;
    void (*fill)(TF1Book&);
    const char* message;
};

class Biff5WriterRefuses : public testing::TestWithParam<Refusal> {};

// What Excel 5.0 cannot hold is refused with a message, and the file already there stays as it was.
TEST_P(Biff5WriterRefuses, ShowsWhyAndKeepsTheOldFile)
{
    TempProgDir dir;
    std::string path = dir.Write("old.xls", "old content");
    TF1Book book;
    GetParam().fill(book);
    ScriptedMessages messages;
    EXPECT_FALSE(book.WriteFile(path, kFileTypeExcel5));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find(GetParam().message), std::string::npos) << messages.messages[0].text;
    EXPECT_EQ(messages.messages[0].type, MsgType::Error);
    auto kept = ReadWholeFile(path);
    ASSERT_TRUE(kept);
    EXPECT_EQ(std::string(kept->begin(), kept->end()), "old content");
}

INSTANTIATE_TEST_SUITE_P(
    Limits, Biff5WriterRefuses,
    testing::Values(Refusal{"Rows16385", [](TF1Book& b) { b.SetCellNumber(16385, 1, 1); }, "at most 16384 rows"},
                    Refusal{"Columns257", [](TF1Book& b) { b.SetCellNumber(1, 257, 1); }, "at most 256 columns"},
                    Refusal{"Label256", [](TF1Book& b) { b.SetCellText(3, 2, std::string(256, 'x')); },
                            "Cell B3 of sheet \"Sheet1\" holds 256 characters"},
                    Refusal{"LongSheetName", [](TF1Book& b) { b.SetSheetName(1, std::string(32, 'n')); }, "1 to 31 characters"},
                    Refusal{"SheetNameWithSlash", [](TF1Book& b) { b.SetSheetName(1, "a/b"); }, "cannot be saved"},
                    Refusal{"SameSheetNames", [](TF1Book& b) { b.SetNumSheets(2); b.SetSheetName(2, "SHEET1"); }, "Two sheets"},
                    Refusal{"LongNumberFormat", [](TF1Book& b) { b.SetCellNumber(1, 1, 1); b.SetNumberFormat(std::string(256, '0')); },
                            "number format"},
                    Refusal{"LongHeader", [](TF1Book& b) { b.SetPrintHeader(std::string(256, 'h')); }, "print header"}),
    [](const auto& testCase) { return std::string(testCase.param.name); });

TEST(TextWriter, WritesTabSeparatedDisplayedTextsOfEverySheet)
{
    TF1Book book;
    book.SetCellText(1, 1, "Date");
    book.SetCellText(1, 3, "Peak\tvalue");
    book.SetCellEntry(2, 2, "207.30");
    book.SetCellEntry(2, 1, "€");
    book.SetNumSheets(2);
    book.SetSheet(2);
    book.SetCellNumber(2, 2, 5);
    std::string error;
    auto bytes = BookFileBytes(book, kFileTypeText, error);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "Date\t\tPeak value\r\n\x80\t207.30\r\n\r\n\t5\r\n");
}
