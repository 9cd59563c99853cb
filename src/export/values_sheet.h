// The values sheet behind the Show Values command: the records of a view's period as one sheet,
// "Date" and the value titles in row 2 and one row per record from row 3 (date in column 2,
// every value the records hold from column 3), built by the exports' column builder and row
// filler; for the waveform view, the record on screen (waveform_values.h). A long job: each Step() is one unit of work (a state change or one record), so the
// window that shows it (export/show_values_form.h) stays usable and Abort works; tests call
// Step() directly. The period is the one handed over with the view's values block, never the
// program-wide selection.
#pragma once

#include "export/measure_rows.h"
#include "export/waveform_values.h"
#include "platform/long_job.h"
#include "sheet/sheet_book.h"
#include "survey/data_file.h"
#include "survey/records.h"
#include "survey/trace_records.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <vector>

// What the sheet is made from: the view's values block and its period.
struct TValuesSheetRequest {
    int Kind = 0;                   // measure 1 to 5, 7 to 10
    std::string SurveyName;         // the sheet's table name (&F of the printed header)
    TMeasureFileInfo FileInfo;      // the view's copy: its data file
    TDateTime Start = 0, Stop = 0;  // the view's period (Stop with its 59.999 s)
    // The waveform view's: its period's record count, the record shown (its number from 1 and
    // file offset) and the traces that choose its columns.
    std::uint32_t PeriodRecords = 0;
    std::int32_t EventNumber = 0, EventOffset = 0;
    TTraceSettings Traces;
};

// The harmonics a values sheet of voltage or current harmonics may show: the orders (current:
// indexes) of the first record's blocks in file order, and its phases (1 or 3).
struct THarmonicOffer {
    bool Current = false;
    std::vector<std::uint16_t> Available;
    int Phases = 1;
};
// The harmonics picker: the harmonics chosen, in column order; nothing when it was cancelled.
using HarmonicChooser = std::function<std::optional<std::vector<std::uint16_t>>(const THarmonicOffer&)>;

// The columns of a values sheet of measure `kind`: every value the first record holds (of the
// chosen harmonics), with the sheet's own date texts ("hh:mm:ss" for unbalance, "hh:mm" for
// powers) and per-phase energy titles ("Active Energy Received L1").
std::optional<TMeasureColumns> ValuesSheetColumns(int kind, std::span<const std::uint8_t> firstRecord,
                                                  std::vector<std::uint16_t> harmonics = {});

// The printed header (the sheet's name and table name, the view's start, stop and records lines)
// and footer (its description, site and operator lines cut to 40 characters, the product line,
// the page number).
std::string ValuesPrintHeader(const TInfoPrintVal& info);
std::string ValuesPrintFooter(const TInfoPrintVal& info);

// Sheet layout: the title row, the first data row and the date column.
constexpr int kValuesTitleRow = 2;
constexpr int kValuesFirstRow = 3;
constexpr int kValuesDateColumn = 2;
inline constexpr const char* kValuesNoRecordMessage = "No record found.";
inline constexpr const char* kValuesErrorMessage = "Error in export.";

enum class ValuesSheetState { BuildColumns = 1, InitGrid = 2, Rows = 3, Finish = 4, Failed = 60, Closed = 70 };

class TValuesSheetJob : public LongJob {
public:
    // Fills `book` (the window's grid); the picker is asked in the first step for harmonics.
    TValuesSheetJob(TF1Book& book, TValuesSheetRequest request, HarmonicChooser chooseHarmonics);
    ~TValuesSheetJob() override;

    bool Step() override;
    // Ends at once; the window closes without a message.
    void Abort() override;
    bool Finished() const override { return finished_; }
    // There is a sheet to show: every row written, or those before a record that failed.
    bool Completed() const override { return finished_ && sheetShown_; }
    std::string StatusText() const override { return "Converting data..."; }
    // Records of the period written, of those the sheet takes; never moves back.
    JobProgress Progress() const override { return {progress_, 100}; }

    ValuesSheetState State() const { return state_; }
    // Value columns after the date, and data rows written.
    int ValueColumns() const { return valueColumns_; }
    int RowsWritten() const { return counters_.RowsWritten; }

private:
    void StepBuildColumns();
    void StepBuildSamplesColumns();
    void StepInitGrid();
    void StartBook();
    void StepRows();
    void StepFinish();
    void Fail(const std::string& text);
    void End(bool sheetShown);
    void FormatSheet();

    TF1Book& book_;
    TValuesSheetRequest request_;
    HarmonicChooser chooseHarmonics_;
    ValuesSheetState state_ = ValuesSheetState::BuildColumns;
    bool finished_ = false;
    bool sheetShown_ = false;
    int progress_ = 0;

    TDataFile dataFile_;
    std::optional<TMeasureColumns> columns_;
    int valueColumns_ = 0;
    std::int64_t progressTotal_ = 0;
    std::optional<TSamplesRecord> samples_;  // the waveform record, until its rows take it
    std::unique_ptr<TMeasureRows> rows_;
    TRowCounters counters_;
    // From the search of the period to its last record, a stamp fault is shown once.
    std::set<std::string> stampMessages_;
};
