// The setup's texts.
#include "setup/setup_texts.h"

const std::array<std::string_view, 2> WiringNames = {"Three-phase", "Monophase"};
const std::array<std::string_view, 4> PrinterNames = {"ProPrinter 60 dpi", "ProPrinter 80 dpi", "PCL 75 dpi",
                                                      "PCL 100 dpi"};
const std::array<std::string_view, 2> MeterModeNames = {"Phase-Phase", "Phase-Neutral"};
const std::array<std::string_view, 2> NominalFrequencyNames = {"50 Hz", "60 Hz"};
const std::array<std::string_view, 2> EstimationModeNames = {"Average", "Peak"};
const std::array<std::string_view, 2> CurrentWiringNames = {"Three currents", "Two currents"};
const std::array<std::string_view, 3> VoltageSamplesNames = {"None", "Start waveform", "Start/Stop waveforms"};
const std::array<std::string_view, 2> YesNoNames = {"No", "Yes"};

const std::array<std::string_view, 8> VoltageSwitchNames = {
    "Enable", "Min/Avg/Max", "P90", "P95", "P99", "Density Curve", "Under/Over Voltages", "Rapid Changes"};
const std::array<std::string_view, 7> FrequencySwitchNames = {
    "Enable", "Min/Avg/Max", "P90", "P95", "P99", "Density Curve", "Under/Over Frequency"};
const std::array<std::string_view, 7> UnbalanceSwitchNames = {
    "Enable", "Min/Avg/Max", "P90", "P95", "P99", "Density Curve", "Over Unbalance"};
const std::array<std::string_view, 7> VoltageHarmonicSwitchNames = {
    "Enable", "Min/Avg/Max", "P90", "P95", "P99", "Density Curve", "Over Harmonic"};
const std::array<std::string_view, 3> CurrentHarmonicSwitchNames = {"Enable", "Min/Avg/Max", "Over Harmonic"};
const std::array<std::string_view, 5> FlickerSwitchNames = {"Enable", "Pst/Plt", "CPF", "Percentiles",
                                                            "Over Flicker Plt"};
const std::array<std::string_view, 9> PowerSwitchNames = {
    "Enable",         "Active Power Min/Avg/Max", "Reactive Power Min/Avg/Max", "Apparent Power Min/Avg/Max",
    "Current Min/Avg/Max", "Over Active Power",  "Over Reactive Power",         "Over Apparent Power",
    "Over Currents"};

int VoltageSamplesChoice(std::uint16_t voltageFlags)
{
    if (voltageFlags & (1u << kSamplesStartBit)) return 1;
    if (voltageFlags & (1u << kSamplesStartStopBit)) return 2;
    return 0;
}

std::uint16_t VoltageSamplesBits(int choice)
{
    if (choice == 1) return 1u << kSamplesStartBit;
    if (choice == 2) return 1u << kSamplesStartStopBit;
    return 0;
}

std::string ChoiceText(std::span<const std::string_view> items, int index)
{
    if (index >= 0 && static_cast<std::size_t>(index) < items.size()) return std::string(items[static_cast<std::size_t>(index)]);
    return "(" + std::to_string(index) + ")";
}
