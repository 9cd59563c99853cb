// Panning the waveform chart.
#include "views/chart_panner.h"

#include "views/waveform_chart.h"

void TChartPanner::SetActive(bool active)
{
    if (active == active_) return;
    active_ = active;
    dragging_ = false;
    QWidget* surface = chart_.viewport();
    if (active_) {
        saved_ = surface->cursor();
        surface->setCursor(Qt::OpenHandCursor);
    } else {
        surface->setCursor(saved_);
    }
}

void TChartPanner::PanByPixels(QPointF delta)
{
    const QRectF plot = chart_.PlotArea();
    if (plot.width() <= 0 || plot.height() <= 0) return;
    TZoomLevel r = chart_.Ranges();
    auto shift = [](TValueRange& range, double by) { range = {range.Min + by, range.Max + by}; };
    // The content follows the mouse: dragging right shows earlier times, dragging down higher values.
    shift(r.X, -delta.x() / plot.width() * (r.X.Max - r.X.Min));
    shift(r.Left, delta.y() / plot.height() * (r.Left.Max - r.Left.Min));
    shift(r.Right, delta.y() / plot.height() * (r.Right.Max - r.Right.Min));
    chart_.SetRanges(r);
    if (chart_.OnRangesChanged) chart_.OnRangesChanged();
}

bool TChartPanner::Press(QPoint at)
{
    if (!active_) return false;
    dragging_ = true;
    last_ = at;
    chart_.viewport()->setCursor(Qt::ClosedHandCursor);
    return true;
}

bool TChartPanner::Move(QPoint at)
{
    if (!active_ || !dragging_) return false;
    PanByPixels(at - last_);
    last_ = at;
    return true;
}

bool TChartPanner::Release(QPoint at)
{
    if (!active_ || !dragging_) return false;
    Move(at);
    dragging_ = false;
    chart_.viewport()->setCursor(Qt::OpenHandCursor);
    return true;
}
