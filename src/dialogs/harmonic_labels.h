// Harmonic-order labels as the program shows them ("Thd", "1st", "2nd", "3rd", "4th", ...) and
// back. Voltage harmonics are numbered by order (0 is Thd); current harmonics by index, where 1
// is DC and the orders follow one place later (2 is "1st").
#pragma once

#include <string>

std::string HarmonicLabel(int order);
std::string CurrentHarmonicLabel(int index);
// "T..." is 0; otherwise the label's digits (at most 10) as a decimal number, 0 without digits.
int ParseHarmonicLabel(const std::string& label);
// "T..." is 0, "D..." is 1; otherwise the label's digits plus 1.
int ParseCurrentHarmonicLabel(const std::string& label);
