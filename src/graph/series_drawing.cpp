// Drawing one series: its line and its point markers. A solid line with many points per pixel
// column is drawn as the column's first point, its highest and lowest rows and its last point,
// which covers exactly the pixels of drawing every point, so a year of records paints as fast
// as a day while single spikes stay visible. Those runs are kept with the series until its
// points or the X scaling change.
#include "graph/graph_engine.h"

#include <algorithm>
#include <cmath>

int GraphEngine::SeriesRow(const TSeries& series, double y) const
{
    const double plotted = y - series.YOffset();
    return series.Axis() == &YAxis ? YToPixel(plotted) : Y2ToPixel(plotted);
}

void GraphEngine::DrawSeries(TGraphCanvas& canvas, TSeries& series)
{
    if (!series.Visible() || series.Count() == 0) return;
    const TAxis* axis = series.Axis() == &YAxis ? &YAxis : &YAxis_Second;
    if (XAxis.LogScale() || axis->LogScale()) {
        if (series.Dirty()) series.Recalc();
        if ((XAxis.LogScale() && series.XMin() <= 0) || (axis->LogScale() && series.YMin() <= 0)) {
            if (OnLogError) OnLogError(series, series.Index());
            return;
        }
    }
    const bool clip = !Appearance.PlotOffGraph();
    if (clip)
        canvas.SetClipRect(Dimensions.LeftMargin(), Dimensions.TopMargin(), width_ - Dimensions.RightMargin() + 1,
                           height_ - Dimensions.BottomMargin() + 1);
    if (series.ShowLine()) DrawSeriesLine(canvas, series);
    if (clip) canvas.ResetClip();
    if (series.ShowPoints()) DrawSeriesMarkers(canvas, series);
}

TColumnScaling GraphEngine::LineScaling() const
{
    TColumnScaling scaling{XAxis.Min(), XAxis.PixelsPerUnit, XAxis.LogScale(), Dimensions.LeftMargin()};
    if (!Appearance.PlotOffGraph()) {
        scaling.Clipped = true;
        scaling.ClipLeft = Dimensions.LeftMargin();
        scaling.ClipRight = width_ - Dimensions.RightMargin() + 1;
    }
    return scaling;
}

void GraphEngine::DrawSeriesLine(TGraphCanvas& canvas, TSeries& series)
{
    canvas.SetPen(series.LineColor(), series.LineStyle(), 1, clNone);
    // Dash patterns depend on every vertex, so only solid lines are reduced; only reduced
    // lines are few enough runs to keep.
    std::vector<TColumnRun> everyPoint;
    const std::vector<TColumnRun>* runs = &everyPoint;
    if (series.LineStyle() == psSolid) {
        TColumnSummary& summary = series.LineSummary();
        const TColumnScaling scaling = LineScaling();
        if (summary.PointsVersion != series.PointsVersion() || !(summary.Scaling == scaling)) {
            BuildColumnRuns(series, true, summary.Runs);
            summary.PointsVersion = series.PointsVersion();
            summary.Scaling = scaling;
        }
        runs = &summary.Runs;
    } else {
        BuildColumnRuns(series, false, everyPoint);
    }

    std::vector<TGraphPixel> segments;
    segments.reserve(4 * runs->size());
    TGraphPixel previousLast;
    for (const TColumnRun& run : *runs) {
        const TGraphPixel first{run.Column, SeriesRow(series, run.First)};
        if (run.Joined) {
            segments.push_back(previousLast);
            segments.push_back(first);
        }
        previousLast = first;
        if (!run.Single) {
            segments.push_back({run.Column, SeriesRow(series, run.High)});
            segments.push_back({run.Column, SeriesRow(series, run.Low)});
            previousLast = {run.Column, SeriesRow(series, run.Last)};
        }
    }
    canvas.Segments(segments);
}

// The runs of points the line passes through, in x order. Reduced, a run is every point on one
// pixel column up to a lifted pen, and its column from the highest to the lowest point covers
// every line between the run's own points; otherwise each point is a run of its own.
void GraphEngine::BuildColumnRuns(const TSeries& series, bool reduce, std::vector<TColumnRun>& runs) const
{
    runs.clear();
    const auto xs = series.Xs();
    const std::size_t n = xs.size();

    // Segments between points that both lie left of the clip area, or both right of it,
    // cannot show: start at the last point left of it and end at the first point right of it.
    std::size_t begin = 0, end = n;
    if (!Appearance.PlotOffGraph()) {
        const int left = Dimensions.LeftMargin(), right = width_ - Dimensions.RightMargin() + 1;
        const auto firstInside = std::partition_point(xs.begin(), xs.end(), [&](double x) { return XToPixel(x) < left; });
        begin = static_cast<std::size_t>(firstInside - xs.begin());
        if (begin > 0) --begin;
        const auto firstBeyond = std::partition_point(xs.begin() + static_cast<std::ptrdiff_t>(begin), xs.end(),
                                                      [&](double x) { return XToPixel(x) < right; });
        end = std::min(n, static_cast<std::size_t>(firstBeyond - xs.begin()) + 1);
    }
    for (std::size_t i = begin; i < end;) {
        const int column = XToPixel(xs[i]);
        const std::size_t j = reduce ? series.FirstLift(i + 1, RunEnd(xs, i, end, column)) : i + 1;
        const double y = series.Y(i);
        TColumnRun run{column, i != begin && series.Connected(i), j - i == 1, y, y, y, y};
        if (!run.Single) {
            series.YExtremes(i, j, run.Low, run.High);
            run.Last = series.Y(j - 1);
        }
        runs.push_back(run);
        i = j;
    }
}

// The end of the run of points from `from` on that share its column. The column's right edge
// in x gives the guess; XToPixel settles the points next to it (rounding, clamped columns).
std::size_t GraphEngine::RunEnd(std::span<const double> xs, std::size_t from, std::size_t end, int column) const
{
    auto onColumn = [&](std::size_t k) { return XToPixel(xs[k]) == column; };
    std::size_t j = from + 1;
    if (std::abs(column) < 20000) {
        const double units = (column - Dimensions.LeftMargin() + 0.5) / XAxis.PixelsPerUnit;
        const double edge = XAxis.LogScale() ? XAxis.Min() * std::exp(units) : XAxis.Min() + units;
        // Gallop from the run's start, then halve: the run is near, the array's end is far.
        std::size_t step = 1;
        while (j + step < end && xs[j + step] < edge) step *= 2;
        const auto first = xs.begin() + static_cast<std::ptrdiff_t>(j + step / 2);
        const auto last = xs.begin() + static_cast<std::ptrdiff_t>(std::min(end, j + step));
        j = static_cast<std::size_t>(std::lower_bound(first, last, edge) - xs.begin());
        while (j > from + 1 && !onColumn(j - 1)) --j;
    }
    while (j < end && onColumn(j)) ++j;
    return j;
}

void GraphEngine::DrawSeriesMarkers(TGraphCanvas& canvas, const TSeries& series)
{
    const auto xs = series.Xs();
    const std::size_t n = xs.size();
    const bool limited = !Appearance.PlotOffGraph();
    const int h = series.PointSize() / 2;
    const TAxis& axis = series.Axis() == &YAxis ? YAxis : YAxis_Second;

    canvas.SetPen(series.PointColor(), psSolid, series.Shape() == TSeries::ShapeStepBar ? h : 1, clNone);
    canvas.SetBrush(series.FillPoints() ? series.PointColor() : color_, true);

    std::size_t i = 0;
    if (limited) i = static_cast<std::size_t>(std::lower_bound(xs.begin(), xs.end(), XAxis.Min()) - xs.begin());
    for (; i < n; ++i) {
        if (limited && xs[i] > XAxis.Max()) break;
        const int x = XToPixel(xs[i]);
        const double value = series.Y(i);
        const int y = SeriesRow(series, value);
        if (series.Shape() == TSeries::ShapeStepBar) {
            const bool nextShown = i + 1 < n && (!limited || xs[i + 1] < XAxis.Max());
            canvas.MoveTo(x, y);
            if (nextShown) {
                canvas.LineTo(XToPixel(xs[i + 1]), y);
                continue;
            }
            if (xs[i] < XAxis.Max()) canvas.LineTo(XToPixel(XAxis.Max()), y);
            break;
        }
        const double plotted = value - series.YOffset();
        if (limited && (plotted < axis.Min() || plotted > axis.Max())) continue;
        switch (series.Shape()) {
        case TSeries::ShapeSquare: {
            const TGraphPixel square[] = {{x - h, y - h}, {x + h, y - h}, {x + h, y + h}, {x - h, y + h}};
            canvas.Polygon(square);
            break;
        }
        case TSeries::ShapeCircle: canvas.Ellipse(x - h, y - h, x + h, y + h); break;
        case TSeries::ShapeDiamond: {
            const TGraphPixel diamond[] = {{x, y - h}, {x + h, y}, {x, y + h}, {x - h, y}};
            canvas.Polygon(diamond);
            break;
        }
        default:
            canvas.MoveTo(x - h, y);
            canvas.LineTo(x + h, y);
            canvas.MoveTo(x, y - h);
            canvas.LineTo(x, y + h);
            break;
        }
    }
    canvas.SetBrush(color_, false);
    canvas.SetPen(series.PointColor(), psSolid, 1, clNone);
}
