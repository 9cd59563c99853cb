// A voltage view created and plotted with one trace over a year, and with three traces over a
// year, three years and ten years of one-minute three-phase records, and its zoom re-plots (in
// on half the year, out to the whole year), against reading the same file's bytes sequentially
// in the same run: each gives its processor time as a multiple of the read's ("x_read"), which a
// busy machine disturbs less than elapsed time. Creating and plotting three traces also gives the
// peak memory it takes (VmHWM of /proc/self/status, reset before), in all and per record, as the
// view made again in memory it freed before, and made in new pages as at the first view opened.
#include "bench_memory.h"
#include "bench_timing.h"
#include "bench_widget_main.h"
#include "fixtures/child_context_fixture.h"
#include "fixtures/data_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "fixtures/view_fixture.h"
#include "graph/zr_graph.h"
#include "platform/scripted_messages.h"
#include "views/show_v_form.h"
#include "views/trace_settings.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {
constexpr double kOneMinuteDays = 1.0 / 1440.0;

// A survey of `years` years of one-minute records, written once, selected for the whole of it.
class RecordedSurvey {
public:
    explicit RecordedSurvey(const TempProgDir& dir, int years) : years_(years)
    {
        TrendRecordFields r;
        r.period = 1;
        r.phases = {{.values = {220, 230, 240}}, {.values = {221, 231, 241}}, {.values = {222, 232, 242}}};
        path_ = WriteRecordSeries(dir / ("years" + std::to_string(years) + ".vme"), 1, TrendRecord(1, r), Start(),
                                  kOneMinuteDays, kYearOfMinutes * years);
    }
    const std::string& Path() const { return path_; }
    void Select() const { SelectVoltageSurvey(path_, Start(), Start() + 370.0 * years_); }

private:
    static double Start() { return FixtureTime(2023, 1, 1, 0, 0); }
    int years_;
    std::string path_;
};

// Written when first asked for, before the timing starts.
const RecordedSurvey& Survey(int years)
{
    static TempProgDir dir;
    static std::map<int, std::unique_ptr<RecordedSurvey>> surveys;
    auto& survey = surveys[years];
    if (!survey) survey = std::make_unique<RecordedSurvey>(dir, years);
    survey->Select();
    return *survey;
}

// The sequential read's processor time per survey length in years, the base of "x_read".
std::map<int, ReadBaseline> readBaselines;

void ReadFileSequentially(benchmark::State& state)
{
    const int years = static_cast<int>(state.range(0));
    const std::string& path = Survey(years).Path();
    std::vector<char> buffer(1 << 20);
    readBaselines[years].Add(TimeProcessor(state, 0, [&] { benchmark::DoNotOptimize(ReadWholeFile(path, buffer)); }));
}

// The average of L1, and of L2 and L3 when `traces` is 3.
void PlotTraces(TShowVForm& view, int traces)
{
    TTraceSettings s = view.Traces();
    for (int k = 0; k < traces; ++k) {
        s.Entries[k].Item = 2;
        s.Entries[k].Phase = k;
    }
    ResolveOffsets(s, view.Columns().Columns, view.Columns().StatCount());
    view.ApplyTraces(s);
}

void PlotThreeTraces(TShowVForm& view) { PlotTraces(view, 3); }

// A view of the survey of `years` created and, with `traces` above 0, plotted, timed against the
// read of the same file. In `freshMemory` the memory freed before is handed back to the system
// first, so the view's arrays are new pages, as at the first view a user opens.
void TimeCreateAndPlot(benchmark::State& state, int years, int traces, bool freshMemory = false)
{
    ScriptedMessages messages;
    RecordingChildServices services;
    Survey(years);
    auto createAndPlot = [&] {
        auto view = CreateTrendView<TShowVForm>(services.Context());
        if (traces > 0) PlotTraces(*view, traces);
        benchmark::DoNotOptimize(view->ZoomRecords());
    };
    if (freshMemory) TimeProcessor(state, readBaselines[years].Seconds(), HandBackFreedMemory, createAndPlot);
    else TimeProcessor(state, readBaselines[years].Seconds(), createAndPlot);
}

void CreateViewAndPlotOneTrace(benchmark::State& state) { TimeCreateAndPlot(state, 1, 1); }

// The three traces' view as it is made again and again (its memory reused), and with
// `freshMemory` as at the first view opened (its memory new pages).
void TimeCreateAndPlotThreeTraces(benchmark::State& state, bool freshMemory)
{
    const int years = static_cast<int>(state.range(0));
    const std::string& path = Survey(years).Path();
    const double before = PeakMemoryBaseline();
    const double faults = PageFaults();
    TimeCreateAndPlot(state, years, 3, freshMemory);
    state.counters["faults"] = benchmark::Counter(PageFaults() - faults, benchmark::Counter::kAvgIterations);
    state.counters["file_MB"] = static_cast<double>(std::ifstream(path, std::ios::ate | std::ios::binary).tellg()) / (1 << 20);
    const double peak = StatusMegabytes("VmHWM") - before;
    state.counters["peak_MB"] = peak;
    state.counters["peak_B_per_record"] = peak * (1 << 20) / (static_cast<double>(kYearOfMinutes) * years);
}

void CreateViewAndPlotThreeTraces(benchmark::State& state) { TimeCreateAndPlotThreeTraces(state, false); }
void CreateViewAndPlotThreeTracesInFreshMemory(benchmark::State& state) { TimeCreateAndPlotThreeTraces(state, true); }

// Creation alone: the head, and every stamp of the interval decoded once with no trace chosen.
void CreateViewWithoutTraces(benchmark::State& state) { TimeCreateAndPlot(state, 1, 0); }

// A zoom band dragged over the left half of the plot area, as the mouse does it.
void ZoomInOnLeftHalf(TShowVForm& view)
{
    const int left = view.Chart->Dimensions.LeftMargin() + 1;
    const int right = view.Chart->Width() - view.Chart->Dimensions.RightMargin() - 1;
    const int row = (view.Chart->Dimensions.TopMargin() + view.Chart->Height() - view.Chart->Dimensions.BottomMargin()) / 2;
    view.SetZoom(true);
    view.ChartMouseDown(TMouseButton::mbLeft, left, row);
    view.ChartMouseMove((left + right) / 2, row);
    view.ChartMouseUp((left + right) / 2, row);
}

void ZoomInOnHalfYear(benchmark::State& state)
{
    ScriptedMessages messages;
    RecordingChildServices services;
    Survey(1);
    auto created = CreateTrendView<TShowVForm>(services.Context());
    TShowVForm& view = *created;
    PlotThreeTraces(view);
    for (auto _ : state) {
        state.PauseTiming();
        view.SetZoom(false);
        state.ResumeTiming();
        ZoomInOnLeftHalf(view);
        if (!view.Zoomed()) state.SkipWithError("the zoom band did not zoom");
        benchmark::DoNotOptimize(view.ZoomRecords());
    }
    state.counters["records"] = view.ZoomRecords();
}

void ZoomOutToYear(benchmark::State& state)
{
    ScriptedMessages messages;
    RecordingChildServices services;
    Survey(1);
    auto created = CreateTrendView<TShowVForm>(services.Context());
    TShowVForm& view = *created;
    PlotThreeTraces(view);
    for (auto _ : state) {
        state.PauseTiming();
        ZoomInOnLeftHalf(view);
        state.ResumeTiming();
        view.SetZoom(false);
        benchmark::DoNotOptimize(view.ZoomRecords());
    }
    state.counters["records"] = view.ZoomRecords();
}
}  // namespace

BENCHMARK(ReadFileSequentially)->Arg(1)->Arg(3)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(CreateViewAndPlotOneTrace)->Unit(benchmark::kMillisecond);
BENCHMARK(CreateViewAndPlotThreeTraces)->Arg(1)->Arg(3)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(CreateViewAndPlotThreeTracesInFreshMemory)->Arg(1)->Arg(10)->Unit(benchmark::kMillisecond);
BENCHMARK(CreateViewWithoutTraces)->Unit(benchmark::kMillisecond);
BENCHMARK(ZoomInOnHalfYear)->Unit(benchmark::kMillisecond);
BENCHMARK(ZoomOutToYear)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) { return RunWidgetBenchmarks(argc, argv); }
