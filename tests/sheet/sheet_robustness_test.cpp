// Damaged workbooks: every truncation and thousands of seeded random byte changes of a small
// written file are either read or refused with a message, never a crash or a read past a buffer
// (this test also runs under AddressSanitizer and UndefinedBehaviorSanitizer).
#include "platform/little_endian.h"
#include "sheet/biff5_reader.h"
#include "sheet/biff5_writer.h"
#include "sheet/compound_file_writer.h"
#include "sheet/number_format.h"
#include "sheet/sheet_files.h"
#include "sheet_samples.h"

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
        for (const SheetRow& row : book->SheetAt(s).rows)
            for (const Cell& cell : row.cells) book->DisplayText(cell);
}

void ExpectStreamReadOrRefused(const std::vector<std::uint8_t>& stream, const std::string& what)
{
    std::string error;
    if (!ReadBiff5Stream(stream, error)) {
        EXPECT_FALSE(error.empty()) << what;
    }
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
    std::string error;
    auto stream = *WriteBiff5Stream(book, error);
    // Find the LABEL record and move its row beyond 16384.
    for (std::size_t at = 0; at + 4 < stream.size();) {
        std::uint16_t id = LoadU16(stream.data() + at), length = LoadU16(stream.data() + at + 2);
        if (id == 0x0204) StoreU16(stream.data() + at + 4, 0xFFFF);
        at += 4 + length;
    }
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
