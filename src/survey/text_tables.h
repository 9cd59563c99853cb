// Constant tables indexed by measure number, phase or harmonic channel, and the names of what a
// record holds (statistics, power and energy items) that the views, the exports, the values
// sheet and the wizards' boxes show.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "survey/records.h"

// Indexed 1..14 (index 0 unused; 11 to 14 empty).
extern const std::array<std::string_view, kMeasureSlots + 1> MeasureNames;
extern const std::array<std::string_view, kMeasureSlots + 1> DataFileExts;
extern const std::array<std::string_view, kMeasureSlots + 1> TempFileNames;
// Entry 0 is the floppy header file "datainfo._tn"; 1 to 10 the part-file masks.
extern const std::array<std::string_view, kMeasureSlots + 1> ArchiveFileNames;
// Indexed 1..4: "L1", "L2", "L3", "3Ph." (index 0 unused).
extern const std::array<std::string_view, 5> PhaseNames;
// Flicker statistics in the order of a full flicker record.
extern const std::array<std::string_view, 8> FlickerStatNames;
// Statistics of a trend phase block or harmonic phase part, in stored order (TrendValue):
// "Minimum", "Average", "Maximum", then the 90 %, 95 % and 99 % percentile pairs.
extern const std::array<std::string_view, 9> TrendStatNames;
// Powers-and-currents items in stored order: minimum, average and maximum of the active, the
// reactive and the apparent power, then of the current (three per PowerGroup).
extern const std::array<std::string_view, 12> PowerItemNames;
// Current-harmonic values: percent, then ampere, of the minimum, the average and the maximum.
extern const std::array<std::string_view, 6> CurrentHarmonicValueNames;
// The eleven energy totals in stored order. "Active Energy Delivered " keeps its trailing blank,
// which the per-phase titles built on it keep too.
extern const std::array<std::string_view, 11> EnergyTotalNames;

// Harmonic channels: three phases per order, orders 0 (THD) to 51.
constexpr int kHarmonicChannels = 156;
extern const std::array<std::uint8_t, kHarmonicChannels> ChannelHarmonicOrder;

// Percent: THD, then orders 1 to 25.
inline constexpr std::array<float, 26> DefaultHarmonicLimits = {
    8, 100, 2, 5, 1, 6, 0.5f, 5, 0.5f, 1.5f, 0.5f, 3.5f, 0.5f, 3, 0.5f, 0.5f, 0.5f, 2, 0.5f, 1.5f, 0.5f, 0.5f, 0.5f,
    1.5f, 0.5f, 1.5f};
// THD, DC, then orders 1 to 25 (setup editor).
extern const std::array<float, 27> DefaultCurrentHarmonicLimits;
// Observation periods in minutes, indexed 1..6 (index 0 unused).
extern const std::array<std::uint16_t, 7> ObservationPeriods;
// The observation period choices by period index 0..5 ("1 minute" .. "60 minutes").
extern const std::array<std::string_view, 6> ObservationPeriodNames;

// A measure number's name, or "" outside 1..14.
std::string_view MeasureName(int measure);
