// Main window: the roads that open surveys and their views, and the data intake roads.
#include "app/child_form.h"
#include "app/main_form.h"
#include "platform/file_io.h"
#include "platform/messages.h"
#include "platform/prog_dirs.h"
#include "survey/records.h"
#include "app/intake_roads.h"
#include "survey/samples_file.h"
#include "wizards/sel_data_dlg.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>

void TMainForm::RunSurveySelection(const std::string& presetPath)
{
    std::string chosen;
    {
        TSelDataDlg wizard(this);
        if (!presetPath.empty()) wizard.PresetSurvey(presetPath);
        if (ExecModal(wizard) != QDialog::Accepted) return;
        chosen = wizard.SelectedFile();
    }
    AddRecent(RecentList::Surveys, chosen);
    OpenSurveyViews();
}

void TMainForm::ItemOpenSurveyClick() { RunSurveySelection(""); }

void TMainForm::ItemReopenSurveyClick(int index)
{
    if (auto path = TakeRecentForReopen(RecentList::Surveys, index)) RunSurveySelection(*path);
}

void TMainForm::RestoreChildren()
{
    for (QMdiSubWindow* sub : MdiArea->subWindowList())
        if (sub->isMaximized() || sub->isMinimized()) sub->showNormal();
}

void TMainForm::OpenSurveyViews()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TChildContext context = ChildContext();
    for (int k = 1; k <= kMeasureCount; ++k) {
        if (!context.Selection().File(k).Selected) continue;
        if (TChildForm* view = WindowRegistry.CreateMeasureView(k, context, nullptr)) AddChild(view);
    }
    QApplication::restoreOverrideCursor();
}

void TMainForm::OfferToOpenSurvey(const std::string& surveyFile)
{
    if (ShowMessage("Open Survey now ?", MsgType::Confirmation, MbYesNo) != MbYes) return;
    RunSurveySelection(surveyFile);
}

// ---- Data intake ----

bool TMainForm::ReadFloppyArchives(char drive, std::uint16_t& mask) { return ::ReadFloppyArchives(this, drive, mask); }

void TMainForm::StoreReceivedData(std::uint16_t mask)
{
    // "Open Survey now ?" only after a completed save.
    if (auto survey = ::StoreReceivedData(this, mask)) OfferToOpenSurvey(*survey);
}

void TMainForm::ItemReadClick()
{
    auto drive = ChooseDrive(this);
    if (!drive) return;
    std::uint16_t mask = 0;
    if (ReadFloppyArchives(*drive, mask)) StoreReceivedData(mask);
}

void TMainForm::ItemImportClick()
{
    FileDialogRequest request{"Open Repository File", LastPath().DataPathSet ? LastPath().DataPath : DataDir(), "",
                              "Repository Files (*.rpy)|*.rpy", "rpy", true, false};
    auto file = AskOpenFile(request);
    if (!file) return;
    LastPath().DataPathSet = true;
    LastPath().DataPath = ExtractFilePath(*file);
    if (auto survey = ImportRepositoryFile(this, *file)) OfferToOpenSurvey(*survey);
}

// ---- Waveform of an event ----

namespace {
void MoveToEvent(TWaveformNavigator& view, double eventTime, std::int32_t offset)
{
    if (offset > 0) view.GoToEventOffset(offset);
    else view.GoToEventTime(eventTime);
}
}  // namespace

void TMainForm::ShowSamplesAt(const std::string& path, bool truncated, TDateTime eventTime, TDateTime start,
                              TDateTime stop, std::int32_t offset)
{
    QList<QMdiSubWindow*> windows = MdiArea->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.rbegin(); it != windows.rend() && !truncated; ++it) {
        auto* child = qobject_cast<TChildForm*>((*it)->widget());
        TWaveformNavigator* view = Waveform(child);
        // A view is reused only when its own period holds the event: the list's interval may
        // be wider than the period the view was opened on.
        if (!view || view->SamplesFilePath() != path || !view->PeriodHolds(eventTime)) continue;
        MoveToEvent(*view, eventTime, offset);
        MdiArea->setActiveSubWindow(*it);
        child->setFocus();
        return;
    }
    if (!FileExists(path)) return;
    // An invalid type is reported by the check itself; a failed lookup must not open a view on
    // the survey that happened to be selected before.
    TSurveySelection owner;
    if (GetSamplesFileType(path) == 0 || !WindowRegistry.LookUpSurveyForSamples(path, start, stop, owner)) return;
    TChildForm* child = WindowRegistry.CreateMeasureView(MeasureSamples, ContextOn(owner), nullptr);
    if (!child) return;
    AddChild(child);
    if (TWaveformNavigator* view = Waveform(child)) MoveToEvent(*view, eventTime, offset);
}
