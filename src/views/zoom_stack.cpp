// The zoom-level stack.
#include "views/zoom_stack.h"

#include <algorithm>

namespace {
bool Opens(const TValueRange& r) { return r.Min < r.Max; }
}  // namespace

bool TZoomStack::Push(TZoomLevel wanted)
{
    const TValueRange& full = Unzoomed().X;
    wanted.X = {std::max(wanted.X.Min, full.Min), std::min(wanted.X.Max, full.Max)};
    if (!Opens(wanted.X) || !Opens(wanted.Left) || !Opens(wanted.Right)) return false;
    levels_.push_back(wanted);
    return true;
}

const TZoomLevel& TZoomStack::Back()
{
    if (levels_.size() > 1) levels_.pop_back();
    return Shown();
}

const TZoomLevel& TZoomStack::Undo()
{
    levels_.resize(1);
    return Shown();
}
