// The survey summary report window.
#include "summary/sum_report_form.h"

#include "app/window_registry.h"
#include "sheet/sheet_grid_view.h"
#include "summary/run_summary_dlg.h"
#include "summary/sel_summary_dlg.h"
#include "summary/summary_sheet.h"

TSumReportForm::TSumReportForm(const TChildContext& context, QWidget* parent)
    : TSheetWindow(TViewKind::SummaryReport, context, QSize(680, 500), "Save Survey Summary As", parent)
{
    setWindowTitle("Survey Summary");
}

bool TSumReportForm::LoadSummaryReport(const std::string& path)
{
    auto summary = TakeSummaryFile(path);
    if (!summary) return false;
    Summary_ = std::move(*summary);
    FillSummarySheet(Grid->Book(), Summary_);
    Grid->Refresh();
    setWindowTitle(QString::fromStdString("Survey Summary of " + Grid->Book().TableName()));
    return true;
}

void TSumReportForm::PrintSheet()
{
    SetProductPrintSettings();
    PrintBookKeepingSettings();
}

void TSumReportForm::SheetSaved(const std::string& path)
{
    setWindowTitle(QString::fromStdString("Survey Summary - " + path));
}

TChildForm* CreateSummaryReport(const TChildContext& context, QWidget* parent)
{
    auto* form = new TSumReportForm(context, parent);
    if (form->LoadSummaryReport(SummaryFilePath())) return form;
    delete form;
    return nullptr;
}

void RegisterSummaryWindows(TWindowRegistry& registry)
{
    registry.RegisterDocumentWindow(TViewKind::SummaryReport,
                                    [](const TChildContext& context, QWidget* parent, const std::string&) {
                                        return CreateSummaryReport(context, parent);
                                    });
    TRoadWindows& road = registry.RoadWindows();
    road.SummaryWizard = RunSummaryWizard;
    road.SummaryEngine = RunSummaryEngine;
}
