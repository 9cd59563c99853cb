// Painting six series into a 1200 x 600 image: a year of one-minute records per series
// against 2400 records per series, in the same run. The series are loaded as a trend view
// loads them: one window of times shared by the six, each with its own values. Each paint runs
// the layout pass (data ranges, scaling, ticks) and draws; the first paint after loading also
// builds each series' per-column summary. Loading itself is measured apart.
#include "graph/graph_engine.h"
#include "graph/qpainter_canvas.h"
#include "platform/date_time.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cmath>
#include <memory>

namespace {

void EnsureGuiApplication()
{
    // Kept to the end of the process: fonts must outlive every paint.
    static QGuiApplication* app = nullptr;
    if (app) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "graph_paint_bench";
    static char* argv[] = {name, nullptr};
    app = new QGuiApplication(argc, argv);
}

// The points of six series: one array of times (every point joined), and the values of each
// series in single precision, as a record holds them.
struct SixSeries {
    TSharedXs times;
    std::vector<TSharedYs> values;
};

SixSeries PointsOf(int pointsPerSeries)
{
    const double start = DateSerial(2023, 1, 1);
    std::vector<double> times(static_cast<std::size_t>(pointsPerSeries));
    for (int m = 0; m < pointsPerSeries; ++m) times[static_cast<std::size_t>(m)] = start + m / 1440.0;
    SixSeries points{TSharedXs(std::move(times)), {}};
    for (int s = 1; s <= 6; ++s) {
        auto values = std::make_shared<std::vector<float>>(static_cast<std::size_t>(pointsPerSeries));
        for (int m = 0; m < pointsPerSeries; ++m)
            (*values)[static_cast<std::size_t>(m)] = static_cast<float>(225 + 3 * s * std::sin(m / (50.0 + s)) + (m % 7919 == 0 ? 12 : 0));
        points.values.emplace_back(std::shared_ptr<const float>(values, values->data()), values->size());
    }
    return points;
}

// A graph with its axes and series styles set and no points yet.
std::unique_ptr<GraphEngine> EmptyGraph(int pointsPerSeries)
{
    auto graph = std::make_unique<GraphEngine>();
    graph->SetSize(1200, 600);
    graph->SetPlotting(false);
    const double start = DateSerial(2023, 1, 1);
    graph->XAxis.SetShowAsTime(true);
    graph->XAxis.SetDateTickType(pointsPerSeries > 100000 ? dt_monthly : dt_6hour);
    graph->XAxis.SetDateTimeFormat("mmm dd");
    graph->XAxis.SetMin(start);
    graph->XAxis.SetMax(start + (pointsPerSeries - 1) / 1440.0);
    graph->YAxis.SetMin(200);
    graph->YAxis.SetMax(250);
    graph->YAxis.SetStepSize(5);
    for (int s = 1; s <= 6; ++s) {
        graph->SetSeriesLine(s, true, clBlue, psSolid);
        graph->SetSeriesPoints(s, false, 1, 1, true, clBlue);
        graph->GetSeries(s).MaxPoints = 0;
    }
    return graph;
}

void Load(GraphEngine& graph, SixSeries points)
{
    for (int s = 1; s <= 6; ++s) graph.AddPoints(s, points.times, points.values[static_cast<std::size_t>(s - 1)]);
    graph.SetPlotting(true);
}

std::unique_ptr<GraphEngine> GraphOf(int pointsPerSeries)
{
    auto graph = EmptyGraph(pointsPerSeries);
    Load(*graph, PointsOf(pointsPerSeries));
    return graph;
}

void PaintSixSeries(benchmark::State& state)
{
    EnsureGuiApplication();
    const auto graph = GraphOf(static_cast<int>(state.range(0)));
    QImage image(1200, 600, QImage::Format_RGB32);
    for (auto _ : state) {
        graph->Repaint();
        QPainter painter(&image);
        QPainterCanvas canvas(painter);
        graph->Draw(canvas);
    }
    state.counters["points"] = static_cast<double>(6 * state.range(0));
}

void FirstPaintAfterLoading(benchmark::State& state)
{
    EnsureGuiApplication();
    QImage image(1200, 600, QImage::Format_RGB32);
    std::unique_ptr<GraphEngine> graph;
    for (auto _ : state) {
        state.PauseTiming();
        graph.reset(); // the previous graph is freed outside the measured time
        graph = GraphOf(static_cast<int>(state.range(0)));
        state.ResumeTiming();
        graph->Repaint();
        QPainter painter(&image);
        QPainterCanvas canvas(painter);
        graph->Draw(canvas);
    }
    state.counters["points"] = static_cast<double>(6 * state.range(0));
}

// Handing six series their points, as a trend view does after reading its window.
void LoadSixSeries(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    const SixSeries points = PointsOf(n);
    std::unique_ptr<GraphEngine> graph;
    for (auto _ : state) {
        state.PauseTiming();
        graph.reset();
        graph = EmptyGraph(n);
        SixSeries copy = points;
        state.ResumeTiming();
        Load(*graph, std::move(copy));
    }
    state.counters["points"] = static_cast<double>(6 * state.range(0));
}

} // namespace

BENCHMARK(LoadSixSeries)->Arg(2400)->Arg(525600)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintSixSeries)->Arg(2400)->Arg(525600)->Unit(benchmark::kMillisecond);
BENCHMARK(FirstPaintAfterLoading)->Arg(2400)->Arg(525600)->Iterations(5)->Unit(benchmark::kMillisecond);
