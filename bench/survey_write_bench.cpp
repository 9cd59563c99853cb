// Writing a year of one-minute voltage records with the fixture builder, and appending a day of
// records to such a year through the data-file append, against a plain copy of the same bytes.
#include "fixtures/data_fixture.h"
#include "platform/date_time.h"
#include "survey/data_append.h"
#include "survey/records.h"

#include <benchmark/benchmark.h>

#include <filesystem>

namespace {
std::string TempPath(const std::string& name) { return (std::filesystem::temp_directory_path() / name).string(); }

const Bytes& Prototype()
{
    static const Bytes prototype = TrendRecord(MeasureVoltage, {.flags = 2});  // min/avg/max, 60 bytes
    return prototype;
}
}  // namespace

static void BM_WriteYearOfMinutes(benchmark::State& state)
{
    const std::string path = TempPath("orv_bench_write_year.vme");
    for (auto _ : state)
        WriteRecordSeries(path, MeasureVoltage, Prototype(), FixtureTime(2023, 1, 1, 0, 0), kOneMinute, kYearOfMinutes);
    std::filesystem::remove(path);
    state.SetItemsProcessed(state.iterations() * kYearOfMinutes);
}
BENCHMARK(BM_WriteYearOfMinutes)->Unit(benchmark::kMillisecond);

static void BM_CopyYearFile(benchmark::State& state)
{
    const std::string year = TempPath("orv_bench_copy_year.vme"), copy = TempPath("orv_bench_copy_year2.vme");
    WriteRecordSeries(year, MeasureVoltage, Prototype(), FixtureTime(2023, 1, 1, 0, 0), kOneMinute, kYearOfMinutes);
    for (auto _ : state) std::filesystem::copy_file(year, copy, std::filesystem::copy_options::overwrite_existing);
    std::filesystem::remove(year);
    std::filesystem::remove(copy);
    state.SetItemsProcessed(state.iterations() * kYearOfMinutes);
}
BENCHMARK(BM_CopyYearFile)->Unit(benchmark::kMillisecond);

static void BM_AppendDayToYear(benchmark::State& state)
{
    const std::string year = TempPath("orv_bench_append_year.vme"), day = TempPath("orv_bench_append_day.tmp");
    const double start = FixtureTime(2023, 1, 1, 0, 0);
    WriteRecordSeries(day, MeasureVoltage, Prototype(), start + 365, kOneMinute, 1440);
    for (auto _ : state) {
        state.PauseTiming();
        WriteRecordSeries(year, MeasureVoltage, Prototype(), start, kOneMinute, kYearOfMinutes);
        state.ResumeTiming();
        if (AppendDataFile(day, year, MeasureVoltage) != AppendResult::Ok) state.SkipWithError("append refused");
    }
    std::filesystem::remove(year);
    std::filesystem::remove(day);
    state.SetItemsProcessed(state.iterations() * (kYearOfMinutes + 1440));
}
BENCHMARK(BM_AppendDayToYear)->Unit(benchmark::kMillisecond);
