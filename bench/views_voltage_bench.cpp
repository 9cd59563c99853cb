// A voltage view created and plotted with three traces over a year of one-minute three-phase
// records, and its zoom re-plots (in on half the year, out to the whole year), against reading
// the same file's bytes sequentially in the same run.
#include "fixtures/data_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "fixtures/view_fixture.h"
#include "graph/zr_graph.h"
#include "platform/scripted_messages.h"
#include "views/show_v_form.h"
#include "views/trace_settings.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <fstream>
#include <vector>

namespace {
struct YearSurvey {
    TempProgDir dir;
    std::string path;
    YearSurvey()
    {
        TrendRecordFields r;
        r.period = 1;
        r.phases = {{.values = {220, 230, 240}}, {.values = {221, 231, 241}}, {.values = {222, 232, 242}}};
        const double start = FixtureTime(2023, 1, 1, 0, 0);
        path = WriteRecordSeries(dir / "year.vme", 1, TrendRecord(1, r), start, kOneMinuteDays, kYearOfMinutes);
        SelectVoltageSurvey(path, start, start + 400);
    }
    static constexpr double kOneMinuteDays = 1.0 / 1440.0;
};

YearSurvey& Survey()
{
    static YearSurvey survey;
    return survey;
}

void ReadFileSequentially(benchmark::State& state)
{
    std::vector<char> buffer(1 << 20);
    for (auto _ : state) {
        std::ifstream in(Survey().path, std::ios::binary);
        std::size_t total = 0;
        while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0)
            total += static_cast<std::size_t>(in.gcount());
        benchmark::DoNotOptimize(total);
    }
}

void PlotThreeTraces(TShowVForm& view)
{
    TTraceSettings s = view.Traces();
    for (int k = 0; k < 3; ++k) {
        s.Entries[k].Item = 2;
        s.Entries[k].Phase = k;
    }
    ResolveOffsets(s, view.Columns().Columns, view.Columns().StatCount());
    view.ApplyTraces(s);
}

void CreateViewAndPlotThreeTraces(benchmark::State& state)
{
    ScriptedMessages messages;
    Survey();
    for (auto _ : state) {
        auto view = CreateTrendView<TShowVForm>();
        PlotThreeTraces(*view);
        benchmark::DoNotOptimize(view->ZoomRecords());
    }
}

// Creation alone: the head, and every stamp of the interval decoded once with no trace chosen.
void CreateViewWithoutTraces(benchmark::State& state)
{
    ScriptedMessages messages;
    Survey();
    for (auto _ : state) {
        auto view = CreateTrendView<TShowVForm>();
        benchmark::DoNotOptimize(view->ZoomRecords());
    }
}

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
    Survey();
    auto created = CreateTrendView<TShowVForm>();
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
    Survey();
    auto created = CreateTrendView<TShowVForm>();
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

BENCHMARK(ReadFileSequentially)->Unit(benchmark::kMillisecond);
BENCHMARK(CreateViewAndPlotThreeTraces)->Unit(benchmark::kMillisecond);
BENCHMARK(CreateViewWithoutTraces)->Unit(benchmark::kMillisecond);
BENCHMARK(ZoomInOnHalfYear)->Unit(benchmark::kMillisecond);
BENCHMARK(ZoomOutToYear)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
