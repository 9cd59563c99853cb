// The events list filled for 16000 voltage events of a period against a samples file of 5000
// captures (every third event captured, six channels of 256 samples each), without pacing: the
// period opened, the samples time index built and held, the sheet set up, filled with the
// bold dates of the captured events, and formatted. Weighed in the same run against a plain read
// of the events file and the samples time index (the index file's bytes), and against a plain
// read of the events file and the whole samples file the index is built from. The closing note
// gives the medians of five plain runs in processor time, and the list's own part without the
// sheet (the period, the index and the look-up of every event's capture).
#include "bench_timing.h"
#include "fixtures/data_fixture.h"
#include "fixtures/samples_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"
#include "survey/measure_file_info.h"
#include "survey/samples_index.h"
#include "views/events_list.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <vector>

namespace {
constexpr int kEvents = 16000;
constexpr int kCaptureEvery = 3;
constexpr int kCaptures = 5000;

struct EventsSurvey {
    TempProgDir dir;
    ScriptedMessages messages;
    TSurveySelection selection;
    std::string indexCopy;
    std::vector<TDateTime> eventTimes;
    int rowsWritten = 0;
    int matched = 0;

    EventsSurvey()
    {
        const double start = FixtureTime(2024, 3, 15, 0, 0);
        // Voltage events every 7.31 s (hundredths in every stamp): over, under, interruption on L1 to L3.
        auto time = [&](int i) { return start + i * 7.31 * kOneSecond; };
        std::vector<Bytes> events;
        std::vector<SamplesRecordFields> captures;
        for (int i = 0; i < kEvents; ++i) {
            const FixtureStamp stamp = StampOf(time(i));
            FixtureStamp exact = stamp;
            exact.hundredths = (i * 31) % 100;
            EventRecordFields e{.type = static_cast<std::int16_t>(i % 3 == 2 ? 7 : 1 + i % 2), .threshold = 253, .time = exact,
                                .duration = 10 + i % 500, .peak = 260.5f, .channel = static_cast<std::int16_t>(i % 3)};
            events.push_back(EventRecord(e));
            eventTimes.push_back(FixtureTime(exact.year, exact.month, exact.day, exact.hour, exact.minute, exact.second,
                                             exact.hundredths));
            if (i % kCaptureEvery == 0 && static_cast<int>(captures.size()) < kCaptures) {
                SamplesRecordFields r{.time = exact, .channelSet = 0, .samplesPerChannel = 256};
                r.samples.assign(6, std::vector<std::int32_t>(256, 1000));
                captures.push_back(std::move(r));
            }
        }
        ReadMeasureFileInfo(WriteDataFile(dir / "bench.ale", events), MeasureEvents, selection.File(MeasureEvents));
        ReadMeasureFileInfo(WriteSamplesFile(dir / "bench.tme", 12, captures), MeasureSamples, selection.File(MeasureSamples));
        selection.Start = start;
        selection.Stop = start + 2;
        indexCopy = dir / "index.off";
        WriteFileAtomic(indexCopy, *BuildSamplesIndexEntries(selection.File(MeasureSamples).FileName));
        Fill();
    }

    void Fill()
    {
        TEventsList list(selection);
        TF1Book book;
        list.SetupGrid(book);
        list.Fill(book, TEventFilter{});
        list.Format(book);
        rowsWritten = list.RowsWritten();
        benchmark::DoNotOptimize(book.LastRow());
    }

    // The list's own part of the fill without the sheet: the period opened, the index built and
    // held, and every event's capture looked up.
    void OpenAndMatch()
    {
        TEventsList list(selection);
        matched = 0;
        for (TDateTime t : eventTimes) matched += list.FindWaveformAt(1, t).has_value();
    }
};

EventsSurvey& Shared()
{
    static EventsSurvey survey;
    return survey;
}

std::size_t ReadFiles(std::initializer_list<std::string> paths)
{
    static std::vector<char> buffer(1 << 20);
    std::size_t total = 0;
    for (const std::string& path : paths) total += ReadWholeFile(path, buffer);
    return total;
}

void ReadEventsAndIndex()
{
    benchmark::DoNotOptimize(ReadFiles({Shared().selection.File(MeasureEvents).FileName, Shared().indexCopy}));
}

void ReadEventsAndSamples()
{
    benchmark::DoNotOptimize(
        ReadFiles({Shared().selection.File(MeasureEvents).FileName, Shared().selection.File(MeasureSamples).FileName}));
}

void FillList() { Shared().Fill(); }
void OpenAndMatch() { Shared().OpenAndMatch(); }

// The median of five runs of `repeats` calls each, in processor seconds per call, with the
// spread (largest less smallest) of the five.
struct Median {
    double seconds, spread;
};
Median MedianOfFive(void (*work)(), int repeats)
{
    std::vector<double> seconds;
    for (int i = 0; i < 5; ++i) {
        const double started = ProcessorSeconds();
        for (int k = 0; k < repeats; ++k) work();
        seconds.push_back((ProcessorSeconds() - started) / repeats);
    }
    std::sort(seconds.begin(), seconds.end());
    return {seconds[2], seconds[4] - seconds[0]};
}
}  // namespace

static void BM_FillEventsList16000EventsAgainst5000Captures(benchmark::State& state)
{
    EventsSurvey& survey = Shared();
    for (auto _ : state) survey.Fill();
    state.counters["rows"] = survey.rowsWritten;
}
BENCHMARK(BM_FillEventsList16000EventsAgainst5000Captures)->Unit(benchmark::kMillisecond);

static void BM_OpenPeriodAndMatch16000EventsWithoutTheSheet(benchmark::State& state)
{
    EventsSurvey& survey = Shared();
    for (auto _ : state) survey.OpenAndMatch();
    state.counters["matched"] = survey.matched;
}
BENCHMARK(BM_OpenPeriodAndMatch16000EventsWithoutTheSheet)->Unit(benchmark::kMillisecond);

static void BM_PlainReadOfEventsAndIndex(benchmark::State& state)
{
    for (auto _ : state) ReadEventsAndIndex();
}
BENCHMARK(BM_PlainReadOfEventsAndIndex)->Unit(benchmark::kMillisecond);

static void BM_PlainReadOfEventsAndSamplesFile(benchmark::State& state)
{
    for (auto _ : state) ReadEventsAndSamples();
}
BENCHMARK(BM_PlainReadOfEventsAndSamplesFile)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    Shared();  // the files written before any run is timed
    const Median fill = MedianOfFive(FillList, 1);
    const Median match = MedianOfFive(OpenAndMatch, 5);
    const Median index = MedianOfFive(ReadEventsAndIndex, 200);
    const Median samples = MedianOfFive(ReadEventsAndSamples, 20);
    std::printf("Closing note (processor time, medians of five runs, spread in brackets): fill of %d rows %.2f ms "
                "(%.2f); plain read of the events file and the time index %.3f ms (%.3f), ratio %.0f; of the events "
                "file and the samples file %.3f ms (%.3f), ratio %.1f; aim 5\n",
                Shared().rowsWritten, fill.seconds * 1e3, fill.spread * 1e3, index.seconds * 1e3, index.spread * 1e3,
                fill.seconds / index.seconds, samples.seconds * 1e3, samples.spread * 1e3, fill.seconds / samples.seconds);
    std::printf("Without the sheet: the period opened, the index built and %d of 16000 events matched %.3f ms (%.3f), "
                "ratio %.1f to the events file and the samples file\n",
                Shared().matched, match.seconds * 1e3, match.spread * 1e3, match.seconds / samples.seconds);
    benchmark::Shutdown();
    return 0;
}
