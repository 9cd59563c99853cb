// Fuzz target: the text sheet reader (tab-separated lines, UTF-8 or Windows-1252), as the sheet
// window opens a ".txt" file.
// Must hold: a refused text says why; a book read and written again as text reads again into
// a book that writes the same text (unless its Windows-1252 bytes read as UTF-8), and written
// as Excel 5.0 reads again.
#include <algorithm>

#include "fuzz/fuzz_support.h"
#include "platform/text_encoding.h"
#include "sheet/sheet_files.h"
#include "sheet/text_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Run run;
    std::string error;
    const std::optional<TF1Book> book = ReadSheetText({data, size}, error);
    if (!book) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    std::string writeError;
    const auto text = BookFileBytes(*book, kFileTypeText, writeError);
    FUZZ_CHECK(text.has_value());
    const std::optional<TF1Book> again = ReadSheetText(*text, error);
    FUZZ_CHECK(again.has_value());
    // Texts are written in Windows-1252 and read as UTF-8 whenever they are valid UTF-8: a text
    // whose Windows-1252 bytes happen to form UTF-8 ("Ã©") reads back as another ("é").
    const std::string written(text->begin(), text->end());
    const bool readAsUtf8 = IsValidUtf8(written) && std::any_of(written.begin(), written.end(), [](char c) { return c & 0x80; });
    FUZZ_CHECK(readAsUtf8 || BookFileBytes(*again, kFileTypeText, writeError) == text);
    if (const auto excel = BookFileBytes(*book, kFileTypeExcel5, writeError)) {
        int type = 0;
        FUZZ_CHECK(ReadBookBytes(*excel, type, error).has_value() && type == kFileTypeExcel5);
    } else {
        FUZZ_CHECK(!writeError.empty());
    }
    return 0;
}
