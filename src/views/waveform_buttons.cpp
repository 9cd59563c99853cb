// The waveform view's toolbar rules.
#include "views/waveform_buttons.h"

TWaveformButtons WaveformButtons(const TWaveformViewState& s)
{
    TWaveformButtons b;
    const bool zoomable = s.AnyTrace && !s.CursorOn && !s.PanMode;
    b.ZoomIn = {zoomable, s.ZoomMode};
    b.ZoomOut = s.Zoomed && !s.CursorOn && !s.PanMode;
    b.FullZoomOut = zoomable;
    b.MeasureCursor = {s.AnyTrace && !s.ZoomMode && !s.PanMode && s.Stepping == AutoStep::Off, s.CursorOn};
    b.ScrollGraph = {s.AnyTrace && !s.CursorOn && !s.ZoomMode, s.PanMode};
    if (!s.AnyTrace || s.CursorOn) return b;
    b.First = s.Current != 1;
    b.Previous = s.Current > 1;
    b.Next = s.Current < s.Count;
    b.Last = s.Current != s.Count;
    b.AutoBackward = {s.Current > 1, s.Stepping == AutoStep::Backward};
    b.AutoForward = {s.Current < s.Count, s.Stepping == AutoStep::Forward};
    b.EventNumber = true;
    b.GoToEvent = true;
    return b;
}
