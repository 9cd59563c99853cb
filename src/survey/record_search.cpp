// Binary searches over record times.
#include "survey/record_search.h"

#include <algorithm>
#include <cmath>

namespace {
// Remembers the last decodable time so an undecodable probe takes it.
class ProbeTimes {
public:
    ProbeTimes(const TimeProbe& probe, TDateTime firstTime) : probe_(probe), previous_(ToMilliseconds(firstTime)) {}

    std::int64_t At(std::int64_t i)
    {
        if (auto t = probe_(i)) previous_ = ToMilliseconds(*t);
        return previous_;
    }
    std::optional<std::int64_t> Exact(std::int64_t i)
    {
        auto t = probe_(i);
        return t ? std::optional(ToMilliseconds(*t)) : std::nullopt;
    }

private:
    const TimeProbe& probe_;
    std::int64_t previous_;
};

// Decodes a record's stamp for the searches; the first fault of a search is shown.
TimeProbe RecordProbe(TDataFile& F, const StampLayout& layout, std::int64_t n, bool& faultShown)
{
    return [&F, layout, n, &faultShown](std::int64_t i) -> std::optional<TDateTime> {
        if (i < 0 || i >= n) return std::nullopt;
        Bytes stamp;
        if (!F.ReadAt(F.RecordPosition(i), layout.bytesNeeded, stamp)) return std::nullopt;
        StampFault fault = StampFault::None;
        auto t = RecordTime(layout, stamp, &fault);
        if (!t && !faultShown) {
            ShowStampFault(fault);
            faultShown = true;
        }
        return t;
    };
}

// Records the search may probe: those of the file that Info also counts.
std::int64_t SearchableRecords(const TDataFile& F, const TMeasureFileInfo& Info)
{
    return std::min<std::int64_t>(F.RecordCount(), std::max<std::int32_t>(Info.RecordCount, 0));
}

std::int64_t FindWithLayout(TDataFile& F, const TMeasureFileInfo& Info, TDateTime T, const StampLayout* layout)
{
    const std::int64_t n = SearchableRecords(F, Info);
    if (n <= 0 || !layout) return static_cast<std::int64_t>(kDataFileHeaderSize);
    bool faultShown = false;
    const std::int64_t i = NearestEntry(n, Info.FirstTime, Info.LastTime, T, RecordProbe(F, *layout, n, faultShown));
    return static_cast<std::int64_t>(F.RecordPosition(i));
}
}  // namespace

std::int64_t NearestEntry(std::int64_t n, TDateTime firstTime, TDateTime lastTime, TDateTime time, const TimeProbe& probe)
{
    if (n <= 0) return 0;
    const std::int64_t T = ToMilliseconds(time), first = ToMilliseconds(firstTime), last = ToMilliseconds(lastTime);
    if (T < first) return 0;
    if (T > last) return n - 1;
    ProbeTimes times(probe, firstTime);
    std::int64_t base = 0, count = n, i = 0;
    std::int64_t t = first;
    while (count > 0) {
        const std::int64_t half = count / 2;
        i = base + half;
        t = times.At(i);
        if (t == T) return i;
        if (T > t) {
            base = i + 1;
            count -= half + 1;
        } else {
            count = half;
        }
    }
    // Guards for files whose stamps disagree with Info.
    if (t < first) return std::min(i + 1, n - 1);
    if (t > last) return std::max<std::int64_t>(i - 1, 0);
    // The nearer neighbour wins; a tie goes to the record where the search stopped.
    if (t >= T) {
        if (i == 0) return i;
        auto t0 = times.Exact(i - 1);
        return !t0 || T - *t0 >= t - T ? i : i - 1;
    }
    if (i == n - 1) return i;
    auto t1 = times.Exact(i + 1);
    return !t1 || T - t <= *t1 - T ? i : i + 1;
}

namespace {
template <typename Before>
std::int64_t PartitionPoint(std::int64_t n, TDateTime firstTime, const TimeProbe& probe, Before before)
{
    ProbeTimes times(probe, firstTime);
    std::int64_t lo = 0, hi = n;
    while (lo < hi) {
        const std::int64_t mid = lo + (hi - lo) / 2;
        if (before(times.At(mid))) lo = mid + 1;
        else hi = mid;
    }
    return lo;
}
}  // namespace

std::int64_t LowerBoundEntry(std::int64_t n, TDateTime firstTime, TDateTime T, const TimeProbe& probe)
{
    return PartitionPoint(n, firstTime, probe, [T = ToMilliseconds(T)](std::int64_t t) { return t < T; });
}

std::int64_t UpperBoundEntry(std::int64_t n, TDateTime firstTime, TDateTime T, const TimeProbe& probe)
{
    return PartitionPoint(n, firstTime, probe, [T = ToMilliseconds(T)](std::int64_t t) { return t <= T; });
}

std::int64_t FindRecordAtTime(TDataFile& F, const TMeasureFileInfo& Info, TDateTime T)
{
    return FindWithLayout(F, Info, T, StampLayoutOf(F.Measure()));
}

std::int64_t FindFlickerRecordAtTime(TDataFile& F, const TMeasureFileInfo& Info, TDateTime T)
{
    return FindWithLayout(F, Info, T, StampLayoutOf(MeasureFlicker));
}

std::int64_t FindEventRecordAtTime(TDataFile& F, const TMeasureFileInfo& Info, TDateTime T)
{
    return FindWithLayout(F, Info, T, StampLayoutOf(MeasureEvents));
}

std::optional<TRecordRange> FindRecordsInInterval(TDataFile& F, const TMeasureFileInfo& Info, TDateTime Start,
                                                  TDateTime Stop)
{
    const std::int64_t n = SearchableRecords(F, Info);
    auto layout = StampLayoutOf(F.Measure());
    if (n <= 0 || !layout || Stop < Start) return std::nullopt;
    bool faultShown = false;
    const TimeProbe probe = RecordProbe(F, *layout, n, faultShown);
    const std::int64_t first = LowerBoundEntry(n, Info.FirstTime, Start, probe);
    const std::int64_t last = UpperBoundEntry(n, Info.FirstTime, Stop, probe) - 1;
    if (first >= n || last < first) return std::nullopt;
    return TRecordRange{static_cast<std::int64_t>(F.RecordPosition(first)), static_cast<std::int64_t>(F.RecordPosition(last))};
}
