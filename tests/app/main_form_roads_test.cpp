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

namespace {
struct FakeWaveform : TChildForm {
    FakeWaveform(std::string path, double first, double last) : TChildForm(18), path_(std::move(path)), first_(first), last_(last) {}
    std::string SamplesFilePath() const override { return path_; }
    bool PeriodHolds(double t) const override { return t >= first_ && t <= last_; }
    void GoToEventTime(double t) override { shownTime = t; }
    void GoToEventOffset(std::int32_t offset) override { shownOffset = offset; }
    double shownTime = 0;
    std::int32_t shownOffset = 0;
    std::string path_;
    double first_, last_;
};
}  // namespace

TEST(MainFormRoads, ShowSamplesAtReusesOnlyAViewWhosePeriodHoldsTheEvent)
{
    TempProgDir dir;
    ScriptedMessages messages;
    std::string samples = dir.Write("s.tme", "not a samples file");
    TMainForm form;
    form.show();
    auto* view = new FakeWaveform(samples, 100.0, 101.0);
    form.AddChild(view)->show();

    form.ShowSamplesAt(samples, false, 100.5, 99.0, 102.0, 0);
    EXPECT_EQ(view->shownTime, 100.5);
    form.ShowSamplesAt(samples, false, 100.25, 99.0, 102.0, 4711);
    EXPECT_EQ(view->shownOffset, 4711);

    // Outside the view's own period, or from a truncated list: a new view would be needed; the
    // file's type is checked first, and this one is refused with its message.
    form.ShowSamplesAt(samples, false, 101.5, 99.0, 102.0, 0);
    EXPECT_EQ(view->shownTime, 100.5);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text.rfind("Invalid File type: ", 0), 0u);
    form.ShowSamplesAt(samples, true, 100.75, 99.0, 102.0, 0);
    EXPECT_EQ(view->shownTime, 100.5);
    EXPECT_EQ(form.MdiArea->subWindowList().size(), 1);

    messages.Clear();
    form.ShowSamplesAt(dir / "missing.tme", false, 100.5, 99.0, 102.0, 0);
    EXPECT_TRUE(messages.messages.empty());
}
