// The export wizard driven offscreen on the demonstration survey (every measure) and on small
// fixture surveys: the pages and tabs, the hand-over file written by Finish, the refusals, and
// the exporter's window run on what the wizard wrote.
#include "export/export_output_page.h"
#include "export/export_tabs_page.h"
#include "export/export_windows.h"
#include "export/sel_export_dlg.h"
#include "dialogs/harm_list_dlg.h"
#include "fixtures/data_fixture.h"
#include "fixtures/demo_survey.h"
#include "fixtures/survey_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/date_format.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "survey/text_tables.h"
#include "wizards/interval_fields.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"
#include "../sheet/xlrd_check.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
constexpr int kExported[] = {1, 2, 3, 4, 5, 6, 7, 9, 10};

class ExportWizard : public ::testing::Test {
protected:
    void SetUp() override
    {
        RunDateFormats().shortDate = "dd/MM/yyyy";
        LastPath() = {};
        CreateFolder(DataDir());
        CreateFolder(dir / "out");
    }
    std::string HandOver() const { return DataDir() + "export.tmp"; }
    // Pages 1 to 3 on a survey, then page 4 with base name "x" in out/ and the format's index.
    void WalkToLastPage(TSelExportDlg& dlg, const std::string& survey, int format = 0)
    {
        dlg.SurveyPage->Picker->SelectFile(survey);
        ASSERT_TRUE(dlg.BtnNext->isEnabled());
        dlg.BtnNextClick();
        ASSERT_TRUE(dlg.BtnNext->isEnabled());
        dlg.BtnNextClick();
        ASSERT_TRUE(dlg.BtnNext->isEnabled()) << "the tabs as they start must be valid";
        dlg.BtnNextClick();
        dlg.OutputPage->ExpDirList->SetFolder(dir / "out");
        dlg.OutputPage->ComboExt->setCurrentIndex(format);
        EXPECT_FALSE(dlg.BtnFinish->isEnabled()) << "no base name yet";
        dlg.OutputPage->EditBase->setText("x");
        EXPECT_TRUE(dlg.BtnFinish->isEnabled());
    }
    bool Ticked(TSelExportDlg& dlg, int measure, int item) const
    {
        return dlg.TabsPage->Tab(measure).Items[static_cast<std::size_t>(item)]->isChecked();
    }
    bool Offered(TSelExportDlg& dlg, int measure, int item) const
    {
        return dlg.TabsPage->Tab(measure).Items[static_cast<std::size_t>(item)]->isEnabled();
    }

    TempProgDir dir;
    ScriptedMessages messages;
};

std::vector<int> Numbers(const HarmonicNumbers& numbers, int count)
{
    return std::vector<int>(numbers.begin(), numbers.begin() + count);
}
}  // namespace

TEST_F(ExportWizard, EveryPageOfTheDemoSurveyAndTheHandOverFinishWrites)
{
    const std::string demo = WriteDemoSurvey(dir / "survey", 2);
    TSelExportDlg dlg;
    WalkToLastPage(dlg, demo, 1);
    // Page 2 offered and ticked the nine measures; page 3 showed their tabs, prepared from the files.
    for (int k : kExported) EXPECT_TRUE(dlg.DataPage->Box(k)->isChecked()) << k;
    for (int i = 0; i < dlg.TabsPage->Tabs->count(); ++i) EXPECT_TRUE(dlg.TabsPage->Tabs->isTabVisible(i)) << i;
    // Voltage: minimum, average and maximum only, all three phases; "Average" and the phases ticked.
    for (int i = 0; i < 9; ++i) EXPECT_EQ(Offered(dlg, 1, i), i < 3) << i;
    EXPECT_TRUE(Ticked(dlg, 1, 1));
    for (QCheckBox* phase : dlg.TabsPage->Tab(1).Phases) EXPECT_TRUE(phase->isChecked());
    // Frequency holds the 95 % pair too; flicker the full set, Plt ticked.
    EXPECT_TRUE(Offered(dlg, 2, 5));
    EXPECT_FALSE(Offered(dlg, 2, 3));
    EXPECT_TRUE(Offered(dlg, 5, 3));
    EXPECT_TRUE(Ticked(dlg, 5, 7));
    EXPECT_FALSE(Ticked(dlg, 5, 0));
    // Powers: the four averages; energy: every counter of the file.
    for (int i = 0; i < 12; ++i) EXPECT_EQ(Ticked(dlg, 7, i), i == 1 || i == 4 || i == 7 || i == 10) << i;
    for (int i = 0; i < 11; ++i) EXPECT_TRUE(Ticked(dlg, 10, i)) << i;
    EXPECT_TRUE(dlg.TabsPage->Tab(4).BtnHarmonics->isEnabled());
    // Page 4 names each workbook.
    EXPECT_EQ(dlg.OutputPage->NameLabels[1]->text().toStdString(), dir / "out/x_vm.txt");
    EXPECT_EQ(dlg.OutputPage->NameLabels[10]->text().toStdString(), dir / "out/x_en.txt");
    EXPECT_TRUE(dlg.OutputPage->CaptionLabels[9]->isEnabled());

    dlg.BtnFinishClick();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(messages.messages.empty()) << testing::PrintToString(messages.Texts());
    EXPECT_EQ(FileSize(HandOver()), 4842u);
    const auto p = ReadExportParams(HandOver());
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->Format, 1u);
    for (int k = 1; k <= kMeasureSlots; ++k) {
        const bool exported = std::find(std::begin(kExported), std::end(kExported), k) != std::end(kExported);
        EXPECT_EQ(p->Measure(k).OutputPath, exported ? ExportOutputPath(dir / "out", "x", k, 1) : "") << k;
    }
    EXPECT_TRUE(p->Measure(1).Items[1]);
    EXPECT_FALSE(p->Measure(1).Items[0]);
    EXPECT_EQ(p->Measure(2).Phases, (std::array<bool, 3>{true, false, false}));
    // The harmonic block tables of the first records, each with the first block chosen.
    EXPECT_EQ(Numbers(p->VoltageOrders, p->VoltageOrderCount), (std::vector<int>{0, 1, 3, 5, 7}));
    EXPECT_EQ(Numbers(p->VoltageHarmonicFlags, p->VoltageOrderCount), (std::vector<int>{2 | 8 | 32, 10, 10, 10, 2}));
    EXPECT_EQ(Numbers(p->VoltageChosen, p->VoltageChosenCount), (std::vector<int>{0}));
    EXPECT_EQ(Numbers(p->CurrentOrders, p->CurrentOrderCount), (std::vector<int>{0, 2, 4, 6}));
    EXPECT_EQ(Numbers(p->CurrentChosen, p->CurrentChosenCount), (std::vector<int>{0}));
    EXPECT_TRUE(p->Measure(4).Present[5]);
    EXPECT_FALSE(p->Measure(4).Present[3]);
    // SurveySelection: the nine measures and the default interval, its stop minute inclusive.
    const TSurveySelection& s = SurveySelection();
    EXPECT_EQ(s.Name, "demo.orv");
    for (int k : kExported) EXPECT_TRUE(s.File(k).Selected) << k;
    EXPECT_FALSE(s.File(8).Selected);
    EXPECT_EQ(s.Start, FixtureTime(2024, 3, 15, 0, 0));
}

TEST_F(ExportWizard, TheExporterWritesAWorkbookForEveryMeasureTheWizardChose)
{
    const std::string demo = WriteDemoSurvey(dir / "survey", 2);
    TSelExportDlg dlg;
    WalkToLastPage(dlg, demo, 0);
    dlg.BtnFinishClick();
    ASSERT_EQ(dlg.result(), QDialog::Accepted);
    RunExporter(nullptr);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Export completed successfully."});
    EXPECT_FALSE(FileExists(HandOver()));
    for (int k : kExported) {
        const XlrdDump x = CheckWithXlrd(ExportOutputPath(dir / "out", "x", k, 0));
        EXPECT_EQ(x["cell.1.8.4"], "t:" + std::string(MeasureName(k))) << k;
        EXPECT_EQ(x["cell.1.13.2"], "t:Date") << k;
        EXPECT_EQ(x["cell.1.14.2"].substr(0, 12), "t:15/03/2024") << k;
    }
}

TEST_F(ExportWizard, AMeasureTickedAfterTheTabsWereShownGetsItsTabPrepared)
{
    TSelExportDlg dlg;
    dlg.SurveyPage->Picker->SelectFile(WriteDemoSurvey(dir / "survey", 1));
    dlg.BtnNextClick();
    dlg.DataPage->Box(2)->setChecked(false);
    dlg.DataPage->CBoxClick();
    dlg.BtnNextClick();
    EXPECT_FALSE(dlg.TabsPage->Tabs->isTabVisible(1));
    // The user's choice on another tab stays when coming back.
    dlg.TabsPage->Tab(1).Items[0]->click();
    dlg.BtnBackClick();
    dlg.DataPage->Box(2)->setChecked(true);
    dlg.DataPage->CBoxClick();
    dlg.BtnNextClick();
    EXPECT_TRUE(dlg.TabsPage->Tabs->isTabVisible(1));
    EXPECT_TRUE(Ticked(dlg, 2, 1));
    EXPECT_TRUE(Offered(dlg, 2, 5));
    EXPECT_TRUE(Ticked(dlg, 1, 0));
    EXPECT_TRUE(dlg.BtnNext->isEnabled());
}

TEST_F(ExportWizard, TabsRefuseNextUntilEachVisibleTabHasAChoice)
{
    TSelExportDlg dlg;
    dlg.SurveyPage->Picker->SelectFile(WriteDemoSurvey(dir / "survey", 1));
    dlg.BtnNextClick();
    dlg.BtnNextClick();
    ASSERT_TRUE(dlg.BtnNext->isEnabled());
    dlg.TabsPage->Tab(7).BtnClearAll->click();
    dlg.TabsPage->Tab(7).Items[9]->click();  // Min. Current without a phase
    EXPECT_FALSE(dlg.BtnNext->isEnabled());
    dlg.TabsPage->Tab(7).Phases[1]->click();
    EXPECT_TRUE(dlg.BtnNext->isEnabled());
    for (int i : {6, 7, 8, 10}) dlg.TabsPage->Tab(6).Items[static_cast<std::size_t>(i)]->click();  // no event type
    EXPECT_FALSE(dlg.BtnNext->isEnabled());
    dlg.TabsPage->Tab(6).BtnSetAll->click();
    EXPECT_TRUE(dlg.BtnNext->isEnabled());
    dlg.TabsPage->Tab(4).BtnClearAll->click();
    EXPECT_FALSE(dlg.TabsPage->Tab(4).BtnHarmonics->isEnabled());
}

TEST_F(ExportWizard, HarmonicsBeyondTheColumnsOfAnExcelSheetAreRefusedBeforeNext)
{
    HarmonicsRecordFields r;
    for (int order = 0; order < 18; ++order) r.blocks.push_back({.flags = 2 | 4 | 8 | 16, .order = order});
    WriteDataFile(dir / "h.hme", {HarmonicsRecord(r)});
    SurveyFixture survey;
    survey.dataFiles = {{4, "h.hme"}};
    TSelExportDlg dlg;
    dlg.SurveyPage->Picker->SelectFile(WriteSurveyFile(dir / "h.orv", survey));
    dlg.BtnNextClick();
    dlg.BtnNextClick();
    const TExportTabsPage::TMeasureTab& tab = dlg.TabsPage->Tab(4);
    tab.BtnSetAll->click();
    tab.Phases[2]->click();  // nine statistics of two phases: 18 columns an order
    ASSERT_TRUE(dlg.BtnNext->isEnabled());
    // In the picker, every order (two phases allow 18): 324 value columns.
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* picker = qobject_cast<THarmListDlg*>(w); picker && picker->isVisible()) {
                picker->IncAllBtn->click();
                (picker->BtnOk->isEnabled() ? picker->BtnOk : picker->BtnCancel)->click();
            }
    });
    tab.BtnHarmonics->click();
    EXPECT_EQ(dlg.Params().VoltageChosenCount, 18);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, "The chosen Voltage Harmonics values need 326 columns; an Excel 5.0 sheet "
                                         "holds 256. Choose fewer phases, statistics or harmonics.");
    EXPECT_FALSE(dlg.BtnNext->isEnabled());
    tab.Phases[1]->click();  // one phase: 162 columns
    EXPECT_TRUE(dlg.BtnNext->isEnabled());
    EXPECT_EQ(messages.messages.size(), 1u);
    tab.Phases[1]->click();  // two again: refused again
    EXPECT_EQ(messages.messages.size(), 2u);
    EXPECT_FALSE(dlg.BtnNext->isEnabled());
}

TEST_F(ExportWizard, AThirteenLineSurveysInformationIsNeverTakenForDataFiles)
{
    WriteDataFile(dir / "s.vme", {TrendRecord(1, {})});
    SurveyFixture survey;
    survey.layout = 13;
    survey.dataFiles = {{1, "s.vme"}};
    survey.description = "s.vme";  // line 10: a name that exists, and still no energy file
    TSelExportDlg dlg;
    dlg.SurveyPage->Picker->SelectFile(WriteSurveyFile(dir / "s.orv", survey));
    EXPECT_EQ(dlg.SurveyPage->Label1->text(), "s.vme");
    dlg.BtnNextClick();
    for (int k : kExported) EXPECT_EQ(dlg.DataPage->Box(k)->isEnabled(), k == 1) << k;
}

TEST_F(ExportWizard, FinishRefusesAStopBeforeTheStartAndWritesNothing)
{
    TSelExportDlg dlg;
    WalkToLastPage(dlg, WriteDemoSurvey(dir / "survey", 1));
    dlg.DataPage->Interval->EditEndDate->setText("14/03/2024");
    dlg.BtnFinishClick();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_TRUE(messages.Shown("Stop date and time must be greater than Start date and time"));
    EXPECT_FALSE(FileExists(HandOver()));
}

TEST_F(ExportWizard, AnExistingWorkbookIsAskedForAndNeverTouched)
{
    TSelExportDlg dlg;
    WalkToLastPage(dlg, WriteDemoSurvey(dir / "survey", 1));
    const std::string old = ExportOutputPath(dir / "out", "x", 1, 0);
    WriteFileAtomic(old, std::string("the old workbook"));
    messages.AnswerNext(MbNo);
    dlg.BtnFinishClick();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"File already exists.\nOverwrite ?"});
    EXPECT_EQ(ReadText(old), "the old workbook");
    EXPECT_FALSE(FileExists(HandOver()));
    EXPECT_EQ(ListFiles(dir / "out", "*"), std::vector<std::string>{"x_vm.xls"});
    messages.AnswerNext(MbYes);
    dlg.BtnFinishClick();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(ReadText(old), "the old workbook");  // replaced only by the exporter's complete workbook
    EXPECT_TRUE(FileExists(HandOver()));
}

TEST_F(ExportWizard, AWorkbookPathTooLongToStoreIsRefused)
{
    TSelExportDlg dlg;
    WalkToLastPage(dlg, WriteDemoSurvey(dir / "survey", 1));
    dlg.OutputPage->EditBase->setText(QString(250, 'b'));
    dlg.BtnFinishClick();
    EXPECT_NE(dlg.result(), QDialog::Accepted);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].type, MsgType::Error);
    EXPECT_NE(messages.messages[0].text.find("longer than the 255 characters"), std::string::npos);
    EXPECT_FALSE(FileExists(HandOver()));
}

TEST_F(ExportWizard, CancelWritesNothing)
{
    TSelExportDlg dlg;
    WalkToLastPage(dlg, WriteDemoSurvey(dir / "survey", 1));
    dlg.BtnCancel->click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_FALSE(FileExists(HandOver()));
}
