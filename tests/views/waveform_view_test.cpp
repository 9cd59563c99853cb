// The waveform view: opening on a period's captures, the traces and axes of a record, the
// settings of each content class, moves and automatic stepping with the event toolbar, zoom,
// panning and the cursor, the trigger grid, printing and copying, and the events list's road
// through the main window.
#include "views/show_al_vm_form.h"

#include "app/main_form.h"
#include "dialogs/elided_label.h"
#include "fixtures/child_context_fixture.h"
#include "fixtures/on_modal.h"
#include "fixtures/pdf_text.h"
#include "fixtures/samples_fixture.h"
#include "fixtures/survey_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "fixtures/view_fixture.h"
#include "fixtures/window_shot.h"
#include "graph/graph_types.h"
#include "platform/little_endian.h"
#include "platform/scripted_messages.h"
#include "survey/trace_colours.h"
#include "views/chart_cursor_line.h"
#include "views/chart_zoomer.h"
#include "views/traces_dlg.h"
#include "views/trigger_grid_view.h"
#include "views/waveform_chart.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSpinBox>
#include <gtest/gtest.h>

#include <memory>

namespace {
// Ten samples 10 ms apart from -20 ms: voltage counts rise to 300 and fall to -300 (scale 1),
// currents the same at scale 0.25 (75 A).
const std::vector<std::int32_t> kRamp = {0, 100, 200, 300, 200, 100, 0, -100, -200, -300};

SamplesRecordFields Capture(int minute, std::uint8_t set = 0, std::uint8_t content = 0)
{
    SamplesRecordFields r{.time = {.hour = 10, .minute = minute, .second = 30, .hundredths = 7},
                          .channelSet = set, .samplesPerChannel = 10, .preTrigger = 2, .postTrigger = 8,
                          .content = content};
    r.scales = {1, 0.25f, 1, 0.25f, 1, 0.25f};
    r.triggers = {{.type = 1, .channel = 0, .value1 = 253}, {.type = 14, .channel = 3, .value1 = 12.5f}};
    for (int c = 0; c < 7; ++c) r.samples.push_back(kRamp);
    return r;
}

double At(int minute, int ms = 0) { return FixtureTime(2024, 3, 15, 10, minute, 0, ms); }

// Captures at 10:00, 10:10, 10:20 (30.07 s past each minute) in a samples file selected over
// [10:00, stop minute].
struct WaveformFixture {
    TempProgDir dir;
    ScriptedMessages messages;
    RecordingChildServices services;
    std::string path;

    explicit WaveformFixture(std::vector<SamplesRecordFields> records = {Capture(0), Capture(10), Capture(20)},
                             std::uint8_t fileType = 12, int stopMinute = 59)
    {
        path = WriteSamplesFile(dir / "s.tme", fileType, records);
        SelectMeasureSurvey(MeasureSamples, path, At(0), At(stopMinute));
    }
    std::unique_ptr<TShowAlVmForm> Open()
    {
        auto view = std::make_unique<TShowAlVmForm>(services.Context());
        view->show();
        QApplication::processEvents();
        return view;
    }
};

QStringList LegendTexts(const TShowAlVmForm& v)
{
    QStringList texts;
    for (const TElidedLabel* l : v.LegendLabels) texts << l->FullText();
    return texts;
}

// The viewport point at fractions of the plot area.
QPoint PlotPoint(const TWaveformChart& chart, double fx, double fy)
{
    const QRectF plot = chart.PlotArea();
    return QPointF(plot.left() + fx * plot.width(), plot.top() + fy * plot.height()).toPoint();
}

TEST(WaveformView, OpensOnThePeriodsFirstCaptureWithTheRecordsFirstSixChannels)
{
    WaveformFixture f;
    auto v = f.Open();
    ASSERT_FALSE(v->OpenFailed());
    EXPECT_TRUE(f.messages.messages.empty()) << ::testing::PrintToString(f.messages.Texts());
    EXPECT_EQ(v->ViewKind(), TViewKind::Samples);
    EXPECT_EQ(v->windowTitle().toStdString(), "Survey File <" + f.path + "> - Voltage Samples");
    EXPECT_EQ(LegendTexts(*v), (QStringList{"L1 Voltage", "L1 Current", "L2 Voltage", "L2 Current", "L3 Voltage",
                                             "L3 Current"}));
    for (int k = 1; k <= 6; ++k) {
        EXPECT_TRUE(v->Chart->TraceShown(k)) << k;
        EXPECT_EQ(v->Traces().Entries[static_cast<std::size_t>(k - 1)].Colour, DefaultTraceColours[static_cast<std::size_t>(k - 1)]);
    }
    const QList<QPointF> l1 = v->Chart->TracePoints(1);
    ASSERT_EQ(l1.size(), 10);
    EXPECT_EQ(l1[0], QPointF(-20, 0));
    EXPECT_EQ(l1[3], QPointF(10, 300));
    EXPECT_DOUBLE_EQ(v->Chart->TracePoints(2)[3].y(), 75);
    // Voltages on the left, rounded out from +-300; currents on the right from +-75.
    const TZoomLevel r = v->Chart->Ranges();
    EXPECT_EQ(r.X, (TValueRange{-20, 80}));
    EXPECT_EQ(r.Left, (TValueRange{-350, 350}));
    EXPECT_EQ(r.Right, (TValueRange{-80, 80}));
    EXPECT_EQ(v->Chart->LeftTitle(), "Volt");
    EXPECT_EQ(v->Chart->RightTitle(), "Ampere");

    EXPECT_EQ(v->LabelIniDate->text(), "15/03/2024");
    EXPECT_EQ(v->LabelIniTime->text(), "10:00:30.07");
    EXPECT_EQ(v->LabelNRecCurr1->text(), "1 of 3");
    EXPECT_EQ(v->Frame.LabelIni->text(), "Start date: 15/03/2024 10:00:30");
    EXPECT_EQ(v->Frame.LabelEnd->text(), "Stop date: 15/03/2024 10:20:30");
    EXPECT_EQ(v->Frame.LabelNRec->text(), "Records: 3");
    EXPECT_EQ(v->Frame.LabelInfo->text(), "Survey: <test.orv>");

    const TValuesBlock block = v->ValuesBlock();
    EXPECT_EQ(block.SurveyName, "test.orv");
    EXPECT_EQ(block.FileInfo.FileName, f.path);
    EXPECT_EQ(block.PeriodRecords, 3u);
    EXPECT_EQ(block.EventNumber, 1);
    EXPECT_EQ(block.EventOffset, 9);
    EXPECT_EQ(block.InfoPrint.DescriptionLine, "Description: Feeder 3");
    EXPECT_TRUE(block.InfoPrint.StartLine.empty());
    EXPECT_EQ(block.Traces, v->Traces());

    const TCommandState& s = v->CommandState();
    EXPECT_TRUE(s.Traces && s.Values && s.Print && s.CopyToClipboard);
    EXPECT_FALSE(s.FirstEvent || s.PreviousEvent || s.AutoBackward.Enabled);
    EXPECT_TRUE(s.NextEvent && s.LastEvent && s.AutoForward.Enabled && s.GoToEvent);
    EXPECT_EQ(s.EventNumber, (TEventNumberBox{true, 1, 3, 1}));
    EXPECT_TRUE(s.ZoomIn.Enabled && s.MeasureCursor.Enabled && s.ScrollGraph.Enabled && s.FullZoomOut);
    EXPECT_FALSE(s.ZoomOut || s.Curve);
    Shot(v.get(), "waveform_view");
}

TEST(WaveformView, APeriodWithoutCapturesOrAnUnreadableFileDoesNotOpen)
{
    struct Case {
        const char* name;
        int fromMinute;  // the period's start; its stop is 10:59
        std::function<void(Bytes&)> damage;
        std::vector<std::string> messages;
    };
    const std::string corrupted = "Voltage Samples survey is corrupted. Unable to open the file.";
    const std::vector<Case> cases = {
        {"no capture in the period", 21, nullptr, {"No record found."}},
        // Samples per channel 0 in the first capture's head.
        {"an unusable first capture", 0, [](Bytes& b) { b[9 + 13] = 0, b[9 + 14] = 0; }, {corrupted}},
        {"a file cut inside its records", 0, [](Bytes& b) { b.resize(b.size() - 30); }, {corrupted}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempProgDir dir;
        RecordingChildServices services;
        const std::string path = WriteSamplesFile(dir / "s.tme", 12, {Capture(0), Capture(10), Capture(20)});
        ASSERT_TRUE(SelectMeasureSurvey(MeasureSamples, path, At(c.fromMinute), At(59)));
        if (c.damage) {
            Bytes bytes = *ReadWholeFile(path);
            c.damage(bytes);
            WriteBytes(path, bytes);
        }
        ScriptedMessages messages;
        TMainForm form;
        RegisterWaveformView(form.WindowRegistry);
        EXPECT_EQ(form.WindowRegistry.CreateMeasureView(MeasureSamples, services.Context(), nullptr), nullptr);
        EXPECT_EQ(messages.Texts(), c.messages);
    }
}

TEST(WaveformView, MovesStepThroughThePeriodAndTheEventToolbarFollows)
{
    WaveformFixture f;
    auto v = f.Open();
    v->GoToNextEvent();
    EXPECT_EQ(v->Navigation().Current(), 2);
    EXPECT_EQ(v->LabelIniTime->text(), "10:10:30.07");
    EXPECT_EQ(v->LabelNRecCurr1->text(), "2 of 3");
    EXPECT_GT(v->ValuesBlock().EventOffset, 9);
    EXPECT_TRUE(v->CommandState().PreviousEvent && v->CommandState().NextEvent);
    EXPECT_EQ(v->CommandState().EventNumber.Value, 2);
    v->GoToLastEvent();
    EXPECT_EQ(v->ValuesBlock().EventNumber, 3);
    EXPECT_FALSE(v->CommandState().NextEvent || v->CommandState().LastEvent || v->CommandState().AutoForward.Enabled);
    v->GoToNextEvent();  // stays at the last
    v->GoToEventNumber(4);
    v->GoToEventNumber(0);
    EXPECT_EQ(v->Navigation().Current(), 3);
    v->GoToEventNumber(1);
    EXPECT_EQ(v->LabelIniTime->text(), "10:00:30.07");

    // The cursor on stops every move and the number box.
    v->ToggleCursor();
    const TCommandState& s = v->CommandState();
    EXPECT_FALSE(s.FirstEvent || s.PreviousEvent || s.NextEvent || s.LastEvent || s.AutoForward.Enabled ||
                 s.AutoBackward.Enabled || s.EventNumber.Enabled || s.GoToEvent);
    EXPECT_TRUE(s.MeasureCursor.Down);
    EXPECT_FALSE(s.ZoomIn.Enabled || s.ScrollGraph.Enabled);
    EXPECT_TRUE(f.messages.messages.empty());
}

TEST(WaveformView, AutoForwardStopsAtTheLastCaptureAndReleasesItsButton)
{
    WaveformFixture f;
    auto v = f.Open();
    v->ToggleAutoForward();
    EXPECT_TRUE(v->StepTimerActive());
    EXPECT_TRUE(v->CommandState().AutoForward.Down);
    EXPECT_FALSE(v->CommandState().MeasureCursor.Enabled);  // no cursor while stepping
    v->Chart->OnDoubleClick();                               // not even by a double-click
    EXPECT_FALSE(v->CursorOn());
    v->StepTimerTick();
    v->StepTimerTick();
    EXPECT_EQ(v->Navigation().Current(), 3);
    EXPECT_TRUE(v->StepTimerActive());
    v->StepTimerTick();  // at the end: stepping ends by itself
    EXPECT_EQ(v->Navigation().Stepping(), AutoStep::Off);
    EXPECT_FALSE(v->StepTimerActive());
    EXPECT_FALSE(v->CommandState().AutoForward.Down);
    EXPECT_TRUE(v->CommandState().MeasureCursor.Enabled);

    // Auto Backward while Auto Forward runs stops the forward stepping.
    v->GoToEventNumber(2);
    v->ToggleAutoForward();
    v->ToggleAutoBackward();
    EXPECT_EQ(v->Navigation().Stepping(), AutoStep::Backward);
    EXPECT_FALSE(v->CommandState().AutoForward.Down);
    EXPECT_TRUE(v->CommandState().AutoBackward.Down);
    v->StepTimerTick();
    EXPECT_EQ(v->Navigation().Current(), 1);
    v->ToggleAutoBackward();
    EXPECT_FALSE(v->StepTimerActive());
}

TEST(WaveformView, AutoSteppingEndsWithOneMessageOnAnUnreadableCapture)
{
    WaveformFixture f;
    Bytes bytes = *ReadWholeFile(f.path);
    const std::size_t second = 9 + FieldView(bytes).U32(9);  // after the first capture's length
    bytes[second + 13] = 0, bytes[second + 14] = 0;          // its samples per channel
    WriteBytes(f.path, bytes);
    auto v = f.Open();
    v->ToggleAutoForward();
    v->StepTimerTick();
    EXPECT_EQ(v->Navigation().Current(), 2);
    EXPECT_FALSE(v->Record());
    EXPECT_FALSE(v->StepTimerActive());
    EXPECT_EQ(f.messages.Texts(), std::vector<std::string>{"Voltage Samples survey is corrupted. Unable to open the file."});
    for (int k = 1; k <= 6; ++k) EXPECT_FALSE(v->Chart->TraceShown(k));
    // The next capture shows again.
    v->GoToNextEvent();
    EXPECT_TRUE(v->Record());
    EXPECT_TRUE(v->Chart->TraceShown(1));
}

TEST(WaveformView, TraceSettingsHoldForTheirContentClassAndTheChannelMapForItsView)
{
    // A sample capture, a second-harmonic one of three voltages, a sample capture again.
    SamplesRecordFields harmonic = Capture(10, 2, 2);
    harmonic.samples = {{400, 900, 1600}, {100, 100, 100}, {2500, 2500, 2500}};  // 2, 3, 4 %
    harmonic.samplesPerChannel = 3;
    harmonic.postTrigger = 1, harmonic.preTrigger = 2;
    WaveformFixture f({Capture(0), harmonic, Capture(20)});
    auto v = f.Open();
    TTraceSettings chosen = v->Traces();
    for (TTraceEntry& e : chosen.Entries) e.Item = 0;
    chosen.Entries[0] = {.Item = 1, .Phase = 1, .Colour = clRed};  // L2 voltage
    v->ApplyTraces(chosen);
    EXPECT_EQ(v->TraceChannels()[0], 2);
    EXPECT_EQ(LegendTexts(*v)[0], "L2 Voltage");
    EXPECT_FALSE(v->Chart->TraceShown(2));

    v->GoToNextEvent();  // second harmonic: its own class, not yet set
    EXPECT_EQ(v->windowTitle().toStdString(), "Survey File <" + f.path + "> - 2d Harmonic");
    EXPECT_EQ(LegendTexts(*v).mid(0, 4), (QStringList{"L1 2d Harmonic", "L2 2d Harmonic", "L3 2d Harmonic", "none"}));
    EXPECT_EQ(v->Chart->LeftTitle(), " % ");
    EXPECT_EQ(v->Chart->RightTitle(), " ");
    ASSERT_EQ(v->Chart->TracePoints(1).size(), 3);
    EXPECT_DOUBLE_EQ(v->Chart->TracePoints(1)[2].y(), 4);
    EXPECT_EQ(v->Chart->Ranges().X, (TValueRange{-20, 0}));  // (post-trigger - 1) x 10

    // A second view of the same file maps its own channels.
    auto other = f.Open();
    other->GoToEventNumber(2);
    v->GoToNextEvent();  // a sample capture: the user's traces again
    EXPECT_EQ(v->Traces().Entries[0].Colour, clRed);
    EXPECT_EQ(v->TraceChannels()[0], 2);
    EXPECT_EQ(v->TraceChannels()[1], kNoRecordChannel);
    EXPECT_EQ(other->TraceChannels()[1], 1);
    EXPECT_EQ(v->Chart->TracePoints(1)[3].y(), 300);
}

// The traces dialog offers the record's names; a legend double-click opens it too.
TEST(WaveformView, TracesDialogChoosesAmongTheRecordsChannels)
{
    SamplesRecordFields voltages = Capture(10, 2);
    voltages.samples.resize(3);
    WaveformFixture f({Capture(0), voltages});
    auto v = f.Open();
    const bool shown = OnModal<TTracesDlg>([&] { v->LegendDblClick(); }, [&](TTracesDlg& d) {
        ASSERT_EQ(d.Combos[0]->count(), 3);
        EXPECT_EQ(d.Combos[0]->itemText(2), "Current");
        d.Combos[0]->setCurrentIndex(2);
        d.ComboChange();
        d.Radios[0][1]->setChecked(true);
        d.BtnOk->click();
    });
    ASSERT_TRUE(shown);
    EXPECT_EQ(v->TraceChannels()[0], 3);  // L2 current
    EXPECT_EQ(LegendTexts(*v)[0], "L2 Current");
    EXPECT_EQ(v->Chart->TracePoints(1)[3].y(), 75);

    // Three voltages: the last three lists are off; Cancel keeps the traces.
    v->GoToNextEvent();
    const TTraceSettings before = v->Traces();
    ASSERT_TRUE(OnModal<TTracesDlg>([&] { v->EditTraces(); }, [&](TTracesDlg& d) {
        EXPECT_EQ(d.Combos[0]->count(), 2);
        EXPECT_FALSE(d.Combos[3]->isEnabled());
        d.BtnCancel->click();
    }));
    EXPECT_EQ(v->Traces(), before);
}

TEST(WaveformView, ZoomTwiceAndZoomOutTwiceAcrossARecordChange)
{
    WaveformFixture f;
    auto v = f.Open();
    const TZoomLevel full = v->Chart->Ranges();
    for (int i = 0; i < 2; ++i) {
        v->SetZoom(true);
        EXPECT_TRUE(v->CommandState().ZoomIn.Down);
        EXPECT_FALSE(v->CommandState().MeasureCursor.Enabled);
        v->Chart->Zoomer().Drag(PlotPoint(*v->Chart, 0.25, 0.25), PlotPoint(*v->Chart, 0.75, 0.75));
        EXPECT_FALSE(v->ZoomMode());
        EXPECT_TRUE(v->CommandState().ZoomOut);
    }
    const TZoomLevel zoomed = v->Chart->Ranges();
    EXPECT_LT(zoomed.X.Max - zoomed.X.Min, (full.X.Max - full.X.Min) / 3);
    v->GoToNextEvent();  // the zoom stays over the next capture
    EXPECT_EQ(v->Chart->Ranges(), zoomed);
    v->SetZoom(false);
    EXPECT_TRUE(v->Zoomed());
    v->SetZoom(false);  // the second press undoes the chart's zoom
    EXPECT_FALSE(v->Zoomed());
    EXPECT_FALSE(v->CommandState().ZoomOut);
    EXPECT_EQ(v->Chart->Ranges(), full);

    // Dragging backwards undoes the zoom and disables Zoom Out.
    v->SetZoom(true);
    v->Chart->Zoomer().Drag(PlotPoint(*v->Chart, 0.2, 0.2), PlotPoint(*v->Chart, 0.6, 0.6));
    v->SetZoom(true);
    v->Chart->Zoomer().Drag(PlotPoint(*v->Chart, 0.6, 0.6), PlotPoint(*v->Chart, 0.2, 0.2));
    EXPECT_FALSE(v->CommandState().ZoomOut);
    EXPECT_EQ(v->Chart->Ranges(), full);
}

TEST(WaveformView, CursorShowsChannelValuesAndTheArrowKeysStepIt)
{
    WaveformFixture f;
    auto v = f.Open();
    v->ChartPress(12);  // not in cursor mode
    EXPECT_TRUE(v->LabelCursTime->text().isEmpty());
    v->ToggleCursor();
    EXPECT_TRUE(v->LabelCursTime->isVisibleTo(v.get()));
    EXPECT_EQ(v->Chart->viewport()->cursor().shape(), Qt::CrossCursor);
    v->ChartPress(12);  // nearest sample: 10 ms
    EXPECT_EQ(v->CursorIndex(), 3);
    EXPECT_EQ(v->LabelCursTime->text(), "10.00 ms");
    EXPECT_EQ(v->CursorLabels[0]->text(), "300.00 V");
    EXPECT_EQ(v->CursorLabels[1]->text(), "75.00 A");
    EXPECT_EQ(v->CursorLabels[5]->text(), "75.00 A");  // every trace of the legend, L3 current too
    EXPECT_TRUE(v->Chart->CursorLine().Shown());
    EXPECT_DOUBLE_EQ(v->Chart->CursorLine().X(), 10);
    v->FormKeyDown(Qt::Key_Right, {});
    EXPECT_EQ(v->LabelCursTime->text(), "20.00 ms");
    EXPECT_EQ(v->CursorLabels[0]->text(), "200.00 V");
    v->FormKeyDown(Qt::Key_Right, Qt::ShiftModifier);
    EXPECT_EQ(v->CursorIndex(), 4);
    // Outside the axis the last sample holds; the first sample is the left end.
    v->ChartPress(500);
    EXPECT_EQ(v->CursorIndex(), 4);
    v->ChartPress(-19);
    v->FormKeyDown(Qt::Key_Left, {});
    EXPECT_EQ(v->CursorIndex(), 0);
    EXPECT_EQ(v->CursorLabels[2]->text(), "0.00 V");
    Shot(v.get(), "waveform_cursor");

    v->ToggleCursor();
    EXPECT_FALSE(v->Chart->CursorLine().Shown());
    EXPECT_TRUE(v->LabelCursTime->text().isEmpty());
    EXPECT_EQ(v->Chart->viewport()->cursor().shape(), Qt::ArrowCursor);

    // Panning: the hand, no cursor, no zoom; the shape comes back after.
    v->TogglePanMode();
    EXPECT_EQ(v->Chart->viewport()->cursor().shape(), Qt::OpenHandCursor);
    EXPECT_TRUE(v->CommandState().ScrollGraph.Down);
    EXPECT_FALSE(v->CommandState().ZoomIn.Enabled || v->CommandState().MeasureCursor.Enabled);
    v->ToggleCursor();
    EXPECT_FALSE(v->CursorOn());
    v->TogglePanMode();
    EXPECT_EQ(v->Chart->viewport()->cursor().shape(), Qt::ArrowCursor);
}

TEST(WaveformView, TriggerGridAndItsLabelsOnTheCopyAndThePage)
{
    WaveformFixture f;
    auto v = f.Open();
    EXPECT_TRUE(v->TriggerGridView->isVisibleTo(v.get()));
    EXPECT_EQ(v->TriggerGrid()[0].Cells[0].Colour, DefaultTraceColours[0]);
    EXPECT_EQ(v->TriggerGridView->Grid()[1].Cells[0].Hint, "Under on L2I at 12.50 A");
    const QPoint cell = v->TriggerGridView->rect().topLeft() + QPoint(85, 3);
    EXPECT_EQ(v->TriggerGridView->HintAt(cell), "Over on L1V at 253.00 V");

    const QPoint redCell = v->TriggerGridView->mapTo(v.get(), cell + QPoint(10, 5));
    EXPECT_EQ(v->grab().toImage().pixelColor(redCell), QColor(Qt::red));
    v->CopyToClipboard();
    // The labels replace the grid in the copy.
    const QImage copied = QApplication::clipboard()->image();
    ASSERT_EQ(copied.size(), v->size());
    EXPECT_NE(copied.pixelColor(redCell), QColor(Qt::red));
    EXPECT_EQ(v->TriggerLabelsShown[0]->text(), "Over on L1V at 253.00 V");
    EXPECT_EQ(v->TriggerLabelsShown[1]->text(), "Under on L2I at 12.50 A");
    EXPECT_FALSE(v->TriggerLabelsShown[2]->isVisibleTo(v->PanelTrg));
    EXPECT_FALSE(v->PanelTrg->isVisibleTo(v.get()));
    EXPECT_TRUE(v->TriggerGridView->isVisibleTo(v.get()));  // only the picture showed the labels instead

    const std::string pdf = f.dir / "waveform.pdf";
    f.messages.PrintTo(PrintChoice{.outputFile = pdf});
    const QSize before = v->size();
    v->PrintView();
    EXPECT_EQ(v->size(), before);
    EXPECT_FALSE(v->PanelTrg->isVisibleTo(v.get()));
    EXPECT_EQ(PdfPages(pdf), 1);
    const std::string text = PdfText(pdf);
    for (const char* shown : {"Over on L1V at 253.00 V", "Measure: Voltage Samples", "Survey: <test.orv>", "Printed on: ",
                              "L1 Voltage", "10:00:30.07"})
        EXPECT_NE(text.find(shown), std::string::npos) << shown << " in " << text;

    // No trace: hatched cells. A file without trigger tables shows no grid.
    TTraceSettings none = v->Traces();
    for (TTraceEntry& e : none.Entries) e.Item = 0;
    v->ApplyTraces(none);
    EXPECT_TRUE(v->TriggerGrid()[0].Cells[0].Hatched);
    EXPECT_FALSE(v->CommandState().ZoomIn.Enabled || v->CommandState().NextEvent);
    WaveformFixture plain({Capture(0)}, 4);
    auto w = plain.Open();
    EXPECT_FALSE(w->TriggerGridView->isVisibleTo(w.get()));
    EXPECT_EQ(w->TriggerGrid()[0].Filled, 0);
}

// The events list's road: Context().ShowSamplesAt through the main window opens a view on the
// survey beside the samples file at the event, then reuses it for events of its period.
TEST(WaveformView, AnEventOfTheListOpensOrReusesTheViewAtItsCapture)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string samples = WriteSamplesFile(dir / "s.tme", 12, {Capture(0), Capture(10), Capture(20)});
    WriteSurveyFile(dir / "s.orv", {.dataFiles = {{8, "s.tme"}}, .description = "Feeder 9"});
    TMainForm form;
    RegisterWaveformView(form.WindowRegistry);
    form.show();
    const TChildContext list = form.ChildContext();  // as an events list holds it

    const double second = FixtureTime(2024, 3, 15, 10, 10, 30, 7);
    list.ShowSamplesAt(samples, false, second, At(0), At(15), 0);
    ASSERT_EQ(form.MdiArea->subWindowList().size(), 1);
    auto* view = qobject_cast<TShowAlVmForm*>(form.ActiveChild());
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(view->Navigation().Count(), 2);
    EXPECT_EQ(view->Navigation().Current(), 2);
    EXPECT_EQ(view->Context().Selection().Name, "s.orv");
    EXPECT_EQ(view->Frame.LabelDescr->text(), "Description: Feeder 9");
    EXPECT_EQ(form.SpinEdit->value(), 2);
    EXPECT_TRUE(form.BtnPrec->isEnabled());
    EXPECT_FALSE(form.BtnNext->isEnabled());
    EXPECT_TRUE(form.BtnHand->isEnabled());

    // An event of the view's period, named by its file offset: the same view moves, and the
    // event toolbar acts on it.
    const TSamplesIndexEntry first = *view->Navigation().Entry(1);
    list.ShowSamplesAt(samples, false, first.Time, At(0), At(59), static_cast<std::int32_t>(first.Offset));
    EXPECT_EQ(form.MdiArea->subWindowList().size(), 1);
    EXPECT_EQ(view->Navigation().Current(), 1);
    EXPECT_EQ(form.SpinEdit->value(), 1);
    form.BtnNextClick();
    EXPECT_EQ(view->Navigation().Current(), 2);
    EXPECT_EQ(form.SpinEdit->value(), 2);

    // An event outside the view's period opens a view of its own over the list's interval.
    list.ShowSamplesAt(samples, false, FixtureTime(2024, 3, 15, 10, 20, 30, 7), At(0), At(59), 0);
    EXPECT_EQ(form.MdiArea->subWindowList().size(), 2);
    auto* wide = qobject_cast<TShowAlVmForm*>(form.ActiveChild());
    ASSERT_NE(wide, nullptr);
    EXPECT_NE(wide, view);
    EXPECT_EQ(wide->Navigation().Count(), 3);
    EXPECT_EQ(wide->Navigation().Current(), 3);
    EXPECT_TRUE(messages.messages.empty()) << ::testing::PrintToString(messages.Texts());
    Shot(&form, "waveform_main_window");
}
}  // namespace
