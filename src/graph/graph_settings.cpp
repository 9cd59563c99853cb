// Margin and appearance setters of the graph.
#include "graph/graph_settings.h"

#include "graph/graph_engine.h"

#include <algorithm>

void TDimensions::Store(int& field, int value)
{
    field = value;
    graph_.PaintIfPlotting();
}

void TDimensions::SetTickLength(int value)
{
    tickLength_ = value;
    if (value == 0) graph_.Appearance.SetShowTicks(false);
    graph_.PaintIfPlotting();
}

void TDimensions::SetPrintScalePct(int value) { printScalePct_ = std::clamp(value, 20, 100); }
void TDimensions::SetPrintXOffsetPct(int value) { printXOffsetPct_ = std::min(value, 100); }
void TDimensions::SetPrintYOffsetPct(int value) { printYOffsetPct_ = std::min(value, 100); }

void TAppearance::Changed() { graph_.PaintIfPlotting(); }

void TAppearance::SetErrorCaption(const std::string& value)
{
    errorCaption_ = value;
    if (graph_.AnyRangeInvalid()) graph_.PaintIfPlotting();
}

void TAppearance::SetMinSteps(int value)
{
    if (value != 0 && value < maxSteps_ / 2.5) minSteps_ = value;
    graph_.PaintIfPlotting();
}

void TAppearance::SetMaxSteps(int value)
{
    if (value > minSteps_ * 2.5 && value <= 90) maxSteps_ = value;
    graph_.PaintIfPlotting();
}
