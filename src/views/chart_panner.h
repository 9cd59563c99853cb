// TChartPanner: panning the waveform chart. Active, it shows the hand cursor (the cursor shape
// before is given back when it ends) and a drag with the left button moves every axis with the
// mouse.
#pragma once

#include <QCursor>
#include <QPoint>
#include <QPointF>

class TWaveformChart;

class TChartPanner {
public:
    explicit TChartPanner(TWaveformChart& chart) : chart_(chart) {}

    void SetActive(bool active);
    bool Active() const { return active_; }
    // Moves the shown ranges as a drag by `delta` viewport pixels would.
    void PanByPixels(QPointF delta);

    bool Press(QPoint at);
    bool Move(QPoint at);
    bool Release(QPoint at);

private:
    TWaveformChart& chart_;
    QCursor saved_;
    QPoint last_;
    bool active_ = false;
    bool dragging_ = false;
};
