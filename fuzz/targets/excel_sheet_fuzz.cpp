// Fuzz target: the Excel 5.0 reader, a compound file holding a BIFF5/BIFF7 workbook stream or the
// bare stream, as the sheet window opens it.
// Must hold: a refused file says why; a book read and written again as Excel 5.0 reads again, and
// written once more gives the same bytes; written as text it reads as text.
#include "fuzz/fuzz_support.h"
#include "sheet/sheet_files.h"
#include "sheet/text_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Run run;
    const std::vector<std::uint8_t> bytes(data, data + size);
    int type = 0;
    std::string error;
    const std::optional<TF1Book> book = ReadBookBytes(bytes, type, error);
    if (!book) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    if (type != kFileTypeExcel5) return 0;  // a text file: the text target's
    std::string writeError;
    const auto written = BookFileBytes(*book, kFileTypeExcel5, writeError);
    if (written) {
        int againType = 0;
        const std::optional<TF1Book> again = ReadBookBytes(*written, againType, error);
        FUZZ_CHECK(again.has_value() && againType == kFileTypeExcel5);
        FUZZ_CHECK(again->NumSheets() == book->NumSheets());
        FUZZ_CHECK(BookFileBytes(*again, kFileTypeExcel5, writeError) == written);
    } else {
        FUZZ_CHECK(!writeError.empty());
    }
    if (const auto text = BookFileBytes(*book, kFileTypeText, writeError)) {
        FUZZ_CHECK(ReadSheetText(*text, error).has_value());
    }
    return 0;
}
