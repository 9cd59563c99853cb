// The value columns of a fixed-record measure's workbook: their titles (row 13), where each value
// lies in a record and how it is written, worked out once per measure from the data file's first
// record and the wizard's choices (voltage, frequency, unbalance, voltage harmonics, flicker,
// powers and currents, current harmonics, energy). The exporter reads the columns of every record
// of the interval at these offsets.
#pragma once

#include "export/export_params.h"
#include "platform/date_time.h"

#include <array>
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
    std::string Title;
    // The 32-bit float of the value; nothing when the records do not hold it (a phase a
    // single-phase file lacks, a statistic a harmonic block lacks): its cells stay empty.
    std::optional<std::uint32_t> Offset;
    int Decimals = 2;
    double Factor = 1;  // energy: kWh written as Wh
    bool operator==(const TValueColumn&) const = default;
};

struct TMeasureColumns {
    ExportDateText DateText = ExportDateText::Minutes;
    std::vector<TValueColumn> Columns;
};

// The columns of measure 1 to 5, 7, 9 or 10 chosen in `params`. Nothing when the first record
// does not hold what its own head says (its harmonic blocks or value groups run past it), or the
// measure has no such columns (events, samples).
std::optional<TMeasureColumns> MeasureExportColumns(int measure, std::span<const std::uint8_t> firstRecord,
                                                    const TExportParams& params);
