// Vertical spans to the rectangles of their union: a sweep over the columns in which each row
// knows the column its current run began in; a run ends where the next column leaves its row,
// and runs of neighbouring rows that began and end together become one rectangle.
#include "graph/column_fill.h"

#include <algorithm>

namespace {
struct RowRange {
    int Top, Bottom;
};

// The rows of `a` not in `b` (both ascending and disjoint), told to `take` as ranges.
template <typename Take>
void RowsNotIn(std::span<const RowRange> a, std::span<const RowRange> b, Take take)
{
    std::size_t j = 0;
    for (const RowRange& range : a) {
        int from = range.Top;
        while (j < b.size() && b[j].Bottom < from) ++j;
        for (std::size_t k = j; k < b.size() && b[k].Top <= range.Bottom; ++k) {
            if (b[k].Top > from) take(from, b[k].Top - 1);
            from = std::max(from, b[k].Bottom + 1);
        }
        if (from <= range.Bottom) take(from, range.Bottom);
    }
}
}  // namespace

std::vector<TGraphRect> ColumnSpansAsRects(std::span<const TColumnSpan> spans, int top, int bottom)
{
    std::vector<TGraphRect> rects;
    if (bottom < top) return rects;
    std::vector<TColumnSpan> kept;
    kept.reserve(spans.size());
    for (TColumnSpan s : spans) {
        s.Top = std::max(s.Top, top);
        s.Bottom = std::min(s.Bottom, bottom);
        if (s.Top <= s.Bottom) kept.push_back(s);
    }
    std::sort(kept.begin(), kept.end(),
              [](const TColumnSpan& a, const TColumnSpan& b) { return a.X != b.X ? a.X < b.X : a.Top < b.Top; });

    // Each column's rows as ascending disjoint ranges: columns[c] starts at ranges[starts[c]].
    std::vector<int> columns;
    std::vector<std::size_t> starts;
    std::vector<RowRange> ranges;
    for (const TColumnSpan& s : kept) {
        if (columns.empty() || columns.back() != s.X) {
            columns.push_back(s.X);
            starts.push_back(ranges.size());
        } else if (s.Top <= ranges.back().Bottom + 1) {
            ranges.back().Bottom = std::max(ranges.back().Bottom, s.Bottom);
            continue;
        }
        ranges.push_back({s.Top, s.Bottom});
    }
    starts.push_back(ranges.size());
    auto rowsOf = [&](std::size_t c) {
        return std::span<const RowRange>(ranges).subspan(starts[c], starts[c + 1] - starts[c]);
    };

    std::vector<int> runStart(static_cast<std::size_t>(bottom - top) + 1);  // column a row's run began in
    auto begin = [&](int column, int from, int to) {
        for (int y = from; y <= to; ++y) runStart[static_cast<std::size_t>(y - top)] = column;
    };
    auto end = [&](int lastColumn, int from, int to) {
        for (int y = from; y <= to;) {
            const int first = runStart[static_cast<std::size_t>(y - top)];
            int last = y;
            while (last < to && runStart[static_cast<std::size_t>(last + 1 - top)] == first) ++last;
            rects.push_back({first, y, lastColumn + 1, last + 1});
            y = last + 1;
        }
    };
    const std::span<const RowRange> none;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const bool adjacent = c > 0 && columns[c] == columns[c - 1] + 1;
        const std::span<const RowRange> before = adjacent ? rowsOf(c - 1) : none;
        if (c > 0) RowsNotIn(rowsOf(c - 1), adjacent ? rowsOf(c) : none, [&](int a, int b) { end(columns[c - 1], a, b); });
        RowsNotIn(rowsOf(c), before, [&](int a, int b) { begin(columns[c], a, b); });
    }
    if (!columns.empty())
        for (const RowRange& r : rowsOf(columns.size() - 1)) end(columns.back(), r.Top, r.Bottom);

    if (rects.size() > ranges.size()) {
        // The union does not pay here: each column's rows are filled on their own.
        rects.clear();
        for (std::size_t c = 0; c < columns.size(); ++c)
            for (const RowRange& r : rowsOf(c)) rects.push_back({columns[c], r.Top, columns[c] + 1, r.Bottom + 1});
    }
    return rects;
}
