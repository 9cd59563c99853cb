// Tab-separated text into a book.
#include "sheet/text_reader.h"

#include "platform/text_encoding.h"

#include <algorithm>

std::optional<TF1Book> ReadSheetText(std::span<const std::uint8_t> bytes, std::string& error)
{
    if (std::find(bytes.begin(), bytes.end(), std::uint8_t{0}) != bytes.end()) {
        error = "The file is neither an Excel 5.0 workbook nor a text file.";
        return std::nullopt;
    }
    std::string text = DisplayText(std::string(bytes.begin(), bytes.end()));
    TF1Book book;
    int row = 1;
    for (std::size_t start = 0; start < text.size(); ++row) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        if (row > kBookMaxRows) {
            error = "The text file has more rows than a sheet holds.";
            return std::nullopt;
        }
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        int col = 1;
        for (std::size_t field = 0; field <= line.size() && col <= kBookMaxCols; ++col) {
            std::size_t tab = line.find('\t', field);
            if (tab == std::string::npos) tab = line.size();
            book.SetCellEntry(row, col, line.substr(field, tab - field));
            field = tab + 1;
        }
        start = end + 1;
    }
    return book;
}
