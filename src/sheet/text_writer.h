// Writes a book as tab-separated text: the displayed texts of every sheet in order, one line per
// row, Windows-1252 with CR LF line ends.
#pragma once

#include "sheet/sheet_book.h"

#include <string>

std::string WriteSheetText(const TF1Book& book);
