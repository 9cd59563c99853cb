// Writing and reading back a 16000-row x 12-column formatted sheet as Excel 5.0, against a plain
// write of a file of the same size.
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "sheet/sheet_book.h"
#include "sheet/sheet_files.h"

#include <benchmark/benchmark.h>

namespace {
TF1Book FormattedSheet()
{
    TF1Book book;
    book.SetCellText(13, 2, "Date");
    for (int c = 3; c <= 13; ++c) book.SetCellText(13, c, "L1 - Max Percentile 95%");
    for (int r = 14; r < 14 + 16000; ++r) {
        book.SetCellEntry(r, 2, "10/02/2024 10:15");
        for (int c = 3; c <= 13; ++c) book.SetCellEntry(r, c, std::to_string(200 + r % 50) + ".25");
    }
    book.SetSelection(13, 2, 13 + 16000, 13);
    book.SetBorder(2, 1, 1, 1, 1);
    book.SetAlignment(4, false, 2, 0);
    book.SetSelection(13, 2, 13, 13);
    book.SetPattern(1, 0xC0C0C0, 0xC0C0C0);
    book.SetFont("Arial", 10, true);
    book.AutoFitColumns(13, 2, 13 + 16000, 13, true);
    return book;
}

struct Files {
    TempProgDir dir;
    TF1Book book = FormattedSheet();
    std::string path = dir / "bench.xls";
    std::size_t size = 0;
    Files()
    {
        book.WriteFile(path, kFileTypeExcel5);
        size = static_cast<std::size_t>(*FileSize(path));
    }
};

Files& Shared()
{
    static Files files;
    return files;
}
}  // namespace

static void BM_BuildFormattedSheet(benchmark::State& state)
{
    for (auto _ : state) benchmark::DoNotOptimize(FormattedSheet());
}
BENCHMARK(BM_BuildFormattedSheet)->Unit(benchmark::kMillisecond);

static void BM_WriteExcel5(benchmark::State& state)
{
    Files& f = Shared();
    for (auto _ : state) benchmark::DoNotOptimize(f.book.WriteFile(f.path, kFileTypeExcel5));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.size));
}
BENCHMARK(BM_WriteExcel5)->Unit(benchmark::kMillisecond);

static void BM_ReadExcel5(benchmark::State& state)
{
    Files& f = Shared();
    for (auto _ : state) {
        TF1Book book;
        benchmark::DoNotOptimize(book.ReadFile(f.path));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.size));
}
BENCHMARK(BM_ReadExcel5)->Unit(benchmark::kMillisecond);

static void BM_PlainWriteSameSize(benchmark::State& state)
{
    Files& f = Shared();
    Bytes bytes(f.size, 0x5A);
    std::string path = f.dir / "plain.bin";
    for (auto _ : state) benchmark::DoNotOptimize(WriteFileAtomic(path, bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * f.size));
}
BENCHMARK(BM_PlainWriteSameSize)->Unit(benchmark::kMillisecond);
