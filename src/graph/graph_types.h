// Plain value types shared by the graph engine and its canvas: the program's colours
// (platform/colours.h), pen styles, fonts, mouse buttons, shift states and screen cursor shapes.
#pragma once

#include "platform/colours.h"

#include <cmath>
#include <cstdint>
#include <string>

constexpr int ColorRed(TColor c) { return static_cast<int>(c & 0xFF); }
constexpr int ColorGreen(TColor c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int ColorBlue(TColor c) { return static_cast<int>((c >> 16) & 0xFF); }

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

struct TGraphFont {
    std::string Name = "Arial";
    int Height = -9; // negative: character height in pixels, as the forms store it
    TColor Color = clBlack;
    bool Bold = false;
    bool Italic = false;
    bool operator==(const TGraphFont&) const = default;
};

enum class TMouseButton { mbLeft, mbRight, mbMiddle };

// Keys and buttons held during a mouse event.
enum TShiftFlag : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TShiftState = unsigned;

enum class TCursorShape { crDefault, crCross, crSizeNWSE, crSizeAll };

struct TGraphRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const TGraphRect&) const = default;
    bool Empty() const { return Left == 0 && Top == 0 && Right == 0 && Bottom == 0; }
};

struct TGraphPixel {
    int X = 0, Y = 0;
    bool operator==(const TGraphPixel&) const = default;
};

// The scaling's logarithms use this truncated constant, so labels and ranges come out as the
// stored forms expect.
constexpr double Log10Factor = 0.4342944818;
inline double Log10Of(double v) { return std::log(v) * Log10Factor; }
inline double Pow10Of(double n) { return std::exp(n / Log10Factor); }

// Nearest integer, halves to even (the current rounding mode is never changed by the program).
inline double RoundHalfEven(double v) { return std::rint(v); }
