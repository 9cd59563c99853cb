// Cursor stepping by key.
#include "views/trend_cursor.h"

int CursorKeyStep(bool right, TDateTime x, const TRecordWindow& zoom, const TRecordWindow& full)
{
    if (!right && x > zoom.FirstTime && x > full.FirstTime) return -1;
    if (right && x < zoom.LastTime && x < full.LastTime) return 1;
    if (right && x <= zoom.FirstTime && x <= full.FirstTime) return 1;
    if (!right && x >= zoom.LastTime && x >= full.LastTime) return -1;
    return 0;
}
