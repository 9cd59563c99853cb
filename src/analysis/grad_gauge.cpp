// The gradient gauge control.
#include "analysis/grad_gauge.h"

#include "graph/qpainter_canvas.h"

#include <QPainter>
#include <utility>

namespace {
constexpr int kCreatedWidth = 200, kCreatedHeight = 40;

QRect ToQRect(const TGaugeRect& r) { return {QPoint(r.Left, r.Top), QSize(r.Right - r.Left, r.Bottom - r.Top)}; }
}  // namespace

TGradGauge::TGradGauge(QWidget* parent)
    : QWidget(parent), gradient_(kCreatedWidth - 2, kCreatedHeight - 2, QImage::Format_RGB32)
{
    resize(kCreatedWidth, kCreatedHeight);
    MakeGradient();
}

void TGradGauge::MakeGradient()
{
    QPainter painter(&gradient_);
    const int height = gradient_.height();
    for (int band = 0; band < 256; ++band) {
        const int top = GradientBandTop(band, height), bottom = GradientBandTop(band + 1, height);
        painter.fillRect(QRect(0, top, gradient_.width(), bottom - top), ToQColor(GradientBandColour(color1_, color2_, band)));
    }
}

void TGradGauge::Repaint(bool changed)
{
    if (changed) update();
}

void TGradGauge::SetBackColor(TColor colour)
{
    Repaint(std::exchange(backColor_, colour) != colour);
}

void TGradGauge::SetColor1(TColor colour)
{
    if (std::exchange(color1_, colour) == colour) return;
    MakeGradient();
    update();
}

void TGradGauge::SetColor2(TColor colour)
{
    if (std::exchange(color2_, colour) == colour) return;
    MakeGradient();
    update();
}

void TGradGauge::SetBorder(TBorder border) { Repaint(std::exchange(border_, border) != border); }
void TGradGauge::SetMin(int value) { Repaint(values_.SetMin(value)); }
void TGradGauge::SetMax(int value) { Repaint(values_.SetMax(value)); }
void TGradGauge::SetProgress(int value) { Repaint(values_.SetProgress(value)); }
void TGradGauge::SetAutoCaption(bool value) { Repaint(values_.SetAutoCaption(value)); }
void TGradGauge::SetCaption(const QString& caption) { Repaint(values_.SetCaption(caption.toStdString())); }

void TGradGauge::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const bool bordered = border_ == TBorder::Single;
    if (bordered) {
        painter.setPen(QPen(Qt::black, 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    const TGaugeParts parts = GaugeParts(values_, width(), height(), bordered);
    if (parts.HasFilled) painter.drawImage(ToQRect(parts.Filled), gradient_);
    if (parts.HasRest) painter.fillRect(ToQRect(parts.Rest), ToQColor(backColor_));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    // Centred as the caption's own box: (size - text size) / 2.
    const QString caption = Caption();
    const QFontMetrics metrics(font());
    const int x = (width() - metrics.horizontalAdvance(caption)) / 2;
    const int y = (height() - metrics.height()) / 2;
    painter.drawText(QPoint(x, y + metrics.ascent()), caption);
}
