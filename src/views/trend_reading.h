// A trend view's reading of its data file: the one check and the head at creation (file
// header, the layout of the first record, the interval's first and last records), and the
// chosen traces of a record window, read as columns through the one record-window reader.
// Messages go through the message seam.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "graph/data_series.h"
#include "survey/data_file.h"
#include "survey/records.h"
#include "views/trend_layout.h"
#include "views/trend_member.h"
#include "views/trend_scale.h"
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
    std::int64_t FirstIndex = 0;  // record index of the window's first record
    TSharedXs Times;              // shared by the window's traces in the graph
    std::vector<std::uint8_t> Joined;  // JoinFlags of the times
    // For each trace with an item: its plotted column, one value per record.
    std::array<std::vector<double>, kTraceCount> Values;
    bool Complete = true;          // every record of the window was read
    // For each trace: the highest value of its plotted column (-infinity without one).
    std::array<double, kTraceCount> Highest = NoHighest();
    std::uint32_t RecordsRead() const { return static_cast<std::uint32_t>(Times.Size()); }
};

// The times of a view's interval, read by its first pass at creation: every later window of
// the view lies inside the interval, so its plots take their times (and joins) from here and
// read their values only.
struct TIntervalTimes {
    TSharedXs Times;                   // the records read, from the interval's first on
    std::vector<std::uint8_t> Joined;  // JoinFlags of those times
    std::int64_t FirstIndex = 0;       // record index of the interval's first record
};

// The records FirstPos..LastPos of the window (in time order, whichever way its ends are
// given), each chosen trace as the member reads it, and the joins of their points in the
// member's gap unit; reading stops at the first record that cannot be read and the values
// before it stay. A window inside what `interval` holds takes its times and joins from there
// and decodes no stamp. The settings take the time and values of the last record read.
TWindowValues ReadTraceWindow(TDataFile& F, const TRecordWindow& window, const TTrendMember& member,
                              const TTrendLayout& layout, TTraceSettings& traces, const TIntervalTimes* interval = nullptr);

// Joined flag of each record's point (the first point never joins).
std::vector<std::uint8_t> JoinFlags(std::span<const TDateTime> times, std::int64_t periodSeconds);
