// Calendar rounding of date-time axis ranges and ticks.
#include "graph/date_scaling.h"

#include "graph/calendar_dates.h"

namespace {

constexpr double MinuteDays = 1.0 / 1440.0;

double At(int year, int month, int day, int hour = 0, int minute = 0)
{
    return DateSerial(year, month, day) + TimeFraction(hour, minute, 0, 0);
}

// Months are added within one year step: n is at most 12.
void AddMonths(int& year, int& month, int n)
{
    if (month + n < 13) {
        month += n;
    } else {
        ++year;
        month = month + n - 12;
    }
}

double MidnightOf(const DateTimeParts& p) { return At(p.year, p.month, p.day); }

bool TimeIsMidnight(const DateTimeParts& p) { return p.hour == 0 && p.minute == 0 && p.second == 0; }

double FirstOfMonthUp(const DateTimeParts& p, int& year, int& month)
{
    year = p.year;
    month = p.month;
    if (!(p.day <= 1 && TimeIsMidnight(p))) AddMonths(year, month, 1);
    return At(year, month, 1);
}

double YearsUp(const DateTimeParts& p, int period)
{
    const bool exact = p.month <= 1 && p.day <= 1 && TimeIsMidnight(p);
    if (exact && p.year % period == 0) return At(p.year, 1, 1);
    if (period == 1) return At(p.year + 1, 1, 1);
    return At((p.year / period + 1) * period, 1, 1);
}

} // namespace

double DateStepDays(Dateticks unit)
{
    static const double steps[] = {1.0 / 1440, 5.0 / 1440, 1.0 / 48, 1.0 / 24, 0.25, 1, 7,
                                   30, 61, 91, 365, 3654, 36540};
    return unit == dt_custom ? 0.0 : steps[unit];
}

double RoundDateDown(double value, Dateticks unit)
{
    const DateTimeParts p = DecodeDateTime(value);
    switch (unit) {
    case dt_minute: return At(p.year, p.month, p.day, p.hour, p.minute);
    case dt_5minute: return At(p.year, p.month, p.day, p.hour, p.minute - p.minute % 5);
    case dt_halfhourly: return At(p.year, p.month, p.day, p.hour, p.minute >= 30 ? 30 : 0);
    case dt_hourly:
    case dt_6hour: return At(p.year, p.month, p.day, p.hour);
    case dt_daily: return MidnightOf(p);
    case dt_weekly: return MidnightOf(p) - (DayOfWeek(value) - 1);
    case dt_monthly: return At(p.year, p.month, 1);
    case dt_2monthly: return At(p.year, p.month % 2 == 1 ? p.month : p.month - 1, 1);
    case dt_quarterly: return At(p.year, (p.month - 1) / 3 * 3 + 1, 1);
    case dt_annually: return At(p.year, 1, 1);
    case dt_decade: return At(p.year - p.year % 10, 1, 1);
    case dt_century: return At(p.year - p.year % 100, 1, 1);
    case dt_custom: break;
    }
    return value;
}

double RoundDateUp(double value, Dateticks unit)
{
    const DateTimeParts p = DecodeDateTime(value);
    const double hour = At(p.year, p.month, p.day, p.hour);
    int year = 0, month = 0;
    switch (unit) {
    case dt_minute:
        return At(p.year, p.month, p.day, p.hour, p.minute) + (p.second != 0 ? MinuteDays : 0.0);
    case dt_5minute:
        if (p.minute % 5 == 0 && p.second == 0) return At(p.year, p.month, p.day, p.hour, p.minute);
        return At(p.year, p.month, p.day, p.hour, p.minute - p.minute % 5) + 5 * MinuteDays;
    case dt_halfhourly:
        if (p.minute == 0 && p.second == 0) return hour;
        if (p.minute < 30) return hour + 30 * MinuteDays;
        return hour + 1.0 / 24;
    case dt_hourly: return hour + (p.minute != 0 || p.second != 0 ? 1.0 / 24 : 0.0);
    case dt_6hour: return hour + (p.minute != 0 || p.second != 0 ? 0.25 : 0.0);
    case dt_daily: return MidnightOf(p) + (TimeIsMidnight(p) ? 0.0 : 1.0);
    case dt_weekly: return MidnightOf(p) + 8 - DayOfWeek(value);
    case dt_monthly: return FirstOfMonthUp(p, year, month);
    case dt_2monthly:
        FirstOfMonthUp(p, year, month);
        if (month % 2 == 0) AddMonths(year, month, 1);
        return At(year, month, 1);
    case dt_quarterly:
        FirstOfMonthUp(p, year, month);
        while ((month - 1) % 3 != 0) AddMonths(year, month, 1);
        return At(year, month, 1);
    case dt_annually: return YearsUp(p, 1);
    case dt_decade: return YearsUp(p, 10);
    case dt_century: return YearsUp(p, 100);
    case dt_custom: break;
    }
    return value;
}

double NextDateTick(double value, Dateticks unit)
{
    if (unit <= dt_weekly) return value + DateStepDays(unit);
    const DateTimeParts p = DecodeDateTime(value);
    int year = p.year, month = p.month;
    switch (unit) {
    case dt_monthly: AddMonths(year, month, 1); return At(year, month, 1);
    case dt_2monthly: AddMonths(year, month, 2); return At(year, month, 1);
    case dt_quarterly: AddMonths(year, month, 3); return At(year, month, 1);
    case dt_annually: return At(p.year + 1, 1, 1);
    case dt_decade: return At(p.year + 10, 1, 1);
    case dt_century: return At(p.year + 100, 1, 1);
    default: break;
    }
    return value;
}
