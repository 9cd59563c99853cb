// One measure's analysis over its interval, one calendar day per ProcessDay(): the day's
// records (events) are counted into the current day slot and the measure's summary, and each
// time a day ends with more than N days seen (or the data ends) a window of the last N days is
// closed and judged. Days without records do not count for the trend measures; for events every
// calendar day from the first event's day counts, so events windows are N calendar days.
// Window records, failed intervals and the summary are kept as the bytes of the measure's
// temporary files. Used by the analysis engine.
#pragma once

#include <array>
#include <cstdint>

#include "analysis/analysis_windows.h"
#include "analysis/interval_records.h"
#include "analysis/measure_plan.h"
#include "platform/file_io.h"
#include "platform/little_endian.h"

enum class TDayResult { More, Done, Failed };

class TMeasurePass {
public:
    // Records first..last (indexes) of the open file; `stopDay` is the interval's last day, to
    // which event days are held.
    TMeasurePass(TMeasurePlan plan, TDataFile& file, std::int64_t first, std::int64_t last, int windowDays,
                 double stopDay);

    // Reads the first record; false when it cannot be read.
    bool Begin();
    TDayResult ProcessDay();

    const TMeasurePlan& Plan() const { return plan_; }
    std::int64_t Done() const { return done_; }
    std::int64_t Total() const { return records_.Count(); }
    bool Passed() const { return summary_.Passed; }
    // Phases painted red by a failed window (events and single-panel measures: L1).
    const std::array<bool, 3>& FailedPhases() const { return failedPhases_; }
    const TMeasureSummary& Summary() const { return summary_; }
    // The temporary files' contents: the summary with its failed intervals, the windows.
    Bytes SummaryFileBytes() const;
    const Bytes& WindowFileBytes() const { return windows_.Data(); }

private:
    double DayOf(TDateTime t) const;
    // Counts records begin..end - 1 of the current chunk into the slot and the summary.
    void CountRecords(TDaySlot& slot, std::size_t begin, std::size_t end);
    void AfterDay(bool ended);
    void CloseWindow();

    TMeasurePlan plan_;
    TIntervalRecords records_;
    std::size_t at_ = 0;  // the current record in the current chunk
    int windowDays_;
    double stopDay_;
    TDayRing ring_;
    TMeasureSummary summary_;
    double currentDay_ = 0;
    int dayCounter_ = 1;
    bool short_ = false;  // the data ended before more than N days were seen
    std::int64_t done_ = 0;
    std::array<bool, 3> failedPhases_{};
    ByteWriter windows_;
    ByteWriter failed_;
};
