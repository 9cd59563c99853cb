// The voltage view: creation, refusals, plotting with gaps and kilovolts, the legend and the
// values block.
#include "view_test_support.h"

#include "app/main_form.h"
#include "fixtures/selection_fixture.h"
#include "graph/zr_graph.h"
#include "views/trace_settings.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

TEST(VoltageView, NewViewShowsHeadAndNoTrace)
{
    VoltageViewFixture f({.count = 10});
    TShowVForm& v = f.Open();
    EXPECT_FALSE(v.OpenFailed());
    EXPECT_EQ(v.ViewKind(), TViewKind::Voltage);
    EXPECT_TRUE(v.windowTitle().startsWith("Survey File <"));
    EXPECT_TRUE(v.windowTitle().endsWith("> - Voltage"));
    EXPECT_EQ(v.Frame.LabelIni->text(), "Start date: 15/03/2024 10:00");
    EXPECT_EQ(v.Frame.LabelEnd->text(), "Stop date: 15/03/2024 11:30");
    EXPECT_EQ(v.Frame.LabelNRec->text(), "Records: 10  (Rate: 10min)");
    EXPECT_EQ(v.Frame.LabelDescr->text(), "Description: Feeder 3");
    EXPECT_EQ(v.Frame.LabelInfo->text(), "Survey: <test.orv>");
    for (QLabel* l : v.LegendLabels) EXPECT_EQ(l->text(), "none");
    EXPECT_FALSE(v.AnyTrace());
    EXPECT_EQ(v.Chart->FirstVisibleSeries(), 0);
    EXPECT_EQ(v.Chart->YAxis.Title(), "Volt");
    EXPECT_DOUBLE_EQ(v.Chart->XAxis.Min(), ViewStart());

    const TValuesBlock b = v.ValuesBlock();
    EXPECT_EQ(b.SurveyName, "test.orv");
    EXPECT_EQ(b.FileInfo.FileName, f.path);
    EXPECT_EQ(b.PeriodRecords, 10u);
    EXPECT_EQ(b.InfoPrint.RecordsLine, "Records: 10  (Rate: 10min)");
    EXPECT_EQ(b.InfoPrint.SiteLine, "Site: Substation");
    EXPECT_TRUE(f.messages.messages.empty());
}

// A view reads the survey of its context, not the program-wide selection, which a wizard may
// have filled anew by the time the view opens.
TEST(VoltageView, OpensOnItsContextsSelectionNotTheProgramWideOne)
{
    KeptSurveySelection kept;
    VoltageViewFixture f({.count = 10});
    TSurveySelection own = SurveySelection();
    own.Name = "own.orv";
    own.Description = "Feeder 9";
    SurveySelection() = TSurveySelection{};  // no voltage file: a view reading it could not open
    std::unique_ptr<TShowVForm> v = CreateTrendView<TShowVForm>(f.services.Context(own));
    ASSERT_FALSE(v->OpenFailed()) << testing::PrintToString(f.messages.Texts());
    EXPECT_EQ(v->Frame.LabelDescr->text(), "Description: Feeder 9");
    EXPECT_EQ(v->Frame.LabelInfo->text(), "Survey: <own.orv>");
    EXPECT_EQ(v->ValuesBlock().SurveyName, "own.orv");
    EXPECT_EQ(v->ValuesBlock().FileInfo.FileName, f.path);
    EXPECT_EQ(v->ValuesBlock().PeriodRecords, 10u);
}

// The main window opens a view on a copy of the selection; the view's values sheet runs over
// that survey and period even after the program-wide selection has changed.
TEST(VoltageView, KeepsTheSelectionItWasOpenedOnAfterTheProgramWideOneChanges)
{
    KeptSurveySelection kept;
    VoltageViewFixture f({.count = 10});
    const TSurveySelection opened = SurveySelection();
    TMainForm form;
    RegisterTrendViews(form.WindowRegistry);
    std::vector<TSurveySelection> sheetsOn;
    form.WindowRegistry.RoadWindows().ValuesSheet = [&](const TChildContext& context, const TValuesBlock& block,
                                                        int measureKind) -> TChildForm* {
        sheetsOn.push_back(context.Selection());
        EXPECT_EQ(block.SurveyName, "test.orv");
        EXPECT_EQ(measureKind, MeasureVoltage);
        return nullptr;
    };
    form.show();
    form.OpenSurveyViews();
    ASSERT_EQ(form.MdiArea->subWindowList().size(), 1);
    SurveySelection().Name = "next.orv";
    SurveySelection().Start += 7;
    SurveySelection().Stop += 7;
    form.BtnValuesClick();
    ASSERT_EQ(sheetsOn.size(), 1u);
    EXPECT_EQ(sheetsOn[0], opened);
    EXPECT_EQ(form.ActiveChild()->Context().Selection(), opened);
}

TEST(VoltageView, ThreeTracesPlotWithGapsWhereRecordsAreMissing)
{
    VoltageViewFixture f({.count = 10, .missing = {4}});
    TShowVForm& v = f.Open();
    v.ApplyTraces(ChooseTraces(v, 3));
    EXPECT_TRUE(v.AnyTrace());
    EXPECT_EQ(v.ZoomRecords(), 9u);
    EXPECT_EQ(v.LegendLabels[0]->text(), "L1 Average");
    EXPECT_EQ(v.LegendLabels[1]->text(), "L2 Average");
    EXPECT_EQ(v.LegendLabels[2]->text(), "L3 Average");
    EXPECT_EQ(v.LegendLabels[3]->text(), "none");
    for (int s = 1; s <= 3; ++s) {
        const TSeries& series = v.Chart->GetSeries(s);
        ASSERT_EQ(series.Count(), 9);
        const std::vector<std::uint8_t> connects(series.Connects().begin(), series.Connects().end());
        EXPECT_EQ(connects, (std::vector<std::uint8_t>{0, 1, 1, 1, 0, 1, 1, 1, 1})) << s;
    }
    EXPECT_EQ(v.Chart->GetSeries(1).Ys()[0], 230);
    EXPECT_EQ(v.ScalePrefix(), TScalePrefix::None);
    EXPECT_EQ(v.Chart->YAxis.Title(), "Volt");
}

// The times are read once, when the view is created: plots and zooms read their values and
// take the times read then, one array the traces share. A stamp changed after the creation
// (here 10:30 to 10:33, and an average to 300) moves no point, and the new value is plotted.
TEST(VoltageView, PlotsTakeTheTimesReadAtCreation)
{
    VoltageViewFixture f({.count = 10});
    TShowVForm& v = f.Open();
    PatchFile(f.path, 8 + 3 * 60 + 4, {33});
    PatchFile(f.path, 8 + 3 * 60 + 24, {0x00, 0x00, 0x96, 0x43});  // 300.0f
    v.ApplyTraces(ChooseTraces(v, 2));
    const TSeries& l1 = v.Chart->GetSeries(1);
    const TSeries& l2 = v.Chart->GetSeries(2);
    ASSERT_EQ(l1.Count(), 10);
    EXPECT_DOUBLE_EQ(l1.Xs()[3], ViewStart() + 30 * kOneMinute);
    EXPECT_EQ(l1.Ys()[3], 300);
    EXPECT_EQ(l1.Xs().data(), l2.Xs().data());

    v.SetZoom(true);  // a zoom band over records 2 to 5 reads those records only
    const int left = v.Chart->XToPixel(ViewStart() + 20 * kOneMinute), right = v.Chart->XToPixel(ViewStart() + 50 * kOneMinute);
    const int row = v.Chart->Dimensions.TopMargin() + 20;
    v.ChartMouseDown(TMouseButton::mbLeft, left, row);
    v.ChartMouseMove(right, row);
    v.ChartMouseUp(right, row);
    ASSERT_TRUE(v.Zoomed());
    EXPECT_EQ(v.ZoomRecords(), 4u);
    EXPECT_EQ(l1.Count(), 4);
    EXPECT_DOUBLE_EQ(l1.Xs()[1], ViewStart() + 30 * kOneMinute);
    EXPECT_EQ(l1.Ys()[1], 300);
    EXPECT_EQ(l1.Connects()[0], 0);  // the zoomed window's first point joins nothing
    EXPECT_TRUE(f.messages.messages.empty());
}

TEST(VoltageView, KilovoltsForAxisTitleValuesAndReadout)
{
    VoltageViewFixture f({.count = 10, .values = [](int i, int) { return MinAvgMax{0, 11000.0f + i, 0}; }});
    TShowVForm& v = f.Open();
    v.ApplyTraces(ChooseTraces(v, 1));
    EXPECT_EQ(v.ScalePrefix(), TScalePrefix::Thousands);
    EXPECT_EQ(v.Chart->YAxis.Title(), "kVolt");
    EXPECT_DOUBLE_EQ(v.Chart->GetSeries(1).Ys()[0], 11.0);

    // A manual scale below 1000 keeps volts, values undivided.
    TTraceSettings manual = v.Traces();
    manual.Axis1Auto = false;
    manual.Axis1Min = 0;
    manual.Axis1Max = 500;
    v.ApplyTraces(manual);
    EXPECT_EQ(v.ScalePrefix(), TScalePrefix::None);
    EXPECT_EQ(v.Chart->YAxis.Title(), "Volt");
    EXPECT_DOUBLE_EQ(v.Chart->GetSeries(1).Ys()[0], 11000.0);
    EXPECT_DOUBLE_EQ(v.Chart->YAxis.Max(), 500);

    // A manual scale above 1000 in kilovolts: axis, title and values alike.
    manual.Axis1Min = 10000;
    manual.Axis1Max = 12000;
    v.ApplyTraces(manual);
    EXPECT_EQ(v.ScalePrefix(), TScalePrefix::Thousands);
    EXPECT_DOUBLE_EQ(v.Chart->YAxis.Min(), 10);
    EXPECT_DOUBLE_EQ(v.Chart->YAxis.Max(), 12);
    EXPECT_DOUBLE_EQ(v.Chart->GetSeries(1).Ys()[0], 11.0);
}

TEST(VoltageView, ManualScaleAboveKilovoltWithLowValuesStaysInVolts)
{
    // A 0 to 1500 V manual range with 230 V values: the axis must not switch to kV while the
    // values stay in volts.
    VoltageViewFixture f({.count = 5});
    TShowVForm& v = f.Open();
    TTraceSettings s = ChooseTraces(v, 1);
    s.Axis1Auto = false;
    s.Axis1Min = 0;
    s.Axis1Max = 1500;
    v.ApplyTraces(s);
    EXPECT_EQ(v.ScalePrefix(), TScalePrefix::None);
    EXPECT_EQ(v.Chart->YAxis.Title(), "Volt");
    EXPECT_DOUBLE_EQ(v.Chart->YAxis.Max(), 1500);
    EXPECT_DOUBLE_EQ(v.Chart->GetSeries(1).Ys()[0], 230);
}

TEST(VoltageView, UnreadableStampClosesTheViewWithOneMessage)
{
    VoltageViewFixture f({.count = 10});
    PatchFile(f.path, 8 + 5 * 60 + 3, {13});  // record 5: month 13
    TChildForm* view = CreateVoltageView(f.services.Context(), nullptr);
    EXPECT_EQ(view, nullptr);
    EXPECT_EQ(f.messages.Texts(), std::vector<std::string>{"Invalid Date"});
}

TEST(VoltageView, RefusedFileIsNotRead)
{
    VoltageViewFixture f({.count = 10});
    PatchFile(f.path, 4, {11, 0, 0, 0});  // record count no longer matches the end offset
    EXPECT_EQ(CreateVoltageView(f.services.Context(), nullptr), nullptr);
    EXPECT_EQ(f.messages.Texts(), std::vector<std::string>{"Voltage survey is corrupted. Unable to open the file."});
}

namespace {
// A legend label's rectangle in the legend panel's coordinates.
QRect InLegend(const TTrendViewForm& v, const QWidget* label)
{
    return QRect(label->mapTo(v.PanelLegend, QPoint(0, 0)), label->size());
}

// Records at 11 kV with every percentile: the longest trace names beside the widest readouts
// ("11.234 kV").
VoltageSeriesFields PercentileRecords()
{
    return {.count = 60, .flags = 2 | 4 | 8 | 16,
            .values = [](int i, int) { return MinAvgMax{11000.0f + i, 11100.0f + i, 11200.0f + i}; },
            .percentiles = [](int i, int) {
                const float v = 11234.0f + i;
                return std::array<float, 6>{v, v, v, v, v, v};
            }};
}

// Six percentile traces, L1 to L3 in turn, and the cursor on the middle of the graph.
void ShowSixPercentileTraces(TShowVForm& v)
{
    TTraceSettings s = v.Traces();
    for (int k = 0; k < 6; ++k) {
        s.Entries[k].Item = 4 + k;  // "Min Percentile 90%" ... "Max Percentile 99%"
        s.Entries[k].Phase = k % 3;
    }
    ResolveOffsets(s, v.Columns().Columns, v.Columns().StatCount());
    v.ApplyTraces(s);
    v.ToggleCursor();
    v.ChartMouseDown(TMouseButton::mbLeft, v.Chart->Width() / 2, 100);
}
}  // namespace

TEST(TrendLegend, LongNamesShowWholeBesideTheirValues)
{
    VoltageViewFixture f(PercentileRecords());
    TShowVForm& v = f.Open();
    ShowSixPercentileTraces(v);
    QApplication::processEvents();
    if (const char* folder = std::getenv("ORV_GRAB_DIR")) v.grab().save(QString(folder) + "/legend_long_names.png");
    EXPECT_EQ(v.LegendLabels[3]->text(), "L1 Max Percentile 95%");

    // Every shown legend text lies whole inside the legend, and none covers another.
    std::vector<QLabel*> shown;
    for (QLabel* label : v.PanelLegend->findChildren<QLabel*>())
        if (label->isVisible() && !label->text().isEmpty()) shown.push_back(label);
    ASSERT_GE(shown.size(), 14u);  // title, time, six names, six values
    for (QLabel* label : shown) {
        const QString text = label->text();
        EXPECT_TRUE(v.PanelLegend->contentsRect().contains(InLegend(v, label))) << text.toStdString();
        const QFontMetrics m = label->fontMetrics();
        if (label->wordWrap()) {
            EXPECT_LE(label->heightForWidth(label->width()), label->height()) << text.toStdString();
            for (const QString& word : text.split(' ')) EXPECT_LE(m.horizontalAdvance(word), label->width()) << text.toStdString();
        } else {
            EXPECT_LE(m.horizontalAdvance(text), label->width()) << text.toStdString();
        }
        for (QLabel* other : shown)
            if (other != label && other->geometry().intersects(label->geometry()))
                ADD_FAILURE() << text.toStdString() << " covers " << other->text().toStdString();
    }
}

TEST(TrendLegend, NarrowViewNarrowsTheLegendAndCutsItsNames)
{
    // Five views tiled side by side: each about 250 pixels wide.
    VoltageViewFixture f(PercentileRecords());
    TShowVForm& v = f.Open();
    ShowSixPercentileTraces(v);
    QMdiArea area;
    area.resize(1250, 600);
    QMdiSubWindow* sub = area.addSubWindow(f.view.release());  // the area owns the view from here
    area.show();
    sub->setGeometry(0, 0, 250, 600);
    QApplication::processEvents();
    if (const char* folder = std::getenv("ORV_GRAB_DIR")) sub->grab().save(QString(folder) + "/legend_narrow_view.png");

    // The legend gives the graph the larger share, and the whole view stays inside its window.
    EXPECT_LE(v.PanelLegend->width(), v.width() * 2 / 5);
    EXPECT_GE(v.Chart->Width(), v.width() / 2);
    EXPECT_LE(v.PanelLegend->geometry().right(), v.rect().right());
    const char* names[6] = {"L1 Min Percentile 90%", "L2 Max Percentile 90%", "L3 Min Percentile 95%",
                            "L1 Max Percentile 95%", "L2 Min Percentile 99%", "L3 Max Percentile 99%"};
    for (std::size_t k = 0; k < 6; ++k) {
        const TElidedLabel* name = v.LegendLabels[k];
        const QLabel* value = v.CursorLabels[k];
        EXPECT_EQ(name->FullText(), names[k]);
        EXPECT_EQ(name->toolTip(), name->FullText());
        EXPECT_TRUE(name->text().contains(QChar(0x2026))) << name->text().toStdString();
        EXPECT_LE(name->fontMetrics().horizontalAdvance(name->text()), name->width()) << name->text().toStdString();
        // the readout stays whole, inside the legend and beside its name
        EXPECT_LE(value->fontMetrics().horizontalAdvance(value->text()), value->width()) << value->text().toStdString();
        EXPECT_TRUE(v.PanelLegend->contentsRect().contains(InLegend(v, value))) << value->text().toStdString();
        EXPECT_FALSE(InLegend(v, name).intersects(InLegend(v, value))) << k;
    }

    // Back at a width with room for it, the legend has its full width and whole names again.
    sub->setGeometry(0, 0, 700, 600);
    QApplication::processEvents();
    EXPECT_EQ(v.PanelLegend->width(), 190);
    EXPECT_EQ(v.LegendLabels[3]->text(), "L1 Max Percentile 95%");
}

TEST(TrendLegend, ShortWindowCutsTheLegendInsteadOfSqueezingItsRows)
{
    // Tiled 180 pixels high, the view leaves the legend far less height than its rows need.
    VoltageViewFixture f({.count = 60});
    TShowVForm& v = f.Open();
    v.ApplyTraces(ChooseTraces(v, 6));
    v.ToggleCursor();
    v.ChartMouseDown(TMouseButton::mbLeft, v.Chart->Width() / 2, 100);
    QMdiArea area;
    area.resize(700, 600);
    QMdiSubWindow* sub = area.addSubWindow(f.view.release());  // the area owns the view from here
    area.show();
    sub->setGeometry(0, 0, 700, 180);  // as the Window menu's tiling places it
    QApplication::processEvents();
    ASSERT_LT(v.PanelLegend->height(), 150);
    std::vector<QLabel*> texts;
    for (QLabel* label : v.PanelLegend->findChildren<QLabel*>())
        if (label->isVisible() && !label->text().isEmpty()) texts.push_back(label);
    ASSERT_GE(texts.size(), 14u);
    for (QLabel* label : texts) {
        EXPECT_GE(label->height(), label->fontMetrics().height()) << label->text().toStdString();
        for (QLabel* other : texts)
            if (other != label && InLegend(v, other).intersects(InLegend(v, label)))
                ADD_FAILURE() << label->text().toStdString() << " covers " << other->text().toStdString();
    }
    // The first rows stay in sight.
    EXPECT_TRUE(v.PanelLegend->contentsRect().contains(InLegend(v, v.PanelTitle)));
    EXPECT_TRUE(v.PanelLegend->contentsRect().contains(InLegend(v, v.LegendLabels[0])));
}

TEST(VoltageView, CascadeGivesATiledViewBackItsOpeningSize)
{
    VoltageViewFixture f({.count = 10});
    TShowVForm& v = f.Open();
    QMdiArea area;
    area.resize(1000, 800);
    QMdiSubWindow* sub = area.addSubWindow(f.view.release());  // the area owns the view from here
    area.show();
    sub->setGeometry(0, 0, 1000, 160);  // tiled
    area.cascadeSubWindows();
    QApplication::processEvents();
    EXPECT_EQ(v.size(), QSize(620, 400));
}
