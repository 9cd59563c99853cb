// The summary wizard driven offscreen (paging past the harmonics page, the harmonics buttons,
// Finish's refusals and what it fills), the engine's window, and Create Survey Summary from
// the main window's menu through wizard and engine to the report.
#include "summary/harmonic_orders_page.h"
#include "summary/run_summary_dlg.h"
#include "summary/sel_summary_dlg.h"
#include "summary/sum_report_form.h"
#include "summary/summary_params_page.h"

#include "analysis/limits_dlg.h"
#include "app/main_form.h"
#include "dialogs/elided_label.h"
#include "dialogs/job_window.h"
#include "fixtures/data_fixture.h"
#include "fixtures/demo_survey.h"
#include "fixtures/selection_fixture.h"
#include "fixtures/survey_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/date_format.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "wizards/interval_fields.h"
#include "wizards/interval_page.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <filesystem>
#include <gtest/gtest.h>

namespace {
Bytes Harmonics(std::initializer_list<int> orders, int day, int hour)
{
    HarmonicsRecordFields f;
    f.time = {2024, 3, day, hour, 0};
    for (int o : orders) f.blocks.push_back({2, o, {}});
    return HarmonicsRecord(f);
}

Bytes Voltage(int day, int hour)
{
    TrendRecordFields r;
    r.time = {2024, 3, day, hour, 0};
    r.phases = {{}, {}, {}};
    return TrendRecord(MeasureVoltage, r);
}

class SummaryWizard : public ::testing::Test {
protected:
    void SetUp() override
    {
        RunDateFormats().shortDate = "dd/MM/yyyy";
        LastPath() = {};
        CreateProgramFolders();
    }
    // Voltage from 15/03 10:00 to 16/03 09:00, harmonics of the orders given.
    std::string WriteSurvey(const std::string& name, std::initializer_list<int> orders)
    {
        WriteDataFile(dir / (name + ".vme"), {Voltage(15, 10), Voltage(15, 11), Voltage(16, 9)});
        WriteDataFile(dir / (name + ".hme"), {Harmonics(orders, 15, 10), Harmonics(orders, 15, 11)});
        SurveyFixture survey;
        survey.dataFiles = {{1, name + ".vme"}, {4, name + ".hme"}};
        return WriteSurveyFile(dir / (name + ".orv"), survey);
    }
    static std::vector<int> Ticked(const THarmonicOrdersPage& page)
    {
        std::vector<int> boxes;
        for (int box = 1; box <= kHarmonicBoxes; ++box)
            if (page.CheckBoxes[static_cast<std::size_t>(box)]->isChecked()) boxes.push_back(box);
        return boxes;
    }

    TempProgDir dir;
    ScriptedMessages messages;
};
}  // namespace

TEST_F(SummaryWizard, HarmonicsPageOnlyWhileVoltageHarmonicsIsTicked)
{
    TSelSummaryDlg wizard;
    wizard.PresetSummarySurvey(WriteSurvey("s", {0, 2, 3}));
    ASSERT_EQ(wizard.CurrentPage(), 1);
    EXPECT_TRUE(wizard.DataPage->Box(MeasureVoltageHarmonics)->isChecked());
    EXPECT_FALSE(wizard.DataPage->Box(MeasureFlicker)->isEnabled());
    wizard.BtnNextClick();
    EXPECT_EQ(wizard.CurrentPage(), 2);
    wizard.BtnBackClick();
    wizard.DataPage->Box(MeasureVoltageHarmonics)->click();
    wizard.BtnNextClick();
    EXPECT_EQ(wizard.CurrentPage(), 3);
    EXPECT_TRUE(wizard.BtnFinish->isVisible() || !wizard.isVisible());
    wizard.BtnBackClick();
    EXPECT_EQ(wizard.CurrentPage(), 1);
}

// Orders THD, 2, 3, 5 and 7 in the file: only their boxes, all ticked; the buttons tick among them.
TEST_F(SummaryWizard, HarmonicsButtons)
{
    TSelSummaryDlg wizard;
    wizard.PresetSummarySurvey(WriteSurvey("s", {0, 2, 3, 5, 7}));
    wizard.BtnNextClick();
    THarmonicOrdersPage& page = *wizard.HarmonicsPage;
    EXPECT_EQ(Ticked(page), (std::vector<int>{1, 2, 3, 5, 7}));
    EXPECT_FALSE(page.CheckBoxes[4]->isEnabled());
    EXPECT_EQ(page.CheckBoxes[1]->text(), "Thd");
    EXPECT_EQ(page.CheckBoxes[21]->text(), "21th");
    page.BtnEvenClick();
    EXPECT_EQ(Ticked(page), (std::vector<int>{1, 2}));
    page.BtnOddClick();
    EXPECT_EQ(Ticked(page), (std::vector<int>{1, 3, 5, 7}));
    page.BtnClearAllClick();
    EXPECT_TRUE(Ticked(page).empty());
    EXPECT_FALSE(wizard.BtnNext->isEnabled());
    page.BtnSetAllClick();
    EXPECT_EQ(Ticked(page), (std::vector<int>{1, 2, 3, 5, 7}));
    EXPECT_TRUE(wizard.BtnNext->isEnabled());
}

TEST_F(SummaryWizard, FinishFillsTheSelectionAndTheParameters)
{
    const std::string path = WriteSurvey("s", {0, 1, 2, 3});
    TSelSummaryDlg wizard;
    wizard.PresetSummarySurvey(path);
    wizard.DataPage->Box(MeasureVoltage)->click();  // unticked: only harmonics
    wizard.BtnNextClick();
    wizard.HarmonicsPage->CheckBoxes[2]->click();   // 2nd left out
    wizard.BtnNextClick();
    EXPECT_EQ(wizard.ParamsPage->EditPerc->text(), "95");
    EXPECT_EQ(wizard.ParamsPage->LabelLimFile->FullText(), "default");
    wizard.ParamsPage->EditPerc->setText("97");
    wizard.BtnFinishClick();
    EXPECT_EQ(wizard.result(), QDialog::Accepted);
    EXPECT_TRUE(messages.messages.empty());
    const TSurveySelection& s = SurveySelection();
    EXPECT_FALSE(s.File(MeasureVoltage).Selected);
    EXPECT_TRUE(s.File(MeasureVoltageHarmonics).Selected);
    EXPECT_EQ(s.Start, FixtureTime(2024, 3, 15, 10, 0));
    EXPECT_EQ(s.Stop, FixtureTime(2024, 3, 15, 11, 0) + kStopMinuteExtraDays);
    const TSummaryParams& p = SummaryParams();
    EXPECT_EQ(p.Percentile, 97);
    EXPECT_TRUE(p.HarmonicSelected[0]);
    EXPECT_TRUE(p.HarmonicSelected[1]);  // the fundamental, which no box clears
    EXPECT_FALSE(p.HarmonicSelected[2]);
    EXPECT_TRUE(p.HarmonicSelected[3]);
    EXPECT_EQ(wizard.SelectedFile(), path);
}

TEST_F(SummaryWizard, FinishRefusesAPercentileOutside90To100AndAStopBeforeTheStart)
{
    TSelSummaryDlg wizard;
    wizard.PresetSummarySurvey(WriteSurvey("s", {0}));
    wizard.BtnNextClick();
    wizard.BtnNextClick();
    for (const char* text : {"89", "101"}) {
        messages.Clear();
        wizard.ParamsPage->EditPerc->setText(text);
        EXPECT_FALSE(wizard.ParamsPage->EditPercExit()) << text;
        wizard.BtnFinishClick();
        EXPECT_EQ(messages.Texts(), (std::vector<std::string>{std::string(kSummaryPercentileMessage),
                                                              std::string(kSummaryPercentileMessage)}))
            << text;
        EXPECT_EQ(wizard.result(), 0) << text;
    }
    for (const char* text : {"90", "100"}) {
        wizard.ParamsPage->EditPerc->setText(text);
        EXPECT_TRUE(wizard.ParamsPage->EditPercExit()) << text;
    }
    messages.Clear();
    wizard.DataPage->Interval->EditEndDate->setText("14/03/2024");
    wizard.BtnFinishClick();
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{kStopBeforeStartMessage}));
    EXPECT_EQ(wizard.result(), 0);
    EXPECT_EQ(wizard.CurrentPage(), 3);
}

// Enter in the percentile field presses Finish, which checks it: the refusal is told once.
TEST_F(SummaryWizard, EnterOnARefusedPercentileTellsItOnce)
{
    TSelSummaryDlg wizard;
    wizard.PresetSummarySurvey(WriteSurvey("s", {0}));
    wizard.BtnNextClick();
    wizard.BtnNextClick();
    wizard.show();
    QApplication::setActiveWindow(&wizard);
    QLineEdit* field = wizard.ParamsPage->EditPerc;
    field->setFocus();
    field->setText("101");
    messages.Clear();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(field, &enter);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{std::string(kSummaryPercentileMessage)});
    EXPECT_TRUE(wizard.isVisible());
    EXPECT_EQ(wizard.result(), 0);
}

TEST_F(SummaryWizard, ANewSurveyClearsTheLastOnesHarmonics)
{
    const std::string a = WriteSurvey("a", {0, 3, 5, 7, 9});
    const std::string b = WriteSurvey("b", {0, 2});
    TSelSummaryDlg wizard;
    wizard.PresetSummarySurvey(a);
    wizard.BtnBackClick();
    wizard.SurveyPage->Picker->SelectFile(b);
    wizard.BtnNextClick();
    wizard.BtnNextClick();
    EXPECT_EQ(Ticked(*wizard.HarmonicsPage), (std::vector<int>{1, 2}));
}

TEST_F(SummaryWizard, SetLimitsTakesTheEditedLimitsAndTheirFile)
{
    TSelSummaryDlg wizard;
    wizard.PresetSummarySurvey(WriteSurvey("s", {0}));
    wizard.BtnNextClick();
    wizard.BtnNextClick();
    // Changed limits are saved to a file before the editor closes with them.
    messages.AnswerNext(MbYes);
    messages.PickFile(dir / "site.lim");
    bool seen = false;
    QTimer::singleShot(0, [&] {
        if (auto* limits = qobject_cast<TLimitsDlg*>(QApplication::activeModalWidget())) {
            seen = true;
            limits->EditVHigh->setText("12");
            limits->BtnOkClick();
        }
    });
    wizard.ParamsPage->BtnLimitsClick();
    ASSERT_TRUE(seen);
    EXPECT_EQ(SummaryParams().Limits.VHigh, 12.0f);
    EXPECT_EQ(SummaryParams().LimitsFileName, dir / "site.lim");
    EXPECT_EQ(wizard.ParamsPage->LabelLimFile->FullText().toStdString(), dir / "site.lim");
}

// A limits file deep in folders fits the page: its name is shortened in the middle, the whole
// name kept for the tooltip, instead of running past the window's edge.
TEST_F(SummaryWizard, ALongLimitsFileNameIsShortenedToFitThePage)
{
    TSelSummaryDlg wizard;
    wizard.PresetSummarySurvey(WriteSurvey("s", {0}));
    wizard.BtnNextClick();
    wizard.BtnNextClick();
    const std::string name = "/srv/surveys/north_feeder_substation/limits_files_for_the_year/feeder_limits.lim";
    SummaryParams().LimitsFileName = name;
    wizard.ParamsPage->ShowSummaryParams();
    wizard.show();
    QApplication::processEvents();
    const TElidedLabel* label = wizard.ParamsPage->LabelLimFile;
    EXPECT_EQ(label->FullText().toStdString(), name);
    EXPECT_NE(label->text().toStdString(), name);
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
    EXPECT_LE(label->geometry().right(), wizard.ParamsPage->width());
}

// The summary file stores the limits file's name in a short string: a longer path is refused
// with its message, never cut, and the limits stay as they were.
TEST_F(SummaryWizard, ALimitsFilePathLongerThanItsFieldIsRefused)
{
    const std::string folder = dir / (std::string(100, 'a') + "/" + std::string(100, 'b') + "/");
    ASSERT_TRUE(std::filesystem::create_directories(folder));
    const std::string path = folder + std::string(60, 'c') + ".lim";
    ASSERT_GT(path.size(), 255u);
    TSelSummaryDlg wizard;
    wizard.PresetSummarySurvey(WriteSurvey("s", {0}));
    wizard.BtnNextClick();
    wizard.BtnNextClick();
    messages.AnswerNext(MbYes);
    messages.PickFile(path);
    QTimer::singleShot(0, [&] {
        if (auto* limits = qobject_cast<TLimitsDlg*>(QApplication::activeModalWidget())) {
            limits->EditVHigh->setText("12");
            limits->BtnOkClick();
        }
    });
    wizard.ParamsPage->BtnLimitsClick();
    EXPECT_TRUE(messages.Shown(ShortStringTooLongMessage(path)));
    EXPECT_EQ(SummaryParams().Limits.VHigh, 10.0f);
    EXPECT_EQ(SummaryParams().LimitsFileName, "default");
}

// The engine's window: its measure rows, the run to the end, and Abort.
TEST_F(SummaryWizard, EngineWindowRunsToTheSummaryFile)
{
    TSurveySelection survey;
    TSummaryParams params;
    SetDefaultSummaryParams(params);
    params.Percentile = 100;
    const std::string path = WriteDataFile(dir / "v.vme", {Voltage(15, 10), Voltage(15, 11)});
    SelectMeasureFile(survey, 1, path);
    SetInterval(survey, FixtureTime(2024, 3, 15, 0, 0), FixtureTime(2024, 3, 16, 0, 0));
    {
        TSummaryEngine engine(survey, params, SummaryFilePath());
        TRunSummaryDlg dialog(nullptr, engine);
        EXPECT_EQ(dialog.windowTitle(), "Creating Survey Summary...");
        EXPECT_TRUE(dialog.Labels[1]->isEnabled());
        EXPECT_FALSE(dialog.Labels[6]->isEnabled());
        EXPECT_EQ(dialog.exec(), QDialog::Accepted);
        EXPECT_EQ(dialog.Bars[1]->value(), 100);
        EXPECT_TRUE(FileExists(SummaryFilePath()));
    }
    DeleteFile(SummaryFilePath());
    {
        TSummaryEngine engine(survey, params, SummaryFilePath());
        TRunSummaryDlg dialog(nullptr, engine);
        QTimer::singleShot(0, &dialog, [&dialog] { dialog.Panel->BtnAbortClick(); });
        EXPECT_EQ(dialog.exec(), QDialog::Rejected);
        EXPECT_FALSE(FileExists(SummaryFilePath()));
    }
}

// "Create Survey Summary" on the demo survey: the wizard through its four pages, the engine's
// window, and the report on the summary it wrote.
TEST_F(SummaryWizard, CreateSurveySummaryRunsWizardEngineAndReport)
{
    const std::string survey = WriteDemoSurvey(dir / "demo", 2);
    ASSERT_FALSE(survey.empty());
    TMainForm form;
    RegisterSummaryWindows(form.WindowRegistry);
    bool finished = false;
    QTimer::singleShot(0, [&] {
        auto* wizard = qobject_cast<TSelSummaryDlg*>(QApplication::activeModalWidget());
        if (!wizard) return;
        wizard->SurveyPage->Picker->SelectFile(survey);
        wizard->BtnNextClick();  // measures and interval
        wizard->BtnNextClick();  // harmonics
        wizard->BtnNextClick();  // parameters
        wizard->BtnFinishClick();
        finished = wizard->result() == QDialog::Accepted;
    });
    form.ItemSummaryClick();
    ASSERT_TRUE(finished) << testing::PrintToString(messages.Texts());
    EXPECT_TRUE(messages.messages.empty()) << testing::PrintToString(messages.Texts());
    EXPECT_EQ(form.Recent.List(RecentList::Summaries), std::vector<std::string>{survey});
    ASSERT_EQ(form.MdiArea->subWindowList().size(), 1);
    auto* report = dynamic_cast<TSumReportForm*>(form.ActiveChild());
    ASSERT_TRUE(report);
    EXPECT_EQ(report->windowTitle().toStdString(), "Survey Summary of demo.orv");
    EXPECT_FALSE(FileExists(SummaryFilePath()));
    for (int m = 1; m <= 6; ++m) EXPECT_TRUE(report->Summary().Survey.File(m).Selected) << m;
    EXPECT_NE(report->Summary().Results.VoltageMax[0], 0.0f);
}

// Reopen Survey Summary: the wizard opens preset on the survey of the list, on page 2.
TEST_F(SummaryWizard, ReopenPresetsTheWizardOnTheSurvey)
{
    const std::string path = WriteSurvey("s", {0});
    TMainForm form;
    RegisterSummaryWindows(form.WindowRegistry);
    form.AddRecent(RecentList::Summaries, path);
    int page = -1;
    QTimer::singleShot(0, [&] {
        if (auto* wizard = qobject_cast<TSelSummaryDlg*>(QApplication::activeModalWidget())) {
            page = wizard->CurrentPage();
            wizard->BtnCancelClick();
        }
    });
    form.ItemReopenSummaryClick(0);
    EXPECT_EQ(page, 1);
    EXPECT_TRUE(form.MdiArea->subWindowList().isEmpty());
}
