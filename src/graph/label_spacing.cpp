// Thinning and placing axis labels along their axis.
#include "graph/label_spacing.h"

#include <algorithm>

namespace {

int StartInside(const TLabelSlot& slot, int low, int high)
{
    int start = slot.Centre - slot.Extent / 2;
    start = std::min(start, high - slot.Extent);
    return std::max(start, low);
}

std::vector<TPlacedLabel> Pick(std::span<const TLabelSlot> slots, int low, int high, std::int64_t stride)
{
    std::vector<TPlacedLabel> placed;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        const std::int64_t rest = slots[i].Ordinal % stride;
        if (rest == 0) placed.push_back({i, StartInside(slots[i], low, high)});
    }
    if (placed.empty())
        for (std::size_t i = 0; i < slots.size(); i += static_cast<std::size_t>(stride))
            placed.push_back({i, StartInside(slots[i], low, high)});
    return placed;
}

bool ApartByGap(std::vector<TPlacedLabel> placed, std::span<const TLabelSlot> slots, int gap)
{
    // A Y axis runs upward: order by position, not by tick.
    std::sort(placed.begin(), placed.end(), [](const TPlacedLabel& a, const TPlacedLabel& b) { return a.Start < b.Start; });
    for (std::size_t k = 1; k < placed.size(); ++k)
        if (placed[k].Start < placed[k - 1].Start + slots[placed[k - 1].Slot].Extent + gap) return false;
    return true;
}

} // namespace

std::vector<TPlacedLabel> SpaceLabels(std::span<const TLabelSlot> slots, int low, int high, int gap,
                                      std::span<const int> strides)
{
    std::int64_t stride = 1;
    for (std::size_t k = 0;; ++k) {
        if (k < strides.size()) stride = std::max<std::int64_t>(strides[k], 1);
        else stride *= 2;
        std::vector<TPlacedLabel> placed = Pick(slots, low, high, stride);
        if (placed.size() <= 1 || ApartByGap(placed, slots, gap)) return placed;
    }
}
