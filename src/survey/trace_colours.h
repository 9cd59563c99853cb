// The colour tables of the traces and of the events rows: the 16 standard colours of the traces
// dialogs' colour grid (also the events list's and the events export's row colours) and the
// colours of traces 1 to 6 in a new view. Values are
// 0x00BBGGRR, red in the low byte.
#pragma once

#include <array>
#include <cstdint>

extern const std::array<std::uint32_t, 16> Palette16;
// DefaultTraceColours[k - 1] is the colour of trace k.
extern const std::array<std::uint32_t, 6> DefaultTraceColours;
