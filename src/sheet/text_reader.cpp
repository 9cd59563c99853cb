// Tab-separated text into a book.
#include "sheet/text_reader.h"

#include "platform/text_encoding.h"

#include <algorithm>
#include <string_view>

namespace {
// Characters of a field: code points of UTF-8, bytes of Windows-1252.
std::size_t Characters(std::string_view field, bool utf8)
{
    if (!utf8) return field.size();
    return static_cast<std::size_t>(std::count_if(field.begin(), field.end(), [](unsigned char c) { return (c & 0xC0) != 0x80; }));
}

// Calls `each(col, field)` for the fields of a line, tab by tab, from column 1.
template <class Each>
bool ForEachField(std::string_view line, Each each)
{
    int col = 1;
    for (std::size_t field = 0; field <= line.size(); ++col) {
        std::size_t tab = line.find('\t', field);
        if (tab == std::string_view::npos) tab = line.size();
        if (!each(col, line.substr(field, tab - field))) return false;
        field = tab + 1;
    }
    return true;
}
}  // namespace

std::optional<TF1Book> ReadSheetText(std::span<const std::uint8_t> bytes, std::string& error)
{
    if (std::find(bytes.begin(), bytes.end(), std::uint8_t{0}) != bytes.end()) {
        error = "The file is neither an Excel 5.0 workbook nor a text file.";
        return std::nullopt;
    }
    // The whole file is UTF-8, or else Windows-1252; tabs and line breaks are the same bytes in
    // both, so each field is converted on its own and the file is never copied whole.
    const std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    const bool utf8 = IsValidUtf8(text);
    TF1Book book;
    Worksheet& sheet = book.SheetAt(1);
    int row = 1;
    for (std::size_t start = 0; start < text.size(); ++row) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        start = end + 1;
        // What an Excel 5.0 sheet holds is what is read: a file beyond it is refused before its
        // cells take memory.
        std::size_t filled = 0;
        const bool fits = ForEachField(line, [&](int col, std::string_view field) {
            if (field.empty()) return true;
            if (row > kExcelMaxRows) {
                error = "The text file has more than 16384 rows; a sheet holds at most 16384 rows.";
                return false;
            }
            if (col > kExcelMaxCols) {
                error = "Line " + std::to_string(row) + " of the text file has more than 256 fields; a sheet holds at most 256 columns.";
                return false;
            }
            if (Characters(field, utf8) > static_cast<std::size_t>(kExcelMaxLabel)) {
                error = "Line " + std::to_string(row) + " of the text file holds a field of more than 255 characters; a cell holds at most 255.";
                return false;
            }
            ++filled;
            return true;
        });
        if (!fits) return std::nullopt;
        if (filled == 0) continue;
        sheet.rows.emplace_hint(sheet.rows.end(), row, SheetRow{})->second.cells.reserve(filled);
        ForEachField(line, [&](int col, std::string_view field) {
            if (field.empty()) return true;
            const bool ascii = std::all_of(field.begin(), field.end(), [](unsigned char c) { return c < 0x80; });
            if (utf8 || ascii) book.SetCellEntry(row, col, field);
            else book.SetCellEntry(row, col, Cp1252ToUtf8(field));
            return true;
        });
    }
    return book;
}
