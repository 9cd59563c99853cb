// "Run Compliance Analysis" from the main window on the demo survey: the registered wizard is
// walked page by page, limits are edited and saved, and the engine starts on the records the
// wizard filled. With ORV_SHOT_DIR set every page, the limits editor and the check window are
// saved there as PNG files.
#include "analysis/analysis_params.h"
#include "analysis/analysis_params_page.h"
#include "analysis/check_limit_dlg.h"
#include "analysis/limits_dlg.h"
#include "analysis/limits_file.h"
#include "analysis/sel_analysis_dlg.h"
#include "app/main_form.h"
#include "fixtures/data_fixture.h"
#include "fixtures/demo_survey.h"
#include "fixtures/temp_prog_dir.h"
#include "fixtures/window_shot.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "wizards/interval_page.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <gtest/gtest.h>

TEST(AnalysisRoad, WizardOnTheDemoSurveyReachesTheEngineWithItsChoices)
{
    TempProgDir dir;
    CreateProgramFolders();
    LastPath() = {};
    ScriptedMessages messages;
    const std::string survey = WriteDemoSurvey(DataDir(), 7);
    ASSERT_FALSE(survey.empty());
    const std::string limitsFile = DataDir() + "feeder.lim";

    TMainForm form;
    form.show();
    RegisterAnalysisWizard(form.WindowRegistry);
    int engineStarts = 0;
    TAnalysisParams params;
    TSurveySelection selection;
    form.WindowRegistry.RoadWindows().AnalysisEngine = [&](QWidget*, std::string&) {
        ++engineStarts;
        params = AnalysisParams();
        selection = SurveySelection();
        return false;
    };

    QTimer::singleShot(0, [&] {
        auto* wizard = qobject_cast<TSelAnalysisDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(wizard, nullptr);
        wizard->SurveyPage->Picker->SelectFile(survey);
        Shot(wizard, "analysis-page1");
        wizard->BtnNext->click();
        wizard->DataPage->Box(MeasureFlicker)->click();  // left out
        Shot(wizard, "analysis-page2");
        wizard->BtnNext->click();
        wizard->ParamsPage->EditWindow->setText("5");
        QTimer::singleShot(0, [&] {
            auto* editor = qobject_cast<TLimitsDlg*>(QApplication::activeModalWidget());
            ASSERT_NE(editor, nullptr);
            editor->Tabs->setCurrentIndex(1);
            editor->EditHzLow1->setText("0.5");
            Shot(editor, "analysis-limits");
            messages.AnswerNext(MbYes);  // save the changes on OK
            messages.PickFile(limitsFile);
            editor->BtnOk->click();
        });
        wizard->ParamsPage->BtnLimits->click();
        Shot(wizard, "analysis-page3");
        QTimer::singleShot(0, [] {
            if (auto* check = qobject_cast<TCheckLimitDlg*>(QApplication::activeModalWidget())) Shot(check, "analysis-check");
        });
        wizard->BtnFinish->click();
    });
    form.ItemRunAnalysis->trigger();

    ASSERT_EQ(engineStarts, 1);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Save changes to active Limits file ?", "Limits values saved."}));
    TLimitsRecord limits = DefaultLimits();
    limits.HzLow1 = 0.5f;
    EXPECT_EQ(params, (TAnalysisParams{.WindowDays = 5, .PeriodIndex = 2, .Limits = limits}));
    TLimitsRecord saved;
    ASSERT_TRUE(LoadLimitsFile(limitsFile, saved));
    EXPECT_EQ(saved, limits);

    EXPECT_EQ(selection.Name, "demo.orv");
    for (int k = 1; k <= kMeasureSlots; ++k) {
        const bool chosen = k <= MeasureEvents && k != MeasureFlicker;
        EXPECT_EQ(selection.File(k).Selected, chosen) << k;
        EXPECT_EQ(selection.File(k).FileName.empty(), k > MeasureEvents) << k;  // only what an analysis judges
    }
    EXPECT_EQ(selection.File(MeasureVoltage).RecordCount, 7 * (kDemoRecordsPerDay - kDemoGapMinutes / kDemoPeriodMinutes));
    EXPECT_EQ(selection.Start, FixtureTime(2024, 3, 15, 0, 0));
    // The last ten-minute record of the seventh day, its minute included.
    EXPECT_EQ(selection.Stop, FixtureTime(2024, 3, 21, 23, 50, 59, 999));
}
