// Vertical spans as the rectangles of their union: exactly the spans' pixels inside the rows
// kept, no pixel twice, never more rectangles than spans, and few for a dense line.
#include "graph/column_fill.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <utility>
#include <vector>

namespace {
using Pixels = std::vector<std::pair<int, int>>;  // ascending, each pixel once

Pixels PixelsOfSpans(const std::vector<TColumnSpan>& spans, int top, int bottom)
{
    Pixels pixels;
    for (const TColumnSpan& s : spans)
        for (int y = std::max(s.Top, top); y <= std::min(s.Bottom, bottom); ++y) pixels.push_back({s.X, y});
    std::sort(pixels.begin(), pixels.end());
    pixels.erase(std::unique(pixels.begin(), pixels.end()), pixels.end());
    return pixels;
}

// The rectangles' pixels; fails on a pixel covered twice.
Pixels PixelsOfRects(const std::vector<TGraphRect>& rects)
{
    Pixels pixels;
    for (const TGraphRect& r : rects) {
        EXPECT_LT(r.Left, r.Right);
        EXPECT_LT(r.Top, r.Bottom);
        for (int x = r.Left; x < r.Right; ++x)
            for (int y = r.Top; y < r.Bottom; ++y) pixels.push_back({x, y});
    }
    std::sort(pixels.begin(), pixels.end());
    EXPECT_EQ(std::adjacent_find(pixels.begin(), pixels.end()), pixels.end()) << "a pixel covered twice";
    return pixels;
}
}  // namespace

TEST(ColumnFill, RectanglesCoverExactlyTheSpansPixels)
{
    std::mt19937 random(11);
    struct Shape {
        const char* what;
        int columns, spread, height;
        int gapEvery;  // a column left out now and then
        int twiceEvery; // a second span in the column now and then
    } shapes[] = {
        {"dense line", 300, 3, 60, 0, 0},
        {"noise", 200, 40, 30, 0, 0},
        {"gaps and second spans", 200, 10, 20, 7, 5},
        {"single pixels", 100, 50, 0, 0, 3},
    };
    for (const Shape& shape : shapes) {
        SCOPED_TRACE(shape.what);
        std::vector<TColumnSpan> spans;
        int middle = 100;
        for (int x = 0; x < shape.columns; ++x) {
            if (shape.gapEvery && x % shape.gapEvery == 0) continue;
            middle += std::uniform_int_distribution<int>(-shape.spread, shape.spread)(random);
            const int h = std::uniform_int_distribution<int>(0, shape.height)(random);
            spans.push_back({x, middle - h / 2, middle + h - h / 2});
            if (shape.twiceEvery && x % shape.twiceEvery == 0) spans.push_back({x, middle + 3, middle + 30});
        }
        std::shuffle(spans.begin(), spans.end(), random);  // the order of the spans does not matter
        for (auto [top, bottom] : {std::pair{-1000, 1000}, std::pair{90, 120}, std::pair{500, 400}}) {
            const std::vector<TGraphRect> rects = ColumnSpansAsRects(spans, top, bottom);
            EXPECT_EQ(PixelsOfRects(rects), PixelsOfSpans(spans, top, bottom)) << top << ".." << bottom;
            EXPECT_LE(rects.size(), spans.size());
        }
    }
}

// What the fill is for: columns that share their rows become one rectangle. Here the top edge
// steps up one row every 100 columns: rows 200 to 400 span all 400 columns, and each row above
// runs from its step to the end.
TEST(ColumnFill, ColumnsSharingRowsBecomeOneRectangle)
{
    std::vector<TColumnSpan> spans;
    for (int x = 0; x < 400; ++x) spans.push_back({x, 200 - x / 100, 400});
    std::vector<TGraphRect> rects = ColumnSpansAsRects(spans, 0, 599);
    std::sort(rects.begin(), rects.end(), [](const TGraphRect& a, const TGraphRect& b) { return a.Left < b.Left; });
    EXPECT_EQ(rects, (std::vector<TGraphRect>{{0, 200, 400, 401}, {100, 199, 400, 200}, {200, 198, 400, 199}, {300, 197, 400, 198}}));
}
