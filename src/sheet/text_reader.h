// Reads a tab-separated text into a one-sheet book; each field is typed input, so numbers become
// numbers. Lines are UTF-8 when valid, else Windows-1252.
#pragma once

#include "sheet/sheet_book.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>

std::optional<TF1Book> ReadSheetText(std::span<const std::uint8_t> bytes, std::string& error);
