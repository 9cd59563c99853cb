// Toolbar states of a trend view.
#include "views/trend_buttons.h"

TTrendButtons TrendButtons(const TTrendViewState& s)
{
    TTrendButtons b;
    b.ZoomInEnabled = s.AnyTrace && !s.CursorOn;
    b.ZoomInDown = s.ZoomMode;
    b.ZoomOutEnabled = s.Zoomed && !s.CursorOn;
    b.MeasEnabled = s.AnyTrace && !s.ZoomMode;
    b.MeasDown = s.CursorOn;
    b.CurveEnabled = s.CursorOn && s.HasCurve;
    b.ZoomLabelsShown = s.Zoomed;
    return b;
}
