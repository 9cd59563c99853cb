// Main window: commands routed to the active child, menu enabling, the event toolbar and the
// communication manager.
#include "app/child_form.h"
#include "app/main_form.h"
#include "app/view_registry.h"
#include "platform/messages.h"
#include "platform/prog_dirs.h"

#include <QAction>
#include <QEvent>
#include <QMdiSubWindow>
#include <QSpinBox>

bool TMainForm::RouteToActiveChild(Command command)
{
    TChildForm* child = ActiveChild();
    if (!child) return false;
    auto operation = RouteCommand(command, child->ViewKind());
    if (!operation) return false;
    RunChildOperation(*child, *operation);
    return true;
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
    if (!child || !RouteCommand(Command::ShowValues, child->ViewKind()) || !RoadWindows().ValuesSheet) return;
    if (TChildForm* sheet = RoadWindows().ValuesSheet(*child)) AddChild(sheet)->show();
}

void TMainForm::MFileClick()
{
    TChildForm* child = ActiveChild();
    FileMenuState state = FileMenuFor(child ? child->ViewKind() : 0, child && child->SetupModified());
    ItemSaveSetup->setEnabled(state.saveSetup);
    ItemSaveSetupAs->setEnabled(state.saveSetupAs);
    ItemPrint->setEnabled(state.print);
}

void TMainForm::MViewClick()
{
    TChildForm* child = ActiveChild();
    ViewMenuState state = ViewMenuFor(child ? child->ViewKind() : 0);
    ItemSettings->setEnabled(state.settings);
    ItemCopyClip->setEnabled(state.copyToClipboard);
}

void TMainForm::MAnalysisClick()
{
    TChildForm* child = ActiveChild();
    AnalysisMenuState state = AnalysisMenuFor(child ? child->ViewKind() : 0, child && child->HasNoFailedIntervals());
    ItemFailed->setEnabled(state.failedIntervals);
    ItemBarReport->setEnabled(state.barReport);
    ItemSaveSheetAs->setEnabled(state.saveSheetAs);
}

TChildForm* TMainForm::ActiveWaveform() const
{
    TChildForm* child = ActiveChild();
    return child && child->ViewKind() == kWaveformKind ? child : nullptr;
}

void TMainForm::BtnHandClick() { if (auto* w = ActiveWaveform()) w->TogglePanMode(); }
void TMainForm::BtnFullClick() { if (auto* w = ActiveWaveform()) w->ShowFullRange(); }
void TMainForm::BtnFirstClick() { if (auto* w = ActiveWaveform()) w->GoToFirstEvent(); }
void TMainForm::BtnPrecClick() { if (auto* w = ActiveWaveform()) w->GoToPreviousEvent(); }
void TMainForm::BtnPrecTimerClick() { if (auto* w = ActiveWaveform()) w->ToggleAutoBackward(); }
void TMainForm::BtnNextTimerClick() { if (auto* w = ActiveWaveform()) w->ToggleAutoForward(); }
void TMainForm::BtnNextClick() { if (auto* w = ActiveWaveform()) w->GoToNextEvent(); }
void TMainForm::BtnLastClick() { if (auto* w = ActiveWaveform()) w->GoToLastEvent(); }

void TMainForm::BtnEventClick()
{
    int number = ClampEventNumber(SpinEdit->value(), SpinEdit->minimum(), SpinEdit->maximum());
    SpinEdit->setValue(number);
    CurrentEventNumber = number;
    if (auto* w = ActiveWaveform()) w->GoToEventNumber(CurrentEventNumber);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == SpinEdit && event->type() == QEvent::FocusIn) SpinEditEnter();
    return QMainWindow::eventFilter(watched, event);
}

void TMainForm::SpinEditEnter()
{
    CurrentEventNumber = SpinEdit->value();
    if (auto* w = ActiveWaveform()) w->GoToEventNumber(CurrentEventNumber);
}

void TMainForm::ItemRunCommClick()
{
    auto run = RunCommunicationManager(VolumeRootOf(ProgDir()), *Starter);
    // Found but refused by the system (a missing program loader, no permission): say so
    // rather than seem to ignore the command.
    if (run && !run->started) ShowMessage("Unable to start the communication manager " + run->program + ".", MsgType::Error);
}
