// The statistics a trend record offers and where each lies: the traces dialog's names (item 0
// "none") and the column table of byte offsets per statistic and phase, built from the first
// record's content flags. Used by the trend views and their traces dialogs.
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

// "none", then the statistics a phase part with these content flags holds, in stored order.
std::vector<std::string> StatisticNames(std::uint16_t flags);

// The column of statistic `item` (0 none) of phase `phase` (0 to 2): entry statCount x phase +
// item, or entry 0 when that lies outside the table.
std::int32_t ColumnOffset(const TColumnTable& columns, int statCount, int phase, int item);
