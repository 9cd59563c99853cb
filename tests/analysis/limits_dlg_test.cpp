// The limits editor and the parameter-check window, offscreen: the record shown, the harmonic
// spin, the checks on leaving a field, opening, saving and closing.
#include "analysis/check_limit_dlg.h"
#include "analysis/limits_dlg.h"

#include "analysis/limits_file.h"
#include "dialogs/spin_button.h"
#include "fixtures/data_fixture.h"
#include "fixtures/field_check.h"
#include "fixtures/report_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "fixtures/window_shot.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

namespace {
// A temporary program folder with its data folder, and a clean folder memory.
struct Folders {
    TempProgDir dir;
    Folders()
    {
        CreateProgramFolders();
        LastPath() = {};
    }
    ~Folders() { LastPath() = {}; }
};

TLimitsRecord Edited()
{
    TLimitsRecord r = DefaultLimits();
    r.VLow = 7.5f, r.VLow2 = 12.5f, r.VHigh2 = 11.25f, r.VPerc2 = 98;
    r.HHigh[3] = 4.25f, r.HPerc[3] = 90;
    return r;
}
}  // namespace

TEST(LimitsDlg, ShowsTheRecordOnFiveTabsWithTheirHints)
{
    TLimitsDlg dialog;
    dialog.SetLimits(DefaultLimits());
    EXPECT_FALSE(dialog.Modified());
    ASSERT_EQ(dialog.Tabs->count(), 5);
    const QStringList tabs = {"Voltage", "Frequency", "Unbalance", "Harmonics", "Flicker"};
    for (int t = 0; t < 5; ++t) EXPECT_EQ(dialog.Tabs->tabText(t), tabs[t]);
    EXPECT_EQ(dialog.EditVLow->text(), "10.00");
    EXPECT_EQ(dialog.EditVPerc->text(), "95");
    EXPECT_EQ(dialog.EditHzPerc1->text(), "99.50");
    EXPECT_EQ(dialog.EditHzPerc2->text(), "100.00");
    EXPECT_EQ(dialog.EditUnbHigh->text(), "2.00");
    EXPECT_EQ(dialog.EditOrderLim->text(), "Thd");
    EXPECT_TRUE(dialog.EditOrderLim->isReadOnly());
    EXPECT_EQ(dialog.EditHHigh->text(), "8.00");
    EXPECT_EQ(dialog.EditFlkHigh->text(), "1.00");
    EXPECT_EQ(dialog.EditFlkOver->text(), "5");
    EXPECT_EQ(dialog.EditVLow->toolTip(), "from 0 to 100%");
    EXPECT_EQ(dialog.EditHzHigh2->toolTip(), "from 0 to 100%");
    EXPECT_EQ(dialog.EditFlkHigh->toolTip(), "from 0 to 100");
    EXPECT_EQ(dialog.EditHzPerc1->toolTip(), "from 1 to 100%");
    EXPECT_EQ(dialog.EditFlkPerc->toolTip(), "from 1 to 100%");
    EXPECT_EQ(dialog.EditVDepth->toolTip(), "da 0 a 9999");
    EXPECT_EQ(dialog.EditHOver->toolTip(), "from 0 to 9999");
    for (QLineEdit* events : {dialog.EditVRapid, dialog.EditVOver, dialog.EditVUnder, dialog.EditVDepth,
                              dialog.EditHzOver, dialog.EditHzUnder, dialog.EditUnbOver, dialog.EditHOver,
                              dialog.EditFlkOver}) {
        events->setText("");
        events->insert("10000");
        EXPECT_EQ(events->text(), "1000");  // 10000 cannot be typed
    }
    EXPECT_EQ(dialog.GetLimitsFileName(), "default");
    dialog.show();
    for (int t = 0; t < 5; ++t) {
        dialog.Tabs->setCurrentIndex(t);
        Shot(&dialog, "limits-" + tabs[t].toLower());
    }
    dialog.hide();
    dialog.show();
    EXPECT_EQ(dialog.Tabs->currentIndex(), 0);  // opens on "Voltage" each time
}

TEST(LimitsDlg, HarmonicSpinSkipsTheFundamentalAndKeepsEachIndexValues)
{
    ScriptedMessages messages;
    TLimitsDlg dialog;
    dialog.SetLimits(DefaultLimits());
    dialog.SpinOrderLimDownClick();  // at THD: nothing
    EXPECT_EQ(dialog.HarmonicIndex(), 0);
    dialog.SpinOrderLimUpClick();
    dialog.SpinOrderLimDownClick();
    EXPECT_FALSE(dialog.Modified());  // showing another index is no change of the user's
    dialog.EditHHigh->setText("7.5");
    dialog.SpinOrderLimUpClick();
    EXPECT_EQ(dialog.EditOrderLim->text(), "2nd");
    EXPECT_EQ(dialog.EditHHigh->text(), "2.00");
    dialog.SpinOrderLimDownClick();
    EXPECT_EQ(dialog.EditOrderLim->text(), "Thd");
    EXPECT_EQ(dialog.EditHHigh->text(), "7.50");
    for (int i = 0; i < 60; ++i) dialog.SpinOrderLimUpClick();
    EXPECT_EQ(dialog.HarmonicIndex(), 50);
    EXPECT_EQ(dialog.EditOrderLim->text(), "50th");
    dialog.EditHHigh->setText("150");
    dialog.SpinOrderLimDownClick();
    EXPECT_EQ(dialog.HarmonicIndex(), 50);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Harmonic Range must be from 0.0 to 100 %"});
    messages.Clear();
    dialog.EditHHigh->setText("3");
    dialog.EditHPerc->setText("0");
    dialog.SpinOrderLimDownClick();
    EXPECT_EQ(dialog.HarmonicIndex(), 50);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("Percentile"), std::string::npos);

    // The fields shown when the record is taken go into the index shown, and only there.
    dialog.EditHPerc->setText("91");
    TLimitsRecord taken;
    dialog.GetLimits(taken);
    EXPECT_EQ(taken.HHigh[50], 3.0f);
    EXPECT_EQ(taken.HPerc[50], 91);
    EXPECT_EQ(taken.HHigh[0], 7.5f);
    EXPECT_EQ(taken.HHigh[49], 5.0f);
    EXPECT_EQ(taken.HPerc[49], 95);
    EXPECT_EQ(taken.HHigh[1], 100.0f);  // the fundamental as it was
}

TEST(LimitsDlg, LeavingAFieldChecksItsRange)
{
    TLimitsDlg dialog;
    dialog.SetLimits(DefaultLimits());
    struct Case {
        QLineEdit* edit;
        const char* text;
        const char* message;  // "" accepted
    } cases[] = {
        {dialog.EditVLow, "100", ""},
        {dialog.EditVLow, "100.01", "Voltage Range must be from 0.0 to 100 %"},
        {dialog.EditVHigh, "-0.5", "Voltage Range must be from 0.0 to 100 %"},
        {dialog.EditVLow, "ten", "Invalid float conversion"},
        {dialog.EditHzLow2, "101", "Frequency Range must be from 0.0 to 100 %"},
        {dialog.EditUnbHigh, "0", ""},
        {dialog.EditUnbHigh, "200", "Unbalance Range must be from 0.0 to 100 %"},
        {dialog.EditHHigh, "100.5", "Harmonic Range must be from 0.0 to 100 %"},
        {dialog.EditFlkHigh, "100.5", "Flicker Range must be from 0.0 to 100 p.u."},
        {dialog.EditVPerc, "100", ""},
        {dialog.EditVPerc, "1", ""},
        {dialog.EditVPerc, "0", "percentile"},
        {dialog.EditFlkPerc, "101", "percentile"},
        {dialog.EditVPerc, "95.5", "Invalid integer conversion"},
        {dialog.EditHzPerc1, "99.9", ""},
        {dialog.EditHzPerc2, "0.9", "percentile"},
        {dialog.EditVRapid, "0", ""},
        {dialog.EditVDepth, "9999", ""},
        {dialog.EditHOver, "-1", "Invalid integer conversion"},
    };
    for (const auto& c : cases) {
        ScriptedMessages messages;
        c.edit->setText(c.text);
        const bool accepted = dialog.CheckField(c.edit);
        EXPECT_EQ(accepted, std::string(c.message).empty()) << c.text;
        if (accepted) {
            EXPECT_TRUE(messages.messages.empty()) << c.text;
            continue;
        }
        ASSERT_EQ(messages.messages.size(), 1u) << c.text;
        EXPECT_EQ(messages.messages[0].type, MsgType::Error);
        const std::string text = messages.messages[0].text;
        if (std::string(c.message) == "percentile")
            EXPECT_NE(text.find("Percentile must be"), std::string::npos) << text;
        else
            EXPECT_EQ(text, c.message);
    }
    EXPECT_TRUE(dialog.Modified());
}

// Enter in a field presses OK, which checks every field: a refused value is told once, and
// leaving the field for another one of the dialog still checks it.
TEST(LimitsDlg, EnterOnARefusedValueTellsItOnce)
{
    ScriptedMessages messages;
    TLimitsDlg dialog;
    dialog.SetLimits(DefaultLimits());
    ExpectARefusalToldOnceOnEnterAndOnLeaving(messages, dialog, dialog.EditVLow, dialog.EditVHigh, "200", "300",
                                              "Voltage Range must be from 0.0 to 100 %");
}

TEST(LimitsDlg, OpenShowsAFileAndARefusedFileChangesNothing)
{
    Folders folders;
    const std::string good = WriteBytes(DataDir() + "site.lim", LimitsRecordBytes(Edited()));
    Bytes shortBytes = LimitsRecordBytes(Edited());
    shortBytes.resize(200);
    const std::string bad = WriteBytes(DataDir() + "short.lim", shortBytes);

    ScriptedMessages messages;
    TLimitsDlg dialog;
    dialog.SetLimitsFileName("default");
    dialog.SetLimits(DefaultLimits());
    messages.PickFile(bad);
    dialog.BtnOpen->click();
    ASSERT_EQ(messages.fileRequests.size(), 1u);
    EXPECT_EQ(messages.fileRequests[0].title, "Open Limits File");
    EXPECT_EQ(messages.fileRequests[0].filter, "Limits Files (*.lim)|*.lim");
    EXPECT_EQ(messages.fileRequests[0].defaultExt, "lim");
    EXPECT_EQ(messages.fileRequests[0].fileName, "*.lim");
    EXPECT_EQ(messages.fileRequests[0].folder, DataDir());
    EXPECT_TRUE(messages.fileRequests[0].mustExist);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_NE(messages.messages[0].text.find("200 bytes"), std::string::npos);
    EXPECT_EQ(dialog.EditVLow->text(), "10.00");
    EXPECT_EQ(dialog.GetLimitsFileName(), "default");

    messages.Clear();
    messages.PickFile(good);
    dialog.BtnOpen->click();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(dialog.EditVLow->text(), "7.50");
    EXPECT_EQ(dialog.GetLimitsFileName(), good);
    EXPECT_FALSE(dialog.Modified());
    EXPECT_TRUE(LastPath().DataPathSet);
    EXPECT_EQ(LastPath().DataPath, DataDir());
    TLimitsRecord taken;
    dialog.GetLimits(taken);
    EXPECT_EQ(taken, Edited());  // the second voltage limits, which have no field, come along
}

TEST(LimitsDlg, SaveWritesTheFieldsAndKeepsTheHiddenOnes)
{
    Folders folders;
    ScriptedMessages messages;
    TLimitsDlg dialog;
    dialog.SetLimits(Edited());
    dialog.EditVPerc->setText("0");
    EXPECT_FALSE(dialog.BtnSaveClick());  // refused before any file is asked for
    EXPECT_TRUE(messages.fileRequests.empty());
    messages.Clear();

    dialog.EditVPerc->setText("96");
    messages.CancelFileDialog();
    EXPECT_FALSE(dialog.BtnSaveClick());
    EXPECT_TRUE(dialog.Modified());
    // A file that cannot be written: the next dialog still starts where this one did.
    messages.PickFile(DataDir() + "gone/new.lim");
    EXPECT_FALSE(dialog.BtnSaveClick());
    EXPECT_TRUE(dialog.Modified());
    EXPECT_FALSE(LastPath().DataPathSet);
    messages.Clear();
    const std::string path = DataDir() + "new.lim";
    messages.PickFile(path);
    EXPECT_TRUE(dialog.BtnSaveClick());
    EXPECT_EQ(messages.fileRequests.back().title, "Save Limits File As");
    EXPECT_TRUE(messages.fileRequests.back().askOverwrite);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Limits values saved."});
    EXPECT_FALSE(dialog.Modified());
    EXPECT_EQ(dialog.GetLimitsFileName(), path);
    TLimitsRecord expected = Edited();
    expected.VPerc = 96;
    EXPECT_EQ(*ReadWholeFile(path), LimitsRecordBytes(expected));
}

TEST(LimitsDlg, ClosingWithChangesAsksToSaveThem)
{
    Folders folders;
    const std::string path = DataDir() + "closing.lim";
    struct Case {
        const char* name;
        std::function<void(ScriptedMessages&)> script;
        bool closes;
        bool written;
    } cases[] = {
        {"No keeps the dialog open", [](ScriptedMessages& m) { m.AnswerNext(MbNo); }, false, false},
        {"Yes and a cancelled save keep it open", [](ScriptedMessages& m) {
             m.AnswerNext(MbYes);
             m.CancelFileDialog();
         }, false, false},
        {"Yes and a save close it", [path](ScriptedMessages& m) {
             m.AnswerNext(MbYes);
             m.PickFile(path);
         }, true, true},
    };
    for (const auto& c : cases) {
        DeleteFile(path);
        for (bool closeBox : {false, true}) {
            ScriptedMessages messages;
            c.script(messages);
            TLimitsDlg dialog;
            dialog.SetLimits(DefaultLimits());
            dialog.show();
            dialog.EditVLow->setText("9");
            if (closeBox)
                dialog.close();
            else
                dialog.BtnOk->click();
            EXPECT_EQ(dialog.isVisible(), !c.closes) << c.name << closeBox;
            ASSERT_FALSE(messages.messages.empty()) << c.name;
            EXPECT_EQ(messages.messages[0].text, "Save changes to active Limits file ?");
            EXPECT_EQ(messages.messages[0].buttons, unsigned(MbYesNo));
            EXPECT_EQ(FileExists(path), c.written) << c.name;
            if (!closeBox && c.closes) {
                EXPECT_EQ(dialog.result(), QDialog::Accepted);
            }
        }
    }

    ScriptedMessages messages;
    TLimitsDlg dialog;
    dialog.SetLimits(DefaultLimits());
    dialog.show();
    dialog.EditVLow->setText("9");
    dialog.BtnCancel->click();  // nothing asked, nothing taken
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_TRUE(messages.messages.empty());

    TLimitsDlg unchanged;
    unchanged.SetLimits(DefaultLimits());
    unchanged.show();
    unchanged.EditVLow->setText("500");
    unchanged.BtnOk->click();  // a field out of range keeps the dialog open
    EXPECT_TRUE(unchanged.isVisible());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Voltage Range must be from 0.0 to 100 %"});
}

TEST(CheckLimitDlg, ChecksOnceShownAndLeavesItsVerdict)
{
    TAnalysisParams params;
    SetDefaultAnalysisParams(params);
    TSurveySelection selection;
    selection.Start = FixtureTime(2024, 3, 15, 0, 0);
    selection.Stop = FixtureTime(2024, 3, 17, 23, 59, 59, 999);
    {
        ScriptedMessages messages;
        EXPECT_FALSE(RunAnalysisCheck(nullptr, params, selection, 0));  // 7 days over 3
        EXPECT_EQ(messages.Texts(),
                  std::vector<std::string>{"Analysis Window duration cannot be\nlonger than analysis date Interval."});
    }
    params.WindowDays = 3;
    selection.File(1).Selected = true;
    selection.File(1).FirstTime = selection.Start;
    selection.File(1).LastTime = selection.Stop;
    selection.File(1).Rate = 1;
    for (MsgButton answer : {MbYes, MbNo}) {
        ScriptedMessages messages;
        messages.AnswerNext(answer);
        TCheckLimitDlg dialog(params, selection);
        EXPECT_EQ(dialog.windowTitle(), "Run Analysis");
        EXPECT_EQ(dialog.LabelMsg->text(), "Checking analysis parameters...");
        QTimer::singleShot(0, [&dialog] { Shot(&dialog, "check-limit"); });
        dialog.exec();
        EXPECT_EQ(dialog.Verdict(), answer == MbYes);
        EXPECT_EQ(dialog.result(), QDialog::Accepted);
        EXPECT_EQ(messages.messages.size(), 1u);
    }
}
