// The gradient gauge's rules.
#include "analysis/gauge_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

bool TGaugeValues::SetMin(int value)
{
    if (value == min_ || value >= max_) return false;
    min_ = value;
    Recompute(progress_);
    return true;
}

bool TGaugeValues::SetMax(int value)
{
    if (value == max_ || value <= min_) return false;
    max_ = value;
    Recompute(progress_);
    return true;
}

bool TGaugeValues::SetProgress(int value) { return Recompute(value); }

bool TGaugeValues::SetAutoCaption(bool value)
{
    if (value == autoCaption_) return false;
    autoCaption_ = value;
    Recompute(progress_);
    return true;
}

bool TGaugeValues::SetCaption(const std::string& caption)
{
    if (caption == caption_) return false;
    caption_ = caption;
    return true;
}

bool TGaugeValues::Recompute(int progress)
{
    const int clamped = std::clamp(progress, min_, max_);
    bool changed = clamped != progress_;
    progress_ = clamped;
    if (autoCaption_) changed = SetCaption(std::to_string(progress_) + "/" + std::to_string(max_)) || changed;
    return changed;
}

TGaugeParts GaugeParts(const TGaugeValues& values, int width, int height, bool border)
{
    TGaugeParts parts;
    const double share = static_cast<double>(values.Progress() - values.Min()) / (values.Max() - values.Min());
    parts.Percent = static_cast<int>(std::nearbyint(share * 100));
    const int fill = parts.Percent * width / 100;
    const int frame = border ? 1 : 0;
    parts.Filled = {frame, frame, fill - frame, height - frame};
    parts.Rest = {fill + frame, frame, width - frame, height - frame};
    // An empty rectangle paints nothing (a sliver inside the frame).
    parts.HasFilled = fill > 0 && parts.Filled.Right > parts.Filled.Left;
    parts.HasRest = parts.Percent < 100 && parts.Rest.Right > parts.Rest.Left;
    return parts;
}

int MulDiv(int a, int b, int c)
{
    const long long product = static_cast<long long>(a) * b;
    const long long half = std::llabs(c) / 2;
    const bool negative = (product < 0) != (c < 0);
    const long long quotient = (std::llabs(product) + half) / std::llabs(c);
    return static_cast<int>(negative ? -quotient : quotient);
}

TColor GradientBandColour(TColor from, TColor to, int band)
{
    TColor colour = 0;
    for (int shift : {0, 8, 16}) {
        const int a = static_cast<int>((from >> shift) & 0xFF), b = static_cast<int>((to >> shift) & 0xFF);
        colour |= static_cast<TColor>((a + MulDiv(band, b - a, 255)) & 0xFF) << shift;
    }
    return colour;
}

int GradientBandTop(int band, int height) { return MulDiv(band, height, 256); }
