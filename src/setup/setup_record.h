// The instrument setup record of a .cfg file: a 60-byte text header and the recorder's settings,
// 553 bytes packed little-endian, with its defaults and its packing. Older files hold the first
// 359 or 533 bytes only. Used by the setup file reader and writer, the editor and its print.
#pragma once

#include "survey/stamps.h"

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

inline constexpr std::size_t kSetupHeaderSize = 60;
inline constexpr std::size_t kSetupRecordSize = 553;
// The sizes older recorders' software wrote.
inline constexpr std::size_t kSetupShortSize = 359;
inline constexpr std::size_t kSetupMidSize = 533;
// The header's text; zero bytes fill the rest of its 60.
inline constexpr std::string_view kSetupHeaderText = "Tarn - Zidevid Phase Monitor Configuration file\r\n\x1a";

// Switch words per harmonic: index 0 THD, then the orders (voltage) or DC and the orders (current).
inline constexpr int kVoltageHarmonicLimits = 26;    // THD, orders 1 to 25
inline constexpr int kVoltageHarmonicSwitches = 51;  // THD, orders 1 to 50
inline constexpr int kCurrentHarmonicEntries = 27;   // THD, DC, orders 1 to 25
inline constexpr int kPowerLimits = 4;               // W, VAr, VA, A
// The fundamental's index, which the editor never shows: voltage order 1, current index 2.
inline constexpr int kVoltageFundamental = 1;
inline constexpr int kCurrentFundamental = 2;
// A packed date whose day is this holds no date.
inline constexpr std::uint8_t kNoDateDay = 255;

// Observation periods are indexes into ObservationPeriodNames (survey/text_tables.h).
struct TSetupRecord {
    std::array<std::uint8_t, kSetupHeaderSize> Header{};
    std::array<std::uint8_t, 2> Reserved60{};
    float VNom = 0;             // V
    std::int16_t Wiring = 0;    // 0 three-phase, 1 monophase
    TPackedTimeEx StartTime{};  // minute, hour, milliseconds (written 0), second
    TPackedDate StartDate{};    // year (two digits in the file), day (255: none), month
    TPackedTimeEx StopTime{};
    TPackedDate StopDate{};
    std::array<std::uint8_t, 3> Reserved84{};
    std::int16_t Printer = 0;
    float VLow = 0, VHigh = 0, VDelta = 0;  // %
    std::int16_t VPeriod = 0;
    std::uint16_t VFlags = 0;  // SetupSwitchBits: voltage; bit 14 start waveform, 15 start/stop waveforms
    float HzLow = 0, HzHigh = 0;  // %
    std::int16_t HzPeriod = 0;
    std::uint16_t HzFlags = 0;
    float FlkHigh = 0;  // p.u.
    std::int16_t FlkPeriod = 0;
    std::uint16_t FlkPlt = 0;  // sliding Plt window, observation periods
    std::uint16_t FlkFlags = 0;
    float UnbHigh = 0;  // %
    std::int16_t UnbPeriod = 0;
    std::uint16_t UnbFlags = 0;
    std::int16_t HPeriod = 0;
    std::int16_t HMode = 0;  // 0 average, 1 peak
    std::array<float, kVoltageHarmonicLimits> HHigh{};  // %
    std::array<std::uint16_t, kVoltageHarmonicSwitches> HFlags{};
    std::uint8_t HGlobal = 0;  // Boolean
    std::uint8_t Reserved346 = 0;
    std::int16_t Frequency = 0;  // 0 50 Hz, 1 60 Hz
    std::int16_t MeterMode = 0;  // 0 phase-phase, 1 phase-neutral
    std::array<float, kPowerLimits> WHigh{};
    std::int16_t WPeriod = 0;
    std::int16_t WCurrent = 0;  // 0 three currents, 1 two currents
    std::uint16_t WFlags = 0;
    std::uint16_t Reserved373 = 0;  // written 0 on every save
    std::array<std::uint8_t, 4> Reserved375{};
    std::int16_t HiPeriod = 0;
    std::array<float, kCurrentHarmonicEntries> HiHigh{};  // %
    std::array<std::uint16_t, kCurrentHarmonicEntries> HiFlags{};
    std::uint8_t HiGlobal = 0;  // Boolean
    std::uint8_t Reserved544 = 0;
    float HiThreshold = 0;  // A
    std::array<std::uint8_t, 4> Reserved549{};

    // All 553 bytes, in file order.
    std::vector<std::uint8_t> Pack() const;
    // The record from the first bytes of a file (at most 553); the fields past them stay 0.
    static TSetupRecord Unpack(std::span<const std::uint8_t> bytes);
    bool operator==(const TSetupRecord&) const;
};

// New Setup: zero-filled, the header text, then the defaults of every setting.
TSetupRecord DefaultSetup();
// What a file shorter than 533 bytes gets for the current harmonics, which it lacks.
void ResetCurrentHarmonics(TSetupRecord& setup);

// The header's text up to its first zero byte (within its 60 bytes) is the setup header.
bool IsSetupHeader(std::span<const std::uint8_t> header);

// The file keeps two-digit years: 0 to 94 are 2000 to 2094, 95 to 99 are 1995 to 1999. A year
// of 100 or more, which only another writer leaves, is kept as it is.
std::uint16_t FourDigitYear(std::uint16_t fileYear);
std::uint16_t TwoDigitYear(std::uint16_t year);
