// The main window's graph and event toolbar states as a waveform view sets them from its state.
#pragma once

#include "views/waveform_navigation.h"

struct TWaveformViewState {
    bool AnyTrace = false;
    bool CursorOn = false;
    bool ZoomMode = false;
    bool Zoomed = false;
    bool PanMode = false;
    AutoStep Stepping = AutoStep::Off;
    int Current = 1;
    int Count = 1;
};

struct TToggleButton {
    bool Enabled = false;
    bool Down = false;
    bool operator==(const TToggleButton&) const = default;
};

struct TWaveformButtons {
    TToggleButton ZoomIn;
    bool ZoomOut = false;
    bool FullZoomOut = false;
    TToggleButton MeasureCursor;
    TToggleButton ScrollGraph;
    bool First = false, Previous = false, Next = false, Last = false;
    TToggleButton AutoBackward, AutoForward;
    bool EventNumber = false;  // the number box can be stepped, over 1..Count
    bool GoToEvent = false;
    bool operator==(const TWaveformButtons&) const = default;
};

// Zoom needs a trace, no cursor and no panning; the cursor needs a trace, no armed zoom, no
// panning and no automatic stepping; panning needs a trace, no cursor and no armed zoom. The
// event buttons need a trace and no cursor, and each stays within 1..Count.
TWaveformButtons WaveformButtons(const TWaveformViewState& s);
