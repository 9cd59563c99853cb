// Fuzz target: the values sheet behind Show Values, run as its window runs it to the end: the
// columns the first record of a data file offers (the exports' column builder, harmonic blocks
// included), the rows of the period, and for the samples measure the waveform record on screen
// over its sheets of 16000 sample rows. The first byte chooses the measure, the second the
// period or the capture, the third the harmonics picked, the next six the waveform traces; the
// rest is the file.
// Must hold: the job ends; a sheet shown has a row per record read (at most the period's
// records and the row limit) or per sample, no more columns than a sheet holds, and no cell
// with a C library's text for a value that is no number; a sheet not shown has said why.
#include <array>
#include <cmath>

#include "export/values_sheet.h"
#include "fuzz/fuzz_support.h"
#include "survey/measure_file_info.h"
#include "survey/samples_file.h"
#include "survey/samples_index.h"
#include "views/waveform_traces.h"

namespace {
constexpr std::array<int, 9> kKinds = {1, 2, 3, 4, 5, 7, 8, 9, 10};

void CheckCells(const TF1Book& book)
{
    for (int s = 1; s <= book.NumSheets(); ++s)
        for (const auto& row : book.SheetAt(s).rows)
            for (const Cell& cell : row.second.cells) FUZZ_CHECK(!fuzz::ShowsNonNumber(book.DisplayText(cell)));
}

// The capture a view shows: entry `choice` of the file's time index, or none.
std::int32_t CaptureOffset(const std::string& path, std::uint8_t choice, std::uint32_t& periodRecords)
{
    const auto index = BuildSamplesIndexEntries(path);
    if (!index || index->empty()) return 0;
    const std::int64_t entries = static_cast<std::int64_t>(index->size() / kSamplesIndexEntrySize);
    periodRecords = static_cast<std::uint32_t>(entries);
    const auto entry = IndexEntry(*index, choice % entries);
    FUZZ_CHECK(entry.has_value());
    return static_cast<std::int32_t>(entry->Offset);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Run run;
    fuzz::InputParts parts({data, size});
    const int kind = kKinds[parts.Byte() % kKinds.size()];
    const std::uint8_t period = parts.Byte(), picked = parts.Byte();
    TValuesSheetRequest request;
    request.Kind = kind;
    request.SurveyName = "fuzz.orv";
    request.Traces = NewWaveformTraceSettings();
    for (TTraceEntry& e : request.Traces.Entries) {
        const std::uint8_t choice = parts.Byte();
        e.Item = choice % 8;
        e.Phase = choice / 8 % 3;
    }
    const std::string path = fuzz::WriteInput(run.Path("survey.dat"), parts.Rest());
    if (!ReadMeasureFileInfo(path, kind, request.FileInfo)) return 0;
    const std::size_t refusals = run.messages.messages.size();

    std::int64_t records = request.FileInfo.RecordCount;
    if (kind == MeasureSamples) {
        request.EventOffset = CaptureOffset(path, period, request.PeriodRecords);
        request.EventNumber = 1;
    } else {
        // The whole file, or a share of it cut at each end by sixteenths.
        const double span = request.FileInfo.LastTime - request.FileInfo.FirstTime;
        request.Start = request.FileInfo.FirstTime + (std::isfinite(span) ? span * (period % 16) / 16 : 0);
        request.Stop = request.FileInfo.LastTime + 1.0 / 1440 - (std::isfinite(span) ? span * (period / 16) / 16 : 0);
    }
    // The picker keeps every harmonic offered, or those its bits tick among the first eight.
    const auto pick = [&](const THarmonicOffer& offer) -> std::optional<std::vector<std::uint16_t>> {
        FUZZ_CHECK(offer.Phases == 1 || offer.Phases == 3);
        if (picked == 0) return offer.Available;
        std::vector<std::uint16_t> chosen;
        for (std::size_t i = 0; i < offer.Available.size() && i < 8; ++i)
            if (picked >> i & 1) chosen.push_back(offer.Available[i]);
        return chosen;
    };

    TF1Book book;
    TValuesSheetJob job(book, request, pick);
    std::int64_t steps = 0;
    int progress = 0;
    while (job.Step()) {
        FUZZ_CHECK(++steps < 4 * (records + kWaveformSheetRows));
        FUZZ_CHECK(job.Progress().done >= progress && job.Progress().done <= 100);
        progress = job.Progress().done;
    }
    FUZZ_CHECK(job.Finished());
    if (!job.Completed()) {
        FUZZ_CHECK(run.messages.messages.size() > refusals);
        return 0;
    }
    FUZZ_CHECK(job.RowsWritten() > 0 && job.ValueColumns() > 0);
    FUZZ_CHECK(kValuesDateColumn + job.ValueColumns() <= kExcelMaxCols);
    if (kind == MeasureSamples) {
        FUZZ_CHECK(book.NumSheets() == WaveformSheetCount(job.RowsWritten()));
    } else {
        FUZZ_CHECK(job.RowsWritten() <= std::min<std::int64_t>(records, kExportRecordLimit));
        FUZZ_CHECK(job.ValueColumns() <= static_cast<int>(request.FileInfo.RecordSize));
    }
    CheckCells(book);
    return 0;
}
