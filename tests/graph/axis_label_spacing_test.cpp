// Axis labels at the drawn size: crowded labels are thinned to every n-th tick on round values,
// with every tick and grid line kept, and no label leaves the control.
#include "graph/calendar_dates.h"
#include "graph/graph_engine.h"
#include "recording_canvas.h"

#include <gtest/gtest.h>

#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace {

struct LabelBox {
    int x = 0, y = 0, w = 0, h = 0;
    std::string text;
};

// The recording canvas's text boxes: 6 pixels per character, 10 high.
std::vector<LabelBox> Labels(const RecordingCanvas& canvas)
{
    std::vector<LabelBox> boxes;
    for (const std::string& call : canvas.calls) {
        if (call.rfind("Text ", 0) != 0) continue;
        LabelBox b;
        char comma = 0;
        std::istringstream in(call.substr(5));
        in >> b.x >> comma >> b.y;
        in.get();
        std::getline(in, b.text);
        b.w = 6 * static_cast<int>(b.text.size());
        b.h = 10;
        boxes.push_back(b);
    }
    return boxes;
}

std::vector<std::string> Texts(const std::vector<LabelBox>& boxes)
{
    std::vector<std::string> texts;
    for (const LabelBox& b : boxes) texts.push_back(b.text);
    return texts;
}

bool Intersect(const LabelBox& a, const LabelBox& b)
{
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

// A graph of the given size with labels only (no titles), set up by `axes`.
RecordingCanvas PaintGraph(int width, int height, const std::function<void(GraphEngine&)>& axes)
{
    GraphEngine graph;
    graph.SetSize(width, height);
    graph.SetPlotting(false);
    graph.Appearance.SetShowGraphTitle(false);
    for (TAxis* axis : {&graph.XAxis, &graph.YAxis}) axis->SetShowTitle(false);
    axes(graph);
    graph.SetPlotting(true);
    EXPECT_EQ(graph.Caption(), "");
    RecordingCanvas canvas;
    graph.Draw(canvas);
    return canvas;
}

void DateX(GraphEngine& g, double from, double to, Dateticks unit, const char* format)
{
    g.XAxis.SetShowAsTime(true);
    g.XAxis.SetDateTimeFormat(format);
    g.XAxis.SetDateTickType(unit);
    g.XAxis.SetMin(from);
    g.XAxis.SetMax(to);
}

void LinearY(GraphEngine& g, double from, double to, double step)
{
    g.YAxis.SetMin(from);
    g.YAxis.SetMax(to);
    g.YAxis.SetStepSize(step);
}

void LogAxis(TAxis& axis, double from, double to)
{
    axis.SetLogScale(true);
    axis.SetMin(from);
    axis.SetMax(to);
}

double YearStart() { return DateSerial(2023, 1, 1); }
double YearEnd() { return DateSerial(2023, 12, 31) + TimeFraction(23, 59, 0, 0); }

// The X tick marks: four pixels down from the axis row.
int XTickMarks(const RecordingCanvas& canvas, int row)
{
    int marks = 0;
    for (const std::string& call : canvas.calls)
        if (call.rfind("LineTo ", 0) == 0 && call.size() > 7 && call.substr(call.find(',') + 1) == std::to_string(row + 4)) ++marks;
    return marks;
}

} // namespace

TEST(AxisLabelSpacing, NoLabelTouchesAnotherOrLeavesTheControl)
{
    struct Case {
        const char* name;
        int width, height;
        std::function<void(GraphEngine&)> axes;
    };
    const double threeDays = DateSerial(2024, 3, 15);
    const std::vector<Case> cases = {
        {"a year at 620 px", 620, 400, [](GraphEngine& g) { DateX(g, YearStart(), YearEnd(), dt_monthly, "mmm dd"); }},
        {"a year in the opening view's 430 px", 430, 344,
         [](GraphEngine& g) { DateX(g, YearStart(), YearEnd(), dt_monthly, "mmm dd"); LinearY(g, 224, 236, 1); }},
        {"a year tiled at 230 px", 230, 150,
         [](GraphEngine& g) { DateX(g, YearStart(), YearEnd(), dt_monthly, "mmm dd"); LinearY(g, 224, 236, 1); }},
        {"a week at 300 px", 300, 200,
         [](GraphEngine& g) { DateX(g, DateSerial(2024, 3, 4), DateSerial(2024, 3, 11), dt_daily, "mmm dd"); }},
        {"three days of 6-hour ticks at 230 px", 230, 344,
         [&](GraphEngine& g) { DateX(g, threeDays, threeDays + 3 - 1.0 / 1440, dt_6hour, "hh:nn"); }},
        {"an hour of minutes at 300 px", 300, 200,
         [&](GraphEngine& g) { DateX(g, threeDays + 0.5, threeDays + 0.5 + 1.0 / 24, dt_minute, "hh:nn"); }},
        {"six decades on a short log axis", 240, 130, [](GraphEngine& g) { LogAxis(g.YAxis, 1, 1e6); }},
        {"six decades on a narrow log X axis", 160, 200, [](GraphEngine& g) { LogAxis(g.XAxis, 1, 1e6); }},
        {"every log division on a short axis", 240, 110,
         [](GraphEngine& g) { LogAxis(g.YAxis, 1, 100); g.YAxis.SetLogCycleDivisions(9); }},
        {"wide numbers on both linear axes", 200, 120,
         [](GraphEngine& g) { g.XAxis.SetMin(0); g.XAxis.SetMax(20000); g.XAxis.SetStepSize(1000);
                              LinearY(g, -20000, 20000, 2000); }},
        {"fine decimals on a short Y axis", 240, 90, [](GraphEngine& g) { LinearY(g, 0, 1, 0.02); }},
        {"labels on the second Y axis", 240, 120,
         [](GraphEngine& g) { g.YAxis_Second.SetShowAxis(true); g.YAxis_Second.SetShowLabel(true);
                              g.YAxis_Second.SetMin(0); g.YAxis_Second.SetMax(15000); g.YAxis_Second.SetStepSize(500); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::vector<LabelBox> labels = Labels(PaintGraph(c.width, c.height, c.axes));
        EXPECT_GE(labels.size(), 4u);
        for (std::size_t i = 0; i < labels.size(); ++i) {
            const LabelBox& a = labels[i];
            EXPECT_TRUE(a.x >= 0 && a.y >= 0 && a.x + a.w <= c.width && a.y + a.h <= c.height)
                << a.text << " at " << a.x << "," << a.y;
            for (std::size_t j = i + 1; j < labels.size(); ++j)
                EXPECT_FALSE(Intersect(a, labels[j])) << a.text << " at " << a.x << "," << a.y << " and " << labels[j].text
                                                     << " at " << labels[j].x << "," << labels[j].y;
        }
    }
}

// 375 pixels for the year: a month is about 31 pixels, a label of 36 pixels needs two. Every
// month keeps its tick; the closing 1 January is moved in from the control's edge.
TEST(AxisLabelSpacing, YearAtTheOpeningSizeLabelsEveryOtherMonth)
{
    const RecordingCanvas canvas = PaintGraph(430, 344, [](GraphEngine& g) {
        DateX(g, YearStart(), YearEnd(), dt_monthly, "mmm dd");
        g.YAxis.SetShowLabel(false);
    });
    const std::vector<LabelBox> labels = Labels(canvas);
    EXPECT_EQ(Texts(labels), (std::vector<std::string>{"Jan 01", "Mar 01", "May 01", "Jul 01", "Sep 01", "Nov 01", "Jan 01"}));
    EXPECT_EQ(labels.back().x, 430 - 36);
    EXPECT_EQ(XTickMarks(canvas, 344 - 40), 13);
}

// Six decades in 60 pixels: 10 pixels a decade is too close for labels 10 high, so every
// second decade is labelled; all 19 divisions keep their ticks.
TEST(AxisLabelSpacing, ShortLogAxisLabelsEverySecondDecade)
{
    const RecordingCanvas canvas = PaintGraph(240, 130, [](GraphEngine& g) {
        LogAxis(g.YAxis, 1, 1e6);
        g.XAxis.SetShowLabel(false);
    });
    EXPECT_EQ(Texts(Labels(canvas)), (std::vector<std::string>{"1", "100", "1.0E+4", "1.0E+6"}));
    int yTicks = 0;
    for (const std::string& call : canvas.calls)
        if (call.rfind("LineTo 36,", 0) == 0) ++yTicks;
    EXPECT_EQ(yTicks, 19);
}

// Labels too close for every other tick step on to round values: 00:00 each day, not every
// third 6-hour tick.
TEST(AxisLabelSpacing, ThinnedTimeLabelsKeepToRoundHours)
{
    const double start = DateSerial(2024, 3, 15);
    const std::vector<LabelBox> labels = Labels(PaintGraph(230, 344, [&](GraphEngine& g) {
        DateX(g, start, start + 3 - 1.0 / 1440, dt_6hour, "hh:nn");
        g.YAxis.SetShowLabel(false);
    }));
    EXPECT_EQ(Texts(labels), (std::vector<std::string>{"00:00", "00:00", "00:00", "00:00"}));
}
