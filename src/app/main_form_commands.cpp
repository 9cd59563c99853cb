// Main window: commands routed to the active child, the command state the child publishes,
// menu enabling, the event toolbar and the communication manager.
#include "app/child_form.h"
#include "app/main_form.h"
#include "platform/messages.h"
#include "platform/prog_dirs.h"

#include <QAction>
#include <QEvent>
#include <QMdiSubWindow>
#include <QSpinBox>

bool TMainForm::RouteToActiveChild(Command command)
{
    TChildForm* child = ActiveChild();
    auto operation = child ? RouteCommand(command, child->ViewKind()) : std::nullopt;
    if (operation) RunChildOperation(*child, *operation);
    RefreshCommandState();
    return operation.has_value();
}

void TMainForm::ItemPrintClick() { RouteToActiveChild(Command::Print); }
void TMainForm::ItemSettingsClick() { RouteToActiveChild(Command::Settings); }
void TMainForm::ItemCopyClipClick() { RouteToActiveChild(Command::CopyToClipboard); }
void TMainForm::ItemSaveSheetAsClick() { RouteToActiveChild(Command::SaveSheetAs); }
void TMainForm::ItemFailedClick() { RouteToActiveChild(Command::FailedIntervals); }
void TMainForm::BtnZoomInClick() { RouteToActiveChild(Command::ZoomIn); }
void TMainForm::BtnZoomOutClick() { RouteToActiveChild(Command::ZoomOut); }
void TMainForm::BtnMeasClick() { RouteToActiveChild(Command::MeasureCursor); }
void TMainForm::BtnCurveClick() { RouteToActiveChild(Command::Curve); }

void TMainForm::BtnValuesClick()
{
    TChildForm* child = ActiveChild();
    if (!child || !RouteCommand(Command::ShowValues, child->ViewKind())) return;
    if (const auto* source = Capability<TValuesSource>(child))
        child->Context().OpenValuesSheet(source->ValuesBlock(), MeasureOfViewKind(child->ViewKind()));
}

void TMainForm::OpenValuesSheet(const TSurveySelection& selection, const TValuesBlock& block, int measureKind)
{
    const TRoadWindows& road = WindowRegistry.RoadWindows();
    if (!road.ValuesSheet) return;
    if (TChildForm* sheet = road.ValuesSheet(ContextOn(selection), block, measureKind)) AddChild(sheet);
}

void TMainForm::RefreshCommandState()
{
    const TChildForm* child = ActiveChild();
    ApplyCommandState(child ? child->CommandState() : TCommandState{});
}

void TMainForm::ApplyCommandState(const TCommandState& s)
{
    const auto set = [](QAction* button, bool enabled) { button->setEnabled(enabled); };
    const auto toggle = [](QAction* button, TButtonState state) {
        button->setEnabled(state.Enabled);
        button->setChecked(state.Down);
    };
    set(BtnPrint, s.Print);
    set(BtnSave, s.SaveSetup);
    set(BtnCopyClip, s.CopyToClipboard);
    set(BtnSaveSheet, s.SaveSheetAs);
    toggle(BtnFailed, s.FailedIntervals);
    ItemFailed->setChecked(s.FailedIntervals.Down);
    set(BtnBarReport, s.BarReport);
    set(BtnTraces, s.Traces);
    set(BtnValues, s.Values);
    toggle(BtnZoomIn, s.ZoomIn);
    set(BtnZoomOut, s.ZoomOut);
    toggle(BtnMeas, s.MeasureCursor);
    set(BtnCurve, s.Curve);
    set(BtnFirst, s.FirstEvent);
    set(BtnPrec, s.PreviousEvent);
    toggle(BtnPrecTimer, s.AutoBackward);
    toggle(BtnNextTimer, s.AutoForward);
    set(BtnNext, s.NextEvent);
    set(BtnLast, s.LastEvent);
    toggle(BtnHand, s.ScrollGraph);
    set(BtnFull, s.FullZoomOut);
    SpinEdit->setEnabled(s.EventNumber.Enabled);
    SpinEdit->setRange(s.EventNumber.Minimum, s.EventNumber.Maximum);
    SpinEdit->setValue(s.EventNumber.Value);
    set(BtnEvent, s.GoToEvent);
    if (!s.ReportFile.empty()) ReportFileName = s.ReportFile;
}

void TMainForm::MFileClick()
{
    TChildForm* child = ActiveChild();
    FileMenuState state =
        FileMenuFor(child ? child->ViewKind() : TViewKind::None, child && child->CommandState().SaveSetup);
    ItemSaveSetup->setEnabled(state.saveSetup);
    ItemSaveSetupAs->setEnabled(state.saveSetupAs);
    ItemPrint->setEnabled(state.print);
}

void TMainForm::MViewClick()
{
    TChildForm* child = ActiveChild();
    ViewMenuState state = ViewMenuFor(child ? child->ViewKind() : TViewKind::None);
    ItemSettings->setEnabled(state.settings);
    ItemCopyClip->setEnabled(state.copyToClipboard);
}

void TMainForm::MAnalysisClick()
{
    TChildForm* child = ActiveChild();
    // The report enables its Show Failed Intervals button exactly when it has failed intervals.
    AnalysisMenuState state = AnalysisMenuFor(child ? child->ViewKind() : TViewKind::None,
                                              child && child->CommandState().FailedIntervals.Enabled);
    ItemFailed->setEnabled(state.failedIntervals);
    ItemBarReport->setEnabled(state.barReport);
    ItemSaveSheetAs->setEnabled(state.saveSheetAs);
}

TWaveformNavigator* TMainForm::Waveform(TChildForm* child)
{
    return child && child->ViewKind() == TViewKind::Samples ? Capability<TWaveformNavigator>(child) : nullptr;
}

void TMainForm::RunOnWaveform(const std::function<void(TWaveformNavigator&)>& command)
{
    if (TWaveformNavigator* waveform = ActiveWaveform()) command(*waveform);
    RefreshCommandState();
}

void TMainForm::BtnHandClick() { RunOnWaveform(&TWaveformNavigator::TogglePanMode); }
void TMainForm::BtnFullClick() { RunOnWaveform(&TWaveformNavigator::ShowFullRange); }
void TMainForm::BtnFirstClick() { RunOnWaveform(&TWaveformNavigator::GoToFirstEvent); }
void TMainForm::BtnPrecClick() { RunOnWaveform(&TWaveformNavigator::GoToPreviousEvent); }
void TMainForm::BtnPrecTimerClick() { RunOnWaveform(&TWaveformNavigator::ToggleAutoBackward); }
void TMainForm::BtnNextTimerClick() { RunOnWaveform(&TWaveformNavigator::ToggleAutoForward); }
void TMainForm::BtnNextClick() { RunOnWaveform(&TWaveformNavigator::GoToNextEvent); }
void TMainForm::BtnLastClick() { RunOnWaveform(&TWaveformNavigator::GoToLastEvent); }

void TMainForm::BtnEventClick()
{
    int number = ClampEventNumber(SpinEdit->value(), SpinEdit->minimum(), SpinEdit->maximum());
    SpinEdit->setValue(number);
    CurrentEventNumber = number;
    RunOnWaveform([this](TWaveformNavigator& w) { w.GoToEventNumber(CurrentEventNumber); });
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SpinEdit && event->type() == QEvent::FocusIn) SpinEditEnter();
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::SpinEditEnter()
{
    CurrentEventNumber = SpinEdit->value();
    RunOnWaveform([this](TWaveformNavigator& w) { w.GoToEventNumber(CurrentEventNumber); });
}

void TMainForm::ItemRunCommClick()
{
    auto run = RunCommunicationManager(VolumeRootOf(ProgDir()), *Starter);
    // Found but refused by the system (a missing program loader, no permission): say so
    // rather than seem to ignore the command.
    if (run && !run->started) ShowMessage("Unable to start the communication manager " + run->program + ".", MsgType::Error);
}
