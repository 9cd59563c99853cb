// Number formats of cells: the display text of a number under a format text ("General", "0.00",
// "+0.0;-0.0", "dd/mm/yyyy hh:mm"), and the reading of typed input as a number.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A typed text is a number when it is a plain decimal ("12", "-3.50", "+1e3"); `decimals` is the
// count of digits after the point (-1 with an exponent). Texts with blanks, "inf" or "nan" are not.
bool ParseTypedNumber(std::string_view text, double& value, int& decimals);

// "0" for no decimals, else "0." followed by that many zeros.
std::string FixedDecimalsFormat(int decimals);

// Display text of a number under an Excel-style format (locale-free, decimal point ".").
std::string FormatCellNumber(double value, const std::string& format);

// The text a number cell shows in `width` (the unit `measure` gives text widths in): its display
// text when that fits; under General, else the longest shorter form that fits (fewer digits,
// then the exponent form); else as many "#" as fit, so a number is never shown cut.
std::string FitCellNumber(double value, const std::string& format, double width,
                          const std::function<double(const std::string&)>& measure);

bool IsGeneralFormat(const std::string& format);

// The number that typed input reads from `value` written with `decimals` decimals by
// std::to_chars (fixed): the value rounded to them, worked out without the text where that is
// exact. For a finite value; FixedDecimalsText is the text itself.
double FixedDecimalsValue(double value, int decimals);
std::string FixedDecimalsText(double value, int decimals);

// What a format shows of a number, for bounding the width of its text without formatting it: a
// plain fixed format ("0", "0.00") shows a sign, the integer digits and its decimals; General
// shows a whole number below 1e11 so, without decimals; other formats are not bounded.
struct NumberShape {
    enum Kind : std::uint8_t { Fixed, General, Other } kind = Other;
    int decimals = 0;
};
NumberShape NumberShapeOf(const std::string& format);

// The largest whole part a number's text under `shape` can show (its digits, with a sign for a
// negative number and the shape's decimals, make the text); nothing when only formatting the
// number tells. Rounding to the decimals (on the 15-digit form) adds at most a half.
inline std::optional<double> WholePartBound(double value, NumberShape shape)
{
    const double magnitude = std::fabs(value);
    if (shape.kind == NumberShape::Other || !(magnitude < 1e14)) return std::nullopt;
    if (shape.kind == NumberShape::General && (value != std::floor(value) || magnitude >= 1e11)) return std::nullopt;
    return std::floor(magnitude * (1 + 1e-14) + 0.5);
}

// Whether a format shows a day, month or year (not only a time of day or a duration such as
// "[h]:mm"): the numbers under it are dates, which depend on the workbook's date base.
bool ShowsCalendarDate(const std::string& format);
