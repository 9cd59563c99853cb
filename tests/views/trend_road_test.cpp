// The trend views on the main window's own roads: Open Survey..., Traces Settings... (the
// modal dialog filled and accepted), Zoom In by a band dragged with the mouse, Zoom Out, the
// measuring cursor by click and key, the density or CPF curve of the cursor record and a print
// to PDF; the voltage view on a medium-voltage survey, the other views on the demonstration
// survey, the two-axis views with traces on both axes and their prefixes switched. With
// ORV_GRAB_DIR set, each step leaves a picture there for looking at.
#include "view_test_support.h"

#include "app/main_form.h"
#include "dialogs/prn_form.h"
#include "fixtures/demo_survey.h"
#include "fixtures/survey_fixture.h"
#include "graph/zr_graph.h"
#include "platform/date_format.h"
#include "survey/records.h"
#include "wizards/interval_page.h"
#include "wizards/sel_data_dlg.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"
#include "views/curve_form.h"
#include "views/traces_dlg.h"
#include "views/traces_en_dlg.h"
#include "views/traces_hrm_curr_dlg.h"
#include "views/traces_hrm_dlg.h"
#include "views/traces_w_dlg.h"
#include "views/trend_views.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QKeyEvent>
#include <QDate>
#include <QLabel>
#include <QLocale>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {
void Grab(QWidget& w, const std::string& name)
{
    QApplication::processEvents();
    if (const char* folder = std::getenv("ORV_GRAB_DIR")) w.grab().save(QString(folder) + "/" + QString::fromStdString(name) + ".png");
}

// A three-day medium-voltage survey of ten-minute records around 11 kV with a density curve;
// an hour and a half is missing on the first day.
std::string WriteMediumVoltageSurvey(const TempProgDir& dir)
{
    std::vector<std::int32_t> curve(120, 0);
    for (int c = 50; c < 70; ++c) curve[static_cast<std::size_t>(c)] = 10 * (10 - std::abs(c - 60));
    std::uint32_t total = 0;
    for (std::int32_t c : curve) total += static_cast<std::uint32_t>(c);
    VoltageSeriesFields f{.start = FixtureTime(2024, 3, 15, 0, 0), .count = 3 * 144, .flags = 2 | 32, .curve = curve,
                          .curveTotal = total};
    for (int i = 60; i < 69; ++i) f.missing.insert(i);
    f.values = [](int i, int phase) {
        const float avg = 11000.0f + 150.0f * static_cast<float>(std::sin(i / 24.0 + phase * 2.1));
        return MinAvgMax{avg - 80, avg, avg + 80};
    };
    WriteVoltageSeries(dir / "mv.vme", f);
    SurveyFixture survey;
    survey.dataFiles = {{MeasureVoltage, "mv.vme"}};
    survey.description = "Medium-voltage feeder";
    return WriteSurveyFile(dir / "mv.orv", survey);
}

// Mouse and key events as the window system delivers them.
void Mouse(QWidget* w, QEvent::Type type, QPoint at, Qt::MouseButtons buttons)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, w->mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}
void Press(QWidget* w, QPoint at) { Mouse(w, QEvent::MouseButtonPress, at, Qt::LeftButton); }
void Move(QWidget* w, QPoint at) { Mouse(w, QEvent::MouseMove, at, Qt::LeftButton); }
void Release(QWidget* w, QPoint at) { Mouse(w, QEvent::MouseButtonRelease, at, Qt::NoButton); }
void Key(QWidget* w, int key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(w, &event);
}

void ShowWithTrendViews(TMainForm& form, QSize size)
{
    RegisterTrendViews(form.WindowRegistry);
    form.resize(size);
    form.show();
}

// View > Open Survey... on a survey file, the measures `ticked` says ticked where available.
void OpenSurvey(TMainForm& form, const std::string& survey, std::function<bool(int)> ticked = {})
{
    form.ExecModal = [survey, ticked](QDialog& d) {
        auto& wizard = static_cast<TSelDataDlg&>(d);
        wizard.SurveyPage->Picker->SelectFile(survey);
        wizard.BtnNextClick();
        if (ticked) {
            for (int k = 1; k <= kMeasureCount; ++k)
                if (QCheckBox* box = wizard.DataPage->Box(k); box && !ticked(k)) box->setChecked(false);
            wizard.DataPage->CBoxClick();
        }
        wizard.BtnFinishClick();
        return wizard.result();
    };
    form.ItemOpenSurvey->trigger();
}

int PlotRow(TzrGraph& g) { return (g.Dimensions.TopMargin() + g.Height() - g.Dimensions.BottomMargin()) / 2; }
}  // namespace

TEST(VoltageViewRoad, OpenChooseTracesZoomCursorCurveAndPrint)
{
    TempProgDir dir;
    ScriptedMessages messages;
    // ORV_DEMO_SURVEY may name a medium-voltage survey of the demo writer to walk through instead.
    const char* demo = std::getenv("ORV_DEMO_SURVEY");
    const std::string survey = demo ? std::string(demo) : WriteMediumVoltageSurvey(dir);
    TMainForm form;
    ShowWithTrendViews(form, QSize(1000, 640));
    OpenSurvey(form, survey);
    QApplication::processEvents();
    ASSERT_EQ(form.MdiArea->subWindowList().size(), 1) << ::testing::PrintToString(messages.Texts());
    auto* view = qobject_cast<TShowVForm*>(form.ActiveChild());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->windowTitle().toStdString().find("Survey File <"), 0u);
    EXPECT_TRUE(form.BtnTraces->isEnabled());
    EXPECT_FALSE(form.BtnZoomIn->isEnabled());
    EXPECT_EQ(view->size(), QSize(620, 400));  // the client size the view sets
    Grab(form, "01_opened");

    // Traces Settings...: average of L1, L2 and L3.
    const bool dialogShown = OnModal<TTracesDlg>([&] { form.BtnTraces->trigger(); }, [&](TTracesDlg& d) {
        for (int k = 0; k < 3; ++k) {
            d.Combos[static_cast<std::size_t>(k)]->setCurrentIndex(2);
            d.Radios[static_cast<std::size_t>(k)][static_cast<std::size_t>(k)]->setChecked(true);
        }
        Grab(d, "02_traces_dialog");
        d.BtnOk->click();
    });
    ASSERT_TRUE(dialogShown);
    QApplication::processEvents();
    EXPECT_TRUE(view->AnyTrace());
    EXPECT_EQ(view->ScalePrefix(), TScalePrefix::Thousands);
    EXPECT_EQ(view->Chart->YAxis.Title(), "kVolt");
    EXPECT_EQ(view->LegendLabels[2]->text(), "L3 Average");
    EXPECT_TRUE(form.BtnZoomIn->isEnabled());
    Grab(form, "03_three_traces_kv");

    // Zoom In, then a band dragged with the mouse over the middle of the plot.
    TzrGraph& chart = *view->Chart;
    const int row = PlotRow(chart);
    const int left = chart.Dimensions.LeftMargin() + (chart.Width() - chart.Dimensions.LeftMargin() - chart.Dimensions.RightMargin()) / 5;
    const int right = left + (chart.Width() - chart.Dimensions.LeftMargin() - chart.Dimensions.RightMargin()) / 4;
    form.BtnZoomIn->trigger();
    EXPECT_TRUE(view->ZoomMode());
    Press(&chart, QPoint(left, row));
    Move(&chart, QPoint(right, row));
    Grab(form, "04_zoom_band");
    Release(&chart, QPoint(right, row));
    QApplication::processEvents();
    ASSERT_TRUE(view->Zoomed());
    EXPECT_TRUE(form.BtnZoomOut->isEnabled());
    EXPECT_LT(view->ZoomRecords(), view->ValuesBlock().PeriodRecords);
    Grab(form, "05_zoomed");

    // The measuring cursor: a click in the plot, then one record to the right.
    form.BtnMeas->trigger();
    ASSERT_TRUE(view->CursorOn());
    Press(&chart, QPoint((left + right) / 2, row));
    Release(&chart, QPoint((left + right) / 2, row));
    const std::int32_t clicked = view->CursorPoint().Id;
    ASSERT_GT(clicked, 0);
    // The key goes where the window system sends it: the focused widget, which is the view.
    QApplication::setActiveWindow(&form);
    QApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), view);
    Key(QApplication::focusWidget(), Qt::Key_Right);
    EXPECT_EQ(view->CursorPoint().Id, clicked + 1);
    EXPECT_NE(view->CursorLabels[0]->text().indexOf(" kV"), -1);
    EXPECT_TRUE(form.BtnCurve->isEnabled());
    QApplication::processEvents();
    Grab(form, "06_cursor");

    // Copy to Clipboard: the view's picture with its info panel.
    form.BtnCopyClip->trigger();
    const QImage copied = QApplication::clipboard()->image();
    EXPECT_EQ(copied.size(), view->size());
    EXPECT_FALSE(view->Frame.PanelInfo->isVisibleTo(view));
    if (const char* folder = std::getenv("ORV_GRAB_DIR")) copied.save(QString(folder) + "/06b_clipboard.png");

    // The density curve of the cursor record.
    const bool curveShown = OnModal<TCurveForm>([&] { form.BtnCurve->trigger(); }, [&](TCurveForm& c) {
        EXPECT_FALSE(c.NotAvailable());
        EXPECT_EQ(c.Points().size(), 121u);
        QApplication::processEvents();
        Grab(c, "07_density_curve");
        c.reject();
    });
    EXPECT_TRUE(curveShown);

    // Print to a PDF file.
    const std::string pdf = dir / "view.pdf";
    messages.PrintTo(PrintChoice{.outputFile = pdf});
    PrnForm = new TPrnForm(&form);
    form.BtnPrint->trigger();
    EXPECT_FALSE(PrnForm->isVisible());
    PrnForm = nullptr;
    EXPECT_NE(CommandOutput("pdfinfo '" + pdf + "'").find("Pages:           1"), std::string::npos);
    EXPECT_NE(CommandOutput("pdftotext '" + pdf + "' -").find("Printed on: "), std::string::npos);
    if (const char* folder = std::getenv("ORV_GRAB_DIR"))
        std::system(("cp '" + pdf + "' '" + folder + "/08_printed.pdf' && pdftoppm -r 90 -png '" + pdf + "' '" +
                     std::string(folder) + "/08_printed'").c_str());

    // Cursor off, Zoom Out: the whole interval again.
    form.BtnMeas->trigger();
    form.BtnZoomOut->trigger();
    EXPECT_FALSE(view->Zoomed());
    EXPECT_EQ(view->ZoomRecords(), view->ValuesBlock().PeriodRecords);
    Grab(form, "09_zoomed_out");
    EXPECT_TRUE(messages.messages.empty());
}

namespace {
// Traces chosen in a row of a statistic-and-phase dialog.
void ChooseRow(TTracesDlg& d, int row, int item, int phase)
{
    d.Combos[static_cast<std::size_t>(row)]->setCurrentIndex(item);
    d.ComboChange();
    d.Radios[static_cast<std::size_t>(row)][static_cast<std::size_t>(phase)]->setChecked(true);
}

// The view of `kind` among the main window's children, made active and maximised; null when none.
TTrendViewForm* MaximisedView(TMainForm& form, TViewKind kind)
{
    for (QMdiSubWindow* sub : form.MdiArea->subWindowList()) {
        auto* view = qobject_cast<TTrendViewForm*>(sub->widget());
        if (!view || view->ViewKind() != kind) continue;
        form.MdiArea->setActiveSubWindow(sub);
        sub->showMaximized();
        QApplication::processEvents();
        return view;
    }
    return nullptr;
}

// Zoom In, then a band dragged from a third of the plot over a quarter of it (`dragging` runs
// while the band is held); the band's middle column, where the cursor then goes.
int ZoomOnBand(TMainForm& form, TTrendViewForm& view, const std::function<void()>& dragging = {})
{
    TzrGraph& chart = *view.Chart;
    const int row = PlotRow(chart);
    const int width = chart.Width() - chart.Dimensions.LeftMargin() - chart.Dimensions.RightMargin();
    const int left = chart.Dimensions.LeftMargin() + width / 3, right = left + width / 4;
    form.BtnZoomIn->trigger();
    Press(&chart, QPoint(left, row));
    Move(&chart, QPoint(right, row));
    if (dragging) dragging();
    Release(&chart, QPoint(right, row));
    QApplication::processEvents();
    return (left + right) / 2;
}

// The measuring cursor switched on and placed by a click at `column`.
void PlaceCursor(TMainForm& form, TTrendViewForm& view, int column)
{
    form.BtnMeas->trigger();
    const int row = PlotRow(*view.Chart);
    Press(view.Chart, QPoint(column, row));
    Release(view.Chart, QPoint(column, row));
}

struct MeasureRoad {
    TViewKind kind;
    const char* name;
    std::function<void(QDialog&)> choose;  // fills the view's traces dialog and presses OK
    const char* curveTitle;
};
}  // namespace

// Open Survey on the demonstration survey opens a view per ticked measure; on each of the
// frequency, unbalance, voltage-harmonics and flicker views: traces chosen through the
// toolbar, a zoom band, the cursor and the curve of its record.
TEST(MeasureViewsRoad, OpenSurveyThenTracesZoomCursorAndCurveOnEachView)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string survey = WriteDemoSurvey(dir / "demo", 2);
    ASSERT_FALSE(survey.empty());
    TMainForm form;
    ShowWithTrendViews(form, QSize(1100, 700));
    OpenSurvey(form, survey, [](int measure) { return measure <= MeasureFlicker; });
    QApplication::processEvents();
    ASSERT_EQ(form.MdiArea->subWindowList().size(), 5) << ::testing::PrintToString(messages.Texts());

    const MeasureRoad roads[] = {
        {TViewKind::Frequency, "hz",
         [](QDialog& d) {
             auto& t = static_cast<TTracesDlg&>(d);
             ChooseRow(t, 0, 2, 0);  // Average
             ChooseRow(t, 1, 4, 0);  // Min Percentile 95%
             ChooseRow(t, 2, 5, 0);  // Max Percentile 95%
             t.BtnOk->click();
         },
         "Density Curve"},
        {TViewKind::Unbalance, "un",
         [](QDialog& d) {
             auto& t = static_cast<TTracesDlg&>(d);
             for (int row = 0; row < 3; ++row) ChooseRow(t, row, row + 1, 0);  // minimum, average, maximum
             t.BtnOk->click();
         },
         "Density Curve"},
        {TViewKind::VoltageHarmonics, "hm",
         [](QDialog& d) {
             auto& t = static_cast<TTracesHrmDlg&>(d);
             const int rows[][3] = {{0, 2, 0}, {0, 2, 2}, {3, 2, 0}, {4, 3, 1}};  // order, statistic, phase
             for (int row = 0; row < 4; ++row) {
                 const auto r = static_cast<std::size_t>(row);
                 t.OrderLists[r]->setCurrentIndex(rows[row][0]);
                 t.CBoxHChange(row);
                 t.Combos[r]->setCurrentIndex(rows[row][1]);
                 t.ComboChange();
                 t.Radios[r][static_cast<std::size_t>(rows[row][2])]->setChecked(true);
             }
             Grab(t, "hm_traces_dialog");
             t.BtnOk->click();
         },
         "Density Curve"},
        {TViewKind::Flicker, "fl",
         [](QDialog& d) {
             auto& t = static_cast<TTracesDlg&>(d);
             ChooseRow(t, 0, 1, 0);  // Pst L1
             ChooseRow(t, 1, 8, 0);  // Plt L1
             ChooseRow(t, 2, 8, 2);  // Plt L3
             t.BtnOk->click();
         },
         "CPF Curve"},
    };
    for (const MeasureRoad& road : roads) {
        SCOPED_TRACE(road.name);
        TTrendViewForm* view = MaximisedView(form, road.kind);
        ASSERT_NE(view, nullptr);
        const std::string name(road.name);

        ASSERT_TRUE(OnModal<QDialog>([&] { form.BtnTraces->trigger(); }, road.choose));
        QApplication::processEvents();
        EXPECT_TRUE(view->AnyTrace());
        EXPECT_GT(view->Chart->GetSeries(1).Count(), 0);
        Grab(form, name + "_1_traces");

        const int middle = ZoomOnBand(form, *view);
        EXPECT_TRUE(view->Zoomed());
        EXPECT_LT(view->ZoomRecords(), view->ValuesBlock().PeriodRecords);

        PlaceCursor(form, *view, middle);
        EXPECT_GT(view->CursorPoint().Id, 0);
        EXPECT_FALSE(view->CursorLabels[0]->text().isEmpty());
        EXPECT_TRUE(form.BtnCurve->isEnabled());
        Grab(form, name + "_2_zoom_cursor");

        const bool curveShown = OnModal<TCurveForm>([&] { form.BtnCurve->trigger(); }, [&](TCurveForm& c) {
            EXPECT_EQ(c.windowTitle(), road.curveTitle);
            EXPECT_FALSE(c.NotAvailable());
            Grab(c, name + "_3_curve");
            c.reject();
        });
        EXPECT_TRUE(curveShown);
        form.BtnMeas->trigger();
    }
    EXPECT_TRUE(messages.messages.empty()) << ::testing::PrintToString(messages.Texts());
}

namespace {
// A row of a two-axis dialog: its item (and order) chosen as the user does, then its phase.
void ChooseItem(TTracesDialogBase& d, int row, int item, int phase)
{
    d.Combos[static_cast<std::size_t>(row)]->setCurrentIndex(item);
    d.ComboChange(row);
    d.Radios[static_cast<std::size_t>(row)][static_cast<std::size_t>(phase)]->setChecked(true);
}

// The first axis group set to a manual range, or back to automatic.
void ScaleFirstAxis(TTracesDialogBase& d, bool autoScale, const char* min = "0", const char* max = "0")
{
    d.CBoxAuto->setChecked(autoScale);
    d.CBoxAutoClick();
    d.EditMin->setText(min);
    d.EditMax->setText(max);
}

struct TwoAxisRoad {
    TViewKind kind;
    const char* name;
    std::function<void(QDialog&)> choose;  // both axes' traces where the view has two
    const char* title;                     // the left axis once plotted
    std::function<void(QDialog&)> rescale; // a manual range that switches the prefix
    const char* rescaledTitle;
    std::vector<const char*> readoutUnits;  // the first traces' readouts end so
    const char* printedDate;                // the page's date pattern under a short date "yyyy-MM-dd"
};

// The run's short date format, put back when the test ends.
struct ShortDateFormat {
    std::string kept = RunDateFormats().shortDate;
    explicit ShortDateFormat(const std::string& format) { RunDateFormats().shortDate = format; }
    ~ShortDateFormat() { RunDateFormats().shortDate = kept; }
};
}  // namespace

// Open Survey on the demonstration survey opens the powers-and-currents, current-harmonics and
// energy views; on each: traces on both of its axes through the toolbar, the prefix switched by a
// manual range, a zoom band, the cursor, a copy and a print to PDF.
TEST(TwoAxisViewsRoad, OpenSurveyThenBothAxesPrefixesZoomCursorCopyAndPrint)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string survey = WriteDemoSurvey(dir / "demo", 2);
    ASSERT_FALSE(survey.empty());
    TMainForm form;
    const ShortDateFormat isoDates("yyyy-MM-dd");  // after the main window has set the run's formats
    ShowWithTrendViews(form, QSize(1100, 700));
    OpenSurvey(form, survey, [](int m) { return m == MeasurePowers || m == MeasureCurrentHarmonics || m == MeasureEnergy; });
    QApplication::processEvents();
    ASSERT_EQ(form.MdiArea->subWindowList().size(), 3) << ::testing::PrintToString(messages.Texts());

    const TwoAxisRoad roads[] = {
        {TViewKind::Powers, "w",
         [](QDialog& d) {
             auto& t = static_cast<TTracesWDlg&>(d);
             ChooseItem(t, 0, 2, kThreePhase);  // Avg. Active Power
             ChooseItem(t, 1, 8, kThreePhase);  // Avg. Apparent Power
             ChooseItem(t, 2, 12, 1);           // Max. Current L2, on the right axis
             Grab(t, "w_traces_dialog");
             t.BtnOk->click();
         },
         "Potenze (kW / kVAr / kVA)",
         [](QDialog& d) {
             auto& t = static_cast<TTracesDialogBase&>(d);
             ScaleFirstAxis(t, false, "0", "5000000");
             t.BtnOk->click();
         },
         "Potenze (MW / MVAr / MVA)", {" kW", " kVA", " A"}, "dd/MM/yyyy"},
        {TViewKind::CurrentHarmonics, "hi",
         [](QDialog& d) {
             auto& t = static_cast<TTracesHrmCurrDlg&>(d);
             const int rows[][4] = {{2, 2, 0, 0}, {2, 2, 0, 1}, {3, 3, 2, 0}};  // order, statistic, phase, ampere
             for (int row = 0; row < 3; ++row) {
                 const auto r = static_cast<std::size_t>(row);
                 t.OrderLists[r]->setCurrentIndex(rows[row][0]);
                 t.CBoxHChange(row);
                 ChooseItem(t, row, rows[row][1], rows[row][2]);
                 t.AmpBoxes[r]->setChecked(rows[row][3] == 1);
             }
             Grab(t, "hi_traces_dialog");
             t.BtnOk->click();
         },
         "% of fundamental", {}, nullptr, {" %", " A", " %"}, "yyyy-MM-dd"},
        {TViewKind::Energy, "en",
         [](QDialog& d) {
             auto& t = static_cast<TTracesEnDlg&>(d);
             ChooseItem(t, 0, 1, kThreePhase);  // Active Energy Received
             ChooseItem(t, 1, 1, 0);            // its L1 part
             ChooseItem(t, 2, 4, kThreePhase);  // Reactive Energy Q2
             ChooseItem(t, 3, 5, kThreePhase);  // Reactive Energy Q3
             Grab(t, "en_traces_dialog");
             t.BtnOk->click();
         },
         "Energy (MWh / MVArh / MVAh)",
         [](QDialog& d) {
             auto& t = static_cast<TTracesDialogBase&>(d);
             ScaleFirstAxis(t, false, "0", "50000");
             t.BtnOk->click();
         },
         "Energy (kWh / kVArh / kVAh)", {" MWh", " MWh", " MVArh"}, "yyyy-MM-dd"},
    };
    for (const TwoAxisRoad& road : roads) {
        SCOPED_TRACE(road.name);
        TTrendViewForm* view = MaximisedView(form, road.kind);
        ASSERT_NE(view, nullptr);
        const std::string name(road.name);
        EXPECT_FALSE(form.BtnCurve->isEnabled());
        Grab(form, name + "_0_opened");

        ASSERT_TRUE(OnModal<QDialog>([&] { form.BtnTraces->trigger(); }, road.choose));
        QApplication::processEvents();
        EXPECT_EQ(view->Chart->YAxis.Title(), road.title);
        const bool twoAxes = view->TrendMember().SecondAxis;
        EXPECT_EQ(view->Chart->GetSeries(2).Axis() == &view->Chart->YAxis_Second, road.kind == TViewKind::CurrentHarmonics);
        if (road.kind == TViewKind::Powers) {
            EXPECT_EQ(view->Chart->GetSeries(3).Axis(), &view->Chart->YAxis_Second);
        }
        EXPECT_EQ(view->Chart->YAxis_Second.ShowAxis(), twoAxes);
        Grab(form, name + "_1_traces");

        if (road.rescale) {
            ASSERT_TRUE(OnModal<QDialog>([&] { form.BtnTraces->trigger(); }, road.rescale));
            QApplication::processEvents();
            EXPECT_EQ(view->Chart->YAxis.Title(), road.rescaledTitle);
            Grab(form, name + "_2_rescaled");
            ASSERT_TRUE(OnModal<QDialog>([&] { form.BtnTraces->trigger(); }, [](QDialog& d) {
                auto& t = static_cast<TTracesDialogBase&>(d);
                ScaleFirstAxis(t, true, "0", "250");
                t.BtnOk->click();
            }));
            EXPECT_EQ(view->Chart->YAxis.Title(), road.title);
        }

        const int middle = ZoomOnBand(form, *view, [&] { Grab(form, name + "_3_zoom_band"); });
        EXPECT_TRUE(view->Zoomed());
        EXPECT_LT(view->ZoomRecords(), view->ValuesBlock().PeriodRecords);

        PlaceCursor(form, *view, middle);
        EXPECT_GT(view->CursorPoint().Id, 0);
        for (std::size_t k = 0; k < road.readoutUnits.size(); ++k)
            EXPECT_TRUE(view->CursorLabels[k]->text().endsWith(road.readoutUnits[k])) << view->CursorLabels[k]->text().toStdString();
        EXPECT_FALSE(form.BtnCurve->isEnabled());
        Grab(form, name + "_4_zoom_cursor");

        form.BtnCopyClip->trigger();
        const QImage copied = QApplication::clipboard()->image();
        EXPECT_EQ(copied.size(), view->size());
        if (const char* folder = std::getenv("ORV_GRAB_DIR")) copied.save(QString(folder) + "/" + QString::fromStdString(name) + "_5_clipboard.png");

        const std::string pdf = dir / (name + ".pdf");
        messages.PrintTo(PrintChoice{.outputFile = pdf});
        form.BtnPrint->trigger();
        const std::string text = CommandOutput("pdftotext '" + pdf + "' -");
        // The powers view prints a fixed day-month-year date, the others the run's short date.
        const std::string printed = "Printed on: " + QLocale::c().toString(QDate::currentDate(), "dddd ").toStdString() +
                                    QDate::currentDate().toString(road.printedDate).toStdString();
        EXPECT_NE(text.find(printed), std::string::npos) << text;
        EXPECT_NE(text.find(view->Frame.LabelMeas->text().toStdString()), std::string::npos);
        if (const char* folder = std::getenv("ORV_GRAB_DIR"))
            std::system(("pdftoppm -r 90 -png '" + pdf + "' '" + std::string(folder) + "/" + name + "_6_printed'").c_str());
        form.BtnMeas->trigger();
        form.BtnZoomOut->trigger();
    }
    EXPECT_TRUE(messages.messages.empty()) << ::testing::PrintToString(messages.Texts());
}
