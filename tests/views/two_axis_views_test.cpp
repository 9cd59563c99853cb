// The powers-and-currents, current-harmonics and energy views on small files of their measure:
// which axes a file's content shows, the thousand and million prefixes applied to axis, title,
// plotted values and readouts alike, the rows' rules of their traces dialogs, the "Amp." box
// that moves a current harmonic to the ampere axis, and the energy view's cursor line.
#include "view_test_support.h"

#include "fixtures/on_modal.h"
#include "graph/zr_graph.h"
#include "views/traces_en_dlg.h"
#include "views/traces_hrm_curr_dlg.h"
#include "views/traces_w_dlg.h"
#include "views/trace_settings.h"
#include "views/trend_views.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
FixtureStamp RecordStamp(int i) { return StampOf(ViewStart() + i * 10 * kOneMinute); }

// `count` records ten minutes apart from the view tests' start.
std::vector<Bytes> Records(const std::function<Bytes(int)>& record, int count = 3)
{
    std::vector<Bytes> records;
    for (int i = 0; i < count; ++i) records.push_back(record(i));
    return records;
}

// The cursor placed on the first record, and the readout of trace `k` (1 to 6).
QString FirstReadout(TTrendViewForm& view, int k)
{
    if (!view.CursorOn()) view.ToggleCursor();
    view.ChartMouseDown(TMouseButton::mbLeft, view.Chart->XToPixel(view.FullWindow().FirstTime) + 2, 100);
    return view.CursorLabels[static_cast<std::size_t>(k - 1)]->text();
}

// Powers record i: active power `watts(i)` on average, currents L1 to L3 of 80, 81, 82 A.
Bytes Powers(int i, std::uint16_t flags, float watts, std::uint16_t wiring = 0, std::uint16_t currentWiring = 0)
{
    PowerRecordFields r{.time = RecordStamp(i), .wiring = wiring, .currentWiring = currentWiring, .period = 10, .flags = flags};
    r.active = {watts - 10, watts, watts + 10};
    r.currents = {MinAvgMax{79, 80, 81}, MinAvgMax{80, 81, 82}, MinAvgMax{81, 82, 83}};
    return PowerRecord(r);
}
}  // namespace

// The left axis shows when the file records a power, the right one when it records currents;
// an axis group of the dialog is only usable for an axis shown.
TEST(PowersView, AxesShownByWhatTheFileRecords)
{
    const struct {
        const char* name;
        std::uint16_t flags;
        bool left, right;
        std::vector<std::string> items;
    } cases[] = {
        {"PowersAndCurrents", 2 | 16, true, true,
         {"none", "Min. Active Power", "Avg. Active Power", "Max. Active Power", "Min. Current", "Avg. Current", "Max. Current"}},
        {"CurrentsOnly", 16, false, true, {"none", "Min. Current", "Avg. Current", "Max. Current"}},
        {"PowersOnly", 2 | 4, true, false,
         {"none", "Min. Active Power", "Avg. Active Power", "Max. Active Power", "Min. Reactive Power", "Avg. Reactive Power",
          "Max. Reactive Power"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MeasureViewFixture f(MeasurePowers, "p.wme", Records([&](int i) { return Powers(i, c.flags, 500); }));
        auto view = f.Open<TShowWForm>();
        ASSERT_FALSE(view->OpenFailed());
        EXPECT_EQ(view->Chart->YAxis.ShowAxis(), c.left);
        EXPECT_EQ(view->Chart->YAxis.ShowTitle(), c.left);
        EXPECT_EQ(view->Chart->YAxis_Second.ShowAxis(), c.right);
        EXPECT_EQ(view->Chart->YAxis_Second.ShowLabel(), c.right);
        EXPECT_EQ(view->Chart->YAxis.Title(), "Powers (W / VAr / VA)");
        EXPECT_EQ(view->Chart->YAxis_Second.Title(), "Currents (A)");
        EXPECT_EQ(view->Chart->Dimensions.RightMargin(), 50);
        EXPECT_EQ(view->Layout().Columns.StatNames, c.items);
        EXPECT_TRUE(OnModal<TTracesWDlg>([&] { view->EditTraces(); }, [&](TTracesWDlg& d) {
            EXPECT_EQ(d.GroupScale->isEnabled(), c.left);
            EXPECT_EQ(d.GroupScale2->isEnabled(), c.right);
            EXPECT_EQ(d.GroupScale2->title(), "Currents Y Axis");
            d.reject();
        }));
        EXPECT_TRUE(f.messages.messages.empty());
    }
}

// One scale for axis, title, values and readouts: the powers in millions, the current beside
// them as read; a manual maximum below 1000 puts the powers back in watts.
TEST(PowersView, PrefixesOnAxisTitleValuesAndReadouts)
{
    MeasureViewFixture f(MeasurePowers, "p.wme",
                         Records([](int i) { return Powers(i, 2 | 16, 2500000.0f + 500000.0f * static_cast<float>(i)); }));
    auto view = f.Open<TShowWForm>();
    TTraceSettings s = view->Traces();
    s.Entries[0] = {.Item = 2, .Offset = 24, .Extra = 1, .Phase = 3, .Colour = s.Entries[0].Colour, .AxisIndex = 1};
    s.Entries[1] = {.Item = 5, .Offset = 36, .Extra = 4, .Phase = 0, .Colour = s.Entries[1].Colour, .AxisIndex = 2};
    view->ApplyTraces(s);
    EXPECT_EQ(view->ScalePrefix(), TScalePrefix::Millions);
    EXPECT_EQ(view->Chart->YAxis.Title(), "Potenze (MW / MVAr / MVA)");
    EXPECT_EQ(Plotted(*view, 1), (std::vector<double>{2.5, 3, 3.5}));
    EXPECT_EQ(view->Chart->GetSeries(2).Axis(), &view->Chart->YAxis_Second);
    EXPECT_EQ(Plotted(*view, 2), (std::vector<double>{80, 80, 80}));
    EXPECT_EQ(view->LegendLabels[0]->text(), "3Ph. Avg. Active Power");
    EXPECT_EQ(view->LegendLabels[1]->text(), "L1 Avg. Current");
    EXPECT_EQ(FirstReadout(*view, 1), "2.500 MW");
    EXPECT_EQ(FirstReadout(*view, 2), "80 A");

    s.Axis1Auto = false;
    s.Axis1Min = 0;
    s.Axis1Max = 500;
    view->ApplyTraces(s);
    EXPECT_EQ(view->ScalePrefix(), TScalePrefix::None);
    EXPECT_EQ(view->Chart->YAxis.Title(), "Powers (W / VAr / VA)");
    EXPECT_DOUBLE_EQ(view->Chart->YAxis.Max(), 500);
    EXPECT_EQ(Plotted(*view, 1), (std::vector<double>{2500000, 3000000, 3500000}));

    // A manual maximum in thousands: axis and values both in kilowatts.
    s.Axis1Max = 4000000;
    view->ApplyTraces(s);
    EXPECT_EQ(view->ScalePrefix(), TScalePrefix::Millions);
    EXPECT_DOUBLE_EQ(view->Chart->YAxis.Max(), 4);
    s.Axis1Max = 5000;
    view->ApplyTraces(s);
    EXPECT_EQ(view->Chart->YAxis.Title(), "Potenze (kW / kVAr / kVA)");
    EXPECT_DOUBLE_EQ(view->Chart->YAxis.Max(), 5);
    EXPECT_EQ(Plotted(*view, 1), (std::vector<double>{2500, 3000, 3500}));
    EXPECT_TRUE(f.messages.messages.empty());
}

// The row rule: a power takes 3Ph., a current one of the phases the wiring records.
TEST(TracesWDlg, RowsFollowTheItemAndTheWiring)
{
    const struct {
        const char* name;
        std::uint16_t wiring, currentWiring;
        bool l2, l3;
    } cases[] = {
        {"ThreeCurrents", 0, 0, true, true},
        {"TwoCurrents", 0, 1, true, false},
        {"SinglePhase", 1, 0, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MeasureViewFixture f(MeasurePowers, "p.wme", Records([&](int i) { return Powers(i, 2 | 16, 500, c.wiring, c.currentWiring); }));
        auto view = f.Open<TShowWForm>();
        TTracesWDlg d;
        d.SetTraces(view->Layout(), view->Traces());
        // A new row: "none" on 3Ph., every radio greyed.
        EXPECT_TRUE(d.Radios[0][kThreePhase]->isChecked());
        EXPECT_FALSE(d.Radios[0][kThreePhase]->isEnabled());
        d.Combos[0]->setCurrentIndex(6);  // Max. Current, from 3Ph.: L1
        d.ComboChange(0);
        EXPECT_TRUE(d.Radios[0][0]->isChecked());
        EXPECT_FALSE(d.Radios[0][kThreePhase]->isEnabled());
        EXPECT_TRUE(d.Radios[0][0]->isEnabled());
        EXPECT_EQ(d.Radios[0][1]->isEnabled(), c.l2);
        EXPECT_EQ(d.Radios[0][2]->isEnabled(), c.l3);
        if (c.l2) d.Radios[0][1]->setChecked(true);
        d.Combos[1]->setCurrentIndex(4);  // Min. Current, the power row below keeps its own
        d.ComboChange(1);
        d.Combos[0]->setCurrentIndex(2);  // Avg. Active Power, from L2: 3Ph.
        d.ComboChange(0);
        EXPECT_TRUE(d.Radios[0][kThreePhase]->isChecked());
        EXPECT_TRUE(d.Radios[0][kThreePhase]->isEnabled());
        EXPECT_FALSE(d.Radios[0][0]->isEnabled());
        d.EditMax->setText("1200");
        d.AxisGroups[1].CBoxAuto->setChecked(false);
        d.CBoxAutoClick();
        EXPECT_TRUE(d.AxisGroups[1].EditMax->isEnabled());
        d.AxisGroups[1].EditMax->setText("250");
        d.AxisGroups[1].SpinMaxUp->click();
        EXPECT_EQ(d.AxisGroups[1].EditMax->text(), "251.00");
        d.AxisGroups[1].EditMin->setText("0");
        d.AxisGroups[1].SpinMinDown->click();
        EXPECT_EQ(d.AxisGroups[1].EditMin->text(), "-1.00");
        d.BtnOkClick();
        ASSERT_EQ(d.result(), QDialog::Accepted);
        TTraceSettings s;
        d.GetTraceSettings(s);
        EXPECT_EQ(s.Entries[0].Phase, 3);
        EXPECT_EQ(s.Entries[0].AxisIndex, 1);
        EXPECT_EQ(s.Entries[0].Extra, 1);
        EXPECT_EQ(s.Entries[1].Phase, 0);
        EXPECT_EQ(s.Entries[1].AxisIndex, 2);
        EXPECT_EQ(s.Entries[1].Extra, 4);
        EXPECT_EQ(s.Entries[1].Offset, 32);
        EXPECT_EQ(s.Axis1Max, 1200);
        EXPECT_FALSE(s.Axis2Auto);
        EXPECT_EQ(s.Axis2Min, -1);
        EXPECT_EQ(s.Axis2Max, 251);
    }
}

// A number that is not one in the second group keeps the dialog open with nothing taken.
TEST(TracesWDlg, ABadCurrentsMaximumIsRefused)
{
    MeasureViewFixture f(MeasurePowers, "p.wme", Records([](int i) { return Powers(i, 2 | 16, 500); }));
    auto view = f.Open<TShowWForm>();
    TTracesWDlg d;
    d.SetTraces(view->Layout(), view->Traces());
    d.Combos[0]->setCurrentIndex(2);
    d.ComboChange(0);
    d.AxisGroups[1].EditMax->setText("x");
    d.BtnOkClick();
    EXPECT_NE(d.result(), QDialog::Accepted);
    TTraceSettings s;
    d.GetTraceSettings(s);
    EXPECT_EQ(s.Entries[0].Item, 0);
    EXPECT_EQ(f.messages.Texts(), std::vector<std::string>{"Invalid float conversion"});
}

namespace {
// Current harmonics: THD and the 3rd, three-phase; the 3rd's L2 average is 4 + i % and 2 + i A.
std::vector<Bytes> CurrentHarmonics()
{
    return Records([](int i) {
        CurrentHarmonicsRecordFields r{.time = RecordStamp(i), .period = 10};
        r.blocks.push_back({.index = 0});
        CurrentHarmonicBlockFields third{.index = 4};
        const float f = static_cast<float>(i);
        for (int p = 0; p < 3; ++p) third.phases.push_back({.avgPercent = p == 1 ? 4 + f : 1, .avgAmpere = p == 1 ? 2 + f : 1});
        r.blocks.push_back(third);
        return CurrentHarmonicsRecord(r);
    });
}

void ChooseThirdL2Average(TTracesHrmCurrDlg& d, bool ampere)
{
    d.OrderLists[0]->setCurrentIndex(1);
    d.CBoxHChange(0);
    d.Combos[0]->setCurrentIndex(2);
    d.ComboChange(0);
    d.Radios[0][1]->setChecked(true);
    d.AmpBoxes[0]->setChecked(ampere);
    d.BtnOk->click();
}
}  // namespace

// "Amp." moves a trace to the ampere axis: the same harmonic in percent on the left, in ampere
// on the right, its legend and readout in its unit.
TEST(CurrentHarmonicsView, AmpMovesATraceToTheAmpereAxis)
{
    MeasureViewFixture f(MeasureCurrentHarmonics, "h.hmi", CurrentHarmonics());
    auto view = f.Open<TShowHmCurrForm>();
    ASSERT_FALSE(view->OpenFailed());
    EXPECT_TRUE(view->Chart->YAxis_Second.ShowAxis());  // drawn from the start
    EXPECT_EQ(view->Chart->YAxis_Second.Title(), "Ampere");
    EXPECT_EQ(view->Chart->Dimensions.RightMargin(), 60);
    EXPECT_EQ(view->Chart->Appearance.ErrorCaption(), "Errore: valori non validi");
    const struct {
        bool ampere;
        const TAxis* axis;
        std::vector<double> plotted;
        const char* legend;
        const char* readout;
    } cases[] = {
        {false, &view->Chart->YAxis, {4, 5, 6}, "L2 3rd - Average(%)", "4.000 %"},
        {true, &view->Chart->YAxis_Second, {2, 3, 4}, "L2 3rd - Average(A)", "2.000 A"},
        {false, &view->Chart->YAxis, {4, 5, 6}, "L2 3rd - Average(%)", "4.000 %"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ampere ? "ampere" : "percent");
        ASSERT_TRUE(OnModal<TTracesHrmCurrDlg>([&] { view->EditTraces(); }, [&](TTracesHrmCurrDlg& d) {
            // The dialog shows the row as last applied.
            EXPECT_EQ(d.AmpBoxes[0]->isChecked(), view->Traces().Entries[0].AxisIndex == 2);
            ChooseThirdL2Average(d, c.ampere);
        }));
        EXPECT_EQ(view->Traces().Entries[0].AxisIndex, c.ampere ? 2 : 1);
        EXPECT_EQ(view->Chart->GetSeries(1).Axis(), c.axis);
        EXPECT_EQ(Plotted(*view, 1), c.plotted);
        EXPECT_EQ(view->LegendLabels[0]->text(), c.legend);
        EXPECT_EQ(FirstReadout(*view, 1), c.readout);
    }
    // After a traces change with the cursor on, the readouts wait for the next click or key.
    ASSERT_TRUE(view->CursorOn());
    view->ApplyTraces(view->Traces());
    EXPECT_TRUE(view->CursorLabels[0]->text().isEmpty());
    EXPECT_TRUE(f.messages.messages.empty());
}

// A new order resets its row's statistic and greys its radios and its "Amp." box, keeping the tick.
TEST(TracesHrmCurrDlg, ANewOrderResetsItsRow)
{
    MeasureViewFixture f(MeasureCurrentHarmonics, "h.hmi", CurrentHarmonics());
    auto view = f.Open<TShowHmCurrForm>();
    TTracesHrmCurrDlg d;
    d.SetTraces(view->Layout(), view->Traces());
    EXPECT_EQ(d.windowTitle(), "Harmonics Traces Settings");
    EXPECT_EQ(d.GroupScale2->title(), "Y Axis (A)");
    EXPECT_FALSE(d.AmpBoxes[0]->isEnabled());
    d.Combos[0]->setCurrentIndex(3);
    d.ComboChange(0);
    EXPECT_TRUE(d.AmpBoxes[0]->isEnabled());
    EXPECT_TRUE(d.Radios[0][2]->isEnabled());
    d.AmpBoxes[0]->setChecked(true);
    d.OrderLists[0]->setCurrentIndex(1);
    d.CBoxHChange(0);
    EXPECT_EQ(d.Combos[0]->currentIndex(), 0);
    EXPECT_FALSE(d.AmpBoxes[0]->isEnabled());
    EXPECT_TRUE(d.AmpBoxes[0]->isChecked());
    EXPECT_FALSE(d.Radios[0][0]->isEnabled());
}

namespace {
// Energy counters: received active energy 2500 + 500 i kWh (L1 to L3 a third each when the
// file holds per-phase energies), reactive Q1 0.5 kVArh.
std::vector<Bytes> Energy(std::uint16_t perPhase)
{
    return Records([perPhase](int i) {
        EnergyRecordFields r{.time = RecordStamp(i), .perPhase = perPhase, .period = 10};
        r.totals[0] = 2500.0f + 500.0f * static_cast<float>(i);
        r.totals[2] = 0.5f;
        for (std::size_t p = 0; p < 3; ++p) r.phaseEnergies[p] = r.totals[0] / 3;
        return EnergyRecord(r);
    });
}
}  // namespace

// The per-phase rule: only received and delivered active energy of a file that holds them take
// L1 to L3; every other item is a total, and a row that changes to one takes 3Ph.
TEST(TracesEnDlg, PhasesOnlyForThePerPhaseEnergies)
{
    for (std::uint16_t perPhase : {std::uint16_t{0}, std::uint16_t{1}}) {
        SCOPED_TRACE(perPhase == 0 ? "per-phase" : "totals only");
        MeasureViewFixture f(MeasureEnergy, "e.ene", Energy(perPhase));
        auto view = f.Open<TShowEnForm>();
        TTracesEnDlg d;
        d.SetTraces(view->Layout(), view->Traces());
        EXPECT_EQ(d.windowTitle(), "Energy Traces Settings");
        EXPECT_EQ(d.AxisGroups.size(), 1u);
        for (int item = 1; item <= 11; ++item) {
            d.Combos[0]->setCurrentIndex(item);
            d.ComboChange(0);
            const bool phases = perPhase == 0 && item <= 2;
            EXPECT_TRUE(d.Radios[0][kThreePhase]->isEnabled()) << item;
            for (int p = 0; p < 3; ++p) EXPECT_EQ(d.Radios[0][static_cast<std::size_t>(p)]->isEnabled(), phases) << item;
        }
        d.Combos[0]->setCurrentIndex(2);  // Active Energy Delivered, L3 where it can
        d.ComboChange(0);
        d.Radios[0][2]->setChecked(true);
        d.Combos[0]->setCurrentIndex(4);  // Reactive Energy Q2: a total
        d.ComboChange(0);
        EXPECT_TRUE(d.Radios[0][kThreePhase]->isChecked());
        d.Combos[1]->setCurrentIndex(1);
        d.ComboChange(1);
        d.Radios[1][1]->setChecked(true);  // Received L2, greyed in a file of totals
        d.BtnOkClick();
        TTraceSettings s;
        d.GetTraceSettings(s);
        EXPECT_EQ(s.Entries[0].Phase, 3);
        EXPECT_EQ(s.Entries[0].Offset, 30);
        EXPECT_EQ(s.Entries[0].Extra, 2);
        EXPECT_EQ(s.Entries[1].Phase, perPhase == 0 ? 1 : 3);
        EXPECT_EQ(s.Entries[1].Offset, perPhase == 0 ? 66 : 18);
        EXPECT_EQ(s.Entries[1].AxisIndex, 1);
    }
}

// Counters read in Wh (x 1000) reach millions; a manual maximum in thousands turns the axis,
// the title, the values and the readouts to kWh; before the cursor is on, a click draws the
// graph's cursor line without readouts.
TEST(EnergyView, MillionsThousandsAndTheCursorLineFromTheStart)
{
    MeasureViewFixture f(MeasureEnergy, "e.ene", Energy(0));
    auto view = f.Open<TShowEnForm>();
    ASSERT_FALSE(view->OpenFailed());
    EXPECT_FALSE(view->Chart->YAxis_Second.ShowAxis());
    EXPECT_EQ(view->Chart->YAxis.Title(), "Energy (Wh / VArh / VAh)");
    EXPECT_TRUE(view->Chart->XCursor());
    const int row = (view->Chart->Dimensions.TopMargin() + view->Chart->Height() - view->Chart->Dimensions.BottomMargin()) / 2;
    TTraceSettings s = view->Traces();
    s.Entries[0].Item = 1;
    s.Entries[0].Phase = 0;  // L1 received
    s.Entries[1].Item = 3;   // reactive Q1
    ResolveEnergyTrace(s.Entries[0], view->Layout().Columns, true);
    ResolveEnergyTrace(s.Entries[1], view->Layout().Columns, true);
    view->ApplyTraces(s);
    view->Chart->MouseDown(TMouseButton::mbLeft, {}, view->Chart->XToPixel(view->FullWindow().FirstTime) + 2, row);
    EXPECT_TRUE(view->Chart->CursorLineShown());
    EXPECT_FALSE(view->CursorLabels[0]->isVisible());

    EXPECT_EQ(view->ScalePrefix(), TScalePrefix::Millions);
    EXPECT_EQ(view->Chart->YAxis.Title(), "Energy (MWh / MVArh / MVAh)");
    const std::vector<double> l1 = Plotted(*view, 1);
    ASSERT_EQ(l1.size(), 3u);
    EXPECT_NEAR(l1[0], 2500.0 / 3 / 1000, 1e-6);
    EXPECT_EQ(view->LegendLabels[0]->text(), "L1 Active Energy Received");
    EXPECT_EQ(view->LegendLabels[1]->text(), "3Ph. Reactive Energy Q1");
    EXPECT_EQ(FirstReadout(*view, 1), "0.833 MWh");
    EXPECT_EQ(FirstReadout(*view, 2), "0.001 MVArh");

    s.Axis1Auto = false;
    s.Axis1Min = 0;
    s.Axis1Max = 5000;
    view->ApplyTraces(s);
    EXPECT_EQ(view->Chart->YAxis.Title(), "Energy (kWh / kVArh / kVAh)");
    EXPECT_DOUBLE_EQ(view->Chart->YAxis.Max(), 5);
    EXPECT_EQ(Plotted(*view, 2), (std::vector<double>{0.5, 0.5, 0.5}));
    EXPECT_EQ(FirstReadout(*view, 2), "0.500 kVArh");
    EXPECT_TRUE(f.messages.messages.empty());
}
