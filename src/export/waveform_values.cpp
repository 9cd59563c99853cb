// The waveform values sheet's book: information block, titles, sample rows and formatting.
#include "export/waveform_values.h"

#include "export/export_sheet.h"
#include "survey/channel_sets.h"
#include "survey/event_texts.h"
#include "survey/number_text.h"
#include "survey/text_tables.h"

#include <algorithm>

namespace {
constexpr int kLabelColumn = 2, kValueColumn = 4, kTimeColumn = 2;
constexpr int kLaterTitleRow = 2;
// Samples of one trace per step: a step stays well inside a tick's share of time.
constexpr int kSamplesPerStep = 2000;

int TitleRow(int sheet) { return sheet == 1 ? kWaveformFirstTitleRow : kLaterTitleRow; }

std::string SheetName(int sheet, int sheets)
{
    const std::string name(MeasureName(MeasureSamples));
    if (sheets == 1) return name;
    return name + " (" + std::to_string(sheet) + "-" + std::to_string(sheets) + ")";
}
}  // namespace

TWaveformColumns WaveformTraceColumns(const TSamplesRecord& record, const TTraceSettings& traces)
{
    TWaveformColumns columns;
    const std::uint8_t set = record.Head.ChannelSet;
    const int aux = AuxTraceItem(set);
    for (const TTraceEntry& e : traces.Entries) {
        if (e.Item == 0) continue;
        // The auxiliary channel has no phase: whatever phase its trace carries, it shows it.
        const TChannelTrace trace{e.Item, aux != 0 && e.Item >= aux ? 0 : e.Phase};
        if (const auto channel = ChannelOfTrace(set, trace)) {
            columns.Titles.push_back(ChannelTitle(record.Key(), *channel));
            columns.Channels.push_back(*channel);
        }
    }
    return columns;
}

int WaveformSheetCount(int samples) { return samples / kWaveformSheetRows + 1; }
int WaveformSampleSheet(int k) { return k / kWaveformSheetRows + 1; }
int WaveformSampleRow(int k) { return TitleRow(WaveformSampleSheet(k)) + 1 + k % kWaveformSheetRows; }

int WaveformLastRow(int sheet, int samples)
{
    const int onSheet = std::clamp(samples - (sheet - 1) * kWaveformSheetRows, 0, kWaveformSheetRows);
    return TitleRow(sheet) + onSheet;
}

void StartWaveformBook(TF1Book& book, const TSamplesRecord& record, const std::string& samplesPath, int eventNumber,
                       std::uint32_t periodRecords, const std::vector<std::string>& titles)
{
    const TSamplesRecordHead& head = record.Head;
    const int sheets = WaveformSheetCount(head.SamplesPerChannel);
    book.SetNumSheets(sheets);
    for (int s = 1; s <= sheets; ++s) {
        book.SetSheet(s);
        book.SetSheetName(s, SheetName(s, sheets));
        book.SetColumnWidth(1, 400);
        const int row = TitleRow(s);
        book.SetCellText(row, kTimeColumn, "Date");
        int col = kTimeColumn;
        for (const std::string& title : titles) book.SetCellText(row, ++col, title);
    }
    book.SetSheet(1);
    const int pre = head.PreTrigger * 10, post = head.PostTrigger * 10;
    const auto time = SamplesRecordTime(head, false);
    const std::pair<const char*, std::string> block[] = {
        {"Current Event: ", std::to_string(eventNumber) + " of " + std::to_string(periodRecords)},
        {"Values number:", std::to_string(head.SamplesPerChannel)},
        {"Exported File:", samplesPath},
        {"Event date:", time ? EventDateText(*time) : ""},
        {"Pre-trigger time:", std::to_string(pre) + " ms"},
        {"Post-trigger time:", std::to_string(post) + " ms"},
    };
    book.SetCellEntry(2, kLabelColumn, std::string(kExportProductLine));
    for (int i = 0; i < 6; ++i) {
        book.SetCellEntry(3 + i, kLabelColumn, block[i].first);
        book.SetCellEntry(3 + i, kValueColumn, block[i].second);
    }
    book.SetCellEntry(10, kLabelColumn, "from " + FormatFixed(-pre, 2) + " to " +
                                            FormatFixed(post - SampleIntervalMs(head), 2) + " ms");
}

void FormatWaveformBook(TF1Book& book, int samples, int valueColumns)
{
    const int lastCol = kTimeColumn + valueColumns;
    book.SetSheet(1);
    book.SetSelection(2, kTimeColumn, 2, lastCol);
    book.SetFont("Arial", 10, true);
    book.SetSelection(2, kTimeColumn, 10, lastCol);
    book.SetAlignment(2, false, 2, 0);
    book.SetSelection(10, kTimeColumn, 10, lastCol);
    book.SetFont("Arial", 9, false);
    for (int s = 1; s <= book.NumSheets(); ++s) {
        book.SetSheet(s);
        const int title = TitleRow(s);
        book.SetSelection(title, kTimeColumn, title, lastCol);
        if (s == 1) book.SetBorder(2, 10, 11, 10, 10);
        else book.SetBorder(2, 1, 11, 1, 1);
        book.SetFont("Arial", 10, true);
        book.SetAlignment(3, false, 2, 0);
        const int last = WaveformLastRow(s, samples);
        if (last > title) {
            book.SetSelection(title + 1, kTimeColumn, last, lastCol);
            book.SetBorder(2, 1, 1, 1, 1);
        }
        // Sheet 1 is fitted from the information block's last rows on, so its long labels above
        // do not widen the columns.
        if (s == 1) book.AutoFitColumns(9, kTimeColumn, last, lastCol + 1, false);
        else book.AutoFitColumns(-1, kTimeColumn, -1, lastCol + 1, false);
        book.SetRow(1);
        book.SetCol(1);
    }
    book.SetMaxCol(lastCol + 11);
    book.SetSheet(1);
}

TWaveformRows::TWaveformRows(TSamplesRecord record, TWaveformColumns columns)
    : record_(std::move(record)), columns_(std::move(columns))
{
}

std::int64_t TWaveformRows::TotalValues() const
{
    return static_cast<std::int64_t>(columns_.Channels.size()) * record_.Head.SamplesPerChannel;
}

RowsStep TWaveformRows::Step(TF1Book& book, TRowCounters& counters)
{
    if (trace_ >= columns_.Channels.size()) return RowsStep::End;
    if (next_ == 0) {
        values_ = record_.ChannelValues(columns_.Channels[trace_]);
        if (values_.size() != record_.Head.SamplesPerChannel) return RowsStep::ReadFailed;
    }
    const int samples = record_.Head.SamplesPerChannel;
    const int col = kTimeColumn + 1 + static_cast<int>(trace_);
    const int end = std::min(samples, next_ + kSamplesPerStep);
    for (int k = next_; k < end; ++k) {
        const int sheet = WaveformSampleSheet(k);
        if (sheet != book.Sheet()) book.SetSheet(sheet);
        const int row = WaveformSampleRow(k);
        if (trace_ == 0) book.SetCellFixed(row, kTimeColumn, SampleTimeMs(record_.Head, k), 2);
        book.SetCellFixed(row, col, values_[static_cast<std::size_t>(k)], 2);
    }
    counters.RecordsDone += end - next_;
    if (trace_ == 0) counters.RowsWritten = end;
    next_ = end;
    if (next_ == samples) {
        ++trace_;
        next_ = 0;
    }
    return trace_ < columns_.Channels.size() ? RowsStep::More : RowsStep::End;
}
