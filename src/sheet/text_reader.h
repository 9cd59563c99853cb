// Reads a tab-separated text into a one-sheet book; each field is typed input, so numbers become
// numbers. The text is UTF-8 when valid, else Windows-1252. A text that an Excel 5.0 sheet could
// not hold (a field beyond row 16384 or column 256, or of more than 255 characters) is refused
// with the reason, so memory stays a small multiple of what is read.
#pragma once

#include "sheet/sheet_book.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

std::optional<TF1Book> ReadSheetText(std::span<const std::uint8_t> bytes, std::string& error);
// The same for a file read a block at a time, so that its bytes are never held whole;
// `unreadable` tells a file that could not be read from one that is refused.
std::optional<TF1Book> ReadSheetTextFile(const std::string& path, std::string& error, bool& unreadable);
