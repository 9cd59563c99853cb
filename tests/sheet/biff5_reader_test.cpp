// Reading workbooks back: our own files, files gnumeric writes in the Excel 5.0/95 format, text
// files, the refusals (Excel 97 and later, password-protected, not a spreadsheet), books on the
// 1904 date base or in other code pages, and the memory a read book holds.
#include "biff5_crafting.h"
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
#include <malloc.h>

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

// Writes a crafted stream as a workbook file that xlrd must read without a word.
std::string WriteCheckedFile(const TempProgDir& dir, const std::string& name, const std::vector<std::uint8_t>& stream,
                             XlrdDump& dump)
{
    std::string path = dir / name;
    EXPECT_TRUE(WriteFileAtomic(path, WriteCompoundFile("Book", stream)));
    dump = CheckWithXlrd(path);
    return path;
}

TF1Book ReadOrFail(const std::string& path)
{
    TF1Book book;
    ScriptedMessages messages;
    EXPECT_TRUE(book.ReadFile(path)) << testing::PrintToString(messages.Texts());
    return book;
}

std::size_t HeapInUse()
{
    const struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
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

TEST(Biff5Reader, DatesOfA1904BookAreReadOnThe1900Base)
{
    TF1Book book;
    book.SetCellNumber(1, 1, 45000);  // 15/03/2023 on the 1900 base, 16/03/2027 on the 1904 base
    book.SetSelection(1, 1, 1, 1);
    book.SetNumberFormat("dd/mm/yyyy hh:mm");
    book.SetCellNumber(1, 2, 12.5);  // General: a number, no date
    book.SetCellNumber(1, 3, 0.75);  // a time of day: no date to move
    book.SetSelection(1, 3, 1, 3);
    book.SetNumberFormat("hh:mm");
    std::vector<std::uint8_t> stream = WrittenStream(book);
    TempProgDir dir;
    XlrdDump x;
    EXPECT_EQ(ReadOrFail(WriteCheckedFile(dir, "1900.xls", stream, x)).CellText(1, 1), "15/03/2023 00:00");
    EXPECT_EQ(x["datemode"], "0");

    StoreU16(stream.data() + FindRecordBody(stream, biff5::kDateMode), 1);
    TF1Book read = ReadOrFail(WriteCheckedFile(dir, "1904.xls", stream, x));
    EXPECT_EQ(x["datemode"], "1");
    EXPECT_EQ(x["cell.1.1.1"], "d:16/03/2027 00:00:00");
    EXPECT_EQ(read.CellText(1, 1), "16/03/2027 00:00");
    EXPECT_DOUBLE_EQ(read.CellNumber(1, 1), 46462);
    EXPECT_DOUBLE_EQ(read.CellNumber(1, 2), 12.5);
    EXPECT_EQ(read.CellText(1, 3), "18:00");
    EXPECT_DOUBLE_EQ(read.CellNumber(1, 3), 0.75);
    // Saved again, the book is on the 1900 base, and outside readers see the same date.
    XlrdDump again = WriteAndCheckWithXlrd(read, dir / "again.xls");
    EXPECT_EQ(again["datemode"], "0");
    EXPECT_EQ(again["cell.1.1.1"], "d:16/03/2027 00:00:00");
}

TEST(Biff5Reader, TextsAreReadInTheCodePageTheBookDeclares)
{
    TF1Book book;
    book.SetSheetName(1, "\u00C0\u00E1\u00E2\u00C3");  // the bytes C0 E1 E2 C3 in Windows-1252
    book.SetCellText(1, 1, "\u00C0\u00E1\u00E2");
    std::vector<std::uint8_t> stream = WrittenStream(book);
    StoreU16(stream.data() + FindRecordBody(stream, biff5::kCodePage), 1251);
    TempProgDir dir;
    XlrdDump x;
    TF1Book read = ReadOrFail(WriteCheckedFile(dir, "cyrillic.xls", stream, x));
    EXPECT_EQ(x["codepage"], "1251");
    EXPECT_EQ(x["sheet.1.name"], "\u0410\u0431\u0432\u0413");
    EXPECT_EQ(x["cell.1.1.1"], "t:\u0410\u0431\u0432");
    EXPECT_EQ(read.SheetName(1), "\u0410\u0431\u0432\u0413");
    EXPECT_EQ(read.CellText(1, 1), "\u0410\u0431\u0432");
}

TEST(Biff5Reader, EachDeclaredCodePageGivesItsCharacters)
{
    constexpr int kNone = -1;  // no CODEPAGE record at all
    struct Case {
        int codePage;
        std::vector<std::uint8_t> bytes;
        const char* text;
    } cases[] = {
        {1251, {0xC0, 0xE1, 0xE2}, "\u0410\u0431\u0432"},
        {1250, {0xA5, 0xB9}, "\u0104\u0105"},
        {1253, {0xC1, 0xE2}, "\u0391\u03B2"},
        {866, {0x80, 0xA1}, "\u0410\u0431"},
        {437, {0x82, 0x9C}, "\u00E9\u00A3"},
        {850, {0x82, 0xD1}, "\u00E9\u00D0"},
        {10000, {0x8A}, "\u00E4"},
        {932, {0x82, 0xA0}, "\u3042"},
        {1252, {0xC0, 0x80}, "\u00C0\u20AC"},
        {kNone, {0xC0, 0x80}, "\u00C0\u20AC"},
        {999, {0xC0, 0x80}, "\u00C0\u20AC"},  // a code page unknown here: Windows-1252
        {1251, {'a', 0x98, 'b'}, "a?b"},        // a byte without a character in 1251
        {932, {'a', 0x82}, "a?"},               // a double-byte character cut off
    };
    for (const Case& c : cases) {
        TF1Book book;
        book.SetCellText(1, 1, std::string(c.bytes.size(), 'x'));
        std::vector<std::uint8_t> stream = WrittenStream(book);
        std::size_t codePage = FindRecordBody(stream, biff5::kCodePage);
        if (c.codePage == kNone) StoreU16(stream.data() + codePage - 4, 0x00EF);  // a record the reader does not know
        else StoreU16(stream.data() + codePage, static_cast<std::uint16_t>(c.codePage));
        std::copy(c.bytes.begin(), c.bytes.end(), stream.begin() + static_cast<long>(FindRecordBody(stream, biff5::kLabel) + 8));
        std::string error;
        auto read = ReadBiff5Stream(stream, error);
        ASSERT_TRUE(read) << error;
        EXPECT_EQ(read->CellText(1, 1), c.text) << c.codePage;
    }
}

// A read book holds a small multiple of its file in memory, wherever its cells lie: a cell in the
// last row and column costs what a cell in A1 does.
TEST(Biff5Reader, MemoryFollowsTheCellsOfTheFileNotTheirPlaces)
{
    TF1Book book;
    book.SetNumSheets(256);
    for (int s = 1; s <= 256; ++s) {
        book.SetSheet(s);
        book.SetCellNumber(16384, 256, s);
        book.SetRowHeight(16384, 400);
    }
    std::vector<std::uint8_t> stream = WrittenStream(book);
    std::size_t before = HeapInUse();
    std::string error;
    auto read = ReadBiff5Stream(stream, error);
    std::size_t held = HeapInUse() - before;
    ASSERT_TRUE(read) << error;
    for (int s = 1; s <= 256; ++s) {
        const Worksheet& sheet = read->SheetAt(s);
        ASSERT_EQ(sheet.rows.size(), 1u) << s;
        EXPECT_EQ(sheet.rows.begin()->second.cells.size(), 1u) << s;
        EXPECT_EQ(read->DisplayText(s, 16384, 256), std::to_string(s));
        EXPECT_EQ(sheet.RowHeight(16384), 400);
    }
    EXPECT_LT(held, 4 * stream.size()) << held << " bytes held for a stream of " << stream.size();
}

// The densest cells a file holds are formatted blanks in MULBLANK records, two bytes a cell in the
// file against a 16-byte cell in the book; blanks in the default format take no memory at all.
TEST(Biff5Reader, MemoryOfFullRowsOfBlanksStaysASmallMultipleOfTheFile)
{
    TF1Book book;
    book.SetSelection(1, 1, 1, 1);
    book.SetBorder(1, 1, 1, 1, 1);  // A1 is written in XF 16, the first cell format after the default
    for (std::uint16_t xf : {std::uint16_t{biff5::kDefaultCellXf}, std::uint16_t{biff5::kDefaultCellXf + 1}}) {
        std::vector<std::uint8_t> stream = WrittenStream(book);
        ByteWriter rows;
        for (int r = 1; r < 4096; ++r) AppendRecord(rows, biff5::kMulBlank, MulBlankBody(r, 0, 256, xf));
        // The sheet is the stream's last part: rows inserted before its end move no sheet offset.
        stream.insert(stream.end() - 4, rows.Data().begin(), rows.Data().end());
        std::size_t before = HeapInUse();
        std::string error;
        auto read = ReadBiff5Stream(stream, error);
        std::size_t held = HeapInUse() - before;
        ASSERT_TRUE(read) << error;
        if (xf == biff5::kDefaultCellXf) {
            EXPECT_EQ(read->SheetAt(1).rows.size(), 1u);  // A1 alone
            EXPECT_LT(held, 65536u);
        } else {
            EXPECT_EQ(read->SheetAt(1).LastRow(), 4096);
            EXPECT_EQ(read->SheetAt(1).LastCol(), 256);
            EXPECT_LT(held, 9 * stream.size()) << held << " bytes held for a stream of " << stream.size();
        }
    }
}

// Cells listed from the last row back to the first read as the same sheet; rows named only by a
// blank in the default format, or by a row record of the default height, are not in use.
TEST(Biff5Reader, RowsListedBackwardsReadAsThoughForwards)
{
    TF1Book book;
    book.SetCellText(1, 1, "first");
    std::vector<std::uint8_t> stream = WrittenStream(book);
    ByteWriter rows;
    for (int r = 3000; r >= 2; --r) {
        ByteWriter number;
        number.U16(static_cast<std::uint16_t>(r - 1));
        number.U16(static_cast<std::uint16_t>(r % 7));
        number.U16(biff5::kDefaultCellXf);
        number.F64(r * 0.5);
        AppendRecord(rows, biff5::kNumber, number.Take());
    }
    AppendRecord(rows, biff5::kMulBlank, MulBlankBody(4000, 0, 3, biff5::kDefaultCellXf));
    ByteWriter row;
    for (std::uint16_t v : {std::uint16_t{4100}, std::uint16_t{0}, std::uint16_t{1}, std::uint16_t{0x80FF}, std::uint16_t{0},
                            std::uint16_t{0}, std::uint16_t{0x0100}, std::uint16_t{biff5::kDefaultCellXf}})
        row.U16(v);
    AppendRecord(rows, biff5::kRow, row.Take());
    stream.insert(stream.end() - 4, rows.Data().begin(), rows.Data().end());
    std::string error;
    auto read = ReadBiff5Stream(stream, error);
    ASSERT_TRUE(read) << error;
    const Worksheet& sheet = read->SheetAt(1);
    ASSERT_EQ(sheet.rows.size(), 3000u);
    int expected = 1;
    for (const auto& [r, cells] : sheet.rows) EXPECT_EQ(r, expected++);
    EXPECT_EQ(read->CellText(1, 1), "first");
    for (int r = 2; r <= 3000; ++r) ASSERT_DOUBLE_EQ(read->CellNumber(r, r % 7 + 1), r * 0.5) << r;
    EXPECT_EQ(read->LastRow(), 3000);
}
