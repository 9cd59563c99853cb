// A trend view's reading of its data file: the one check and the head at creation (file
// header, the layout of the first record, the interval's first and last records), and the
// chosen traces of a record window, read as columns through the one record-window reader.
// Messages go through the message seam.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "survey/data_file.h"
#include "survey/records.h"
#include "views/trend_layout.h"
#include "views/trend_member.h"
#include "views/trend_window.h"

// Opens the data file of a measure; a file whose header does not check is refused with
// "<measure> survey is corrupted. Unable to open the file." (false, file closed).
bool OpenTrendDataFile(TDataFile& F, const TMeasureFileInfo& info, int measure);

struct TTrendHead {
    TTrendLayout Layout;
    TRecordWindow FullWindow;
    std::uint32_t PeriodRecords = 0;
};

enum class TrendOpenFault {
    None,
    FileRefused,    // header, or a first record that cannot hold what its head announces
    EmptyInterval,  // "No record found."
    RecordUnreadable // a stamp at the interval's ends did not decode (its message shown)
};

struct TTrendOpening {
    TrendOpenFault Fault = TrendOpenFault::None;
    TTrendHead Head;
};

// The member's file over [start, stop]: its layout from the file's first record, and the
// interval's first and last records.
TTrendOpening OpenTrendHead(const TMeasureFileInfo& info, const TTrendMember& member, TDateTime start, TDateTime stop);

struct TWindowValues {
    std::vector<TDateTime> Times;
    // For each trace with an item: its plotted column, one value per record.
    std::array<std::vector<double>, kTraceCount> Values;
    bool Complete = true;          // every record of the window was read
    bool AnyAtLeast1000 = false;   // some chosen trace reached 1000
    std::uint32_t RecordsRead() const { return static_cast<std::uint32_t>(Times.size()); }
};

// The records FirstPos..LastPos of the window (in time order, whichever way its ends are
// given), each chosen trace as the member reads it; reading stops at the first record that
// cannot be read and the values before it stay. The settings take the time and values of the
// last record read.
TWindowValues ReadTraceWindow(TDataFile& F, const TRecordWindow& window, const TTrendMember& member,
                              const TTrendLayout& layout, TTraceSettings& traces);

// Joined flag of each record's point (the first point never joins).
std::vector<std::uint8_t> JoinFlags(const std::vector<TDateTime>& times, std::int64_t periodSeconds);
