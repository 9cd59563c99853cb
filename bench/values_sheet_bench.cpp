// The values sheet of 16000 one-minute records of three-phase voltage with all nine statistics
// (27 value columns), stepped without pacing until the sheet is finished, against writing a file
// of the size the sheet takes saved as Excel 5.0, in the same run. The closing note gives the
// ratio of the two, and that of the sheet with its saving.
#include "export/values_sheet.h"
#include "fixtures/data_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "platform/scripted_messages.h"
#include "survey/measure_file_info.h"

#include <benchmark/benchmark.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {
constexpr std::int64_t kRecords = 16000;

struct VoltageValues {
    TempProgDir dir;
    ScriptedMessages messages;
    TValuesSheetRequest request;
    std::string sheetPath = dir / "values.xls";
    std::size_t sheetSize = 0;

    VoltageValues()
    {
        TrendRecordFields r;
        r.flags = 2 | 4 | 8 | 16;
        for (int p = 0; p < 3; ++p)
            r.phases.push_back({.values = {220.5f + p, 230.25f + p, 240.75f + p}, .percentiles = {221, 239, 222, 238, 223, 237}});
        const double start = FixtureTime(2024, 1, 1, 0, 0);
        const std::string path =
            WriteRecordSeries(dir / "feeder.vme", 1, TrendRecord(1, r), start, 1.0 / 1440.0, kRecords,
                              [](std::int64_t i, std::uint8_t* record) { record[24] = static_cast<std::uint8_t>(i); });
        request.Kind = 1;
        request.SurveyName = "feeder.orv";
        ReadMeasureFileInfo(path, 1, request.FileInfo);
        request.Start = start;
        request.Stop = start + 1.0 * kRecords / 1440.0;
        TF1Book book;
        Fill(book);
        book.WriteFile(sheetPath, kFileTypeExcel5);
        sheetSize = static_cast<std::size_t>(FileSize(sheetPath).value_or(0));
    }

    bool Fill(TF1Book& book)
    {
        TValuesSheetJob job(book, request, {});
        while (job.Step()) {
        }
        return job.Completed() && job.RowsWritten() == kRecords;
    }
};

VoltageValues& Shared()
{
    static VoltageValues run;
    return run;
}

void Sheet()
{
    TF1Book book;
    Shared().Fill(book);
}

void SheetAndSave()
{
    TF1Book book;
    Shared().Fill(book);
    book.WriteFile(Shared().sheetPath, kFileTypeExcel5);
}

void PlainWrite()
{
    static const Bytes bytes(Shared().sheetSize, 0x5A);
    WriteFileAtomic(Shared().dir / "plain.bin", bytes);
}

double MedianSeconds(void (*work)(), int runs)
{
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        work();
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[seconds.size() / 2];
}
}  // namespace

static void BM_ValuesSheetOfVoltage16000Records(benchmark::State& state)
{
    VoltageValues& run = Shared();
    for (auto _ : state) {
        TF1Book book;
        if (!run.Fill(book)) state.SkipWithError("the sheet was not finished");
    }
    state.counters["sheet_bytes"] = static_cast<double>(run.sheetSize);
}
BENCHMARK(BM_ValuesSheetOfVoltage16000Records)->Unit(benchmark::kMillisecond);

static void BM_ValuesSheetAndItsSaving(benchmark::State& state)
{
    for (auto _ : state) SheetAndSave();
}
BENCHMARK(BM_ValuesSheetAndItsSaving)->Unit(benchmark::kMillisecond);

static void BM_PlainWriteOfTheSheetsSize(benchmark::State& state)
{
    for (auto _ : state) PlainWrite();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Shared().sheetSize));
}
BENCHMARK(BM_PlainWriteOfTheSheetsSize)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    const double sheetSeconds = MedianSeconds(Sheet, 5);
    const double savedSeconds = MedianSeconds(SheetAndSave, 5);
    const double writeSeconds = MedianSeconds(PlainWrite, 5);
    std::printf("Closing note: values sheet %.1f ms (with its saving %.1f ms), plain write of %zu bytes %.1f ms, "
                "ratio %.1f (with saving %.1f; aim 5)\n",
                sheetSeconds * 1e3, savedSeconds * 1e3, Shared().sheetSize, writeSeconds * 1e3,
                sheetSeconds / writeSeconds, savedSeconds / writeSeconds);
    benchmark::Shutdown();
    return 0;
}
