// Zoom by band, the measuring cursor, the density curve of the cursor record and printing.
#include "view_test_support.h"

#include "graph/zr_graph.h"
#include "views/curve_form.h"
#include "views/density_curve.h"
#include "views/trend_buttons.h"
#include "views/trend_cursor.h"

#include <QLabel>
#include <QToolButton>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <gtest/gtest.h>
#include <numeric>

namespace {
int Column(TShowVForm& v, double minutes) { return v.Chart->XToPixel(v.FullWindow().FirstTime + minutes * kOneMinute); }

void Band(TShowVForm& v, int from, int to)
{
    v.ChartMouseDown(TMouseButton::mbLeft, from, 100);
    v.ChartMouseMove(to, 100);
    v.ChartMouseUp(to, 100);
}
}  // namespace

TEST(TrendButtons, ZoomAndCursorExcludeEachOther)
{
    EXPECT_FALSE(TrendButtons({.AnyTrace = false}).ZoomInEnabled);
    EXPECT_FALSE(TrendButtons({.AnyTrace = true, .CursorOn = true}).ZoomInEnabled);
    EXPECT_FALSE(TrendButtons({.AnyTrace = true, .ZoomMode = true}).MeasEnabled);
    EXPECT_TRUE(TrendButtons({.AnyTrace = true, .CursorOn = true, .HasCurve = true}).CurveEnabled);
    EXPECT_FALSE(TrendButtons({.AnyTrace = true, .CursorOn = true, .Zoomed = true}).ZoomOutEnabled);
}

TEST(TrendZoom, BandOrderedWhicheverWayDragged)
{
    VoltageViewFixture f({.count = 60});
    TShowVForm& v = f.Open();
    v.ApplyTraces(ChooseTraces(v, 1));
    v.SetZoom(true);
    Band(v, Column(v, 300), Column(v, 100));  // right to left
    ASSERT_TRUE(v.Zoomed());
    EXPECT_FALSE(v.ZoomMode());
    EXPECT_LT(v.ZoomWindow().FirstTime, v.ZoomWindow().LastTime);
    EXPECT_NEAR(v.ZoomWindow().FirstTime, v.FullWindow().FirstTime + 100 * kOneMinute, 1e-6);
    EXPECT_NEAR(v.ZoomWindow().LastTime, v.FullWindow().FirstTime + 300 * kOneMinute, 1e-6);
    EXPECT_EQ(v.ZoomRecords(), 21u);
    EXPECT_EQ(v.LabelRecordsZoom->text(), "Records: 21");

    v.SetZoom(false);
    EXPECT_FALSE(v.Zoomed());
    EXPECT_EQ(v.ZoomWindow(), v.FullWindow());
    EXPECT_EQ(v.ZoomRecords(), 60u);
}

TEST(TrendZoom, BandWithoutWidthOrNarrowerThanARecordChangesNothing)
{
    VoltageViewFixture f({.count = 60});
    TShowVForm& v = f.Open();
    v.ApplyTraces(ChooseTraces(v, 1));
    v.SetZoom(true);
    Band(v, Column(v, 200), Column(v, 200));
    EXPECT_FALSE(v.Zoomed());
    EXPECT_TRUE(v.ZoomMode());
    const int a = Column(v, 200), b = Column(v, 202);  // both snap to the 10:00 + 200 min record
    ASSERT_NE(a, b);
    Band(v, a, b);
    EXPECT_FALSE(v.Zoomed());
    EXPECT_TRUE(v.ZoomMode());
    EXPECT_EQ(v.ZoomWindow(), v.FullWindow());
}

TEST(TrendCursor, KeyStepsRulesAtBothEnds)
{
    const TRecordWindow full{8, 608, 1.0, 2.0};
    EXPECT_EQ(CursorKeyStep(false, 1.0, full, full), 0);   // Left on the first point
    EXPECT_EQ(CursorKeyStep(true, 1.0, full, full), 1);
    EXPECT_EQ(CursorKeyStep(true, 2.0, full, full), 0);    // Right on the last point
    EXPECT_EQ(CursorKeyStep(false, 2.0, full, full), -1);
    const TRecordWindow one{8, 8, 1.0, 1.0};
    EXPECT_EQ(CursorKeyStep(true, 1.0, one, one), 1);       // no point of that id: nothing moves
}

TEST(TrendCursor, ClickAndKeysReadTheRecordsAcrossGaps)
{
    VoltageViewFixture f({.count = 10, .missing = {3}});
    TShowVForm& v = f.Open();
    v.ApplyTraces(ChooseTraces(v, 2));
    v.ToggleCursor();
    EXPECT_TRUE(v.CursorOn());
    v.ChartMouseDown(TMouseButton::mbLeft, Column(v, 20), 100);
    EXPECT_EQ(v.CursorPoint().Id, 3);
    EXPECT_EQ(v.CursorLabels[0]->text(), "232.00 V");
    EXPECT_EQ(v.LabelCursTime->text(), "15/03 10:20");
    v.FormKeyDown(Qt::Key_Right, {});  // over the missing 10:30 to 10:40
    EXPECT_EQ(v.CursorPoint().Id, 4);
    EXPECT_EQ(v.LabelCursTime->text(), "15/03 10:40");
    EXPECT_EQ(v.CursorLabels[1]->text(), "234.00 V");
    EXPECT_DOUBLE_EQ(v.CurveTime(), v.CursorPoint().X);
    v.FormKeyDown(Qt::Key_Right, Qt::ShiftModifier);  // Shift held: nothing
    EXPECT_EQ(v.CursorPoint().Id, 4);

    v.ChartMouseDown(TMouseButton::mbLeft, Column(v, 2), 100);
    v.FormKeyDown(Qt::Key_Left, {});
    EXPECT_EQ(v.CursorPoint().Id, 1);
    v.ChartMouseDown(TMouseButton::mbLeft, Column(v, 88), 100);
    EXPECT_EQ(v.CursorPoint().Id, 9);
    v.FormKeyDown(Qt::Key_Right, {});
    EXPECT_EQ(v.CursorPoint().Id, 9);
}

TEST(CurveRange, StepsStayWholeAndInsideTheBlock)
{
    EXPECT_EQ(FullCurveRange(120, -30, 0.5f).Step(), 10);
    EXPECT_EQ(FullCurveRange(150, -15, 0.2f).Step(), 25);   // not 24 from 24.99...
    EXPECT_EQ(FullCurveRange(100, 0, 0.1f).Step(), 50);
    TCurveRange r = FullCurveRange(120, -30, 0.5f);
    EXPECT_FALSE(r.CanExpandLeft());
    EXPECT_FALSE(r.CanExpandRight());
    r.CompressLeft();
    EXPECT_DOUBLE_EQ(r.ViewStart(), -25);
    EXPECT_TRUE(r.CanExpandLeft());
    for (int i = 0; i < 20; ++i) r.CompressRight();
    EXPECT_EQ(r.ViewCount, 10);  // never below one step
    EXPECT_FALSE(r.CanCompress());
    for (int i = 0; i < 20; ++i) r.ExpandRight();
    EXPECT_EQ(r.FirstClass + r.ViewCount - 1, 120);
}

// The frequency curve compressed to -5 % .. 10 % keeps its -5 % label like the voltage curve's
// -20 % end: the labels go on the step's multiples inside the axis, and both ends get one even
// after single-precision class widths, moved by no more than their rounding.
TEST(CurveRange, AxisEndsKeepTheirLabels)
{
    struct Case {
        int classCount;
        double firstValue;
        float classWidth;
        int compressLeft, compressRight;
        double firstLabel, lastLabel, step;
    } cases[] = {
        {150, -15, 0.2f, 2, 1, -5, 10, 5},
        {150, -15, 0.2f, 0, 2, -15, 5, 5},
        {120, -30, 0.5f, 2, 0, -20, 30, 10},
        {120, -30, 0.5f, 1, 0, -20, 30, 10},  // -25 is no multiple of 10: the first label is inside
        {100, 0, 0.1f, 0, 0, 0, 10, 2},
    };
    for (const Case& c : cases) {
        TCurveRange r = FullCurveRange(c.classCount, c.firstValue, c.classWidth);
        for (int i = 0; i < c.compressLeft; ++i) r.CompressLeft();
        for (int i = 0; i < c.compressRight; ++i) r.CompressRight();
        const double from = r.ViewStart(), to = r.ViewStart() + r.ViewCount * r.ClassWidth;
        const TCurveAxis axis = DensityCurveAxis(from, to);
        EXPECT_EQ(axis.TickInterval, c.step) << c.firstValue;
        EXPECT_EQ(std::ceil(axis.Min / axis.TickInterval) * axis.TickInterval, c.firstLabel) << from;
        EXPECT_EQ(std::floor(axis.Max / axis.TickInterval) * axis.TickInterval, c.lastLabel) << to;
        EXPECT_NEAR(axis.Min, from, 1e-6);
        EXPECT_NEAR(axis.Max, to, 1e-6);
    }
    // An end off the step, or just outside a multiple of it, stays where the classes put it.
    EXPECT_EQ(DensityCurveAxis(-4.5, 10).Min, -4.5);
    EXPECT_EQ(DensityCurveAxis(-5.0000001, 10).Min, -5.0000001);
}

TEST(CurveForm, DensityOfTheCursorRecord)
{
    std::vector<std::int32_t> curve(120, 0);
    curve[59] = 30;
    curve[60] = 50;
    curve[61] = 20;
    VoltageViewFixture f({.count = 5, .flags = 2 | 32, .curve = curve, .curveTotal = 100});
    TShowVForm& v = f.Open();
    ASSERT_TRUE(v.HasCurve());
    TCurveForm form;
    form.SetCurveHeader(v.ValuesBlock().FileInfo, MeasureVoltage, true, v.FullWindow().FirstTime);
    form.ShowDensity(8 + v.Columns().CurveOffset, v.Columns().PhaseStride, 120, -30, 0.5f);
    EXPECT_EQ(form.windowTitle(), "Density Curve");
    ASSERT_EQ(form.Points().size(), 121u);
    EXPECT_DOUBLE_EQ(form.Points()[0].X, -30);
    EXPECT_DOUBLE_EQ(form.Points()[1].X, -29.5);
    EXPECT_DOUBLE_EQ(form.Points()[60].Y, 50);
    EXPECT_DOUBLE_EQ(form.Points().back().X, 30);
    EXPECT_DOUBLE_EQ(form.Points().back().Y, 0);
    double sum = 0;
    for (const TCurvePoint& p : form.Points()) sum += p.Y;
    EXPECT_NEAR(sum, 100, 1e-9);
    EXPECT_EQ(form.FootLines()[1], "Channel: L1");
    EXPECT_EQ(form.FootLines()[2], "Date: 15/03/2024 10:00");
    form.BtnMaxLeftClick();
    EXPECT_DOUBLE_EQ(form.Points()[0].X, -25);
    EXPECT_TRUE(form.BtnMinLeft->isEnabled());
    form.BtnPhaseClick(2);
    EXPECT_FALSE(form.NotAvailable());
    EXPECT_EQ(form.FootLines()[1], "Channel: L3");
}

TEST(CurveForm, EmptyBlockIsNotAvailableAndABlockPastTheFileIsNeverRead)
{
    VoltageViewFixture f({.count = 2, .flags = 2 | 32, .curve = {}, .curveTotal = 0});
    TShowVForm& v = f.Open();
    TCurveForm form;
    form.SetCurveHeader(v.ValuesBlock().FileInfo, MeasureVoltage, false, 0);
    form.ShowDensity(8 + v.Columns().CurveOffset, 0, 120, -30, 0.5f);
    EXPECT_TRUE(form.NotAvailable());
    EXPECT_FALSE(form.BtnPhase[1]->isEnabled());
    TCurveForm past;
    past.SetCurveHeader(v.ValuesBlock().FileInfo, MeasureVoltage, false, 0);
    past.ShowDensity(8 + 2 * 1524 - 100, 0, 120, -30, 0.5f);  // runs past the last record
    EXPECT_TRUE(past.NotAvailable());
}

TEST(TrendPrint, OnePdfPageWithTitleAndPrintedOn)
{
    VoltageViewFixture f({.count = 20});
    TShowVForm& v = f.Open();
    v.ApplyTraces(ChooseTraces(v, 3));
    const std::string pdf = f.dir / "page.pdf";
    f.messages.PrintTo(PrintChoice{.outputFile = pdf});
    const QSize before = v.size();
    v.PrintView();
    EXPECT_EQ(v.size(), before);
    EXPECT_FALSE(v.Frame.PanelInfo->isVisibleTo(&v));
    const std::string info = CommandOutput("pdfinfo '" + pdf + "'");
    EXPECT_NE(info.find("Pages:           1"), std::string::npos);
    EXPECT_NE(info.find("Title:           " + v.windowTitle().toStdString()), std::string::npos);
    const std::string text = CommandOutput("pdftotext '" + pdf + "' -");
    EXPECT_NE(text.find("Measure: Voltage"), std::string::npos);
    EXPECT_NE(text.find("Survey: <test.orv>"), std::string::npos);
    EXPECT_NE(text.find("Printed on: "), std::string::npos);

    // Cancel prints nothing.
    const std::string none = f.dir / "none.pdf";
    v.PrintView();
    EXPECT_FALSE(std::ifstream(none).good());
}

TEST(TrendCursor, OneRecordWindowAndNoVisibleSeriesLeaveTheCursorAlone)
{
    VoltageViewFixture f({.count = 1});
    TShowVForm& v = f.Open();
    EXPECT_EQ(v.ValuesBlock().PeriodRecords, 1u);
    EXPECT_EQ(v.ZoomWindow().FirstPos, v.ZoomWindow().LastPos);
    v.ToggleCursor();  // no trace: a click and the keys find no series
    v.ChartMouseDown(TMouseButton::mbLeft, v.Chart->Width() / 2, 100);
    v.FormKeyDown(Qt::Key_Right, {});
    EXPECT_EQ(v.CursorPoint().Id, 0);
    EXPECT_TRUE(v.LabelCursTime->text().isEmpty());
    v.ToggleCursor();

    v.ApplyTraces(ChooseTraces(v, 1));
    v.ToggleCursor();
    v.ChartMouseDown(TMouseButton::mbLeft, v.Chart->Width() / 2, 100);
    if (const char* folder = std::getenv("ORV_GRAB_DIR")) v.grab().save(QString(folder) + "/one_record.png");
    ASSERT_EQ(v.CursorPoint().Id, 1);
    const QString value = v.CursorLabels[0]->text();
    for (int key : {Qt::Key_Left, Qt::Key_Right}) {
        v.FormKeyDown(key, {});
        EXPECT_EQ(v.CursorPoint().Id, 1);
        EXPECT_EQ(v.CursorLabels[0]->text(), value);
    }
    if (const char* folder = std::getenv("ORV_GRAB_DIR")) v.grab().save(QString(folder) + "/one_record.png");
}
