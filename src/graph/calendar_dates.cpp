// Calendar arithmetic on the program's date-time doubles, and pattern formatting of them.
#include "graph/calendar_dates.h"

#include <cctype>
#include <cmath>
#include <cstdint>

namespace {

constexpr std::int64_t MSecsPerDay = 86400000;
constexpr std::int64_t UnixDayOfEpoch = 25569; // 30/12/1899 lies 25569 days before 01/01/1970

const char* const ShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                         "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const LongMonthNames[12] = {"January", "February", "March",     "April",   "May",      "June",
                                        "July",    "August",   "September", "October", "November", "December"};
const char* const ShortDayNames[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const LongDayNames[7] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

// Proleptic Gregorian day count from 01/01/1970 (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, int& year, int& month, int& day)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(static_cast<std::int64_t>(yoe) + era * 400 + (month <= 2));
}

std::int64_t TotalMSecs(double value) { return std::llround(value * static_cast<double>(MSecsPerDay)); }

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); }

std::string Padded(int value, int width)
{
    std::string s = std::to_string(value);
    while (static_cast<int>(s.size()) < width) s.insert(s.begin(), '0');
    return s;
}

} // namespace

TDateTimeParts DecodeDateTimeParts(double value)
{
    const std::int64_t total = TotalMSecs(value);
    const std::int64_t days = FloorDiv(total, MSecsPerDay);
    std::int64_t ms = total - days * MSecsPerDay;
    TDateTimeParts p;
    CivilFromDays(days - UnixDayOfEpoch, p.Year, p.Month, p.Day);
    p.Hour = static_cast<int>(ms / 3600000);
    ms %= 3600000;
    p.Minute = static_cast<int>(ms / 60000);
    ms %= 60000;
    p.Second = static_cast<int>(ms / 1000);
    p.MSec = static_cast<int>(ms % 1000);
    return p;
}

double EncodeCalendarDate(int year, int month, int day)
{
    return static_cast<double>(DaysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
                               UnixDayOfEpoch);
}

double EncodeDateTimeParts(const TDateTimeParts& p)
{
    const double time = (((p.Hour * 60.0 + p.Minute) * 60.0 + p.Second) * 1000.0 + p.MSec) /
                        static_cast<double>(MSecsPerDay);
    return EncodeCalendarDate(p.Year, p.Month, p.Day) + time;
}

int DayOfWeek(double value)
{
    const std::int64_t days = FloorDiv(TotalMSecs(value), MSecsPerDay);
    return static_cast<int>(((days - 1) % 7 + 7) % 7) + 1; // day 0 was a Saturday
}

std::string FormatDateTime(const std::string& pattern, double value)
{
    const TDateTimeParts p = DecodeDateTimeParts(value);
    const int weekday = DayOfWeek(value);
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
            if (run == 1) out += std::to_string(p.Day);
            else if (run == 2) out += Padded(p.Day, 2);
            else if (run == 3) out += ShortDayNames[weekday - 1];
            else out += LongDayNames[weekday - 1];
            break;
        case 'm':
            if (afterHour && run <= 2) out += Padded(p.Minute, run);
            else if (run == 1) out += std::to_string(p.Month);
            else if (run == 2) out += Padded(p.Month, 2);
            else if (run == 3) out += ShortMonthNames[p.Month - 1];
            else out += LongMonthNames[p.Month - 1];
            break;
        case 'y': out += run <= 2 ? Padded(p.Year % 100, 2) : Padded(p.Year, 4); break;
        case 'h': out += Padded(p.Hour, run >= 2 ? 2 : 1); break;
        case 'n': out += Padded(p.Minute, run >= 2 ? 2 : 1); break;
        case 's': out += Padded(p.Second, run >= 2 ? 2 : 1); break;
        case 'z': out += Padded(p.MSec, run >= 3 ? 3 : 1); break;
        default: out.append(run, c); break;
        }
        if (lower == 'h') afterHour = true;
        else if (std::isalpha(static_cast<unsigned char>(lower))) afterHour = false;
        i += run;
    }
    return out;
}
