// One-pixel-wide vertical spans (the pixel columns of a dense line) as the rectangles of their
// union, for the canvas: neighbouring columns share most of their rows, so filling row runs
// across columns takes far fewer and wider fills than one fill per column.
#pragma once

#include "graph/graph_types.h"

#include <span>
#include <vector>

// The pixels (X, Top) to (X, Bottom), Top <= Bottom.
struct TColumnSpan {
    int X = 0, Top = 0, Bottom = 0;
};

// Rectangles (right and bottom exclusive) covering exactly the spans' pixels in rows top to
// bottom, none overlapping another, and never more of them than there are spans.
std::vector<TGraphRect> ColumnSpansAsRects(std::span<const TColumnSpan> spans, int top, int bottom);
