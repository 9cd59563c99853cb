// Text widths from a built-in width table of the sheet font (used by column fitting).
#pragma once

#include "sheet/cell_style.h"

#include <string>

// Width of a UTF-8 text in points, in the given font's size and weight.
double TextWidthPoints(const std::string& text, const CellFont& font);
