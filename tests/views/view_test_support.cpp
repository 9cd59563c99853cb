// Window test helpers.
#include "view_test_support.h"

#include "views/trace_settings.h"

TTraceSettings ChooseTraces(const TTrendViewForm& view, int count, int item)
{
    TTraceSettings s = view.Traces();
    for (int k = 0; k < count; ++k) {
        s.Entries[k].Item = item;
        s.Entries[k].Phase = k % 3;
    }
    ResolveOffsets(s, view.Columns().Columns, view.Columns().StatCount());
    return s;
}
