// The values sheet window: the job inside it, the finished sheet, printing and saving.
#include "export/show_values_form.h"

#include "app/window_registry.h"
#include "dialogs/harm_list_dlg.h"
#include "dialogs/job_window.h"
#include "dialogs/prn_sel_dlg.h"
#include "sheet/sheet_grid_view.h"
#include "survey/text_tables.h"

#include <QLayout>
#include <QTimer>

namespace {
constexpr QSize kConvertingSize(268, 167);
constexpr QSize kSheetSize(620, 400);

// The harmonics picker of a values sheet, the first harmonic offered chosen.
std::optional<std::vector<std::uint16_t>> PickHarmonics(QWidget* parent, const THarmonicOffer& offer)
{
    HarmonicNumbers available{}, chosen{};
    const int count = static_cast<int>(std::min(offer.Available.size(), available.size()));
    std::copy_n(offer.Available.begin(), count, available.begin());
    chosen[0] = available[0];
    THarmListDlg picker(parent);
    picker.SetupHarmList(available, chosen, count, 1, offer.Phases,
                         offer.Current ? PickCurrentHarmonics : PickVoltageHarmonics);
    if (picker.exec() != QDialog::Accepted) return std::nullopt;
    int picked = 0;
    picker.GetHarmList(chosen, picked);
    return std::vector<std::uint16_t>(chosen.begin(), chosen.begin() + picked);
}
}  // namespace

TShowValuesForm::TShowValuesForm(const TChildContext& context, QWidget* parent)
    : TSheetWindow(TViewKind::ValuesSheet, context, kSheetSize, "Save Sheet As", parent)
{
    setWindowTitle("Show Values");
    resize(kConvertingSize);
    Grid->hide();
    // Print and Save Sheet As wait for the finished sheet.
    PublishCommandState({});
}

TShowValuesForm::~TShowValuesForm()
{
    // The panel drives the job: it goes first.
    delete JobPanel;
}

void TShowValuesForm::StartValuesExport(const TValuesBlock& block, int measureKind)
{
    block_ = block;
    kind_ = measureKind;
    const TSurveySelection& period = Context().Selection();
    TValuesSheetRequest request{measureKind,        block.SurveyName,  block.FileInfo,    period.Start, period.Stop,
                                block.PeriodRecords, block.EventNumber, block.EventOffset, block.Traces};
    job_ = std::make_unique<TValuesSheetJob>(Grid->Book(), std::move(request),
                                             [this](const THarmonicOffer& offer) { return PickHarmonics(this, offer); });
    JobPanel = new TJobPanel(*job_, this);
    layout()->setContentsMargins(8, 8, 8, 8);
    layout()->addWidget(JobPanel);
    connect(JobPanel, &TJobPanel::Ended, this, &TShowValuesForm::JobEnded);
    connect(JobPanel, &TJobPanel::Aborted, this, &TShowValuesForm::CloseLater);
    JobPanel->Start();
}

void TShowValuesForm::JobEnded()
{
    if (job_->Completed()) FinishValuesSheet();
    else CloseLater();
}

void TShowValuesForm::FinishValuesSheet()
{
    JobPanel->hide();
    layout()->setContentsMargins(0, 0, 0, 0);
    SetClientSize(kSheetSize);
    setWindowTitle(QString::fromStdString(std::string(MeasureName(kind_)) + " values of <" + block_.FileInfo.FileName + ">"));
    Grid->show();
    Grid->Refresh();
    finished_ = true;
    PublishCommandState(SheetCommandState());
}

bool TShowValuesForm::RangeSelected() const
{
    const TF1Book& book = Grid->Book();
    return book.SelStartRow() != book.SelEndRow() || book.SelStartCol() != book.SelEndCol();
}

void TShowValuesForm::CloseLater()
{
    QTimer::singleShot(0, this, [this] {
        if (QWidget* frame = parentWidget()) frame->close();
        else close();
    });
}

void TShowValuesForm::PrintSheet()
{
    if (!finished_) return;
    TF1Book& book = Grid->Book();
    if (RangeSelected()) {
        TPrnSelDlg choice(this);
        if (choice.exec() != QDialog::Accepted) return;
        if (choice.PrintSelectedArea()) book.SetPrintAreaFromSelection();
        else book.ClearPrintArea();
    }
    book.SetSheet(1);
    book.SetPrintNoColor(false);
    book.SetPrintGridLines(false);
    book.SetPrintHeader(ValuesPrintHeader(block_.InfoPrint));
    book.SetPrintFooter(ValuesPrintFooter(block_.InfoPrint));
    book.SetPrintTopMargin(1.3);
    book.SetPrintBottomMargin(1.5);
    book.SetPrintLeftToRight(false);
    PrintBookKeepingSettings();
}

void TShowValuesForm::SaveSheetAs()
{
    if (finished_) TSheetWindow::SaveSheetAs();
}

void TShowValuesForm::SheetSaved(const std::string& path) { setWindowTitle(QString::fromStdString("Sheet file - " + path)); }

TChildForm* OpenValuesSheet(const TChildContext& context, const TValuesBlock& block, int measureKind)
{
    auto* sheet = new TShowValuesForm(context);
    sheet->StartValuesExport(block, measureKind);
    return sheet;
}

void RegisterValuesSheet(TWindowRegistry& registry) { registry.RoadWindows().ValuesSheet = OpenValuesSheet; }
