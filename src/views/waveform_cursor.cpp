// The waveform cursor rules.
#include "views/waveform_cursor.h"

#include <cmath>

namespace {
bool Within(double x, const TValueRange& r) { return x >= r.Min && x <= r.Max; }

std::optional<int> Usable(const TSamplesRecordHead& head, int k, const TValueRange& bottom)
{
    if (k < 0 || k >= head.SamplesPerChannel || !Within(SampleTimeMs(head, k), bottom)) return std::nullopt;
    return k;
}
}  // namespace

std::optional<int> CursorIndexAt(const TSamplesRecordHead& head, double t, const TValueRange& bottom, int lastIndex)
{
    int k = lastIndex;
    const double interval = SampleIntervalMs(head);
    if (t > bottom.Min && t < bottom.Max && interval > 0) {
        const double nearest = std::round((t + head.PreTrigger * 10.0) / interval);
        if (nearest < 0 || nearest >= head.SamplesPerChannel) return std::nullopt;
        k = static_cast<int>(nearest);
    }
    return Usable(head, k, bottom);
}

std::optional<int> CursorStep(const TSamplesRecordHead& head, int k, int direction, const TValueRange& bottom)
{
    return Usable(head, k + (direction < 0 ? -1 : 1), bottom);
}
