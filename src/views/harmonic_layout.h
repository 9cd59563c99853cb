// The harmonics views' layouts: the harmonic blocks of the file's first record, each with its
// own flags, order and statistics; where a trace's value lies (block, statistic, phase); its
// legend caption; and, for voltage harmonics, where a block's density curve lies in a record.
// Used by the two harmonics trend members, their traces dialogs (TTracesHrmDlg,
// TTracesHrmCurrDlg) and the curve window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/little_endian.h"
#include "views/trend_layout.h"

// The blocks walked from the first record's 16-byte head. Nothing (a corrupt file) when the
// head is short, the block count exceeds the blocks a record may hold (kMaxHarmonicBlocks), a
// block's L1 channel code lies outside the harmonic channels, or the walk runs past the record.
std::optional<TTrendLayout> ReadHarmonicBlockLayout(const TTrendMember& member, FieldView firstRecord);

// Byte offset in a record of statistic `stat` (1: the first value of the block's phase part,
// whichever flags it has) of phase `phase` of block `block`; the phase stride is the phase part
// alone, the 12 bytes per phase of flag 0x100 lying after the last phase. -1 (no record holds
// it) for a block or statistic the layout does not have.
std::int32_t HarmonicValueOffset(const TTrendLayout& layout, int block, int stat, int phase);

// "none" without item, else the phase, the order, " - " and the statistic ("L1 5th - Average").
std::string HarmonicTraceCaption(const TTrendLayout& layout, const TTraceEntry& entry);

// The current-harmonics blocks walked from the first record's 12-byte head, named by their
// index ("Thd", "DC", "1st" ...), each offering "Minimum", "Average", "Maximum" when its flags
// hold 2. Nothing (a corrupt file) as for ReadHarmonicBlockLayout.
std::optional<TTrendLayout> ReadCurrentHarmonicBlockLayout(const TTrendMember& member, FieldView firstRecord);

// Byte offset in a current-harmonics record of the percent value of statistic `stat` (1
// minimum, 2 average, 3 maximum) of phase `phase` of block `block`; its ampere value lies 4
// bytes on. -1 for a block or statistic the layout does not have.
std::int32_t CurrentHarmonicValueOffset(const TTrendLayout& layout, int block, int stat, int phase);

// A current harmonic read as its pair, percent then ampere; the one its axis shows is plotted
// (the ampere on the second axis).
TTraceRead CurrentHarmonicTrace(const TTrendLayout& layout, const TTraceEntry& entry);

// "none" without item, else the phase, the order, " - " and the statistic with its unit as the
// axis says ("L1 5th - Average(%)", "L3 Thd - Maximum(A)").
std::string CurrentHarmonicTraceCaption(const TTrendLayout& layout, const TTraceEntry& entry);

// The blocks whose records carry a density curve (flag 32), in block order.
std::vector<TTrendBlock> HarmonicCurveBlocks(const TTrendLayout& layout);
// Offset in a record of the sample total of a block's density curve of phase `phase` (0 to 2).
std::int64_t HarmonicCurveTotalAt(const TTrendBlock& block, int phase);
