// The setup record's packing, defaults and year rule.
#include "setup/setup_record.h"

#include "platform/little_endian.h"
#include "survey/text_tables.h"

#include <algorithm>
#include <cstring>

namespace {
// One walk over the fields in file order serves packing, unpacking and comparing, so the three
// cannot disagree about the layout.
template <typename Record, typename Io>
void WalkSetup(Record& r, Io&& io)
{
    io(r.Header);
    io(r.Reserved60);
    io(r.VNom);
    io(r.Wiring);
    io(r.StartTime);
    io(r.StartDate);
    io(r.StopTime);
    io(r.StopDate);
    io(r.Reserved84);
    io(r.Printer);
    io(r.VLow);
    io(r.VHigh);
    io(r.VDelta);
    io(r.VPeriod);
    io(r.VFlags);
    io(r.HzLow);
    io(r.HzHigh);
    io(r.HzPeriod);
    io(r.HzFlags);
    io(r.FlkHigh);
    io(r.FlkPeriod);
    io(r.FlkPlt);
    io(r.FlkFlags);
    io(r.UnbHigh);
    io(r.UnbPeriod);
    io(r.UnbFlags);
    io(r.HPeriod);
    io(r.HMode);
    io(r.HHigh);
    io(r.HFlags);
    io(r.HGlobal);
    io(r.Reserved346);
    io(r.Frequency);
    io(r.MeterMode);
    io(r.WHigh);
    io(r.WPeriod);
    io(r.WCurrent);
    io(r.WFlags);
    io(r.Reserved373);
    io(r.Reserved375);
    io(r.HiPeriod);
    io(r.HiHigh);
    io(r.HiFlags);
    io(r.HiGlobal);
    io(r.Reserved544);
    io(r.HiThreshold);
    io(r.Reserved549);
}

struct Packer {
    ByteWriter& out;
    void operator()(std::uint8_t v) const { out.U8(v); }
    void operator()(std::uint16_t v) const { out.U16(v); }
    void operator()(std::int16_t v) const { out.I16(v); }
    void operator()(float v) const { out.F32(v); }
    void operator()(const TPackedTimeEx& t) const
    {
        for (std::uint8_t b : {t.Minute, t.Hour, t.Hundredths, t.Second}) out.U8(b);
    }
    void operator()(const TPackedDate& d) const
    {
        out.U16(d.Year);
        out.U8(d.Day);
        out.U8(d.Month);
    }
    template <typename T, std::size_t N>
    void operator()(const std::array<T, N>& values) const
    {
        for (const T& v : values) (*this)(v);
    }
};

struct Unpacker {
    ByteReader& in;
    void operator()(std::uint8_t& v) const { v = in.U8(); }
    void operator()(std::uint16_t& v) const { v = in.U16(); }
    void operator()(std::int16_t& v) const { v = in.I16(); }
    void operator()(float& v) const { v = in.F32(); }
    void operator()(TPackedTimeEx& t) const { t = ReadPackedTimeEx(in); }
    void operator()(TPackedDate& d) const { d = ReadPackedDate(in); }
    template <typename T, std::size_t N>
    void operator()(std::array<T, N>& values) const
    {
        for (T& v : values) (*this)(v);
    }
};
}  // namespace

std::vector<std::uint8_t> TSetupRecord::Pack() const
{
    ByteWriter out;
    out.Reserve(kSetupRecordSize);
    WalkSetup(*this, Packer{out});
    return out.Take();
}

TSetupRecord TSetupRecord::Unpack(std::span<const std::uint8_t> bytes)
{
    // The record is zero-filled first and takes the bytes the file holds.
    std::array<std::uint8_t, kSetupRecordSize> image{};
    std::copy_n(bytes.begin(), std::min(bytes.size(), image.size()), image.begin());
    ByteReader in(image);
    TSetupRecord record;
    WalkSetup(record, Unpacker{in});
    return record;
}

bool TSetupRecord::operator==(const TSetupRecord& other) const
{
    // Byte for byte, so a float read from a file compares as its bits.
    return Pack() == other.Pack();
}

TSetupRecord DefaultSetup()
{
    TSetupRecord s;
    std::memcpy(s.Header.data(), kSetupHeaderText.data(), kSetupHeaderText.size());
    constexpr std::int16_t kTenMinutes = 2;
    s.VNom = 230.0f;
    s.StartDate.Day = kNoDateDay;
    s.StopDate.Day = kNoDateDay;
    s.VLow = 10.0f;
    s.VHigh = 10.0f;
    s.VDelta = 5.0f;
    s.VPeriod = kTenMinutes;
    s.HzLow = 1.0f;
    s.HzHigh = 1.0f;
    s.HzPeriod = kTenMinutes;
    s.FlkHigh = 1.0f;
    s.FlkPeriod = kTenMinutes;
    s.FlkPlt = 10;
    s.UnbHigh = 10.0f;
    s.UnbPeriod = kTenMinutes;
    s.HPeriod = kTenMinutes;
    s.HHigh = DefaultHarmonicLimits;
    s.WPeriod = kTenMinutes;
    ResetCurrentHarmonics(s);
    return s;
}

void ResetCurrentHarmonics(TSetupRecord& setup)
{
    setup.HiPeriod = 2;
    setup.HiThreshold = 0;
    setup.HiFlags.fill(0);
    setup.HiHigh = DefaultCurrentHarmonicLimits;
    setup.HiGlobal = 0;
}

bool IsSetupHeader(std::span<const std::uint8_t> header)
{
    const std::span<const std::uint8_t> field = header.first(std::min(header.size(), kSetupHeaderSize));
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    const std::size_t length = static_cast<std::size_t>(end - field.begin());
    return length == kSetupHeaderText.size() &&
           std::equal(field.begin(), end, kSetupHeaderText.begin(),
                      [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); });
}

std::uint16_t FourDigitYear(std::uint16_t fileYear)
{
    if (fileYear >= 100) return fileYear;
    return static_cast<std::uint16_t>(fileYear < 95 ? 2000 + fileYear : 1900 + fileYear);
}

std::uint16_t TwoDigitYear(std::uint16_t year) { return static_cast<std::uint16_t>(year % 100); }
