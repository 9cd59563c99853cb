// The traces' and events rows' colour tables.
#include "survey/trace_colours.h"

#include "platform/colours.h"

const std::array<std::uint32_t, 16> Palette16 = {clBlack, clMaroon, clGreen, clOlive, clNavy, clPurple, clTeal, clSilver,
                                                 clGray,  clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
const std::array<std::uint32_t, 6> DefaultTraceColours = {clRed, clGreen, clBlue, clTeal, clFuchsia, clOlive};
