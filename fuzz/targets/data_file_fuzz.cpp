// Fuzz target: the survey data files of every fixed-record measure, through the one gate that
// accepts them (ReadMeasureFileInfo), the interval search, the one record-window reader and the
// trend views' layouts and trace reading. The first byte chooses the measure, the next six the
// traces a view is asked for (among those its layout offers); the rest is the file.
// Must hold: a file the gate accepts opens, its header fits the file, and every array read from
// it holds one entry per record read, no more records than asked, all of them when complete.
#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "survey/data_file.h"
#include "survey/measure_file_info.h"
#include "survey/record_search.h"
#include "survey/record_window_reader.h"
#include "views/harmonic_layout.h"
#include "views/trace_settings.h"
#include "views/trend_columns.h"
#include "views/trend_member.h"
#include "views/trend_reading.h"

namespace {
constexpr std::array<int, 9> kMeasures = {1, 2, 3, 4, 5, 6, 7, 9, 10};

void CheckWindow(const TRecordWindowData& data, std::size_t columns, std::int64_t asked)
{
    FUZZ_CHECK(data.Times.size() == data.Read || data.Times.empty());
    FUZZ_CHECK(data.Columns.size() == columns || (!data.Complete && data.Read == 0));
    for (const auto& column : data.Columns) FUZZ_CHECK(column.size() == data.Read);
    FUZZ_CHECK(static_cast<std::int64_t>(data.Read) <= asked);
    FUZZ_CHECK(!data.Complete || static_cast<std::int64_t>(data.Read) == asked);
}

// Every record through the record-window reader, a 32-bit column for each word of the record
// (at most 16), times and columns alone.
void ReadEveryRecord(TDataFile& F)
{
    std::vector<TRecordColumn> columns;
    for (std::uint32_t at = 0; at + 4 <= F.RecordSize() && columns.size() < 16; at += 4)
        columns.push_back({at, columns.size() % 2 ? ColumnType::U32 : ColumnType::F32, 1.0f});
    const std::int64_t count = F.RecordCount();
    const TRecordWindowData all = ReadRecordWindow(F, 0, count - 1, columns, false);
    CheckWindow(all, columns.size(), count);
    FUZZ_CHECK(all.Times.size() == all.Read);
    for (std::size_t i = 1; i < all.Times.size(); ++i) FUZZ_CHECK(std::isfinite(all.Times[i]));
    // The columns alone into arrays of the caller's, as a view re-plots: the same values.
    const std::size_t room = static_cast<std::size_t>(std::max<std::int64_t>(count, 0));
    std::vector<std::vector<float>> kept(columns.size(), std::vector<float>(room));
    std::vector<float*> into;
    for (auto& column : kept) into.push_back(column.data());
    std::vector<double> highest(columns.size());
    const TWindowRead alone = ReadRecordWindowInto(F, 0, count - 1, columns, nullptr, nullptr, into, highest, false);
    FUZZ_CHECK(static_cast<std::int64_t>(alone.Read) <= count);
    FUZZ_CHECK(!alone.Complete || static_cast<std::int64_t>(alone.Read) == count);
    if (all.Complete && alone.Complete)
        for (std::size_t c = 0; c < columns.size(); ++c)
            for (std::size_t i = 0; i < alone.Read; ++i)
                FUZZ_CHECK(std::isnan(all.Columns[c][i]) ? std::isnan(kept[c][i])
                                                          : static_cast<float>(all.Columns[c][i]) == kept[c][i]);
    // Windows outside the records read nothing.
    FUZZ_CHECK(ReadRecordWindow(F, count, count, columns, false).Read == 0);
    FUZZ_CHECK(ReadRecordWindow(F, 1, 0, columns, false).Read == 0);
}

// Six traces chosen over the layout: for each an item of the statistics it offers (0: none), a
// phase, and a harmonic block or a unit kind, at the offset the layout gives.
TTraceSettings ChooseTraces(const TTrendMember& member, const TTrendLayout& layout, fuzz::InputParts& parts)
{
    TTraceSettings traces = NewTraceSettings(member);
    const int phases = layout.ThreePhase ? 3 : 1;
    const bool currentHarmonics = member.ReadLayout == ReadCurrentHarmonicBlockLayout;
    for (TTraceEntry& e : traces.Entries) {
        const std::uint8_t choice = parts.Byte();
        e.Phase = choice / 16 % phases;
        if (!layout.Blocks.empty()) {
            e.Extra = choice % 8 % static_cast<int>(layout.Blocks.size());
            const int stats = static_cast<int>(layout.Blocks[static_cast<std::size_t>(e.Extra)].StatNames.size()) - 1;
            e.Item = stats > 0 ? choice / 48 % (stats + 1) : 0;
            if (e.Item > 0)
                e.Offset = currentHarmonics ? CurrentHarmonicValueOffset(layout, e.Extra, e.Item, e.Phase)
                                            : HarmonicValueOffset(layout, e.Extra, e.Item, e.Phase);
        } else {
            const int stats = layout.Columns.StatCount();
            e.Item = stats > 0 ? choice % (stats + 1) : 0;
            e.Extra = choice / 32 % 4;
            e.Offset = ColumnOffset(layout.Columns.Columns, stats, e.Phase, e.Item);
        }
    }
    return traces;
}

void ReadAsView(const TTrendMember& member, const TMeasureFileInfo& info, fuzz::InputParts& parts)
{
    const TTrendOpening opening = OpenTrendHead(info, member, info.FirstTime, info.LastTime + 1.0 / 1440);
    if (opening.Fault != TrendOpenFault::None) return;
    const TTrendHead& head = opening.Head;
    FUZZ_CHECK(head.Layout.Read());
    TTraceSettings traces = ChooseTraces(member, head.Layout, parts);
    TDataFile F;
    FUZZ_CHECK(OpenTrendDataFile(F, info, member.Measure));
    TKeptPlot kept;
    const TWindowValues values = ReadTraceWindow(F, head.FullWindow, member, head.Layout, traces, kept);
    FUZZ_CHECK(values.RecordsRead() <= head.PeriodRecords);
    FUZZ_CHECK(!values.Complete || values.RecordsRead() == head.PeriodRecords);
    for (std::size_t k = 0; k < traces.Entries.size(); ++k)
        FUZZ_CHECK(values.Values[k].Size() == (traces.Entries[k].Item > 0 ? values.RecordsRead() : 0));
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Run run;
    fuzz::InputParts parts({data, size});
    const int measure = kMeasures[parts.Byte() % kMeasures.size()];
    fuzz::InputParts traceChoice(parts.Rest().first(std::min<std::size_t>(6, parts.Rest().size())));
    for (int i = 0; i < 6; ++i) parts.Byte();
    const auto file = parts.Rest();
    const std::string path = fuzz::WriteInput(run.Path("survey.dat"), file);

    TMeasureFileInfo info;
    const bool accepted = ReadMeasureFileInfo(path, measure, info);
    TDataFile F;
    const DataFileFault fault = F.Open(path, measure);
    if (!accepted) {
        FUZZ_CHECK(!run.messages.messages.empty());
        return 0;
    }
    FUZZ_CHECK(fault == DataFileFault::None);
    FUZZ_CHECK(info.RecordCount > 0 && info.RecordSize > 0);
    FUZZ_CHECK(std::uint32_t(info.RecordCount) == F.RecordCount() && std::uint32_t(info.RecordSize) == F.RecordSize());
    FUZZ_CHECK(kDataFileHeaderSize + std::uint64_t(F.RecordCount()) * F.RecordSize() <= file.size());

    if (const auto range = FindRecordsInInterval(F, info, info.FirstTime, info.LastTime + 1.0 / 86400)) {
        FUZZ_CHECK(range->First <= range->Last);
        FUZZ_CHECK(F.RecordIndex(range->First) >= 0 && F.RecordIndex(range->Last) >= 0);
    }
    ReadEveryRecord(F);
    if (const TTrendMember* member = TrendMemberOf(measure)) ReadAsView(*member, info, traceChoice);
    return 0;
}
