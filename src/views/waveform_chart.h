// TWaveformChart: the waveform view's chart on Qt Charts: up to six line traces over a time
// axis in milliseconds, voltages on the left axis and currents on the right, each axis
// labelled at round steps (the left one in the unit its title names: Volt, kVolt or MVolt). It
// composes its mouse helpers: the zoomer (rubber band and zoom levels), the panner (hand
// cursor) and the cursor line; a mouse press that none of them takes goes to OnPress.
#pragma once

#include "views/waveform_scaling.h"
#include "views/zoom_stack.h"

#include <QChartView>
#include <array>
#include <functional>
#include <memory>
#include <span>

class QCategoryAxis;
class QLineSeries;
class TChartCursorLine;
class TChartPanner;
class TChartZoomer;

class TWaveformChart : public QChartView {
    Q_OBJECT
public:
    explicit TWaveformChart(QWidget* parent = nullptr);
    ~TWaveformChart() override;

    // Trace k (1 to 6): values from x0 ms on, dx ms apart, on the left or right axis; values
    // that are not finite are left out. ClearTrace empties and hides it.
    void SetTrace(int k, std::span<const double> values, double x0, double dx, std::uint32_t colour, WaveformAxis axis);
    void ClearTrace(int k);
    bool TraceShown(int k) const;
    // The points of trace k, for the cursor and tests.
    QList<QPointF> TracePoints(int k) const;

    // The ranges the three axes show.
    TZoomLevel Ranges() const;
    void SetRanges(const TZoomLevel& ranges);
    // Titles: with `volts` the left title and labels take the unit of the shown range
    // (VoltAxisUnit); otherwise `leftTitle` stands and the labels are the values.
    void SetAxisTitles(bool volts, const std::string& leftTitle, const std::string& rightTitle);
    QString LeftTitle() const;
    QString RightTitle() const;
    // The labels an axis shows now (left, right, bottom), for tests.
    QStringList LeftLabels() const;
    QStringList BottomLabels() const;

    // On the printed page the chart stands on white, on screen on silver.
    void SetPrinted(bool printed);

    // Pixel and value conversions over the plot area (viewport coordinates).
    QRectF PlotArea() const;
    double XOfPixel(double px) const;
    double PixelOfX(double x) const;
    TZoomLevel RangesOfPixels(const QRectF& rect) const;

    TChartZoomer& Zoomer() { return *zoomer_; }
    TChartPanner& Panner() { return *panner_; }
    TChartCursorLine& CursorLine() { return *cursor_; }

    // A left press in the plot that no helper took: the time (ms) under the mouse.
    std::function<void(double x)> OnPress;
    std::function<void()> OnDoubleClick;
    // The shown ranges changed by the zoomer or the panner.
    std::function<void()> OnRangesChanged;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Relabel();

    QChart* chart_;
    QCategoryAxis* bottom_;
    QCategoryAxis* left_;
    QCategoryAxis* right_;
    std::array<QLineSeries*, 6> series_{};
    bool voltsRule_ = true;
    QString leftTitle_;
    bool relabelling_ = false;
    std::unique_ptr<TChartZoomer> zoomer_;
    std::unique_ptr<TChartPanner> panner_;
    std::unique_ptr<TChartCursorLine> cursor_;
};
