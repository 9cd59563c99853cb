// The analysis report window: loading, the template, the two parts, printing and saving.
#include "analysis/an_report_form.h"

#include "app/window_registry.h"
#include "platform/file_io.h"
#include "platform/messages.h"
#include "platform/prog_dirs.h"
#include "sheet/sheet_files.h"
#include "sheet/sheet_grid_view.h"

#include <QApplication>
#include <QCursor>

namespace {
constexpr std::string_view kTemplateName = "template.xls";

QString Caption(const std::string& path) { return QString::fromStdString("Analysis Report file - " + path); }

// The template of the program folder, or nothing after saying why the report shows without it.
std::optional<TF1Book> ReadReportTemplate()
{
    const std::string name(kTemplateName);
    const auto path = FindFileNoCase(ProgDir(), name);
    const std::string without = " The report is shown without its labels.";
    if (!path) {
        ShowMessage("The report template " + name + " is missing from " + ProgDir() + "." + without, MsgType::Warning);
        return std::nullopt;
    }
    constexpr std::uint64_t kLargestTemplate = 16u << 20;
    auto bytes = ReadWholeFile(*path, kLargestTemplate);
    std::string error = "it cannot be read";
    int type = 0;
    std::optional<TF1Book> book;
    if (bytes) book = ReadBookBytes(*bytes, type, error);
    // Any bytes read as text; a template is a workbook.
    if (book && type != kFileTypeExcel5) {
        book.reset();
        error = "it is not an Excel 5.0 workbook";
    }
    if (!book) ShowMessage("The report template " + *path + " cannot be used: " + error + "." + without, MsgType::Warning);
    return book;
}
}  // namespace

TAnReportForm::TAnReportForm(const TChildContext& context, QWidget* parent)
    : TSheetWindow(TViewKind::AnalysisReport, context, QSize(600, 300), "Save Report File As", parent)
{
    setWindowTitle("Analysis Report");
    PublishReportState();
}

bool TAnReportForm::LoadReport(const std::string& fileName)
{
    if (!FileExists(fileName)) {
        ShowError("Unable to open the file " + fileName + ".");
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TReportRead read = ReadAnalysisReportFile(fileName);
    QApplication::restoreOverrideCursor();
    if (!read.Report) {
        ShowError(ReportReadMessage(read, fileName));
        return false;
    }
    FileName_ = fileName;
    Report_ = std::move(*read.Report);
    setWindowTitle(Caption(fileName));
    FillReportSheet();
    return true;
}

void TAnReportForm::FillReportSheet()
{
    std::optional<TF1Book> templateBook = ReadReportTemplate();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    TF1Book& book = Grid->Book();
    book = templateBook ? std::move(*templateBook) : TF1Book();
    Parts = ::FillReportSheet(book, Report_);
    FailedView_ = false;
    Grid->Refresh();
    PublishReportState();
    QApplication::restoreOverrideCursor();
}

void TAnReportForm::ToggleFailedIntervals()
{
    if (Parts.AllPassed) return;
    FailedView_ = !FailedView_;
    ShowReportPart(Grid->Book(), FailedView_, Parts.FirstFailedRow);
    Grid->Refresh();
    PublishReportState();
}

void TAnReportForm::PrintSheet()
{
    SetReportPrintSettings(Grid->Book());
    PrintBookKeepingSettings();
}

void TAnReportForm::SheetSaved(const std::string& path) { setWindowTitle(Caption(path)); }

void TAnReportForm::PublishReportState()
{
    TCommandState state = SheetCommandState();
    state.FailedIntervals = {!Parts.AllPassed, FailedView_};
    state.BarReport = true;
    state.ReportFile = FileName_;
    PublishCommandState(state);
}

TChildForm* OpenAnalysisReport(const TChildContext& context, QWidget* parent, const std::string& path)
{
    auto* form = new TAnReportForm(context, parent);
    if (form->LoadReport(path)) return form;
    delete form;
    return nullptr;
}

void RegisterAnalysisReportWindow(TWindowRegistry& registry)
{
    registry.RegisterDocumentWindow(TViewKind::AnalysisReport, OpenAnalysisReport);
}
