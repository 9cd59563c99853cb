// Main window roads: Open and Reopen Survey, repository import, the task roads, routed commands.
#include "app/child_form.h"
#include "app/main_form.h"
#include "fixtures/archive_fixture.h"
#include "fixtures/data_fixture.h"
#include "fixtures/samples_fixture.h"
#include "fixtures/survey_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"
#include "wizards/save_read_dlg.h"
#include "wizards/sel_data_dlg.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSpinBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
struct CountingChild : TChildForm, TPrintable {
    CountingChild(TViewKind kind, const TChildContext& context) : TChildForm(kind, context) {}
    void Print() override { ++prints; }
    int prints = 0;
};

// A measure view with a values block.
struct ValuesView : CountingChild, TValuesSource {
    ValuesView(TViewKind kind, const TChildContext& context) : CountingChild(kind, context) {}
    TValuesBlock ValuesBlock() const override
    {
        TValuesBlock block;
        block.SurveyName = "site.orv";
        return block;
    }
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
    if (wizard.SelectedFile().empty()) {
        wizard.SurveyPage->Picker->SelectFile(path);
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
    TMainForm form;
    form.WindowRegistry.RegisterMeasureView(MeasureVoltage, [](const TChildContext& context, QWidget*) { return new CountingChild(TViewKind::Voltage, context); });
    form.ExecModal = [&](QDialog& d) { return FinishWizard(d, path); };
    form.ItemOpenSurveyClick();
    EXPECT_TRUE(messages.messages.empty());
    EXPECT_EQ(form.Recent.List(RecentList::Surveys), std::vector<std::string>{path});
    ASSERT_EQ(form.MdiArea->subWindowList().size(), 1);
    EXPECT_EQ(form.ActiveChild()->ViewKind(), TViewKind::Voltage);
}

TEST(MainFormRoads, RegistrationsBelongToTheirMainWindow)
{
    TempProgDir dir;
    ScriptedMessages messages;
    std::string path = WriteVoltageSurvey(dir);
    {
        TMainForm first;
        first.WindowRegistry.RegisterMeasureView(MeasureVoltage, [](const TChildContext& context, QWidget*) { return new CountingChild(TViewKind::Voltage, context); });
    }
    TMainForm second;
    second.ExecModal = [&](QDialog& d) { return FinishWizard(d, path); };
    second.ItemOpenSurveyClick();
    EXPECT_EQ(second.Recent.List(RecentList::Surveys), std::vector<std::string>{path});
    EXPECT_TRUE(second.MdiArea->subWindowList().isEmpty());
}

TEST(MainFormRoads, ReopenRestoresMaximisedChildrenAndPresetsTheWizard)
{
    TempProgDir dir;
    ScriptedMessages messages;
    std::string path = WriteVoltageSurvey(dir);
    TMainForm form;
    form.show();
    form.Recent.Add(RecentList::Surveys, path);
    QMdiSubWindow* sub = form.AddChild(new CountingChild(TViewKind::Voltage, form.ChildContext()));
    sub->showMaximized();
    bool preset = false;
    form.ExecModal = [&](QDialog& d) {
        preset = static_cast<TSelDataDlg&>(d).SelectedFile() == path;
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
    auto* view = new CountingChild(TViewKind::Powers, form.ChildContext());
    form.MdiArea->setActiveSubWindow(form.AddChild(view));
    form.ItemPrintClick();
    EXPECT_EQ(view->prints, 1);
    form.MFileClick();
    EXPECT_TRUE(form.ItemPrint->isEnabled());
}

TEST(MainFormRoads, ViewMenuFollowsTheActiveChild)
{
    TempProgDir dir;
    TMainForm form;
    form.show();
    struct Case { TViewKind kind; bool settings, copy; };
    for (Case c : {Case{TViewKind::EventsList, true, false}, Case{TViewKind::Samples, false, false},
                   Case{TViewKind::Voltage, true, true}}) {
        form.MdiArea->setActiveSubWindow(form.AddChild(new CountingChild(c.kind, form.ChildContext())));
        form.MViewClick();
        EXPECT_EQ(form.ItemSettings->isEnabled(), c.settings) << ViewKindCaption(c.kind);
        EXPECT_EQ(form.ItemCopyClip->isEnabled(), c.copy) << ViewKindCaption(c.kind);
    }
}

namespace {
// A waveform view of a samples file over [first, last], with the event number box it publishes.
struct FakeWaveform : TChildForm, TWaveformNavigator {
    FakeWaveform(const TChildContext& context, std::string path, double first, double last)
        : TChildForm(TViewKind::Samples, context), path_(std::move(path)), first_(first), last_(last)
    {
    }
    void ShowEventNumberBox(int count, int current)
    {
        TCommandState state;
        state.NextEvent = state.GoToEvent = true;
        state.EventNumber = {.Enabled = true, .Minimum = 1, .Maximum = count, .Value = current};
        PublishCommandState(state);
    }
    void TogglePanMode() override {}
    void ShowFullRange() override {}
    void GoToFirstEvent() override {}
    void GoToPreviousEvent() override {}
    void ToggleAutoBackward() override {}
    void ToggleAutoForward() override {}
    void GoToNextEvent() override { ++nexts; }
    void GoToLastEvent() override {}
    void GoToEventNumber(int n) override { numbers.push_back(n); }
    std::string SamplesFilePath() const override { return path_; }
    bool PeriodHolds(double t) const override { return t >= first_ && t <= last_; }
    void GoToEventTime(double t) override { shownTime = t; }
    void GoToEventOffset(std::int32_t offset) override { shownOffset = offset; }
    double shownTime = 0;
    std::int32_t shownOffset = 0;
    std::vector<int> numbers;
    int nexts = 0;
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
    auto* view = new FakeWaveform(form.ChildContext(), samples, 100.0, 101.0);
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

namespace {
// Runs `drive` on the save wizard once its modal loop is running.
void WhenSaveWizardShows(std::function<void(TSaveReadDlg&)> drive)
{
    QTimer::singleShot(0, [drive] {
        auto* wizard = qobject_cast<TSaveReadDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(wizard, nullptr);
        drive(*wizard);
    });
}
}  // namespace

TEST(MainFormRoads, OpenSurveyNowIsAskedOnlyAfterACompletedSave)
{
    TempProgDir dir;
    ScriptedMessages messages;
    TMainForm form;
    LastPath() = {};
    const std::string rpy =
        WriteBytes(dir / "site.rpy", RepositoryBytes(9, {{1, DataFileBytes({TrendRecord(MeasureVoltage, {})})}}));
    std::string presetSurvey;
    form.ExecModal = [&](QDialog& d) {
        presetSurvey = static_cast<TSelDataDlg&>(d).SelectedFile();
        return int(QDialog::Rejected);
    };

    messages.PickFile(rpy);
    WhenSaveWizardShows([](TSaveReadDlg& wizard) { wizard.BtnCancelClick(); });
    form.ItemImportClick();
    EXPECT_FALSE(messages.Shown("Open Survey now ?"));
    EXPECT_TRUE(presetSurvey.empty());

    messages.PickFile(rpy);
    WhenSaveWizardShows([&](TSaveReadDlg& wizard) {
        wizard.BtnNextClick();
        messages.PickFile(dir / "site.orv");
        wizard.BtnBrowseClick();
        wizard.BtnFinishClick();
    });
    form.ItemImportClick();
    EXPECT_TRUE(messages.Shown("Open Survey now ?"));
    EXPECT_EQ(presetSurvey, dir / "site.orv");  // Yes: the selection wizard opens on it
}

namespace {
// A main window with fake task windows and document windows.
class TaskRoads : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (TViewKind kind : {TViewKind::AnalysisReport, TViewKind::SummaryReport}) {
            form.WindowRegistry.RegisterDocumentWindow(kind, [this, kind](const TChildContext& context, QWidget*, const std::string& path) {
                opened.push_back({kind, path});
                return new CountingChild(kind, context);
            });
        }
    }
    TempProgDir dir;
    ScriptedMessages messages;
    TMainForm form;
    TRoadWindows& road = form.WindowRegistry.RoadWindows();
    std::vector<std::pair<TViewKind, std::string>> opened;
};
}  // namespace

TEST_F(TaskRoads, AnalysisOpensTheReportOnlyWhenItWasSaved)
{
    bool finish = false, save = false;
    int engineRuns = 0;
    road.AnalysisWizard = [&](QWidget*) { return finish; };
    road.AnalysisEngine = [&](QWidget*, std::string& name) {
        ++engineRuns;
        name = dir / "site.rep";
        return save;
    };
    form.ItemRunAnalysisClick();  // wizard cancelled
    EXPECT_EQ(engineRuns, 0);
    finish = true;
    form.ItemRunAnalysisClick();  // "No" to saving the report
    EXPECT_EQ(engineRuns, 1);
    EXPECT_TRUE(form.Recent.List(RecentList::Reports).empty());
    EXPECT_TRUE(opened.empty());
    save = true;
    form.ItemRunAnalysisClick();
    EXPECT_EQ(form.Recent.List(RecentList::Reports), std::vector<std::string>{dir / "site.rep"});
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], std::make_pair(TViewKind::AnalysisReport, dir / "site.rep"));
    EXPECT_EQ(form.ActiveChild()->ViewKind(), TViewKind::AnalysisReport);
}

TEST_F(TaskRoads, SummaryRecordsTheSurveyAndOpensTheReportUnlessAborted)
{
    form.show();
    const std::string survey = dir.Write("site.orv", "x");
    std::string preset = "unset";
    bool completed = false;
    road.SummaryWizard = [&](QWidget*, const std::string& presetSurvey) -> std::optional<std::string> {
        preset = presetSurvey;
        return survey;
    };
    road.SummaryEngine = [&](QWidget*) { return completed; };

    form.ItemSummaryClick();  // aborted: the survey is recorded, no report opens
    EXPECT_EQ(preset, "");
    EXPECT_EQ(form.Recent.List(RecentList::Summaries), std::vector<std::string>{survey});
    EXPECT_TRUE(opened.empty());

    completed = true;
    QMdiSubWindow* maximised = form.AddChild(new CountingChild(TViewKind::Voltage, form.ChildContext()));
    maximised->showMaximized();
    form.ItemReopenSummaryClick(0);
    EXPECT_EQ(preset, survey);
    EXPECT_FALSE(maximised->isMaximized());
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].first, TViewKind::SummaryReport);

    road.SummaryWizard = [](QWidget*, const std::string&) { return std::optional<std::string>(); };
    form.ItemSummaryClick();  // wizard cancelled: nothing further
    EXPECT_EQ(opened.size(), 1u);
}

TEST_F(TaskRoads, ExportBarReportAndValuesReachTheirWindows)
{
    form.show();
    bool finish = false;
    int exports = 0;
    road.ExportWizard = [&](QWidget*) { return finish; };
    road.Exporter = [&](QWidget*) { ++exports; };
    form.ItemExportClick();
    EXPECT_EQ(exports, 0);
    finish = true;
    form.ItemExportClick();
    EXPECT_EQ(exports, 1);

    std::string barReportOf;
    road.BarReport = [&](QWidget*, const std::string& file) { barReportOf = file; };
    form.ReportFileName = "/reports/site.rep";
    form.ItemBarReportClick();
    EXPECT_EQ(barReportOf, "/reports/site.rep");

    std::vector<std::pair<std::string, int>> valuesOf;
    road.ValuesSheet = [&](const TChildContext& context, const TValuesBlock& block, int measureKind) {
        valuesOf.push_back({block.SurveyName, measureKind});
        return new CountingChild(TViewKind::ValuesSheet, context);
    };
    form.MdiArea->setActiveSubWindow(form.AddChild(new ValuesView(TViewKind::EventsList, form.ChildContext())));
    form.BtnValuesClick();  // the events list has no Values command
    form.MdiArea->setActiveSubWindow(form.AddChild(new CountingChild(TViewKind::Powers, form.ChildContext())));
    form.BtnValuesClick();  // a view without a values block
    EXPECT_TRUE(valuesOf.empty());
    form.MdiArea->setActiveSubWindow(form.AddChild(new ValuesView(TViewKind::Powers, form.ChildContext())));
    form.BtnValuesClick();
    EXPECT_EQ(valuesOf, (std::vector<std::pair<std::string, int>>{{"site.orv", 7}}));
    EXPECT_EQ(form.ActiveChild()->ViewKind(), TViewKind::ValuesSheet);
}

TEST(MainFormRoads, EventToolbarActsOnAnActiveWaveformViewWithTheClampedNumber)
{
    TempProgDir dir;
    TMainForm form;
    form.show();
    auto* waveform = new FakeWaveform(form.ChildContext(), "s.tme", 0, 1);
    QMdiSubWindow* sub = form.AddChild(waveform);
    form.MdiArea->setActiveSubWindow(sub);
    waveform->ShowEventNumberBox(40, 7);
    EXPECT_EQ(form.SpinEdit->maximum(), 40);
    EXPECT_EQ(form.SpinEdit->value(), 7);
    EXPECT_TRUE(form.SpinEdit->isEnabled());
    EXPECT_TRUE(form.BtnNext->isEnabled());
    EXPECT_FALSE(form.BtnPrec->isEnabled());
    form.BtnNextClick();
    form.BtnEventClick();
    form.SpinEditEnter();
    EXPECT_EQ(waveform->nexts, 1);
    EXPECT_EQ(waveform->numbers, (std::vector<int>{7, 7}));
    EXPECT_EQ(form.CurrentEventNumber, 7);

    form.MdiArea->setActiveSubWindow(form.AddChild(new CountingChild(TViewKind::Voltage, form.ChildContext())));
    EXPECT_FALSE(form.SpinEdit->isEnabled());
    form.BtnNextClick();
    form.BtnEventClick();
    EXPECT_EQ(waveform->nexts, 1);
    EXPECT_EQ(waveform->numbers.size(), 2u);
}

TEST(MainFormRoads, ShowSamplesAtOpensANewViewOnlyWhenTheSurveyLookupSucceeds)
{
    TempProgDir dir;
    ScriptedMessages messages;
    std::string samples = WriteSamplesFile(dir / "s.tme", 4, {SamplesRecordFields{}});
    TMainForm form;
    std::vector<FakeWaveform*> created;
    form.WindowRegistry.RegisterMeasureView(MeasureSamples, [&](const TChildContext& context, QWidget*) {
        created.push_back(new FakeWaveform(context, samples, 0, 1e9));
        return created.back();
    });
    bool found = false;
    form.WindowRegistry.RegisterSamplesSurveyLookup([&](const std::string&, double, double, TSurveySelection& owner) {
        owner.Name = "owner.orv";
        return found;
    });
    form.show();

    // The lookup fails: no view on whatever survey was selected before.
    form.ShowSamplesAt(samples, false, 100.5, 99.0, 102.0, 0);
    EXPECT_TRUE(created.empty());
    EXPECT_TRUE(messages.messages.empty());

    found = true;
    form.ShowSamplesAt(samples, false, 100.5, 99.0, 102.0, 0);
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0]->shownTime, 100.5);
    EXPECT_EQ(created[0]->Context().Selection().Name, "owner.orv");  // opened on the survey found
    // A truncated list always opens a new view, even over one of the same file.
    form.ShowSamplesAt(samples, true, 100.5, 99.0, 102.0, 64);
    ASSERT_EQ(created.size(), 2u);
    EXPECT_EQ(created[1]->shownOffset, 64);
    EXPECT_EQ(form.MdiArea->subWindowList().size(), 2);
}
