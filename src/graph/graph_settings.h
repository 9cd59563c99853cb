// The graph's margins and offsets (TDimensions) and its appearance (TAppearance). Setters store
// the value and repaint the graph while it is plotting.
#pragma once

#include "graph/graph_types.h"

#include <string>

class GraphEngine;

class TDimensions {
public:
    explicit TDimensions(GraphEngine& graph) : graph_(graph) {}

    int LeftMargin() const { return leftMargin_; }
    int RightMargin() const { return rightMargin_; }
    int TopMargin() const { return topMargin_; }
    int BottomMargin() const { return bottomMargin_; }
    int TickLength() const { return tickLength_; }
    int XAxisTitleOffset() const { return xAxisTitleOffset_; }
    int YAxisTitleOffset() const { return yAxisTitleOffset_; }
    int XAxisLabelOffset() const { return xAxisLabelOffset_; }
    int YAxisLabelOffset() const { return yAxisLabelOffset_; }
    int GraphTitleOffset() const { return graphTitleOffset_; }
    int PrintScalePct() const { return printScalePct_; }
    int PrintXOffsetPct() const { return printXOffsetPct_; }
    int PrintYOffsetPct() const { return printYOffsetPct_; }

    void SetLeftMargin(int value) { Store(leftMargin_, value); }
    void SetRightMargin(int value) { Store(rightMargin_, value); }
    void SetTopMargin(int value) { Store(topMargin_, value); }
    void SetBottomMargin(int value) { Store(bottomMargin_, value); }
    void SetTickLength(int value); // 0 also switches the ticks off
    void SetXAxisTitleOffset(int value) { Store(xAxisTitleOffset_, value); }
    void SetYAxisTitleOffset(int value) { Store(yAxisTitleOffset_, value); }
    void SetXAxisLabelOffset(int value) { Store(xAxisLabelOffset_, value); }
    void SetYAxisLabelOffset(int value) { Store(yAxisLabelOffset_, value); }
    void SetGraphTitleOffset(int value) { Store(graphTitleOffset_, value); }
    // Printing only: stored without a repaint.
    void SetPrintScalePct(int value);
    void SetPrintXOffsetPct(int value);
    void SetPrintYOffsetPct(int value);

private:
    void Store(int& field, int value);

    GraphEngine& graph_;
    int leftMargin_ = 40, rightMargin_ = 15, topMargin_ = 30, bottomMargin_ = 40, tickLength_ = 4;
    int xAxisTitleOffset_ = 4, yAxisTitleOffset_ = 4, xAxisLabelOffset_ = 2, yAxisLabelOffset_ = 2;
    int graphTitleOffset_ = 7;
    int printScalePct_ = 90, printXOffsetPct_ = 5, printYOffsetPct_ = 20;
};

class TAppearance {
public:
    TAppearance(GraphEngine& graph, TColor backgroundColor) : graph_(graph), backgroundColor_(backgroundColor) {}

    bool ShowTicks() const { return showTicks_; }
    bool ShowMarks() const { return showMarks_; }
    bool PlotOffGraph() const { return plotOffGraph_; }
    TColor GridColor() const { return gridColor_; }
    TColor BackgroundColor() const { return backgroundColor_; }
    TPenStyle GridStyle() const { return gridStyle_; }
    bool PrintBkgndColor() const { return printBkgndColor_; }
    const std::string& ErrorCaption() const { return errorCaption_; }
    const std::string& GraphTitle() const { return graphTitle_; }
    bool ShowGraphTitle() const { return showGraphTitle_; }
    int MinSteps() const { return minSteps_; }
    int MaxSteps() const { return maxSteps_; }

    void SetShowTicks(bool value) { Store(showTicks_, value); }
    void SetShowMarks(bool value) { Store(showMarks_, value); }
    void SetPlotOffGraph(bool value) { Store(plotOffGraph_, value); }
    void SetGridColor(TColor value) { Store(gridColor_, value); }
    void SetBackgroundColor(TColor value) { Store(backgroundColor_, value); }
    void SetGridStyle(TPenStyle value) { Store(gridStyle_, value); }
    void SetPrintBkgndColor(bool value) { printBkgndColor_ = value; }
    void SetErrorCaption(const std::string& value); // repaints only while a range is invalid
    void SetGraphTitle(const std::string& value) { Store(graphTitle_, value); }
    void SetShowGraphTitle(bool value) { Store(showGraphTitle_, value); }
    // Each accepts only a value that keeps MaxSteps above 2.5 x MinSteps; both repaint anyway.
    void SetMinSteps(int value);
    void SetMaxSteps(int value);

private:
    template <typename T>
    void Store(T& field, const T& value)
    {
        field = value;
        Changed();
    }
    void Changed();

    GraphEngine& graph_;
    bool showTicks_ = true, showMarks_ = false, plotOffGraph_ = false;
    TColor gridColor_ = clSilver;
    TColor backgroundColor_;
    TPenStyle gridStyle_ = psDot;
    bool printBkgndColor_ = false;
    std::string errorCaption_ = "MAX/MIN VALUES INCONSISTENT";
    std::string graphTitle_ = "zrGraph 1.0";
    bool showGraphTitle_ = true;
    int minSteps_ = 5, maxSteps_ = 50;
};
