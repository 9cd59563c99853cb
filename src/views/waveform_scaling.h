// The waveform view's scaling: axis limits rounded to round steps, each trace's range over a
// record, the left (volts) and right (amperes) axis ranges and titles, the labels of an axis in
// the unit its title names, and a channel value with its prefix and unit.
#pragma once

#include "survey/channel_sets.h"
#include "survey/samples_file.h"
#include "survey/trace_records.h"
#include "views/waveform_traces.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class AxisLimitMode { Lower, Upper };

// A margin of 5 % outward (upper: x 1.05 for v > 0, x 0.95 for v < 0; lower the other way), then
// the magnitude rounded to a multiple of the step of its decade (1, 5, 50, 500, 1000, 10000,
// 100000, 1000000 for decades 0 to 7 and above): away from zero where the margin enlarged it,
// toward zero where it shrank it. 0 stays 0; a value that is not finite is returned as it is.
double RoundAxisLimit(double v, AxisLimitMode mode);

struct TValueRange {
    double Min = 0;
    double Max = 0;
    bool operator==(const TValueRange&) const = default;
};

// The rounded range of a trace's finite values (RoundAxisLimit of each end, widened by 5 each
// way when they meet); 0..0 widened so when there is none.
TValueRange ScanSampleRange(std::span<const double> values);

// Which axis a record channel's trace goes on: currents (unit "A") right, the others left.
enum class WaveformAxis { Left, Right };
WaveformAxis ChannelAxis(const TChannelSetKey& key, int channel);

struct TWaveformAxes {
    TValueRange Left{-350, 350};
    TValueRange Right{-5, 5};
    TValueRange Bottom;  // milliseconds from the trigger
    std::string LeftTitle;   // "Volt" (the labels' unit decides further, VoltAxisUnit), " % "
    std::string RightTitle;  // "Ampere", or " " for second-harmonic records
};

// The axes of a record: each trace with an item and a record channel widens its axis's range
// (from 0..0) by its scanned range; the left range is the settings' own when their automatic
// scale is off; an axis left at 0..0 takes -350..350 (left) or -5..5 (right). The bottom axis
// runs from -pre-trigger x 10 to post-trigger x 10 ms, (post-trigger - 1) x 10 for r.m.s. and
// second-harmonic records.
TWaveformAxes WaveformAxes(const TChannelSetKey& key, const TSamplesRecordHead& head, const TTraceSettings& settings,
                           const TTraceChannels& channels, std::span<const TValueRange> traceRanges);

// The unit a volts axis is labelled in, from the largest magnitude of its range: below 1000
// "Volt", below 1000000 "kVolt" (labels / 1000), else "MVolt" (labels / 1000000). The title
// and every label follow the same unit.
struct TAxisUnit {
    double Divisor = 1;
    std::string Title;
};
TAxisUnit VoltAxisUnit(const TValueRange& range);

struct TAxisLabel {
    double Value = 0;  // in the axis's own unit (volts, amperes, ms)
    std::string Text;  // Value / divisor, with the decimals its step needs
};
// Labels at round steps (1, 2 or 5 times a power of ten) within the range, about `wanted` of them.
std::vector<TAxisLabel> AxisLabels(const TValueRange& range, double divisor, int wanted = 8);

// "%3.2f <prefix><unit>": the value divided by 1000 while above 1000 in magnitude, counting the
// prefixes "k", "M", "G" (no further; infinities keep no prefix); below 0.001 in magnitude it
// shows as 0; an empty unit gives "%3.2f<prefix>".
std::string FormatChannelValue(double value, std::string_view unit);
