// The graph control's logic without a window: three axes, margins, appearance and the series
// by index; the paint (data ranges, automatic scaling, impossible-range captions, metrics,
// axes, grids, labels, titles, series) onto a TGraphCanvas; pixel conversion, nearest point,
// the measuring cursor and the zoom band, fed with plain mouse events. The window TzrGraph
// derives from it and supplies the canvas, the screen and the mouse.
#pragma once

#include "graph/axis.h"
#include "graph/graph_canvas.h"
#include "graph/graph_settings.h"
#include "graph/series.h"

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

// What the engine asks of the window that shows it.
class TGraphHost {
public:
    virtual ~TGraphHost() = default;
    virtual void GraphPictureChanged() = 0; // the picture must be painted again
    virtual void GraphOverlayChanged() = 0; // cursor line or zoom band moved
    virtual void SetScreenCursor(TCursorShape shape) = 0;
    virtual void ReleaseMouseCapture() = 0;
    virtual void BeginSizeFromCorner() = 0; // the user drags the bottom-right corner
    virtual void BeginMoveByCorner() = 0;   // the user drags the control by its top-left corner
};

class GraphEngine : private TAxisOwner {
public:
    GraphEngine();
    ~GraphEngine() override;
    GraphEngine(const GraphEngine&) = delete;
    GraphEngine& operator=(const GraphEngine&) = delete;

    void SetHost(TGraphHost* host) { host_ = host; }

    // The control.
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetSize(int width, int height);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    const TGraphFont& Font() const { return font_; }
    void SetFont(const TGraphFont& value);
    // Empty while the ranges can be drawn; otherwise the impossible-range caption.
    const std::string& Caption() const { return caption_; }

    TAxis XAxis;
    TAxis YAxis;
    TAxis YAxis_Second;
    TDimensions Dimensions;
    TAppearance Appearance;

    // Switches.
    bool Plotting() const { return plotting_; }
    void SetPlotting(bool value); // repaints; True also runs DoRescale
    bool DragAllowed() const { return dragAllowed_; }
    void SetDragAllowed(bool value) { dragAllowed_ = value; }
    bool AllowDuplicates() const { return allowDuplicates_; }
    void SetAllowDuplicates(bool value);
    bool XCursor() const { return xCursor_; }
    void SetXCursor(bool value);

    // Events.
    std::function<void(TSeries& sender, int index)> OnLogError;
    std::function<void(GraphEngine& sender, int index)> OnNewSeries;
    std::function<void(GraphEngine& sender, int index)> OnTooManyPoints;
    std::function<void(GraphEngine& sender)> OnRescale;
    std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseDown;
    std::function<void(TShiftState shift, int x, int y)> OnMouseMove;
    std::function<void(TMouseButton button, TShiftState shift, int x, int y)> OnMouseUp;
    std::function<void()> OnDblClick;
    std::function<void()> OnResize;
    // The clock of an empty date-time axis's default range (local date-time).
    std::function<double()> Now;

    // Series by index, created on first use.
    TSeries& GetSeries(int index);
    bool SeriesExists(int index) const;
    bool GetSeriesState(int index, bool& visible, double& yOffset) const;
    void ConfigureSeries(int index, bool visible, bool clear, bool autoOffset, double yOffset, TAxis* axis);
    void SetSeriesLine(int index, bool showLine, TColor colour, TPenStyle penStyle);
    void SetSeriesPoints(int index, bool showPoints, int size, std::uint8_t shape, bool fill, TColor colour);
    bool AddPoint(int index, bool connect, double x, double y);
    // A run of points into one series, with one repaint while plotting (TDataSeries::AddPoints).
    std::size_t AddPoints(int index, std::span<const double> xs, std::span<const double> ys,
                          std::span<const std::uint8_t> connects);
    // A window's points as their maker holds them: times and joins several series share, and
    // this series' values (TDataSeries::AddPoints).
    std::size_t AddPoints(int index, const TSharedXs& xs, const TSharedYs& ys);
    bool GetPoint(int index, std::uint32_t& id, double& x, double& y, double& z);
    int FirstVisibleSeries() const;
    // Some series holds points and, unless axis is null or the X axis, lies on axis.
    bool HasData(const TAxis* axis) const;

    // Points and pixels.
    bool FindNearestPoint(int index, int pixelX, std::uint32_t& id, double& x, double& y);
    int XToPixel(double x) const;
    int YToPixel(double y) const;
    int Y2ToPixel(double y) const;
    double PixelToX(int pixel) const;
    double PixelToY(int pixel) const;
    double PixelToY2(int pixel) const;
    bool InPlotArea(int x, int y) const;

    // Measuring cursor: the column and row where it was placed, 0 for none. A caller may set
    // CursorX and call DrawXCursor, which snaps it to the nearest point of the first visible
    // series and shows the line there.
    int CursorX = 0;
    int CursorY = 0;
    void DrawXCursor();
    bool CursorLineShown() const { return cursorLineShown_; }
    // Half the width of the cursor line's head above the plot, in pixels.
    static constexpr int CursorHeadSize = 5;

    // Zoom state of the Shift-drag band.
    const TGraphRect& ZoomRect() const { return zoomRect_; }
    bool Zooming() const { return zooming_; }
    bool Zoomed() const { return zoomed_; }

    // The control's mouse, in pixels of the control.
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    void MouseMove(TShiftState shift, int x, int y);
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    void DblClick();

    // Paint. Repaint runs the layout at once (data ranges, rescale, validity, metrics, ticks)
    // and asks the window for one new picture; Draw paints that layout; DrawOverlay paints the
    // cursor line and the zoom band over it.
    void Repaint();
    void PaintIfPlotting();
    void Draw(TGraphCanvas& canvas);
    void DrawOverlay(TGraphCanvas& canvas) const;
    bool AnyRangeInvalid() const;
    void DoRescale();

    void CalcDataRanges();
    void CalcXMetrics();
    void CalcYMetrics();
    void CalcY2Metrics();

private:
    enum class LayoutState { Valid, XInvalid, YInvalid, BothInvalid };
    struct AxisPlan {
        std::vector<TAxisTick> Ticks;
        double DrawStep = 0;
    };
    struct SavedAxis {
        bool AutoSizing = false;
        double Min = 0, Max = 1;
    };

    // TAxisOwner
    int AxisMinSteps() const override { return Appearance.MinSteps(); }
    int AxisMaxSteps() const override { return Appearance.MaxSteps(); }
    bool AxisHasData(const TAxis& axis) const override { return HasData(&axis); }
    void AxisRepaint() override { PaintIfPlotting(); }
    void AxisRescaled() override { DoRescale(); }
    double AxisNow() const override;

    void Layout();
    void ScaleAxis(TAxis& axis, bool& rescaled, bool& failed);
    void PrepareAxis(TAxis& axis, AxisPlan& plan);
    AxisPlan& PlanOf(const TAxis& axis);
    std::array<TAxis*, 3> Axes() { return {&XAxis, &YAxis, &YAxis_Second}; }

    // Drawing (graph_drawing.cpp, series_drawing.cpp).
    void DrawPanel(TGraphCanvas& canvas);
    void DrawGraph(TGraphCanvas& canvas);
    void DrawGraphTitle(TGraphCanvas& canvas);
    void DrawXAxis(TGraphCanvas& canvas);
    void DrawYAxis(TGraphCanvas& canvas, TAxis& axis);
    void DrawSeries(TGraphCanvas& canvas, TSeries& series);
    void DrawSeriesLine(TGraphCanvas& canvas, TSeries& series);
    TColumnScaling LineScaling() const;
    void BuildColumnRuns(const TSeries& series, bool reduce, std::vector<TColumnRun>& runs) const;
    void DrawSeriesMarkers(TGraphCanvas& canvas, const TSeries& series);
    int SeriesRow(const TSeries& series, double y) const;
    std::size_t RunEnd(std::span<const double> xs, std::size_t from, std::size_t end, int column) const;

    void SaveZoomState();
    void ApplyZoomBand(int x, int y);
    void RestoreZoomState();

    TGraphHost* host_ = nullptr;
    int width_ = 200, height_ = 200;
    TColor color_ = clWhite;
    TGraphFont font_;
    std::string caption_;
    bool plotting_ = true;
    bool dragAllowed_ = true;
    bool allowDuplicates_ = false;
    bool xCursor_ = false;
    bool errorMode_ = false;
    LayoutState state_ = LayoutState::Valid;
    std::array<AxisPlan, 3> plans_;

    std::map<int, std::unique_ptr<TSeries>> series_; // ascending by index
    int highestIndex_ = 0;

    bool cursorLineShown_ = false;
    int cursorLineColumn_ = 0;
    double cursorLineX_ = 0; // x of the point the line snapped to

    TGraphRect zoomRect_;
    TGraphPixel zoomStart_;
    bool zooming_ = false;
    bool zoomed_ = false;
    std::array<SavedAxis, 3> saved_{};
};
