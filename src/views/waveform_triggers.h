// The trigger grid of a type-12 waveform record: the first three trigger entries sorted into
// the rows "Over", "Under", "Transients" (and a fourth kept without a grid row), each cell
// coloured as the trace that shows its channel, with a hint naming the channel and its value.
#pragma once

#include "survey/samples_record.h"
#include "survey/trace_records.h"
#include "views/waveform_traces.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

constexpr int kTriggerGridRows = 4;      // three shown
constexpr int kTriggerGridCells = 7;
constexpr int kTriggerEntriesShown = 3;  // the first entries of a record
constexpr std::uint32_t kTriggerCellGrey = 0x808080;
constexpr std::uint32_t kTriggerCellWhite = 0xFFFFFF;

extern const std::array<const char*, 3> TriggerRowNames;  // "Over", "Under", "Transients"

struct TTriggerCell {
    std::uint32_t Colour = kTriggerCellWhite;  // 0x00BBGGRR
    bool Hatched = false;  // no trace chosen at all
    std::string Hint;
    bool operator==(const TTriggerCell&) const = default;
};

struct TGridInfo {
    std::array<TTriggerCell, kTriggerGridCells> Cells{};
    int Filled = 0;
};
using TTriggerGrid = std::array<TGridInfo, kTriggerGridRows>;

// The grid row of a trigger type (1 over; 2, 14 under; 3, 8 transients; 4 the fourth row), -1
// for any other.
int TriggerRow(std::uint8_t triggerType);

// The grid of a record shown with `settings` whose traces show `channels`. A cell's colour is
// that of the first trace with an item on its channel, grey when traces are chosen but none
// shows it, hatched when no trace is chosen, white when the record lacks the input. An entry
// naming no recorder input (channel byte above 6) fills no cell.
TTriggerGrid FillTriggerGrid(const TSamplesRecord& record, const TTraceSettings& settings, const TTraceChannels& channels);

struct TTriggerLabel {
    std::string Text;
    std::uint32_t Colour = 0;
};
// The hints of the filled cells of the shown rows in row and cell order, at most three: the
// trigger labels of the printed and copied view, in the cells' colours (black for white ones).
std::vector<TTriggerLabel> TriggerLabels(const TTriggerGrid& grid);
