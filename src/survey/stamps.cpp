// Packed stamp loading and decoding.
#include "survey/stamps.h"

#include "platform/little_endian.h"
#include "platform/messages.h"

TPackedDate ReadPackedDate(ByteReader& in)
{
    TPackedDate d;
    d.Year = in.U16();
    d.Day = in.U8();
    d.Month = in.U8();
    return d;
}

TPackedTimeEx ReadPackedTimeEx(ByteReader& in)
{
    TPackedTimeEx t;
    t.Minute = in.U8();
    t.Hour = in.U8();
    t.Hundredths = in.U8();
    t.Second = in.U8();
    return t;
}

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
