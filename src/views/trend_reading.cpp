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

TWindowValues ReadTraceWindow(TDataFile& F, const TRecordWindow& window, const TTrendMember& member,
                              const TTrendLayout& layout, TTraceSettings& traces, const TIntervalTimes* interval)
{
    TWindowValues result;
    const TRecordWindow w = OrderedWindow(window);
    const std::int64_t first = F.RecordIndex(w.FirstPos);
    const std::int64_t last = F.RecordIndex(w.LastPos);
    if (first < 0 || last < 0) {
        result.Complete = false;
        return result;
    }
    // Every chosen trace's columns in one list, each trace remembering its plotted column.
    std::vector<TRecordColumn> columns;
    std::array<std::size_t, kTraceCount> plotted{};
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        if (traces.Entries[k].Item <= 0) continue;
        const TTraceRead read = member.ReadTrace(layout, traces.Entries[k]);
        plotted[k] = columns.size() + read.Plotted;
        columns.insert(columns.end(), read.Columns.begin(), read.Columns.end());
    }
    result.FirstIndex = first;
    const bool timesKnown = interval && first >= interval->FirstIndex &&
                            last < interval->FirstIndex + static_cast<std::int64_t>(interval->Times.Size());
    TRecordWindowData data;
    if (!timesKnown) data = ReadRecordWindow(F, first, last, columns);
    else if (!columns.empty()) data = ReadRecordColumns(F, first, last, columns);
    else data.Read = static_cast<std::size_t>(last - first + 1);  // nothing to read
    result.Complete = data.Complete;
    if (timesKnown) {
        const auto from = static_cast<std::size_t>(first - interval->FirstIndex);
        result.Times = interval->Times.Slice(from, data.Count());
        const auto joins = std::span(interval->Joined).subspan(from, data.Count());
        result.Joined.assign(joins.begin(), joins.end());
        if (!result.Joined.empty()) result.Joined[0] = 0;  // the window's first point never joins
    } else {
        result.Times = TSharedXs(std::move(data.Times));
        result.Joined = JoinFlags(result.Times.Values(), DescribePeriod(member.PeriodUnit, layout.Period).GapSeconds);
    }
    if (result.Times.Size() == 0) return result;
    traces.RecordTime = result.Times.Values().back();
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        if (traces.Entries[k].Item <= 0) continue;
        std::vector<double>& values = result.Values[k];
        values = std::move(data.Columns[plotted[k]]);
        traces.Entries[k].Value = static_cast<float>(values.back());
        result.Highest[k] = data.Highest[plotted[k]];
    }
    return result;
}

std::vector<std::uint8_t> JoinFlags(std::span<const TDateTime> times, std::int64_t periodSeconds)
{
    std::vector<std::uint8_t> joined(times.size(), 0);
    for (std::size_t i = 1; i < times.size(); ++i) joined[i] = JoinsPrevious(times[i - 1], times[i], periodSeconds) ? 1 : 0;
    return joined;
}
