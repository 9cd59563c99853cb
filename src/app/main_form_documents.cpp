// Main window: the roads that open analysis reports and sheets.
#include "app/child_form.h"
#include "app/main_form.h"
#include "app/view_registry.h"
#include "platform/file_io.h"
#include "platform/messages.h"
#include "platform/prog_dirs.h"
#include "survey/records.h"

#include <QMdiSubWindow>

namespace {
FileDialogRequest OpenReportDlg()
{
    return {"Open Report File", LastPath().DataPathSet ? LastPath().DataPath : DataDir(), "",
            "Report Files (*.rep)|*.rep", "rep", true, false};
}

FileDialogRequest OpenSheetDlg()
{
    return {"Open Sheet", LastPath().SheetPathSet ? LastPath().SheetPath : SheetDir(), "",
            "Excel 5.0 Format (*.xls)|*.xls", "xls", true, false};
}
}  // namespace

void TMainForm::OpenDocument(int viewKind, const std::string& path)
{
    if (TChildForm* window = CreateDocumentWindow(viewKind, nullptr, path)) AddChild(window)->show();
}

void TMainForm::ItemOpenReportClick()
{
    auto file = AskOpenFile(OpenReportDlg());
    if (!file) return;
    LastPath().DataPathSet = true;
    LastPath().DataPath = ExtractFilePath(*file);
    AddRecent(RecentList::Reports, *file);
    OpenDocument(kAnalysisReportKind, *file);
}

void TMainForm::ItemReopenReportClick(int index)
{
    auto path = TakeRecentForReopen(RecentList::Reports, index);
    if (!path) return;
    RestoreChildren();
    OpenDocument(kAnalysisReportKind, *path);
}

void TMainForm::ItemOpenSheetClick()
{
    auto file = AskOpenFile(OpenSheetDlg());
    if (!file) return;
    LastPath().SheetPathSet = true;
    LastPath().SheetPath = ExtractFilePath(*file);
    AddRecent(RecentList::Sheets, *file);
    OpenDocument(kSheetKind, *file);
}

void TMainForm::ItemReopenSheetClick(int index)
{
    auto path = TakeRecentForReopen(RecentList::Sheets, index);
    if (!path) return;
    RestoreChildren();
    OpenDocument(kSheetKind, *path);
}
