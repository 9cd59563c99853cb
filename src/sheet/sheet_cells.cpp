// A row's cells and a sheet's rows.
#include "sheet/sheet_cells.h"

#include <stdexcept>
#include <string>

const Cell* SheetRow::Find(int col) const
{
    auto it = FirstCellFrom(cells, col);
    return it != cells.end() && it->col == col ? &*it : nullptr;
}

Cell& SheetRow::At(int col)
{
    if (cells.empty() || cells.back().col < col) {
        cells.emplace_back().col = static_cast<std::uint16_t>(col);
        return cells.back();
    }
    if (cells.back().col == col) return cells.back();
    auto it = FirstCellFrom(cells, col);
    if (it->col != col) it = cells.insert(it, Cell{});
    it->col = static_cast<std::uint16_t>(col);
    return *it;
}

std::span<Cell> SheetRow::Run(int col1, int col2)
{
    auto from = FirstCellFrom(cells, col1);
    auto to = FirstCellFrom(cells, col2 + 1);
    const auto wanted = static_cast<std::ptrdiff_t>(col2 - col1 + 1);
    if (to - from != wanted) {
        // Merged in one pass: the cells present keep their place, the missing are added empty.
        std::vector<Cell> run(static_cast<std::size_t>(wanted));
        for (int c = col1; c <= col2; ++c) run[static_cast<std::size_t>(c - col1)].col = static_cast<std::uint16_t>(c);
        for (auto it = from; it != to; ++it) run[static_cast<std::size_t>(it->col - col1)] = *it;
        const auto at = from - cells.begin();
        cells.erase(from, to);
        cells.insert(cells.begin() + at, run.begin(), run.end());
        from = cells.begin() + at;
    }
    return {&*from, static_cast<std::size_t>(wanted)};
}

const SheetRow& SheetRows::at(int row) const
{
    const auto it = find(row);
    if (it == end()) throw std::out_of_range("no row " + std::to_string(row));
    return it->second;
}

SheetRows::iterator SheetRows::emplace_hint(iterator hint, int row, SheetRow added)
{
    const bool placed = (hint == begin() || std::prev(hint)->first < row) && (hint == end() || hint->first >= row);
    if (!placed) hint = lower_bound(row);
    if (hint != end() && hint->first == row) return hint;
    return rows_.emplace(hint, row, std::move(added));
}
