// The step from one record's time to the next: two consecutive records follow each other when
// they lie exactly one recording period apart, to the second; a missing record, a pause or a
// missing day leaves a gap. The trend views join their points by it, and the record-window
// reader finds the gaps of a window while it decodes its stamps.
#pragma once

#include <cstdint>

#include "platform/date_time.h"

// The gaps in seconds that round (halves away from zero) to a period: [period - 0.5, period + 0.5),
// taken once for a run of records, so the test of each record needs no rounding call. A period
// of 0 or less joins nothing.
struct TJoinBounds {
    explicit TJoinBounds(std::int64_t periodSeconds)
        : Low(static_cast<double>(periodSeconds) - 0.5), High(static_cast<double>(periodSeconds) + 0.5), Any(periodSeconds > 0)
    {
    }
    // Inline and without a branch: every record of a plotted window passes here.
    bool Join(TDateTime previous, TDateTime time) const
    {
        const double seconds = (time - previous) * 86400.0;
        return Any & (previous > 0) & (seconds >= Low) & (seconds < High);
    }
    double Low, High;
    bool Any;
};

inline bool JoinsPrevious(TDateTime previous, TDateTime time, std::int64_t periodSeconds)
{
    return TJoinBounds(periodSeconds).Join(previous, time);
}
