// TChartZoomer: the waveform chart's rectangle zoom. Armed, a drag from left to right draws a
// rubber band and zooms to it (a new zoom level), a drag from right to left undoes the zoom;
// either ends the arming. Zoom Out goes back one level, Full Zoom Out to level 0.
#pragma once

#include "views/zoom_stack.h"

#include <QPoint>
#include <functional>

class QRubberBand;
class TWaveformChart;

class TChartZoomer {
public:
    explicit TChartZoomer(TWaveformChart& chart);
    ~TChartZoomer();

    void SetArmed(bool armed);
    bool Armed() const { return armed_; }
    const TZoomStack& Stack() const { return stack_; }
    bool Zoomed() const { return stack_.Zoomed(); }

    // Level 0 := the ranges, shown; every zoom forgotten.
    void Reset(const TZoomLevel& unzoomed);
    // Level 0 := the ranges of a new record; a zoomed chart keeps showing its zoom.
    void ReplaceUnzoomed(const TZoomLevel& unzoomed);

    // A finished drag between two viewport points.
    void Drag(QPoint from, QPoint to);
    void ZoomOutOneLevel();
    void UndoZoom();

    // Mouse events the chart hands on while armed; true when taken.
    bool Press(QPoint at);
    bool Move(QPoint at);
    bool Release(QPoint at);

    // After a rectangle zoomed, and after the zoom was undone (by a backward drag or UndoZoom).
    std::function<void()> OnZoomed;
    std::function<void()> OnUndone;

private:
    void Show();

    TWaveformChart& chart_;
    TZoomStack stack_;
    QRubberBand* band_;
    QPoint origin_;
    bool armed_ = false;
    bool dragging_ = false;
};
