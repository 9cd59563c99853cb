// What the frequency, unbalance, voltage-harmonics and flicker views do apart from the voltage
// view: frequency periods in seconds, the harmonics traces dialog and its corrupt block tables,
// the flicker statistic sets, and each view's curve of the record under the cursor.
#include "view_test_support.h"

#include "graph/zr_graph.h"
#include "views/curve_form.h"
#include "views/traces_dlg.h"
#include "views/traces_hrm_dlg.h"
#include "views/trend_views.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// The cursor placed on the record of time t.
void ClickAt(TTrendViewForm& v, double t)
{
    v.ChartMouseDown(TMouseButton::mbLeft, v.Chart->XToPixel(t), 100);
}

}  // namespace

// Every ten seconds, the record at 10:00:40 missing: the head lines and the cursor show the
// seconds, the rate is counted in seconds, and points join only ten seconds apart.
TEST(FrequencyView, RecordsTenSecondsApart)
{
    std::vector<Bytes> records;
    std::vector<std::int32_t> curve(150, 0);
    for (int i = 0; i < 10; ++i) {
        if (i == 4) continue;
        const float avg = 50.0f + 0.25f * static_cast<float>(i);
        curve.assign(150, 0);
        curve[static_cast<std::size_t>(70 + i)] = 40;  // the class of -15 + 0.2 (70 + i)
        records.push_back(TrendRecord(MeasureFrequency, {.time = StampOf(ViewStart() + 10 * i * kOneSecond), .nominal = 50,
                                                         .period = 10, .flags = 2 | 32,
                                                         .phases = {{.values = {avg - 0.1f, avg, avg + 0.1f},
                                                                     .curveTotal = 40, .curve = curve}}}));
    }
    MeasureViewFixture f(MeasureFrequency, "f.hze", records);
    auto v = f.Open<TShowHzForm>();
    ASSERT_FALSE(v->OpenFailed());
    EXPECT_EQ(v->Frame.LabelIni->text(), "Start date: 15/03/2024 10:00:00");
    EXPECT_EQ(v->Frame.LabelEnd->text(), "Stop date: 15/03/2024 10:01:30");
    EXPECT_EQ(v->Frame.LabelNRec->text(), "Records: 9  (Rate: 10sec)");
    EXPECT_EQ(v->Chart->XAxis.Title(), "Time [minutes]");

    v->ApplyTraces(ChooseTraces(*v, 1));
    EXPECT_EQ(v->LegendLabels[0]->text(), "L1 Average");
    const TSeries& series = v->Chart->GetSeries(1);
    ASSERT_EQ(series.Count(), 9);
    EXPECT_EQ(std::vector<std::uint8_t>(series.Connects().begin(), series.Connects().end()),
              (std::vector<std::uint8_t>{0, 1, 1, 1, 0, 1, 1, 1, 1}));
    EXPECT_EQ(Plotted(*v, 1)[4], 51.25);

    v->ToggleCursor();
    ClickAt(*v, ViewStart() + 10 * kOneSecond);
    EXPECT_EQ(v->LabelCursTime->text(), "15/03 10:00:10");
    EXPECT_EQ(v->CursorLabels[0]->text(), "50.25 Hz");
    v->FormKeyDown(Qt::Key_Right, Qt::NoModifier);
    EXPECT_EQ(v->LabelCursTime->text(), "15/03 10:00:20");
    EXPECT_EQ(v->CursorLabels[0]->text(), "50.50 Hz");

    // The density curve of the cursor record: 150 classes of 0.2 from -15, L1 only.
    const bool shown = OnModal<TCurveForm>([&] { v->ShowDensityCurve(); }, [&](TCurveForm& c) {
        EXPECT_EQ(c.windowTitle(), "Density Curve");
        ASSERT_EQ(c.Points().size(), 151u);
        EXPECT_DOUBLE_EQ(c.Points()[0].X, -15);
        EXPECT_NEAR(c.Points().back().X, 15, 1e-4);
        EXPECT_DOUBLE_EQ(c.Points()[72].Y, 100);  // the 10:00:20 record's class
        EXPECT_FALSE(c.BtnPhase[1]->isEnabled());
        EXPECT_EQ(c.FootLines()[2], "Date: 15/03/2024 10:00");
        c.reject();
    });
    EXPECT_TRUE(shown);
    EXPECT_TRUE(f.messages.messages.empty()) << ::testing::PrintToString(f.messages.Texts());
}

TEST(UnbalanceView, TracesDialogOffersL1OnlyAndTheCurveIsTheCursorRecords)
{
    std::vector<Bytes> records;
    for (int i = 0; i < 5; ++i) {
        std::vector<std::int32_t> curve(100, 0);
        curve[static_cast<std::size_t>(10 * i)] = 7;
        records.push_back(TrendRecord(MeasureUnbalance, {.time = StampOf(ViewStart() + 10 * i * kOneMinute), .period = 10,
                                                         .flags = 2 | 32, .phases = {{.curveTotal = 7, .curve = curve}}}));
    }
    MeasureViewFixture f(MeasureUnbalance, "u.une", records);
    auto v = f.Open<TShowUnForm>();
    const bool dialogShown = OnModal<TTracesDlg>([&] { v->EditTraces(); }, [&](TTracesDlg& d) {
        d.Combos[0]->setCurrentIndex(2);
        d.ComboChange();
        EXPECT_TRUE(d.Radios[0][0]->isEnabled());
        EXPECT_FALSE(d.Radios[0][1]->isEnabled());
        EXPECT_FALSE(d.Radios[0][2]->isEnabled());
        d.BtnOk->click();
    });
    ASSERT_TRUE(dialogShown);
    v->ToggleCursor();
    ClickAt(*v, ViewStart() + 20 * kOneMinute);
    const bool curveShown = OnModal<TCurveForm>([&] { v->ShowDensityCurve(); }, [&](TCurveForm& c) {
        ASSERT_EQ(c.Points().size(), 101u);
        EXPECT_DOUBLE_EQ(c.Points()[20].Y, 100);
        EXPECT_NEAR(c.Points()[20].X, 2.0, 1e-6);
        EXPECT_EQ(c.FootLines()[2], "Date: 15/03/2024 10:20");
        c.reject();
    });
    EXPECT_TRUE(curveShown);
}

namespace {
// Three-phase harmonics records every ten minutes: THD with the 95 % pair and a curve, the
// fundamental with the 95 % pair, the 5th with the 90 % pair only, the 7th with the minimum,
// average and maximum. Record i's THD curve of phase p has all its samples in class 10 p + i;
// the 5th's 90 % maximum of phase p is 2 + p + i / 10.
std::vector<Bytes> HarmonicsRecords(int count)
{
    std::vector<Bytes> records;
    for (int i = 0; i < count; ++i) {
        HarmonicsRecordFields r{.time = StampOf(ViewStart() + 10 * i * kOneMinute), .period = 10};
        HarmonicBlockFields thd{.flags = 2 | 8 | 32, .order = 0};
        HarmonicBlockFields fifth{.flags = 4, .order = 5};
        for (int p = 0; p < 3; ++p) {
            PhaseBlockFields part{.curveTotal = 20, .curve = std::vector<std::int32_t>(50, 0)};
            part.curve[static_cast<std::size_t>(10 * p + i)] = 20;
            thd.phases.push_back(part);
            fifth.phases.push_back({.percentiles = {1, 2.0f + static_cast<float>(p) + static_cast<float>(i) / 10, 0, 0, 0, 0}});
        }
        r.blocks = {thd, {.flags = 2 | 8, .order = 1}, fifth, {.flags = 2, .order = 7}};
        records.push_back(HarmonicsRecord(r));
    }
    return records;
}
}  // namespace

TEST(HarmonicsView, OrderThenItsOwnStatisticsThenPhase)
{
    MeasureViewFixture f(MeasureVoltageHarmonics, "h.hme", HarmonicsRecords(3));
    auto v = f.Open<TShowHForm>();
    ASSERT_FALSE(v->OpenFailed());
    EXPECT_TRUE(v->HasCurve());
    const bool shown = OnModal<TTracesHrmDlg>([&] { v->EditTraces(); }, [&](TTracesHrmDlg& d) {
        EXPECT_EQ(d.LabelTitOrd->text(), "Order:");
        EXPECT_EQ(d.LabelTitMeas->text(), "Measure:");
        ASSERT_EQ(d.OrderLists[0]->count(), 4);
        EXPECT_EQ(d.OrderLists[0]->itemText(2), "5th");
        EXPECT_EQ(d.Combos[0]->count(), 6);  // the THD's "none", minimum, average, maximum and 95 % pair
        d.Combos[0]->setCurrentIndex(2);
        d.ComboChange();
        EXPECT_TRUE(d.Radios[0][1]->isEnabled());
        // Another order: its own statistics, reset to "none", the phases greyed.
        d.OrderLists[0]->setCurrentIndex(2);
        d.CBoxHChange(0);
        ASSERT_EQ(d.Combos[0]->count(), 3);
        EXPECT_EQ(d.Combos[0]->itemText(1), "Min Percentile 90%");
        EXPECT_EQ(d.Combos[0]->itemText(2), "Max Percentile 90%");
        EXPECT_EQ(d.Combos[0]->currentIndex(), 0);
        EXPECT_FALSE(d.Radios[0][0]->isEnabled());
        d.Combos[0]->setCurrentIndex(2);
        d.ComboChange();
        d.Radios[0][1]->setChecked(true);
        // Row 2: the 7th's average on L1.
        d.OrderLists[1]->setCurrentIndex(3);
        d.CBoxHChange(1);
        d.Combos[1]->setCurrentIndex(2);
        d.ComboChange();
        d.BtnOk->click();
    });
    ASSERT_TRUE(shown);
    // Blocks of 2 + 3 x 228 (THD), 2 + 3 x 22 (fundamental), 2 + 3 x 10 (5th): the 5th's flags
    // word at 16 + 686 + 68 = 770, its L2 90 % maximum at 770 + 4 + 10 + 4; the 7th at 802.
    EXPECT_EQ(v->Traces().Entries[0].Extra, 2);
    EXPECT_EQ(v->Traces().Entries[0].Offset, 788);
    EXPECT_EQ(v->Traces().Entries[1].Offset, 802 + 4 + 4);
    EXPECT_EQ(v->LegendLabels[0]->text(), "L2 5th - Max Percentile 90%");
    EXPECT_EQ(v->LegendLabels[1]->text(), "L1 7th - Average");
    const std::vector<double> fifth = Plotted(*v, 1);
    ASSERT_EQ(fifth.size(), 3u);
    EXPECT_FLOAT_EQ(static_cast<float>(fifth[2]), 3.2f);
    v->ToggleCursor();
    ClickAt(*v, ViewStart() + 10 * kOneMinute);
    EXPECT_EQ(v->CursorLabels[0]->text(), "3.100 %");

    // Reopened, the dialog shows the last applied choice.
    OnModal<TTracesHrmDlg>([&] { v->EditTraces(); }, [&](TTracesHrmDlg& d) {
        EXPECT_EQ(d.OrderLists[0]->currentIndex(), 2);
        EXPECT_EQ(d.Combos[0]->count(), 3);
        EXPECT_EQ(d.Combos[0]->currentIndex(), 2);
        EXPECT_TRUE(d.Radios[0][1]->isChecked());
        d.reject();
    });
    EXPECT_TRUE(f.messages.messages.empty()) << ::testing::PrintToString(f.messages.Texts());
}

// The curve is the chosen order's of the record under the cursor; before the first click, of
// the interval's first record, never of the file's first.
TEST(HarmonicsView, CurveOfTheCursorRecordAndOrder)
{
    MeasureViewFixture f(MeasureVoltageHarmonics, "h.hme", HarmonicsRecords(5), ViewStart() + 10 * kOneMinute,
                         ViewStart() + 40 * kOneMinute);
    auto v = f.Open<TShowHForm>();
    v->ApplyTraces([&] {
        TTraceSettings s = v->Traces();
        s.Entries[0].Item = 2;
        s.Entries[0].Offset = 24;
        return s;
    }());
    v->ToggleCursor();
    const bool first = OnModal<TCurveForm>([&] { v->ShowDensityCurve(); }, [&](TCurveForm& c) {
        EXPECT_TRUE(c.CBoxHarm->isVisibleTo(&c));
        ASSERT_EQ(c.CBoxHarm->count(), 1);  // only the THD block carries a curve
        EXPECT_EQ(c.CBoxHarm->itemText(0), "Thd");
        EXPECT_EQ(c.FootLines()[2], "Date: 15/03/2024 10:10");
        ASSERT_EQ(c.Points().size(), 51u);
        EXPECT_DOUBLE_EQ(c.Points()[1].Y, 100);  // record 1, L1: class 1
        c.BtnPhaseClick(2);
        EXPECT_DOUBLE_EQ(c.Points()[21].Y, 100);
        c.reject();
    });
    EXPECT_TRUE(first);
    ClickAt(*v, ViewStart() + 30 * kOneMinute);
    const bool clicked = OnModal<TCurveForm>([&] { v->ShowDensityCurve(); }, [&](TCurveForm& c) {
        EXPECT_EQ(c.FootLines()[2], "Date: 15/03/2024 10:30");
        EXPECT_DOUBLE_EQ(c.Points()[3].Y, 100);
        c.reject();
    });
    EXPECT_TRUE(clicked);
}

// A first record whose block table does not fit is a corrupt file: the message, no view.
TEST(HarmonicsView, CorruptBlockTablesRefuseTheFile)
{
    struct Case {
        const char* name;
        std::uint64_t at;  // file offset of the patched word
        std::uint16_t value;
    };
    const std::uint64_t firstRecord = 8;
    const Case cases[] = {
        {"BlockCountBeyondCapacity", firstRecord + 12, static_cast<std::uint16_t>(kMaxHarmonicBlocks + 1)},
        {"BlockCountBeyondTheRecord", firstRecord + 12, 5},
        {"ChannelCodeOutsideTheOrders", firstRecord + 16 + 2, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MeasureViewFixture f(MeasureVoltageHarmonics, "h.hme", HarmonicsRecords(3));
        PatchFile(f.path, c.at, {static_cast<std::uint8_t>(c.value & 0xFF), static_cast<std::uint8_t>(c.value >> 8)});
        EXPECT_EQ(OpenTrendView<TShowHForm>(f.services.Context(), nullptr), nullptr);
        EXPECT_EQ(f.messages.Texts(), std::vector<std::string>{"Voltage Harmonics survey is corrupted. Unable to open the file."});
    }
}

namespace {
// Flicker records every ten minutes; Pst of phase p at record i: 0.1 (p + 1) + i, Plt twice
// that; with `cpf`, phase p's curve value k: 100 - k / 20 - p - i.
std::vector<Bytes> FlickerRecords(std::uint16_t flags, std::uint8_t mode, bool cpf)
{
    std::vector<Bytes> records;
    for (int i = 0; i < 3; ++i) {
        FlickerRecordFields r{.time = StampOf(ViewStart() + 10 * i * kOneMinute), .period = 10, .flags = flags, .mode = mode};
        for (int p = 0; p < 3; ++p) {
            FlickerPhaseFields phase;
            phase.stats[0] = 0.1f * static_cast<float>(p + 1) + static_cast<float>(i);
            phase.stats[7] = 2 * phase.stats[0];
            if (cpf)
                for (int k = 0; k < 1024; ++k) phase.curve.push_back(100.0f - static_cast<float>(k) / 20 - static_cast<float>(p + i));
            r.phases.push_back(phase);
        }
        records.push_back(FlickerRecord(r));
    }
    return records;
}
}  // namespace

TEST(FlickerView, ShortSetWithCpfCurves)
{
    MeasureViewFixture f(MeasureFlicker, "f.fle", FlickerRecords(1, 1, true));  // mode 1 without the full-set flag
    auto v = f.Open<TShowFlkForm>();
    ASSERT_FALSE(v->OpenFailed());
    const bool shown = OnModal<TTracesDlg>([&] { v->EditTraces(); }, [&](TTracesDlg& d) {
        ASSERT_EQ(d.Combos[0]->count(), 3);
        EXPECT_EQ(d.Combos[0]->itemText(1), "Pst");
        EXPECT_EQ(d.Combos[0]->itemText(2), "Plt");
        d.Combos[0]->setCurrentIndex(1);
        d.ComboChange();
        d.Radios[0][1]->setChecked(true);
        d.BtnOk->click();
    });
    ASSERT_TRUE(shown);
    EXPECT_EQ(v->Traces().Entries[0].Offset, 25 + 4104);
    EXPECT_EQ(v->LegendLabels[0]->text(), "L2 Pst");
    const std::vector<double> pst = Plotted(*v, 1);
    ASSERT_EQ(pst.size(), 3u);
    EXPECT_FLOAT_EQ(static_cast<float>(pst[1]), 1.2f);

    v->ToggleCursor();
    ClickAt(*v, ViewStart() + 10 * kOneMinute);
    EXPECT_EQ(v->CursorLabels[0]->text(), "1.20 p.u.");
    EXPECT_TRUE(v->HasCurve());
    const bool curve = OnModal<TCurveForm>([&] { v->ShowDensityCurve(); }, [&](TCurveForm& c) {
        EXPECT_EQ(c.windowTitle(), "CPF Curve");
        ASSERT_EQ(c.Points().size(), 1024u);
        EXPECT_DOUBLE_EQ(c.Points()[0].X, 0.01);
        EXPECT_FLOAT_EQ(static_cast<float>(c.Points()[0].Y), 99.0f);  // record 1, L1
        EXPECT_FLOAT_EQ(static_cast<float>(c.Points()[200].Y), 89.0f);
        for (QToolButton* b : {c.BtnMinLeft, c.BtnMaxLeft, c.BtnMinRight, c.BtnMaxRight}) EXPECT_FALSE(b->isEnabled());
        c.BtnPhaseClick(2);
        EXPECT_FLOAT_EQ(static_cast<float>(c.Points()[0].Y), 97.0f);
        EXPECT_EQ(c.FootLines()[2], "Date: 15/03/2024 10:10");
        c.reject();
    });
    EXPECT_TRUE(curve);
    EXPECT_TRUE(f.messages.messages.empty()) << ::testing::PrintToString(f.messages.Texts());
}

TEST(FlickerView, WithoutCpfCurvesTheCurveStaysOff)
{
    MeasureViewFixture f(MeasureFlicker, "f.fle", FlickerRecords(0, 0, false));
    auto v = f.Open<TShowFlkForm>();
    EXPECT_EQ(v->Columns().StatCount(), 8);
    v->ApplyTraces(ChooseTraces(*v, 3, 8));  // Plt of L1, L2, L3
    EXPECT_FLOAT_EQ(static_cast<float>(Plotted(*v, 3)[2]), 4.6f);
    v->ToggleCursor();
    ClickAt(*v, ViewStart());
    EXPECT_FALSE(v->HasCurve());
    EXPECT_FALSE(OnModal<TCurveForm>([&] { v->ShowDensityCurve(); }, [](TCurveForm& c) { c.reject(); }));
}
