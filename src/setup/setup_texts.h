// The texts of the setup's choices and switches, shared by the editor's controls and the
// print: the items of each choice by its stored index, and the captions of each measure's
// switch bits in bit order.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

extern const std::array<std::string_view, 2> WiringNames;
extern const std::array<std::string_view, 4> PrinterNames;
extern const std::array<std::string_view, 2> MeterModeNames;
extern const std::array<std::string_view, 2> NominalFrequencyNames;
extern const std::array<std::string_view, 2> EstimationModeNames;
extern const std::array<std::string_view, 2> CurrentWiringNames;
// The voltage samples choice: 0 none, 1 bit 14, 2 bit 15 of the voltage switches.
extern const std::array<std::string_view, 3> VoltageSamplesNames;
// The print's switch texts by the bit's state.
extern const std::array<std::string_view, 2> YesNoNames;

extern const std::array<std::string_view, 8> VoltageSwitchNames;
extern const std::array<std::string_view, 7> FrequencySwitchNames;
extern const std::array<std::string_view, 7> UnbalanceSwitchNames;
extern const std::array<std::string_view, 7> VoltageHarmonicSwitchNames;
extern const std::array<std::string_view, 3> CurrentHarmonicSwitchNames;
extern const std::array<std::string_view, 5> FlickerSwitchNames;
extern const std::array<std::string_view, 9> PowerSwitchNames;

inline constexpr int kSamplesStartBit = 14;
inline constexpr int kSamplesStartStopBit = 15;
// The samples choice of a voltage switch word, and the word's bits 14 and 15 for a choice.
int VoltageSamplesChoice(std::uint16_t voltageFlags);
std::uint16_t VoltageSamplesBits(int choice);

// The item at a stored index; a code no item has (a damaged file) shows as "(code)".
std::string ChoiceText(std::span<const std::string_view> items, int index);
