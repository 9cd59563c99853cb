// The waveform view's scaling rules.
#include "views/waveform_scaling.h"

#include "survey/number_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {
constexpr std::array<double, 8> kAxisSteps = {1, 5, 50, 500, 1000, 10000, 100000, 1000000};

TValueRange Widened(TValueRange r, const TValueRange& by)
{
    return {std::min(r.Min, by.Min), std::max(r.Max, by.Max)};
}

bool IsZero(const TValueRange& r) { return r.Min == 0 && r.Max == 0; }
}  // namespace

double RoundAxisLimit(double v, AxisLimitMode mode)
{
    if (v == 0 || !std::isfinite(v)) return v;
    const bool upper = mode == AxisLimitMode::Upper;
    // The margin widens the range outward: it enlarges a positive upper and a negative lower limit.
    const bool enlarged = (v > 0) == upper;
    const double m = std::fabs(v) * (enlarged ? 1.05 : 0.95);
    const double decade = std::floor(std::log10(m));
    const std::size_t k = decade < 0 ? 0 : std::min<std::size_t>(static_cast<std::size_t>(decade), kAxisSteps.size() - 1);
    const double step = kAxisSteps[k];
    const double q = m / step;
    double steps = std::round(q);
    // A magnitude within rounding noise of a multiple is that multiple.
    if (std::fabs(q - steps) > 1e-9 * std::max(1.0, q)) steps = enlarged ? std::ceil(q) : std::floor(q);
    const double rounded = steps * step;
    return v > 0 ? rounded : -rounded;
}

TValueRange ScanSampleRange(std::span<const double> values)
{
    TValueRange r;
    bool any = false;
    for (double v : values) {
        if (!std::isfinite(v)) continue;
        r = any ? Widened(r, {v, v}) : TValueRange{v, v};
        any = true;
    }
    r = {RoundAxisLimit(r.Min, AxisLimitMode::Lower), RoundAxisLimit(r.Max, AxisLimitMode::Upper)};
    if (r.Min == r.Max) r = {r.Min - 5, r.Max + 5};
    return r;
}

WaveformAxis ChannelAxis(const TChannelSetKey& key, int channel)
{
    return ChannelUnit(key, channel) == "A" ? WaveformAxis::Right : WaveformAxis::Left;
}

TWaveformAxes WaveformAxes(const TChannelSetKey& key, const TSamplesRecordHead& head, const TTraceSettings& settings,
                           const TTraceChannels& channels, std::span<const TValueRange> traceRanges)
{
    TWaveformAxes axes;
    TValueRange left, right;
    for (std::size_t k = 0; k < kTraceCount && k < traceRanges.size(); ++k) {
        if (settings.Entries[k].Item == 0 || channels[k] == kNoRecordChannel) continue;
        if (ChannelAxis(key, channels[k]) == WaveformAxis::Right) right = Widened(right, traceRanges[k]);
        else left = Widened(left, traceRanges[k]);
    }
    if (!settings.Axis1Auto) left = {settings.Axis1Min, settings.Axis1Max};
    if (!IsZero(left)) axes.Left = left;
    if (!IsZero(right)) axes.Right = right;
    const bool levels = head.Content == 1 || head.Content == 2;
    axes.Bottom = {-head.PreTrigger * 10.0, (head.PostTrigger - (levels ? 1 : 0)) * 10.0};
    const bool harmonic = head.Content == 2;
    axes.LeftTitle = harmonic ? " % " : "Volt";
    axes.RightTitle = harmonic ? " " : "Ampere";
    return axes;
}

TAxisUnit VoltAxisUnit(const TValueRange& range)
{
    const double m = std::max(std::fabs(range.Min), std::fabs(range.Max));
    if (m < 1000) return {1, "Volt"};
    if (m < 1000000) return {1000, "kVolt"};
    return {1000000, "MVolt"};
}

std::vector<TAxisLabel> AxisLabels(const TValueRange& range, double divisor, int wanted)
{
    std::vector<TAxisLabel> labels;
    const double span = (range.Max - range.Min) / divisor;
    if (!(span > 0) || !std::isfinite(span) || wanted < 1 || divisor <= 0) return labels;
    const double raw = span / wanted;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    const double norm = raw / magnitude;
    const double step = (norm <= 1 ? 1 : norm <= 2 ? 2 : norm <= 5 ? 5 : 10) * magnitude;
    const int decimals = std::max(0, static_cast<int>(-std::floor(std::log10(step) + 1e-9)));
    const double first = std::ceil(range.Min / divisor / step - 1e-9);
    // The step gives at most about 2.5 x wanted labels; the bound also ends a walk whose count
    // no longer grows (ranges far from 0 in doubles).
    for (int n = 0; n <= 3 * wanted; ++n) {
        const double shown = (first + n) * step;
        if (shown > range.Max / divisor + step * 1e-9) break;
        // -0 would show as "-0".
        const double value = shown == 0 ? 0.0 : shown;
        labels.push_back({value * divisor, FormatFixed(value, decimals)});
    }
    return labels;
}

std::string FormatChannelValue(double value, std::string_view unit)
{
    static constexpr std::array<const char*, 4> kValuePrefixes = {"", "k", "M", "G"};
    std::size_t prefix = 0;
    while (std::isfinite(value) && std::fabs(value) > 1000 && prefix + 1 < kValuePrefixes.size()) {
        value /= 1000;
        ++prefix;
    }
    if (std::fabs(value) < 0.001) value = 0;
    std::string text = FormatFixed(value, 2);
    if (!unit.empty()) text += " ";
    return text + kValuePrefixes[prefix] + std::string(unit);
}
