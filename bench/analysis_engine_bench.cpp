// The compliance analysis of a year of ten-minute records of voltage, frequency, unbalance,
// voltage harmonics (THD and orders 1 to 25) and flicker, with a year of events, run unpaced
// (Step() in a loop), against a sequential read of the same files in the same run. The
// analysis reports its processor time as a multiple of the read's ("x_read"), which a busy
// machine disturbs less than the elapsed times.
#include "analysis/analysis_engine.h"
#include "bench_timing.h"
#include "fixtures/data_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"
#include "survey/measure_file_info.h"

#include <benchmark/benchmark.h>

#include <bit>
#include <vector>

namespace {
constexpr double kTenMinutes = 10.0 / 1440.0;
constexpr std::int64_t kYearOfTenMinutes = 365 * 144;

void PutFloat(std::uint8_t* record, std::size_t at, float value) { StoreU32(record + at, std::bit_cast<std::uint32_t>(value)); }

struct YearSurvey {
    TempProgDir dir;
    ScriptedMessages messages;
    std::vector<std::string> paths;
    TSurveySelection survey;
    TAnalysisParams params;

    YearSurvey()
    {
        const double start = FixtureTime(2023, 1, 1, 0, 0);
        TrendRecordFields v;
        v.period = 10;
        v.phases = {{.values = {225, 230, 235}}, {.values = {226, 231, 236}}, {.values = {224, 229, 234}}};
        // A few records a day out of the band, so windows fail now and then.
        Add(1, WriteRecordSeries(dir / "year.vme", 1, TrendRecord(1, v), start, kTenMinutes, kYearOfTenMinutes,
                                 [](std::int64_t i, std::uint8_t* r) {
                                     if (i % 97 == 0) PutFloat(r, 24, 260);
                                 }));
        TrendRecordFields f;
        f.nominal = 50;
        f.period = 600;
        f.phases = {{.values = {49.95f, 50, 50.05f}}};
        Add(2, WriteRecordSeries(dir / "year.hze", 2, TrendRecord(2, f), start, kTenMinutes, kYearOfTenMinutes));
        TrendRecordFields u;
        u.period = 10;
        u.phases = {{.values = {0.4f, 0.8f, 1.2f}}};
        Add(3, WriteRecordSeries(dir / "year.une", 3, TrendRecord(3, u), start, kTenMinutes, kYearOfTenMinutes));
        HarmonicsRecordFields h;
        for (int order = 0; order <= 25; ++order) {
            const float value = order == 0 ? 3.0f : order == 1 ? 100.0f : 0.3f;
            PhaseBlockFields phase{.values = {value * 0.9f, value, value * 1.1f}};
            h.blocks.push_back({.flags = 2, .order = order, .phases = {phase, phase, phase}});
        }
        Add(4, WriteRecordSeries(dir / "year.hme", 4, HarmonicsRecord(h), start, kTenMinutes, kYearOfTenMinutes));
        FlickerRecordFields fl;
        for (int p = 0; p < 3; ++p) fl.phases.push_back({.stats = {0.4f, 0, 0, 0, 0, 0, 0, 0.5f}});
        Add(5, WriteRecordSeries(dir / "year.fle", 5, FlickerRecord(fl), start, kTenMinutes, kYearOfTenMinutes));
        // Twenty events a day of every kind.
        std::vector<Bytes> events;
        const int channels[] = {0, 1, 2, 3, 4, 5, 14, 0, 1, 2};
        for (int day = 0; day < 365; ++day)
            for (int k = 0; k < 20; ++k) {
                EventRecordFields e;
                e.type = static_cast<std::int16_t>(k % 3 == 0 ? 1 : 2);
                e.threshold = 207;
                e.peak = k % 7 == 0 ? 1.0f : 190.0f;
                e.channel = static_cast<std::int16_t>(channels[k % 10]);
                e.time = StampOf(start + day + k * 0.04);
                e.time.hundredths = k;
                events.push_back(EventRecord(e));
            }
        Add(6, WriteDataFile(dir / "year.ale", events));
        SetDefaultAnalysisParams(params);
        survey.Name = "year.orv";
        survey.Start = start;
        survey.Stop = start + 365 - 1.0 / 86400000.0;
    }
    void Add(int measure, const std::string& path)
    {
        paths.push_back(path);
        ReadMeasureFileInfo(path, measure, survey.File(measure));
        survey.File(measure).Selected = true;
    }
};

YearSurvey& Survey()
{
    static YearSurvey survey;
    return survey;
}

ReadBaseline readBaseline;

void ReadFilesSequentially(benchmark::State& state)
{
    Survey();  // written before the timing starts
    std::vector<char> buffer(1 << 20);
    std::size_t total = 0;
    readBaseline.Add(TimeProcessor(state, 0, [&] {
        total = 0;
        for (const std::string& path : Survey().paths) total += ReadWholeFile(path, buffer);
        benchmark::DoNotOptimize(total);
    }));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * total));
}

void AnalyseYearUnpaced(benchmark::State& state)
{
    YearSurvey& year = Survey();
    int steps = 0;
    TimeProcessor(state, readBaseline.Seconds(), [&] {
        TAnalysisEngine engine(year.survey, year.params, year.dir.Path());
        steps = 0;
        while (engine.Step()) ++steps;
        if (!engine.Completed()) state.SkipWithError("the analysis did not complete");
    });
    state.counters["steps"] = steps;
}
}  // namespace

BENCHMARK(ReadFilesSequentially)->Unit(benchmark::kMillisecond);
BENCHMARK(AnalyseYearUnpaced)->Unit(benchmark::kMillisecond);
