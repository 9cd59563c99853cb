// Main window roads: Open and Reopen Survey, repository import, routed commands.
#include "app/child_form.h"
#include "app/main_form.h"
#include "app/view_registry.h"
#include "fixtures/data_fixture.h"
#include "fixtures/survey_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"
#include "survey/sel_data_dlg.h"
#include "survey/survey_picker.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <gtest/gtest.h>

namespace {
struct CountingChild : TChildForm {
    explicit CountingChild(int kind) : TChildForm(kind) {}
    void PrintView() override { ++prints; }
    void PrintSheet() override { ++prints; }
    int prints = 0;
};

std::string WriteVoltageSurvey(const TempProgDir& dir)
{
    TrendRecordFields r;
    r.phases = {{}, {}, {}};
    WriteDataFile(dir / "v.vme", {TrendRecord(MeasureVoltage, r)});
    SurveyFixture survey;
    survey.dataFiles = {{1, "v.vme"}};
    return WriteSurveyFile(dir / "v.orv", survey);
}

// Drives the wizard: choose the file (unless preset), Next, Finish.
int FinishWizard(QDialog& dialog, const std::string& path)
{
    auto& wizard = static_cast<TSelDataDlg&>(dialog);
    if (wizard.SelectedFile.empty()) {
        wizard.Picker->SelectFile(path);
        wizard.BtnNextClick();
    }
    wizard.BtnFinishClick();
    return wizard.result();
}
}  // namespace

TEST(MainFormRoads, OpenSurveyRecordsTheSurveyAndOpensItsViews)
{
    TempProgDir dir;
    ScriptedMessages messages;
    std::string path = WriteVoltageSurvey(dir);
    RegisterMeasureView(MeasureVoltage, [](QWidget*) { return new CountingChild(11); });
    TMainForm form;
    form.ExecModal = [&](QDialog& d) { return FinishWizard(d, path); };
    form.ItemOpenSurveyClick();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(form.Recent.List(RecentList::Surveys), std::vector<std::string>{path});
    ASSERT_EQ(form.MdiArea->subWindowList().size(), 1);
    EXPECT_EQ(form.ActiveChild()->ViewKind(), 11);
    RegisterMeasureView(MeasureVoltage, nullptr);
}

TEST(MainFormRoads, ReopenRestoresMaximisedChildrenAndPresetsTheWizard)
{
    TempProgDir dir;
    ScriptedMessages messages;
    std::string path = WriteVoltageSurvey(dir);
    TMainForm form;
    form.show();
    form.Recent.Add(RecentList::Surveys, path);
    QMdiSubWindow* sub = form.AddChild(new CountingChild(11));
    sub->showMaximized();
    bool preset = false;
    form.ExecModal = [&](QDialog& d) {
        preset = static_cast<TSelDataDlg&>(d).SelectedFile == path;
        return int(QDialog::Rejected);
    };
    form.ItemReopenSurveyClick(0);
    EXPECT_TRUE(preset);
    EXPECT_FALSE(sub->isMaximized());
}

TEST(MainFormRoads, ImportEndsWhenTheOpenDialogIsCancelled)
{
    TempProgDir dir;
    ScriptedMessages messages;
    TMainForm form;
    LastPath() = {};
    messages.CancelFileDialog();
    form.ItemImportClick();
    ASSERT_EQ(messages.fileRequests.size(), 1u);
    EXPECT_EQ(messages.fileRequests[0].title, "Open Repository File");
    EXPECT_EQ(messages.fileRequests[0].filter, "Repository Files (*.rpy)|*.rpy");
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_FALSE(LastPath().DataPathSet);
}

TEST(MainFormRoads, PrintReachesOnlyAnActiveChild)
{
    TempProgDir dir;
    TMainForm form;
    form.show();
    form.ItemPrintClick();  // no child: nothing happens
    auto* view = new CountingChild(17);
    form.MdiArea->setActiveSubWindow(form.AddChild(view));
    form.ItemPrintClick();
    EXPECT_EQ(view->prints, 1);
    form.MFileClick();
    EXPECT_TRUE(form.ItemPrint->isEnabled());
}
