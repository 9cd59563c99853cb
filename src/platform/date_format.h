// The run's date and time formats (Qt-style patterns: "dd/MM/yyyy", "hh:mm:ss").
// The main window widens the system's short date format to four-digit years at start and puts
// it back at exit; everything that shows or parses dates with the short format reads it here.
#pragma once

#include <string>

struct DateFormats {
    std::string shortDate = "dd/MM/yyyy";
    std::string longTime = "hh:mm:ss";
};

DateFormats& RunDateFormats();

// Inserts "yy" at the first "yy" when the format has no "yyyy" (dd/MM/yy -> dd/MM/yyyy); a format
// with neither stays as it is.
std::string WidenDateFormat(const std::string& format);
