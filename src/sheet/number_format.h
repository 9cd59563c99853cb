// Number formats of cells: the display text of a number under a format text ("General", "0.00",
// "+0.0;-0.0", "dd/mm/yyyy hh:mm"), and the reading of typed input as a number.
#pragma once

#include <functional>
#include <string>

// A typed text is a number when it is a plain decimal ("12", "-3.50", "+1e3"); `decimals` is the
// count of digits after the point (-1 with an exponent). Texts with blanks, "inf" or "nan" are not.
bool ParseTypedNumber(const std::string& text, double& value, int& decimals);

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

// Whether a format shows a day, month or year (not only a time of day or a duration such as
// "[h]:mm"): the numbers under it are dates, which depend on the workbook's date base.
bool ShowsCalendarDate(const std::string& format);
