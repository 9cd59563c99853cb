// The survey summary report window.
#include "summary/sum_report_form.h"

#include "app/window_registry.h"
#include "sheet/sheet_grid_view.h"
#include "summary/run_summary_dlg.h"
#include "summary/sel_summary_dlg.h"
#include "summary/summary_sheet.h"

#include <QVBoxLayout>

TSumReportForm::TSumReportForm(QWidget* parent)
    : TChildForm(TViewKind::SummaryReport, parent), SaveDlg(MakeSaveSheetDialog("Save Survey Summary As"))
{
    setWindowTitle("Survey Summary");
    resize(680, 500);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Grid = new SheetGridView(this);
    layout->addWidget(Grid);
    TCommandState state;
    state.Print = true;
    state.SaveSheetAs = true;
    PublishCommandState(state);
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
    TF1Book& book = Grid->Book();
    SetSummaryPrintSettings(book);
    Grid->PrintBook(true);
    book.SetRow(1);
    book.SetCol(1);
    Grid->Refresh();
}

void TSumReportForm::SaveSheetAs()
{
    if (auto path = ::SaveSheetAs(Grid->Book(), SaveDlg))
        setWindowTitle(QString::fromStdString("Survey Summary - " + *path));
}

TChildForm* CreateSummaryReport(QWidget* parent)
{
    auto* form = new TSumReportForm(parent);
    if (form->LoadSummaryReport(SummaryFilePath())) return form;
    delete form;
    return nullptr;
}

void RegisterSummaryWindows(TWindowRegistry& registry)
{
    registry.RegisterDocumentWindow(TViewKind::SummaryReport,
                                    [](QWidget* parent, const std::string&) { return CreateSummaryReport(parent); });
    TRoadWindows& road = registry.RoadWindows();
    road.SummaryWizard = RunSummaryWizard;
    road.SummaryEngine = RunSummaryEngine;
}
