// TChartCursorLine: the measuring cursor's vertical line across the waveform chart's plot, at a
// time in ms; it follows the plot when the chart is resized, zoomed or panned.
#pragma once

class QGraphicsLineItem;
class TWaveformChart;

class TChartCursorLine {
public:
    explicit TChartCursorLine(TWaveformChart& chart);

    void Show(double x);
    void Hide();
    bool Shown() const { return shown_; }
    double X() const { return x_; }
    // The viewport column of the drawn line; 0 when none is drawn (hidden, or outside the plot).
    int PixelColumn() const;
    void Update();

private:
    TWaveformChart& chart_;
    QGraphicsLineItem* line_;
    double x_ = 0;
    bool shown_ = false;
};
