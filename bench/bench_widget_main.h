// The main of a benchmark that makes windows: an offscreen application around the runs, in a
// process set up as the program sets itself up at its start.
#pragma once

#include <QApplication>
#include <benchmark/benchmark.h>

#include "platform/process_memory.h"

inline int RunWidgetBenchmarks(int argc, char** argv)
{
    KeepFreedMemoryForReuse();
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
