// The system's short date format as a Qt pattern ("dd/MM/yy"). ORV_SHORT_DATE_FORMAT, when set,
// stands in for the system's (tests pin the format with it).
#pragma once

#include <string>

std::string SystemShortDateFormat();
