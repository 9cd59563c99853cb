// The setup editor's rules on plain values: the range each edited value accepts, the stepping of
// the harmonic order fields past the fundamental, copying and clearing switches over chosen
// harmonics, the global enables' condition, and the recorder interval check.
#pragma once

#include "platform/date_time.h"
#include "setup/setup_record.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// The edited values with a range, and the range each accepts (both ends included).
enum class SetupField {
    VNom, VLow, VHigh, VDelta, HzLow, HzHigh, UnbHigh, HHigh, HiHigh, FlkHigh, FlkPlt,
    WHighP, WHighQ, WHighA, WHighC, HiSoglia,
};
struct TSetupRange {
    float Min = 0;
    std::optional<float> Max;  // none: no upper bound
    bool Whole = false;        // read as a 16-bit word
    std::string_view Message;  // the error for a value outside the range
};
const TSetupRange& SetupRange(SetupField field);
// False for NaN.
bool InSetupRange(SetupField field, float value);

// The order field's next index one step up or down from `index` in 0..maxIndex, past the
// fundamental; the index itself when it is already at that end.
int StepHarmonicIndex(int index, bool up, int maxIndex, int fundamental);

// The harmonics the copy and cancel pickers offer: voltage 0 and 2 to 50, current 0 to 26 (the
// picker itself leaves the current fundamental out).
std::vector<std::uint16_t> VoltageSwitchChoices();
std::vector<std::uint16_t> CurrentSwitchChoices();

// Copy: every switch ticked in `shown` is set in the chosen harmonics' words (set bits stay).
// Cancel: the chosen harmonics' words are cleared. Indexes beyond the words are ignored.
void CopySwitches(std::span<std::uint16_t> words, const std::vector<std::uint16_t>& chosen, std::uint16_t shown);
void CancelSwitches(std::span<std::uint16_t> words, const std::vector<std::uint16_t>& chosen);

// A global enable needs one harmonic enabled: the shown Enable box or bit 0 of a stored word.
bool AnyHarmonicEnabled(std::span<const std::uint16_t> words, bool shownEnable);

// The date-time of a recorder date and time; nothing when the date is none (day 255) or not a
// calendar date, or the time is not a time of day.
std::optional<TDateTime> RecorderStamp(const TPackedDate& date, const TPackedTimeEx& time);
// With both dates present the start must come before the stop.
bool RecorderIntervalValid(const TSetupRecord& setup);
inline constexpr const char* kRecorderIntervalMessage =
    "Recorder Stop date and time must be\rgreater than Start date and time";
inline constexpr const char* kGlobalEnableMessage = "Invalid selection:\rEnable at least one local harmonic recorder.";
