// The events list window.
#include "views/show_ala_form.h"

#include "app/window_registry.h"
#include "dialogs/alarm_bar_form.h"
#include "platform/messages.h"
#include "platform/repeated_message_filter.h"
#include "sheet/sheet_grid_view.h"
#include "views/path_shortening.h"
#include "views/printed_frame.h"
#include "views/sys_event_form.h"
#include "views/traces_alarm_dlg.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

std::string PeriodTimeText(const std::optional<TDateTime>& time)
{
    return time ? FormatShortDate(*time) + " " + FormatDateTimePattern(*time, "hh:mm:ss") : std::string();
}

// A print footer line: at most 40 characters.
std::string FooterLine(const QLabel* label) { return label->text().left(40).toStdString(); }
}  // namespace

TShowAlaForm::TShowAlaForm(const TChildContext& context, QWidget* parent)
    : TSheetWindow(TViewKind::EventsList, context, QSize(680, 400), "Save Sheet As", parent)
{
    // One message for each kind of bad stamp the opening and the first fill meet.
    TRepeatedMessageFilter oneMessage;
    const TSurveySelection& s = Context().Selection();
    BuildHeaderPanel();
    LabelDescr->setText(LabelDescr->text() + " " + Q(s.Description));
    LabelSite->setText(LabelSite->text() + " " + Q(s.Site));
    LabelOperator->setText(LabelOperator->text() + " " + Q(s.Operator));
    List_ = std::make_unique<TEventsList>(s);
    FormResize();
    if (List_->Truncated()) ShowMessage(kEventsTruncatedMessage, MsgType::Warning, MbOk);
    LabelIni->setText(Q("Start date: " + PeriodTimeText(List_->FirstTime())));
    LabelEnd->setText(Q("Stop date: " + PeriodTimeText(List_->LastTime())));
    LabelNRec->setText(QString("Total records: %1").arg(List_->TotalRecords()));
    List_->SetupGrid(Grid->Book());
    FillEventsGrid();
    connect(Grid, &SheetGridView::cellDoubleClicked, this, &TShowAlaForm::GridDblClick);
    connect(BtnSysEvents, &QPushButton::clicked, this, &TShowAlaForm::BtnSysEventsClick);
    TCommandState state = SheetCommandState();
    state.Traces = true;
    PublishCommandState(state);
}

TShowAlaForm::~TShowAlaForm() = default;

void TShowAlaForm::BuildHeaderPanel()
{
    const TPanelGrid panel = AddRaisedPanel(this);
    PanelTop = panel.Frame;
    QGridLayout* grid = panel.Grid;
    // The period on the left, the survey in the middle, the system events on the right.
    LabelIni = AddPanelLabel(PanelTop, grid, "Start date: ", 0, 0);
    LabelEnd = AddPanelLabel(PanelTop, grid, "Stop date: ", 1, 0);
    LabelNRec = AddPanelLabel(PanelTop, grid, "Total records: ", 2, 0);
    LabelFiltered = AddPanelLabel(PanelTop, grid, "Filtered records: ", 3, 0);
    LabelDescr = AddPanelLabel(PanelTop, grid, "Description:", 0, 1);
    LabelSite = AddPanelLabel(PanelTop, grid, "Site:", 1, 1);
    LabelOperator = AddPanelLabel(PanelTop, grid, "Operator:", 2, 1);
    BtnSysEvents = new QPushButton("System Events", PanelTop);
    BtnSysEvents->setEnabled(false);
    grid->addWidget(BtnSysEvents, 1, 2, 2, 1, Qt::AlignRight | Qt::AlignVCenter);
    grid->setColumnStretch(1, 1);
    AddHeaderPanel(PanelTop);
}

void TShowAlaForm::FillEventsGrid()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    if (AlarmBarForm) {
        AlarmBarForm->SetProgressCaption("processing Events...");
        AlarmBarForm->ResetProgress();
        AlarmBarForm->show();
    }
    TF1Book& book = Grid->Book();
    List_->Fill(book, Filter_, [](std::int64_t done, std::int64_t total) {
        if (AlarmBarForm && total > 0) AlarmBarForm->SetProgress(static_cast<int>(done * 1000 / total), 1000);
    });
    if (AlarmBarForm) AlarmBarForm->hide();
    List_->Format(book);
    if (List_->SystemEventsMet()) BtnSysEvents->setEnabled(true);
    LabelFiltered->setText(QString("Filtered records: %1").arg(List_->RowsWritten()));
    Grid->Refresh();
    QApplication::restoreOverrideCursor();
}

void TShowAlaForm::EditEventsFilter()
{
    TTracesAlarmDlg dialog(this);
    dialog.SetEventFilter(Filter_);
    if (dialog.exec() != QDialog::Accepted) return;
    Filter_ = dialog.EventFilter();
    List_->ClearRows(Grid->Book());
    FillEventsGrid();
}

void TShowAlaForm::GridDblClick(int row, int col)
{
    if (!List_->HasSamples() || col != kEventsDateColumn) return EditEventsFilter();
    const bool incomplete = List_->Incomplete();
    if (const auto choice = List_->WaveformOfRow(Grid->Book(), row)) {
        const TSurveySelection& s = Context().Selection();
        Context().ShowSamplesAt(List_->SamplesPath(), incomplete, choice->EventTime, s.Start, s.Stop,
                                static_cast<std::int32_t>(choice->Offset));
    }
}

void TShowAlaForm::BtnSysEventsClick()
{
    TSysEventForm form(this);
    form.SetSysEventInfo(Context().Selection(), Context().Selection().File(MeasureEvents));
    form.exec();
}

void TShowAlaForm::PrintSheet()
{
    TF1Book& book = Grid->Book();
    book.SetPrintGridLines(false);
    book.SetPrintLeftToRight(false);
    book.SetSheet(1);
    book.SetPrintNoColor(true);
    std::string header = "&L&A of <&F> printed on &D &T\r";
    for (const QLabel* label : {LabelIni, LabelEnd, LabelNRec, LabelFiltered})
        header += label->text().toStdString() + (label == LabelFiltered ? "" : "\r");
    book.SetPrintHeader(header);
    book.SetPrintFooter("&L" + FooterLine(LabelDescr) + "\r" + FooterLine(LabelSite) + "\r" + FooterLine(LabelOperator) +
                        "\r" + std::string(kSheetPrintProductLine) + "\rPage &P/&N");
    book.SetPrintTopMargin(1.4);
    book.SetPrintBottomMargin(1.5);
    // The list keeps no printer settings: each print starts from the default printer.
    book.SetPrintDevMode(0);
    Grid->PrintBook(true);
    Grid->Refresh();
}

void TShowAlaForm::FormResize()
{
    const std::string path = Context().Selection().File(MeasureEvents).FileName;
    const QString shortened = Q(ShortenPath(path, width() / 3, [this](const std::string& s) {
        return fontMetrics().horizontalAdvance(Q(s));
    }));
    setWindowTitle(QString("Survey File <%1> - Events").arg(shortened));
}

void TShowAlaForm::resizeEvent(QResizeEvent* event)
{
    TSheetWindow::resizeEvent(event);
    FormResize();
}

TChildForm* OpenEventsList(const TChildContext& context, QWidget* parent) { return new TShowAlaForm(context, parent); }

void RegisterEventsList(TWindowRegistry& registry) { registry.RegisterMeasureView(MeasureEvents, OpenEventsList); }
