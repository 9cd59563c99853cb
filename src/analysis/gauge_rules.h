// The gradient gauge's rules without a window (TGradGauge draws them): its range and progress
// with the caption they make, the part of its width the gradient fills, and the gradient's 256
// bands. Rectangles are GDI-style: right and bottom edges exclusive.
#pragma once

#include <cstdint>
#include <string>

#include "platform/colours.h"

// Min, Max and Progress of a gauge. Min changes only to a value below Max and Max only to a
// value above Min; Progress stays within Min..Max; with AutoCaption the caption is
// "Progress/Max". Each setter answers whether anything changed, so the control repaints then.
class TGaugeValues {
public:
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Progress() const { return progress_; }
    bool AutoCaption() const { return autoCaption_; }
    const std::string& Caption() const { return caption_; }

    bool SetMin(int value);
    bool SetMax(int value);
    bool SetProgress(int value);
    bool SetAutoCaption(bool value);
    bool SetCaption(const std::string& caption);

private:
    // Pulls Progress into the range and renews the automatic caption.
    bool Recompute(int progress);

    int min_ = 0, max_ = 100, progress_ = 0;
    bool autoCaption_ = false;
    std::string caption_ = "GradGauge";
};

struct TGaugeRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TGaugeRect&) const = default;
};

// Where a gauge of width x height paints: the gradient (empty when nothing is filled) and the
// rest in its back colour (empty when all is filled), inside the one-pixel frame when bordered.
struct TGaugeParts {
    int Percent = 0;  // of the range, rounded half to even
    TGaugeRect Filled, Rest;
    bool HasFilled = false, HasRest = false;
};
TGaugeParts GaugeParts(const TGaugeValues& values, int width, int height, bool border);

// a x b / c rounded half away from zero, as the system's MulDiv; c is never 0 here.
int MulDiv(int a, int b, int c);
// Band i (0 to 255) of the gradient from `from` at the top to `to` at the bottom: its colour and
// its rows [top, bottom) in a bitmap `height` rows high.
TColor GradientBandColour(TColor from, TColor to, int band);
int GradientBandTop(int band, int height);
