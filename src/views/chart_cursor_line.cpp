// The measuring cursor's line on the waveform chart.
#include "views/chart_cursor_line.h"

#include "views/waveform_chart.h"

#include <QGraphicsLineItem>
#include <QPen>
#include <cmath>

TChartCursorLine::TChartCursorLine(TWaveformChart& chart) : chart_(chart), line_(new QGraphicsLineItem(chart.chart()))
{
    line_->setPen(QPen(Qt::black, 1));
    line_->setZValue(100);  // over the traces
    line_->hide();
}

void TChartCursorLine::Show(double x)
{
    x_ = x;
    shown_ = true;
    Update();
}

void TChartCursorLine::Hide()
{
    shown_ = false;
    line_->hide();
}

int TChartCursorLine::PixelColumn() const
{
    return shown_ && line_->isVisible() ? static_cast<int>(std::lround(chart_.PixelOfX(x_))) : 0;
}

void TChartCursorLine::Update()
{
    if (!shown_) return;
    const QRectF plot = chart_.PlotArea();
    const double px = chart_.PixelOfX(x_);
    const bool inside = px >= plot.left() && px <= plot.right();
    line_->setVisible(inside);
    if (!inside) return;
    const double column = std::round(px) + 0.5;
    const QGraphicsItem* chart = line_->parentItem();
    line_->setLine(QLineF(chart->mapFromScene(column, plot.top()), chart->mapFromScene(column, plot.bottom())));
}
