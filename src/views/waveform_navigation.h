// Which waveform record a waveform view shows: the period's records found in the samples
// file's time index (kept in memory), the current number from 1 to the period's count, the
// moves, going to an event's time or file offset, and automatic stepping.
#pragma once

#include "platform/date_time.h"
#include "platform/file_io.h"
#include "survey/records.h"
#include "survey/samples_index.h"

#include <cstdint>
#include <optional>

enum class AutoStep { Off, Backward, Forward };

class TWaveformNavigation {
public:
    // The period [start, stop] of a samples file whose index entries are `index`: the records
    // from the first at or after start to the last at or before stop. False (and nothing kept)
    // when none lies inside.
    bool Open(Bytes index, const TMeasureFileInfo& info, TDateTime start, TDateTime stop);

    int Count() const { return count_; }
    int Current() const { return current_; }
    // 0-based index entry of the period's first record.
    std::int64_t FirstEntry() const { return first_; }
    // The index entry of record `number` of the period (1 to Count()), and of the current one.
    std::optional<TSamplesIndexEntry> Entry(int number) const
    {
        if (number < 1 || number > count_) return std::nullopt;
        return IndexEntry(index_, first_ + number - 1);
    }
    std::optional<TSamplesIndexEntry> CurrentEntry() const { return Entry(current_); }
    TDateTime PeriodStart() const { return start_; }
    TDateTime PeriodStop() const { return stop_; }
    bool PeriodHolds(TDateTime t) const { return count_ > 0 && t >= start_ && t <= stop_; }

    // Moves stay within 1..Count(); each returns whether the current number changed.
    bool GoToFirst() { return GoTo(1); }
    bool GoToPrevious() { return GoTo(current_ - 1); }
    bool GoToNext() { return GoTo(current_ + 1); }
    bool GoToLast() { return GoTo(count_); }
    bool GoTo(int number);
    // The record whose time equals t to the millisecond, searched within the period; false
    // (no move) when t lies outside the period or no record matches.
    bool GoToTime(TDateTime t);
    // The record at a file offset, searched within the period; false (no move) when none is.
    bool GoToOffset(std::uint32_t offset);

    // Automatic stepping: switching one direction on stops the other; switching the running one
    // toggles it off.
    AutoStep Stepping() const { return stepping_; }
    void ToggleAutoBackward() { Toggle(AutoStep::Backward); }
    void ToggleAutoForward() { Toggle(AutoStep::Forward); }
    void StopStepping() { stepping_ = AutoStep::Off; }
    // One timer tick: a step in the running direction (true), or, at the period's end in that
    // direction, the stepping switched off (false).
    bool Tick();

private:
    void Toggle(AutoStep direction) { stepping_ = stepping_ == direction ? AutoStep::Off : direction; }

    Bytes index_;
    std::int64_t first_ = 0;
    int count_ = 0;
    int current_ = 0;
    TDateTime start_ = 0, stop_ = 0;
    AutoStep stepping_ = AutoStep::Off;
};
