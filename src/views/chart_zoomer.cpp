// Rectangle zoom and the zoom levels of the waveform chart.
#include "views/chart_zoomer.h"

#include "views/waveform_chart.h"

#include <QRubberBand>

TChartZoomer::TChartZoomer(TWaveformChart& chart)
    : chart_(chart), band_(new QRubberBand(QRubberBand::Rectangle, chart.viewport()))
{
    band_->hide();
}

TChartZoomer::~TChartZoomer() = default;

void TChartZoomer::SetArmed(bool armed)
{
    armed_ = armed;
    if (armed_) return;
    dragging_ = false;
    band_->hide();
}

void TChartZoomer::Reset(const TZoomLevel& unzoomed)
{
    stack_.Reset(unzoomed);
    Show();
}

void TChartZoomer::ReplaceUnzoomed(const TZoomLevel& unzoomed)
{
    if (!stack_.Zoomed()) return Reset(unzoomed);
    stack_.ReplaceUnzoomed(unzoomed);
}

void TChartZoomer::Show()
{
    chart_.SetRanges(stack_.Shown());
    if (chart_.OnRangesChanged) chart_.OnRangesChanged();
}

void TChartZoomer::Drag(QPoint from, QPoint to)
{
    SetArmed(false);
    if (to.x() < from.x()) return UndoZoom();
    const QRectF rect = QRectF(QPointF(from), QPointF(to)).normalized();
    if (!stack_.Push(chart_.RangesOfPixels(rect))) return;
    Show();
    if (OnZoomed) OnZoomed();
}

void TChartZoomer::ZoomOutOneLevel()
{
    if (stack_.Level() <= 1) return UndoZoom();
    stack_.Back();
    Show();
}

void TChartZoomer::UndoZoom()
{
    SetArmed(false);
    stack_.Undo();
    Show();
    if (OnUndone) OnUndone();
}

bool TChartZoomer::Press(QPoint at)
{
    if (!armed_) return false;
    dragging_ = true;
    origin_ = at;
    band_->setGeometry(QRect(at, QSize()));
    band_->show();
    return true;
}

bool TChartZoomer::Move(QPoint at)
{
    if (!armed_ || !dragging_) return false;
    band_->setGeometry(QRect(origin_, at).normalized());
    return true;
}

bool TChartZoomer::Release(QPoint at)
{
    if (!armed_ || !dragging_) return false;
    band_->hide();
    dragging_ = false;
    Drag(origin_, at);
    return true;
}
