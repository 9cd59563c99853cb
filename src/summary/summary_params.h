// The summary parameters (795 bytes packed, stored whole in "summary.tmp"): the percentile, the
// limits file's name, the voltage-harmonic orders of the survey's harmonics file and the orders
// chosen for the report, and the limits the report compares against. The summary wizard fills
// the program-wide SummaryParams; the engine copies it, the report reads it back.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "analysis/limits_record.h"

// HarmonicOrders holds one entry per block slot, HarmonicSelected one per order 0 to 50.
constexpr int kSummaryBlockSlots = 53;
constexpr int kSummarySelectableOrders = 51;
// The percentiles a summary accepts, bounds included.
constexpr int kSummaryPercentileMin = 90;
constexpr int kSummaryPercentileMax = 100;
inline constexpr std::string_view kSummaryPercentileMessage = "Percentile must be a whole number from 90 to 100 %";
inline constexpr std::string_view kDefaultLimitsFileName = "default";

struct TSummaryParams {
    static constexpr std::size_t kPackedSize = 795;

    std::uint16_t Percentile = 0;  // 90 to 100; the engine and the report read it as signed
    std::string LimitsFileName;    // the .lim file whose values are in Limits, or "default"
    // Harmonic order of each block of the harmonics file, in block order (0 THD, 1 the
    // fundamental, 2..50), as its first record holds them.
    std::array<std::uint16_t, kSummaryBlockSlots> HarmonicOrders{};
    // By order: present in the harmonics file and, for 0 and 2..25, chosen for the report.
    std::array<bool, kSummarySelectableOrders> HarmonicSelected{};
    TLimitsRecord Limits;

    // The percentile as the engine and the report take it.
    int SignedPercentile() const { return static_cast<std::int16_t>(Percentile); }

    // False when LimitsFileName does not fit its short string (out has failed, see ByteWriter).
    bool Pack(ByteWriter& out) const;
    static TSummaryParams Unpack(ByteReader& in);
    bool operator==(const TSummaryParams&) const = default;
};

// All zero, then percentile 95, limits file "default" and the analysis's default limits but
// for VLow2, VHigh2 and VPerc2, which the summary leaves 0.
void SetDefaultSummaryParams(TSummaryParams& params);
// The program-wide parameters of the summary being prepared or run.
TSummaryParams& SummaryParams();

bool SummaryPercentileValid(int percentile);
