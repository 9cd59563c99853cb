// The analysis wizard driven offscreen: the measures it offers, the parameters page, Finish with
// its refusals and the parameter check, and the records it fills.
#include "analysis/sel_analysis_dlg.h"

#include "analysis/analysis_params.h"
#include "analysis/analysis_params_page.h"
#include "analysis/limits_dlg.h"
#include "analysis/limits_file.h"
#include "dialogs/elided_label.h"
#include "dialogs/spin_button.h"
#include "fixtures/data_fixture.h"
#include "fixtures/report_fixture.h"
#include "fixtures/survey_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/date_format.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "wizards/interval_fields.h"
#include "wizards/interval_page.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
const char* const kWindowLongerThanInterval = "Analysis Window duration cannot be\nlonger than analysis date Interval.";

Bytes Trend(int measure, FixtureStamp time, std::int16_t period, std::uint16_t flags = 2)
{
    return TrendRecord(measure, {.time = time, .period = period, .flags = flags, .phases = {{}, {}, {}}});
}

class SelAnalysis : public ::testing::Test {
protected:
    void SetUp() override
    {
        RunDateFormats().shortDate = "dd/MM/yyyy";
        CreateProgramFolders();
        LastPath() = {};
        // Nothing of an earlier analysis may show through.
        AnalysisParams().WindowDays = 99;
        AnalysisParams().Limits.VLow = 55;
    }

    // From 14/03/2024 23:05 (the first event) to 17/03/2024 12:00 (the last frequency record):
    // voltage every 10 minutes, frequency counted in seconds (600 s, stamped at 30 s past),
    // unbalance without minimum/average/maximum, a flicker line naming a missing file, events,
    // and powers, which an analysis never judges.
    std::string WriteSurvey(int layout = 18)
    {
        WriteDataFile(dir / "s.vme", {Trend(1, {2024, 3, 15, 10, 0}, 10), Trend(1, {2024, 3, 17, 9, 30}, 10)});
        WriteDataFile(dir / "s.hze", {Trend(2, {2024, 3, 15, 10, 0, 30}, 600), Trend(2, {2024, 3, 17, 12, 0, 30}, 600)});
        WriteDataFile(dir / "s.une", {Trend(3, {2024, 3, 15, 10, 0}, 10, 32)});
        WriteDataFile(dir / "s.ale", {EventRecord({.time = {2024, 3, 14, 23, 5}}), EventRecord({.time = {2024, 3, 15, 12, 0}})});
        WriteDataFile(dir / "s.wme", {PowerRecord({})});
        SurveyFixture survey;
        survey.layout = layout;
        survey.dataFiles = {{1, "s.vme"}, {2, "s.hze"}, {3, "s.une"}, {5, "s.fle"}, {6, "s.ale"}};
        if (layout == 18) survey.dataFiles[7] = "s.wme";
        return WriteSurveyFile(dir / "s.orv", survey);
    }

    // The wizard on its parameters page, the survey chosen.
    void WalkToParams(TSelAnalysisDlg& wizard)
    {
        wizard.SurveyPage->Picker->SelectFile(WriteSurvey());
        wizard.BtnNextClick();
        wizard.BtnNextClick();
        ASSERT_EQ(wizard.CurrentPage(), 2);
    }

    TempProgDir dir;
    ScriptedMessages messages;
};
}  // namespace

TEST_F(SelAnalysis, OffersTheAnalysableMeasuresAndFillsTheirSlots)
{
    TSelAnalysisDlg wizard;
    EXPECT_EQ(wizard.windowTitle(), "Run Compliance Analysis");
    EXPECT_FALSE(wizard.BtnNext->isEnabled());
    wizard.SurveyPage->Picker->SelectFile(WriteSurvey());
    EXPECT_EQ(wizard.SurveyPage->Label1->text(), "Feeder 3");
    ASSERT_TRUE(wizard.BtnNext->isEnabled());
    wizard.BtnNextClick();

    const QStringList captions = {"Voltage", "Frequency", "Unbalance", "Voltage Harmonics", "Flicker", "Alarms"};
    for (int k = 1; k <= kMeasureCount; ++k) {
        QCheckBox* box = wizard.DataPage->Box(k);
        if (k > 6) {
            EXPECT_EQ(box, nullptr) << k;
            continue;
        }
        ASSERT_NE(box, nullptr) << k;
        EXPECT_EQ(box->text(), captions[k - 1]);
        const bool offered = k == 1 || k == 2 || k == 6;  // unbalance lacks min/avg/max, flicker its file
        EXPECT_EQ(box->isEnabled(), offered) << k;
        EXPECT_EQ(box->isChecked(), offered) << k;
    }
    EXPECT_TRUE(wizard.BtnNext->isEnabled());
    EXPECT_EQ(wizard.UsableMeasures(), 0b100011u);
    EXPECT_EQ(wizard.FrequencyFlagWord(), 30 * 256);

    const TSurveySelection& s = SurveySelection();
    EXPECT_EQ(s.Name, "s.orv");
    EXPECT_EQ(s.Site, "Substation");
    EXPECT_EQ(s.File(2).Rate, 600);
    EXPECT_EQ(s.File(3).FileName, dir / "s.une");  // read, only not offered
    EXPECT_EQ(s.File(6).RecordCount, 2);
    EXPECT_TRUE(s.File(5).FileName.empty());
    EXPECT_TRUE(s.File(7).FileName.empty());  // powers are never read
    EXPECT_EQ(wizard.DataPage->Interval->EditIniDate->text(), "14/03/2024");
    EXPECT_EQ(wizard.DataPage->Interval->rcEdit1TimeStart->text(), "23:05");
    EXPECT_EQ(wizard.DataPage->Interval->EditEndDate->text(), "17/03/2024");
    EXPECT_EQ(wizard.DataPage->Interval->rcEdit1TimeStop->text(), "12:00");
    EXPECT_TRUE(messages.messages.empty());

    wizard.BtnNextClick();
    EXPECT_EQ(wizard.CurrentPage(), 2);
    EXPECT_TRUE(wizard.BtnNext->isHidden());
    EXPECT_TRUE(wizard.BtnFinish->isEnabled());
}

TEST_F(SelAnalysis, CorruptStampMakesItsMeasureUnavailable)
{
    const std::string path = WriteSurvey();
    PatchFile(dir / "s.hze", 8 + 3, {13});  // month 13 in the first record's date
    TSelAnalysisDlg wizard;
    wizard.SurveyPage->Picker->SelectFile(path);
    wizard.BtnNextClick();
    EXPECT_TRUE(messages.Shown("Frequency survey is corrupted. Unable to open the file."));
    EXPECT_FALSE(wizard.DataPage->Box(2)->isEnabled());
    EXPECT_TRUE(SurveySelection().File(2).FileName.empty());
    EXPECT_EQ(wizard.FrequencyFlagWord(), 0);
    EXPECT_TRUE(wizard.DataPage->Box(1)->isChecked());
}

TEST_F(SelAnalysis, OpensOnTheDefaultParameters)
{
    TSelAnalysisDlg wizard;
    TAnalysisParams defaults;
    SetDefaultAnalysisParams(defaults);
    EXPECT_EQ(AnalysisParams(), defaults);
    EXPECT_EQ(wizard.ParamsPage->EditWindow->text(), "7");
    EXPECT_EQ(wizard.ParamsPage->RadioPeriod->checkedButton()->text(), "10 minutes");
    EXPECT_EQ(wizard.ParamsPage->LabelLimFile->FullText(), "default");
    QStringList periods;
    for (QAbstractButton* b : wizard.ParamsPage->RadioPeriod->buttons()) periods << b->text();
    EXPECT_EQ(periods, (QStringList{"1 minute", "5 minutes", "10 minutes", "15 minutes", "30 minutes", "60 minutes"}));
}

TEST_F(SelAnalysis, TenLineSurveyGetsTheShortUpgradeAndShowsItsInfo)
{
    const std::string path = WriteSurvey(10);
    TSelAnalysisDlg wizard;
    wizard.SurveyPage->Picker->SelectFile(path);
    EXPECT_EQ(LoadSurveyLines(path)->size(), 13u);
    EXPECT_EQ(wizard.SurveyPage->Label2->text(), "Substation");
    wizard.BtnNextClick();
    EXPECT_TRUE(wizard.DataPage->Box(1)->isChecked());
    EXPECT_TRUE(wizard.DataPage->Box(6)->isChecked());
}

TEST_F(SelAnalysis, SpinButtonStepsTheWindowWithinOneToThirtyOneDays)
{
    TSelAnalysisDlg wizard;
    TAnalysisParamsPage& page = *wizard.ParamsPage;
    struct Case {
        const char* before;
        bool up;
        const char* after;
    } cases[] = {{"7", true, "8"}, {"7", false, "6"}, {"31", true, "31"}, {"30", true, "31"},
                 {"1", false, "1"}, {"2", false, "1"}, {"", true, ""}};
    for (const auto& c : cases) {
        page.EditWindow->setText(c.before);
        (c.up ? page.SpinWindow->UpButton : page.SpinWindow->DownButton)->click();
        EXPECT_EQ(page.EditWindow->text(), c.after) << c.before << c.up;
    }
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Invalid integer conversion"});  // the empty field
    EXPECT_EQ(page.EditWindow->maxLength(), 3);
}

TEST_F(SelAnalysis, FinishRefusesAWindowOutsideOneToThirtyOneDays)
{
    TSelAnalysisDlg wizard;
    WalkToParams(wizard);
    for (auto [text, message] : {std::pair{"40", "Days of analysis must be from 1 to 31"},
                                 std::pair{"0", "Days of analysis must be from 1 to 31"},
                                 std::pair{"x", "Invalid integer conversion"}}) {
        messages.Clear();
        wizard.ParamsPage->EditWindow->setText(text);
        wizard.BtnFinishClick();
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{message}) << text;  // the check never runs
        EXPECT_NE(wizard.result(), QDialog::Accepted) << text;
        EXPECT_EQ(wizard.CurrentPage(), 2);
        EXPECT_EQ(wizard.focusWidget(), wizard.ParamsPage->EditWindow);
        EXPECT_EQ(AnalysisParams().WindowDays, 7) << text;
    }
}

TEST_F(SelAnalysis, FinishRefusesAStopBeforeTheStart)
{
    TSelAnalysisDlg wizard;
    wizard.SurveyPage->Picker->SelectFile(WriteSurvey());
    wizard.BtnNextClick();
    wizard.DataPage->Interval->EditEndDate->setText("14/03/2024");
    wizard.DataPage->Interval->rcEdit1TimeStop->setText("23:04");
    wizard.BtnNextClick();
    wizard.ParamsPage->EditWindow->setText("1");
    wizard.BtnFinishClick();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Stop date and time must be greater than Start date and time"});
    EXPECT_NE(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(wizard.CurrentPage(), 2);
}

TEST_F(SelAnalysis, RefusedCheckKeepsTheWizardOpenUntilTheParametersFit)
{
    TSelAnalysisDlg wizard;
    WalkToParams(wizard);
    // 14/03 to 17/03 is four days; voltage and frequency hold three of them.
    wizard.BtnFinishClick();  // 7 days
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{kWindowLongerThanInterval});
    EXPECT_NE(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(wizard.CurrentPage(), 2);

    messages.Clear();
    wizard.ParamsPage->EditWindow->setText("4");
    wizard.BtnFinishClick();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text,
              "The following data archive(s):\n<Voltage, Frequency>\nhave duration shorter than selected Window duration.");
    EXPECT_EQ(messages.messages[0].type, MsgType::Warning);
    EXPECT_NE(wizard.result(), QDialog::Accepted);

    // Three days fit; the frequency file's 600 s are the 10-minute period, as its flag word says.
    messages.Clear();
    wizard.ParamsPage->EditWindow->setText("3");
    wizard.BtnFinishClick();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
}

TEST_F(SelAnalysis, OtherRateAsksAndOnlyYesCloses)
{
    TSelAnalysisDlg wizard;
    WalkToParams(wizard);
    wizard.ParamsPage->EditWindow->setText("3");
    wizard.ParamsPage->RadioPeriod->button(0)->click();  // 1 minute
    messages.AnswerNext(MbNo);
    wizard.BtnFinishClick();
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "The following data archive(s):\n<Voltage, Frequency>\n"
                                         "have Rate different than selected Observation Period.\nContinue ?");
    EXPECT_EQ(messages.messages[0].buttons, unsigned(MbYesNo));
    EXPECT_NE(wizard.result(), QDialog::Accepted);

    messages.AnswerNext(MbYes);
    wizard.BtnFinishClick();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(AnalysisParams().PeriodIndex, 0);
}

TEST_F(SelAnalysis, FinishFillsTheSelectionAndTheParameters)
{
    TSelAnalysisDlg wizard;
    WalkToParams(wizard);
    wizard.BtnBackClick();
    wizard.DataPage->Box(2)->click();  // frequency left out
    wizard.BtnNextClick();
    wizard.ParamsPage->EditWindow->setText("2");
    wizard.ParamsPage->RadioPeriod->button(3)->click();  // 15 minutes: the voltage rate differs
    messages.AnswerNext(MbYes);

    const std::string limitsFile = DataDir() + "site.lim";
    QTimer::singleShot(0, [&] {
        auto* editor = qobject_cast<TLimitsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(editor->GetLimitsFileName(), "default");
        EXPECT_EQ(editor->EditVLow->text(), "10.00");
        editor->EditVLow->setText("7.5");
        messages.PickFile(limitsFile);
        editor->BtnSave->click();
        editor->BtnOk->click();
    });
    wizard.ParamsPage->BtnLimits->click();
    EXPECT_EQ(wizard.ParamsPage->LabelLimFile->FullText(), QString::fromStdString(limitsFile));
    EXPECT_EQ(AnalysisParams().Limits.VLow, 7.5f);
    wizard.BtnFinishClick();
    ASSERT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_EQ(messages.Texts().front(), "Limits values saved.");

    const TSurveySelection& s = SurveySelection();
    for (int k = 1; k <= kMeasureSlots; ++k) EXPECT_EQ(s.File(k).Selected, k == 1 || k == 6) << k;
    EXPECT_EQ(s.Start, FixtureTime(2024, 3, 14, 23, 5));
    EXPECT_EQ(s.Stop, FixtureTime(2024, 3, 17, 9, 30, 59, 999));  // frequency no longer stretches it
    TLimitsRecord limits = DefaultLimits();
    limits.VLow = 7.5f;
    EXPECT_EQ(AnalysisParams(), (TAnalysisParams{.WindowDays = 2, .PeriodIndex = 3, .Limits = limits}));
    TLimitsRecord saved;
    ASSERT_TRUE(LoadLimitsFile(limitsFile, saved));
    EXPECT_EQ(saved, limits);
}

TEST_F(SelAnalysis, CancelledLimitsEditorChangesNothing)
{
    TSelAnalysisDlg wizard;
    WalkToParams(wizard);
    QTimer::singleShot(0, [] {
        auto* editor = qobject_cast<TLimitsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(editor, nullptr);
        editor->EditVLow->setText("3");
        editor->BtnCancel->click();
    });
    wizard.ParamsPage->BtnLimits->click();
    EXPECT_EQ(AnalysisParams().Limits, DefaultLimits());
    EXPECT_EQ(wizard.ParamsPage->LabelLimFile->FullText(), "default");
}

TEST_F(SelAnalysis, ParametersPageKeepsItsFieldsAcrossBackAndNext)
{
    TSelAnalysisDlg wizard;
    WalkToParams(wizard);
    wizard.ParamsPage->EditWindow->setText("3");
    wizard.ParamsPage->RadioPeriod->button(5)->click();
    wizard.BtnBackClick();
    wizard.BtnNextClick();
    EXPECT_EQ(wizard.ParamsPage->EditWindow->text(), "3");
    EXPECT_EQ(wizard.ParamsPage->RadioPeriod->checkedId(), 5);
}

TEST_F(SelAnalysis, LeavingTheWindowFieldChecksItOnce)
{
    TSelAnalysisDlg wizard;
    WalkToParams(wizard);
    wizard.show();
    QApplication::setActiveWindow(&wizard);
    QLineEdit* field = wizard.ParamsPage->EditWindow;
    field->setFocus();
    field->setText("40");

    // Within the page: the message, and the focus back on the field.
    wizard.ParamsPage->RadioPeriod->button(1)->setFocus();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Days of analysis must be from 1 to 31"});
    EXPECT_EQ(QApplication::focusWidget(), field);

    // Enter in the field presses Finish, which says it once.
    messages.Clear();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(field, &enter);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Days of analysis must be from 1 to 31"});
    EXPECT_TRUE(wizard.isVisible());

    // Cancel needs no window.
    messages.Clear();
    wizard.BtnCancel->setFocus();
    EXPECT_TRUE(messages.messages.empty());
    wizard.BtnCancel->click();
    EXPECT_EQ(wizard.result(), QDialog::Rejected);
}

TEST_F(SelAnalysis, CancelStillRecordsTheFolder)
{
    WriteSurvey();
    {
        TSelAnalysisDlg wizard;
        wizard.SurveyPage->Picker->SetFolder(dir.Path());
        wizard.reject();
    }
    EXPECT_TRUE(LastPath().DataPathSet);
    EXPECT_EQ(LastPath().DataPath, dir.Path());
}
