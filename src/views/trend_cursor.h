// The measuring cursor's key stepping: which way Left or Right moves the cursor record through
// the zoom window, given the cursor's time and the windows' ends.
#pragma once

#include "views/trend_window.h"

// -1, +1 or 0 (the key does nothing).
int CursorKeyStep(bool right, TDateTime x, const TRecordWindow& zoom, const TRecordWindow& full);
