// The compliance analysis as a long job: the chosen measures of a survey (voltage, frequency,
// unbalance, voltage harmonics, flicker, events, in that order) are judged against the limits,
// one calendar day of one measure per Step(). Each measure's outcome goes into its two
// temporary files in the temporary folder (DataDir), deleted at the start of that measure's
// next analysis; at the end the results say what each measure's panels show, and the report
// writer gathers the files into a .rep file. The run window (TRunAnalysisDlg) drives it; tests
// and the benchmark call Step() directly.
//
// A fault ends the run with one message (through the message seam): an interval longer than
// kMaxAnalysisDays, a data file that cannot be opened or read, a first record without average values or with a harmonic block count or
// channel code outside the tables, a temporary file that cannot be written.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "analysis/analysis_params.h"
#include "analysis/measure_pass.h"
#include "analysis/report_file.h"
#include "platform/long_job.h"
#include "survey/data_file.h"
#include "survey/records.h"

// What one measure's row of the run window shows at the end.
struct TAnalysisMeasureResult {
    bool Selected = false;
    // Judged: the interval held records (for events, any interval: no events is a pass). A
    // selected trend measure without records in the interval is not in the report.
    bool Analysed = false;
    bool Passed = false;  // every window passed
    // The row's panels: three (L1 to L3) for voltage, voltage harmonics and flicker, one for
    // frequency, unbalance and events; grey where nothing was judged or the survey lacks the
    // phase, else green or red.
    int Panels = 1;
    std::array<std::uint32_t, 3> PanelColours{kNotAnalysedColour, kNotAnalysedColour, kNotAnalysedColour};
};

class TAnalysisEngine : public LongJob {
public:
    TAnalysisEngine(const TSurveySelection& survey, const TAnalysisParams& params, std::string tempFolder);
    ~TAnalysisEngine() override;

    bool Step() override;
    // Ends the run; the temporary files of the measures finished so far stay.
    void Abort() override;
    bool Finished() const override { return stage_ == Stage::Completed || stage_ == Stage::Ended; }
    // The run went through every measure (not aborted, not failed): the results are complete.
    bool Completed() const override { return stage_ == Stage::Completed; }
    // "processing Voltages" ... while a measure runs.
    std::string StatusText() const override;
    // The current measure's records (events) done; it restarts at 0 for each measure.
    JobProgress Progress() const override;

    // Measure 1 to 6.
    const TAnalysisMeasureResult& Result(int measure) const;
    // The verdict of the run: no window of any measure failed.
    bool Passed() const;
    // The report's head: the survey and parameters as taken at creation, the harmonic channels.
    TReportHead ReportHead() const;
    // The report of this run at `path`, gathered from the temporary files.
    TReportWrite WriteReport(const std::string& path) const;
    void DeleteTempFiles() const;
    const std::string& TempFolder() const { return tempFolder_; }

private:
    enum class Stage { Start, Days, Completed, Ended };
    bool StartMeasure();
    void FinishMeasure();
    void NextMeasure();
    bool Fail(const std::string& message);
    std::string TempPath(bool summary) const;

    TSurveySelection survey_;
    TAnalysisParams params_;
    std::string tempFolder_;
    Stage stage_ = Stage::Start;
    int measure_ = 1;
    TDataFile file_;
    std::unique_ptr<TMeasurePass> pass_;
    std::array<TAnalysisMeasureResult, kAnalysisMeasures> results_{};
    std::vector<std::uint16_t> harmonicOrders_;  // of the analysed voltage-harmonic blocks
};
