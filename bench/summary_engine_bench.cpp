// The survey summary of a year of one-minute three-phase voltage records (percentile 95: the
// 26280 lowest and highest values kept per phase), run unpaced step by step, against reading
// the same file's bytes sequentially in the same run. The summary and the engine's reading
// report their processor time as a multiple of the read's ("x_read"), which a busy machine
// disturbs less than the elapsed times; the summary also its peak memory ("peak_MB", VmHWM above
// what was resident before its first run).
#include "bench_memory.h"
#include "bench_timing.h"
#include "fixtures/data_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "platform/scripted_messages.h"
#include "summary/summary_engine.h"
#include "survey/measure_file_info.h"

#include <benchmark/benchmark.h>
#include <bit>
#include <cmath>
#include <vector>

namespace {
struct YearSurvey {
    TempProgDir dir;
    TSurveySelection survey;
    TSummaryParams params;
    YearSurvey()
    {
        TrendRecordFields r;
        r.period = 1;
        r.phases = {{.values = {220, 230, 240}}, {.values = {221, 231, 241}}, {.values = {222, 232, 242}}};
        const double start = FixtureTime(2023, 1, 1, 0, 0);
        // A daily swing of a few volts with noise, so the kept values keep changing.
        std::uint32_t noise = 12345;
        const std::string path = WriteRecordSeries(
            dir / "year.vme", 1, TrendRecord(1, r), start, 1.0 / 1440.0, kYearOfMinutes,
            [&noise](std::int64_t i, std::uint8_t* record) {
                const double day = std::sin(2 * 3.14159265358979 * static_cast<double>(i % 1440) / 1440.0);
                for (std::size_t p = 0; p < 3; ++p) {
                    noise = noise * 1664525u + 1013904223u;
                    const float v = static_cast<float>(230.0 + 6.0 * day + static_cast<double>(noise >> 16) / 65536.0 * 4.0 - 2.0);
                    StoreU32(record + 24 + 14 * p, std::bit_cast<std::uint32_t>(v));
                }
            });
        ReadMeasureFileInfo(path, 1, survey.File(1));
        survey.File(1).Selected = true;
        survey.Start = start;
        survey.Stop = start + 400;
        SetDefaultSummaryParams(params);
        ScriptedMessages messages;
        const double before = StatusMegabytes("VmRSS");
        ResetPeakMemory();
        TSummaryEngine engine(survey, params, dir / "summary.tmp");
        while (engine.Step()) {
        }
        peakMegabytes = StatusMegabytes("VmHWM") - before;
    }
    double peakMegabytes = 0;  // of the first summary of the run
};

YearSurvey& Survey()
{
    static YearSurvey survey;
    return survey;
}

ReadBaseline readBaseline;

void ReadFileSequentially(benchmark::State& state)
{
    std::vector<char> buffer(1 << 20);
    const std::string path = Survey().survey.File(1).FileName;  // written before the timing starts
    readBaseline.Add(TimeProcessor(state, 0, [&] { benchmark::DoNotOptimize(ReadWholeFile(path, buffer)); }));
}

// The engine's reading alone: the three averages of every record through the interval reader,
// ten records at a time, without the statistics; the rest of the summary's time is its own.
void ReadAveragesOnly(benchmark::State& state)
{
    YearSurvey& year = Survey();
    const std::vector<TRecordColumn> columns = {{24, ColumnType::F32, 1.0f}, {38, ColumnType::F32, 1.0f},
                                                {52, ColumnType::F32, 1.0f}};
    TimeProcessor(state, readBaseline.Seconds(), [&] {
        TDataFile file;
        if (file.Open(year.survey.File(1).FileName, 1) != DataFileFault::None) state.SkipWithError("file refused");
        TIntervalRecords records(file, 0, kYearOfMinutes - 1, columns, StampUse::CheckOnly);
        double sum = 0;
        while (const std::size_t run = records.NextRun(TSummaryEngine::kRecordsPerStep))
            for (std::size_t c = 0; c < 3; ++c)
                for (std::size_t i = records.RunStart(); i < records.RunStart() + run; ++i) sum += records.Chunk().Columns[c][i];
        benchmark::DoNotOptimize(sum);
    });
}

void SummariseYearOfVoltage(benchmark::State& state)
{
    ScriptedMessages messages;
    YearSurvey& year = Survey();
    const std::string output = year.dir / "summary.tmp";
    TimeProcessor(state, readBaseline.Seconds(), [&] {
        TSummaryEngine engine(year.survey, year.params, output);
        while (engine.Step()) {
        }
        if (!engine.Completed()) state.SkipWithError("the summary was not written");
        benchmark::DoNotOptimize(engine.Results().VoltageHighPct);
    });
    state.counters["peak_MB"] = year.peakMegabytes;
}
}  // namespace

BENCHMARK(ReadFileSequentially)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadAveragesOnly)->Unit(benchmark::kMillisecond);
BENCHMARK(SummariseYearOfVoltage)->Unit(benchmark::kMillisecond);
