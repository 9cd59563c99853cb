// The weekday of the program's date-time doubles, and pattern formatting of them.
#include "graph/calendar_dates.h"

#include <cctype>
#include <cstdint>

namespace {

const char* const ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
const char* const ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

std::string Padded(int value, int width)
{
    std::string s = std::to_string(value);
    while (static_cast<int>(s.size()) < width) s.insert(s.begin(), '0');
    return s;
}

int WeekdayOf(const DateTimeParts& p)
{
    const auto days = static_cast<std::int64_t>(DateSerial(p.year, p.month, p.day));
    return static_cast<int>(((days - 1) % 7 + 7) % 7) + 1; // day 0 was a Saturday
}

} // namespace

int DayOfWeek(double value) { return WeekdayOf(DecodeDateTime(value)); }

std::string FormatDateTime(const std::string& pattern, double value)
{
    const DateTimeParts p = DecodeDateTime(value);
    const int weekday = WeekdayOf(p);
    std::string out;
    bool afterHour = false; // "m" right after an hour means minutes
    std::size_t i = 0;
    while (i < pattern.size()) {
        const char c = pattern[i];
        if (c == '\'' || c == '"') {
            const std::size_t close = pattern.find(c, i + 1);
            const std::size_t end = close == std::string::npos ? pattern.size() : close;
            out.append(pattern, i + 1, end - i - 1);
            i = end == pattern.size() ? end : end + 1;
            continue;
        }
        const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::size_t run = 1;
        while (i + run < pattern.size() &&
               std::tolower(static_cast<unsigned char>(pattern[i + run])) == lower)
            ++run;
        switch (lower) {
        case 'd':
            if (run == 1) out += std::to_string(p.day);
            else if (run == 2) out += Padded(p.day, 2);
            else if (run == 3) out += ShortDayNames[weekday - 1];
            else out += LongDayNames[weekday - 1];
            break;
        case 'm':
            if (afterHour && run <= 2) out += Padded(p.minute, run == 2 ? 2 : 1);
            else if (run == 1) out += std::to_string(p.month);
            else if (run == 2) out += Padded(p.month, 2);
            else if (run == 3) out += ShortMonthNames[p.month - 1];
            else out += LongMonthNames[p.month - 1];
            break;
        case 'y': out += run <= 2 ? Padded(p.year % 100, 2) : Padded(p.year, 4); break;
        case 'h': out += Padded(p.hour, run >= 2 ? 2 : 1); break;
        case 'n': out += Padded(p.minute, run >= 2 ? 2 : 1); break;
        case 's': out += Padded(p.second, run >= 2 ? 2 : 1); break;
        case 'z': out += Padded(p.millisecond, run >= 3 ? 3 : 1); break;
        default: out.append(run, c); break;
        }
        if (lower == 'h') afterHour = true;
        else if (std::isalpha(static_cast<unsigned char>(lower))) afterHour = false;
        i += run;
    }
    return out;
}
