// Text widths from a built-in width table of the sheet font (used by column fitting).
#pragma once

#include "sheet/cell_style.h"
#include "sheet/number_format.h"

#include <string_view>

// Width of a UTF-8 text in points, in the given font's size and weight.
double TextWidthPoints(std::string_view text, const CellFont& font);
// The widest a number's text of that size can be: every digit as wide as the font's widest.
double NumberTextWidthBoundPoints(const NumberTextSize& size, const CellFont& font);
