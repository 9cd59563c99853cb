// Packed stamp loading and decoding.
#include "survey/stamps.h"

#include "platform/little_endian.h"
#include "platform/messages.h"

TPackedDate LoadPackedDate(const std::uint8_t* p) { return {LoadU16(p), p[2], p[3]}; }
TPackedTime LoadPackedTime(const std::uint8_t* p) { return {p[0], p[1]}; }
TPackedTimeEx LoadPackedTimeEx(const std::uint8_t* p) { return {p[0], p[1], p[2], p[3]}; }

void StorePackedDate(std::uint8_t* p, const TPackedDate& d)
{
    StoreU16(p, d.Year);
    p[2] = d.Day;
    p[3] = d.Month;
}

void StorePackedTime(std::uint8_t* p, const TPackedTime& t)
{
    p[0] = t.Minute;
    p[1] = t.Hour;
}

void StorePackedTimeEx(std::uint8_t* p, const TPackedTimeEx& t)
{
    p[0] = t.Minute;
    p[1] = t.Hour;
    p[2] = t.Hundredths;
    p[3] = t.Second;
}

void ShowStampFault(StampFault fault)
{
    if (fault == StampFault::InvalidDate) ShowError("Invalid Date");
    if (fault == StampFault::InvalidTime) ShowError("Invalid Time");
}

bool DecodeStampEx(const TPackedDate& date, const TPackedTimeEx& time, TDateTime& T)
{
    StampFault fault = StampFault::None;
    auto t = TryDecodeStamp(date, time, &fault);
    if (!t) {
        ShowStampFault(fault);
        return false;
    }
    T = *t;
    return true;
}

bool DecodeStamp(const TPackedDate& date, const TPackedTime& time, TDateTime& T)
{
    return DecodeStampEx(date, TPackedTimeEx{time.Minute, time.Hour, 0, 0}, T);
}

TPackedDate PackDate(TDateTime t)
{
    DateTimeParts p = DecodeDateTime(t);
    return {static_cast<std::uint16_t>(p.year), static_cast<std::uint8_t>(p.day), static_cast<std::uint8_t>(p.month)};
}

TPackedTime PackTime(TDateTime t)
{
    DateTimeParts p = DecodeDateTime(t);
    return {static_cast<std::uint8_t>(p.minute), static_cast<std::uint8_t>(p.hour)};
}
