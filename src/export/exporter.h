// The exporter behind "Export Survey": a long job that writes each measure chosen in the export
// wizard into its own workbook (Excel 5.0 or text), one measure after the other. It takes the
// wizard's choices from "export.tmp" (read and deleted at creation) and the survey and interval
// from SurveySelection. Each Step() is one unit of work: a state change, or one record (events:
// up to 50) into the sheet. The job window shows StatusText() and Progress() and calls Abort();
// tests and the benchmark call Step() directly.
//
// A workbook replaces an existing file only once it is complete. Whatever is not exported (a
// measure without records in the interval, a damaged data file, a failed write) is named in the
// closing message; an error or Abort ends the export, and the measures after it are not written.
#pragma once

#include "export/export_params.h"
#include "export/measure_rows.h"
#include "platform/long_job.h"
#include "platform/repeated_message_filter.h"
#include "sheet/sheet_book.h"
#include "survey/data_file.h"
#include "survey/records.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// The texts of the progress label while measure k is exported, by measure (1 to 14).
extern const std::array<std::string_view, kMeasureSlots + 1> ExportCaptions;

enum class ExportState {
    NextMeasure = 1,
    CheckInterval = 2,
    Prepare = 3,
    WriteRows = 4,
    Save = 5,
    Done = 50,
    Failed = 60,
    Aborted = 70
};

// A measure that was not exported, and why.
struct TNotExported {
    int Measure = 0;
    std::string Reason;
};

class TExporter : public LongJob {
public:
    // Reads and deletes the hand-over file at `paramsPath` (normally DataDir() + "export.tmp").
    TExporter(const TSurveySelection& selection, const std::string& paramsPath);
    TExporter(const TSurveySelection& selection, const TExportParams& params);
    ~TExporter() override;

    bool Step() override;
    // Ends the export at once: the current measure's workbook is not written, no message.
    void Abort() override;
    bool Finished() const override { return finished_; }
    // The export ran to its end (the window closes with OK); false after an error or Abort.
    bool Completed() const override { return finished_ && state_ == ExportState::Done; }

    // The progress label ("exporting Voltages" ...) and bar (percent of the measure's records,
    // never moving back within a measure).
    std::string StatusText() const override { return caption_; }
    JobProgress Progress() const override { return {progress_, 100}; }
    ExportState State() const { return state_; }
    int CurrentMeasure() const { return measure_; }
    const std::vector<int>& Exported() const { return exported_; }
    const std::vector<TNotExported>& NotExported() const { return notExported_; }

private:
    void StepNextMeasure();
    void StepCheckInterval();
    void StepPrepare();
    void StepWriteRows();
    void StepSave();
    void Finish();
    // Closes the data file and drops the measure's rows and message filter.
    void EndMeasure();

    // The measure is left out and the export goes on with the next.
    void Skip(const std::string& reason);
    // The export ends with "Error in export."; the measures after this one are not reached.
    void Fail(const std::string& reason);
    void UpdateProgress();
    std::string ClosingMessage() const;
    const TMeasureFileInfo& Slot() const { return selection_.File(measure_); }

    TSurveySelection selection_;
    std::optional<TExportParams> params_;
    ExportState state_ = ExportState::NextMeasure;
    int measure_ = 1;
    bool finished_ = false;
    std::string caption_;
    int progress_ = 0;

    // From the search of a measure's interval to its last record, a stamp fault that both the
    // search and the rows meet is shown once.
    std::optional<TRepeatedMessageFilter> oneMessage_;
    TDataFile dataFile_;
    std::unique_ptr<TMeasureRows> rows_;
    TF1Book book_;
    std::int64_t totalRecords_ = 0;
    TRowCounters counters_;

    std::vector<int> exported_;
    std::vector<TNotExported> notExported_;
};
