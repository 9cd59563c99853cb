// System short date format.
#include "platform/system_locale.h"

#include <QLocale>
#include <cctype>
#include <cstdlib>

namespace {
// Dates are shown and read back with this format, so it may hold only numeric day, month and
// year fields; a format with names ("d MMM yyyy") falls back to the numeric one.
bool IsNumericDateFormat(const std::string& format)
{
    if (format.find("MMM") != std::string::npos || format.find("ddd") != std::string::npos) return false;
    for (char c : format)
        if (std::isalpha(static_cast<unsigned char>(c)) && c != 'd' && c != 'M' && c != 'y') return false;
    return format.find('d') != std::string::npos && format.find('M') != std::string::npos &&
           format.find('y') != std::string::npos;
}
}  // namespace

std::string SystemShortDateFormat()
{
    if (const char* env = std::getenv("ORV_SHORT_DATE_FORMAT"); env && *env) return env;
    std::string format = QLocale::system().dateFormat(QLocale::ShortFormat).toStdString();
    return IsNumericDateFormat(format) ? format : "dd/MM/yyyy";
}
