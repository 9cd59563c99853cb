// Main window: the roads that open surveys and their views.
#include "app/child_form.h"
#include "app/main_form.h"
#include "app/view_registry.h"
#include "platform/messages.h"
#include "survey/records.h"
#include "survey/sel_data_dlg.h"

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
        chosen = wizard.SelectedFile;
    }
    AddRecent(RecentList::Surveys, chosen);
    OpenSurveyViews();
}

void TMainForm::ItemOpenSurveyClick() { RunSurveySelection(""); }

void TMainForm::ItemReopenSurveyClick(int index)
{
    auto path = TakeRecentForReopen(RecentList::Surveys, index);
    if (!path) return;
    RestoreChildren();
    RunSurveySelection(*path);
}

void TMainForm::RestoreChildren()
{
    for (QMdiSubWindow* sub : MdiArea->subWindowList())
        if (sub->isMaximized() || sub->isMinimized()) sub->showNormal();
}

void TMainForm::OpenSurveyViews()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const TSurveySelection& selection = SurveySelection();
    for (int k = 1; k <= kMeasureCount; ++k) {
        if (!selection.File(k).Selected) continue;
        if (TChildForm* view = CreateMeasureView(k, nullptr)) AddChild(view)->show();
    }
    QApplication::restoreOverrideCursor();
}

void TMainForm::OfferToOpenSurvey(const std::string& surveyFile)
{
    if (ShowMessage("Open Survey now ?", MsgType::Confirmation, MbYesNo) != MbYes) return;
    RunSurveySelection(surveyFile);
}
