// The survey summary as a long job: for each chosen measure (voltage, frequency, unbalance,
// voltage harmonics, flicker, events, in that order) over the chosen interval, per phase the
// lowest and highest record value and the K-th lowest and K-th highest, K from the summary
// percentile; for the events the number of each summary category per phase. Each Step() reads
// ten records; at the end the survey, the parameters and the results go into "summary.tmp" for
// the summary report. The run window drives it; tests and the benchmark call Step() directly.
//
// A fault ends the run with one message (through the message seam) and nothing written: too
// few records in the interval for the percentile (a warning with an Abort button), a data file
// that cannot be opened or read, a first record without average values, a zero or non-finite
// nominal, a percentile outside 90 to 100, a summary file that cannot be written.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "analysis/interval_records.h"
#include "analysis/measure_plan.h"
#include "platform/long_job.h"
#include "platform/messages.h"
#include "summary/summary_file.h"
#include "summary/summary_statistics.h"
#include "survey/data_file.h"

// Measures 1 (voltage) to 6 (events) are summarised.
constexpr int kSummaryMeasures = 6;

class TSummaryEngine : public LongJob {
public:
    static constexpr int kRecordsPerStep = 10;

    // Copies of the survey and the parameters are taken here; the results go to `outputPath`.
    TSummaryEngine(const TSurveySelection& survey, const TSummaryParams& params, std::string outputPath);
    ~TSummaryEngine() override;

    bool Step() override;
    // Ends the run; nothing is written.
    void Abort() override;
    bool Finished() const override { return stage_ == Stage::Written || stage_ == Stage::Ended; }
    // "summary.tmp" holds this run: the report may open.
    bool Completed() const override { return stage_ == Stage::Written; }
    // The records of the measure being read.
    JobProgress Progress() const override;

    // Percent of measure 1 to 6's records read, for its own bar; it never moves back. Worked
    // out when asked, not at every step.
    int MeasureProgress(int measure) const;
    // The measure being read, 0 between measures.
    int CurrentMeasure() const { return stage_ == Stage::Records ? measure_ : 0; }
    const TSummaryResults& Results() const { return results_; }
    const TSurveySelection& Survey() const { return survey_; }

private:
    enum class Stage { Start, Records, Written, Ended };
    // One value series of the measure being read: its column and where its results go.
    struct TSeries {
        std::size_t Column = 0;
        int Order = 0;  // voltage harmonics: the block's order
        int Phase = 0;
        TSummaryStatistics Statistics;
    };

    bool StartMeasure();
    // One series per column the measure summarises, each keeping K values at each end.
    void AddSeries(const TMeasurePlan& plan, std::int64_t k);
    bool ReadRecords();
    // Event i of the chunk.
    void CountEvent(const TRecordWindowData& chunk, std::size_t i);
    void FinishMeasure();
    bool WriteResults();
    // Percent of the records of the measure being read (records_ set).
    int ReadPercent() const;
    // The bar of the measure being read keeps its percent when the reading ends early.
    void KeepProgress();
    bool Fail(const std::string& message, MsgType type = MsgType::Error, unsigned buttons = MbOk);

    TSurveySelection survey_;
    TSummaryParams params_;
    std::string outputPath_;
    Stage stage_ = Stage::Start;
    int measure_ = 1;
    TDataFile file_;
    std::unique_ptr<TIntervalRecords> records_;
    std::vector<TSeries> series_;
    std::int64_t done_ = 0;
    std::array<int, kSummaryMeasures + 1> progress_{};  // by measure once read, 0 unused
    TSummaryResults results_;
};
