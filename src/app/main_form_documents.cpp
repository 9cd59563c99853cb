// Main window: the roads of export, analysis, summary, and of the setup, report and sheet windows.
#include "app/child_form.h"
#include "app/main_form.h"
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

FileDialogRequest OpenSetupDlg()
{
    return {"Open Setup File", FirstDataFolder(), "", "Setup Files (*.cfg)|*.cfg", "cfg", true, false};
}

FileDialogRequest OpenSheetDlg()
{
    return {"Open Sheet", FirstSheetFolder(), "",
            "Excel 5.0 Format (*.xls)|*.xls", "xls", true, false};
}
}  // namespace

bool TMainForm::OpenDocument(TViewKind kind, const std::string& path)
{
    TChildForm* window = WindowRegistry.CreateDocumentWindow(kind, ChildContext(), nullptr, path);
    if (window) AddChild(window);
    return window != nullptr;
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

void TMainForm::OpenDocumentFromDialog(const FileDialogRequest& request, RecentList list, TViewKind kind)
{
    auto file = AskOpenFile(request);
    if (!file) return;
    RecordFolder(kind == TViewKind::Sheet, *file);
    // A file that cannot be shown is not offered again under Reopen.
    if (OpenDocument(kind, *file)) AddRecent(list, *file);
}

void TMainForm::ReopenDocument(RecentList list, TViewKind kind, int index)
{
    if (auto path = TakeRecentForReopen(list, index)) OpenDocument(kind, *path);
}

void TMainForm::ItemNewSetupClick()
{
    ++UntitledSetupCount;
    OpenDocument(TViewKind::Setup, "");
}

void TMainForm::ItemOpenSetupClick()
{
    if (auto file = AskOpenFile(OpenSetupDlg())) {
        RecordFolder(false, *file);
        OpenDocument(TViewKind::Setup, *file);
    }
}

void TMainForm::ItemSaveSetupClick() { if (auto* setup = Capability<TSetupDocument>(ActiveChild())) setup->SaveSetup(); }
void TMainForm::ItemSaveSetupAsClick() { if (auto* setup = Capability<TSetupDocument>(ActiveChild())) setup->SaveSetupAs(); }

void TMainForm::ItemOpenReportClick() { OpenDocumentFromDialog(OpenReportDlg(), RecentList::Reports, TViewKind::AnalysisReport); }
void TMainForm::ItemReopenReportClick(int index) { ReopenDocument(RecentList::Reports, TViewKind::AnalysisReport, index); }
void TMainForm::ItemOpenSheetClick() { OpenDocumentFromDialog(OpenSheetDlg(), RecentList::Sheets, TViewKind::Sheet); }
void TMainForm::ItemReopenSheetClick(int index) { ReopenDocument(RecentList::Sheets, TViewKind::Sheet, index); }

// ---- Tasks: export, analysis, summary ----

void TMainForm::ItemExportClick()
{
    const TRoadWindows& road = WindowRegistry.RoadWindows();
    if (!road.ExportWizard || !road.ExportWizard(this)) return;
    if (road.Exporter) road.Exporter(this);
}

void TMainForm::RunAnalysis(bool& saved, std::string& reportName)
{
    saved = false;
    reportName.clear();
    const TRoadWindows& road = WindowRegistry.RoadWindows();
    if (road.AnalysisEngine) saved = road.AnalysisEngine(this, reportName);
}

void TMainForm::ItemRunAnalysisClick()
{
    const TRoadWindows& road = WindowRegistry.RoadWindows();
    if (!road.AnalysisWizard || !road.AnalysisWizard(this)) return;
    bool saved = false;
    std::string reportName;
    RunAnalysis(saved, reportName);
    if (!saved) return;
    AddRecent(RecentList::Reports, reportName);
    OpenDocument(TViewKind::AnalysisReport, reportName);
}

void TMainForm::ItemBarReportClick()
{
    const TRoadWindows& road = WindowRegistry.RoadWindows();
    if (road.BarReport) road.BarReport(this, ReportFileName);
}

void TMainForm::RunSummary(const std::string& presetSurvey)
{
    const TRoadWindows& road = WindowRegistry.RoadWindows();
    if (!road.SummaryWizard) return;
    auto survey = road.SummaryWizard(this, presetSurvey);
    if (!survey) return;
    AddRecent(RecentList::Summaries, *survey);
    if (!road.SummaryEngine || !road.SummaryEngine(this)) return;
    // The report window reads the summary hand-over file the engine wrote.
    OpenDocument(TViewKind::SummaryReport, "");
}

void TMainForm::ItemSummaryClick() { RunSummary(""); }

void TMainForm::ItemReopenSummaryClick(int index)
{
    if (auto path = TakeRecentForReopen(RecentList::Summaries, index)) RunSummary(*path);
}
