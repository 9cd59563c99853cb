// Tab-separated text of a book.
#include "sheet/text_writer.h"

#include "platform/text_encoding.h"

#include <algorithm>

std::string WriteSheetText(const TF1Book& book)
{
    std::string out;
    for (int s = 1; s <= book.NumSheets(); ++s) {
        const Worksheet& sheet = book.SheetAt(s);
        int lastRow = sheet.LastRow();
        int written = 0;  // rows written so far; rows without cells are empty lines
        for (auto it = sheet.rows.begin(); it != sheet.rows.end() && it->first <= lastRow; ++it) {
            const auto& cells = it->second.cells;
            auto used = std::find_if(cells.rbegin(), cells.rend(), [](const Cell& c) { return c.kind != CellKind::Empty; });
            if (used == cells.rend()) continue;
            for (; written < it->first - 1; ++written) out += "\r\n";
            int col = 1;
            for (auto c = cells.begin(); c != used.base(); ++c) {
                out.append(static_cast<std::size_t>(c->col - col), '\t');
                col = c->col;
                std::string text = c->kind == CellKind::Text ? std::string(book.TextOf(*c)) : book.DisplayText(*c);
                // A tab or line break inside a cell would split it, and a zero byte would make
                // the file no text: each becomes a blank.
                for (char& ch : text)
                    if (ch == '\t' || ch == '\r' || ch == '\n' || ch == '\0') ch = ' ';
                out += ToCp1252(text);
            }
            out += "\r\n";
            ++written;
        }
    }
    return out;
}
