// Calendar rounding of date-time axis ranges and ticks.
#include "graph/date_scaling.h"

#include "graph/calendar_dates.h"

namespace {

constexpr double MinuteDays = 1.0 / 1440.0;

double At(int year, int month, int day, int hour = 0, int minute = 0)
{
    return EncodeDateTimeParts({year, month, day, hour, minute, 0, 0});
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

double MidnightOf(const TDateTimeParts& p) { return At(p.Year, p.Month, p.Day); }

bool TimeIsMidnight(const TDateTimeParts& p) { return p.Hour == 0 && p.Minute == 0 && p.Second == 0; }

double FirstOfMonthUp(const TDateTimeParts& p, int& year, int& month)
{
    year = p.Year;
    month = p.Month;
    if (!(p.Day <= 1 && TimeIsMidnight(p))) AddMonths(year, month, 1);
    return At(year, month, 1);
}

double YearsUp(const TDateTimeParts& p, int period)
{
    const bool exact = p.Month <= 1 && p.Day <= 1 && TimeIsMidnight(p);
    if (exact && p.Year % period == 0) return At(p.Year, 1, 1);
    if (period == 1) return At(p.Year + 1, 1, 1);
    return At((p.Year / period + 1) * period, 1, 1);
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
    const TDateTimeParts p = DecodeDateTimeParts(value);
    switch (unit) {
    case dt_minute: return At(p.Year, p.Month, p.Day, p.Hour, p.Minute);
    case dt_5minute: return At(p.Year, p.Month, p.Day, p.Hour, p.Minute - p.Minute % 5);
    case dt_halfhourly: return At(p.Year, p.Month, p.Day, p.Hour, p.Minute >= 30 ? 30 : 0);
    case dt_hourly:
    case dt_6hour: return At(p.Year, p.Month, p.Day, p.Hour);
    case dt_daily: return MidnightOf(p);
    case dt_weekly: return MidnightOf(p) - (DayOfWeek(value) - 1);
    case dt_monthly: return At(p.Year, p.Month, 1);
    case dt_2monthly: return At(p.Year, p.Month % 2 == 1 ? p.Month : p.Month - 1, 1);
    case dt_quarterly: return At(p.Year, (p.Month - 1) / 3 * 3 + 1, 1);
    case dt_annually: return At(p.Year, 1, 1);
    case dt_decade: return At(p.Year - p.Year % 10, 1, 1);
    case dt_century: return At(p.Year - p.Year % 100, 1, 1);
    case dt_custom: break;
    }
    return value;
}

double RoundDateUp(double value, Dateticks unit)
{
    const TDateTimeParts p = DecodeDateTimeParts(value);
    const double hour = At(p.Year, p.Month, p.Day, p.Hour);
    int year = 0, month = 0;
    switch (unit) {
    case dt_minute:
        return At(p.Year, p.Month, p.Day, p.Hour, p.Minute) + (p.Second != 0 ? MinuteDays : 0.0);
    case dt_5minute:
        if (p.Minute % 5 == 0 && p.Second == 0) return At(p.Year, p.Month, p.Day, p.Hour, p.Minute);
        return At(p.Year, p.Month, p.Day, p.Hour, p.Minute - p.Minute % 5) + 5 * MinuteDays;
    case dt_halfhourly:
        if (p.Minute == 0 && p.Second == 0) return hour;
        if (p.Minute < 30) return hour + 30 * MinuteDays;
        return hour + 1.0 / 24;
    case dt_hourly: return hour + (p.Minute != 0 || p.Second != 0 ? 1.0 / 24 : 0.0);
    case dt_6hour: return hour + (p.Minute != 0 || p.Second != 0 ? 0.25 : 0.0);
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
    const TDateTimeParts p = DecodeDateTimeParts(value);
    int year = p.Year, month = p.Month;
    switch (unit) {
    case dt_monthly: AddMonths(year, month, 1); return At(year, month, 1);
    case dt_2monthly: AddMonths(year, month, 2); return At(year, month, 1);
    case dt_quarterly: AddMonths(year, month, 3); return At(year, month, 1);
    case dt_annually: return At(p.Year + 1, 1, 1);
    case dt_decade: return At(p.Year + 10, 1, 1);
    case dt_century: return At(p.Year + 100, 1, 1);
    default: break;
    }
    return value;
}
