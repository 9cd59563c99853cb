// The waveform view's measuring cursor: the sample a click or a key picks, within the samples
// and the bottom axis's range.
#pragma once

#include "survey/samples_file.h"
#include "views/waveform_scaling.h"

#include <optional>

// The sample at time t (ms) of a click: the nearest sample when t lies strictly inside the
// bottom range, else the last cursor index; nothing when that index is outside the samples or
// its time outside the range.
std::optional<int> CursorIndexAt(const TSamplesRecordHead& head, double t, const TValueRange& bottom, int lastIndex);

// The sample one step left (-1) or right (+1) of k, when it is a sample and its time lies
// within the bottom range; nothing otherwise.
std::optional<int> CursorStep(const TSamplesRecordHead& head, int k, int direction, const TValueRange& bottom);
