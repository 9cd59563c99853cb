// Every member of the trend-view family, opened through the one factory on a small file of its
// measure: creation ran (captions, head lines, values block), the member's traces dialog opens
// with the member's captions, and a trace chosen there is plotted, named and read out as the
// file holds it. Each member has a row here; a member without one fails the test.
#include "view_test_support.h"

#include "graph/zr_graph.h"
#include "views/traces_dlg.h"
#include "views/traces_en_dlg.h"
#include "views/traces_hrm_curr_dlg.h"
#include "views/traces_hrm_dlg.h"
#include "views/traces_w_dlg.h"
#include "views/trend_views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <gtest/gtest.h>
#include <type_traits>

// Only the factory can make the key a view's constructor asks for, so no view skips FormCreate.
static_assert(!std::is_default_constructible_v<TTrendViewForm::CreationKey>);

namespace {
struct MemberRow {
    int measure;
    std::function<std::unique_ptr<TTrendViewForm>(const TChildContext&)> create;
    // Writes the measure's file, three records ten minutes apart from 15/03/2024 10:00, and
    // selects it in SurveySelection.
    std::function<void(const TempProgDir&)> writeAndSelect;
    TViewKind viewKind;
    const char* captionEnd;
    const char* measureLabel;
    const char* recordsLine;
    const char* yTitle;
    float defaultMin, defaultMax;
    const char* dialogCaption;
    const char* dialogScaleCaption;
    // Chooses one trace in row 1 of the member's dialog and presses OK.
    std::function<void(QDialog&)> chooseTrace;
    const char* legend;
    std::vector<double> plotted;
    const char* firstReadout;  // the cursor's value on the first record
    const char* cursorTime = "15/03 10:00";
    int axis = 1;                        // the Y axis the trace is plotted on
    const char* plottedTitle = nullptr;  // that axis's title once plotted (null: the Y title)
};

// Three records ten minutes apart from the view tests' start, written and selected.
void WriteAndSelect(const TempProgDir& dir, int measure, const std::string& name, const std::function<Bytes(int)>& record)
{
    std::vector<Bytes> records;
    for (int i = 0; i < 3; ++i) records.push_back(record(i));
    SelectMeasureSurvey(measure, WriteDataFile(dir / name, records), ViewStart(), ViewStart() + 1);
}
FixtureStamp RecordStamp(int i) { return StampOf(ViewStart() + i * 10 * kOneMinute); }

// A statistic-and-phase row: item `item`, phase `phase`, OK.
std::function<void(QDialog&)> ChooseStatistic(int item, int phase)
{
    return [item, phase](QDialog& d) {
        auto& dialog = static_cast<TTracesDlg&>(d);
        dialog.Combos[0]->setCurrentIndex(item);
        dialog.ComboChange();
        dialog.Radios[0][static_cast<std::size_t>(phase)]->setChecked(true);
        dialog.BtnOk->click();
    };
}

const std::vector<MemberRow>& Rows()
{
    static const std::vector<MemberRow> rows = {
        {.measure = MeasureVoltage,
         .create = [](const TChildContext& c) { return std::unique_ptr<TTrendViewForm>(CreateTrendView<TShowVForm>(c)); },
         .writeAndSelect =
             [](const TempProgDir& dir) {
                 // Average of phase p at record i: 200 + 10 p + i.
                 const std::string path = WriteVoltageSeries(
                     dir / "m.vme", {.start = ViewStart(), .count = 3, .values = [](int i, int p) {
                                         const float avg = 200.0f + 10.0f * p + i;
                                         return MinAvgMax{avg - 5, avg, avg + 5};
                                     }});
                 SelectVoltageSurvey(path, ViewStart(), ViewStart() + 1);
             },
         .viewKind = TViewKind::Voltage,
         .captionEnd = "> - Voltage",
         .measureLabel = "Measure: Voltage",
         .recordsLine = "Records: 3  (Rate: 10min)",
         .yTitle = "Volt",
         .defaultMin = 200,
         .defaultMax = 250,
         .dialogCaption = "Voltage Traces Settings",
         .dialogScaleCaption = "Y Axis (Volt)",
         .chooseTrace = ChooseStatistic(2, 1),  // Average, L2
         .legend = "L2 Average",
         .plotted = {210, 211, 212},
         .firstReadout = "210.00 V"},
        {.measure = MeasureFrequency,
         .create = [](const TChildContext& c) { return std::unique_ptr<TTrendViewForm>(CreateTrendView<TShowHzForm>(c)); },
         .writeAndSelect =
             [](const TempProgDir& dir) {
                 // Every 600 seconds; average 49.5 + 0.5 i. The file says three-phase, yet holds L1 only.
                 WriteAndSelect(dir, MeasureFrequency, "m.hze", [](int i) {
                     const float avg = 49.5f + 0.5f * static_cast<float>(i);
                     return TrendRecord(MeasureFrequency, {.time = RecordStamp(i), .nominal = 50, .wiring = 0, .period = 600,
                                                           .phases = {{.values = {avg - 0.1f, avg, avg + 0.1f}}}});
                 });
             },
         .viewKind = TViewKind::Frequency,
         .captionEnd = "> - Frequency",
         .measureLabel = "Measure: Frequency",
         .recordsLine = "Records: 3  (Rate: 10min)",
         .yTitle = "Hertz",
         .defaultMin = 45,
         .defaultMax = 55,
         .dialogCaption = "Frequency Traces Settings",
         .dialogScaleCaption = "Y Axis (Hz)",
         .chooseTrace = ChooseStatistic(2, 0),
         .legend = "L1 Average",
         .plotted = {49.5, 50, 50.5},
         .firstReadout = "49.50 Hz",
         .cursorTime = "15/03 10:00:00"},
        {.measure = MeasureUnbalance,
         .create = [](const TChildContext& c) { return std::unique_ptr<TTrendViewForm>(CreateTrendView<TShowUnForm>(c)); },
         .writeAndSelect =
             [](const TempProgDir& dir) {
                 WriteAndSelect(dir, MeasureUnbalance, "m.une", [](int i) {
                     const float avg = 1.25f + 0.25f * static_cast<float>(i);
                     return TrendRecord(MeasureUnbalance, {.time = RecordStamp(i), .period = 10,
                                                           .phases = {{.values = {avg - 0.5f, avg, avg + 0.5f}}}});
                 });
             },
         .viewKind = TViewKind::Unbalance,
         .captionEnd = "> - Unbalance",
         .measureLabel = "Measure: Unbalance",
         .recordsLine = "Records: 3  (Rate: 10min)",
         .yTitle = "Unbalance %",
         .defaultMin = 0,
         .defaultMax = 5,
         .dialogCaption = "Unbalance Traces Settings",
         .dialogScaleCaption = "Y Axis (%)",
         .chooseTrace = ChooseStatistic(3, 0),  // Maximum
         .legend = "L1 Maximum",
         .plotted = {1.75, 2, 2.25},
         .firstReadout = "1.75 %"},
        {.measure = MeasureVoltageHarmonics,
         .create = [](const TChildContext& c) { return std::unique_ptr<TTrendViewForm>(CreateTrendView<TShowHForm>(c)); },
         .writeAndSelect =
             [](const TempProgDir& dir) {
                 // THD with the 95 % pair, then the 5th; L3 maximum of the 5th: 3 + i.
                 WriteAndSelect(dir, MeasureVoltageHarmonics, "m.hme", [](int i) {
                     HarmonicsRecordFields r{.time = RecordStamp(i), .period = 10};
                     r.blocks.push_back({.flags = 2 | 8, .order = 0});
                     HarmonicBlockFields fifth{.flags = 2, .order = 5};
                     for (int p = 0; p < 3; ++p) fifth.phases.push_back({.values = {0, 1, p == 2 ? 3.0f + static_cast<float>(i) : 9}});
                     r.blocks.push_back(fifth);
                     return HarmonicsRecord(r);
                 });
             },
         .viewKind = TViewKind::VoltageHarmonics,
         .captionEnd = "> - Voltage Harmonics",
         .measureLabel = "Measure: Voltage Harmonics",
         .recordsLine = "Records: 3  (Rate: 10min)",
         .yTitle = "% of fundamental",
         .defaultMin = 200,
         .defaultMax = 250,
         .dialogCaption = "Harmonics Traces Settings",
         .dialogScaleCaption = "Y Axis (%)",
         .chooseTrace =
             [](QDialog& d) {
                 auto& dialog = static_cast<TTracesHrmDlg&>(d);
                 dialog.OrderLists[0]->setCurrentIndex(1);  // 5th
                 dialog.CBoxHChange(0);
                 dialog.Combos[0]->setCurrentIndex(3);  // Maximum
                 dialog.ComboChange();
                 dialog.Radios[0][2]->setChecked(true);  // L3
                 dialog.BtnOk->click();
             },
         .legend = "L3 5th - Maximum",
         .plotted = {3, 4, 5},
         .firstReadout = "3.000 %"},
        {.measure = MeasureFlicker,
         .create = [](const TChildContext& c) { return std::unique_ptr<TTrendViewForm>(CreateTrendView<TShowFlkForm>(c)); },
         .writeAndSelect =
             [](const TempProgDir& dir) {
                 // The full set with CPF curves; Plt of phase p: 0.5 + 0.5 p + 0.25 i.
                 WriteAndSelect(dir, MeasureFlicker, "m.fle", [](int i) {
                     FlickerRecordFields r{.time = RecordStamp(i), .period = 10, .flags = 1, .mode = 0};
                     for (int p = 0; p < 3; ++p) {
                         FlickerPhaseFields phase;
                         phase.stats[7] = 0.5f + 0.5f * static_cast<float>(p) + 0.25f * static_cast<float>(i);
                         r.phases.push_back(phase);
                     }
                     return FlickerRecord(r);
                 });
             },
         .viewKind = TViewKind::Flicker,
         .captionEnd = "> - Flicker",
         .measureLabel = "Measure: Flicker",
         .recordsLine = "Records: 3  (Rate: 10min)",
         .yTitle = "p.u.",
         .defaultMin = 0,
         .defaultMax = 5,
         .dialogCaption = "Flicker Traces Settings",
         .dialogScaleCaption = "Y Axis (p.u.)",
         .chooseTrace = ChooseStatistic(8, 1),  // Plt, L2
         .legend = "L2 Plt",
         .plotted = {1, 1.25, 1.5},
         .firstReadout = "1.00 p.u."},
        {.measure = MeasurePowers,
         .create = [](const TChildContext& c) { return std::unique_ptr<TTrendViewForm>(CreateTrendView<TShowWForm>(c)); },
         .writeAndSelect =
             [](const TempProgDir& dir) {
                 // Average active power 1500 + 100 i W: plotted in kilowatts.
                 WriteAndSelect(dir, MeasurePowers, "m.wme", [](int i) {
                     PowerRecordFields r{.time = RecordStamp(i), .period = 10};
                     r.active = {1400.0f + 100.0f * static_cast<float>(i), 1500.0f + 100.0f * static_cast<float>(i), 2000};
                     return PowerRecord(r);
                 });
             },
         .viewKind = TViewKind::Powers,
         .captionEnd = "> - Power & Current",
         .measureLabel = "Measure: Power & Current",
         .recordsLine = "Records: 3  (Rate: 10min)",
         .yTitle = "Powers (W / VAr / VA)",
         .defaultMin = 200,
         .defaultMax = 250,
         .dialogCaption = "Power & Current Traces Settings",
         .dialogScaleCaption = "Powers Y Axis",
         .chooseTrace =
             [](QDialog& d) {
                 auto& dialog = static_cast<TTracesWDlg&>(d);
                 dialog.Combos[0]->setCurrentIndex(2);  // Avg. Active Power
                 dialog.ComboChange(0);
                 dialog.BtnOk->click();
             },
         .legend = "3Ph. Avg. Active Power",
         .plotted = {1.5, 1.6, 1.7},
         .firstReadout = "1.500 kW",
         .plottedTitle = "Potenze (kW / kVAr / kVA)"},
        {.measure = MeasureCurrentHarmonics,
         .create = [](const TChildContext& c) { return std::unique_ptr<TTrendViewForm>(CreateTrendView<TShowHmCurrForm>(c)); },
         .writeAndSelect =
             [](const TempProgDir& dir) {
                 // THD, then the 5th; L2 maximum of the 5th: 4 % and 2 + i A.
                 WriteAndSelect(dir, MeasureCurrentHarmonics, "m.hmi", [](int i) {
                     CurrentHarmonicsRecordFields r{.time = RecordStamp(i), .period = 10};
                     r.blocks.push_back({.index = 0});
                     CurrentHarmonicBlockFields fifth{.index = 6};
                     for (int p = 0; p < 3; ++p)
                         fifth.phases.push_back({.maxPercent = 4, .maxAmpere = p == 1 ? 2.0f + static_cast<float>(i) : 9});
                     r.blocks.push_back(fifth);
                     return CurrentHarmonicsRecord(r);
                 });
             },
         .viewKind = TViewKind::CurrentHarmonics,
         .captionEnd = "> - Current Harmonics",
         .measureLabel = "Measure: Current Harmonics",
         .recordsLine = "Records: 3  (Rate: 10min)",
         .yTitle = "% of fundamental",
         .defaultMin = 200,
         .defaultMax = 250,
         .dialogCaption = "Harmonics Traces Settings",
         .dialogScaleCaption = "Y Axis (%)",
         .chooseTrace =
             [](QDialog& d) {
                 auto& dialog = static_cast<TTracesHrmCurrDlg&>(d);
                 dialog.OrderLists[0]->setCurrentIndex(1);  // 5th
                 dialog.CBoxHChange(0);
                 dialog.Combos[0]->setCurrentIndex(3);  // Maximum
                 dialog.ComboChange(0);
                 dialog.Radios[0][1]->setChecked(true);  // L2
                 dialog.AmpBoxes[0]->setChecked(true);   // in ampere, on the second axis
                 dialog.BtnOk->click();
             },
         .legend = "L2 5th - Maximum(A)",
         .plotted = {2, 3, 4},
         .firstReadout = "2.000 A",
         .axis = 2,
         .plottedTitle = "Ampere"},
        {.measure = MeasureEnergy,
         .create = [](const TChildContext& c) { return std::unique_ptr<TTrendViewForm>(CreateTrendView<TShowEnForm>(c)); },
         .writeAndSelect =
             [](const TempProgDir& dir) {
                 // Reactive energy Q1: 1.5 + 0.25 i kVArh, read as 1500 + 250 i VArh.
                 WriteAndSelect(dir, MeasureEnergy, "m.ene", [](int i) {
                     EnergyRecordFields r{.time = RecordStamp(i), .period = 10};
                     r.totals[2] = 1.5f + 0.25f * static_cast<float>(i);
                     return EnergyRecord(r);
                 });
             },
         .viewKind = TViewKind::Energy,
         .captionEnd = "> - Energy",
         .measureLabel = "Measure: Energy",
         .recordsLine = "Records: 3  (Rate: 10min)",
         .yTitle = "Energy (Wh / VArh / VAh)",
         .defaultMin = 200,
         .defaultMax = 250,
         .dialogCaption = "Energy Traces Settings",
         .dialogScaleCaption = "Y Axis",
         .chooseTrace =
             [](QDialog& d) {
                 auto& dialog = static_cast<TTracesEnDlg&>(d);
                 dialog.Combos[0]->setCurrentIndex(3);  // Reactive Energy Q1
                 dialog.ComboChange(0);
                 dialog.BtnOk->click();
             },
         .legend = "3Ph. Reactive Energy Q1",
         .plotted = {1.5, 1.75, 2},
         .firstReadout = "1.500 kVArh",
         .plottedTitle = "Energy (kWh / kVArh / kVAh)"},
    };
    return rows;
}

const MemberRow* RowOf(int measure)
{
    for (const MemberRow& row : Rows())
        if (row.measure == measure) return &row;
    return nullptr;
}
}  // namespace

TEST(TrendMembers, EveryMemberOpensReadsAndPlotsThroughTheFactory)
{
    for (const TTrendMember* member : TrendMembers()) {
        SCOPED_TRACE(member->MeasureLabel);
        const MemberRow* row = RowOf(member->Measure);
        ASSERT_NE(row, nullptr) << "no row for measure " << member->Measure;
        TempProgDir dir;
        ScriptedMessages messages;
        RecordingChildServices services;
        row->writeAndSelect(dir);
        std::unique_ptr<TTrendViewForm> view = row->create(services.Context());
        view->show();
        QApplication::processEvents();
        ASSERT_FALSE(view->OpenFailed());

        EXPECT_EQ(view->ViewKind(), row->viewKind);
        EXPECT_TRUE(view->windowTitle().startsWith("Survey File <"));
        EXPECT_TRUE(view->windowTitle().endsWith(row->captionEnd));
        EXPECT_EQ(view->Frame.LabelMeas->text(), row->measureLabel);
        EXPECT_EQ(view->Frame.LabelIni->text(), "Start date: 15/03/2024 10:00");
        EXPECT_EQ(view->Frame.LabelEnd->text(), "Stop date: 15/03/2024 10:20");
        EXPECT_EQ(view->Frame.LabelNRec->text(), row->recordsLine);
        EXPECT_EQ(view->ValuesBlock().InfoPrint.RecordsLine, row->recordsLine);
        EXPECT_EQ(view->ValuesBlock().PeriodRecords, 3u);
        EXPECT_EQ(view->Chart->YAxis.Title(), row->yTitle);
        EXPECT_EQ(view->Traces().Axis1Min, row->defaultMin);
        EXPECT_EQ(view->Traces().Axis1Max, row->defaultMax);
        for (QLabel* label : view->LegendLabels) EXPECT_EQ(label->text(), "none");

        const bool shown = OnModal<QDialog>([&] { view->EditTraces(); }, [&](QDialog& d) {
            EXPECT_EQ(d.windowTitle(), row->dialogCaption);
            auto* base = qobject_cast<TTracesDialogBase*>(&d);
            ASSERT_NE(base, nullptr);
            EXPECT_EQ(base->GroupScale->title(), row->dialogScaleCaption);
            row->chooseTrace(d);
        });
        ASSERT_TRUE(shown);
        EXPECT_TRUE(view->AnyTrace());
        EXPECT_EQ(view->LegendLabels[0]->text(), row->legend);
        EXPECT_EQ(view->LegendLabels[1]->text(), "none");
        const std::span<const double> ys = view->Chart->GetSeries(1).Ys();
        EXPECT_EQ(std::vector<double>(ys.begin(), ys.end()), row->plotted);
        const TAxis& axis = row->axis == 2 ? view->Chart->YAxis_Second : view->Chart->YAxis;
        EXPECT_EQ(view->Chart->GetSeries(1).Axis(), &axis);
        EXPECT_EQ(axis.Title(), row->plottedTitle ? row->plottedTitle : row->yTitle);

        view->ToggleCursor();
        view->ChartMouseDown(TMouseButton::mbLeft, view->Chart->XToPixel(view->FullWindow().FirstTime) + 2, 100);
        EXPECT_EQ(view->LabelCursTime->text(), row->cursorTime);
        EXPECT_EQ(view->CursorLabels[0]->text(), row->firstReadout);
        EXPECT_TRUE(messages.messages.empty()) << ::testing::PrintToString(messages.Texts());
    }
}
