// The waveform chart and its helpers: traces on their axes, the left axis's unit in title and
// labels alike, rectangle zoom with its levels and undo, panning and the cursor line.
#include "views/waveform_chart.h"

#include "fixtures/window_shot.h"
#include "views/chart_cursor_line.h"
#include "views/chart_panner.h"
#include "views/chart_zoomer.h"

#include <QApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

namespace {
const TZoomLevel kFull{{-40, 160}, {-350, 350}, {-600, 600}};

// A chart of one voltage and one current cycle train, shown at a fixed size.
struct ChartFixture {
    TWaveformChart chart;
    ChartFixture()
    {
        std::vector<double> volts(256), amps(256);
        for (std::size_t i = 0; i < volts.size(); ++i) {
            const double ms = -40 + static_cast<double>(i) * 200.0 / 256;
            volts[i] = 325 * std::sin(2 * std::numbers::pi * ms / 20);
            amps[i] = 560 * std::sin(2 * std::numbers::pi * (ms / 20 - 0.1));
        }
        chart.SetTrace(1, volts, -40, 200.0 / 256, 0x0000FF, WaveformAxis::Left);
        chart.SetTrace(2, amps, -40, 200.0 / 256, 0x008000, WaveformAxis::Right);
        chart.SetAxisTitles(true, "Volt", "Ampere");
        chart.Zoomer().Reset(kFull);
        chart.resize(600, 360);
        chart.show();
        QApplication::processEvents();
    }
    // A viewport point at fractions of the plot area.
    QPoint At(double fx, double fy) const
    {
        const QRectF plot = chart.PlotArea();
        return QPointF(plot.left() + fx * plot.width(), plot.top() + fy * plot.height()).toPoint();
    }
    void Mouse(QEvent::Type type, QPoint at, Qt::MouseButtons buttons = Qt::LeftButton)
    {
        QMouseEvent event(type, QPointF(at), chart.viewport()->mapToGlobal(QPointF(at)), Qt::LeftButton, buttons,
                          Qt::NoModifier);
        QApplication::sendEvent(chart.viewport(), &event);
    }
    void DragMouse(QPoint from, QPoint to)
    {
        Mouse(QEvent::MouseButtonPress, from);
        Mouse(QEvent::MouseMove, (from + to) / 2);
        Mouse(QEvent::MouseMove, to);
        Mouse(QEvent::MouseButtonRelease, to, Qt::NoButton);
    }
};

TEST(WaveformChart, TracesGoOnTheirAxes)
{
    ChartFixture f;
    EXPECT_TRUE(f.chart.TraceShown(1));
    EXPECT_FALSE(f.chart.TraceShown(3));
    ASSERT_EQ(f.chart.TracePoints(2).size(), 256);
    EXPECT_DOUBLE_EQ(f.chart.TracePoints(2)[0].x(), -40);
    EXPECT_EQ(f.chart.LeftTitle(), "Volt");
    EXPECT_EQ(f.chart.RightTitle(), "Ampere");
    EXPECT_TRUE(f.chart.LeftLabels().contains("-300"));
    EXPECT_TRUE(f.chart.BottomLabels().contains("0"));
    // Values that are not finite are left out of the trace.
    const std::vector<double> holes = {1, std::nan(""), 3};
    f.chart.SetTrace(3, holes, 0, 1, 0, WaveformAxis::Left);
    EXPECT_EQ(f.chart.TracePoints(3).size(), 2);
    f.chart.ClearTrace(3);
    EXPECT_FALSE(f.chart.TraceShown(3));
    Shot(&f.chart, "waveform_chart");
}

TEST(WaveformChart, LeftTitleAndLabelsNameOneUnit)
{
    ChartFixture f;
    f.chart.Zoomer().Reset({{-40, 160}, {-350, 1200}, {-5, 5}});
    EXPECT_EQ(f.chart.LeftTitle(), "kVolt");
    EXPECT_TRUE(f.chart.LeftLabels().contains("1.2"));
    EXPECT_FALSE(f.chart.LeftLabels().contains("1200"));
    // Zoomed into volts, title and labels go back to volts together.
    f.chart.Zoomer().SetArmed(true);
    f.chart.Zoomer().Drag(f.At(0.1, 0.6), f.At(0.9, 0.9));
    EXPECT_LT(f.chart.Ranges().Left.Max, 1000);
    EXPECT_EQ(f.chart.LeftTitle(), "Volt");
    EXPECT_TRUE(f.chart.LeftLabels().contains("200"));
    // Second-harmonic records keep their title and plain labels.
    f.chart.SetAxisTitles(false, " % ", " ");
    f.chart.Zoomer().Reset({{-40, 160}, {0, 1200}, {-5, 5}});
    EXPECT_EQ(f.chart.LeftTitle(), " % ");
    EXPECT_TRUE(f.chart.LeftLabels().contains("1200"));
}

TEST(WaveformChart, ZoomTwiceAndBack)
{
    ChartFixture f;
    TChartZoomer& zoom = f.chart.Zoomer();
    int zoomed = 0, undone = 0;
    zoom.OnZoomed = [&] { ++zoomed; };
    zoom.OnUndone = [&] { ++undone; };

    // Not armed, a drag zooms nothing.
    f.DragMouse(f.At(0.2, 0.2), f.At(0.6, 0.6));
    EXPECT_EQ(f.chart.Ranges(), kFull);

    zoom.SetArmed(true);
    f.DragMouse(f.At(0.25, 0.25), f.At(0.75, 0.75));
    EXPECT_FALSE(zoom.Armed());  // one rectangle per arming
    const TZoomLevel first = f.chart.Ranges();
    EXPECT_NEAR(first.X.Min, 10, 1);
    EXPECT_NEAR(first.X.Max, 110, 1);
    EXPECT_NEAR(first.Left.Min, -175, 2);
    EXPECT_NEAR(first.Left.Max, 175, 2);
    EXPECT_NEAR(first.Right.Max, 300, 3);
    zoom.SetArmed(true);
    f.DragMouse(f.At(0.5, 0.5), f.At(1.0, 1.0));
    EXPECT_EQ(zoom.Stack().Level(), 2);
    EXPECT_EQ(zoomed, 2);

    zoom.ZoomOutOneLevel();
    EXPECT_EQ(f.chart.Ranges(), first);
    EXPECT_TRUE(zoom.Zoomed());
    EXPECT_EQ(undone, 0);
    zoom.ZoomOutOneLevel();  // the second press undoes the zoom
    EXPECT_EQ(f.chart.Ranges(), kFull);
    EXPECT_FALSE(zoom.Zoomed());
    EXPECT_EQ(undone, 1);
    Shot(&f.chart, "waveform_chart_unzoomed");
}

TEST(WaveformChart, DraggingBackwardsUndoesTheZoom)
{
    ChartFixture f;
    TChartZoomer& zoom = f.chart.Zoomer();
    zoom.SetArmed(true);
    f.DragMouse(f.At(0.1, 0.1), f.At(0.4, 0.4));
    ASSERT_TRUE(zoom.Zoomed());
    zoom.SetArmed(true);
    f.DragMouse(f.At(0.8, 0.2), f.At(0.3, 0.6));
    EXPECT_FALSE(zoom.Zoomed());
    EXPECT_EQ(f.chart.Ranges(), kFull);

    // A new record replaces level 0 but keeps a zoom that is shown.
    zoom.SetArmed(true);
    f.DragMouse(f.At(0.1, 0.1), f.At(0.4, 0.4));
    const TZoomLevel shown = f.chart.Ranges();
    const TZoomLevel other{{-20, 80}, {-250, 250}, {-5, 5}};
    zoom.ReplaceUnzoomed(other);
    EXPECT_EQ(f.chart.Ranges(), shown);
    zoom.UndoZoom();
    EXPECT_EQ(f.chart.Ranges(), other);
}

TEST(WaveformChart, PanningMovesEveryAxisWithTheMouse)
{
    ChartFixture f;
    TChartPanner& pan = f.chart.Panner();
    f.chart.viewport()->setCursor(Qt::CrossCursor);
    pan.SetActive(true);
    EXPECT_EQ(f.chart.viewport()->cursor().shape(), Qt::OpenHandCursor);
    const QRectF plot = f.chart.PlotArea();
    f.DragMouse(f.At(0.5, 0.5), f.At(0.5, 0.5) + QPoint(static_cast<int>(plot.width() / 4), 0));
    const TZoomLevel r = f.chart.Ranges();
    EXPECT_NEAR(r.X.Min, -90, 1);  // a quarter of the 200 ms shown
    EXPECT_NEAR(r.X.Max, 110, 1);
    EXPECT_EQ(r.Left, kFull.Left);
    pan.PanByPixels({0, plot.height() / 2});
    EXPECT_NEAR(f.chart.Ranges().Left.Min, 0, 1);
    EXPECT_NEAR(f.chart.Ranges().Right.Max, 1200, 2);
    pan.SetActive(false);
    EXPECT_EQ(f.chart.viewport()->cursor().shape(), Qt::CrossCursor);
    Shot(&f.chart, "waveform_chart_panned");
}

TEST(WaveformChart, CursorLineFollowsTheAxis)
{
    ChartFixture f;
    double pressed = -1000;
    f.chart.OnPress = [&](double x) { pressed = x; };
    f.Mouse(QEvent::MouseButtonPress, f.At(0.2, 0.5));
    EXPECT_NEAR(pressed, 0, 1);

    TChartCursorLine& line = f.chart.CursorLine();
    EXPECT_EQ(line.PixelColumn(), 0);
    line.Show(0);
    EXPECT_NEAR(line.PixelColumn(), f.At(0.2, 0).x(), 1);
    Shot(&f.chart, "waveform_chart_cursor");
    f.chart.SetRanges({{10, 60}, kFull.Left, kFull.Right});
    EXPECT_EQ(line.PixelColumn(), 0);  // outside the plot: not drawn
    f.chart.SetRanges(kFull);
    EXPECT_NE(line.PixelColumn(), 0);
    line.Hide();
    EXPECT_EQ(line.PixelColumn(), 0);
}
}  // namespace
