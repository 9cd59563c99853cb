// Writes a book as the Excel 5.0 (BIFF5) workbook stream, code page 1252: fonts, number formats,
// XFs, palette, sheets with column widths, row heights, labels, numbers, formatted blanks, print
// headers, footers and margins. Refuses what an Excel 5.0 file cannot hold.
#pragma once

#include "sheet/sheet_book.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// An Excel 5.0 sheet name: 1 to 31 characters of code page 1252, none of these.
constexpr std::size_t kExcelMaxSheetName = 31;
constexpr std::string_view kSheetNameForbidden = "[]:*?/\\";

// The "Book" stream, or nothing with the reason in `error`.
std::optional<std::vector<std::uint8_t>> WriteBiff5Stream(const TF1Book& book, std::string& error);
// The whole Excel 5.0 file: the stream written in place inside its compound file.
std::optional<std::vector<std::uint8_t>> WriteBiff5Workbook(const TF1Book& book, std::string& error);

// The nearest name an Excel 5.0 sheet can hold: forbidden characters (and those code page 1252
// lacks) become "_", the name is cut to its first 31 characters, an empty one is "Sheet1".
std::string ExcelSheetName(const std::string& wanted);

// "A1"-style name of a cell, for messages.
std::string CellReference(int row, int col);
