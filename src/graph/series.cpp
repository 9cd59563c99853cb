// Series defaults by index, style setters and the deferred repaint of an update.
#include "graph/series.h"

#include "graph/graph_engine.h"

namespace {

struct SeriesDefaults {
    TColor Color;
    std::uint8_t Shape;
    TPenStyle Style;
};

SeriesDefaults DefaultsFor(int index)
{
    switch (index) {
    case 1: return {clGreen, TSeries::ShapeSquare, psSolid};
    case 2: return {clBlue, TSeries::ShapeCircle, psDash};
    case 3: return {clRed, TSeries::ShapeDiamond, psDot};
    case 4: return {clGray, TSeries::ShapeCross, psDashDot};
    case 5: return {clMaroon, TSeries::ShapeSquare, psDashDotDot};
    default: return {clGreen, TSeries::ShapeCircle, psSolid};
    }
}

} // namespace

TSeries::TSeries(GraphEngine& graph, int index)
    : graph_(graph), index_(index), axis_(&graph.YAxis), fillPoints_(index < 5)
{
    const SeriesDefaults d = DefaultsFor(index);
    lineColor_ = pointColor_ = d.Color;
    shape_ = d.Shape;
    lineStyle_ = d.Style;
    Name = "Series " + std::to_string(index);
    SetAllowDuplicates(graph.AllowDuplicates());
}

template <typename T>
void TSeries::SetStyle(T& field, const T& value)
{
    if (field == value) return;
    field = value;
    Changed(ReasonAppearance);
}

void TSeries::SetVisible(bool value) { SetStyle(visible_, value); }
void TSeries::SetShowLine(bool value) { SetStyle(showLine_, value); }
void TSeries::SetShowPoints(bool value) { SetStyle(showPoints_, value); }
void TSeries::SetFillPoints(bool value) { SetStyle(fillPoints_, value); }
void TSeries::SetLineColor(TColor value) { SetStyle(lineColor_, value); }
void TSeries::SetPointColor(TColor value) { SetStyle(pointColor_, value); }
void TSeries::SetLineStyle(TPenStyle value) { SetStyle(lineStyle_, value); }
void TSeries::SetAxis(TAxis* value) { SetStyle(axis_, value); }

void TSeries::EvenPointSize()
{
    // Markers are centred on the point: their size is even and at least 2, except step bars.
    if (shape_ == ShapeStepBar) return;
    if (pointSize_ < 2) pointSize_ = 2;
    if (pointSize_ % 2 != 0) ++pointSize_;
}

void TSeries::SetShape(std::uint8_t value)
{
    if (value == shape_) return;
    shape_ = value;
    EvenPointSize();
    Changed(ReasonAppearance);
}

void TSeries::SetPointSize(int value)
{
    if (value == pointSize_) return;
    pointSize_ = value;
    EvenPointSize();
    Changed(ReasonAppearance);
}

void TSeries::SetUpdating(bool value)
{
    if (value == updating_) return;
    updating_ = value;
    if (value) pending_ = false;
    else if (pending_) Changed(ReasonUpdateEnd);
}

void TSeries::Changed(std::uint8_t reason)
{
    if (updating_) {
        pending_ = true;
        return;
    }
    TDataSeries::Changed(reason);
    if (reason != 0 && graph_.Plotting()) graph_.Repaint();
}

void TSeries::TooManyPoints()
{
    if (graph_.OnTooManyPoints) graph_.OnTooManyPoints(graph_, index_);
    TDataSeries::TooManyPoints();
}
