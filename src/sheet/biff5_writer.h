// Writes a book as the Excel 5.0 (BIFF5) workbook stream, code page 1252: fonts, number formats,
// XFs, palette, sheets with column widths, row heights, labels, numbers, formatted blanks, print
// headers, footers and margins. Refuses what an Excel 5.0 file cannot hold.
#pragma once

#include "sheet/sheet_book.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The "Book" stream, or nothing with the reason in `error`.
std::optional<std::vector<std::uint8_t>> WriteBiff5Stream(const TF1Book& book, std::string& error);

// "A1"-style name of a cell, for messages.
std::string CellReference(int row, int col);
