// Date-format holder and the four-digit-year widening.
#include "platform/date_format.h"

DateFormats& RunDateFormats()
{
    static DateFormats formats;
    return formats;
}

std::string WidenDateFormat(const std::string& format)
{
    if (format.find("yyyy") != std::string::npos) return format;
    auto at = format.find("yy");
    if (at == std::string::npos) return format;
    std::string wide = format;
    wide.insert(at, "yy");
    return wide;
}
