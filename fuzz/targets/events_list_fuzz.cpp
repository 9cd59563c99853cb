// Fuzz target: the events list over a survey's events file (.ale) and samples file (.tme): the
// gate that accepts the events file, the period's search, the rows of the events the list's
// filter lets through with their texts, colours and bold dates, the capture each row's date leads
// to, the list's second fill after a new filter, and the period's system events. The first eight
// bytes choose the filter and the period; then come the events file (a part) and the samples file
// (the rest; no samples file when it is empty).
// Must hold: the rows are at most the period's records and the list's limit, and no cell shows a
// C library's text for a value that is no number; a row's capture is a record of the samples file
// taken at the row's time; a fill says each kind of fault once; the list, once closed, leaves the
// program folder as it found it (its time index deleted).
#include <cmath>

#include "fuzz/fuzz_support.h"
#include "platform/repeated_message_filter.h"
#include "survey/measure_file_info.h"
#include "survey/samples_file.h"
#include "views/events_list.h"
#include "views/system_events.h"

namespace {
// The filter's flags from four bytes, its limits from a fifth: those the dialog's edits can give.
TEventFilter FilterOf(fuzz::InputParts& parts)
{
    TEventFilter f;
    const std::uint8_t classes = parts.Byte(), flags = parts.Byte();
    for (int c = 0; c < kEventClassCount; ++c) f.Classes[static_cast<std::size_t>(c)] = classes >> c & 1;
    for (int p = 0; p < kEventFilterPhases; ++p) f.Phases[static_cast<std::size_t>(p)] = flags >> p & 1;
    f.ValueMode = flags >> 3 & 1;
    f.DurationMode = flags >> 4 & 1;
    const std::uint32_t types = parts.Byte() | parts.Byte() << 8 | parts.Byte() << 16 | std::uint32_t(flags >> 5) << 24;
    for (int t = 0; t < kEventFilterTypes; ++t) f.Types[static_cast<std::size_t>(t)] = types >> t & 1;
    const std::uint8_t limits = parts.Byte();
    const float values[] = {-1000, 0, 0.5f, 230, -3.4e38f, 3.4e38f, 1e-7f, 9999};
    const float durations[] = {0, 0.1f, 1.5f, 60, 3.4e38f, -1, 1e-7f, 86400};
    f.ValueLimit = values[limits % 8];
    f.DurationLimit = durations[limits / 8 % 8];
    return f;
}

// Every cell of the list's sheet.
void CheckCells(const TF1Book& book)
{
    for (const auto& row : book.SheetAt(1).rows)
        for (const Cell& cell : row.second.cells) FUZZ_CHECK(!fuzz::ShowsNonNumber(book.DisplayText(cell)));
}

void CheckRows(const TEventsList& list, const TF1Book& book, std::uint64_t samplesSize)
{
    FUZZ_CHECK(list.RowsWritten() <= std::min<std::int64_t>(list.PeriodCount(), kEventsListLimit));
    FUZZ_CHECK(!list.Incomplete() || list.RowsWritten() < list.PeriodCount() || list.PeriodCount() == 0);
    CheckCells(book);
    for (int row = kEventsFirstRow - 1; row <= list.LastRow() + 1; ++row) {
        const auto choice = list.WaveformOfRow(book, row);
        if (!choice) continue;
        FUZZ_CHECK(list.HasSamples() && row >= kEventsFirstRow && row <= list.LastRow());
        FUZZ_CHECK(choice->Offset >= kSamplesFileHeaderSize && choice->Offset < samplesSize);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Run run;
    fuzz::InputParts parts({data, size});
    const TEventFilter filter = FilterOf(parts);
    const std::uint8_t period = parts.Byte(), refill = parts.Byte();
    const auto events = parts.Part();
    const auto samples = parts.Rest();

    TSurveySelection selection;
    selection.Name = "fuzz.orv";
    const std::string eventsPath = fuzz::WriteInput(run.Path("survey.ale"), events);
    TMeasureFileInfo& info = selection.File(MeasureEvents);
    if (!ReadMeasureFileInfo(eventsPath, MeasureEvents, info)) return 0;
    info.Selected = true;
    if (!samples.empty()) selection.File(MeasureSamples).FileName = fuzz::WriteInput(run.Path("survey.tme"), samples);
    // The whole file, or a share of it cut at each end by sixteenths.
    const double span = info.LastTime - info.FirstTime;
    selection.Start = info.FirstTime + (std::isfinite(span) ? span * (period % 16) / 16 : 0);
    selection.Stop = info.LastTime + 1.0 / 1440 - (std::isfinite(span) ? span * (period / 16) / 16 : 0);

    const fuzz::FolderSnapshot before = fuzz::Snapshot(run.Folder());
    {
        TF1Book book;
        std::optional<TEventsList> list;
        {
            // The window's opening and first fill.
            TRepeatedMessageFilter oneMessage;
            list.emplace(selection);
            FUZZ_CHECK(list->PeriodCount() <= list->TotalRecords());
            FUZZ_CHECK(list->FirstTime().has_value() <= (list->PeriodCount() > 0));
            list->SetupGrid(book);
            std::int64_t lastDone = 0;
            list->Fill(book, filter, [&](std::int64_t done, std::int64_t total) {
                FUZZ_CHECK(total == list->PeriodCount() && done >= lastDone && done <= total);
                lastDone = done;
            });
            list->Format(book);
        }
        CheckRows(*list, book, samples.size());

        // A new filter: the rows are cleared and written again, each fault said once.
        const std::size_t shown = run.messages.messages.size();
        list->ClearRows(book);
        TEventFilter other = filter;
        other.Classes[refill % kEventClassCount] = !other.Classes[refill % kEventClassCount];
        other.Types[refill % kEventFilterTypes] = !other.Types[refill % kEventFilterTypes];
        list->Fill(book, other);
        list->Format(book);
        for (std::size_t i = shown; i < run.messages.messages.size(); ++i)
            for (std::size_t j = i + 1; j < run.messages.messages.size(); ++j)
                FUZZ_CHECK(run.messages.messages[i].text != run.messages.messages[j].text);
        CheckRows(*list, book, samples.size());
        for (int col = kEventsDateColumn; col <= kEventsLastColumn; ++col) FUZZ_CHECK(book.CellText(list->LastRow() + 1, col).empty());

        const TSystemEventList system = ReadSystemEvents(info, selection.Start, selection.Stop);
        FUZZ_CHECK(system.Rows.size() <= static_cast<std::size_t>(system.RecordsRead));
        FUZZ_CHECK(system.RecordsRead <= std::min<std::int64_t>(list->PeriodCount(), kSystemEventsReadLimit));
        for (const TSystemEventRow& row : system.Rows) FUZZ_CHECK(!fuzz::ShowsNonNumber(row.Parameters));
    }
    FUZZ_CHECK(fuzz::Snapshot(run.Folder()) == before);
    return 0;
}
