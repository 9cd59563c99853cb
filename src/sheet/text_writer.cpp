// Tab-separated text of a book.
#include "sheet/text_writer.h"

#include "platform/text_encoding.h"

std::string WriteSheetText(const TF1Book& book)
{
    std::string out;
    for (int s = 1; s <= book.NumSheets(); ++s) {
        const Worksheet& sheet = book.SheetAt(s);
        int lastRow = sheet.LastRow();
        for (int r = 1; r <= lastRow; ++r) {
            const auto& cells = sheet.rows[static_cast<std::size_t>(r - 1)].cells;
            std::size_t used = cells.size();
            while (used > 0 && cells[used - 1].kind == CellKind::Empty) --used;
            for (std::size_t c = 0; c < used; ++c) {
                if (c > 0) out += '\t';
                std::string text = book.DisplayText(cells[c]);
                // A tab or line break inside a cell would split it; it becomes a blank.
                for (char& ch : text)
                    if (ch == '\t' || ch == '\r' || ch == '\n') ch = ' ';
                out += ToCp1252(text);
            }
            out += "\r\n";
        }
    }
    return out;
}
