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

namespace {
// Records the folder of a chosen file in the data or the sheet pair of LastPath.
void RecordFolder(bool sheetFolder, const std::string& file)
{
    TLastPath& last = LastPath();
    (sheetFolder ? last.SheetPathSet : last.DataPathSet) = true;
    (sheetFolder ? last.SheetPath : last.DataPath) = ExtractFilePath(file);
}
}  // namespace

void TMainForm::OpenDocumentFromDialog(const FileDialogRequest& request, RecentList list, int viewKind)
{
    auto file = AskOpenFile(request);
    if (!file) return;
    RecordFolder(viewKind == kSheetKind, *file);
    AddRecent(list, *file);
    OpenDocument(viewKind, *file);
}

void TMainForm::ReopenDocument(RecentList list, int viewKind, int index)
{
    auto path = TakeRecentForReopen(list, index);
    if (!path) return;
    RestoreChildren();
    OpenDocument(viewKind, *path);
}

void TMainForm::ItemOpenReportClick() { OpenDocumentFromDialog(OpenReportDlg(), RecentList::Reports, kAnalysisReportKind); }
void TMainForm::ItemReopenReportClick(int index) { ReopenDocument(RecentList::Reports, kAnalysisReportKind, index); }
void TMainForm::ItemOpenSheetClick() { OpenDocumentFromDialog(OpenSheetDlg(), RecentList::Sheets, kSheetKind); }
void TMainForm::ItemReopenSheetClick(int index) { ReopenDocument(RecentList::Sheets, kSheetKind, index); }
