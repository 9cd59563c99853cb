// The waveform view: controls, creation, reading and plotting a record, the legend, the
// trigger grid, the traces command and the registration.
#include "views/show_al_vm_form.h"

#include "app/window_registry.h"
#include "dialogs/elided_label.h"
#include "platform/date_format.h"
#include "platform/date_time.h"
#include "platform/messages.h"
#include "survey/event_texts.h"
#include "survey/measure_file_info.h"
#include "survey/samples_survey.h"
#include "views/chart_cursor_line.h"
#include "views/chart_zoomer.h"
#include "views/path_shortening.h"
#include "views/traces_dlg.h"
#include "views/trend_window.h"
#include "views/trigger_grid_view.h"
#include "views/waveform_chart.h"
#include "views/waveform_scaling.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kLegendWidth = 190;
constexpr int kStepMilliseconds = 2000;

QString Q(const std::string& s) { return QString::fromStdString(s); }
QColor ToQColor(std::uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

void SetTextColour(QLabel* label, std::uint32_t colour)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, ToQColor(colour));
    label->setPalette(p);
}

const char* CaptionFormat(std::uint8_t content)
{
    switch (content) {
    case 2: return "Survey File <%s> - 2d Harmonic";
    case 1: return "Survey File <%s> - RMS";
    default: return "Survey File <%s> - Voltage Samples";
    }
}
}  // namespace

TShowAlVmForm::TShowAlVmForm(const TChildContext& context, QWidget* parent)
    : TChildForm(TViewKind::Samples, context, parent), Frame(*this, "Measure: Voltage Samples"),
      TraceMemory_(NewWaveformTraceSettings())
{
    BuildControls();
    FormCreate();
}

TShowAlVmForm::~TShowAlVmForm() = default;

void TShowAlVmForm::BuildControls()
{
    setFocusPolicy(Qt::StrongFocus);
    QHBoxLayout* body = Frame.PlaceHeader();
    Chart = new TWaveformChart(this);
    Chart->OnPress = [this](double x) { ChartPress(x); };
    // A double-click toggles the cursor where its button could.
    Chart->OnDoubleClick = [this] {
        if (CommandState().MeasureCursor.Enabled) ToggleCursor();
    };
    Chart->Zoomer().OnZoomed = [this] { PublishButtons(); };
    Chart->Zoomer().OnUndone = [this] { PublishButtons(); };
    body->addWidget(Chart, 1);
    BuildLegend();
    body->addWidget(PanelLegend);

    StepTimer = new QTimer(this);
    StepTimer->setSingleShot(true);
    StepTimer->setInterval(kStepMilliseconds);
    connect(StepTimer, &QTimer::timeout, this, &TShowAlVmForm::StepTimerTick);
}

void TShowAlVmForm::BuildLegend()
{
    PanelLegend = NewLegendPanel(this, kLegendWidth);
    // A short window (tiled views) cuts the legend at its foot rather than growing.
    PanelLegend->setMinimumHeight(1);
    auto* legend = new QGridLayout(PanelLegend);
    legend->setContentsMargins(6, 4, 6, 4);
    legend->setVerticalSpacing(3);
    int row = 0;
    PanelTitle = new QLabel(" Traces:", PanelLegend);
    PanelTitle->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    legend->addWidget(PanelTitle, row++, 0, 1, 2);
    AddPanelLabel(PanelLegend, legend, "Date:", row, 0);
    LabelIniDate = AddPanelLabel(PanelLegend, legend, "", row++, 1);
    AddPanelLabel(PanelLegend, legend, "Time:", row, 0);
    LabelIniTime = AddPanelLabel(PanelLegend, legend, "", row++, 1);
    AddPanelLabel(PanelLegend, legend, "Event:", row, 0);
    LabelNRecCurr1 = AddPanelLabel(PanelLegend, legend, "", row++, 1);
    LabelTime = AddPanelLabel(PanelLegend, legend, "Curs Time:", row, 0);
    LabelCursTime = AddPanelLabel(PanelLegend, legend, "", row++, 1);
    LabelCursTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        auto* line = new QHBoxLayout;
        line->setSpacing(6);
        LegendLabels[k] = new TElidedLabel(PanelLegend);
        LegendLabels[k]->setTextInteractionFlags(Qt::NoTextInteraction);
        LegendLabels[k]->SetElideMode(Qt::ElideRight);
        LegendLabels[k]->SetFullText("none");
        CursorLabels[k] = new QLabel("", PanelLegend);
        CursorLabels[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        line->addWidget(LegendLabels[k], 1);
        line->addWidget(CursorLabels[k], 0);
        legend->addLayout(line, row++, 0, 1, 2);
    }
    LabelTrg = new QLabel("Triggers:", PanelLegend);
    legend->addWidget(LabelTrg, row++, 0, 1, 2);
    TriggerGridView = new TTriggerGridView(PanelLegend);
    legend->addWidget(TriggerGridView, row++, 0, 1, 2, Qt::AlignLeft);
    legend->setRowStretch(row++, 1);

    PanelTrg = new QFrame(PanelLegend);
    PanelTrg->setFrameStyle(QFrame::Box | QFrame::Plain);
    PanelTrg->setAutoFillBackground(true);
    auto* triggers = new QVBoxLayout(PanelTrg);
    triggers->setContentsMargins(4, 2, 4, 2);
    triggers->setSpacing(1);
    for (QLabel*& label : TriggerLabelsShown) {
        label = new QLabel(PanelTrg);
        label->setWordWrap(true);
        label->setTextFormat(Qt::PlainText);
        triggers->addWidget(label);
    }
    PanelTrg->hide();
    legend->addWidget(PanelTrg, row++, 0, 1, 2);
    legend->addWidget(Frame.PanelInfo, row++, 0, 1, 2);
    legend->setColumnStretch(1, 1);
    Frame.WhiteOnPage = {PanelLegend, PanelTrg};

    PanelLegend->installEventFilter(this);
    for (QLabel* l : PanelLegend->findChildren<QLabel*>()) l->installEventFilter(this);
}

void TShowAlVmForm::FormCreate()
{
    resize(620, 400);
    const TSurveySelection& selection = Context().Selection();
    Frame.ShowSurvey(selection, Values.InfoPrint);
    Values.SurveyName = selection.Name;
    Values.FileInfo = selection.File(MeasureSamples);
    Values.Traces = NewWaveformTraceSettings();
    if (!OpenSamplesFile()) {
        OpenFailed_ = true;
        return;
    }
    ShowCurrentEvent();
    OpenFailed_ = !Record_;
}

bool TShowAlVmForm::OpenSamplesFile()
{
    const std::string& path = Values.FileInfo.FileName;
    BinaryFile F;
    TSamplesFileHeader header;
    std::optional<Bytes> index;
    if (F.Open(path) && ReadSamplesFileHeader(F, header)) index = BuildSamplesIndexEntries(path);
    F.Close();
    if (!index) {
        ShowError(SurveyCorruptedMessage(MeasureSamples));
        return false;
    }
    FileType_ = header.FileType;
    const TSurveySelection& selection = Context().Selection();
    if (!Navigation_.Open(std::move(*index), Values.FileInfo, selection.Start, selection.Stop)) {
        ShowMessage("No record found.", MsgType::Warning, MbOk);
        return false;
    }
    Values.PeriodRecords = static_cast<std::uint32_t>(Navigation_.Count());

    const std::string stamp = RunDateFormats().shortDate + " hh:mm:ss";
    const auto entryTime = [&](int number) {
        const auto e = Navigation_.Entry(number);
        return e ? Q(FormatDateTimePattern(e->Time, stamp)) : QString();
    };
    Frame.LabelIni->setText(Frame.LabelIni->text() + entryTime(1));
    Frame.LabelEnd->setText(Frame.LabelEnd->text() + entryTime(Navigation_.Count()));
    Frame.LabelNRec->setText(Frame.LabelNRec->text() + QString::number(Navigation_.Count()));
    const bool grid = FileType_ == 12;
    LabelTrg->setVisible(grid);
    TriggerGridView->setVisible(grid);
    return true;
}

bool TShowAlVmForm::ReadSamplesRecord()
{
    Record_.reset();
    const auto entry = Navigation_.CurrentEntry();
    if (entry) Record_ = ::ReadSamplesRecord(Values.FileInfo.FileName, entry->Offset);
    Values.EventNumber = Navigation_.Current();
    Values.EventOffset = entry ? static_cast<std::int32_t>(entry->Offset) : 0;
    RecordTime_ = entry ? entry->Time : 0;
    if (!Record_) return false;
    const TRecordTraces traces = BuildRecordTraces(Record_->Key(), TraceMemory_);
    TraceNames_ = traces.Names;
    Values.Traces = traces.Settings;
    TraceChannels_ = traces.Channels;
    AnyTrace_ = AnyTraceChosen(Values.Traces);
    return true;
}

void TShowAlVmForm::ShowCurrentEvent()
{
    if (!ReadSamplesRecord()) {
        // One message; automatic stepping ends on a record that cannot be read.
        Navigation_.StopStepping();
        SyncStepTimer();
        ShowError(SurveyCorruptedMessage(MeasureSamples));
    }
    UpdateCaption();
    PlotSamples();
    UpdateLegend();
    UpdateTriggerGrid();
    if (CursorOn_ && Chart->CursorLine().Shown()) ShowCursorAt(CursorIndex_);
    PublishButtons();
}

void TShowAlVmForm::PlotSamples()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    std::array<TValueRange, kTraceCount> ranges{};
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        const int trace = static_cast<int>(k) + 1;
        const int channel = TraceChannels_[k];
        Plotted_[k].clear();
        // A trace whose channel the record lacks plots nothing.
        if (Record_ && Values.Traces.Entries[k].Item != 0 && channel != kNoRecordChannel)
            Plotted_[k] = Record_->ChannelValues(channel);
        if (Plotted_[k].empty()) {
            Chart->ClearTrace(trace);
            continue;
        }
        ranges[k] = ScanSampleRange(Plotted_[k]);
        const TSamplesRecordHead& head = Record_->Head;
        Chart->SetTrace(trace, Plotted_[k], SampleTimeMs(head, 0), SampleIntervalMs(head), Values.Traces.Entries[k].Colour,
                        ChannelAxis(Record_->Key(), channel));
    }
    if (Record_) {
        const TWaveformAxes axes = WaveformAxes(Record_->Key(), Record_->Head, Values.Traces, TraceChannels_, ranges);
        Chart->SetAxisTitles(Record_->Head.Content != 2, axes.LeftTitle, axes.RightTitle);
        // A zoomed chart keeps showing its zoom over the new record.
        Chart->Zoomer().ReplaceUnzoomed({axes.Bottom, axes.Left, axes.Right});
    }
    QApplication::restoreOverrideCursor();
}

void TShowAlVmForm::UpdateLegend()
{
    LabelTime->setVisible(CursorOn_);
    LabelCursTime->setVisible(CursorOn_);
    const std::uint8_t set = Record_ ? Record_->Head.ChannelSet : 0;
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        const TTraceEntry& e = Values.Traces.Entries[k];
        SetTextColour(LegendLabels[k], e.Colour);
        SetTextColour(CursorLabels[k], e.Colour);
        CursorLabels[k]->setVisible(CursorOn_ && e.Item > 0);
        LegendLabels[k]->SetFullText(Q(WaveformTraceLegend(set, TraceNames_, e)));
    }
    LabelIniDate->setText(Record_ ? Q(FormatShortDate(RecordTime_)) : QString());
    LabelIniTime->setText(Record_ ? Q(EventTimeText(RecordTime_)) : QString());
    LabelNRecCurr1->setText(QString::number(Navigation_.Current()) + " of " + QString::number(Navigation_.Count()));
}

void TShowAlVmForm::UpdateTriggerGrid()
{
    TriggerGrid_ = Record_ && FileType_ == 12 ? FillTriggerGrid(*Record_, Values.Traces, TraceChannels_) : TTriggerGrid{};
    TriggerGridView->SetGrid(TriggerGrid_);
}

void TShowAlVmForm::ShowTriggerLabels()
{
    const std::vector<TTriggerLabel> labels = TriggerLabels(TriggerGrid_);
    for (std::size_t i = 0; i < TriggerLabelsShown.size(); ++i) {
        QLabel* label = TriggerLabelsShown[i];
        const bool shown = i < labels.size() && !labels[i].Text.empty();
        label->setText(shown ? Q(labels[i].Text) : QString());
        label->setVisible(shown);
        if (!shown) continue;
        SetTextColour(label, labels[i].Colour);
    }
    // The labels take the grid's place on the page, when there are any.
    Frame.PageOnlyPanels.clear();
    Frame.ScreenOnlyPanels.clear();
    if (labels.empty()) return;
    Frame.PageOnlyPanels = {PanelTrg};
    Frame.ScreenOnlyPanels = {LabelTrg, TriggerGridView};
}

bool TShowAlVmForm::ThreePhase() const
{
    const std::uint8_t set = Record_ ? Record_->Head.ChannelSet : 0;
    return set != 1 && set != 7;
}

void TShowAlVmForm::UpdateCaption()
{
    const QString shortened = Q(ShortenPath(Values.FileInfo.FileName, width() / 3, [this](const std::string& s) {
        return fontMetrics().horizontalAdvance(Q(s));
    }));
    setWindowTitle(QString(CaptionFormat(Record_ ? Record_->Head.Content : 0)).replace("%s", shortened));
}

void TShowAlVmForm::resizeEvent(QResizeEvent* event)
{
    TChildForm::resizeEvent(event);
    PanelLegend->setFixedWidth(std::min(kLegendWidth, width() * 2 / 5));
    UpdateCaption();
}

void TShowAlVmForm::EditTraces()
{
    if (!Record_) return;
    TTracesDlg dialog(this);
    dialog.SetMeasure(ThreePhase(), MeasureVoltage);
    dialog.SetTraces(TraceNames_, Values.Traces, TColumnTable{});
    dialog.SetChannelSet(Record_->Head.ChannelSet);
    if (dialog.exec() != QDialog::Accepted) return;
    TTraceSettings edited;
    dialog.GetTraceSettings(edited);
    ApplyTraces(edited);
}

void TShowAlVmForm::ApplyTraces(const TTraceSettings& traces)
{
    if (!Record_) return;
    Values.Traces = traces;
    NormaliseAuxPhases(Record_->Head.ChannelSet, Values.Traces);
    // The choice holds for every record of the same content class.
    TraceMemory_.Remember(Record_->Head.Content, Values.Traces);
    TraceChannels_ = MapTraceChannels(Record_->Head.ChannelSet, Values.Traces);
    AnyTrace_ = AnyTraceChosen(Values.Traces);
    PlotSamples();
    UpdateLegend();
    UpdateTriggerGrid();
    if (CursorOn_ && Chart->CursorLine().Shown()) ShowCursorAt(CursorIndex_);
    PublishButtons();
}

bool TShowAlVmForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        LegendDblClick();
        return true;
    }
    return TChildForm::eventFilter(watched, event);
}

void RegisterWaveformView(TWindowRegistry& registry)
{
    registry.RegisterMeasureView(MeasureSamples, [](const TChildContext& context, QWidget* parent) -> TChildForm* {
        auto* view = new TShowAlVmForm(context, parent);
        if (!view->OpenFailed()) return view;
        delete view;
        return nullptr;
    });
    registry.RegisterSamplesSurveyLookup(
        [](const std::string& path, TDateTime start, TDateTime stop, TSurveySelection& owner) {
            return LoadSurveyForSamples(path, start, stop, owner);
        });
}
