// Date-time encoding on the proleptic Gregorian calendar, day 0 = 30/12/1899.
#include "platform/date_time.h"

#include "platform/date_format.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdint>

namespace {
bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

// Days from 1/1/1970 of a civil date (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(std::int64_t z, int& y, int& m, int& d)
{
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

// 30/12/1899 counted from 1/1/1970.
const std::int64_t kEpochOffset = DaysFromCivil(1899, 12, 30);

// Appends `value` with leading zeros to `width` digits, without a text of its own (the
// exporters write a date for every row).
void AppendPadded(std::string& out, int value, int width)
{
    char digits[16];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    const auto length = static_cast<int>(end - digits);
    if (length < width) out.append(static_cast<std::size_t>(width - length), '0');
    out.append(digits, end);
}

// Length of the run of `c` starting at `pattern[at]`.
std::size_t RunLength(const std::string& pattern, std::size_t at)
{
    std::size_t n = 1;
    while (at + n < pattern.size() && pattern[at + n] == pattern[at]) ++n;
    return n;
}
}  // namespace

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

bool IsValidDate(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

TDateTime DateSerial(int year, int month, int day)
{
    return static_cast<double>(DaysFromCivil(year, month, day) - kEpochOffset);
}

std::optional<TDateTime> EncodeDate(int year, int month, int day)
{
    if (!IsValidDate(year, month, day)) return std::nullopt;
    return DateSerial(year, month, day);
}

std::optional<double> EncodeTime(int hour, int minute, int second, int millisecond)
{
    if (!IsValidTime(hour, minute, second, millisecond)) return std::nullopt;
    return TimeFraction(hour, minute, second, millisecond);
}

std::optional<TDateTime> EncodeDateTime(const DateTimeParts& p)
{
    auto date = EncodeDate(p.year, p.month, p.day);
    auto time = EncodeTime(p.hour, p.minute, p.second, p.millisecond);
    if (!date || !time) return std::nullopt;
    return *date + *time;
}

bool InDateTimeRange(TDateTime t)
{
    constexpr TDateTime kFirstDay = -693593;  // 01/01/0001
    constexpr TDateTime kAfterLastDay = 2958466;  // 01/01/10000
    return std::isfinite(t) && t >= kFirstDay && t < kAfterLastDay;
}

DateTimeParts DecodeDateTime(TDateTime t)
{
    // Whole milliseconds from the epoch, so 10:15:59.9995 shows as 10:16:00.000, never 10:15:60.
    const auto total = static_cast<std::int64_t>(std::llround(t * kMillisecondsPerDay));
    const std::int64_t msPerDay = static_cast<std::int64_t>(kMillisecondsPerDay);
    std::int64_t days = total / msPerDay;
    std::int64_t ms = total % msPerDay;
    if (ms < 0) {
        ms += msPerDay;
        --days;
    }
    DateTimeParts p;
    CivilFromDays(days + kEpochOffset, p.year, p.month, p.day);
    p.hour = static_cast<int>(ms / 3600000);
    p.minute = static_cast<int>(ms / 60000 % 60);
    p.second = static_cast<int>(ms / 1000 % 60);
    p.millisecond = static_cast<int>(ms % 1000);
    return p;
}

std::string FormatDateTimePattern(TDateTime t, const std::string& pattern)
{
    const DateTimeParts p = DecodeDateTime(t);
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        const char c = pattern[i];
        std::size_t n = RunLength(pattern, i);
        switch (c) {
        case 'd': AppendPadded(out, p.day, n >= 2 ? 2 : 1); n = std::min<std::size_t>(n, 2); break;
        case 'M': AppendPadded(out, p.month, n >= 2 ? 2 : 1); n = std::min<std::size_t>(n, 2); break;
        case 'y':
            if (n >= 4) { AppendPadded(out, p.year, 4); n = 4; }
            else if (n >= 2) { AppendPadded(out, p.year % 100, 2); n = 2; }
            else out += c;
            break;
        case 'h':
        case 'H': AppendPadded(out, p.hour, n >= 2 ? 2 : 1); n = std::min<std::size_t>(n, 2); break;
        case 'm': AppendPadded(out, p.minute, n >= 2 ? 2 : 1); n = std::min<std::size_t>(n, 2); break;
        case 's': AppendPadded(out, p.second, n >= 2 ? 2 : 1); n = std::min<std::size_t>(n, 2); break;
        case 'z': AppendPadded(out, p.millisecond, n >= 3 ? 3 : 1); n = std::min<std::size_t>(n, 3); break;
        default: out.append(n, c); break;
        }
        i += n;
    }
    return out;
}

std::string FormatShortDate(TDateTime t) { return FormatDateTimePattern(t, RunDateFormats().shortDate); }
std::string FormatLongTime(TDateTime t) { return FormatDateTimePattern(t, "hh:mm:ss"); }
std::string FormatDateTime(TDateTime t) { return FormatShortDate(t) + " " + FormatLongTime(t); }

// Reads digits for each d/M/y run of a Qt-style date pattern; other characters must match.
std::optional<TDateTime> ParseDatePattern(const std::string& text, const std::string& pattern)
{
    int day = -1, month = -1, year = -1;
    std::size_t t = 0;
    for (std::size_t p = 0; p < pattern.size();) {
        char c = pattern[p];
        std::size_t run = 1;
        while (p + run < pattern.size() && pattern[p + run] == c) ++run;
        if (c == 'd' || c == 'M' || c == 'y') {
            if (run > 4 || (c != 'y' && run > 2)) return std::nullopt;  // month and day names are not read
            std::size_t maxDigits = c == 'y' ? run : 2;
            std::size_t start = t;
            int value = 0;
            while (t < text.size() && t - start < maxDigits && std::isdigit(static_cast<unsigned char>(text[t])))
                value = value * 10 + (text[t++] - '0');
            if (t == start) return std::nullopt;
            if (c == 'y' && run == 2) value += value < 50 ? 2000 : 1900;
            (c == 'd' ? day : c == 'M' ? month : year) = value;
        } else {
            for (std::size_t k = 0; k < run; ++k, ++t)
                if (t >= text.size() || text[t] != c) return std::nullopt;
        }
        p += run;
    }
    if (t != text.size()) return std::nullopt;
    return EncodeDate(year, month, day);
}

std::optional<TDateTime> ParseShortDate(const std::string& text) { return ParseDatePattern(text, RunDateFormats().shortDate); }
