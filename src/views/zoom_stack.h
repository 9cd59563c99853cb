// The zoom levels of a chart: level 0 holds the unzoomed ranges, each rectangle zoom pushes the
// ranges it shows, Zoom Out goes back one level and undoing the zoom goes back to level 0.
// The chart zoomer (views/chart_zoomer.h) keeps one.
#pragma once

#include "views/waveform_scaling.h"

#include <vector>

struct TZoomLevel {
    TValueRange X;      // bottom axis
    TValueRange Left;   // left axis
    TValueRange Right;  // right axis
    bool operator==(const TZoomLevel&) const = default;
};

class TZoomStack {
public:
    // Level 0 := the unzoomed ranges; every zoom is forgotten.
    void Reset(const TZoomLevel& unzoomed) { levels_.assign(1, unzoomed); }
    int Level() const { return static_cast<int>(levels_.size()) - 1; }
    bool Zoomed() const { return Level() > 0; }
    const TZoomLevel& Shown() const { return levels_.back(); }
    const TZoomLevel& Unzoomed() const { return levels_.front(); }

    // Level 0 := new unzoomed ranges, the zoom levels kept.
    void ReplaceUnzoomed(const TZoomLevel& unzoomed) { levels_.front() = unzoomed; }
    // A new level of the wanted ranges, its bottom range kept within level 0's; nothing happens
    // (false) for a range that is empty or inverted after that.
    bool Push(TZoomLevel wanted);
    // One level back (to level 0 at most); returns the ranges now shown.
    const TZoomLevel& Back();
    const TZoomLevel& Undo();

private:
    std::vector<TZoomLevel> levels_{TZoomLevel{}};
};
