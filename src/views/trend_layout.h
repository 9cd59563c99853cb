// What the first record of a trend data file says about every record of the view: its head,
// phases, recording period, the statistics offered and where each lies; and how one chosen
// trace is read from a record as columns of the one record-window reader. The members of the
// trend-view family (trend_member.h) name the readers below; the views and their traces
// dialogs use the layout.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/little_endian.h"
#include "survey/record_window_reader.h"
#include "survey/trace_records.h"
#include "views/trend_columns.h"

struct TTrendMember;

// A harmonic block of the first record: each block has its own flags, so its own statistics.
struct TTrendBlock {
    std::uint32_t Start = 0;  // the block's flags word inside a record
    std::uint16_t Flags = 0;
    std::string OrderName;    // "Thd", "1st", "2nd" ...
    std::vector<std::string> StatNames{"none"};  // then the statistics its flags give, in stored order
};

struct TTrendLayout {
    std::vector<std::uint8_t> RecordHead;  // the first record's head, as many bytes as the member's head holds
    bool ThreePhase = false;
    std::int16_t Period = 0;  // recording period, in the member's period unit
    TTrendColumns Columns;     // statistic names, byte offsets per statistic and phase, curve block
    std::vector<TTrendBlock> Blocks;  // harmonic records: the blocks in record order
    int ExtraCurrentPhases = 0;  // powers records: current phases beyond L1 (0 to 2)
    // Powers records: whether the record holds anything for the left and the second Y axis,
    // which a view then shows or hides; nothing where the member's shown flags stand as set.
    std::optional<std::array<bool, 2>> AxesHeld;
    bool PerPhase = false;       // energy records: the per-phase active energies follow the totals

    // Read from a first record (a view whose file was refused has none).
    bool Read() const { return !RecordHead.empty(); }
};

// A chosen trace as record columns: one value, or a pair (a current harmonic's percent and
// ampere); `Plotted` is the column the graph shows.
struct TTraceRead {
    std::vector<TRecordColumn> Columns;
    std::size_t Plotted = 0;
};

// A layout holding the first record's head (its `headSize` bytes) and the recording period at
// `periodAt` inside it; nothing when the record is shorter than its head. Every layout reader
// starts here, then reads its own head fields.
std::optional<TTrendLayout> LayoutOfHead(FieldView firstRecord, std::size_t headSize, std::size_t periodAt);

// Records of phase blocks after the 18-byte head (voltage, frequency, unbalance): three phases
// when the wiring word says so and the file kind keeps a block per phase, else L1 only;
// statistics and columns from the content flags. Nothing when the head is short or the record
// cannot hold every value its flags announce.
std::optional<TTrendLayout> ReadPhaseBlockLayout(const TTrendMember& member, FieldView firstRecord);

// Flicker records after the 25-byte head: per phase the full or the short statistic set (by the
// flicker flags and mode), then a CPF curve when flag bit 0 is set. Nothing when the head is
// short or the record cannot hold what the head announces.
std::optional<TTrendLayout> ReadFlickerLayout(const TTrendMember& member, FieldView firstRecord);

// Powers-and-currents records after the 18-byte head: the groups the content flags name, the
// current phases by the wiring and current-wiring words (BuildPowerColumns). Nothing when the
// head is short or the record cannot hold every group its head announces.
std::optional<TTrendLayout> ReadPowerLayout(const TTrendMember& member, FieldView firstRecord);

// Energy records: the eleven totals, and the per-phase active energies when the per-phase word
// is 0 (BuildEnergyColumns). Nothing when the record cannot hold what that word announces.
std::optional<TTrendLayout> ReadEnergyLayout(const TTrendMember& member, FieldView firstRecord);

// The 32-bit float at the trace's offset, as stored.
TTraceRead SingleValueTrace(const TTrendLayout& layout, const TTraceEntry& entry);
// An energy counter, stored in kWh, kVArh or kVAh, read in Wh, VArh or VAh (x 1000).
TTraceRead EnergyTrace(const TTrendLayout& layout, const TTraceEntry& entry);

// "none" for a trace without item, else the phase name (3 is "3Ph."), a blank and the
// statistic's name ("L2 Maximum", "3Ph. Avg. Active Power").
std::string PhaseStatisticCaption(const TTrendLayout& layout, const TTraceEntry& entry);
