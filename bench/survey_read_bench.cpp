// Reading one trace of every record of a year of one-minute three-phase voltage records, through
// the record-window reader and through the per-record trend reader, against a plain sequential
// read of the same file's bytes; the window reader's processor time also as a multiple of the
// plain read's in the same run ("x_read").
#include "bench_memory.h"
#include "bench_timing.h"
#include "fixtures/data_fixture.h"
#include "platform/process_memory.h"
#include "survey/data_file.h"
#include "survey/record_readers.h"
#include "survey/record_window_reader.h"
#include "survey/records.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {
// Written before the benchmarks run, so no timing includes it, under a name of this process's
// own (benchmarks of several checkouts may run at once), and removed at the end.
struct YearOnDisk {
    std::string path = (std::filesystem::temp_directory_path() / ("orv_bench_year_" + std::to_string(getpid()) + ".vme")).string();
    YearOnDisk()
    {
        const Bytes prototype = TrendRecord(MeasureVoltage, {.flags = 2});  // min/avg/max, no curve
        WriteRecordSeries(path, MeasureVoltage, prototype, FixtureTime(2023, 1, 1, 0, 0), 1.0 / 1440, kYearOfMinutes,
                          [](std::int64_t i, std::uint8_t* r) { StoreU32(r + 24, static_cast<std::uint32_t>(i)); });
    }
    ~YearOnDisk() { std::filesystem::remove(path); }
};
const YearOnDisk kYear;
const std::string& YearFile() { return kYear.path; }
}  // namespace

// The plain read's processor time, the base of "x_read".
static ReadBaseline readBaseline;

static void BM_SequentialBytes(benchmark::State& state)
{
    const std::string& path = YearFile();
    std::vector<std::uint8_t> buffer(1 << 20);
    readBaseline.Add(TimeProcessor(state, 0, [&] {
        std::FILE* f = std::fopen(path.c_str(), "rb");
        std::uint64_t sum = 0;
        for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), f)) > 0;)
            for (std::size_t i = 0; i < n; i += 60) sum += buffer[i];
        std::fclose(f);
        benchmark::DoNotOptimize(sum);
    }));
    state.SetItemsProcessed(state.iterations() * kYearOfMinutes);
}
BENCHMARK(BM_SequentialBytes)->Unit(benchmark::kMillisecond);

static void BM_ReadOneTraceOfAYear(benchmark::State& state)
{
    const std::string& path = YearFile();
    for (auto _ : state) {
        TDataFile file;
        if (file.Open(path, MeasureVoltage) != DataFileFault::None) state.SkipWithError("file refused");
        TTraceSettings s;
        s.Entries[0].Item = 1;
        s.Entries[0].Offset = 24;  // L1 average
        // The values are handed on, not summed: a floating sum would chain every record to the
        // one before and time the additions instead of the reading.
        std::int64_t read = 0;
        RecordBlockReader reader(file, 0, file.RecordCount() - 1);
        for (auto record = reader.Next(); !record.empty(); record = reader.Next()) {
            if (ReadTrendRecord(MeasureVoltage, record, s)) ++read;
            benchmark::DoNotOptimize(s.Entries[0].Value);
            benchmark::DoNotOptimize(s.RecordTime);
        }
        if (read != kYearOfMinutes) state.SkipWithError("records unread");
    }
    state.SetItemsProcessed(state.iterations() * kYearOfMinutes);
}
BENCHMARK(BM_ReadOneTraceOfAYear)->Unit(benchmark::kMillisecond);

static void BM_ReadRecordWindowOneTrace(benchmark::State& state)
{
    const std::string& path = YearFile();
    const TRecordColumn average{24, ColumnType::F32, 1.0f};  // L1 average
    const double faults = PageFaults();
    TimeProcessor(state, readBaseline.Seconds(), [&] {
        TDataFile file;
        if (file.Open(path, MeasureVoltage) != DataFileFault::None) state.SkipWithError("file refused");
        const TRecordWindowData window = ReadRecordWindow(file, 0, file.RecordCount() - 1, std::span(&average, 1));
        if (!window.Complete || window.Count() != kYearOfMinutes) state.SkipWithError("records unread");
        benchmark::DoNotOptimize(window.Columns[0].data());
    });
    state.counters["faults"] = benchmark::Counter(PageFaults() - faults, benchmark::Counter::kAvgIterations);
    state.SetItemsProcessed(state.iterations() * kYearOfMinutes);
}
BENCHMARK(BM_ReadRecordWindowOneTrace)->Unit(benchmark::kMillisecond);

// The record walk alone (one float per record, no stamp, no trace settings): the share of the
// ratio that the block reading itself costs.
static void BM_WalkRecordBlocks(benchmark::State& state)
{
    const std::string& path = YearFile();
    for (auto _ : state) {
        TDataFile file;
        if (file.Open(path, MeasureVoltage) != DataFileFault::None) state.SkipWithError("file refused");
        RecordBlockReader reader(file, 0, file.RecordCount() - 1);
        for (auto record = reader.Next(); !record.empty(); record = reader.Next()) {
            const float value = LoadF32(&record[24]);
            benchmark::DoNotOptimize(value);
        }
    }
    state.SetItemsProcessed(state.iterations() * kYearOfMinutes);
}
BENCHMARK(BM_WalkRecordBlocks)->Unit(benchmark::kMillisecond);

// The process set up as the program sets itself up at its start.
int main(int argc, char** argv)
{
    KeepFreedMemoryForReuse();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
