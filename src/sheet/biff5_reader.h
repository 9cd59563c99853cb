// Reads an Excel 5.0/95 (BIFF5/BIFF7) workbook stream into a book: cells (labels, numbers, RK
// values, blanks, formula results), fonts, formats, XFs, palette, column widths, row heights,
// print settings and view state. Every length, count and index is checked; Excel 97 and later
// (BIFF8) and password-protected books are refused.
#pragma once

#include "sheet/sheet_book.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

std::optional<TF1Book> ReadBiff5Stream(std::span<const std::uint8_t> stream, std::string& error);

// Whether bytes start with a BIFF5 or BIFF8 beginning-of-file record.
bool StartsWithBiffBof(std::span<const std::uint8_t> stream);
