// The recorder's system events (events of type 16) of a period: their names and parameter texts
// (a system event's channel code is its event code; its other fields carry the parameters), and
// the reading of a period's list. Used by the system events window (sys_event_form.h).
#pragma once

#include "platform/date_time.h"
#include "survey/records.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// By event code 0 to 13.
extern const std::array<std::string_view, 14> SystemEventNames;

// The fields of a system event that carry its parameters, as stored.
struct TSystemEventFields {
    std::int16_t Code = 0;                          // the channel field
    float Threshold = 0;
    std::int32_t Duration = 0;                      // also a packed date (codes 0, 1) or measure bits (3)
    std::array<std::uint8_t, 4> PeakBytes{};        // also a packed extended time (codes 0, 1)
    float Peak() const;
};

// The name of a code; empty outside the table.
std::string SystemEventName(int code);
// The parameters text of a system event; empty for codes without parameters and for values
// outside the tables (a date that does not decode, a measure past the names).
std::string SystemEventParameters(const TSystemEventFields& e);
// Short date and long time; the time left out at midnight.
std::string SystemEventDateText(TDateTime time);

struct TSystemEventRow {
    std::string Date;  // empty when the record's stamp does not decode
    std::string Event;
    std::string Parameters;
};
struct TSystemEventList {
    std::vector<TSystemEventRow> Rows;
    int RecordsRead = 0;  // records of every type read
};
constexpr int kSystemEventsReadLimit = 16000;
// The system events of the events file of `info` in [start, stop], reading at most 16000
// records of the period (without a message). An events file that cannot be opened or read, or a
// period without records, gives an empty list; a stamp that does not decode, its message once.
TSystemEventList ReadSystemEvents(const TMeasureFileInfo& info, TDateTime start, TDateTime stop);
