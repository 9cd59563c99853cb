// Record windows, time ticks, gaps and the Y scale of the trend views.
#include "views/trend_window.h"

#include <algorithm>
#include <cmath>

const std::array<std::int32_t, 12> TimeStepMinutes = {1, 5, 30, 60, 360, 1440, 10080, 43200, 86400, 129600, 525960, 5259600};
const std::array<std::string_view, 12> TimeAxisTitles = {
    "Time [minutes]", "Time [minutes]", "Time [minutes]", "Time [hours]", "Time [hours]", "Time [days]",
    "Time [weeks]",   "Time [months]",  "Time [months]",  "Time [months]", "Time [years]", "Time [years]"};
const std::array<std::string_view, 5> YAxisTitles = {"Volt", "Hertz", "Unbalance %", "% of fundamental", "p.u."};

std::uint32_t PeriodRecordCount(const TRecordWindow& window, std::uint32_t recordSize)
{
    if (recordSize == 0 || window.LastPos < window.FirstPos) return window.LastPos == window.FirstPos ? 1 : 0;
    return (window.LastPos - window.FirstPos) / recordSize + 1;
}

TRecordWindow OrderedWindow(const TRecordWindow& window)
{
    if (window.FirstPos <= window.LastPos) return window;
    return {window.LastPos, window.FirstPos, window.LastTime, window.FirstTime};
}

TTrendPeriod DescribePeriod(TPeriodUnit unit, std::int16_t period)
{
    const auto rate = [](int value, const char* suffix) { return "  (Rate: " + std::to_string(value) + suffix + ")"; };
    if (unit == TPeriodUnit::Minutes) return {rate(period, "min"), " hh:mm", "dd/MM hh:mm", std::int64_t{period} * 60};
    // The cursor of a view counted in seconds always shows them; a period of whole minutes is
    // named in minutes, 120 s as "2min" and not as 120 minutes.
    if (period >= 60 && period % 60 == 0) return {rate(period / 60, "min"), " hh:mm", "dd/MM hh:mm:ss", period};
    return {rate(period, "sec"), " hh:mm:ss", "dd/MM hh:mm:ss", period};
}

TTimeRange XAxisRange(const TRecordWindow& window, std::int64_t periodSeconds)
{
    const TRecordWindow w = OrderedWindow(window);
    if (w.LastTime > w.FirstTime) return {w.FirstTime, w.LastTime};
    const double period = static_cast<double>(std::max<std::int64_t>(periodSeconds, 60)) / 86400.0;
    return {w.FirstTime - period, w.FirstTime + period};
}

std::int64_t SpanMinutes(TDateTime first, TDateTime last)
{
    // Rounded to the millisecond first, as the date-time decoding does, so 10:00 to 10:12
    // stays 12 minutes and not 11.
    const double ms = std::round((last - first) * kMillisecondsPerDay);
    if (ms <= 0) return 0;
    return static_cast<std::int64_t>(ms) / 60000;
}

int TimeTickIndex(std::int64_t spanMinutes)
{
    for (int i = 0; i < static_cast<int>(TimeStepMinutes.size()); ++i)
        if (spanMinutes / TimeStepMinutes[static_cast<std::size_t>(i)] <= 12) return i;
    return static_cast<int>(TimeStepMinutes.size()) - 1;
}

bool AnyTraceChosen(const TTraceSettings& traces)
{
    for (const TTraceEntry& e : traces.Entries)
        if (e.Item > 0) return true;
    return false;
}
