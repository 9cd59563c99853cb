// The traces dialog driven without its modal loop: offsets from the column table, phases by
// wiring, colours by drop, a bad minimum refused with the dialog kept open, and each row of
// phase radios in line with its trace's list.
#include "views/traces_dlg.h"

#include "platform/scripted_messages.h"
#include "survey/trace_colours.h"
#include "views/colour_grid.h"
#include "views/trace_settings.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

namespace {
struct DialogFixture {
    ScriptedMessages messages;
    TTrendColumns columns = BuildTrendColumns(2, true, 120);
    TTraceSettings settings = NewTraceSettings(200, 250);
    TTracesDlg dialog;

    explicit DialogFixture(bool threePhase = true)
    {
        if (!threePhase) columns = BuildTrendColumns(2, false, 120);
        dialog.SetMeasure(threePhase, 1);
        dialog.SetTraces(columns.StatNames, settings, columns.Columns);
    }
    TTraceSettings Result() const
    {
        TTraceSettings s;
        dialog.GetTraceSettings(s);
        return s;
    }
};
}  // namespace

TEST(TracesDlg, OffsetsResolveFromTheColumnTable)
{
    DialogFixture f;
    EXPECT_EQ(f.dialog.windowTitle(), "Voltage Traces Settings");
    EXPECT_EQ(f.dialog.GroupScale->title(), "Y Axis (Volt)");
    EXPECT_EQ(f.dialog.EditMax->text(), "250.00");
    f.dialog.Combos[0]->setCurrentIndex(2);  // Average on L3: entry 3 x 2 + 2 = 8
    f.dialog.ComboChange();
    f.dialog.Radios[0][2]->setChecked(true);
    f.dialog.Combos[1]->setCurrentIndex(1);  // Minimum on L1
    f.dialog.ComboChange();
    f.dialog.BtnOkClick();
    EXPECT_EQ(f.dialog.result(), QDialog::Accepted);
    const TTraceSettings s = f.Result();
    EXPECT_EQ(s.Entries[0].Item, 2);
    EXPECT_EQ(s.Entries[0].Phase, 2);
    EXPECT_EQ(s.Entries[0].Offset, f.columns.Columns[8]);
    EXPECT_EQ(s.Entries[1].Offset, 20);
    EXPECT_EQ(s.Entries[2].Item, 0);
    EXPECT_EQ(s.Entries[2].Offset, 0);
    EXPECT_TRUE(f.messages.messages.empty());
}

TEST(TracesDlg, PhasesFollowWiringAndNone)
{
    DialogFixture single(false);
    single.dialog.Combos[0]->setCurrentIndex(3);
    single.dialog.ComboChange();
    EXPECT_TRUE(single.dialog.Radios[0][0]->isEnabled());
    EXPECT_FALSE(single.dialog.Radios[0][1]->isEnabled());
    EXPECT_FALSE(single.dialog.Radios[0][2]->isEnabled());
    // A row left on "none" has its radios greyed.
    EXPECT_FALSE(single.dialog.Radios[1][0]->isEnabled());

    DialogFixture three;
    three.dialog.Combos[0]->setCurrentIndex(3);
    three.dialog.ComboChange();
    EXPECT_TRUE(three.dialog.Radios[0][2]->isEnabled());
}

TEST(TracesDlg, BadMinimumIsRefusedAndTheDialogStaysOpen)
{
    DialogFixture f;
    f.dialog.CBoxAuto->setChecked(false);
    f.dialog.CBoxAutoClick();
    f.dialog.Combos[0]->setCurrentIndex(2);
    f.dialog.EditMin->setText("12x");
    f.dialog.BtnOkClick();
    EXPECT_NE(f.dialog.result(), QDialog::Accepted);
    EXPECT_EQ(f.messages.Texts(), std::vector<std::string>{"Invalid float conversion"});
    EXPECT_EQ(f.Result(), f.settings);  // nothing taken

    f.dialog.EditMin->setText("100");
    f.dialog.BtnOkClick();
    EXPECT_EQ(f.dialog.result(), QDialog::Accepted);
    EXPECT_FALSE(f.Result().Axis1Auto);
    EXPECT_EQ(f.Result().Axis1Min, 100);
}

TEST(TracesDlg, ColourDropChangesOnlyThatTrace)
{
    DialogFixture f;
    f.dialog.ColorGrid->SetForegroundIndex(12);  // blue
    f.dialog.ComboDragDrop(2);
    EXPECT_EQ(f.dialog.ListColour(2), Palette16[12]);
    EXPECT_EQ(f.dialog.ListColour(0), DefaultTraceColours[0]);
    f.dialog.BtnOkClick();
    EXPECT_EQ(f.Result().Entries[2].Colour, Palette16[12]);
    EXPECT_EQ(f.Result().Entries[1].Colour, DefaultTraceColours[1]);
}

TEST(TracesDlg, SpinButtonsStepByOneAndKeepABadText)
{
    DialogFixture f;
    f.dialog.SpinMaxUpClick();
    EXPECT_EQ(f.dialog.EditMax->text(), "251.00");
    f.dialog.SpinMinDownClick();
    EXPECT_EQ(f.dialog.EditMin->text(), "199.00");
    f.dialog.EditMin->setText("abc");
    f.dialog.SpinMinUpClick();
    EXPECT_EQ(f.dialog.EditMin->text(), "abc");
    EXPECT_EQ(f.messages.Texts(), std::vector<std::string>{"Invalid float conversion"});
}

TEST(TracesDlg, WaveformChannelSetsTwoAndSevenTurnListsFourToSixOff)
{
    DialogFixture f;
    f.dialog.SetChannelSet(7);
    for (int k = 3; k < 6; ++k) {
        EXPECT_EQ(f.dialog.Combos[k]->currentIndex(), 0);
        EXPECT_FALSE(f.dialog.Combos[k]->isEnabled());
    }
    EXPECT_TRUE(f.dialog.Combos[2]->isEnabled());
}

TEST(TracesDlg, EachRadioRowLiesInLineWithItsTraceList)
{
    DialogFixture f;
    f.dialog.show();
    QApplication::processEvents();
    const auto inDialog = [&](QWidget* w) { return QRect(w->mapTo(&f.dialog, QPoint(0, 0)), w->size()); };
    const QRect frame = inDialog(f.dialog.GroupFase);
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        const QRect list = inDialog(f.dialog.Combos[k]);
        for (std::size_t p = 0; p < 3; ++p) {
            QRadioButton* radio = f.dialog.Radios[k][p];
            const QRect r = inDialog(radio);
            EXPECT_LE(std::abs(r.center().y() - list.center().y()), 1) << "row " << k + 1 << " L" << p + 1;
            EXPECT_TRUE(frame.contains(r)) << "row " << k + 1 << " L" << p + 1;
            // A click on the radio's middle reaches that radio, not a neighbour or the frame.
            EXPECT_EQ(f.dialog.childAt(r.center()), radio) << "row " << k + 1 << " L" << p + 1;
            // The phases stand in columns: the same place in every row.
            EXPECT_EQ(r.left(), inDialog(f.dialog.Radios[0][p]).left());
        }
    }
}
