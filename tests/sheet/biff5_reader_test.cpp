// Reading workbooks back: our own files, files gnumeric writes in the Excel 5.0/95 format, text
// files, and the refusals (Excel 97 and later, password-protected, not a spreadsheet).
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "platform/little_endian.h"
#include "platform/scripted_messages.h"
#include "sheet/biff5_reader.h"
#include "sheet/biff5_records.h"
#include "sheet/biff5_writer.h"
#include "sheet/compound_file_writer.h"
#include "sheet/sheet_book.h"
#include "sheet/sheet_files.h"
#include "sheet_samples.h"
#include "xlrd_check.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {
// Writes the book, has xlrd read the file (kept in `dump`), and reads it back with the book.
TF1Book RoundTrip(const TF1Book& book, XlrdDump& dump)
{
    TempProgDir dir;
    dump = WriteAndCheckWithXlrd(book, dir / "book.xls");
    TF1Book read;
    ScriptedMessages messages;
    int type = 0;
    EXPECT_TRUE(read.ReadFile(dir / "book.xls", &type)) << testing::PrintToString(messages.Texts());
    EXPECT_EQ(type, kFileTypeExcel5);
    return read;
}

const CellStyle& StyleAt(const TF1Book& book, int sheet, int row, int col)
{
    const Cell* cell = book.SheetAt(sheet).Find(row, col);
    static const CellStyle none;
    return cell ? book.StyleOf(*cell) : none;
}

// Converts a CSV text with gnumeric into an Excel 5.0/95 or Excel 97 workbook.
std::string Ssconvert(const TempProgDir& dir, const std::string& csv, const std::string& exportType)
{
    std::string in = dir.Write("in.csv", csv);
    std::string out = dir / ("out_" + exportType + ".xls");
    std::string command = "ssconvert --export-type=" + exportType + " '" + in + "' '" + out + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return out;
}
}  // namespace

TEST(Biff5Reader, ReadsBackWhatTheWriterWrote)
{
    TF1Book book = SampleFormattedBook();
    book.SetNumSheets(5);
    book.SetSheetName(5, "Last");
    book.SetSheet(5);
    book.SetCellEntry(16384, 256, "-1.5");
    book.SetSheet(1);
    book.SetPrintHeader("&L&A of <&F> printed on &D &T\rStart date: 1\rStop date: 2");
    book.SetPrintFooter("&LPage &P/&N");
    book.SetPrintTopMargin(1.4);
    book.SetPrintBottomMargin(1.5);
    book.SetPrintNoColor(true);
    book.ShowGridLines = false;
    XlrdDump x;
    TF1Book read = RoundTrip(book, x);
    // What xlrd finds in the file.
    EXPECT_EQ(x["sheets"], "5");
    EXPECT_EQ(x["sheet.5.name"], "Last");
    EXPECT_EQ(x["sheet.5.nrows"], "16384");
    EXPECT_EQ(x["sheet.5.ncols"], "256");
    EXPECT_EQ(x["cell.5.16384.256"], "n:-1.5");
    EXPECT_EQ(x["sheet.1.header"], "&L&A of <&F> printed on &D &T\\nStart date: 1\\nStop date: 2");
    EXPECT_EQ(x["sheet.1.footer"], "&LPage &P/&N");
    EXPECT_EQ(x["sheet.5.footer"], "&LPage &P/&N");  // the book's print settings go with every sheet
    EXPECT_EQ(x["sheet.1.topmargin"], "1.4");
    EXPECT_EQ(x["sheet.1.bottommargin"], "1.5");
    EXPECT_EQ(x["sheet.1.leftmargin"], "0.75");
    EXPECT_EQ(x["sheet.1.nocolor"], "1");
    EXPECT_EQ(x["sheet.1.printgrid"], "0");
    EXPECT_EQ(x["sheet.1.gridlines"], "0");
    // What the book reads back.
    ASSERT_EQ(read.NumSheets(), 5);
    EXPECT_EQ(read.SheetName(1), "Events");
    EXPECT_EQ(read.SheetName(5), "Last");
    for (int r = 1; r <= 7; ++r)
        for (int c = 1; c <= 9; ++c) EXPECT_EQ(read.CellText(r, c), book.CellText(r, c)) << r << "," << c;
    EXPECT_DOUBLE_EQ(read.CellNumber(3, 6), 207.3);
    EXPECT_EQ(read.DisplayText(5, 16384, 256), "-1.5");
    EXPECT_EQ(read.ColumnWidth(1), 850);
    EXPECT_EQ(read.RowHeight(2), 400);
    EXPECT_EQ(StyleAt(read, 1, 2, 3), StyleAt(book, 1, 2, 3));  // bold on silver, medium outline
    EXPECT_EQ(StyleAt(read, 1, 4, 4), StyleAt(book, 1, 4, 4));
    EXPECT_EQ(StyleAt(read, 1, 5, 2), StyleAt(book, 1, 5, 2));  // colour outside the default palette
    EXPECT_EQ(StyleAt(read, 1, 4, 6).numberFormat, "+0.0;-0.0");
    EXPECT_EQ(read.PrintHeader(), book.PrintHeader());
    EXPECT_EQ(read.PrintFooter(), "&LPage &P/&N");
    EXPECT_DOUBLE_EQ(read.Print.topMargin, 1.4);
    EXPECT_DOUBLE_EQ(read.Print.bottomMargin, 1.5);
    EXPECT_TRUE(read.Print.noColor);
    EXPECT_FALSE(read.ShowGridLines);
}

TEST(Biff5Reader, ReadsExcel95FilesOfGnumeric)
{
    TempProgDir dir;
    std::string path = Ssconvert(dir, "Date,Peak,Note\n10/02/2024,207.3,Größe\n,12,\"a, b\"\n", "Gnumeric_Excel:excel_biff7");
    TF1Book book;
    ScriptedMessages messages;
    int type = 0;
    ASSERT_TRUE(book.ReadFile(path, &type)) << testing::PrintToString(messages.Texts());
    EXPECT_EQ(type, kFileTypeExcel5);
    EXPECT_EQ(book.CellText(1, 2), "Peak");
    EXPECT_DOUBLE_EQ(book.CellNumber(2, 2), 207.3);
    EXPECT_EQ(book.CellText(2, 3), "Größe");
    EXPECT_DOUBLE_EQ(book.CellNumber(3, 2), 12);
    EXPECT_EQ(book.CellText(3, 3), "a, b");
    EXPECT_EQ(book.LastRow(), 3);
}

TEST(Biff5Reader, RefusesExcel97WorkbooksWithAClearMessage)
{
    TempProgDir dir;
    std::string path = Ssconvert(dir, "a,1\n", "Gnumeric_Excel:excel_biff8");
    TF1Book book;
    book.SetCellText(1, 1, "kept");
    ScriptedMessages messages;
    EXPECT_FALSE(book.ReadFile(path));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("Excel 97 or later"), std::string::npos) << messages.messages[0].text;
    EXPECT_EQ(book.CellText(1, 1), "kept");
}

TEST(Biff5Reader, ReadsAnExcel95StreamNamedWorkbook)
{
    TF1Book book;
    book.SetCellText(1, 1, "in Workbook");
    std::string error;
    std::vector<std::uint8_t> file = WriteCompoundFile("Workbook", *WriteBiff5Stream(book, error));
    int type = 0;
    auto read = ReadBookBytes(file, type, error);
    ASSERT_TRUE(read) << error;
    EXPECT_EQ(read->CellText(1, 1), "in Workbook");
}

TEST(Biff5Reader, RefusesPasswordProtectedWorkbooks)
{
    TF1Book book;
    book.SetCellText(1, 1, "secret");
    std::string error;
    auto stream = WriteBiff5Stream(book, error);
    ASSERT_TRUE(stream);
    // A FILEPASS record right after the globals' BOF (12 bytes).
    std::vector<std::uint8_t> filePass = {0x2F, 0x00, 0x04, 0x00, 1, 2, 3, 4};
    stream->insert(stream->begin() + 12, filePass.begin(), filePass.end());
    EXPECT_FALSE(ReadBiff5Stream(*stream, error));
    EXPECT_NE(error.find("password-protected"), std::string::npos) << error;
}

TEST(Biff5Reader, ReadsTabSeparatedTextWithNumbersAsNumbers)
{
    std::string text = "Date\tPeak\r\n10/02/2024 10:15\t207.30\r\n\r\nGr\xF6\xDF" "e\t-3\r\n";
    int type = 0;
    std::string error;
    auto book = ReadBookBytes(std::vector<std::uint8_t>(text.begin(), text.end()), type, error);
    ASSERT_TRUE(book) << error;
    EXPECT_EQ(type, kFileTypeText);
    EXPECT_EQ(book->CellText(2, 1), "10/02/2024 10:15");
    EXPECT_DOUBLE_EQ(book->CellNumber(2, 2), 207.3);
    EXPECT_EQ(book->CellText(2, 2), "207.30");
    EXPECT_EQ(book->CellText(4, 1), "Größe");  // not UTF-8: read as Windows-1252
    EXPECT_DOUBLE_EQ(book->CellNumber(4, 2), -3);
}

TEST(Biff5Reader, RefusesFilesThatAreNoSpreadsheet)
{
    std::vector<std::uint8_t> binary = {0x7F, 'E', 'L', 'F', 0, 0, 1, 2};
    int type = 0;
    std::string error;
    EXPECT_FALSE(ReadBookBytes(binary, type, error));
    EXPECT_NE(error.find("neither an Excel 5.0 workbook nor a text file"), std::string::npos);
}

TEST(Biff5Reader, MissingFileShowsAMessage)
{
    TempProgDir dir;
    TF1Book book;
    ScriptedMessages messages;
    EXPECT_FALSE(book.ReadFile(dir / "none.xls"));
    EXPECT_TRUE(messages.Shown("Unable to read the sheet file " + dir / "none.xls" + "."));
}
