// Saving and loading the book: Excel 5.0 and text files, atomic saving, messages.
#include "sheet/sheet_files.h"

#include "platform/file_io.h"
#include "platform/messages.h"
#include "sheet/biff5_writer.h"
#include "sheet/compound_file_writer.h"
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
    auto stream = WriteBiff5Stream(book, error);
    if (!stream) return std::nullopt;
    return WriteCompoundFile("Book", *stream);
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
