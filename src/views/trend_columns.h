// The statistics a trend record offers and where each lies: the traces dialog's names (item 0
// "none") and the column table of byte offsets per statistic and phase, built from the first
// record's content flags, with the Y axis and the unit kind of each column where a record mixes
// units (powers and currents, energies). Used by the trend views and their traces dialogs.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Entry 0 is "none"; then n statistics of L1, n of L2, n of L3 (n at most 9).
constexpr int kColumnEntries = 28;
using TColumnTable = std::array<std::int32_t, kColumnEntries>;

struct TTrendColumns {
    std::vector<std::string> StatNames{"none"};
    TColumnTable Columns{};
    // Parallel to Columns where a record mixes units: the Y axis (1 or 2) and the unit kind
    // (powers 1 W, 2 VAr, 3 VA, 4 A; energies 1 Wh, 2 VArh, 3 VAh) of each entry.
    TColumnTable Axes{};
    TColumnTable Units{};
    bool HasCurve = false;
    // Inside a record: the L1 density block's sample total, or the first of L1's CPF values.
    std::int32_t CurveOffset = 0;
    std::int32_t PhaseStride = 0;  // L1 group to L2 group (three-phase only, else 0)

    int StatCount() const { return static_cast<int>(StatNames.size()) - 1; }
};

// Voltage, frequency and unbalance layouts: one phase block per phase after the 18-byte head.
TTrendColumns BuildTrendColumns(std::uint16_t flags, bool threePhase, int curveClasses);

// Flicker layouts: the full set (FlickerStatNames) or the short set (Pst, Plt) per phase after the
// 25-byte head, each phase followed by its CPF curve when the flags carry one.
TTrendColumns BuildFlickerColumns(std::uint16_t flags, std::uint8_t mode, bool threePhase);

// Powers-and-currents layouts: the active, reactive and apparent powers present (minimum,
// average, maximum each, left axis), then the L1 currents (second axis); behind the n items the
// L2 currents (n + 1 to n + 3) when `extraCurrentPhases` is 1 or 2 and the L3 currents (n + 4 to
// n + 6) when it is 2, so that entry 3 x phase + item names a current of any phase.
TTrendColumns BuildPowerColumns(std::uint16_t flags, int extraCurrentPhases);
// The current phases a powers record holds beyond L1: none without currents or in a
// single-phase recording, one with two current channels (current wiring 1), else two.
int ExtraCurrentPhases(std::uint16_t flags, std::uint16_t wiring, std::uint16_t currentWiring);

// Energy layouts: the eleven totals (entries 1 to 11); with per-phase energies, the received
// and the delivered active energy of L1 to L3 behind them (12 to 14, 15 to 17), reached through
// items 1 and 2 by EnergyColumnEntry.
TTrendColumns BuildEnergyColumns(bool perPhase);
// The entry of energy item `item` of phase `phase` (0 to 2 a phase, 3 the total): the item
// itself for a total, and for an item without per-phase values (or a file without them).
int EnergyColumnEntry(int item, int phase, bool perPhase);

// "none", then the statistics a phase part with these content flags holds, in stored order.
std::vector<std::string> StatisticNames(std::uint16_t flags);

// The column of statistic `item` (0 none) of phase `phase` (0 to 2): entry statCount x phase +
// item, or entry 0 when that lies outside the table.
std::int32_t ColumnOffset(const TColumnTable& columns, int statCount, int phase, int item);
