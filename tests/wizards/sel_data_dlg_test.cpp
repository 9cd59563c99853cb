// The survey selection wizard driven offscreen: page 1 checks, page 2 boxes and interval,
// Finish into SurveySelection.
#include "wizards/sel_data_dlg.h"

#include "dialogs/edit_survey_dlg.h"
#include "fixtures/data_fixture.h"
#include "fixtures/survey_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/date_format.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "survey/data_layout.h"
#include "wizards/interval_fields.h"
#include "wizards/interval_page.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
Bytes VoltageAt(int day, int hour, int minute)
{
    TrendRecordFields r;
    r.time = {2024, 3, day, hour, minute};
    r.phases = {{}, {}, {}};
    return TrendRecord(MeasureVoltage, r);
}

Bytes EventAt(int day, int hour, int minute)
{
    EventRecordFields e;
    e.time = {2024, 3, day, hour, minute};
    return EventRecord(e);
}

class SelData : public ::testing::Test {
protected:
    void SetUp() override
    {
        RunDateFormats().shortDate = "dd/MM/yyyy";
        LastPath() = {};
        CreateFolder(DataDir());
    }
    // A survey with voltage and events files and a flicker line naming a missing file.
    std::string WriteSurvey(int layout = 18)
    {
        WriteDataFile(dir / "s.vme", {VoltageAt(15, 10, 0), VoltageAt(15, 10, 1), VoltageAt(16, 9, 30)});
        WriteDataFile(dir / "s.ale", {EventAt(14, 23, 5), EventAt(15, 12, 0)});
        SurveyFixture survey;
        survey.layout = layout;
        survey.dataFiles = {{1, "s.vme"}, {5, "s.fle"}, {6, "s.ale"}};
        return WriteSurveyFile(dir / "s.orv", survey);
    }
    bool Checked(TSelDataDlg& d, int k) { return d.DataPage->Box(k)->isChecked(); }
    bool Enabled(TSelDataDlg& d, int k) { return d.DataPage->Box(k)->isEnabled(); }

    TempProgDir dir;
    ScriptedMessages messages;
};
}  // namespace

TEST_F(SelData, OnlyMeasuresWithReadableFilesAreOffered)
{
    std::string path = WriteSurvey();
    TSelDataDlg dlg;
    dlg.SurveyPage->Picker->SelectFile(path);
    EXPECT_EQ(dlg.SelectedFile(), path);
    EXPECT_TRUE(dlg.BtnNext->isEnabled());
    EXPECT_EQ(dlg.SurveyPage->Label1->text(), "Feeder 3");
    dlg.BtnNextClick();
    for (int k = 1; k <= kMeasureCount; ++k) {
        bool available = k == 1 || k == 6;
        EXPECT_EQ(Enabled(dlg, k), available) << k;
        EXPECT_EQ(Checked(dlg, k), available) << k;
    }
    EXPECT_TRUE(messages.messages.empty());  // a missing file is silently unavailable
    const TSurveySelection& s = SurveySelection();
    EXPECT_EQ(s.Name, "s.orv");
    EXPECT_EQ(s.File(1).FileName, dir / "s.vme");
    EXPECT_EQ(s.File(1).RecordCount, 3);
    EXPECT_EQ(s.File(6).RecordSize, 24);
    EXPECT_EQ(s.File(1).LastTime, FixtureTime(2024, 3, 16, 9, 30));
    // The default interval spans both measures: the first event to the last voltage record.
    EXPECT_EQ(dlg.DataPage->Interval->EditIniDate->text(), "14/03/2024");
    EXPECT_EQ(dlg.DataPage->Interval->rcEdit1TimeStart->text(), "23:05");
    EXPECT_EQ(dlg.DataPage->Interval->EditEndDate->text(), "16/03/2024");
    EXPECT_EQ(dlg.DataPage->Interval->rcEdit1TimeStop->text(), "09:30");
}

TEST_F(SelData, UntickingEveryBoxClearsTheIntervalAndFinish)
{
    TSelDataDlg dlg;
    dlg.PresetSurvey(WriteSurvey());
    ASSERT_TRUE(dlg.BtnFinish->isEnabled());
    for (int k : {1, 6}) {
        dlg.DataPage->Box(k)->setChecked(false);
        dlg.DataPage->CBoxClick();
    }
    EXPECT_FALSE(dlg.BtnFinish->isEnabled());
    EXPECT_TRUE(dlg.DataPage->Interval->EditIniDate->text().isEmpty());
    dlg.DataPage->Box(1)->setChecked(true);
    dlg.DataPage->CBoxClick();
    EXPECT_TRUE(dlg.BtnFinish->isEnabled());
    EXPECT_EQ(dlg.DataPage->Interval->EditIniDate->text(), "15/03/2024");
    EXPECT_EQ(dlg.DataPage->Interval->rcEdit1TimeStart->text(), "10:00");
}

TEST_F(SelData, FinishStoresTheIntervalWithAnInclusiveStopMinute)
{
    TSelDataDlg dlg;
    dlg.PresetSurvey(WriteSurvey());
    dlg.DataPage->Box(6)->setChecked(false);
    dlg.DataPage->CBoxClick();
    dlg.BtnFinishClick();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    const TSurveySelection& s = SurveySelection();
    EXPECT_TRUE(s.File(1).Selected);
    EXPECT_FALSE(s.File(6).Selected);
    EXPECT_EQ(s.Start, FixtureTime(2024, 3, 15, 10, 0));
    EXPECT_EQ(DecodeDateTime(s.Stop), (DateTimeParts{2024, 3, 16, 9, 30, 59, 999}));
}

TEST_F(SelData, StopBeforeStartIsRefusedAndTheWizardStays)
{
    TSelDataDlg dlg;
    dlg.PresetSurvey(WriteSurvey());
    dlg.DataPage->Interval->EditEndDate->setText("01/03/2024");
    dlg.BtnFinishClick();
    EXPECT_TRUE(messages.Shown("Stop date and time must be greater than Start date and time"));
    EXPECT_NE(dlg.result(), QDialog::Accepted);
}

TEST_F(SelData, EveryLayoutIsUpgradedOnDiskAndOffersTheSameMeasures)
{
    for (int layout : {10, 13, 18}) {
        std::string path = WriteSurvey(layout);
        TSelDataDlg dlg;
        dlg.SurveyPage->Picker->SelectFile(path);
        ASSERT_TRUE(dlg.BtnNext->isEnabled()) << layout;
        EXPECT_EQ(dlg.SurveyPage->Lines.size(), 18u) << layout;
        EXPECT_EQ(dlg.SurveyPage->Label2->text(), "Substation") << layout;
        auto lines = LoadSurveyLines(path);
        ASSERT_TRUE(lines);
        EXPECT_EQ(*lines, dlg.SurveyPage->Lines) << layout;  // the upgrade is written
        EXPECT_EQ((*lines)[0], layout == 13 ? kOldSurveyHeader : kSurveyHeader) << layout;  // a 13-line file keeps its own
        dlg.BtnNextClick();
        for (int k = 1; k <= kMeasureCount; ++k) EXPECT_EQ(Checked(dlg, k), k == 1 || k == 6) << layout << " " << k;
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(SelData, MissingDataFileLeavesTheSurveyFileAsItWas)
{
    std::string path = WriteSurvey();
    const std::string before = ReadText(path);
    TSelDataDlg dlg;
    dlg.PresetSurvey(path);
    EXPECT_FALSE(Enabled(dlg, 5));
    EXPECT_TRUE(DataFileLine(dlg.SurveyPage->Lines, 5).empty());  // emptied in memory only
    EXPECT_EQ(ReadText(path), before);
    EXPECT_TRUE(SurveySelection().File(5).FileName.empty());
}

TEST_F(SelData, DataFileWithoutRecordsCannotBeTickedNorMoveTheInterval)
{
    std::string path = WriteSurvey();
    PatchFile(dir / "s.vme", 0, {8, 0, 0, 0, 0, 0, 0, 0});  // end offset 8, count 0
    TSelDataDlg dlg;
    dlg.PresetSurvey(path);
    EXPECT_TRUE(messages.Shown("Voltage survey is corrupted. Unable to open the file."));
    EXPECT_FALSE(Enabled(dlg, 1));
    EXPECT_FALSE(Checked(dlg, 1));
    EXPECT_EQ(SurveySelection().File(1).RecordCount, 0);
    // The interval is the events file's alone.
    EXPECT_EQ(dlg.DataPage->Interval->EditIniDate->text(), "14/03/2024");
    EXPECT_EQ(dlg.DataPage->Interval->rcEdit1TimeStart->text(), "23:05");
    EXPECT_EQ(dlg.DataPage->Interval->EditEndDate->text(), "15/03/2024");
    EXPECT_EQ(dlg.DataPage->Interval->rcEdit1TimeStop->text(), "12:00");
}

TEST_F(SelData, BackAndNextSwapTheButtonsAndRereadTheSurvey)
{
    std::string path = WriteSurvey();
    TSelDataDlg dlg;
    EXPECT_FALSE(dlg.BtnNext->isEnabled());
    EXPECT_FALSE(dlg.SurveyPage->BtnInfo->isEnabled());
    EXPECT_TRUE(dlg.BtnFinish->isHidden());
    dlg.SurveyPage->Picker->SelectFile(path);
    dlg.BtnNext->click();
    EXPECT_EQ(dlg.Tabs->currentIndex(), 1);
    EXPECT_TRUE(dlg.BtnNext->isHidden());
    EXPECT_FALSE(dlg.BtnFinish->isHidden());
    EXPECT_TRUE(dlg.BtnBack->isEnabled());
    dlg.DataPage->Box(1)->click();  // untick Voltage
    EXPECT_EQ(dlg.DataPage->Interval->EditEndDate->text(), "15/03/2024");

    dlg.BtnBack->click();
    EXPECT_EQ(dlg.Tabs->currentIndex(), 0);
    EXPECT_FALSE(dlg.BtnBack->isEnabled());
    EXPECT_TRUE(dlg.BtnFinish->isHidden());
    EXPECT_FALSE(dlg.BtnFinish->isEnabled());
    EXPECT_TRUE(dlg.BtnNext->isEnabled());
    // The file changes meanwhile: a new voltage record appears on the next visit.
    WriteDataFile(dir / "s.vme", {VoltageAt(15, 10, 0), VoltageAt(17, 8, 0)});
    dlg.BtnNext->click();
    EXPECT_TRUE(Checked(dlg, 1));  // every available measure starts ticked again
    EXPECT_EQ(SurveySelection().File(1).RecordCount, 2);
    EXPECT_EQ(dlg.DataPage->Interval->EditEndDate->text(), "17/03/2024");
    EXPECT_EQ(dlg.DataPage->Interval->rcEdit1TimeStop->text(), "08:00");
}

TEST_F(SelData, SpinButtonsWrapTheirOwnFieldOnly)
{
    TSelDataDlg dlg;
    dlg.PresetSurvey(WriteSurvey());
    dlg.DataPage->Interval->rcEdit1TimeStart->setText("10:59");
    dlg.DataPage->Interval->BtnMinStart->UpButton->click();
    EXPECT_EQ(dlg.DataPage->Interval->rcEdit1TimeStart->text(), "10:00");
    dlg.DataPage->Interval->rcEdit1TimeStop->setText("00:30");
    dlg.DataPage->Interval->BtnOreStop->DownButton->click();
    EXPECT_EQ(dlg.DataPage->Interval->rcEdit1TimeStop->text(), "23:30");
    EXPECT_EQ(dlg.DataPage->Interval->rcEdit1TimeStart->text(), "10:00");
}

TEST_F(SelData, PresetOnAnInvalidFileStaysOnTheFirstPageWithOneMessage)
{
    std::string path = WriteSurveyLines(dir / "bad.orv", {"not a survey", "a", "b"});
    TSelDataDlg dlg;
    dlg.PresetSurvey(path);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Invalid ORV Survey file format."});
    EXPECT_EQ(dlg.Tabs->currentIndex(), 0);
    EXPECT_FALSE(dlg.BtnNext->isEnabled());
    EXPECT_TRUE(dlg.SelectedFile().empty());
}

TEST_F(SelData, PresetUpgradesAnOlderSurveyItself)
{
    std::string path = WriteSurvey(13);
    TSelDataDlg dlg;
    dlg.PresetSurvey(path);
    EXPECT_EQ(dlg.Tabs->currentIndex(), 1);
    EXPECT_EQ(LoadSurveyLines(path)->size(), 18u);
    EXPECT_EQ(dlg.SurveyPage->Label1->text(), "Feeder 3");
    EXPECT_TRUE(dlg.BtnFinish->isEnabled());
}

TEST_F(SelData, InvalidSurveyIsReportedAndLeftUnchanged)
{
    std::string path = WriteSurveyLines(dir / "bad.orv", {"not a survey", "a", "b"});
    std::string before = ReadText(path);
    TSelDataDlg dlg;
    dlg.SurveyPage->Picker->SelectFile(path);
    EXPECT_TRUE(messages.Shown("Invalid ORV Survey file format."));
    EXPECT_FALSE(dlg.BtnNext->isEnabled());
    EXPECT_EQ(ReadText(path), before);
}

TEST_F(SelData, CorruptStampMakesItsMeasureUnavailable)
{
    std::string path = WriteSurvey();
    PatchFile(dir / "s.vme", 8 + 3, {13});  // month 13 in the first record's date
    TSelDataDlg dlg;
    dlg.PresetSurvey(path);
    EXPECT_TRUE(messages.Shown("Voltage survey is corrupted. Unable to open the file."));
    EXPECT_FALSE(Enabled(dlg, 1));
    EXPECT_TRUE(Checked(dlg, 6));
}

TEST_F(SelData, CancelStillRecordsTheFolder)
{
    WriteSurvey();
    {
        TSelDataDlg dlg;
        dlg.SurveyPage->Picker->SetFolder(dir.Path());
        dlg.reject();
    }
    EXPECT_TRUE(LastPath().DataPathSet);
    EXPECT_EQ(LastPath().DataPath, dir.Path());
    TSelDataDlg again;
    EXPECT_EQ(again.SurveyPage->Picker->Folder(), dir.Path());
}

TEST_F(SelData, EditInfoSavesTheSurveyAndRefreshesTheLabels)
{
    std::string path = WriteSurvey();
    TSelDataDlg dlg;
    dlg.SurveyPage->Picker->SelectFile(path);
    QTimer::singleShot(0, [] {
        auto* editor = qobject_cast<TEditSurveyDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->EditSite->text(), "Substation");
        editor->EditSite->setText("North\r\nyard");  // a pasted line break
        editor->BtnOk->click();
    });
    dlg.SurveyPage->BtnInfo->click();
    EXPECT_EQ(dlg.SurveyPage->Label2->text(), "North  yard");
    auto lines = LoadSurveyLines(path);
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->size(), 18u);  // the survey keeps its layout
    EXPECT_EQ((*lines)[16], "North  yard");
}

TEST_F(SelData, ModalRoundFromFileListToFinish)
{
    std::string path = WriteSurvey();
    LastPath().DataPathSet = true;
    LastPath().DataPath = dir.Path();
    TSelDataDlg dlg;
    ASSERT_EQ(dlg.SurveyPage->Picker->FileList->count(), 1);
    QTimer::singleShot(0, [&] {
        dlg.SurveyPage->Picker->FileList->setCurrentRow(0);
        dlg.BtnNext->click();
        dlg.BtnFinish->click();
    });
    EXPECT_EQ(dlg.exec(), QDialog::Accepted);
    EXPECT_EQ(dlg.SelectedFile(), path);
    EXPECT_TRUE(SurveySelection().File(6).Selected);
    EXPECT_EQ(SurveySelection().Stop, FixtureTime(2024, 3, 16, 9, 30, 59, 999));

    TSelDataDlg cancelled;
    QTimer::singleShot(0, [&] { cancelled.BtnCancel->click(); });
    EXPECT_EQ(cancelled.exec(), QDialog::Rejected);
}

TEST_F(SelData, PickerListsSurveysWhateverTheCaseOfTheirExtension)
{
    dir.Write("B.ORV", "x");
    dir.Write("a.orv", "x");
    dir.Write("notes.txt", "x");
    dir.Write("sub/c.Orv", "x");
    TSurveyPicker picker;
    picker.SetFolder(dir.Path());
    QStringList files, folders;
    for (int i = 0; i < picker.FileList->count(); ++i) files << picker.FileList->item(i)->text();
    for (int i = 0; i < picker.DirList->count(); ++i) folders << picker.DirList->item(i)->text();
    EXPECT_EQ(files, (QStringList{"B.ORV", "a.orv"}));
    EXPECT_TRUE(folders.contains("..") && folders.contains("sub"));
    picker.DirList->setCurrentRow(static_cast<int>(folders.indexOf("sub")));
    emit picker.DirList->itemActivated(picker.DirList->currentItem());
    EXPECT_EQ(picker.Folder(), dir / "sub/");
    ASSERT_EQ(picker.FileList->count(), 1);
    EXPECT_EQ(picker.FileList->item(0)->text(), "c.Orv");
}
