// Base of every MDI child window: it carries its view kind from creation, on which the main
// window routes its commands (1 setup, 11-20 measure views, 25 values, 26 analysis report,
// 27 summary report, 28 sheet). Each kind overrides the operations its commands reach.
#pragma once

#include "app/command_routing.h"

#include <QWidget>
#include <cstdint>
#include <string>

class TChildForm : public QWidget {
    Q_OBJECT
public:
    TChildForm(int viewKind, QWidget* parent = nullptr) : QWidget(parent), viewKind_(viewKind) {}
    int ViewKind() const { return viewKind_; }

    // Operations the main window's commands call (see RouteCommand).
    virtual void PrintSetup() {}
    virtual void PrintView() {}
    virtual void PrintSheet() {}
    virtual void EditTraces() {}
    virtual void EditEventsFilter() {}
    virtual void SetZoom(bool /*zoomIn*/) {}
    virtual void ToggleCursor() {}
    virtual void ShowDensityCurve() {}
    virtual void CopyToClipboard() {}
    virtual void SaveSheetAs() {}
    virtual void ToggleFailedIntervals() {}

    // Menu enabling.
    virtual bool SetupModified() const { return false; }
    virtual bool HasNoFailedIntervals() const { return false; }

    // The waveform view's event toolbar.
    virtual void TogglePanMode() {}
    virtual void ShowFullRange() {}
    virtual void GoToFirstEvent() {}
    virtual void GoToPreviousEvent() {}
    virtual void ToggleAutoBackward() {}
    virtual void ToggleAutoForward() {}
    virtual void GoToNextEvent() {}
    virtual void GoToLastEvent() {}
    virtual void GoToEventNumber(int /*number*/) {}
    virtual void GoToEventOffset(std::int32_t /*offset*/) {}
    virtual void GoToEventTime(double /*eventTime*/) {}
    // The samples file a waveform view shows and the period it covers.
    virtual std::string SamplesFilePath() const { return {}; }
    virtual bool PeriodHolds(double /*eventTime*/) const { return false; }

private:
    const int viewKind_;
};

// The kinds "Close" acts on.
constexpr bool IsClosableViewKind(int kind)
{
    return kind == 1 || (kind >= 11 && kind <= 20) || (kind >= 25 && kind <= 28);
}

// Calls the operation a routed command names on the child.
void RunChildOperation(TChildForm& child, ChildOperation operation);
