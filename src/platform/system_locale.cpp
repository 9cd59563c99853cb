// System short date format.
#include "platform/system_locale.h"

#include <QLocale>
#include <cstdlib>

std::string SystemShortDateFormat()
{
    if (const char* env = std::getenv("ORV_SHORT_DATE_FORMAT"); env && *env) return env;
    return QLocale::system().dateFormat(QLocale::ShortFormat).toStdString();
}
