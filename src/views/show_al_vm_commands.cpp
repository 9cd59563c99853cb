// The waveform view's commands: zoom, panning, the measuring cursor by click and by key, the
// moves and automatic stepping, the toolbar states, printing and the clipboard.
#include "views/show_al_vm_form.h"

#include "survey/number_text.h"
#include "views/chart_cursor_line.h"
#include "views/chart_panner.h"
#include "views/chart_zoomer.h"
#include "views/trigger_grid_view.h"
#include "views/waveform_buttons.h"
#include "views/waveform_chart.h"
#include "views/waveform_cursor.h"
#include "views/waveform_scaling.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QTimer>

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
TButtonState Button(const TToggleButton& b) { return {b.Enabled, b.Down}; }
}  // namespace

bool TShowAlVmForm::ZoomMode() const { return Chart->Zoomer().Armed(); }
bool TShowAlVmForm::Zoomed() const { return Chart->Zoomer().Zoomed(); }
bool TShowAlVmForm::PanMode() const { return Chart->Panner().Active(); }
bool TShowAlVmForm::StepTimerActive() const { return StepTimer->isActive(); }

void TShowAlVmForm::PublishButtons()
{
    const TWaveformButtons b = WaveformButtons({AnyTrace_, CursorOn_, ZoomMode(), Zoomed(), PanMode(),
                                                Navigation_.Stepping(), Navigation_.Current(), Navigation_.Count()});
    TCommandState state;
    state.Traces = state.Values = state.CopyToClipboard = state.Print = true;
    state.ZoomIn = Button(b.ZoomIn);
    state.ZoomOut = b.ZoomOut;
    state.FullZoomOut = b.FullZoomOut;
    state.MeasureCursor = Button(b.MeasureCursor);
    state.ScrollGraph = Button(b.ScrollGraph);
    state.FirstEvent = b.First;
    state.PreviousEvent = b.Previous;
    state.NextEvent = b.Next;
    state.LastEvent = b.Last;
    state.AutoBackward = Button(b.AutoBackward);
    state.AutoForward = Button(b.AutoForward);
    state.EventNumber = {b.EventNumber, 1, std::max(1, Navigation_.Count()), Navigation_.Current()};
    state.GoToEvent = b.GoToEvent;
    PublishCommandState(state);
}

// ---- Zoom and panning ----

void TShowAlVmForm::SetZoom(bool zoomIn)
{
    if (zoomIn) Chart->Zoomer().SetArmed(!Chart->Zoomer().Armed());
    else Chart->Zoomer().ZoomOutOneLevel();
    PublishButtons();
}

void TShowAlVmForm::ShowFullRange()
{
    Chart->Zoomer().UndoZoom();
    PublishButtons();
}

void TShowAlVmForm::TogglePanMode()
{
    Chart->Panner().SetActive(!Chart->Panner().Active());
    PublishButtons();
}

// ---- Measuring cursor ----

void TShowAlVmForm::ToggleCursor()
{
    if (PanMode()) return;
    CursorOn_ = !CursorOn_;
    // The cross while the cursor is on; the shape before it comes back after.
    if (CursorOn_) Chart->viewport()->setCursor(Qt::CrossCursor);
    else Chart->viewport()->unsetCursor();
    Chart->CursorLine().Hide();
    ClearCursorLabels();
    UpdateLegend();
    PublishButtons();
}

void TShowAlVmForm::ClearCursorLabels()
{
    LabelCursTime->clear();
    for (QLabel* l : CursorLabels) l->clear();
}

void TShowAlVmForm::ChartPress(double x)
{
    if (!CursorOn_ || !Record_) return;
    const auto k = CursorIndexAt(Record_->Head, x, Chart->Ranges().X, CursorIndex_);
    if (!k) return;
    ShowCursorAt(*k);
}

void TShowAlVmForm::ShowCursorAt(int k)
{
    if (!Record_ || k < 0 || k >= Record_->Head.SamplesPerChannel) {
        Chart->CursorLine().Hide();
        ClearCursorLabels();
        return;
    }
    CursorIndex_ = k;
    const double t = SampleTimeMs(Record_->Head, k);
    LabelCursTime->setText(Q(FormatFixed(t, 2)) + " ms");
    Chart->CursorLine().Show(t);
    for (std::size_t i = 0; i < kTraceCount; ++i) {
        const std::vector<double>& values = Plotted_[i];
        if (Values.Traces.Entries[i].Item == 0 || static_cast<std::size_t>(k) >= values.size()) {
            CursorLabels[i]->clear();
            continue;
        }
        // A channel without a unit of its own shows volts.
        const std::string unit = ChannelUnit(Record_->Key(), TraceChannels_[i]);
        const std::string_view shown = unit.empty() ? std::string_view("V") : std::string_view(unit);
        CursorLabels[i]->setText(Q(FormatChannelValue(values[static_cast<std::size_t>(k)], shown)));
    }
}

void TShowAlVmForm::keyPressEvent(QKeyEvent* event)
{
    FormKeyDown(event->key(), event->modifiers());
    TChildForm::keyPressEvent(event);
}

void TShowAlVmForm::FormKeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (key != Qt::Key_Left && key != Qt::Key_Right) return;
    if (shift & (Qt::ShiftModifier | Qt::AltModifier)) return;
    if (!CursorOn_ || PanMode() || !Record_ || !Chart->CursorLine().Shown()) return;
    const auto k = CursorStep(Record_->Head, CursorIndex_, key == Qt::Key_Left ? -1 : 1, Chart->Ranges().X);
    if (k) ShowCursorAt(*k);
}

// ---- Moves ----

void TShowAlVmForm::Moved(bool changed)
{
    if (changed) ShowCurrentEvent();
    else PublishButtons();
}

void TShowAlVmForm::GoToFirstEvent() { Moved(Navigation_.GoToFirst()); }
void TShowAlVmForm::GoToPreviousEvent() { Moved(Navigation_.GoToPrevious()); }
void TShowAlVmForm::GoToNextEvent() { Moved(Navigation_.GoToNext()); }
void TShowAlVmForm::GoToLastEvent() { Moved(Navigation_.GoToLast()); }
void TShowAlVmForm::GoToEventNumber(int number) { Moved(Navigation_.GoTo(number)); }
void TShowAlVmForm::GoToEventTime(double eventTime) { Moved(Navigation_.GoToTime(eventTime)); }

void TShowAlVmForm::GoToEventOffset(std::int32_t offset)
{
    if (offset > 0) Moved(Navigation_.GoToOffset(static_cast<std::uint32_t>(offset)));
}

void TShowAlVmForm::ToggleAutoBackward()
{
    Navigation_.ToggleAutoBackward();
    SyncStepTimer();
    PublishButtons();
}

void TShowAlVmForm::ToggleAutoForward()
{
    Navigation_.ToggleAutoForward();
    SyncStepTimer();
    PublishButtons();
}

void TShowAlVmForm::SyncStepTimer()
{
    if (Navigation_.Stepping() == AutoStep::Off) StepTimer->stop();
    else StepTimer->start();
}

// The timer is stopped while the record is read and shown and started again after, so the
// next step comes a whole interval after this one was shown and slow reading queues no ticks.
void TShowAlVmForm::StepTimerTick()
{
    StepTimer->stop();
    if (Navigation_.Tick()) ShowCurrentEvent();
    SyncStepTimer();
    PublishButtons();
}

// ---- Printing and the clipboard ----

void TShowAlVmForm::CopyToClipboard()
{
    ShowTriggerLabels();
    QApplication::clipboard()->setImage(Frame.CopiedPicture());
}

void TShowAlVmForm::PrintView()
{
    ShowTriggerLabels();
    // The chart and, where its labels do not replace it, the trigger grid print as pictures.
    const auto grid = [this] { return TriggerGridView->isVisible() ? TriggerGridView->grab().toImage() : QImage(); };
    Frame.Print([this](bool printed) { Chart->SetPrinted(printed); },
                {{Chart, [this] { return Chart->grab().toImage(); }}, {TriggerGridView, grid}});
}
