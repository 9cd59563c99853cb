// Painting six series into a 1200 x 600 image: a year of one-minute records per series
// against 2400 records per series, in the same run. Each paint runs the layout pass (data
// ranges, scaling, ticks) and draws; the first paint after loading also builds the column
// envelopes of the points.
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

std::unique_ptr<GraphEngine> GraphOf(int pointsPerSeries)
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
        for (int m = 0; m < pointsPerSeries; ++m)
            graph->AddPoint(s, true, start + m / 1440.0, 225 + 3 * s * std::sin(m / (50.0 + s)) + (m % 7919 == 0 ? 12 : 0));
    }
    graph->SetPlotting(true);
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

} // namespace

BENCHMARK(PaintSixSeries)->Arg(2400)->Arg(525600)->Unit(benchmark::kMillisecond);
BENCHMARK(FirstPaintAfterLoading)->Arg(2400)->Arg(525600)->Iterations(5)->Unit(benchmark::kMillisecond);
