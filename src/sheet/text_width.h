// Text widths from a built-in width table of the sheet font (used by column fitting).
#pragma once

#include "sheet/cell_style.h"

#include <string_view>

// Width of a UTF-8 text in points, in the given font's size and weight.
double TextWidthPoints(std::string_view text, const CellFont& font);
// The widest a number's text can be with a sign (or none), that many digits before the point
// and `decimals` after it: every digit as wide as the font's widest.
double NumberTextWidthBoundPoints(bool negative, int wholeDigits, int decimals, const CellFont& font);
