// QPainter implementation of the graph canvas.
#include "graph/qpainter_canvas.h"

#include "graph/column_fill.h"

#include <QFont>
#include <QFontMetrics>
#include <QLine>
#include <QPen>
#include <QPolygon>
#include <QString>

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

Qt::PenStyle ToQtPenStyle(TPenStyle style)
{
    switch (style) {
    case psSolid: return Qt::SolidLine;
    case psDash: return Qt::DashLine;
    case psDot: return Qt::DotLine;
    case psDashDot: return Qt::DashDotLine;
    case psDashDotDot: return Qt::DashDotDotLine;
    case psClear: return Qt::NoPen;
    }
    return Qt::SolidLine;
}

QPolygon ToQPolygon(std::span<const TGraphPixel> points)
{
    QPolygon polygon(static_cast<int>(points.size()));
    for (std::size_t i = 0; i < points.size(); ++i) polygon.setPoint(static_cast<int>(i), points[i].X, points[i].Y);
    return polygon;
}

QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

} // namespace

QColor ToQColor(TColor color) { return QColor(ColorRed(color), ColorGreen(color), ColorBlue(color)); }

QPainterCanvas::QPainterCanvas(QPainter& painter) : painter_(painter), textColor_(Qt::black)
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
}

void QPainterCanvas::SetPen(TColor color, TPenStyle style, int width, TColor gapColor)
{
    QPen pen(ToQColor(color));
    pen.setStyle(ToQtPenStyle(style));
    pen.setWidth(width <= 1 ? 0 : width); // width 1: cosmetic, one pixel at any scale
    pen.setCapStyle(Qt::SquareCap);       // a line covers both of its end pixels
    pen.setJoinStyle(Qt::MiterJoin);
    painter_.setPen(pen);
    if (gapColor == clNone) {
        painter_.setBackgroundMode(Qt::TransparentMode);
    } else {
        painter_.setBackgroundMode(Qt::OpaqueMode);
        painter_.setBackground(ToQColor(gapColor));
    }
}

void QPainterCanvas::SetBrush(TColor color, bool solid)
{
    painter_.setBrush(solid ? QBrush(ToQColor(color)) : QBrush(Qt::NoBrush));
}

void QPainterCanvas::SetFont(const TGraphFont& font)
{
    QFont f(ToQString(font.Name));
    f.setPixelSize(std::max(1, font.Height < 0 ? -font.Height : font.Height));
    f.setBold(font.Bold);
    f.setItalic(font.Italic);
    painter_.setFont(f);
    textColor_ = ToQColor(font.Color);
}

void QPainterCanvas::MoveTo(int x, int y) { position_ = QPoint(x, y); }

void QPainterCanvas::LineTo(int x, int y)
{
    const TGraphPixel line[] = {{position_.x(), position_.y()}, {x, y}};
    Segments(line);
    position_ = QPoint(x, y);
}

void QPainterCanvas::Segments(std::span<const TGraphPixel> endpoints)
{
    // Solid one-pixel vertical lines are their pixels filled, without the line rasteriser:
    // dense series are mostly such columns, filled as the row runs of their union.
    const QPen pen = painter_.pen();
    const bool fillVertical = pen.style() == Qt::SolidLine && pen.width() <= 1 && painter_.transform().isIdentity();
    std::vector<QLine> lines;
    std::vector<TColumnSpan> columns;
    lines.reserve(endpoints.size() / 2);
    for (std::size_t i = 0; i + 1 < endpoints.size(); i += 2) {
        const TGraphPixel a = endpoints[i], b = endpoints[i + 1];
        if (fillVertical && a.X == b.X) columns.push_back({a.X, std::min(a.Y, b.Y), std::max(a.Y, b.Y)});
        else lines.emplace_back(a.X, a.Y, b.X, b.Y);
    }
    if (!columns.empty()) {
        // Rows outside the device, or outside the clip, never show.
        int top = 0, bottom = painter_.device()->height() - 1;
        if (painter_.hasClipping()) {
            const QRect clip = painter_.clipBoundingRect().toAlignedRect();
            top = std::max(top, clip.top());
            bottom = std::min(bottom, clip.bottom());
        }
        for (const TGraphRect& r : ColumnSpansAsRects(columns, top, bottom))
            painter_.fillRect(QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top), pen.color());
    }
    if (!lines.empty()) painter_.drawLines(lines.data(), static_cast<int>(lines.size()));
}

void QPainterCanvas::Rectangle(int left, int top, int right, int bottom)
{
    if (right <= left || bottom <= top) return;
    if (painter_.pen().style() == Qt::NoPen) {
        painter_.fillRect(QRect(left, top, right - left, bottom - top), painter_.brush());
        return;
    }
    painter_.drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
}

void QPainterCanvas::Polygon(std::span<const TGraphPixel> points) { painter_.drawPolygon(ToQPolygon(points)); }

void QPainterCanvas::Ellipse(int left, int top, int right, int bottom)
{
    painter_.drawEllipse(QRect(left, top, right - left, bottom - top));
}

int QPainterCanvas::TextWidth(const std::string& text)
{
    return QFontMetrics(painter_.font()).horizontalAdvance(ToQString(text));
}

int QPainterCanvas::TextHeight(const std::string&) { return QFontMetrics(painter_.font()).height(); }

void QPainterCanvas::DrawText(const QPoint& topLeft, const std::string& text)
{
    const QPen pen = painter_.pen();
    const Qt::BGMode mode = painter_.backgroundMode();
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setPen(textColor_);
    painter_.drawText(topLeft + QPoint(0, QFontMetrics(painter_.font()).ascent()), ToQString(text));
    painter_.setPen(pen);
    painter_.setBackgroundMode(mode);
}

void QPainterCanvas::TextOut(int x, int y, const std::string& text) { DrawText(QPoint(x, y), text); }

void QPainterCanvas::TextOutUpward(int x, int y, const std::string& text)
{
    painter_.save();
    painter_.translate(x, y);
    painter_.rotate(-90); // the text's top faces left and it reads bottom to top
    DrawText(QPoint(0, 0), text);
    painter_.restore();
}

void QPainterCanvas::SetClipRect(int left, int top, int right, int bottom)
{
    painter_.setClipRect(QRect(left, top, right - left, bottom - top));
}

void QPainterCanvas::ResetClip() { painter_.setClipping(false); }
