// The save wizard of received data driven offscreen: naming a new survey, choosing a survey to
// extend, and what each way of closing does with the received data.
#include "wizards/save_read_dlg.h"

#include "fixtures/data_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "survey/intake/temp_file_ops.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"

#include "press_escape.h"

#include <QApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <gtest/gtest.h>

namespace {
class SaveRead : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateProgramFolders();
        LastPath() = {};
    }
    // Received voltage data waiting in its temporary file.
    void ReceiveVoltage() { WriteBytes(TempFileName(1), DataFileBytes({TrendRecord(MeasureVoltage, {})})); }

    TempProgDir dir;
    ScriptedMessages msgs;
};

}  // namespace

TEST_F(SaveRead, NameTypedWithAnotherExtensionAsksBeforeReplacingTheSurveyItBecomes)
{
    // The file dialog asked about SITE1.dat only; the survey written would be SITE1.orv.
    const std::string survey = WriteBytes(dir / "SITE1.orv", Bytes{'x'});
    for (MsgButton answer : {MbNo, MbYes}) {
        SCOPED_TRACE(answer == MbNo ? "kept" : "replaced");
        msgs.Clear();
        TSaveReadDlg save;
        save.ReceivedMask = 0x01;
        save.BtnNextClick();
        msgs.PickFile(dir / "SITE1.dat");
        msgs.AnswerNext(answer);
        save.BtnBrowseClick();
        EXPECT_TRUE(msgs.Shown("SITE1.orv already exists.\nDo you want to replace it?"));
        EXPECT_EQ(save.SurveyFile, answer == MbYes ? survey : "");
        EXPECT_EQ(save.BtnFinish->isEnabled(), answer == MbYes);
    }
}

TEST_F(SaveRead, EachChoiceLeadsToItsOwnPageAndBackReturnsToTheChoice)
{
    TSaveReadDlg save;
    save.ReceivedMask = 0x01;
    EXPECT_FALSE(save.BtnBack->isEnabled());
    EXPECT_TRUE(save.BtnNext->isEnabled());
    EXPECT_TRUE(save.BtnFinish->isHidden());
    save.BtnNextClick();
    EXPECT_EQ(save.Tabs->currentIndex(), 1);
    EXPECT_TRUE(save.BtnNext->isHidden());
    EXPECT_FALSE(save.BtnFinish->isEnabled());  // no name chosen yet

    save.BtnBackClick();
    EXPECT_EQ(save.Tabs->currentIndex(), 0);
    EXPECT_FALSE(save.BtnBack->isEnabled());
    EXPECT_TRUE(save.BtnFinish->isHidden());
    EXPECT_FALSE(save.BtnFinish->isEnabled());
    EXPECT_TRUE(save.BtnNext->isEnabled());
    save.RadioAppend->setChecked(true);
    save.BtnNextClick();
    EXPECT_EQ(save.Tabs->currentIndex(), 2);
    save.BtnBackClick();
    EXPECT_EQ(save.Tabs->currentIndex(), 0);
}

TEST_F(SaveRead, HasTheSurveyWizardsFixedSizeSoNoResizeBorder)
{
    TSaveReadDlg save;
    save.show();
    EXPECT_EQ(save.size(), QSize(592, 332));
    EXPECT_EQ(save.minimumSize(), save.maximumSize());
}

TEST_F(SaveRead, SurveyFailingTheHeaderCheckCannotBeChosenForAppend)
{
    WriteBytes(dir / "NOTASURVEY.orv", Bytes{'x', '\r', '\n'});
    TSaveReadDlg dlg;
    dlg.ReceivedMask = 0x01;
    dlg.RadioAppend->setChecked(true);
    dlg.BtnNextClick();
    dlg.AppendPage->Picker->SelectFile(dir / "NOTASURVEY.orv");
    EXPECT_TRUE(msgs.Shown("Invalid ORV Survey file format."));
    EXPECT_FALSE(dlg.BtnFinish->isEnabled());
    EXPECT_TRUE(dlg.SurveyFile.empty());
    EXPECT_TRUE(dlg.AppendPage->Lines.empty());
}

TEST_F(SaveRead, CancelDiscardsTheReceivedData)
{
    ReceiveVoltage();
    TSaveReadDlg dlg;
    dlg.ReceivedMask = 0x01;
    dlg.show();
    dlg.BtnCancel->click();
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(FileExists(TempFileName(1)));
}

TEST_F(SaveRead, EscapeAndTheCloseBoxCloseAsCancelDoesButKeepTheReceivedData)
{
    ReceiveVoltage();
    for (bool escape : {true, false}) {
        SCOPED_TRACE(escape ? "Escape" : "close box");
        TSaveReadDlg dlg;
        dlg.ReceivedMask = 0x01;
        dlg.BtnNextClick();  // on any page
        dlg.show();
        if (escape) PressEscape(dlg);
        else dlg.close();
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), QDialog::Rejected);
        EXPECT_TRUE(FileExists(TempFileName(1)));
    }
}
