// What the first record of a trend data file says about every record of the view: its head,
// phases, recording period, the statistics offered and where each lies; and how one chosen
// trace is read from a record as columns of the one record-window reader. The members of the
// trend-view family (trend_member.h) name the readers below; the views and their traces
// dialogs use the layout.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/little_endian.h"
#include "survey/record_window_reader.h"
#include "survey/trace_records.h"
#include "views/trend_columns.h"

struct TTrendMember;

struct TTrendLayout {
    std::vector<std::uint8_t> RecordHead;  // the first record's head, as many bytes as the member's head holds
    bool ThreePhase = false;
    std::int16_t Period = 0;  // recording period, in the member's period unit
    TTrendColumns Columns;     // statistic names, byte offsets per statistic and phase, curve block
};

// A chosen trace as record columns: one value, or a pair (a current harmonic's percent and
// ampere); `Plotted` is the column the graph shows.
struct TTraceRead {
    std::vector<TRecordColumn> Columns;
    std::size_t Plotted = 0;
};

// Records of phase blocks after the 18-byte head (voltage, frequency, unbalance): three phases
// when the wiring word says so and the file kind keeps a block per phase, else L1 only;
// statistics and columns from the content flags. Nothing when the head is short or the record
// cannot hold every value its flags announce.
std::optional<TTrendLayout> ReadPhaseBlockLayout(const TTrendMember& member, FieldView firstRecord);

// The 32-bit float at the trace's offset, as stored.
TTraceRead SingleValueTrace(const TTrendLayout& layout, const TTraceEntry& entry);

// "none" for a trace without item, else the phase name, a blank and the statistic's name
// ("L2 Maximum").
std::string PhaseStatisticCaption(const TTrendLayout& layout, const TTraceEntry& entry);
