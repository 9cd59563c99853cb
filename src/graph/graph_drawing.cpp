// The graph's picture: the panel face with its caption, the plot background, the axes with
// grids, ticks, labels and titles, the graph title, and the series in index order.
#include "graph/graph_engine.h"

#include "graph/label_spacing.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// Where an axis line crosses the other axis, as a value of that other axis.
double CrossingValue(const TAxis& own, const TAxis& other)
{
    switch (own.OffsetType()) {
    case ao_Minimum: return other.Min();
    case ao_Maximum: return other.Max();
    case ao_percentage: return other.Min() + (other.Max() - other.Min()) * own.Offset() / 100;
    case ao_absolute: return own.Offset();
    }
    return other.Min();
}

// `text` whole when it is at most `room` pixels long, else cut between characters and ended with
// an ellipsis so that it is; empty when not even the ellipsis fits.
std::string Elided(TGraphCanvas& canvas, const std::string& text, int room)
{
    if (canvas.TextWidth(text) <= room) return text;
    static const std::string kEllipsis = "\xE2\x80\xA6";
    std::size_t end = text.size();
    while (end > 0) {
        do --end;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80);  // inside a UTF-8 character
        std::string cut = text.substr(0, end);
        while (!cut.empty() && cut.back() == ' ') cut.pop_back();
        if (canvas.TextWidth(cut + kEllipsis) <= room) return cut + kEllipsis;
    }
    return {};
}

} // namespace

void GraphEngine::Draw(TGraphCanvas& canvas)
{
    DrawPanel(canvas);
    switch (state_) {
    case LayoutState::Valid: DrawGraph(canvas); break;
    case LayoutState::XInvalid: {
        // The Y axis is drawn against a stand-in X range; the X range itself stays.
        errorMode_ = true;
        DrawGraphTitle(canvas);
        const double minimum = XAxis.Min(), maximum = XAxis.Max(), ppu = XAxis.PixelsPerUnit;
        XAxis.AssignRange(1, 10);
        CalcXMetrics();
        DrawYAxis(canvas, YAxis);
        XAxis.AssignRange(minimum, maximum);
        XAxis.PixelsPerUnit = ppu;
        errorMode_ = false;
        break;
    }
    case LayoutState::YInvalid: {
        errorMode_ = true;
        DrawGraphTitle(canvas);
        const double minimum = YAxis.Min(), maximum = YAxis.Max(), ppu = YAxis.PixelsPerUnit;
        YAxis.AssignRange(1, 10);
        CalcYMetrics();
        DrawXAxis(canvas);
        YAxis.AssignRange(minimum, maximum);
        YAxis.PixelsPerUnit = ppu;
        errorMode_ = false;
        break;
    }
    case LayoutState::BothInvalid:
        DrawGraphTitle(canvas);
        break;
    }
}

void GraphEngine::DrawPanel(TGraphCanvas& canvas)
{
    canvas.ResetClip();
    canvas.SetPen(color_, psSolid, 1, clNone);
    canvas.SetBrush(color_, true);
    canvas.Rectangle(0, 0, width_, height_);
    // A single border.
    canvas.SetPen(clBlack, psSolid, 1, clNone);
    canvas.SetBrush(color_, false);
    canvas.Rectangle(0, 0, width_, height_);
    if (!caption_.empty()) {
        canvas.SetFont(font_);
        const int w = canvas.TextWidth(caption_), h = canvas.TextHeight(caption_);
        canvas.TextOut((width_ - w) / 2, (height_ - h) / 2, caption_);
    }
}

void GraphEngine::DrawGraph(TGraphCanvas& canvas)
{
    if (Appearance.BackgroundColor() != color_) {
        canvas.SetPen(Appearance.BackgroundColor(), psSolid, 1, clNone);
        canvas.SetBrush(Appearance.BackgroundColor(), true);
        canvas.Rectangle(XToPixel(XAxis.Min()), YToPixel(YAxis.Max()), XToPixel(XAxis.Max()), YToPixel(YAxis.Min()));
        canvas.SetBrush(color_, false);
    }
    DrawXAxis(canvas);
    DrawYAxis(canvas, YAxis);
    DrawYAxis(canvas, YAxis_Second);
    if (Appearance.ShowGraphTitle()) DrawGraphTitle(canvas);
    if (!plotting_) return;
    for (auto& [index, series] : series_) DrawSeries(canvas, *series);
}

void GraphEngine::DrawGraphTitle(TGraphCanvas& canvas)
{
    const std::string& title = Appearance.GraphTitle();
    canvas.SetFont(font_);
    const int w = canvas.TextWidth(title), h = canvas.TextHeight(title);
    const int middle = Dimensions.LeftMargin() + (width_ - Dimensions.LeftMargin() - Dimensions.RightMargin()) / 2;
    canvas.TextOut(middle - w / 2, Dimensions.TopMargin() - Dimensions.GraphTitleOffset() - h, title);
}

// One line per tick across the axis: vertical lines for the X axis, horizontal ones for a Y
// axis, from `from` to `to`; `pixelOf` places a tick along the axis. A first tick below
// `skipBelow` gets no line (no grid line on the axis itself).
template <typename PixelOf>
static void DrawTickLines(TGraphCanvas& canvas, const std::vector<TAxisTick>& ticks, bool vertical, PixelOf pixelOf,
                          int from, int to, double skipBelow)
{
    for (std::size_t k = 0; k < ticks.size(); ++k) {
        if (k == 0 && ticks[k].Value < skipBelow) continue;
        const int p = pixelOf(ticks[k].Value);
        if (vertical) {
            canvas.MoveTo(p, from);
            canvas.LineTo(p, to);
        } else {
            canvas.MoveTo(from, p);
            canvas.LineTo(to, p);
        }
    }
}

// A tick that the walk leaves unlabelled still gets its label near the end of the axis.
static bool LabelShown(const TAxisTick& tick, const TAxis& axis, double step)
{
    return tick.Labelled || std::fabs(axis.Max() - tick.Value) <= step;
}

namespace {
struct AxisLabel {
    const TAxisTick* Tick;
    int Start; // along the axis
};
} // namespace

// The labels of an axis that fit at the drawn size, each placed along the axis within
// [0, length): `horizontal` labels are measured by their width, stacked ones by their height.
template <typename PixelOf>
static std::vector<AxisLabel> FittingLabels(TGraphCanvas& canvas, const std::vector<TAxisTick>& ticks,
                                            const TAxis& axis, double step, PixelOf pixelOf, bool horizontal,
                                            int length)
{
    std::vector<const TAxisTick*> shown;
    std::vector<TLabelSlot> slots;
    int height = 0;
    for (const TAxisTick& t : ticks) {
        if (!LabelShown(t, axis, step)) continue;
        height = std::max(height, canvas.TextHeight(t.Text));
        shown.push_back(&t);
        slots.push_back({pixelOf(t.Value), horizontal ? canvas.TextWidth(t.Text) : canvas.TextHeight(t.Text), t.Ordinal});
    }
    // A word space between labels side by side, a thin line gap between stacked ones.
    const int gap = horizontal ? height / 2 : height / 4;
    const std::vector<int> strides = axis.LabelStrides();
    std::vector<AxisLabel> labels;
    for (const TPlacedLabel& p : SpaceLabels(slots, 0, length, gap, strides)) labels.push_back({shown[p.Slot], p.Start});
    return labels;
}

// Across the axis a label keeps inside the control too, even where the margin is too narrow.
static int Inside(int start, int size, int length) { return std::max(0, std::min(start, length - size)); }

void GraphEngine::DrawXAxis(TGraphCanvas& canvas)
{
    const AxisPlan& plan = PlanOf(XAxis);
    const double step = plan.DrawStep;
    const int tick = Dimensions.TickLength();
    auto columnOf = [this](double v) { return XToPixel(v); };
    if (XAxis.Gridlines() && !errorMode_) {
        canvas.SetPen(Appearance.GridColor(), Appearance.GridStyle(), 1, color_);
        DrawTickLines(canvas, plan.Ticks, true, columnOf, YToPixel(YAxis.Min()), YToPixel(YAxis.Max()),
                      XAxis.Min() + 0.01 * step);
    }
    if (!XAxis.ShowAxis()) return;

    const int row = YToPixel(CrossingValue(XAxis, YAxis));
    const bool reversed = XAxis.Reversed();
    if (Appearance.ShowTicks()) {
        canvas.SetPen(XAxis.AxisColor(), psSolid, 1, clNone);
        DrawTickLines(canvas, plan.Ticks, true, columnOf, row, reversed ? row - tick : row + tick, -HUGE_VAL);
    }
    if (XAxis.ShowLabel()) {
        canvas.SetFont(XAxis.LabelFont());
        const int offset = tick + Dimensions.XAxisLabelOffset();
        for (const AxisLabel& label : FittingLabels(canvas, plan.Ticks, XAxis, step, columnOf, true, width_)) {
            const int h = canvas.TextHeight(label.Tick->Text);
            canvas.TextOut(label.Start, Inside(reversed ? row - offset - h : row + offset, h, height_), label.Tick->Text);
        }
    }
    if (XAxis.ShowTitle()) {
        canvas.SetFont(XAxis.TitleFont());
        // Centred under the plot, moved or cut to stay inside the control's border.
        const std::string title = Elided(canvas, XAxis.Title(), width_ - 2);
        const int w = canvas.TextWidth(title), h = canvas.TextHeight(title);
        const int middle = Dimensions.LeftMargin() + (width_ - Dimensions.LeftMargin() - Dimensions.RightMargin()) / 2;
        const int offset = tick + Dimensions.XAxisTitleOffset();
        canvas.TextOut(std::max(1, std::min(middle - w / 2, width_ - 1 - w)), reversed ? row - offset - 2 * h : row + offset + h,
                       title);
    }
    canvas.SetPen(XAxis.AxisColor(), psSolid, 1, clNone);
    canvas.MoveTo(XToPixel(XAxis.Min()), row);
    canvas.LineTo(XToPixel(XAxis.Max()), row);
}

void GraphEngine::DrawYAxis(TGraphCanvas& canvas, TAxis& axis)
{
    const AxisPlan& plan = PlanOf(axis);
    const double step = plan.DrawStep;
    const int tick = Dimensions.TickLength();
    auto rowOf = [&](double v) { return &axis == &YAxis ? YToPixel(v) : Y2ToPixel(v); };
    if (axis.Gridlines() && !errorMode_) {
        canvas.SetPen(Appearance.GridColor(), Appearance.GridStyle(), 1, Appearance.BackgroundColor());
        DrawTickLines(canvas, plan.Ticks, false, rowOf, XToPixel(XAxis.Min()), XToPixel(XAxis.Max()),
                      axis.Min() + 0.01 * step);
    }
    if (!axis.ShowAxis()) return;

    const int column = XToPixel(CrossingValue(axis, XAxis));
    const bool reversed = axis.Reversed();
    if (Appearance.ShowTicks()) {
        canvas.SetPen(axis.AxisColor(), psSolid, 1, clNone);
        DrawTickLines(canvas, plan.Ticks, false, rowOf, column, reversed ? column + tick : column - tick, -HUGE_VAL);
    }
    if (axis.ShowLabel()) {
        canvas.SetFont(axis.LabelFont());
        const int offset = tick + Dimensions.YAxisLabelOffset();
        for (const AxisLabel& label : FittingLabels(canvas, plan.Ticks, axis, step, rowOf, false, height_)) {
            const int w = canvas.TextWidth(label.Tick->Text);
            canvas.TextOut(Inside(reversed ? column + offset : column - offset - w, w, width_), label.Start, label.Tick->Text);
        }
    }
    if (axis.ShowTitle()) {
        canvas.SetFont(axis.TitleFont());
        // Along the plot's height and no longer, so that a short plot never has it over its margins.
        const int room = height_ - Dimensions.TopMargin() - Dimensions.BottomMargin();
        const std::string title = Elided(canvas, axis.Title(), room);
        // Both measured in the title's font, along the text as if it were not turned.
        const int labelWidth = plan.Ticks.empty() ? 0 : canvas.TextWidth(plan.Ticks.front().Text);
        const int w = canvas.TextWidth(title), h = canvas.TextHeight(title);
        const int offset = tick + Dimensions.YAxisTitleOffset();
        const int left = reversed ? column + offset + labelWidth : std::max(0, column - offset - labelWidth - h);
        const int middle = Dimensions.TopMargin() + room / 2;
        canvas.TextOutUpward(left, middle + w / 2, title);
    }
    canvas.SetPen(axis.AxisColor(), psSolid, 1, clNone);
    canvas.MoveTo(column, YToPixel(YAxis.Min()));
    canvas.LineTo(column, YToPixel(YAxis.Max()));
}
