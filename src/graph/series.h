// A series of the graph: the point store with its index, owner graph, Y axis and styles.
// Its changes repaint the graph while plotting, or wait for the end of an update.
#pragma once

#include "graph/data_series.h"
#include "graph/graph_types.h"

#include <vector>

class TAxis;
class GraphEngine;

// The X scaling a series' line is reduced for: what places a point on its pixel column and
// the columns the clip area keeps.
struct TColumnScaling {
    double Min = 0, PixelsPerUnit = 0;
    bool Log = false;
    int Left = 0;
    bool Clipped = false;
    int ClipLeft = 0, ClipRight = 0;
    bool operator==(const TColumnScaling&) const = default;
};

// One run of points on one pixel column as the line draws it: the join from the previous run,
// then, for more than one point, the column from the highest to the lowest point.
struct TColumnRun {
    int Column = 0;
    bool Joined = false;  // a line comes from the previous run's last point
    bool Single = true;   // one point: no column extent
    double First = 0, High = 0, Low = 0, Last = 0;  // stored y values
};

// A dense line's runs for one X scaling and one state of the points: built by the first paint
// after either changes and reused by the paints after it (rows are taken at each paint, so
// the Y scaling may change meanwhile).
struct TColumnSummary {
    std::uint64_t PointsVersion = ~std::uint64_t(0);
    TColumnScaling Scaling;
    std::vector<TColumnRun> Runs;
};

class TSeries : public TDataSeries {
public:
    static constexpr std::uint8_t ShapeSquare = 0, ShapeCircle = 1, ShapeDiamond = 2, ShapeCross = 3, ShapeStepBar = 4;

    TSeries(GraphEngine& graph, int index);

    GraphEngine& Graph() const { return graph_; }
    int Index() const { return index_; }
    TAxis* Axis() const { return axis_; }
    bool Visible() const { return visible_; }
    bool ShowLine() const { return showLine_; }
    bool ShowPoints() const { return showPoints_; }
    bool FillPoints() const { return fillPoints_; }
    bool Updating() const { return updating_; }
    TColor LineColor() const { return lineColor_; }
    TColor PointColor() const { return pointColor_; }
    std::uint8_t Shape() const { return shape_; }
    TPenStyle LineStyle() const { return lineStyle_; }
    int PointSize() const { return pointSize_; }

    void SetVisible(bool value);
    void SetShowLine(bool value);
    void SetShowPoints(bool value);
    void SetFillPoints(bool value);
    void SetLineColor(TColor value);
    void SetPointColor(TColor value);
    void SetLineStyle(TPenStyle value);
    void SetAxis(TAxis* value);
    void SetShape(std::uint8_t value);
    void SetPointSize(int value);
    // While updating, changes only mark the series; the end of the update tells them once.
    void SetUpdating(bool value);

    // Kept for the graph's drawing of the line.
    TColumnSummary& LineSummary() { return lineSummary_; }

protected:
    void Changed(std::uint8_t reason) override;
    void TooManyPoints() override;

private:
    template <typename T>
    void SetStyle(T& field, const T& value);
    void EvenPointSize();

    GraphEngine& graph_;
    int index_;
    TAxis* axis_;
    bool visible_ = true, showLine_ = true, showPoints_ = true, fillPoints_;
    bool updating_ = false, pending_ = false;
    TColor lineColor_, pointColor_;
    std::uint8_t shape_;
    TPenStyle lineStyle_;
    int pointSize_ = 4;
    TColumnSummary lineSummary_;
};
