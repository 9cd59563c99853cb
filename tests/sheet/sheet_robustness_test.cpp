// Damaged workbooks: every truncation and thousands of seeded random byte changes of a small
// written file are either read or refused with a message, never a crash or a read past a buffer
// (this test also runs under AddressSanitizer and UndefinedBehaviorSanitizer).
#include "biff5_crafting.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "platform/little_endian.h"
#include "platform/scripted_messages.h"
#include "sheet/biff5_reader.h"
#include "sheet/biff5_records.h"
#include "sheet/biff5_writer.h"
#include "sheet/compound_file_writer.h"
#include "sheet/number_format.h"
#include "sheet/sheet_files.h"
#include "sheet_samples.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {
TF1Book SmallBook()
{
    TF1Book book = SampleFormattedBook();
    book.SetPrintHeader("&L&A\rsecond line");
    book.SetNumSheets(2);
    book.SetSheet(2);
    book.SetCellNumber(3, 3, 12.5);
    book.SetCellText(4, 1, "two");
    book.SetColumnWidth(3, 3000);
    book.SetSheet(1);
    return book;
}

std::vector<std::uint8_t> BookStream()
{
    std::string error;
    return *WriteBiff5Stream(SmallBook(), error);
}

std::vector<std::uint8_t> BookFile() { return WriteCompoundFile("Book", BookStream()); }

// Read, or refused with a reason; either way nothing crashed.
void ExpectReadOrRefused(const std::vector<std::uint8_t>& bytes, const std::string& what)
{
    int type = 0;
    std::string error;
    auto book = ReadBookBytes(bytes, type, error);
    if (!book) {
        EXPECT_FALSE(error.empty()) << what;
        return;
    }
    // Whatever was read can be shown: every cell's text under the format the file gave it.
    for (int s = 1; s <= book->NumSheets(); ++s)
        for (const auto& [r, row] : book->SheetAt(s).rows)
            for (const Cell& cell : row.cells) book->DisplayText(cell);
}

void ExpectStreamReadOrRefused(const std::vector<std::uint8_t>& stream, const std::string& what)
{
    std::string error;
    if (!ReadBiff5Stream(stream, error)) {
        EXPECT_FALSE(error.empty()) << what;
    }
}

// A stream whose sheet entries all begin inside one shared run of cells: the BOF at the run's
// start holds the next entry's BOF inside its own body, and so on, so that every entry reads on
// into the same row of blank cells and the same end.
std::vector<std::uint8_t> SheetsSharingOneRun(int sheets)
{
    std::vector<std::uint8_t> nested;  // the innermost BOF first, each wrapped in the one before
    for (int k = 0; k < sheets; ++k) {
        ByteWriter record;
        AppendRecord(record, biff5::kBof, BofBody(biff5::kBofWorksheet, nested));
        nested = record.Take();
    }
    constexpr std::size_t kEntryRecord = 4 + 7 + 8;  // a sheet entry with an eight-letter name
    const std::size_t run = 12 + kEntryRecord * static_cast<std::size_t>(sheets) + 4;
    ByteWriter stream;
    AppendRecord(stream, biff5::kBof, BofBody(biff5::kBofGlobals));
    for (int k = 0; k < sheets; ++k) {
        char name[16];
        std::snprintf(name, sizeof name, "Sheet%03d", k + 1);
        AppendRecord(stream, biff5::kBoundSheet, SheetEntryBody(static_cast<std::uint32_t>(run + 12 * k), name));
    }
    AppendRecord(stream, biff5::kEof, {});
    EXPECT_EQ(stream.Size(), run);
    stream.Bytes(nested.data(), nested.size());
    AppendRecord(stream, biff5::kMulBlank, MulBlankBody(0, 0, 256, biff5::kDefaultCellXf));
    AppendRecord(stream, biff5::kEof, {});
    return stream.Take();
}

std::vector<std::uint8_t> Mutated(std::vector<std::uint8_t> bytes, unsigned seed)
{
    std::mt19937 random(seed);
    int changes = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < changes; ++i) bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
    return bytes;
}
}  // namespace

TEST(SheetRobustness, EveryTruncationOfAWrittenFileIsReadOrRefused)
{
    std::vector<std::uint8_t> file = BookFile();
    for (std::size_t n = 0; n < file.size(); ++n)
        ExpectReadOrRefused({file.begin(), file.begin() + static_cast<long>(n)}, "file cut at " + std::to_string(n));
    std::vector<std::uint8_t> stream = BookStream();
    for (std::size_t n = 0; n < stream.size(); ++n)
        ExpectStreamReadOrRefused({stream.begin(), stream.begin() + static_cast<long>(n)}, "stream cut at " + std::to_string(n));
}

TEST(SheetRobustness, SeededRandomByteChangesAreReadOrRefused)
{
    std::vector<std::uint8_t> file = BookFile();
    std::vector<std::uint8_t> stream = BookStream();
    for (unsigned seed = 1; seed <= 3000; ++seed) {
        ExpectReadOrRefused(Mutated(file, seed), "file seed " + std::to_string(seed));
        // The same changes inside the workbook stream, still in a sound container.
        ExpectReadOrRefused(WriteCompoundFile("Book", Mutated(stream, seed)), "stream seed " + std::to_string(seed));
        ExpectStreamReadOrRefused(Mutated(stream, seed + 100000), "bare stream seed " + std::to_string(seed));
    }
}

TEST(SheetRobustness, LoopingSectorChainIsRefused)
{
    std::vector<std::uint8_t> file = BookFile();
    // The first FAT sector follows the data sectors and the directory; make sector 2 link back to 1.
    std::uint32_t firstFat = LoadU32(file.data() + 0x4C);
    StoreU32(file.data() + 512 * (firstFat + 1) + 4 * 2, 1);
    int type = 0;
    std::string error;
    EXPECT_FALSE(ReadBookBytes(file, type, error));
    EXPECT_NE(error.find("loops"), std::string::npos) << error;
}

TEST(SheetRobustness, RecordLongerThanTheStreamIsRefused)
{
    std::vector<std::uint8_t> stream = BookStream();
    StoreU16(stream.data() + 14, 0xFFFF);  // the length of the record after the globals' BOF
    std::string error;
    EXPECT_FALSE(ReadBiff5Stream(stream, error));
    EXPECT_NE(error.find("damaged"), std::string::npos) << error;
}

TEST(SheetRobustness, CellOutsideTheSheetIsRefused)
{
    TF1Book book;
    book.SetCellText(2, 2, "x");
    std::vector<std::uint8_t> stream = WrittenStream(book);
    StoreU16(stream.data() + FindRecordBody(stream, biff5::kLabel), 0xFFFF);  // the label's row beyond 16384
    std::string error;
    EXPECT_FALSE(ReadBiff5Stream(stream, error));
    EXPECT_NE(error.find("outside the sheet"), std::string::npos) << error;
}

// Formats come from files too: any text of format characters gives some text, never a fault.
TEST(SheetRobustness, AnyFormatTextFormatsAnyNumber)
{
    const std::string pieces[] = {"0", "#", "?", ".", ",", "%", "E+", "e-", ";", "\"", "\\", "[", "]", "_",
                                  "*", "@", "y", "m", "d", "h", "s", "AM/PM", "General", " ", "0.0", "%%%%%%%%%%",
                                  "0000000000000000000000000000000000000000"};
    const double values[] = {0, -0.0, 1, -1, 0.5, 1e-300, 1e300, -1e308, 45337.427, 2958466, -45337.4,
                             std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i) {
        std::string format;
        for (int n = 1 + static_cast<int>(random() % 12); n > 0; --n) format += pieces[random() % std::size(pieces)];
        for (double v : values) EXPECT_NO_THROW(FormatCellNumber(v, format)) << format << " " << v;
    }
}

// Sheets whose records overlap would be read once per entry: a few kilobytes could hold millions
// of cells. The file is refused before any cell is read.
TEST(SheetRobustness, SheetsSharingOneRunOfCellsAreRefused)
{
    for (int sheets : {2, 16, 256}) {
        std::vector<std::uint8_t> stream = SheetsSharingOneRun(sheets);
        EXPECT_LT(stream.size(), 10000u);
        std::string error;
        EXPECT_FALSE(ReadBiff5Stream(stream, error)) << sheets;
        EXPECT_EQ(error, "The workbook is damaged (two sheets overlap in the file).") << sheets;
    }
    // Through the file dialog's road: the message, and the book as it was.
    TempProgDir dir;
    ASSERT_TRUE(WriteFileAtomic(dir / "shared.xls", WriteCompoundFile("Book", SheetsSharingOneRun(16))));
    TF1Book book;
    book.SetCellText(1, 1, "kept");
    ScriptedMessages messages;
    EXPECT_FALSE(book.ReadFile(dir / "shared.xls"));
    EXPECT_TRUE(messages.Shown("Unable to open the sheet file " + dir / "shared.xls" +
                               ".\nThe workbook is damaged (two sheets overlap in the file)."))
        << testing::PrintToString(messages.Texts());
    EXPECT_EQ(book.CellText(1, 1), "kept");
}

// One sheet alone in the same run is sound: the innermost entry reads the row, whose blanks in
// the default format need no cells.
TEST(SheetRobustness, TheInnermostSheetOfTheRunAloneIsRead)
{
    std::vector<std::uint8_t> stream = SheetsSharingOneRun(3);
    // Drop the first two entries' worksheet type, leaving the third (innermost) one.
    for (int n = 0; n < 2; ++n) stream[FindRecordBody(stream, biff5::kBoundSheet, n) + 5] = 1;
    std::string error;
    auto book = ReadBiff5Stream(stream, error);
    ASSERT_TRUE(book) << error;
    EXPECT_EQ(book->NumSheets(), 1);
    EXPECT_EQ(book->SheetName(1), "Sheet003");
    EXPECT_TRUE(book->SheetAt(1).rows.empty());
}

TEST(SheetRobustness, SheetInsideTheGlobalsIsRefused)
{
    // An unknown globals record whose body is a whole worksheet, BOF to EOF, named by the entry.
    ByteWriter hidden;
    AppendRecord(hidden, biff5::kBof, BofBody(biff5::kBofWorksheet));
    AppendRecord(hidden, biff5::kEof, {});
    ByteWriter stream;
    AppendRecord(stream, biff5::kBof, BofBody(biff5::kBofGlobals));
    AppendRecord(stream, biff5::kBoundSheet, SheetEntryBody(12 + 4 + 7 + 6 + 4, "Hidden"));
    AppendRecord(stream, 0x00EF, hidden.Take());
    AppendRecord(stream, biff5::kEof, {});
    std::string error;
    EXPECT_FALSE(ReadBiff5Stream(stream.Data(), error));
    EXPECT_EQ(error, "The workbook is damaged (a sheet lies inside the workbook's globals).");
}
