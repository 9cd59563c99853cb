// The graph toolbar's states as a trend view sets them from its own state.
#pragma once

struct TTrendViewState {
    bool AnyTrace = false;
    bool CursorOn = false;
    bool ZoomMode = false;
    bool Zoomed = false;
    bool HasCurve = false;
};

struct TTrendButtons {
    bool ZoomInEnabled = false, ZoomInDown = false;
    bool ZoomOutEnabled = false;
    bool MeasEnabled = false, MeasDown = false;
    bool CurveEnabled = false;
    bool ZoomLabelsShown = false;
    bool operator==(const TTrendButtons&) const = default;
};

// Zoom In needs a trace and no cursor; the cursor needs a trace and no armed zoom; the curve
// needs the cursor and a curve block.
TTrendButtons TrendButtons(const TTrendViewState& s);
