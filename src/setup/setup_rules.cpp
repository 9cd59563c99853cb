// The setup editor's rules.
#include "setup/setup_rules.h"

#include <array>
#include <cmath>

namespace {
constexpr std::string_view kHarmonicMessage = "Harmonic Range must be from 0.0 to 100 %";
constexpr std::string_view kPowerMessage = "Power and Current limits must be positive values.";

// By SetupField.
const std::array<TSetupRange, 16> kRanges = {{
    {0, 500000, false, "Nominal Value must be from 0.0 to 500000 V"},
    {0, 100, false, "Voltage Range must be from 0.0 to 100 %"},
    {0, 100, false, "Voltage Range must be from 0.0 to 100 %"},
    {0, 10, false, "Voltage Increment must be from 0.0 to 10 %"},
    {0, 100, false, "Frequency Range must be from 0.0 to 100 %"},
    {0, 100, false, "Frequency Range must be from 0.0 to 100 %"},
    {0, 100, false, "Unbalance Range must be from 0.0 to 100 %"},
    {0, 100, false, kHarmonicMessage},
    {0, 100, false, kHarmonicMessage},
    {0, 100, false, "Flicker Range must be from 0.0 to 100 p.u."},
    {1, 1500, true, "Sliding PLT window duration must be from 1 to 1500 periods"},
    {0, std::nullopt, false, kPowerMessage},
    {0, std::nullopt, false, kPowerMessage},
    {0, std::nullopt, false, kPowerMessage},
    {0, std::nullopt, false, kPowerMessage},
    {0, 1000, false, "Minimum threshold to perform current harmonics must be from 0.0 to 1000A"},
}};
}  // namespace

const TSetupRange& SetupRange(SetupField field) { return kRanges[static_cast<std::size_t>(field)]; }

bool InSetupRange(SetupField field, float value)
{
    const TSetupRange& range = SetupRange(field);
    return !std::isnan(value) && value >= range.Min && (!range.Max || value <= *range.Max);
}

int StepHarmonicIndex(int index, bool up, int maxIndex, int fundamental)
{
    if (up ? index >= maxIndex : index <= 0) return index;
    const int step = up ? 1 : -1;
    const int next = index + step;
    return next == fundamental ? next + step : next;
}

std::vector<std::uint16_t> VoltageSwitchChoices()
{
    std::vector<std::uint16_t> choices{0};
    for (std::uint16_t order = 2; order < kVoltageHarmonicSwitches; ++order) choices.push_back(order);
    return choices;
}

std::vector<std::uint16_t> CurrentSwitchChoices()
{
    std::vector<std::uint16_t> choices;
    for (std::uint16_t index = 0; index < kCurrentHarmonicEntries; ++index) choices.push_back(index);
    return choices;
}

void CopySwitches(std::span<std::uint16_t> words, const std::vector<std::uint16_t>& chosen, std::uint16_t shown)
{
    for (std::uint16_t index : chosen)
        if (index < words.size()) words[index] = static_cast<std::uint16_t>(words[index] | shown);
}

void CancelSwitches(std::span<std::uint16_t> words, const std::vector<std::uint16_t>& chosen)
{
    for (std::uint16_t index : chosen)
        if (index < words.size()) words[index] = 0;
}

bool AnyHarmonicEnabled(std::span<const std::uint16_t> words, bool shownEnable)
{
    if (shownEnable) return true;
    for (std::uint16_t word : words)
        if (word & 1u) return true;
    return false;
}

std::optional<TDateTime> RecorderStamp(const TPackedDate& date, const TPackedTimeEx& time)
{
    if (date.Day == kNoDateDay) return std::nullopt;
    const std::optional<TDateTime> day = EncodeDate(date.Year, date.Month, date.Day);
    const std::optional<double> fraction = EncodeTime(time.Hour, time.Minute, time.Second);
    if (!day || !fraction) return std::nullopt;
    return *day + *fraction;
}

bool RecorderIntervalValid(const TSetupRecord& setup)
{
    if (setup.StartDate.Day == kNoDateDay || setup.StopDate.Day == kNoDateDay) return true;
    const auto start = RecorderStamp(setup.StartDate, setup.StartTime);
    const auto stop = RecorderStamp(setup.StopDate, setup.StopTime);
    return !start || !stop || *start < *stop;
}
