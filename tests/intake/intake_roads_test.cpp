// The intake roads of the main window, end to end: a repository imported through "Import
// Archives from repository" becomes a survey that "Open Survey..." opens, and a two-disk floppy
// archive, each disk in a folder of its own, is read through "Read Archives from floppy" and
// appended to that survey. Each modal window is driven as it comes up.
#include "app/main_form.h"
#include "dialogs/alarm_bar_form.h"
#include "dialogs/drive_dlg.h"
#include "survey/intake/drive_access.h"
#include "survey/intake/received_store.h"
#include "wizards/save_read_dlg.h"
#include "views/show_v_form.h"
#include "views/trace_settings.h"

#include "fixtures/archive_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "survey/measure_file_info.h"
#include "wizards/sel_data_dlg.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"

#include <QApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QRadioButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <deque>

namespace {
// Runs each action on the next modal window of its type, once that window is up.
class ModalDriver {
public:
    ModalDriver()
    {
        timer_.setInterval(10);
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start();
    }
    template <typename Window>
    void On(std::function<void(Window&)> act)
    {
        actions_.push_back([act](QWidget* w) {
            auto* window = qobject_cast<Window*>(w);
            if (!window) return false;
            act(*window);
            return true;
        });
    }
    bool AllDone() const { return actions_.empty(); }

private:
    void Poll()
    {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || actions_.empty() || w->property("driven").toBool()) return;
        if (!actions_.front()(w)) return;
        w->setProperty("driven", true);
        actions_.pop_front();
    }
    QTimer timer_;
    std::deque<std::function<bool(QWidget*)>> actions_;
};

void Grab(QWidget& w, const char* name)
{
    if (const char* folder = std::getenv("ORV_GRAB_DIR")) w.grab().save(QString(folder) + "/" + name + ".png");
}

// The newest view, maximised, with the three phases' averages drawn, for the picture.
void ShowAverages(TMainForm& form)
{
    QMdiSubWindow* sub = form.MdiArea->subWindowList().back();
    sub->showMaximized();
    if (auto* view = qobject_cast<TShowVForm*>(sub->widget())) {
        TTraceSettings traces = view->Traces();
        for (int k = 0; k < 3; ++k) traces.Entries[static_cast<std::size_t>(k)].Item = 2, traces.Entries[static_cast<std::size_t>(k)].Phase = k;
        ResolveOffsets(traces, view->Columns().Columns, view->Columns().StatCount());
        view->ApplyTraces(traces);
    }
    QApplication::processEvents();
}

// Three-phase voltage records, one a minute from `hour`:`minute`, with a slow swing to see.
std::vector<Bytes> VoltageRecords(int hour, int minute, int count)
{
    std::vector<Bytes> records;
    for (int i = 0; i < count; ++i) {
        TrendRecordFields r;
        r.time.hour = hour + (minute + i) / 60;
        r.time.minute = (minute + i) % 60;
        // One curve across files: a badly joined append shows as a step.
        const float swing = static_cast<float>(6 * std::sin((hour * 60 + minute + i) / 9.0));
        for (int p = 0; p < 3; ++p)
            r.phases.push_back({.values = {224 + swing + p, 230 + swing + p, 236 + swing + p}});
        records.push_back(TrendRecord(MeasureVoltage, r));
    }
    return records;
}

Bytes Concat(const std::vector<Bytes>& parts)
{
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

// Picks the survey on the wizard's first page, Next, Finish.
int FinishSelection(QDialog& dialog, const std::string& survey)
{
    auto& wizard = static_cast<TSelDataDlg&>(dialog);
    if (wizard.SelectedFile().empty()) {
        wizard.SurveyPage->Picker->SelectFile(survey);
        wizard.BtnNextClick();
    }
    wizard.BtnFinishClick();
    return wizard.result();
}

int VoltageRecordCount(const std::string& path)
{
    TMeasureFileInfo info;
    return ReadMeasureFileInfo(path, MeasureVoltage, info) ? static_cast<int>(info.RecordCount) : -1;
}
}  // namespace

TEST(IntakeRoads, RepositoryBecomesASurveyThatOpensAndTakesATwoDiskFloppyAppend)
{
    if (!RemovableVolumes().empty()) GTEST_SKIP() << "a removable volume is mounted: drive A is not the folder choice";
    TempProgDir dir;
    ScriptedMessages msgs;
    TMainForm form;
    RegisterTrendViews(form.WindowRegistry);
    AlarmBarForm = new TAlarmBarForm(&form);
    form.resize(900, 640);
    form.show();
    LastPath() = {};

    // The repository holds an hour of voltage as a ring: the last 20 minutes stored first.
    const auto hour = VoltageRecords(10, 0, 60);
    const Bytes ordered = DataFileBytes(hour);
    std::vector<Bytes> ring = {Bytes(ordered.begin(), ordered.begin() + 8)};
    ring.insert(ring.end(), hour.begin() + 40, hour.end());
    ring.insert(ring.end(), hour.begin(), hour.begin() + 40);
    const std::string rpy = WriteBytes(dir / "feeder7.rpy", RepositoryBytes(9, {{1, Concat(ring)}}));
    const std::string survey = dir / "FEEDER7.orv";

    ModalDriver driver;
    driver.On<TSaveReadDlg>([&](TSaveReadDlg& save) {
        save.BtnNextClick();
        save.BtnBrowseClick();  // the scripted save dialog answers with the survey's name
        save.EditDescr->setText("Feeder 7");
        save.EditSite->setText("North substation");
        Grab(save, "road_save_create");
        save.BtnFinishClick();
    });
    msgs.PickFile(rpy);
    msgs.PickFile(survey);
    msgs.AnswerNext(MbOk);  // "Copy completed successfully."
    msgs.AnswerNext(MbNo);  // "Open Survey now ?": opened below through "Open Survey..."
    form.ItemImport->trigger();
    ASSERT_TRUE(driver.AllDone());
    EXPECT_EQ(msgs.Texts(), (std::vector<std::string>{"Copy completed successfully.", "Open Survey now ?"}));
    EXPECT_EQ(msgs.fileRequests.at(1).fileName, "feeder7.orv");  // the repository's name proposed
    EXPECT_EQ(AlarmBarForm->windowTitle(), "Import Archives...");
    EXPECT_EQ(AlarmBarForm->Percent(), 100);
    EXPECT_FALSE(AlarmBarForm->isVisible());
    Grab(*AlarmBarForm, "road_import_progress");
    // The ring is stored oldest record first.
    EXPECT_EQ(ReadWholeFile(dir / "FEEDER7.vme"), ordered);

    form.ExecModal = [&](QDialog& d) { return FinishSelection(d, survey); };
    form.ItemOpenSurvey->trigger();
    ASSERT_EQ(form.MdiArea->subWindowList().size(), 1);
    ShowAverages(form);
    Grab(form, "road_survey_opened");

    // Two disks, each in its folder: the voltage of the next half hour in two parts.
    const Bytes later = DataFileBytes(VoltageRecords(11, 0, 30));
    const std::size_t half = later.size() / 2;
    WriteArchiveDisk(dir / "disk 1", {{1, 1, 2, Bytes(later.begin(), later.begin() + half)}},
                     ArchiveHeaderBytes(0x01, 2, {static_cast<std::uint32_t>(later.size())}), true);
    WriteArchiveDisk(dir / "disk 2", {{1, 2, 2, Bytes(later.begin() + half, later.end())}}, std::nullopt, true);

    msgs.Clear();
    driver.On<TDriveDlg>([&](TDriveDlg& drive) {
        Grab(drive, "road_drive_dlg");
        drive.accept();
    });
    driver.On<TSaveReadDlg>([&](TSaveReadDlg& save) {
        save.RadioAppend->setChecked(true);
        save.BtnNextClick();
        save.AppendPage->Picker->SelectFile(survey);
        Grab(save, "road_save_append");
        save.BtnFinishClick();
    });
    msgs.PickFolder(dir / "disk 1");
    msgs.PickFolder(dir / "disk 2");
    form.ExecModal = [&](QDialog& d) { return FinishSelection(d, survey); };
    form.ItemRead->trigger();
    ASSERT_TRUE(driver.AllDone());
    EXPECT_EQ(msgs.Texts(), (std::vector<std::string>{"Insert disk 1 into drive A:\nand press OK when ready...",
                                                      "Insert disk 2 into drive A:\nand press OK when ready...",
                                                      "Copy completed successfully.", "Copy completed successfully.",
                                                      "Open Survey now ?"}));
    EXPECT_EQ(VoltageRecordCount(survey.substr(0, survey.size() - 4) + ".vme"), 90);
    EXPECT_FALSE(FileExists(TempFileName(MeasureVoltage)));
    auto lines = LoadSurveyLines(survey);
    ASSERT_TRUE(lines);
    EXPECT_EQ(ReadSurveyInfo(*lines).Description, "Feeder 7");
    // "Open Survey now ?" opened the extended survey beside the first view.
    ASSERT_EQ(form.MdiArea->subWindowList().size(), 2);
    ShowAverages(form);
    Grab(form, "road_survey_appended");
}
