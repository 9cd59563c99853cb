// Reading a trend view's data file.
#include "views/trend_reading.h"

#include "platform/messages.h"
#include "survey/data_layout.h"
#include "survey/measure_file_info.h"
#include "survey/record_search.h"
#include "survey/record_window_reader.h"
#include "survey/text_tables.h"

namespace {
// The time of the record at a byte position; its stamp's message shown when it does not decode.
std::optional<TDateTime> RecordTimeAt(TDataFile& F, std::uint64_t position)
{
    const std::int64_t index = F.RecordIndex(position);
    if (index < 0) return std::nullopt;
    const TRecordWindowData data = ReadRecordWindow(F, index, index, {});
    if (!data.Complete || data.Times.empty()) return std::nullopt;
    return data.Times.front();
}
}  // namespace

bool OpenTrendDataFile(TDataFile& F, const TMeasureFileInfo& info, int measure)
{
    if (F.Open(info.FileName, measure) == DataFileFault::None) return true;
    ShowError(SurveyCorruptedMessage(measure));
    return false;
}

bool ReopenTrendDataFile(TDataFile& F, const TMeasureFileInfo& info, int measure)
{
    const DataFileFault fault = F.Reopen(info.FileName, measure);
    if (fault == DataFileFault::None || fault == DataFileFault::BeyondFile) return true;
    ShowError(SurveyCorruptedMessage(measure));
    return false;
}

TTrendOpening OpenTrendHead(const TMeasureFileInfo& info, const TTrendMember& member, TDateTime start, TDateTime stop)
{
    TTrendOpening result;
    TDataFile F;
    if (!OpenTrendDataFile(F, info, member.Measure)) {
        result.Fault = TrendOpenFault::FileRefused;
        return result;
    }
    TTrendHead& head = result.Head;
    Bytes first;
    std::optional<TTrendLayout> layout;
    if (F.ReadAt(kDataFileHeaderSize, F.RecordSize(), first)) layout = member.ReadLayout(member, FieldView(first));
    if (!layout) {
        ShowError(SurveyCorruptedMessage(member.Measure));
        result.Fault = TrendOpenFault::FileRefused;
        return result;
    }
    head.Layout = std::move(*layout);

    auto range = FindRecordsInInterval(F, info, start, stop);
    if (!range) {
        ShowMessage("No record found.", MsgType::Warning, MbOk);
        result.Fault = TrendOpenFault::EmptyInterval;
        return result;
    }
    head.FullWindow.FirstPos = static_cast<std::uint32_t>(range->First);
    head.FullWindow.LastPos = static_cast<std::uint32_t>(range->Last);
    head.PeriodRecords = PeriodRecordCount(head.FullWindow, F.RecordSize());
    const std::optional<TDateTime> firstTime = RecordTimeAt(F, head.FullWindow.FirstPos);
    const std::optional<TDateTime> lastTime = firstTime ? RecordTimeAt(F, head.FullWindow.LastPos) : std::nullopt;
    if (!lastTime) {
        result.Fault = TrendOpenFault::RecordUnreadable;
        return result;
    }
    head.FullWindow.FirstTime = *firstTime;
    head.FullWindow.LastTime = *lastTime;
    return result;
}

namespace {
// The array of a trace's values for a window of `count` records: the one kept from the last
// plot when the graph holds it no longer (its memory reused, nothing zeroed), else a new one.
float* ValuesRoom(std::shared_ptr<TUnsetArray<float>>& kept, std::size_t count)
{
    if (!kept || kept.use_count() > 1) kept = std::make_shared<TUnsetArray<float>>();
    kept->resize(count);
    return kept->data();
}
}  // namespace

TWindowValues ReadTraceWindow(TDataFile& F, const TRecordWindow& window, const TTrendMember& member,
                              const TTrendLayout& layout, TTraceSettings& traces, TKeptPlot& kept)
{
    TWindowValues result;
    const TRecordWindow w = OrderedWindow(window);
    const std::int64_t first = F.RecordIndex(w.FirstPos);
    const std::int64_t last = F.RecordIndex(w.LastPos);
    if (first < 0 || last < 0) {
        result.Complete = false;
        return result;
    }
    const auto count = static_cast<std::size_t>(last - first + 1);
    // Every chosen trace's columns in one list, each trace's plotted column kept in its array
    // and the other columns of a pair only checked against the record.
    std::vector<TRecordColumn> columns;
    std::vector<float*> values;
    std::array<std::size_t, kTraceCount> plotted{};
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        if (traces.Entries[k].Item <= 0) {
            kept.Values[k].reset();  // a trace no longer shown keeps no memory
            continue;
        }
        const TTraceRead read = member.ReadTrace(layout, traces.Entries[k]);
        plotted[k] = columns.size() + read.Plotted;
        columns.insert(columns.end(), read.Columns.begin(), read.Columns.end());
        values.resize(columns.size(), nullptr);
        values[plotted[k]] = ValuesRoom(kept.Values[k], count);
    }
    std::vector<double> highest(columns.size());
    result.FirstIndex = first;
    const TIntervalTimes& interval = kept.Interval;
    const bool timesKnown = interval.Times.Size() > 0 && first >= interval.FirstIndex &&
                            last < interval.FirstIndex + static_cast<std::int64_t>(interval.Times.Size());
    TWindowRead read;
    if (timesKnown) {
        if (!columns.empty()) read = ReadRecordWindowInto(F, first, last, columns, nullptr, nullptr, values, highest);
        else read.Read = count;  // nothing to read
        result.Times = interval.Times.Slice(static_cast<std::size_t>(first - interval.FirstIndex), read.Count());
    } else {
        TUnsetArray<TDateTime> times(count);
        TTimeSteps steps;
        steps.PeriodSeconds = DescribePeriod(member.PeriodUnit, layout.Period).GapSeconds;
        read = ReadRecordWindowInto(F, first, last, columns, times.data(), &steps, values, highest);
        times.resize(read.Count());
        result.Times = TSharedXs(std::move(times), std::move(steps.Gaps), steps.Ascending);
        if (interval.Times.Size() == 0) kept.Interval = {result.Times, first};
    }
    result.Complete = read.Complete;
    result.ShortFile = read.ShortFile;
    if (read.ShortFile && !kept.ShortFileTold) {
        ShowError(SurveyShortMessage(member.Measure));
        kept.ShortFileTold = true;
    }
    if (result.Times.Size() == 0) return result;
    traces.RecordTime = result.Times.Values().back();
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        if (traces.Entries[k].Item <= 0) continue;
        TUnsetArray<float>& array = *kept.Values[k];
        array.resize(read.Count());
        result.Values[k] = TSharedYs(std::shared_ptr<const float>(kept.Values[k], array.data()), array.size());
        traces.Entries[k].Value = array.back();
        result.Highest[k] = highest[plotted[k]];
    }
    return result;
}
