#include "graph/calendar_dates.h"
#include "graph/graph_engine.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

class StubHost : public TGraphHost {
public:
    int pictures = 0, overlays = 0, sizeDrags = 0, moveDrags = 0, releases = 0;
    std::vector<TCursorShape> cursors;
    void GraphPictureChanged() override { ++pictures; }
    void GraphOverlayChanged() override { ++overlays; }
    void SetScreenCursor(TCursorShape shape) override { cursors.push_back(shape); }
    void ReleaseMouseCapture() override { ++releases; }
    void BeginSizeFromCorner() override { ++sizeDrags; }
    void BeginMoveByCorner() override { ++moveDrags; }
};

// A 240 x 170 graph: the plot area is 185 x 100 pixels; X 0..18.5 and Y 0..10 give 10 pixels
// per unit, so x maps to column 40 + 10x and y to row 30 + 10 (10 - y).
void SetUpSmallGraph(GraphEngine& graph)
{
    graph.SetSize(240, 170);
    graph.SetPlotting(false);
    graph.XAxis.SetMin(0);
    graph.XAxis.SetMax(18.5);
    graph.XAxis.SetStepSize(2);
    graph.YAxis.SetMin(0);
    graph.YAxis.SetMax(10);
    graph.YAxis.SetStepSize(2);
    graph.SetPlotting(true);
}

class GraphFixture : public testing::Test {
protected:
    GraphFixture()
    {
        graph.SetHost(&host);
        SetUpSmallGraph(graph);
        host.pictures = 0;
    }

    RecordingCanvas Paint()
    {
        RecordingCanvas canvas;
        graph.Draw(canvas);
        return canvas;
    }

    StubHost host;
    GraphEngine graph;
};

} // namespace

TEST_F(GraphFixture, PixelConversionRoundTripsAndRoundsHalvesToEven)
{
    EXPECT_EQ(graph.XToPixel(0), 40);
    EXPECT_EQ(graph.XToPixel(18.5), 225);
    EXPECT_EQ(graph.YToPixel(10), 30);
    EXPECT_EQ(graph.YToPixel(0), 130);
    for (int p : {40, 41, 100, 225}) EXPECT_EQ(graph.XToPixel(graph.PixelToX(p)), p);
    for (int p : {30, 77, 130}) EXPECT_EQ(graph.YToPixel(graph.PixelToY(p)), p);
    EXPECT_EQ(graph.XToPixel(0.25), 42); // 2.5 pixels: to even
    EXPECT_EQ(graph.XToPixel(0.35), 44); // 3.5 pixels
}

TEST_F(GraphFixture, FarOffValuesAreClampedTo20000)
{
    EXPECT_EQ(graph.YToPixel(10010), -20000); // 10 000 above Max on 10 pixels per unit
    EXPECT_EQ(graph.YToPixel(-5000), 20000);
    EXPECT_EQ(graph.XToPixel(5000), 20000);
    EXPECT_EQ(graph.XToPixel(-5000), -20000);
}

TEST_F(GraphFixture, LogarithmicAxesConvertByNaturalLogs)
{
    graph.SetPlotting(false);
    graph.YAxis.SetLogScale(true);
    graph.YAxis.SetMin(1);
    graph.YAxis.SetMax(100);
    graph.SetPlotting(true);
    EXPECT_EQ(graph.YToPixel(100), 30);
    EXPECT_EQ(graph.YToPixel(10), 80);
    EXPECT_EQ(graph.YToPixel(1), 130);
    EXPECT_NEAR(graph.PixelToY(80), 10, 1e-9);
}

TEST_F(GraphFixture, NearestPointPicksTheCloserNeighbour)
{
    for (double x : {1.0, 2.0, 10.0}) graph.AddPoint(1, true, x, x * 0.5);
    struct Case { double x; double found; };
    for (const Case c : {Case{3, 2}, Case{7, 10}, Case{2, 2}, Case{0.5, 1}, Case{15, 10}}) {
        std::uint32_t id = 0;
        double x = 0, y = 0;
        ASSERT_TRUE(graph.FindNearestPoint(1, graph.XToPixel(c.x), id, x, y)) << c.x;
        EXPECT_EQ(x, c.found) << c.x;
        EXPECT_EQ(y, c.found * 0.5);
    }
    std::uint32_t id = 0;
    double x = 0, y = 0;
    EXPECT_FALSE(graph.FindNearestPoint(1, 30, id, x, y)); // left of the X range
}

TEST_F(GraphFixture, SeriesAreCreatedOnDemandOnlyWhereTheInterfaceSaysSo)
{
    std::vector<int> created;
    graph.OnNewSeries = [&](GraphEngine&, int index) { created.push_back(index); };
    bool visible = false;
    double offset = 1;
    EXPECT_FALSE(graph.GetSeriesState(9, visible, offset));
    EXPECT_FALSE(graph.SeriesExists(9));
    std::uint32_t id = 0;
    double x = 0, y = 0;
    EXPECT_FALSE(graph.FindNearestPoint(9, 100, id, x, y));
    EXPECT_TRUE(graph.SeriesExists(9));
    EXPECT_EQ(created, std::vector<int>{9});
    EXPECT_TRUE(graph.GetSeriesState(9, visible, offset));
    EXPECT_TRUE(visible);
    EXPECT_EQ(offset, 0);
}

TEST_F(GraphFixture, SeriesDefaultsDependOnTheIndex)
{
    const TSeries& two = graph.GetSeries(2);
    EXPECT_EQ(two.LineColor(), clBlue);
    EXPECT_EQ(two.LineStyle(), psDash);
    EXPECT_EQ(two.Shape(), TSeries::ShapeCircle);
    EXPECT_TRUE(two.FillPoints());
    const TSeries& seven = graph.GetSeries(7);
    EXPECT_EQ(seven.LineColor(), clGreen);
    EXPECT_EQ(seven.LineStyle(), psSolid);
    EXPECT_EQ(seven.Shape(), TSeries::ShapeCircle);
    EXPECT_FALSE(seven.FillPoints());
    EXPECT_EQ(seven.Name, "Series 7");
    graph.SetSeriesPoints(7, true, 3, TSeries::ShapeSquare, true, clRed);
    EXPECT_EQ(graph.GetSeries(7).PointSize(), 4); // markers are even-sized
}

TEST_F(GraphFixture, FirstVisibleSeriesSkipsHiddenOnes)
{
    graph.ConfigureSeries(1, false, true, false, 0, &graph.YAxis);
    graph.ConfigureSeries(3, true, true, false, 0, &graph.YAxis);
    EXPECT_EQ(graph.FirstVisibleSeries(), 3);
    graph.GetSeries(3).SetVisible(false);
    EXPECT_EQ(graph.FirstVisibleSeries(), 0);
}

TEST_F(GraphFixture, ConfigureSeriesRepaintsOnceOnlyWhenSomethingChanges)
{
    graph.AddPoint(1, true, 1, 1);
    host.pictures = 0;
    graph.ConfigureSeries(1, true, false, false, 0, &graph.YAxis);
    EXPECT_EQ(host.pictures, 0);
    graph.ConfigureSeries(1, true, true, false, 0, &graph.YAxis);
    EXPECT_EQ(host.pictures, 1);
    graph.ConfigureSeries(1, true, true, false, 0, &graph.YAxis);
    EXPECT_EQ(host.pictures, 2);
    graph.ConfigureSeries(1, true, false, false, 0, &graph.YAxis_Second);
    EXPECT_EQ(host.pictures, 3); // the axis change repaints on its own
}

TEST_F(GraphFixture, PointsAddedWhilePlottingIsOffPaintOnce)
{
    graph.SetPlotting(false);
    host.pictures = 0;
    for (int i = 0; i < 100; ++i) graph.AddPoint(1, true, i * 0.1, 5);
    EXPECT_EQ(host.pictures, 0);
    int rescales = 0;
    graph.OnRescale = [&](GraphEngine&) { ++rescales; };
    graph.SetPlotting(true);
    EXPECT_EQ(host.pictures, 1);
    EXPECT_EQ(rescales, 1);
    graph.AddPoint(1, true, 11, 5);
    EXPECT_EQ(host.pictures, 2);
}

TEST_F(GraphFixture, RunOfPointsWhilePlottingRepaintsOnce)
{
    const std::vector<double> xs{1, 2, 3, 4}, ys{5, 6, 7, 8};
    const std::vector<std::uint8_t> connects{0, 1, 1, 1};
    EXPECT_EQ(graph.AddPoints(2, xs, ys, connects), 4u);
    EXPECT_EQ(host.pictures, 1);
    EXPECT_EQ(graph.GetSeries(2).Count(), 4);
}

TEST_F(GraphFixture, TooManyPointsIsReportedPerPointBeyondTheLimit)
{
    graph.SetPlotting(false);
    std::vector<int> reported;
    graph.OnTooManyPoints = [&](GraphEngine&, int index) { reported.push_back(index); };
    for (int i = 0; i < 30002; ++i) graph.AddPoint(4, true, i, 1);
    EXPECT_EQ(reported, (std::vector<int>{4, 4}));
}

TEST_F(GraphFixture, InvalidYRangeShowsTheYCaptionWithTheXAxisDrawn)
{
    graph.AddPoint(1, true, 1, 5);
    graph.YAxis.SetMax(0); // Min = Max = 0, no automatic sizing
    EXPECT_EQ(graph.Caption(), "Y-AXES: MAX/MIN VALUES INCONSISTENT");
    const RecordingCanvas canvas = Paint();
    EXPECT_TRUE(canvas.HasPrefix("Text ")); // caption, title and X labels
    EXPECT_TRUE(canvas.Has("Text 134,136 10")); // the X label at x = 10, below the stand-in Y range
    EXPECT_FALSE(canvas.HasPrefix("Segments"));
    EXPECT_FALSE(canvas.HasPrefix("Clip"));
}

TEST_F(GraphFixture, DateAxisBefore1900ShowsTheXCaption)
{
    graph.XAxis.SetShowAsTime(true);
    graph.XAxis.SetMin(0.5);
    EXPECT_EQ(graph.Caption(), "X-AXIS: MAX/MIN VALUES INCONSISTENT");
    const RecordingCanvas canvas = Paint();
    EXPECT_TRUE(canvas.Has("Text 28,125 0")); // the Y axis still gets its labels
    graph.YAxis.SetMax(0);
    EXPECT_EQ(graph.Caption(), "BOTH AXES: MAX/MIN VALUES INCONSISTENT");
    graph.Appearance.SetErrorCaption("Errore: valori non validi");
    EXPECT_EQ(graph.Caption(), "BOTH AXES: Errore: valori non validi");
}

TEST_F(GraphFixture, ScalingErrorBecomesTheCaptionInsteadOfLeavingThePaint)
{
    graph.YAxis.SetMin(-3);
    graph.YAxis.SetMax(-3);
    graph.YAxis.SetAutoSizing(true); // no data: Min := 0 > Max, GetStep fails
    EXPECT_EQ(graph.Caption(), "Y-AXES: MAX/MIN VALUES INCONSISTENT");
    graph.YAxis.SetMin(0);
    graph.YAxis.SetMax(10);
    EXPECT_EQ(graph.Caption(), "");
}

TEST_F(GraphFixture, LiftedPenIsNeverBridged)
{
    graph.SetPlotting(false);
    graph.SetSeriesPoints(1, false, 1, 1, true, clGreen);
    graph.AddPoint(1, true, 1, 5);
    graph.AddPoint(1, false, 2, 6);
    graph.AddPoint(1, true, 3, 7);
    graph.SetPlotting(true);
    const std::vector<std::string> series = Paint().From("Clip");
    const std::vector<std::string> expected = {
        "Clip 40,30 226,131", "Pen 32768 0 1", "Segments 60,70 70,60", "NoClip"};
    EXPECT_EQ(series, expected);
}

TEST_F(GraphFixture, RecordedPaintOfOneSmallGraph)
{
    graph.SetPlotting(false);
    graph.XAxis.SetStepSize(5);
    graph.XAxis.SetGridlines(false);
    graph.YAxis.SetStepSize(5);
    graph.YAxis.SetGridlines(false);
    graph.Appearance.SetShowGraphTitle(false);
    graph.XAxis.SetShowTitle(false);
    graph.YAxis.SetShowTitle(false);
    graph.SetSeriesPoints(1, true, 4, TSeries::ShapeSquare, true, clRed);
    graph.AddPoint(1, true, 5, 5);
    graph.AddPoint(1, true, 10, 2);
    graph.SetPlotting(true);
    const std::vector<std::string> expected = {
        // panel face and border
        "NoClip", "Pen 16777215 0 1", "Brush 16777215 solid", "Rectangle 0,0 240,170", "Pen 0 0 1",
        "Brush 16777215 clear", "Rectangle 0,0 240,170",
        // X axis: ticks at 0, 5, 10, 15, labels, axis line
        "Pen 0 0 1", "MoveTo 40,130", "LineTo 40,134", "MoveTo 90,130", "LineTo 90,134", "MoveTo 140,130",
        "LineTo 140,134", "MoveTo 190,130", "LineTo 190,134", "Text 37,136 0", "Text 87,136 5", "Text 134,136 10",
        "Text 184,136 15", "Pen 0 0 1", "MoveTo 40,130", "LineTo 225,130",
        // Y axis: ticks at 0, 5, 10, labels, axis line
        "Pen 0 0 1", "MoveTo 40,130", "LineTo 36,130", "MoveTo 40,80", "LineTo 36,80", "MoveTo 40,30",
        "LineTo 36,30", "Text 28,125 0", "Text 28,75 5", "Text 22,25 10", "Pen 0 0 1", "MoveTo 40,130",
        "LineTo 40,30",
        // the second Y axis is hidden; series 1: line, then markers
        "Clip 40,30 226,131", "Pen 32768 0 1", "Segments 90,80 140,110", "NoClip", "Pen 255 0 1",
        "Brush 255 solid", "Polygon 88,78 92,78 92,82 88,82", "Polygon 138,108 142,108 142,112 138,112",
        "Brush 16777215 clear", "Pen 255 0 1"};
    EXPECT_EQ(Paint().calls, expected);
}

TEST_F(GraphFixture, PlotOffGraphDrawsWithoutClipping)
{
    graph.Appearance.SetPlotOffGraph(true);
    graph.AddPoint(1, true, 1, 50);
    graph.AddPoint(1, true, 2, 60);
    const RecordingCanvas canvas = Paint();
    EXPECT_FALSE(canvas.HasPrefix("Clip"));
    EXPECT_TRUE(canvas.Has("Polygon 48,-372 52,-372 52,-368 48,-368")); // marker above the plot area
}

TEST_F(GraphFixture, LogErrorSkipsASeriesWithNonPositiveValues)
{
    std::vector<int> errors;
    graph.OnLogError = [&](TSeries&, int index) { errors.push_back(index); };
    graph.SetPlotting(false);
    graph.YAxis.SetLogScale(true);
    graph.YAxis.SetMin(1);
    graph.AddPoint(2, true, 1, 0);
    graph.AddPoint(2, true, 2, 5);
    graph.SetPlotting(true);
    EXPECT_FALSE(Paint().HasPrefix("Clip"));
    EXPECT_EQ(errors, std::vector<int>{2});
}

TEST_F(GraphFixture, ClearedSeriesDoesNotStretchAnAutomaticAxis)
{
    graph.SetPlotting(false);
    graph.YAxis.SetAutoSizing(true);
    graph.AddPoint(1, true, 1, 1000);
    graph.AddPoint(2, true, 1, 220);
    graph.AddPoint(2, true, 2, 240);
    graph.GetSeries(1).Clear();
    graph.SetPlotting(true);
    EXPECT_LT(graph.YAxis.Max(), 300);
    EXPECT_GT(graph.YAxis.Min(), 100);
}

TEST_F(GraphFixture, CoarseDateTicksFollowALongRange)
{
    const double start = DateSerial(2024, 1, 3) + 0.5;
    graph.SetPlotting(false);
    graph.XAxis.SetShowAsTime(true);
    graph.XAxis.SetDateTickType(dt_minute);
    graph.XAxis.SetMin(start);
    graph.XAxis.SetMax(start + 90);
    graph.SetPlotting(true);
    EXPECT_EQ(graph.XAxis.DateTickType(), dt_weekly);
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", graph.XAxis.Min()), "31/12/2023"); // Sunday before
    EXPECT_EQ(FormatDateTime("dd/mm/yyyy", graph.XAxis.Max()), "07/04/2024"); // Sunday after
}

TEST_F(GraphFixture, ShiftDragZoomsAndAShortBandRestores)
{
    graph.XAxis.SetAutoSizing(false);
    graph.MouseDown(TMouseButton::mbLeft, ssShift, 60, 40);
    EXPECT_TRUE(graph.Zooming());
    EXPECT_TRUE(graph.Zoomed());
    graph.MouseMove(ssShift, 50, 90);
    EXPECT_EQ(graph.ZoomRect(), (TGraphRect{50, 40, 60, 90}));
    graph.MouseMove(ssShift, 140, 80);
    graph.MouseUp(TMouseButton::mbLeft, ssShift, 140, 80);
    EXPECT_FALSE(graph.Zooming());
    EXPECT_TRUE(graph.ZoomRect().Empty());
    EXPECT_DOUBLE_EQ(graph.XAxis.Min(), 2);
    EXPECT_DOUBLE_EQ(graph.XAxis.Max(), 10);
    EXPECT_DOUBLE_EQ(graph.YAxis.Min(), 5);
    EXPECT_DOUBLE_EQ(graph.YAxis.Max(), 9);

    // 3 wide and 50 high: not a band, back to the saved ranges.
    graph.MouseDown(TMouseButton::mbLeft, ssShift, 100, 40);
    graph.MouseUp(TMouseButton::mbLeft, ssShift, 103, 90);
    EXPECT_FALSE(graph.Zoomed());
    EXPECT_EQ(graph.XAxis.Min(), 0);
    EXPECT_EQ(graph.XAxis.Max(), 18.5);
    EXPECT_EQ(graph.YAxis.Max(), 10);
}

TEST_F(GraphFixture, SecondZoomKeepsTheFirstSavedStateWithItsAutoSizing)
{
    graph.YAxis.SetAutoSizing(true);
    graph.AddPoint(1, true, 1, 3);
    graph.AddPoint(1, true, 15, 7);
    const double yMin = graph.YAxis.Min(), yMax = graph.YAxis.Max();
    for (int drag = 0; drag < 2; ++drag) {
        graph.MouseDown(TMouseButton::mbLeft, ssShift, 60, 40);
        graph.MouseUp(TMouseButton::mbLeft, ssShift, 200, 120);
    }
    EXPECT_FALSE(graph.YAxis.AutoSizing());
    graph.MouseDown(TMouseButton::mbLeft, ssShift, 100, 60);
    graph.MouseUp(TMouseButton::mbLeft, ssShift, 100, 60);
    EXPECT_TRUE(graph.YAxis.AutoSizing());
    EXPECT_EQ(graph.YAxis.Min(), yMin);
    EXPECT_EQ(graph.YAxis.Max(), yMax);
    EXPECT_EQ(graph.XAxis.Min(), 0);
    EXPECT_EQ(graph.XAxis.Max(), 18.5);
}

TEST_F(GraphFixture, CursorSnapsToTheNearestPointOfTheFirstVisibleSeries)
{
    graph.AddPoint(2, true, 4, 5);
    graph.AddPoint(2, true, 8, 5);
    std::vector<int> downs;
    graph.OnMouseDown = [&](TMouseButton, TShiftState, int x, int) { downs.push_back(x); };
    graph.MouseDown(TMouseButton::mbLeft, 0, 105, 60); // XCursor off: nothing placed
    EXPECT_EQ(graph.CursorX, 0);
    graph.SetXCursor(true);
    graph.MouseDown(TMouseButton::mbLeft, 0, 105, 60); // x = 6.5: nearer to 8 than to 4
    EXPECT_EQ(graph.CursorX, 120);
    EXPECT_TRUE(graph.CursorLineShown());
    RecordingCanvas overlay;
    graph.DrawOverlay(overlay);
    EXPECT_TRUE(overlay.Has("MoveTo 120,130"));
    EXPECT_TRUE(overlay.Has("LineTo 120,30"));
    EXPECT_EQ(downs, (std::vector<int>{105, 105}));

    graph.Repaint(); // the paint keeps the line where it snapped
    EXPECT_TRUE(graph.CursorLineShown());
    graph.SetXCursor(false);
    EXPECT_EQ(graph.CursorX, 0);
    EXPECT_FALSE(graph.CursorLineShown());
}

TEST_F(GraphFixture, CursorStaysOnItsPointWhenTheGraphIsResized)
{
    graph.AddPoint(1, true, 4, 5);
    graph.AddPoint(1, true, 8, 5);
    graph.SetXCursor(true);
    graph.MouseDown(TMouseButton::mbLeft, 0, 115, 60); // x = 7.5: snaps to 8, column 120
    ASSERT_EQ(graph.CursorX, 120);

    // Twice as wide: 20 pixels per unit, so 8 lies at column 40 + 160 = 200; the old column
    // 120 would now be x = 4, the other point.
    graph.SetSize(425, 170);
    EXPECT_TRUE(graph.CursorLineShown());
    EXPECT_EQ(graph.CursorX, 200);
    RecordingCanvas overlay;
    graph.DrawOverlay(overlay);
    EXPECT_TRUE(overlay.Has("MoveTo 200,130"));

    graph.SetSize(240, 170); // and back
    EXPECT_EQ(graph.CursorX, 120);
}

TEST_F(GraphFixture, CursorOutsideThePlotAreaOrWithoutSeriesIsNotPlaced)
{
    graph.SetXCursor(true);
    graph.MouseDown(TMouseButton::mbLeft, 0, 95, 60); // no series at all
    EXPECT_EQ(graph.CursorX, 0);
    graph.AddPoint(1, true, 4, 5);
    graph.MouseDown(TMouseButton::mbLeft, 0, 20, 60); // in the left margin
    EXPECT_EQ(graph.CursorX, 0);
}

TEST_F(GraphFixture, NoCursorLineOverTheImpossibleRangeCaption)
{
    graph.AddPoint(1, true, 4, 5);
    graph.SetXCursor(true);
    graph.YAxis.SetMax(0); // Min = Max = 0
    graph.MouseDown(TMouseButton::mbLeft, 0, 105, 60);
    EXPECT_FALSE(graph.CursorLineShown());
    RecordingCanvas overlay;
    graph.DrawOverlay(overlay);
    EXPECT_TRUE(overlay.calls.empty());
    graph.YAxis.SetMax(10); // the range is back: the placed cursor shows again
    EXPECT_TRUE(graph.CursorLineShown());
    EXPECT_EQ(graph.CursorX, 80);
}

TEST_F(GraphFixture, CornerPressesSizeOrMoveTheControl)
{
    graph.SetXCursor(true);
    graph.AddPoint(1, true, 4, 5);
    graph.MouseDown(TMouseButton::mbLeft, 0, 235, 165);
    EXPECT_EQ(host.sizeDrags, 1);
    EXPECT_EQ(graph.CursorX, 0);
    EXPECT_EQ(host.cursors, (std::vector<TCursorShape>{TCursorShape::crSizeNWSE, TCursorShape::crDefault}));
    graph.MouseDown(TMouseButton::mbLeft, 0, 5, 5);
    EXPECT_EQ(host.moveDrags, 1);
    graph.SetDragAllowed(false);
    graph.MouseDown(TMouseButton::mbLeft, 0, 235, 165);
    EXPECT_EQ(host.sizeDrags, 1);
}

// Markers keep to the axis ranges: nothing left of X Min, nothing after the first point beyond
// X Max, no cross outside the Y range; a step bar runs to the next point's column, and the last
// one to the column of X Max.
TEST_F(GraphFixture, StepBarsAndMarkersKeepToTheAxisRanges)
{
    graph.SetPlotting(false);
    for (int index : {1, 2}) {
        graph.SetSeriesLine(index, false, clRed, psSolid);
        graph.SetSeriesPoints(index, true, 4, index == 1 ? TSeries::ShapeStepBar : TSeries::ShapeCross, true, clRed);
        for (double x : {-1.0, 2.0, 5.0, 9.0, 20.0}) graph.AddPoint(index, true, x, x > 8 ? 12 : 3);
    }
    graph.SetPlotting(true);
    const std::vector<std::string> calls = Paint().From("Pen 255 0 2");
    const std::vector<std::string> expected = {
        "Pen 255 0 2", "Brush 255 solid",
        "MoveTo 60,100", "LineTo 90,100", "MoveTo 90,100", "LineTo 130,100", "MoveTo 130,10", "LineTo 225,10",
        "Brush 16777215 clear", "Pen 255 0 1",
        "Clip 40,30 226,131", "NoClip", "Pen 255 0 1", "Brush 255 solid",
        "MoveTo 58,100", "LineTo 62,100", "MoveTo 60,98", "LineTo 60,102",
        "MoveTo 88,100", "LineTo 92,100", "MoveTo 90,98", "LineTo 90,102",
        "Brush 16777215 clear", "Pen 255 0 1"};
    EXPECT_EQ(calls, expected);
}

// The second Y axis crosses at X Max with ticks, labels and its upward title on the right.
TEST_F(GraphFixture, SecondYAxisDrawsOnTheRightOfThePlot)
{
    graph.SetPlotting(false);
    graph.YAxis_Second.SetShowAxis(true);
    graph.YAxis_Second.SetShowLabel(true);
    graph.YAxis_Second.SetShowTitle(true);
    graph.YAxis_Second.SetMin(0);
    graph.YAxis_Second.SetMax(100);
    graph.YAxis_Second.SetStepSize(50);
    graph.SetPlotting(true);
    const std::vector<std::string> calls = Paint().From("MoveTo 225,130");
    const std::vector<std::string> expected = {
        "MoveTo 225,130", "LineTo 229,130", "MoveTo 225,80", "LineTo 229,80", "MoveTo 225,30", "LineTo 229,30",
        // labels start past the ticks; those too wide for the 15-pixel margin keep inside the control
        "Text 231,125 0", "Text 228,75 50", "Text 222,25 100",
        // left edge past the ticks, the title offset and the first label's width
        "TextUp 239,119 Second Y axis", "Pen 0 0 1", "MoveTo 225,130", "LineTo 225,30"};
    ASSERT_GE(calls.size(), expected.size());
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + static_cast<std::ptrdiff_t>(expected.size())),
              expected);
}

// Axis titles longer than their room (the plot's height for a Y title, the control's width for the
// X title) are cut with an ellipsis; an X title that fits the control but not centred is moved in.
TEST_F(GraphFixture, AxisTitlesStayInsideTheirRoom)
{
    struct Case {
        int width, height;
        const char* yTitle;
        const char* xTitle;
        const char* yCall;  // after "TextUp <left>,"
        const char* xCall;  // after "Text "
    } cases[] = {
        // a 60-pixel plot (rows 30..90) and a 100-pixel control: both cut, the Y title spans the plot
        {100, 130, "% of fundamental", "Time [days] since the start", "90 % of fu\xE2\x80\xA6", "3,108 Time [days] s\xE2\x80\xA6"},
        // room enough for both: the Y title centred on the plot (rows 30..130), the X title moved in
        {200, 170, "Unbalance %", "Time [days] since the start of it", "113 Unbalance %", "1,148 Time [days] since the start of it"},
        // an ellipsis alone does not fit: nothing is written
        {100, 87, "Unbalance %", "Time", "38 ", "50,65 Time"},
    };
    for (const Case& c : cases) {
        graph.SetSize(c.width, c.height);
        graph.YAxis.SetTitle(c.yTitle);
        graph.XAxis.SetTitle(c.xTitle);
        const RecordingCanvas canvas = Paint();
        const std::vector<std::string> up = canvas.From("TextUp ");
        ASSERT_FALSE(up.empty()) << c.yTitle;
        EXPECT_EQ(up.front().substr(up.front().find(',') + 1), c.yCall) << c.height;
        EXPECT_TRUE(canvas.Has(std::string("Text ") + c.xCall)) << c.width << " " << c.xTitle;
    }
}

TEST_F(GraphFixture, InfiniteRangeShowsTheCaptionInsteadOfAnEmptyAxis)
{
    graph.XAxis.SetMax(HUGE_VAL);
    EXPECT_EQ(graph.Caption(), "X-AXIS: MAX/MIN VALUES INCONSISTENT");
    graph.XAxis.SetMax(18.5);
    EXPECT_EQ(graph.Caption(), "");
}

TEST_F(GraphFixture, StepBoundsAndTickLengthFollowTheirRules)
{
    struct Case { int minSteps, maxSteps, wantMin, wantMax; };
    // MinSteps only below MaxSteps / 2.5 and not 0; MaxSteps only above 2.5 x MinSteps, at most 90.
    for (const Case c : {Case{19, 50, 19, 50}, Case{20, 50, 5, 50}, Case{0, 50, 5, 50}, Case{5, 12, 5, 50},
                         Case{5, 13, 5, 13}, Case{5, 91, 5, 50}, Case{5, 90, 5, 90}}) {
        GraphEngine fresh;
        fresh.Appearance.SetMaxSteps(c.maxSteps);
        fresh.Appearance.SetMinSteps(c.minSteps);
        EXPECT_EQ(fresh.Appearance.MinSteps(), c.wantMin) << c.minSteps << " " << c.maxSteps;
        EXPECT_EQ(fresh.Appearance.MaxSteps(), c.wantMax) << c.minSteps << " " << c.maxSteps;
    }
    graph.Dimensions.SetTickLength(0);
    EXPECT_FALSE(graph.Appearance.ShowTicks());
    graph.Dimensions.SetPrintScalePct(5);
    EXPECT_EQ(graph.Dimensions.PrintScalePct(), 20);
}

// A dense line's per-column summary is kept between paints: after each change of the points,
// of the X scaling, of the Y scaling or of the margins, the graph paints what a graph given the
// same state afresh paints.
TEST(GraphSummary, KeptLineSummaryFollowsEveryChange)
{
    using Change = void (*)(GraphEngine&);
    const Change changes[] = {
        [](GraphEngine& g) {  // dense points: 2000 over 185 columns
            g.SetSeriesPoints(1, false, 1, 1, true, clGreen);
            for (int i = 0; i < 2000; ++i) g.AddPoint(1, true, i * 0.01, 5 + 4 * std::sin(i / 30.0));
        },
        [](GraphEngine& g) { g.AddPoint(1, true, 25, 9); },
        [](GraphEngine& g) { g.AddPoint(1, false, 7.005, 1); },  // a lifted pen in the middle
        [](GraphEngine& g) { g.XAxis.SetMin(4); g.XAxis.SetMax(9); },
        [](GraphEngine& g) { g.YAxis.SetMin(2); g.YAxis.SetMax(8); },
        [](GraphEngine& g) { g.Dimensions.SetLeftMargin(60); },
        [](GraphEngine& g) { g.SetSize(300, 170); },
        [](GraphEngine& g) {
            g.GetSeries(1).Clear();
            const TSharedXs xs(std::vector<double>{4, 5, 6, 6.001, 6.002, 8});
            const auto ys = std::make_shared<const std::vector<float>>(std::vector<float>{3, 4, 5, 7, 2, 6});
            g.AddPoints(1, xs, TSharedYs(std::shared_ptr<const float>(ys, ys->data()), ys->size()));
        },
    };
    GraphEngine kept;
    SetUpSmallGraph(kept);
    for (std::size_t step = 0; step < std::size(changes); ++step) {
        SCOPED_TRACE(step);
        kept.SetPlotting(false);
        changes[step](kept);
        kept.SetPlotting(true);
        GraphEngine fresh;
        SetUpSmallGraph(fresh);
        fresh.SetPlotting(false);
        for (std::size_t k = 0; k <= step; ++k) changes[k](fresh);
        fresh.SetPlotting(true);
        RecordingCanvas keptPaint, freshPaint;
        kept.Draw(keptPaint);
        fresh.Draw(freshPaint);
        EXPECT_EQ(keptPaint.From("Clip"), freshPaint.From("Clip"));
    }
}
