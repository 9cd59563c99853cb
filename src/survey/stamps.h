// The packed date and time stamps of the recorder's files and their decoding into date-times.
// DecodeStamp and DecodeStampEx show "Invalid Date" / "Invalid Time" themselves; the Try forms
// are silent and say which part failed, for searches that report a fault once.
#pragma once

#include "platform/date_time.h"
#include "platform/little_endian.h"

#include <cstdint>
#include <optional>
#include <span>

struct TPackedDate {
    std::uint16_t Year = 0;
    std::uint8_t Day = 0;
    std::uint8_t Month = 0;
};

struct TPackedTime {
    std::uint8_t Minute = 0;
    std::uint8_t Hour = 0;
};

// The hundredths byte enters the date-time as that many milliseconds.
struct TPackedTimeEx {
    std::uint8_t Minute = 0;
    std::uint8_t Hour = 0;
    std::uint8_t Hundredths = 0;
    std::uint8_t Second = 0;
};

constexpr std::size_t kPackedDateSize = 4;
constexpr std::size_t kPackedTimeSize = 2;
constexpr std::size_t kPackedTimeExSize = 4;

// Stamps read in turn from a file's bytes (zeros once the reader has failed).
TPackedDate ReadPackedDate(ByteReader& in);
TPackedTimeEx ReadPackedTimeEx(ByteReader& in);
void StorePackedDate(std::uint8_t* p, const TPackedDate& d);
void StorePackedTime(std::uint8_t* p, const TPackedTime& t);
void StorePackedTimeEx(std::uint8_t* p, const TPackedTimeEx& t);

enum class StampFault { None, InvalidDate, InvalidTime };

// The day number of a packed date; false when the date is not a calendar date. Consecutive
// records share their date, so the last day found is kept.
inline bool StampDay(const TPackedDate& date, TDateTime& day)
{
    constexpr std::uint64_t kNone = ~std::uint64_t(0);  // no packed date has this key
    thread_local std::uint64_t lastKey = kNone;
    thread_local TDateTime lastDay = 0;
    const std::uint64_t key = (std::uint64_t(date.Year) << 16) | (std::uint64_t(date.Month) << 8) | date.Day;
    if (key != lastKey) {
        const std::optional<TDateTime> encoded = EncodeDate(date.Year, date.Month, date.Day);
        if (!encoded) return false;
        lastKey = key;
        lastDay = *encoded;
    }
    day = lastDay;
    return true;
}

// The date-time of a stamp into T, silently; false (T untouched, *fault says which part) when
// it does not decode. Inline and free of optionals: every record of a window passes through here.
[[gnu::always_inline]] inline bool StampTime(const TPackedDate& date, const TPackedTimeEx& time, TDateTime& T,
                                             StampFault* fault = nullptr)
{
    TDateTime day = 0;
    StampFault result = StampFault::None;
    if (!StampDay(date, day)) result = StampFault::InvalidDate;
    else if (!IsValidTime(time.Hour, time.Minute, time.Second, time.Hundredths)) result = StampFault::InvalidTime;
    if (fault) *fault = result;
    if (result != StampFault::None) return false;
    T = day + TimeFraction(time.Hour, time.Minute, time.Second, time.Hundredths);
    return true;
}

inline std::optional<TDateTime> TryDecodeStamp(const TPackedDate& date, const TPackedTimeEx& time,
                                               StampFault* fault = nullptr)
{
    TDateTime t = 0;
    if (!StampTime(date, time, t, fault)) return std::nullopt;
    return t;
}
// Shows "Invalid Date" or "Invalid Time" for a fault other than None.
void ShowStampFault(StampFault fault);

// On failure the message is shown and T is left as it was.
bool DecodeStamp(const TPackedDate& date, const TPackedTime& time, TDateTime& T);
bool DecodeStampEx(const TPackedDate& date, const TPackedTimeEx& time, TDateTime& T);

// Stamps of a date-time, for writers and test fixtures.
TPackedDate PackDate(TDateTime t);
TPackedTime PackTime(TDateTime t);
