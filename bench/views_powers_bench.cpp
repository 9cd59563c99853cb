// A powers-and-currents view created and plotted with three traces on its two axes (the average
// active and apparent powers in kilowatts on the left, the L2 current on the right) over a year
// of one-minute three-phase records, against reading the same file's bytes sequentially in the
// same run; and its re-plot over the whole year once the interval's times are known.
#include "bench_timing.h"
#include "bench_widget_main.h"
#include "fixtures/child_context_fixture.h"
#include "fixtures/data_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "fixtures/view_fixture.h"
#include "platform/scripted_messages.h"
#include "views/trace_settings.h"
#include "views/trend_views.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr double kOneMinuteDays = 1.0 / 1440.0;

double Start() { return FixtureTime(2023, 1, 1, 0, 0); }

// A year of one-minute records with every group, written once, selected for the whole of it.
const std::string& YearOfPowers()
{
    static TempProgDir dir;
    static const std::string path = [] {
        PowerRecordFields r{.period = 1};
        r.active = {300000, 320000, 340000};
        r.reactive = {90000, 100000, 110000};
        r.apparent = {320000, 335000, 350000};
        r.currents = {MinAvgMax{460, 480, 500}, MinAvgMax{470, 490, 510}, MinAvgMax{480, 500, 520}};
        return WriteRecordSeries(dir / "year.wme", MeasurePowers, PowerRecord(r), Start(), kOneMinuteDays, kYearOfMinutes);
    }();
    SelectMeasureSurvey(MeasurePowers, path, Start(), Start() + 370);
    return path;
}

void PlotThreeTracesOnTwoAxes(TShowWForm& view)
{
    TTraceSettings s = view.Traces();
    const std::pair<int, int> traces[] = {{2, 3}, {8, 3}, {11, 1}};  // item, phase
    for (std::size_t k = 0; k < 3; ++k) {
        s.Entries[k].Item = traces[k].first;
        s.Entries[k].Phase = traces[k].second;
        ResolvePowerTrace(s.Entries[k], view.Layout().Columns, view.Layout().ExtraCurrentPhases);
    }
    view.ApplyTraces(s);
}

// The sequential read's processor time, the multiple's base ("x_read") of the view's.
ReadBaseline readBaseline;

void ReadFileSequentially(benchmark::State& state)
{
    const std::string& path = YearOfPowers();  // written before the timing starts
    std::vector<char> buffer(1 << 20);
    std::size_t bytes = 0;
    readBaseline.Add(TimeProcessor(state, 0, [&] { bytes = ReadWholeFile(path, buffer); }));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes));
}

void CreatePowersViewAndPlotThreeTraces(benchmark::State& state)
{
    ScriptedMessages messages;
    RecordingChildServices services;
    YearOfPowers();
    std::uint32_t records = 0;
    TimeProcessor(state, readBaseline.Seconds(), [&] {
        auto view = CreateTrendView<TShowWForm>(services.Context());
        PlotThreeTracesOnTwoAxes(*view);
        records = view->ZoomRecords();
    });
    if (records != kYearOfMinutes) state.SkipWithError("the view did not plot the year");
    state.counters["records"] = records;
}

void ReplotTheYear(benchmark::State& state)
{
    ScriptedMessages messages;
    RecordingChildServices services;
    YearOfPowers();
    auto view = CreateTrendView<TShowWForm>(services.Context());
    TimeProcessor(state, readBaseline.Seconds(), [&] { PlotThreeTracesOnTwoAxes(*view); });
    state.counters["records"] = view->ZoomRecords();
}
}  // namespace

BENCHMARK(ReadFileSequentially)->Unit(benchmark::kMillisecond);
BENCHMARK(CreatePowersViewAndPlotThreeTraces)->Unit(benchmark::kMillisecond);
BENCHMARK(ReplotTheYear)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return RunWidgetBenchmarks(argc, argv); }
