// Drawing one series: its line and its point markers. A solid line with many points per pixel
// column is drawn as the column's first point, its highest and lowest rows and its last point,
// which covers exactly the pixels of drawing every point, so a year of records paints as fast
// as a day while single spikes stay visible.
#include "graph/graph_engine.h"

#include <algorithm>
#include <cmath>

namespace {

// Consecutive equal vertices add nothing to a line.
void Append(std::vector<TGraphPixel>& path, TGraphPixel p)
{
    if (path.empty() || !(path.back() == p)) path.push_back(p);
}

void Flush(TGraphCanvas& canvas, std::vector<TGraphPixel>& path)
{
    if (path.size() == 1) canvas.MoveTo(path[0].X, path[0].Y);
    else if (path.size() > 1) canvas.Polyline(path);
    path.clear();
}

} // namespace

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

void GraphEngine::DrawSeriesLine(TGraphCanvas& canvas, const TSeries& series)
{
    canvas.SetPen(series.LineColor(), series.LineStyle(), 1, clNone);
    const auto xs = series.Xs();
    const auto ys = series.Ys();
    const auto connects = series.Connects();
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
    // Dash patterns depend on every vertex, so only solid lines are reduced.
    const bool reduce = series.LineStyle() == psSolid;

    std::vector<TGraphPixel> path;
    std::size_t i = begin;
    while (i < end) {
        const int column = XToPixel(xs[i]);
        std::size_t j = i + 1;
        if (reduce) {
            // The run of points on this column: gallop, then halve.
            std::size_t step = 1, last = i; // last: known to be on the column
            while (last + step < end && XToPixel(xs[last + step]) == column) {
                last += step;
                step *= 2;
            }
            std::size_t high = std::min(end, last + step);
            while (high - last > 1) {
                const std::size_t mid = last + (high - last) / 2;
                if (XToPixel(xs[mid]) == column) last = mid;
                else high = mid;
            }
            j = last + 1;
            // A lifted pen inside the column starts a new run there.
            const auto lift = std::find(connects.begin() + static_cast<std::ptrdiff_t>(i + 1),
                                        connects.begin() + static_cast<std::ptrdiff_t>(j), 0);
            j = static_cast<std::size_t>(lift - connects.begin());
        }
        if (i == begin || connects[i] == 0) Flush(canvas, path);
        Append(path, {column, SeriesRow(series, ys[i])});
        if (j - i > 1) {
            double low = ys[i], high = ys[i];
            for (std::size_t k = i + 1; k < j; ++k) {
                low = ys[k] < low ? ys[k] : low;
                high = ys[k] > high ? ys[k] : high;
            }
            Append(path, {column, SeriesRow(series, high)});
            Append(path, {column, SeriesRow(series, low)});
            Append(path, {column, SeriesRow(series, ys[j - 1])});
        }
        i = j;
    }
    Flush(canvas, path);
}

void GraphEngine::DrawSeriesMarkers(TGraphCanvas& canvas, const TSeries& series)
{
    const auto xs = series.Xs();
    const auto ys = series.Ys();
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
        const int y = SeriesRow(series, ys[i]);
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
        const double plotted = ys[i] - series.YOffset();
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
