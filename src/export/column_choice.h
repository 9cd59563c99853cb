// Which value columns a measure's table takes of what its records hold, with nothing of where
// the choice came from: the exporter takes the export wizard's choice (TExportParams), the values
// sheet every value the records hold. MeasureValueColumns (measure_columns.h) turns it into
// columns.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

struct TColumnChoice {
    static constexpr std::size_t kItemCapacity = 20;

    // The measure's quantities in their own order: the nine statistics (voltage, frequency,
    // unbalance, voltage harmonics), minimum, average and maximum (current harmonics), the eight
    // flicker statistics, the twelve power items, or the eleven energy totals and then the
    // received and the delivered energy of L1 to L3.
    std::array<bool, kItemCapacity> Items{};
    std::array<bool, 3> Phases{};  // L1, L2, L3
    // Harmonics: the orders (voltage) or indexes (current) in column order.
    std::vector<std::uint16_t> Harmonics;
    // Leave out a column the records do not hold (a phase a single-phase file lacks, a statistic
    // a harmonic block or the short flicker set lacks) instead of keeping it with empty cells.
    bool HeldOnly = false;

    // Every value the records hold, of these harmonics.
    static TColumnChoice Everything(std::vector<std::uint16_t> harmonics = {})
    {
        TColumnChoice choice;
        choice.Items.fill(true);
        choice.Phases.fill(true);
        choice.Harmonics = std::move(harmonics);
        choice.HeldOnly = true;
        return choice;
    }
};
