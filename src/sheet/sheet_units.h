// Size units of the sheet: column widths in 1/256 of the default font's digit width, row heights
// in twips (1/20 point), margins in inches. Pixels are screen pixels at 96 dots per inch.
#pragma once

#include <cmath>

namespace sheet_units {
constexpr int kDigitPixels = 7;              // width of "0" in Arial 10 at 96 dpi
constexpr int kDefaultColumnWidth = 2340;    // 8 digits plus the cell padding
constexpr int kDefaultRowHeight = 255;       // twips: Arial 10 and its line gap
constexpr int kMaxColumnWidth = 255 * 256;   // a column holds at most 255 digits
constexpr int kMaxRowHeight = 8192;          // twips (409.6 points)

inline double ColumnPixels(int width) { return width * double(kDigitPixels) / 256.0; }
inline int ColumnWidthFromPixels(double pixels) { return static_cast<int>(std::ceil(pixels * 256.0 / kDigitPixels)); }
inline double RowPixels(int twips) { return twips / 15.0; }
inline double PointsToPixels(double points) { return points * 96.0 / 72.0; }
}  // namespace sheet_units
