// The cells of a sheet: a cell in 16 bytes, a row's cells by rising column, and the rows in use
// by rising row number. The book (sheet_book.h) keeps the texts and styles the cells name.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

enum class CellKind : std::uint8_t { Empty, Text, Number };

// A cell in 16 bytes: its number, or the id of its text in the book's texts (TF1Book::TextOf);
// its style; its column. A sheet of 16000 rows allocates nothing per cell.
struct Cell {
    union {
        double number = 0;   // kind Number
        std::uint32_t text;  // kind Text
    };
    std::uint32_t style = 0;
    std::uint16_t col = 0;  // the column the cell stands in (fits kBookMaxCols)
    CellKind kind = CellKind::Empty;
};
static_assert(sizeof(Cell) == 16, "a number cell takes 16 bytes");

// A value, or a format other than the default: what a writer writes and LastRow counts.
inline bool HasContent(const Cell& cell) { return cell.kind != CellKind::Empty || cell.style != 0; }

// The first of a row's cells (by rising column) at or right of `col`.
template <class Cells>
auto FirstCellFrom(Cells& cells, int col)
{
    return std::lower_bound(cells.begin(), cells.end(), col, [](const Cell& c, int at) { return c.col < at; });
}

struct SheetRow {
    std::vector<Cell> cells;  // by rising column; columns never used have no cell
    int height = -1;          // twips; -1: the default height

    const Cell* Find(int col) const;
    Cell& At(int col);  // creates the cell (col 1..kBookMaxCols); filling left to right appends
    // The cells of columns col1..col2, those missing created empty.
    std::span<Cell> Run(int col1, int col2);
};

// The rows in use of a sheet by rising row number, in one array: filling row after row appends,
// and a walk over the rows reads memory in order. Inserting a row before others moves those
// after it; a row's cells never move with it (a Cell& stays valid while its own row grows not).
class SheetRows {
public:
    using Entry = std::pair<int, SheetRow>;
    using iterator = std::vector<Entry>::iterator;
    using const_iterator = std::vector<Entry>::const_iterator;

    iterator begin() { return rows_.begin(); }
    iterator end() { return rows_.end(); }
    const_iterator begin() const { return rows_.begin(); }
    const_iterator end() const { return rows_.end(); }
    auto rbegin() const { return rows_.rbegin(); }
    auto rend() const { return rows_.rend(); }
    bool empty() const { return rows_.empty(); }
    std::size_t size() const { return rows_.size(); }
    void clear() { rows_.clear(); }
    void reserve(std::size_t count) { rows_.reserve(count); }
    void shrink_to_fit() { rows_.shrink_to_fit(); }

    iterator lower_bound(int row) { return std::lower_bound(begin(), end(), row, Before); }
    const_iterator lower_bound(int row) const { return std::lower_bound(begin(), end(), row, Before); }
    iterator upper_bound(int row) { return std::upper_bound(begin(), end(), row, After); }
    const_iterator upper_bound(int row) const { return std::upper_bound(begin(), end(), row, After); }
    iterator find(int row)
    {
        auto it = lower_bound(row);
        return it != end() && it->first == row ? it : end();
    }
    const_iterator find(int row) const
    {
        auto it = lower_bound(row);
        return it != end() && it->first == row ? it : end();
    }
    std::size_t count(int row) const { return find(row) != end() ? 1 : 0; }
    const SheetRow& at(int row) const;  // throws std::out_of_range for a row not in use
    // The row, added empty when not in use.
    SheetRow& operator[](int row) { return emplace_hint(lower_bound(row), row, SheetRow{})->second; }
    // Adds the row before `hint` when that is its place and it is not in use yet; the row's entry.
    iterator emplace_hint(iterator hint, int row, SheetRow added);
    iterator erase(iterator from, iterator to) { return rows_.erase(from, to); }

private:
    static bool Before(const Entry& e, int row) { return e.first < row; }
    static bool After(int row, const Entry& e) { return row < e.first; }
    std::vector<Entry> rows_;
};
