// The book's files: bytes of an Excel 5.0 or text file, and the reading of either into a book.
// TF1Book::WriteFile and TF1Book::ReadFile use these and report failures through the message seam.
#pragma once

#include "sheet/sheet_book.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// File bytes of the book in `type` (kFileTypeExcel5 or kFileTypeText), or nothing with `error`.
std::optional<std::vector<std::uint8_t>> BookFileBytes(const TF1Book& book, int type, std::string& error);

// Reads an Excel 5.0/95 workbook (OLE2 or a bare BIFF5 stream) or a tab-separated text into a
// new book. `type` receives the file type read. Nothing, with `error`, for a file it refuses.
std::optional<TF1Book> ReadBookBytes(const std::vector<std::uint8_t>& bytes, int& type, std::string& error);
