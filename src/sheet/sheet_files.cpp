// Saving and loading the book: Excel 5.0 and text files, atomic saving, messages.
#include "sheet/sheet_files.h"

#include "platform/file_io.h"
#include "platform/messages.h"
#include "sheet/biff5_reader.h"
#include "sheet/biff5_writer.h"
#include "sheet/compound_file_reader.h"
#include "sheet/text_reader.h"
#include "sheet/text_writer.h"

std::optional<std::vector<std::uint8_t>> BookFileBytes(const TF1Book& book, int type, std::string& error)
{
    if (type == kFileTypeText) {
        std::string text = WriteSheetText(book);
        return std::vector<std::uint8_t>(text.begin(), text.end());
    }
    if (type != kFileTypeExcel5) {
        error = "Unknown spreadsheet file type " + std::to_string(type) + ".";
        return std::nullopt;
    }
    return WriteBiff5Workbook(book, error);
}

bool TF1Book::WriteFile(const std::string& path, int type) const
{
    std::string error;
    auto bytes = BookFileBytes(*this, type, error);
    if (!bytes) {
        ShowError(error + "\nThe file " + path + " was not written.");
        return false;
    }
    if (!WriteFileAtomic(path, *bytes)) {
        ShowError("Unable to write the file " + path + ".");
        return false;
    }
    return true;
}

std::optional<TF1Book> ReadBookBytes(const std::vector<std::uint8_t>& bytes, int& type, std::string& error)
{
    type = kFileTypeExcel5;
    if (IsCompoundFile(bytes)) {
        CompoundFileReader file;
        if (!file.Open(bytes, error)) return std::nullopt;
        // Excel 97 and later name the stream "Workbook", but some writers put an Excel 5.0/95
        // workbook there too: the stream's first record tells the version.
        const char* name = file.HasStream("Book") ? "Book" : "Workbook";
        if (!file.HasStream(name)) {
            error = "The file is not an Excel 5.0 workbook.";
            return std::nullopt;
        }
        auto stream = file.ReadStream(name, error);
        if (!stream) return std::nullopt;
        return ReadBiff5Stream(*stream, error);
    }
    if (StartsWithBiffBof(bytes)) return ReadBiff5Stream(bytes, error);
    type = kFileTypeText;
    return ReadSheetText(bytes, error);
}

bool TF1Book::ReadFile(const std::string& path, int* type)
{
    constexpr std::uint64_t kLargestFile = 256ull << 20;
    auto bytes = ReadWholeFile(path, kLargestFile);
    if (!bytes) {
        ShowError("Unable to read the sheet file " + path + ".");
        return false;
    }
    std::string error;
    int readType = 0;
    auto book = ReadBookBytes(*bytes, readType, error);
    if (!book) {
        ShowError("Unable to open the sheet file " + path + ".\n" + error);
        return false;
    }
    *this = std::move(*book);
    if (type) *type = readType;
    return true;
}
