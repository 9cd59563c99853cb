// The waveform values sheet: the waveform record on screen as a book, an information block in
// rows 2 to 10 of sheet 1, a title row ("Date", then one title per trace: row 11 on sheet 1,
// row 2 on the others) and one row per sample (the time in milliseconds from the trigger, then
// each trace's value), 16000 sample rows a sheet. The values sheet's job (values_sheet.h) runs
// it for the samples measure; the record's channels are read through the channel-set tables.
#pragma once

#include "export/measure_rows.h"
#include "sheet/sheet_book.h"
#include "survey/samples_record.h"
#include "survey/trace_records.h"

#include <cstdint>
#include <string>
#include <vector>

constexpr int kWaveformSheetRows = 16000;
constexpr int kWaveformFirstTitleRow = 11;  // sheet 1; the later sheets' title row is 2

// The traces that show a record channel, in trace order: the channel's title and number. Two
// traces on one channel give two columns.
struct TWaveformColumns {
    std::vector<std::string> Titles;
    std::vector<int> Channels;
};
TWaveformColumns WaveformTraceColumns(const TSamplesRecord& record, const TTraceSettings& traces);

// Sheets a record of `samples` samples per channel takes: one more than its whole sheets, so a
// record of exactly 16000 has a second sheet holding its title row only.
int WaveformSheetCount(int samples);
// Sheet and row of sample k.
int WaveformSampleSheet(int k);
int WaveformSampleRow(int k);
// The last row written on `sheet` (its title row when it holds no sample).
int WaveformLastRow(int sheet, int samples);

// Makes the book's sheets with their names, the information block ("Current Event: " as
// "<event> of <records>", the samples per channel, the file, the record's time, the pre- and
// post-trigger times and the time range) and every sheet's title row.
void StartWaveformBook(TF1Book& book, const TSamplesRecord& record, const std::string& samplesPath, int eventNumber,
                       std::uint32_t periodRecords, const std::vector<std::string>& titles);
// Fonts, borders, alignment and fitted columns of every sheet once the samples are in.
void FormatWaveformBook(TF1Book& book, int samples, int valueColumns);

// The sample rows, trace after trace, a share of one trace's samples per step; each time is
// computed from the sample's index, never accumulated.
class TWaveformRows : public TMeasureRows {
public:
    TWaveformRows(TSamplesRecord record, TWaveformColumns columns);
    const std::vector<std::string>& Titles() const override { return columns_.Titles; }
    RowsStep Step(TF1Book& book, TRowCounters& counters) override;
    // Values of every trace: the progress bar's whole.
    std::int64_t TotalValues() const;

private:
    TSamplesRecord record_;
    TWaveformColumns columns_;
    std::size_t trace_ = 0;  // column being written
    int next_ = 0;           // its next sample
    std::vector<double> values_;  // that trace's values
};
