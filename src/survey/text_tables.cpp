// The constant tables.
#include "survey/text_tables.h"

const std::array<std::string_view, kMeasureSlots + 1> MeasureNames = {
    "", "Voltage", "Frequency", "Unbalance", "Voltage Harmonics", "Flicker", "Events", "Powers and Currents",
    "Voltage Samples", "Current Harmonics", "Energy", "", "", "", ""};

const std::array<std::string_view, kMeasureSlots + 1> DataFileExts = {
    "", ".vme", ".hze", ".une", ".hme", ".fle", ".ale", ".wme", ".tme", ".hmi", ".ene", "", "", "", ""};

const std::array<std::string_view, kMeasureSlots + 1> TempFileNames = {
    "", "vm.tmp", "hz.tmp", "un.tmp", "hm.tmp", "fl.tmp", "al.tmp", "wm.tmp", "tr.tmp", "hi.tmp", "en.tmp",
    "", "", "", ""};

const std::array<std::string_view, kMeasureSlots + 1> ArchiveFileNames = {
    "datainfo._tn", "vm_????._tn", "hz_????._tn", "un_????._tn", "hm_????._tn", "fl_????._tn", "al_????._tn",
    "wm_????._tn", "tr_????._tn", "hi_????._tn", "en_????._tn", "", "", "", ""};

const std::array<std::string_view, 5> PhaseNames = {"", "L1", "L2", "L3", "3Ph."};

const std::array<std::string_view, 8> FlickerStatNames = {"Pst", "P50s", "P10s", "P3s", "P1s", "P01", "Pmax", "Plt"};

const std::array<std::string_view, 9> TrendStatNames = {
    "Minimum",           "Average",           "Maximum",           "Min Percentile 90%", "Max Percentile 90%",
    "Min Percentile 95%", "Max Percentile 95%", "Min Percentile 99%", "Max Percentile 99%"};

const std::array<std::string_view, 12> PowerItemNames = {
    "Min. Active Power",   "Avg. Active Power",   "Max. Active Power",   "Min. Reactive Power",
    "Avg. Reactive Power", "Max. Reactive Power", "Min. Apparent Power", "Avg. Apparent Power",
    "Max. Apparent Power", "Min. Current",        "Avg. Current",        "Max. Current"};

const std::array<std::string_view, 6> CurrentHarmonicValueNames = {"Minimum(%)", "Minimum(A)", "Average(%)",
                                                                   "Average(A)", "Maximum(%)", "Maximum(A)"};

const std::array<std::string_view, 11> EnergyTotalNames = {
    "Active Energy Received", "Active Energy Delivered ", "Reactive Energy Q1", "Reactive Energy Q2",
    "Reactive Energy Q3",     "Reactive Energy Q4",       "Apparent Energy Tot.", "Apparent Energy Q1",
    "Apparent Energy Q2",     "Apparent Energy Q3",       "Apparent Energy Q4"};

static constexpr std::array<std::uint8_t, kHarmonicChannels> MakeChannelOrders()
{
    std::array<std::uint8_t, kHarmonicChannels> orders{};
    for (int c = 0; c < kHarmonicChannels; ++c) orders[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c / 3);
    return orders;
}
const std::array<std::uint8_t, kHarmonicChannels> ChannelHarmonicOrder = MakeChannelOrders();

static constexpr std::array<float, 27> MakeCurrentLimits()
{
    std::array<float, 27> limits{};
    limits[0] = 8;
    limits[1] = 0;
    for (int k = 1; k <= 25; ++k) limits[static_cast<std::size_t>(k + 1)] = DefaultHarmonicLimits[static_cast<std::size_t>(k)];
    return limits;
}
const std::array<float, 27> DefaultCurrentHarmonicLimits = MakeCurrentLimits();

const std::array<std::uint16_t, 7> ObservationPeriods = {0, 1, 5, 10, 15, 30, 60};

const std::array<std::string_view, 6> ObservationPeriodNames = {"1 minute",   "5 minutes",  "10 minutes",
                                                                "15 minutes", "30 minutes", "60 minutes"};

std::string_view MeasureName(int measure)
{
    return measure >= 1 && measure <= kMeasureSlots ? MeasureNames[static_cast<std::size_t>(measure)] : std::string_view();
}
