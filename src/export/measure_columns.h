// The value columns of a fixed-record measure's table: their titles, where each value lies in a
// record and how it is written, worked out once per measure from the data file's first record
// and a choice of columns (voltage, frequency, unbalance, voltage harmonics, flicker, powers and
// currents, current harmonics, energy). The exporter takes the wizard's choice and reads the
// columns of every record of the interval at these offsets; the values sheet takes every value.
#pragma once

#include "export/column_choice.h"
#include "platform/date_time.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// How a row's date cell shows the record time.
enum class ExportDateText {
    Minutes,         // short date + " hh:mm"
    Seconds,         // short date + " hh:mm:ss" (frequency)
    DateAndLongTime  // short date, a blank, the long time; the time left out at midnight (powers)
};
std::string ExportDateCellText(ExportDateText kind, TDateTime time);

struct TValueColumn {
    std::string Title;  // "[harmonic - ][phase - ]name": "3rd - L2 - Average", "L1 - Plt", "Avg. Active Power"
    // The 32-bit float of the value; nothing when the records do not hold it (a phase a
    // single-phase file lacks, a statistic a harmonic block lacks): its cells stay empty. A
    // choice of held values only has no such column.
    std::optional<std::uint32_t> Offset;
    int Decimals = 2;
    double Factor = 1;  // energy: kWh written as Wh
    // What the title is made of, for a table that words it otherwise: the item's own name (from
    // the text tables) and its phase (0 to 2; -1 for a total or a file of one phase block).
    std::string_view Name;
    int Phase = -1;
    bool operator==(const TValueColumn&) const = default;
};

struct TMeasureColumns {
    ExportDateText DateText = ExportDateText::Minutes;
    std::vector<TValueColumn> Columns;
};

// The columns `choice` takes of measure 1 to 5, 7, 9 or 10: harmonic by harmonic in the choice's
// order, then phase by phase, then item by item; the powers come before the currents of each
// phase, the energy totals before the per-phase energies. Nothing when the first record
// does not hold what its own head says (its harmonic blocks or value groups run past it, a block
// names no harmonic), or the measure has no such columns (events, samples).
std::optional<TMeasureColumns> MeasureValueColumns(int measure, std::span<const std::uint8_t> firstRecord,
                                                   const TColumnChoice& choice);
