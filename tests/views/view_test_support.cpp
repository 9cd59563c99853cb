// Window test helpers.
#include "view_test_support.h"

#include "graph/zr_graph.h"
#include "views/trace_settings.h"

#include <cstdio>

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

std::vector<double> Plotted(const TTrendViewForm& view, int series)
{
    const std::span<const double> ys = view.Chart->GetSeries(series).Ys();
    return {ys.begin(), ys.end()};
}

std::string CommandOutput(const std::string& command)
{
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (std::size_t n = fread(buffer, 1, sizeof buffer, p)) out.append(buffer, n);
        pclose(p);
    }
    return out;
}
