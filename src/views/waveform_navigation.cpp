// The waveform view's navigation model.
#include "views/waveform_navigation.h"

#include <cmath>
#include <limits>

namespace {
std::int64_t ToMs(TDateTime t) { return std::llround(t * kMillisecondsPerDay); }
}  // namespace

bool TWaveformNavigation::Open(Bytes index, const TMeasureFileInfo& info, TDateTime start, TDateTime stop)
{
    const auto range = FindIndexEntriesInPeriod(index, info, start, stop);
    if (!range || range->Count() > std::numeric_limits<int>::max()) return false;
    index_ = std::move(index);
    first_ = range->First;
    count_ = static_cast<int>(range->Count());
    current_ = 1;
    start_ = start;
    stop_ = stop;
    stepping_ = AutoStep::Off;
    return true;
}

bool TWaveformNavigation::GoTo(int number)
{
    if (number < 1 || number > count_ || number == current_) return false;
    current_ = number;
    return true;
}

bool TWaveformNavigation::GoToTime(TDateTime t)
{
    if (!PeriodHolds(t)) return false;
    const std::int64_t wanted = ToMs(t);
    for (int n = 1; n <= count_; ++n) {
        auto e = IndexEntry(index_, first_ + n - 1);
        if (e && ToMs(e->Time) == wanted) {
            current_ = n;
            return true;
        }
    }
    return false;
}

bool TWaveformNavigation::GoToOffset(std::uint32_t offset)
{
    for (int n = 1; n <= count_; ++n) {
        auto e = IndexEntry(index_, first_ + n - 1);
        if (e && e->Offset == offset) {
            current_ = n;
            return true;
        }
    }
    return false;
}

bool TWaveformNavigation::Tick()
{
    switch (stepping_) {
    case AutoStep::Off: return false;
    case AutoStep::Backward:
        if (GoToPrevious()) return true;
        break;
    case AutoStep::Forward:
        if (GoToNext()) return true;
        break;
    }
    stepping_ = AutoStep::Off;
    return false;
}
