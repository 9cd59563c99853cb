#include "graph/qpainter_canvas.h"
#include "graph/zr_graph.h"
#include "platform/date_time.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QDir>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <random>

namespace {

class QtEnvironment : public testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "graph_widget_tests";
        static char* argv[] = {name, nullptr};
        app_ = new QApplication(argc, argv);
    }
    void TearDown() override { delete app_; }

private:
    QApplication* app_ = nullptr;
};

const auto* const environment = testing::AddGlobalTestEnvironment(new QtEnvironment);

QImage Render(GraphEngine& graph)
{
    QImage image(graph.Width(), graph.Height(), QImage::Format_RGB32);
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    graph.Draw(canvas);
    return image;
}

} // namespace

// Dense data drawn per pixel column (first, highest, lowest, last) must give the very pixels
// of drawing every point: spikes, gaps and the joins between columns included, on a linear, a
// date-time and a logarithmic X axis (whose columns hold ever more points to the right).
TEST(GraphPicture, ReducedLineGivesTheSamePixelsAsEveryPoint)
{
    struct Scaling {
        const char* name;
        bool log, time;
        double min, max, firstX, spacing;
    };
    const Scaling scalings[] = {{"linear", false, false, 0, 20000, -300, 1},
                                {"date-time", false, true, 45000, 45000 + 20000 / 1440.0, 45000 - 300 / 1440.0, 1 / 1440.0},
                                {"logarithmic", true, false, 100, 20000, 10, 1}};
    for (const Scaling& scaling : scalings) {
        SCOPED_TRACE(scaling.name);
        GraphEngine graph;
        graph.SetSize(640, 360);
        graph.SetPlotting(false);
        graph.XAxis.SetLogScale(scaling.log);
        graph.XAxis.SetShowAsTime(scaling.time);
        graph.XAxis.SetDateTickType(dt_daily);
        graph.XAxis.SetMin(scaling.min);
        graph.XAxis.SetMax(scaling.max);
        graph.YAxis.SetMin(-60);
        graph.YAxis.SetMax(60);
        graph.SetSeriesLine(1, true, clBlue, psSolid);
        graph.SetSeriesPoints(1, false, 1, 1, true, clBlue);
        std::mt19937 random(7);
        std::normal_distribution<double> noise(0, 2);
        double y = 0;
        for (int i = 0; i < 20600; ++i) { // some points beyond both ends of the X range
            y = std::clamp(y + noise(random), -50.0, 50.0);
            const bool lifted = i % 3001 == 0 && i != 0;
            if (lifted) y = y > 0 ? -40 : 40; // a gap across the plot, inside one pixel column
            double value = y;
            if (i % 4999 == 0) value = 58; // single spikes
            if (i == 7300) value = -1000;  // far below the plot
            graph.AddPoint(1, !lifted, scaling.firstX + i * scaling.spacing, value);
        }
        graph.SetPlotting(true);
        ASSERT_EQ(graph.Caption(), "");
        const QImage reduced = Render(graph);

        graph.SetPlotting(false); // axes only, then every point by hand
        QImage everyPoint = Render(graph);
        QPainter painter(&everyPoint);
        QPainterCanvas canvas(painter);
        canvas.SetClipRect(40, 30, 640 - 15 + 1, 360 - 40 + 1);
        canvas.SetPen(clBlue, psSolid, 1, clNone);
        const TSeries& series = graph.GetSeries(1);
        for (int i = 0; i < series.Count(); ++i) {
            const int px = graph.XToPixel(series.Xs()[i]), py = graph.YToPixel(series.Y(static_cast<std::size_t>(i)));
            if (i == 0 || !series.Connected(static_cast<std::size_t>(i))) canvas.MoveTo(px, py);
            else canvas.LineTo(px, py);
        }
        painter.end();
        int differing = 0;
        for (int py = 0; py < reduced.height(); ++py)
            for (int px = 0; px < reduced.width(); ++px)
                if (reduced.pixel(px, py) != everyPoint.pixel(px, py) && differing++ < 10)
                    ADD_FAILURE() << "pixel " << px << "," << py;
        EXPECT_EQ(differing, 0);
    }
}

// The picture the closing look is taken from: date X axis, linear Y axis, logarithmic second
// Y axis, two series each, the measuring cursor and a Shift-drag band under way.
TEST(GraphPicture, RendersAxesCursorAndBandToPng)
{
    TzrGraph graph;
    graph.resize(900, 520);
    graph.show();
    graph.SetPlotting(false);
    graph.SetColor(clSilver);
    graph.Appearance.SetBackgroundColor(clWhite);
    graph.Appearance.SetGraphTitle("Voltage and current");
    graph.Dimensions.SetLeftMargin(60);
    graph.Dimensions.SetRightMargin(70);
    graph.Dimensions.SetTopMargin(30);
    graph.Dimensions.SetYAxisTitleOffset(12);

    const double start = DateSerial(2024, 3, 5) + 6.0 / 24;
    graph.XAxis.SetShowAsTime(true);
    graph.XAxis.SetDateTickType(dt_hourly);
    graph.XAxis.SetDateTimeFormat("hh:nn");
    graph.XAxis.SetTitle("Time (1 hour)");
    graph.XAxis.SetMin(start);
    graph.XAxis.SetMax(start + 0.5);

    graph.YAxis.SetTitle("Volt");
    graph.YAxis.SetMin(200);
    graph.YAxis.SetMax(250);
    graph.YAxis.SetStepSize(5);

    graph.YAxis_Second.SetLogScale(true);
    graph.YAxis_Second.SetTitle("Ampere");
    graph.YAxis_Second.SetShowAxis(true);
    graph.YAxis_Second.SetShowLabel(true);
    graph.YAxis_Second.SetShowTitle(true);
    graph.YAxis_Second.SetMin(1);
    graph.YAxis_Second.SetMax(1000);
    graph.YAxis_Second.SetLogCycleDivisions(2);

    const TColor colours[4] = {clGreen, clBlue, clRed, clFuchsia};
    for (int s = 1; s <= 4; ++s) {
        graph.ConfigureSeries(s, true, true, false, 0, s <= 2 ? &graph.YAxis : &graph.YAxis_Second);
        graph.SetSeriesLine(s, true, colours[s - 1], psSolid);
        graph.SetSeriesPoints(s, false, 1, 1, true, colours[s - 1]);
    }
    for (int m = 0; m <= 720; ++m) {
        const double t = start + m / 1440.0;
        graph.AddPoint(1, true, t, 230 + 6 * std::sin(m / 40.0) + (m == 300 ? 15 : 0));
        graph.AddPoint(2, m != 500, t, 222 + 4 * std::cos(m / 25.0));
        graph.AddPoint(3, true, t, 20 * std::exp(std::sin(m / 60.0) * 1.5));
        graph.AddPoint(4, true, t, 3 + 2 * std::sin(m / 9.0) + 1);
    }
    graph.SetPlotting(true);
    EXPECT_EQ(graph.Caption(), "");

    graph.SetXCursor(true);
    graph.CursorX = graph.XToPixel(start + 0.2);
    graph.CursorY = 200;
    graph.DrawXCursor();
    ASSERT_TRUE(graph.CursorLineShown());
    graph.MouseDown(TMouseButton::mbLeft, ssShift, 520, 120);
    graph.MouseMove(ssShift, 700, 360);
    ASSERT_TRUE(graph.Zooming());

    const QImage picture = graph.Picture();
    const QString path = QDir::current().absoluteFilePath("graph_render.png");
    ASSERT_TRUE(picture.save(path));
    std::printf("graph picture: %s\n", path.toUtf8().constData());

    // The cursor line is black at its column inside the plot area; the plot background white.
    EXPECT_EQ(picture.pixelColor(graph.CursorX, 300), QColor(Qt::black));
    EXPECT_EQ(picture.pixelColor(65, 40), QColor(Qt::white));
}

// On the first and the last point the cursor line falls on the plot's frame (the Y axis line,
// the edge of the white plot area); the cursor must still change pixels off that frame.
TEST(GraphPicture, CursorOnTheFirstOrLastPointShowsOffThePlotFrame)
{
    TzrGraph graph;
    graph.resize(300, 200);
    graph.SetPlotting(false);
    graph.SetColor(clSilver);
    graph.Appearance.SetBackgroundColor(clWhite);
    graph.Dimensions.SetLeftMargin(50);
    graph.Dimensions.SetTopMargin(15);
    for (TAxis* axis : {&graph.XAxis, &graph.YAxis}) {
        axis->SetMin(0);
        axis->SetMax(10);
    }
    for (int i = 0; i <= 10; ++i) graph.AddPoint(1, true, i, 5);
    graph.SetPlotting(true);
    graph.SetXCursor(true);
    const QImage without = graph.Picture();
    const int left = graph.XToPixel(0), right = graph.XToPixel(10), top = graph.YToPixel(10), bottom = graph.YToPixel(0);
    for (const double end : {0.0, 10.0}) {
        SCOPED_TRACE(end);
        graph.CursorX = graph.XToPixel(end);
        graph.CursorY = 100;
        graph.DrawXCursor();
        ASSERT_TRUE(graph.CursorLineShown());
        const QImage with = graph.Picture();
        int offFrame = 0;
        for (int y = 0; y < with.height(); ++y)
            for (int x = 0; x < with.width(); ++x)
                if (with.pixel(x, y) != without.pixel(x, y) && x != left && x != right && y != top && y != bottom) ++offFrame;
        EXPECT_GT(offFrame, 0);
    }
}

// An impossible Y range: the caption in the middle of the face, the X axis drawn against a
// stand-in Y range, and not one pixel of the series.
TEST(GraphPicture, ImpossibleRangeShowsTheCaptionAndNoSeries)
{
    TzrGraph graph;
    graph.resize(420, 260);
    graph.SetPlotting(false);
    graph.XAxis.SetMin(0);
    graph.XAxis.SetMax(10);
    graph.XAxis.SetStepSize(1);
    graph.YAxis.SetMin(5);
    graph.YAxis.SetMax(5);
    graph.SetSeriesLine(1, true, clRed, psSolid);
    for (int i = 0; i <= 10; ++i) graph.AddPoint(1, true, i, i % 3);
    graph.SetPlotting(true);
    EXPECT_EQ(graph.Caption(), "Y-AXES: MAX/MIN VALUES INCONSISTENT");

    const QImage picture = graph.Picture();
    ASSERT_TRUE(picture.save(QDir::current().absoluteFilePath("graph_caption.png")));
    int red = 0;
    for (int py = 0; py < picture.height(); ++py)
        for (int px = 0; px < picture.width(); ++px) red += picture.pixelColor(px, py) == QColor(Qt::red);
    EXPECT_EQ(red, 0);
}

TEST(GraphPicture, HatchedBandInvertsAndGoesAway)
{
    TzrGraph graph;
    graph.resize(300, 200);
    const QImage before = graph.Picture();
    graph.ShowBand(100, 30, 160, 160);
    const QImage banded = graph.Picture();
    EXPECT_NE(before, banded);
    EXPECT_EQ(banded.pixelColor(100, 100), QColor(Qt::black)); // the band's edge inverts white
    graph.HideBand();
    EXPECT_EQ(graph.Picture(), before);
}

namespace {

void SendMouse(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers keys)
{
    QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, buttons, keys);
    QCoreApplication::sendEvent(&widget, &event);
}

} // namespace

TEST(GraphWindow, ShiftDragWithTheMouseZoomsTheAxes)
{
    TzrGraph graph;
    graph.resize(240, 170);
    graph.show();
    graph.SetPlotting(false);
    graph.XAxis.SetMin(0);
    graph.XAxis.SetMax(18.5);
    graph.YAxis.SetMin(0);
    graph.YAxis.SetMax(10);
    graph.SetPlotting(true);
    int ups = 0;
    graph.OnMouseUp = [&](TMouseButton, TShiftState, int, int) { ++ups; };
    SendMouse(graph, QEvent::MouseButtonPress, {60, 40}, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(graph, QEvent::MouseMove, {140, 80}, Qt::NoButton, Qt::LeftButton, Qt::ShiftModifier);
    EXPECT_EQ(graph.ZoomRect(), (TGraphRect{60, 40, 140, 80}));
    SendMouse(graph, QEvent::MouseButtonRelease, {140, 80}, Qt::LeftButton, Qt::NoButton, Qt::ShiftModifier);
    EXPECT_TRUE(graph.Zoomed());
    EXPECT_DOUBLE_EQ(graph.XAxis.Min(), 2);
    EXPECT_DOUBLE_EQ(graph.XAxis.Max(), 10);
    EXPECT_EQ(ups, 1);
}
