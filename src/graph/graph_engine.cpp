// The graph's series by index, its switches, and the layout pass of a paint: data ranges,
// automatic scaling, validity and captions, metrics and the axes' tick plans.
#include "graph/graph_engine.h"

#include "platform/date_time.h"

#include <chrono>
#include <cmath>
#include <ctime>

GraphEngine::GraphEngine()
    : XAxis(this, TAxisKind::X), YAxis(this, TAxisKind::Y), YAxis_Second(this, TAxisKind::SecondY),
      Dimensions(*this), Appearance(*this, clWhite)
{
    Layout();
}

GraphEngine::~GraphEngine() = default;

double GraphEngine::AxisNow() const
{
    if (Now) return Now();
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return DateSerial(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) +
           TimeFraction(local.tm_hour, local.tm_min, local.tm_sec, 0);
}

void GraphEngine::SetSize(int width, int height)
{
    if (width == width_ && height == height_) return;
    width_ = width;
    height_ = height;
    Repaint();
    if (OnResize) OnResize();
}

void GraphEngine::SetColor(TColor value)
{
    color_ = value;
    Repaint();
}

void GraphEngine::SetFont(const TGraphFont& value)
{
    font_ = value;
    Repaint();
}

void GraphEngine::SetPlotting(bool value)
{
    plotting_ = value;
    Repaint();
    if (value) DoRescale();
}

void GraphEngine::SetAllowDuplicates(bool value)
{
    allowDuplicates_ = value;
    for (auto& [index, series] : series_) series->SetAllowDuplicates(value);
    PaintIfPlotting();
}

void GraphEngine::SetXCursor(bool value)
{
    if (value == xCursor_) return;
    xCursor_ = value;
    CursorX = 0;
    Repaint();
}

TSeries& GraphEngine::GetSeries(int index)
{
    const auto it = series_.find(index);
    if (it != series_.end()) return *it->second;
    if (OnNewSeries) OnNewSeries(*this, index);
    auto& slot = series_[index];
    slot = std::make_unique<TSeries>(*this, index);
    if (index > highestIndex_) highestIndex_ = index;
    return *slot;
}

bool GraphEngine::SeriesExists(int index) const { return series_.count(index) != 0; }

bool GraphEngine::GetSeriesState(int index, bool& visible, double& yOffset) const
{
    const auto it = series_.find(index);
    if (it == series_.end()) return false;
    visible = it->second->Visible();
    yOffset = it->second->YOffset();
    return true;
}

void GraphEngine::ConfigureSeries(int index, bool visible, bool clear, bool autoOffset, double yOffset, TAxis* axis)
{
    TSeries& s = GetSeries(index);
    s.SetUpdating(true);
    s.SetVisible(visible);
    if (clear) s.Clear();
    s.SetYOffset(yOffset);
    s.SetAutoOffset(autoOffset);
    s.SetUpdating(false);
    s.SetAxis(axis);
}

void GraphEngine::SetSeriesLine(int index, bool showLine, TColor colour, TPenStyle penStyle)
{
    TSeries& s = GetSeries(index);
    s.SetUpdating(true);
    s.SetShowLine(showLine);
    s.SetLineColor(colour);
    s.SetLineStyle(penStyle);
    s.SetUpdating(false);
}

void GraphEngine::SetSeriesPoints(int index, bool showPoints, int size, std::uint8_t shape, bool fill, TColor colour)
{
    TSeries& s = GetSeries(index);
    s.SetUpdating(true);
    s.SetShowPoints(showPoints);
    s.SetPointSize(size);
    s.SetPointColor(colour);
    s.SetShape(shape);
    s.SetFillPoints(fill);
    s.SetUpdating(false);
}

bool GraphEngine::AddPoint(int index, bool connect, double x, double y)
{
    return GetSeries(index).AddPoint(connect, x, y);
}

std::size_t GraphEngine::AddPoints(int index, std::span<const double> xs, std::span<const double> ys,
                                   std::span<const std::uint8_t> connects)
{
    return GetSeries(index).AddPoints(xs, ys, connects);
}

std::size_t GraphEngine::AddPoints(int index, const TSharedXs& xs, const TSharedYs& ys)
{
    return GetSeries(index).AddPoints(xs, ys);
}

bool GraphEngine::GetPoint(int index, std::uint32_t& id, double& x, double& y, double& z)
{
    return GetSeries(index).GetPoint(id, x, y, z);
}

int GraphEngine::FirstVisibleSeries() const
{
    for (const auto& [index, series] : series_)
        if (index >= 1 && index <= highestIndex_ && series->Visible()) return index;
    return 0;
}

bool GraphEngine::HasData(const TAxis* axis) const
{
    for (const auto& [index, series] : series_) {
        if (series->Count() == 0) continue;
        if (axis == nullptr || axis == &XAxis) return true;
        const bool onAxis = axis == &YAxis ? series->Axis() == &YAxis : series->Axis() != &YAxis;
        if (onAxis) return true;
    }
    return false;
}

void GraphEngine::Repaint()
{
    Layout();
    if (host_) host_->GraphPictureChanged();
}

void GraphEngine::PaintIfPlotting()
{
    if (plotting_) Repaint();
}

bool GraphEngine::AnyRangeInvalid() const
{
    return !XAxis.IsValidRange() || !YAxis.IsValidRange() || !YAxis_Second.IsValidRange();
}

void GraphEngine::DoRescale()
{
    if (plotting_ && !AnyRangeInvalid() && OnRescale) OnRescale(*this);
}

void GraphEngine::CalcDataRanges()
{
    for (auto& [index, series] : series_)
        if (series->Dirty()) series->Recalc();
    // A series without points has no range: the extremes it kept from before a Clear (or the
    // zeros of a new series) would stretch an automatic axis to values that are not there.
    bool firstX = true, firstY = true, firstY2 = true;
    for (auto& [index, series] : series_) {
        if (!series->Visible() || series->Count() == 0) continue;
        auto widen = [](TAxis& axis, bool& first, double low, double high) {
            if (first) {
                axis.oMin = low;
                axis.oMax = high;
                first = false;
            } else {
                axis.oMin = std::min(axis.oMin, low);
                axis.oMax = std::max(axis.oMax, high);
            }
        };
        widen(XAxis, firstX, series->XMin(), series->XMax());
        if (series->Axis() == &YAxis) widen(YAxis, firstY, series->YMin(), series->YMax());
        else widen(YAxis_Second, firstY2, series->YMin(), series->YMax());
    }
}

static void CalcMetrics(TAxis& axis, int pixels, const char* error)
{
    if (!(axis.Min() < axis.Max())) throw TGraphScaleError(error);
    const double span = axis.LogScale() ? std::log(axis.Max()) - std::log(axis.Min()) : axis.Max() - axis.Min();
    axis.PixelsPerUnit = pixels / span;
}

void GraphEngine::CalcXMetrics()
{
    CalcMetrics(XAxis, width_ - Dimensions.LeftMargin() - Dimensions.RightMargin(), "CalcXMetrics: XMin>=XMax");
}

void GraphEngine::CalcYMetrics()
{
    CalcMetrics(YAxis, height_ - Dimensions.TopMargin() - Dimensions.BottomMargin(), "CalcYMetrics: YMin>=YMax");
}

void GraphEngine::CalcY2Metrics()
{
    CalcMetrics(YAxis_Second, height_ - Dimensions.TopMargin() - Dimensions.BottomMargin(),
                "CalcY2Metrics: YMin>=YMax");
}

GraphEngine::AxisPlan& GraphEngine::PlanOf(const TAxis& axis)
{
    return plans_[static_cast<std::size_t>(axis.Kind())];
}

// Automatic range or step of one axis. A scaling error marks the axis as one that cannot be
// drawn, so it ends up in the impossible-range caption instead of leaving the paint.
void GraphEngine::ScaleAxis(TAxis& axis, bool& rescaled, bool& failed)
{
    failed = false;
    try {
        if (axis.AutoSizing()) {
            if (axis.Rescale()) rescaled = true;
        } else if (axis.IsValidRange() && axis.AutoStepping()) {
            if (axis.LogScale()) {
                axis.AutoLogDivisions();
                axis.UpdateLogLabelling();
            } else {
                axis.AssignStep(axis.GetStep());
            }
        }
    } catch (const TGraphScaleError&) {
        failed = true;
    }
}

// The drawing's step for one axis, its tick walk and labels. A date-time unit with too many
// ticks becomes coarser for good, and the range follows the data rounded to the new unit.
void GraphEngine::PrepareAxis(TAxis& axis, AxisPlan& plan)
{
    const double kept = axis.StepSize();
    if (axis.ShowAsTime() && !axis.LogScale()) {
        axis.AssignStep(axis.GetDateStep());
        while ((axis.Max() - axis.Min()) / axis.StepSize() > Appearance.MaxSteps() && axis.DateTickType() != dt_custom) {
            axis.AssignDateTickType(static_cast<Dateticks>(axis.DateTickType() + 1));
            axis.AssignStep(axis.GetDateStep());
            axis.SetDateMinMax();
            if (axis.Kind() == TAxisKind::X) CalcXMetrics();
            else if (axis.Kind() == TAxisKind::Y) CalcYMetrics();
            else CalcY2Metrics();
        }
    } else if (!axis.LogScale()) {
        if (axis.StepSize() == 0 || (axis.Max() - axis.Min()) / axis.StepSize() > Appearance.MaxSteps())
            axis.AssignStep(axis.GetStep());
    } else {
        axis.BuildLogTable();
        axis.UpdateLogLabelling();
    }
    plan.DrawStep = axis.StepSize();
    plan.Ticks = axis.TickWalk();
    if (axis.ShowAxis()) axis.AssignStep(kept);
}

void GraphEngine::Layout()
{
    errorMode_ = false;
    bool anyPoints = false;
    for (const auto& [index, series] : series_) anyPoints = anyPoints || series->Count() > 0;
    if (anyPoints) CalcDataRanges();

    bool rescaled = false;
    std::array<bool, 3> valid{};
    for (TAxis* axis : Axes()) {
        bool failed = false;
        ScaleAxis(*axis, rescaled, failed);
        valid[static_cast<std::size_t>(axis->Kind())] = !failed && axis->IsValidRange();
    }
    for (AxisPlan& plan : plans_) plan = {};

    const bool xValid = valid[0], yValid = valid[1] && valid[2];
    try {
        if (xValid && yValid) {
            if (rescaled) DoRescale();
            CalcXMetrics();
            CalcYMetrics();
            CalcY2Metrics();
            for (TAxis* axis : Axes()) PrepareAxis(*axis, PlanOf(*axis));
            state_ = LayoutState::Valid;
            caption_.clear();
        } else if (!xValid && yValid) {
            state_ = LayoutState::XInvalid;
            caption_ = "X-AXIS: " + Appearance.ErrorCaption();
            CalcYMetrics();
            PrepareAxis(YAxis, PlanOf(YAxis));
        } else if (xValid) {
            state_ = LayoutState::YInvalid;
            caption_ = "Y-AXES: " + Appearance.ErrorCaption();
            CalcXMetrics();
            PrepareAxis(XAxis, PlanOf(XAxis));
        } else {
            state_ = LayoutState::BothInvalid;
            caption_ = "BOTH AXES: " + Appearance.ErrorCaption();
        }
    } catch (const TGraphScaleError&) {
        // Only a coarsened date range that turns out empty gets here: nothing is drawn.
        state_ = LayoutState::BothInvalid;
        caption_ = "BOTH AXES: " + Appearance.ErrorCaption();
    }

    // The line belongs to the point it snapped to, not to a column: after a new size its old
    // column lies over another record, so it is placed again on that point's x.
    const bool placed = xCursor_ && CursorX != 0 && CursorY != 0 && state_ == LayoutState::Valid;
    if (placed && cursorLineShown_) CursorX = XToPixel(cursorLineX_);
    cursorLineShown_ = false;
    if (placed) DrawXCursor();
}

static int ClampedPixel(double offset, int margin)
{
    if (std::isnan(offset)) return -20000;
    // Far-off points stay within the drawing interface's coordinate range.
    if (std::fabs(offset) > 20000) return offset > 0 ? 20000 : -20000;
    return static_cast<int>(RoundHalfEven(offset)) + margin;
}

int GraphEngine::XToPixel(double x) const
{
    const double offset = XAxis.LogScale() ? (std::log(x) - std::log(XAxis.Min())) * XAxis.PixelsPerUnit
                                           : (x - XAxis.Min()) * XAxis.PixelsPerUnit;
    return ClampedPixel(offset, Dimensions.LeftMargin());
}

static double YOffsetOf(const TAxis& axis, double y)
{
    return axis.LogScale() ? (std::log(axis.Max()) - std::log(y)) * axis.PixelsPerUnit
                           : (axis.Max() - y) * axis.PixelsPerUnit;
}

int GraphEngine::YToPixel(double y) const { return ClampedPixel(YOffsetOf(YAxis, y), Dimensions.TopMargin()); }

int GraphEngine::Y2ToPixel(double y) const
{
    return ClampedPixel(YOffsetOf(YAxis_Second, y), Dimensions.TopMargin());
}

double GraphEngine::PixelToX(int pixel) const
{
    const double units = (pixel - Dimensions.LeftMargin()) / XAxis.PixelsPerUnit;
    return XAxis.LogScale() ? XAxis.Min() * std::exp(units) : units + XAxis.Min();
}

static double PixelToValue(const TAxis& axis, int pixel, int topMargin)
{
    const double units = (pixel - topMargin) / axis.PixelsPerUnit;
    return axis.LogScale() ? axis.Max() * std::exp(-units) : axis.Max() - units;
}

double GraphEngine::PixelToY(int pixel) const { return PixelToValue(YAxis, pixel, Dimensions.TopMargin()); }

double GraphEngine::PixelToY2(int pixel) const
{
    return PixelToValue(YAxis_Second, pixel, Dimensions.TopMargin());
}

bool GraphEngine::InPlotArea(int x, int y) const
{
    return x > Dimensions.LeftMargin() && y > Dimensions.TopMargin() && width_ - x > Dimensions.RightMargin() &&
           height_ - y > Dimensions.BottomMargin();
}
