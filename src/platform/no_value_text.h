// The text every shown or exported value takes when it has nothing to show: a phase a survey
// lacks, NaN, an infinity, a day beyond the calendar. Reports, sheets, exports and views show
// it, never a C library's text such as "nan" or "inf".
#pragma once

#include <string_view>

inline constexpr std::string_view kNoValueText = "***";
