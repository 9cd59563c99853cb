// The main window's commands that a child window drives while it is the active child: the
// toolbar buttons it enables (and holds down), the event number box, the Save Setup item and
// the report file the bar report opens. A child publishes the whole value whenever it changes
// (TChildForm::PublishCommandState); the main window applies the active child's value, and
// this default, everything off, when no child is active.
#pragma once

#include <string>

// A toolbar button that can also stay down (a toggle).
struct TButtonState {
    bool Enabled = false;
    bool Down = false;
    bool operator==(const TButtonState&) const = default;
};

// The event toolbar's number box; not typed into, stepped by its arrows.
struct TEventNumberBox {
    bool Enabled = false;
    int Minimum = 1;
    int Maximum = 1;
    int Value = 1;
    bool operator==(const TEventNumberBox&) const = default;
};

struct TCommandState {
    // Main toolbar.
    bool Print = false;
    bool CopyToClipboard = false;
    bool SaveSheetAs = false;
    TButtonState FailedIntervals;  // down (and its menu item checked) while they are shown
    bool BarReport = false;
    // Graph toolbar.
    bool Traces = false;
    bool Values = false;
    TButtonState ZoomIn;  // down while the rubber-band zoom is armed
    bool ZoomOut = false;
    TButtonState MeasureCursor;  // down while the cursor is shown
    bool Curve = false;
    // Event toolbar (the waveform view).
    bool FirstEvent = false;
    bool PreviousEvent = false;
    TButtonState AutoBackward;  // down while stepping
    TButtonState AutoForward;
    bool NextEvent = false;
    bool LastEvent = false;
    TButtonState ScrollGraph;  // down in pan mode
    bool FullZoomOut = false;
    TEventNumberBox EventNumber;
    bool GoToEvent = false;
    // File menu: Save Setup, when the setup editor holds unsaved changes.
    bool SaveSetup = false;
    // The report file the bar report opens; empty leaves the main window's as it was, so the
    // bar report keeps the report last opened or activated.
    std::string ReportFile;

    bool operator==(const TCommandState&) const = default;
};
