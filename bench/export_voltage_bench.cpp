// The two exports of 16000 one-minute records of three-phase voltage with all nine statistics
// (27 value columns), each stepped without pacing, against writing a file of the workbook's size
// in the same run: the exporter into an Excel 5.0 workbook, and the values sheet of a view of
// those records until its sheet is finished (and with its saving as Excel 5.0). The closing
// notes give the ratios, and the peak memory of the first export of the run (VmHWM above what
// was resident before it).
#include "bench_memory.h"
#include "bench_timing.h"
#include "export/exporter.h"
#include "export/values_sheet.h"
#include "fixtures/data_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "platform/scripted_messages.h"
#include "survey/measure_file_info.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {
constexpr std::int64_t kRecords = 16000;

struct VoltageExport {
    TempProgDir dir;
    ScriptedMessages messages;
    TSurveySelection selection;
    TExportParams params;
    TValuesSheetRequest values;
    std::size_t workbookSize = 0;
    double peakMegabytes = 0;

    VoltageExport()
    {
        TrendRecordFields r;
        r.flags = 2 | 4 | 8 | 16;
        for (int p = 0; p < 3; ++p)
            r.phases.push_back({.values = {220.5f + p, 230.25f + p, 240.75f + p}, .percentiles = {221, 239, 222, 238, 223, 237}});
        const double start = FixtureTime(2024, 1, 1, 0, 0);
        const std::string path =
            WriteRecordSeries(dir / "feeder.vme", 1, TrendRecord(1, r), start, 1.0 / 1440.0, kRecords,
                              [](std::int64_t i, std::uint8_t* record) { record[24] = static_cast<std::uint8_t>(i); });
        ReadMeasureFileInfo(path, 1, selection.File(1));
        selection.File(1).Selected = true;
        selection.Start = start;
        selection.Stop = start + 1.0 * kRecords / 1440.0;
        params.Measure(1).OutputPath = dir / "feeder_vm.xls";
        params.Measure(1).Items.fill(true);
        params.Measure(1).Phases = {true, true, true};
        values.Kind = 1;
        values.SurveyName = "feeder.orv";
        values.FileInfo = selection.File(1);
        values.Start = selection.Start;
        values.Stop = selection.Stop;
        const double before = StatusMegabytes("VmRSS");
        ResetPeakMemory();
        Export();
        peakMegabytes = StatusMegabytes("VmHWM") - before;
        workbookSize = static_cast<std::size_t>(FileSize(params.Measure(1).OutputPath).value_or(0));
    }

    bool Export()
    {
        TExporter exporter(selection, params);
        while (exporter.Step()) {
        }
        return exporter.Completed();
    }

    bool ValuesSheet(bool save)
    {
        TF1Book book;
        TValuesSheetJob job(book, values, {});
        while (job.Step()) {
        }
        if (save && !book.WriteFile(dir / "values.xls", kFileTypeExcel5)) return false;
        return job.Completed() && job.RowsWritten() == kRecords;
    }
};

VoltageExport& Shared()
{
    static VoltageExport run;
    return run;
}

void PlainWrite()
{
    static const Bytes bytes(Shared().workbookSize, 0x5A);
    WriteFileAtomic(Shared().dir / "plain.bin", bytes);
}

}  // namespace

static void BM_ExportVoltage16000RecordsToExcel5(benchmark::State& state)
{
    VoltageExport& run = Shared();
    for (auto _ : state)
        if (!run.Export()) state.SkipWithError("the export did not complete");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * run.workbookSize));
    state.counters["workbook_bytes"] = static_cast<double>(run.workbookSize);
}
BENCHMARK(BM_ExportVoltage16000RecordsToExcel5)->Unit(benchmark::kMillisecond);

static void BM_ValuesSheetOfVoltage16000Records(benchmark::State& state)
{
    const bool save = state.range(0) != 0;
    for (auto _ : state)
        if (!Shared().ValuesSheet(save)) state.SkipWithError("the values sheet was not finished");
}
BENCHMARK(BM_ValuesSheetOfVoltage16000Records)->ArgName("saved")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

static void BM_PlainWriteOfTheWorkbooksSize(benchmark::State& state)
{
    for (auto _ : state) PlainWrite();
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Shared().workbookSize));
}
BENCHMARK(BM_PlainWriteOfTheWorkbooksSize)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    const double exportSeconds = MedianSeconds([] { Shared().Export(); }, 5);
    const double sheetSeconds = MedianSeconds([] { Shared().ValuesSheet(false); }, 5);
    const double savedSeconds = MedianSeconds([] { Shared().ValuesSheet(true); }, 5);
    const double writeSeconds = MedianSeconds(PlainWrite, 5);
    std::printf("Closing note: export %.1f ms, plain write of %zu bytes %.1f ms, ratio %.1f (aim 5), peak %.1f MB\n",
                exportSeconds * 1e3, Shared().workbookSize, writeSeconds * 1e3, exportSeconds / writeSeconds,
                Shared().peakMegabytes);
    std::printf("Closing note: values sheet %.1f ms, ratio %.1f (aim 5); with its saving %.1f ms, ratio %.1f\n",
                sheetSeconds * 1e3, sheetSeconds / writeSeconds, savedSeconds * 1e3, savedSeconds / writeSeconds);
    benchmark::Shutdown();
    return 0;
}
