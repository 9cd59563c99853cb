// The drawing surface the graph paints on: pens, brushes, fonts, lines, shapes, text with its
// metrics, text turned upward and rectangular clipping. The windows give it a QPainter; tests
// record what is drawn.
#pragma once

#include "graph/graph_types.h"

#include <span>
#include <string>

class TGraphCanvas {
public:
    virtual ~TGraphCanvas() = default;

    // gapColor: the colour between the dashes of a broken pen, clNone for none.
    virtual void SetPen(TColor color, TPenStyle style, int width, TColor gapColor) = 0;
    // solid false: shapes are not filled.
    virtual void SetBrush(TColor color, bool solid) = 0;
    virtual void SetFont(const TGraphFont& font) = 0;

    virtual void MoveTo(int x, int y) = 0;
    // Lines cover both end pixels, so a line folded back over itself covers the same pixels
    // as its longest stretch.
    virtual void LineTo(int x, int y) = 0;
    // Separate lines, each from an even entry to the odd entry after it, drawn as MoveTo and
    // LineTo would draw them.
    virtual void Segments(std::span<const TGraphPixel> endpoints) = 0;
    // Right and bottom are exclusive, filled with the brush, outlined with the pen.
    virtual void Rectangle(int left, int top, int right, int bottom) = 0;
    virtual void Polygon(std::span<const TGraphPixel> points) = 0;
    virtual void Ellipse(int left, int top, int right, int bottom) = 0;

    virtual int TextWidth(const std::string& text) = 0;
    virtual int TextHeight(const std::string& text) = 0;
    // Top-left corner of the text's box; no background.
    virtual void TextOut(int x, int y, const std::string& text) = 0;
    // Turned by 90 degrees to read upward; (x, y) is the bottom-left of the unturned box,
    // so the text runs up from y with its top at x.
    virtual void TextOutUpward(int x, int y, const std::string& text) = 0;

    // Right and bottom exclusive.
    virtual void SetClipRect(int left, int top, int right, int bottom) = 0;
    virtual void ResetClip() = 0;
};
