// "Open Survey..." end to end: the main window's command runs the real wizard modal on a
// demonstration survey, SurveySelection is filled, and the survey is offered in "&Reopen Survey"
// after a restart. With ORV_SHOT_DIR set the wizard pages and the reopen menu are saved there
// as PNG files, for looking at them.
#include "app/main_form.h"
#include "fixtures/data_fixture.h"
#include "fixtures/demo_survey.h"
#include "fixtures/survey_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "fixtures/window_shot.h"
#include "platform/date_format.h"
#include "platform/date_time.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "survey/records.h"
#include "wizards/sel_data_dlg.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"

#include <QApplication>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <gtest/gtest.h>

namespace {
// Runs steps on the wizard once its modal loop has started.
void OnWizard(std::function<void(TSelDataDlg&)> steps)
{
    QTimer::singleShot(0, [steps] {
        auto* wizard = qobject_cast<TSelDataDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(wizard, nullptr);
        steps(*wizard);
    });
}

QStringList Captions(QMenu* menu)
{
    QStringList captions;
    for (QAction* a : menu->actions()) captions << a->text();
    return captions;
}

void ExpectDemoSelection(const std::string& folder)
{
    const TSurveySelection& s = SurveySelection();
    EXPECT_EQ(s.Name, "demo.orv");
    EXPECT_EQ(s.Description, "Demonstration feeder");
    const std::string voltage = folder + "demo.vme";
    EXPECT_EQ(s.File(1).FileName, voltage);
    constexpr int voltageRecords = 2 * (144 - 6);  // ten-minute records, an hour missing at noon
    EXPECT_EQ(s.File(1).RecordCount, voltageRecords);
    ASSERT_GT(s.File(1).RecordSize, 0);
    EXPECT_EQ(*FileSize(voltage), 8 + std::uint64_t(voltageRecords) * std::uint64_t(s.File(1).RecordSize));
    EXPECT_EQ(s.File(1).FirstTime, FixtureTime(2024, 3, 15, 0, 0));
    EXPECT_EQ(DecodeDateTime(s.File(1).LastTime), (DateTimeParts{2024, 3, 16, 23, 50, 0, 0}));
    EXPECT_EQ(s.File(6).FileName, folder + "demo.ale");
    EXPECT_EQ(s.File(6).RecordCount, 9);
    EXPECT_EQ(*FileSize(folder + "demo.ale"), 8 + std::uint64_t(9) * std::uint64_t(s.File(6).RecordSize));
    EXPECT_EQ(DecodeDateTime(s.File(6).FirstTime), (DateTimeParts{2024, 3, 15, 2, 13, 7, 45}));
    EXPECT_EQ(DecodeDateTime(s.File(6).LastTime), (DateTimeParts{2024, 3, 16, 22, 51, 9, 33}));
    for (int k = 1; k <= kMeasureCount; ++k) EXPECT_TRUE(s.File(k).Selected) << k;  // every measure
    EXPECT_EQ(s.Start, FixtureTime(2024, 3, 15, 0, 0));
    EXPECT_EQ(DecodeDateTime(s.Stop), (DateTimeParts{2024, 3, 16, 23, 50, 59, 999}));  // the last record's minute
}
}  // namespace

TEST(OpenSurvey, WizardFillsTheSelectionAndTheSurveyIsReopenedAfterARestart)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string survey = WriteDemoSurvey(DataDir(), 2);
    ASSERT_FALSE(survey.empty());
    {
        TMainForm form;
        form.show();
        RunDateFormats().shortDate = "dd/MM/yyyy";
        OnWizard([](TSelDataDlg& wizard) {
            QList<QListWidgetItem*> items = wizard.SurveyPage->Picker->FileList->findItems("demo.orv", Qt::MatchExactly);
            ASSERT_EQ(items.size(), 1);
            wizard.SurveyPage->Picker->FileList->setCurrentItem(items.first());
            Shot(&wizard, "wizard-page1");
            wizard.BtnNext->click();
            Shot(&wizard, "wizard-page2");
            wizard.BtnFinish->click();
        });
        form.ItemOpenSurvey->trigger();
        ExpectDemoSelection(DataDir());
        EXPECT_EQ(Captions(form.MReopenSurvey), QStringList{QString::fromStdString("&0 " + survey)});
    }
    EXPECT_TRUE(messages.messages.empty());
    // "orv.mru": the survey on line 1, then 19 empty lines.
    std::string expected = survey + "\r\n";
    for (int line = 2; line <= 20; ++line) expected += "\r\n";
    EXPECT_EQ(ReadText(dir / "orv.mru"), expected);

    SurveySelection() = {};
    TMainForm again;
    again.show();
    RunDateFormats().shortDate = "dd/MM/yyyy";
    ASSERT_EQ(Captions(again.MReopenSurvey), QStringList{QString::fromStdString("&0 " + survey)});
    EXPECT_EQ(Captions(again.GraphPopup), Captions(again.MReopenSurvey));
    if (std::getenv("ORV_SHOT_DIR")) {
        // The View menu with its reopen sub-menu beside the item, as the user sees them.
        again.MView->popup(again.mapToGlobal(QPoint(40, 40)));
        QApplication::processEvents();
        const QRect item = again.MView->actionGeometry(again.MReopenSurvey->menuAction());
        again.MView->setActiveAction(again.MReopenSurvey->menuAction());
        again.MReopenSurvey->popup(again.MView->mapToGlobal(item.topRight()));
        QApplication::processEvents();
        const QRect area = again.MView->geometry().united(again.MReopenSurvey->geometry()).adjusted(-4, -4, 4, 4);
        if (QScreen* screen = QGuiApplication::primaryScreen())
            screen->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                .save(QString::fromLocal8Bit(std::getenv("ORV_SHOT_DIR")) + "/reopen-menu.png");
        again.MReopenSurvey->hide();
        again.MView->hide();
    }
    OnWizard([](TSelDataDlg& wizard) {
        EXPECT_EQ(wizard.Tabs->currentIndex(), 1);  // preset on the survey: straight to page 2
        Shot(&wizard, "reopen-page2");
        wizard.BtnFinish->click();
    });
    again.MReopenSurvey->actions().first()->trigger();
    ExpectDemoSelection(DataDir());
}
