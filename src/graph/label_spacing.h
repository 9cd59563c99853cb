// Where an axis's labels go along the axis: each centred on its tick and moved inside the
// control, and, when they would touch at the drawn size, only every n-th of them, at a stride
// that keeps them on round values. Used by the graph's axis drawing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

struct TLabelSlot {
    int Centre = 0;           // pixel of the tick along the axis
    int Extent = 0;           // the label's length along the axis, in pixels
    std::int64_t Ordinal = 0; // TAxisTick::Ordinal
};

struct TPlacedLabel {
    std::size_t Slot = 0; // index into the slots
    int Start = 0;        // first pixel of the label along the axis
};

// Labels the slots whose ordinal is a multiple of the first stride at which no two labels come
// closer than `gap` pixels; strides beyond the list double its last one. A stride that falls on
// no ordinal takes every n-th slot from the first instead, so some label always shows. Each
// label lies within [low, high) when it fits there at all.
std::vector<TPlacedLabel> SpaceLabels(std::span<const TLabelSlot> slots, int low, int high, int gap,
                                      std::span<const int> strides);
