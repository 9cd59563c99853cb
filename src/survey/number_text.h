// Texts of numbers shared by the views, exports and dialogs: harmonic-order labels, engineering
// formatting with k and M, locale-free text-to-number conversion, and the recording period in
// minutes. Decimal separator "." everywhere.
#pragma once

#include <cstdint>
#include <string>

// "Thd", "1st", "2nd", "3rd", then "%dth".
std::string HarmonicLabel(int Order);
// Index 0 "Thd", 1 "DC", 2 "1st", 3 "2nd", 4 "3rd", then "%dth" of index - 1.
std::string CurrentHarmonicLabel(int Index);
// "T..." gives 0; otherwise the digits of the text read as a number (at most 10 digits);
// -1 when the text has no digits.
int ParseHarmonicLabel(const std::string& S);
// "T..." gives 0, "D..." 1; otherwise the digits' number + 1; -1 when the text has no digits.
int ParseCurrentHarmonicLabel(const std::string& S);

// 1500 -> "1.500k", 2000 -> "2k", 2e9 -> "2000M", 999.5 -> "999.5", 5 -> "5"; "***" for a
// value that is no number, as FormatFixed and FormatEngineeringUnit give.
std::string FormatEngineering(float Value);
// The value unscaled, with a blank and the scale's prefix ("M" for "MVolt", "k" for "kVolt",
// none for other scales or the unit "A").
std::string FormatEngineeringUnit(const std::string& ScaleName, const std::string& UnitName, float Value);
// printf-style "%.Nf" without the locale; "***" (kNoValueText) for a value that is no number.
std::string FormatFixed(double value, int decimals);

// Refuses (message "Invalid float conversion", V := 0) text that is not a finite number within
// single range.
bool TryStrToSingle(const std::string& S, float& V);
// Refuses (message "Invalid integer conversion", V := 0) text outside 0..65535.
bool TryStrToWord(const std::string& S, std::uint16_t& V);

// A recording period in seconds of the standard lengths (60 ... 3600) in minutes; any other
// value unchanged.
std::int16_t PeriodToMinutes(std::int16_t Period);
