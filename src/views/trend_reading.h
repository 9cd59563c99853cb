// A trend view's reading of its data file: the one check and the head at creation (file
// header, first record's head, the interval's first and last records), and the values of a
// record window read in large blocks. Messages go through the message seam.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "survey/data_file.h"
#include "survey/record_readers.h"
#include "survey/records.h"
#include "views/trend_columns.h"
#include "views/trend_window.h"

// Opens the data file of a measure; a file whose header does not check is refused with
// "<measure> survey is corrupted. Unable to open the file." (false, file closed).
bool OpenTrendDataFile(TDataFile& F, const TMeasureFileInfo& info, int measure);

struct TTrendHead {
    std::array<std::uint8_t, 18> RecordHead{};
    bool ThreePhase = false;
    std::int16_t Period = 0;
    std::uint16_t Flags = 0;
    TRecordWindow FullWindow;
    std::uint32_t PeriodRecords = 0;
    TTrendColumns Columns;
};

enum class TrendOpenFault {
    None,
    FileRefused,    // header, or records too small for what their flags announce
    EmptyInterval,  // "No record found."
    RecordUnreadable // a stamp at the interval's ends did not decode (its message shown)
};

struct TTrendOpening {
    TrendOpenFault Fault = TrendOpenFault::None;
    TTrendHead Head;
};

// Voltage, frequency and unbalance files. `traces` takes the time of the last record read.
TTrendOpening OpenTrendHead(const TMeasureFileInfo& info, int measure, int curveClasses, TDateTime start, TDateTime stop,
                            TTraceSettings& traces);

// One record into the settings; shows the stamp's message itself.
using TrendRecordReader = std::function<bool(RecordBytes record, TTraceSettings& S)>;

struct TWindowValues {
    std::vector<TDateTime> Times;
    // For each trace with an item: the values as read, widened to the graph's doubles.
    std::array<std::vector<double>, kTraceCount> Values;
    bool Complete = true;          // every record of the window was read
    bool AnyAtLeast1000 = false;   // some chosen trace reached 1000
    std::uint32_t RecordsRead() const { return static_cast<std::uint32_t>(Times.size()); }
};

// The values of the window before its records are read: room for every record and chosen
// trace, and the window's first and last record indexes (Complete false when they are not
// records of F).
TWindowValues StartWindowValues(TDataFile& F, const TRecordWindow& window, const TTraceSettings& S,
                                std::int64_t& first, std::int64_t& last);

// The records FirstPos..LastPos of the window (in time order), stopping at the first record
// that cannot be read; the values read before it stay. A template, so `read` (a callable like
// TrendRecordReader) is called directly for every record of the window.
template <typename Reader>
TWindowValues ReadWindowValues(TDataFile& F, const TRecordWindow& window, TTraceSettings& S, const Reader& read)
{
    std::int64_t first = 0, last = 0;
    TWindowValues result = StartWindowValues(F, window, S, first, last);
    if (!result.Complete) return result;
    // The chosen traces listed once, so each record visits only them.
    std::array<std::size_t, kTraceCount> chosen{};
    std::size_t chosenCount = 0;
    for (std::size_t k = 0; k < kTraceCount; ++k)
        if (S.Entries[k].Item > 0) chosen[chosenCount++] = k;
    RecordBlockReader reader(F, first, last);
    for (auto record = reader.Next(); !record.empty(); record = reader.Next()) {
        if (!read(record, S)) {
            result.Complete = false;
            return result;
        }
        result.Times.push_back(S.RecordTime);
        for (std::size_t c = 0; c < chosenCount; ++c) {
            const std::size_t k = chosen[c];
            const float v = S.Entries[k].Value;
            result.Values[k].push_back(v);
            if (v >= 1000) result.AnyAtLeast1000 = true;
        }
    }
    if (reader.Failed() || result.Times.size() != static_cast<std::size_t>(last - first + 1)) result.Complete = false;
    return result;
}

// Joined flag of each record's point (the first point never joins).
std::vector<std::uint8_t> JoinFlags(const std::vector<TDateTime>& times, std::int64_t periodSeconds);
