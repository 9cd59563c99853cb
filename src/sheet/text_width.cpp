// Advance widths of the sheet font for column fitting, so that fitted widths are the same with or
// without a window. Liberation Sans (metric-compatible with Arial), 1/1000 em, by Windows-1252 byte.
#include "sheet/text_width.h"

#include "platform/text_encoding.h"

#include <algorithm>

namespace {
constexpr short kRegular[224] = {
    278, 278, 355, 556, 556, 889, 667, 191, 333, 333, 389, 584, 278, 333, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 278, 278, 584, 584, 584, 556,
    1015, 667, 667, 722, 722, 667, 611, 778, 722, 278, 500, 667, 556, 833, 722, 778,
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 278, 278, 278, 469, 556,
    333, 556, 556, 500, 556, 556, 278, 556, 556, 222, 222, 500, 222, 833, 556, 556,
    556, 556, 333, 500, 278, 556, 500, 722, 500, 500, 500, 334, 260, 334, 584, 365,
    556, 556, 222, 556, 333, 1000, 556, 556, 333, 1000, 667, 333, 1000, 556, 611, 556,
    556, 222, 222, 333, 333, 350, 556, 1000, 333, 1000, 500, 333, 944, 556, 500, 667,
    278, 333, 556, 556, 556, 556, 260, 556, 333, 737, 370, 556, 584, 333, 737, 552,
    400, 549, 333, 333, 333, 576, 537, 278, 333, 333, 365, 556, 834, 834, 834, 611,
    667, 667, 667, 667, 667, 667, 1000, 722, 667, 667, 667, 667, 278, 278, 278, 278,
    722, 722, 778, 778, 778, 778, 778, 584, 778, 722, 722, 722, 722, 667, 667, 611,
    556, 556, 556, 556, 556, 556, 889, 500, 556, 556, 556, 556, 278, 278, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 549, 611, 556, 556, 556, 556, 500, 556, 500,
};
constexpr short kBold[224] = {
    278, 333, 474, 556, 556, 889, 722, 238, 333, 333, 389, 584, 278, 333, 278, 278,
    556, 556, 556, 556, 556, 556, 556, 556, 556, 556, 333, 333, 584, 584, 584, 611,
    975, 722, 722, 722, 722, 667, 611, 778, 722, 278, 556, 722, 611, 833, 722, 778,
    667, 778, 722, 667, 611, 722, 667, 944, 667, 667, 611, 333, 278, 333, 584, 556,
    333, 556, 611, 556, 611, 556, 333, 611, 611, 278, 278, 556, 278, 889, 611, 611,
    611, 611, 389, 556, 333, 611, 556, 778, 556, 556, 500, 389, 280, 389, 584, 365,
    556, 611, 278, 556, 500, 1000, 556, 556, 333, 1000, 667, 333, 1000, 611, 611, 611,
    611, 278, 278, 500, 500, 350, 556, 1000, 333, 1000, 556, 333, 944, 611, 500, 667,
    278, 333, 556, 556, 556, 556, 280, 556, 333, 737, 370, 556, 584, 333, 737, 552,
    400, 549, 333, 333, 333, 576, 556, 278, 333, 333, 365, 556, 834, 834, 834, 611,
    722, 722, 722, 722, 722, 722, 1000, 722, 667, 667, 667, 667, 278, 278, 278, 278,
    722, 722, 778, 778, 778, 778, 778, 584, 778, 722, 722, 722, 722, 667, 667, 611,
    556, 556, 556, 556, 556, 556, 889, 556, 556, 556, 556, 556, 278, 278, 278, 278,
    611, 611, 611, 611, 611, 611, 611, 549, 611, 611, 611, 611, 611, 556, 611, 556,
};

const short* TableOf(const CellFont& font) { return font.bold ? kBold : kRegular; }

double PointsOfUnits(long units, const CellFont& font)
{
    return static_cast<double>(units) / 1000.0 * font.heightTwips / 20.0;
}
}  // namespace

double TextWidthPoints(std::string_view text, const CellFont& font)
{
    const short* table = TableOf(font);
    // ASCII is the same in Windows-1252: the usual text needs no conversion (column fitting
    // measures every cell of a sheet).
    const bool ascii = std::all_of(text.begin(), text.end(), [](unsigned char c) { return c < 0x80; });
    const std::string converted = ascii ? std::string() : ToCp1252(text);
    long units = 0;
    for (const char byte : ascii ? text : std::string_view(converted)) {
        const auto c = static_cast<unsigned char>(byte);
        units += c >= 32 ? table[c - 32] : 0;
    }
    return PointsOfUnits(units, font);
}

double NumberTextWidthBoundPoints(bool negative, int wholeDigits, int decimals, const CellFont& font)
{
    const short* table = TableOf(font);
    const long digit = *std::max_element(table + ('0' - 32), table + ('9' - 32) + 1);
    const long units = (negative ? table['-' - 32] : 0) + (decimals > 0 ? table['.' - 32] : 0) + digit * (wholeDigits + decimals);
    return PointsOfUnits(units, font);
}
