// The graph's drawing surface on a QPainter: lines without antialiasing and with both end
// pixels, GDI-style rectangles (right and bottom edges exclusive), text turned upward.
#pragma once

#include "graph/graph_canvas.h"

#include <QColor>
#include <QPainter>
#include <QPoint>

QColor ToQColor(TColor color);

class QPainterCanvas : public TGraphCanvas {
public:
    explicit QPainterCanvas(QPainter& painter);

    void SetPen(TColor color, TPenStyle style, int width, TColor gapColor) override;
    void SetBrush(TColor color, bool solid) override;
    void SetFont(const TGraphFont& font) override;
    void MoveTo(int x, int y) override;
    void LineTo(int x, int y) override;
    void Segments(std::span<const TGraphPixel> endpoints) override;
    void Rectangle(int left, int top, int right, int bottom) override;
    void Polygon(std::span<const TGraphPixel> points) override;
    void Ellipse(int left, int top, int right, int bottom) override;
    int TextWidth(const std::string& text) override;
    int TextHeight(const std::string& text) override;
    void TextOut(int x, int y, const std::string& text) override;
    void TextOutUpward(int x, int y, const std::string& text) override;
    void SetClipRect(int left, int top, int right, int bottom) override;
    void ResetClip() override;

private:
    void DrawText(const QPoint& topLeft, const std::string& text);

    QPainter& painter_;
    QPoint position_;
    QColor textColor_;
};
