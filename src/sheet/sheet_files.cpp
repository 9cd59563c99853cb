// Saving and loading the book: Excel 5.0 and text files, atomic saving, messages.
#include "sheet/sheet_files.h"

#include "platform/file_io.h"
#include "platform/messages.h"
#include "sheet/biff5_reader.h"
#include "sheet/biff5_writer.h"
#include "sheet/compound_file_reader.h"
#include "sheet/text_reader.h"
#include "sheet/text_writer.h"

#include <algorithm>

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
    const std::optional<std::uint64_t> size = FileSize(path);
    // The first bytes tell a workbook, read whole; a text is read a block at a time.
    const auto head = size ? ReadFileRange(path, 0, static_cast<std::size_t>(std::min<std::uint64_t>(*size, 8))) : std::nullopt;
    const bool workbook = head && (IsCompoundFile(*head) || StartsWithBiffBof(*head));
    std::optional<Bytes> bytes;
    if (head && workbook) bytes = ReadWholeFile(path, kLargestFile);
    bool unreadable = !head || *size > kLargestFile || (workbook && !bytes);
    std::string error;
    int readType = workbook ? kFileTypeExcel5 : kFileTypeText;
    std::optional<TF1Book> book;
    if (!unreadable) book = workbook ? ReadBookBytes(*bytes, readType, error) : ReadSheetTextFile(path, error, unreadable);
    if (unreadable) {
        ShowError("Unable to read the sheet file " + path + ".");
        return false;
    }
    if (!book) {
        ShowError("Unable to open the sheet file " + path + ".\n" + error);
        return false;
    }
    *this = std::move(*book);
    if (type) *type = readType;
    return true;
}
