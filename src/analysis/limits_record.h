// The limits record: every limit a survey is judged against (380 bytes packed, the whole content
// of a .lim file), its defaults, and the ranges in which the limits editor and the limits-file
// reader accept its values. Used by the analysis and summary parameters, the limits editor and
// the report file.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/little_endian.h"

// High limit and percentile per voltage-harmonic index: 0 THD, 1 the fundamental, 2..50 orders.
constexpr int kHarmonicLimitIndexes = 51;

// Older reports store the limits without VLow2, VHigh2 and VPerc2 (bytes 18 to 27).
enum class LimitsLayout { Current, WithoutSecondLimits };

struct TLimitsRecord {
    static constexpr std::size_t kPackedSize = 380;
    static constexpr std::size_t kPackedSizeWithoutSecondLimits = 370;

    // Percent limits are percent of the nominal value; FlkHigh is p.u.
    float VLow = 0, VHigh = 0;
    std::int16_t VPerc = 0;
    std::int16_t VRapid = 0, VOver = 0, VUnder = 0, VDepth = 0;  // maximum expected events
    float VLow2 = 0, VHigh2 = 0;
    std::int16_t VPerc2 = 0;
    float HzLow1 = 0, HzHigh1 = 0, HzPerc1 = 0;
    float HzLow2 = 0, HzHigh2 = 0, HzPerc2 = 0;
    std::int16_t HzOver = 0, HzUnder = 0;
    float UnbHigh = 0;
    std::int16_t UnbPerc = 0, UnbOver = 0;
    std::array<float, kHarmonicLimitIndexes> HHigh{};
    std::array<std::int16_t, kHarmonicLimitIndexes> HPerc{};
    std::int16_t HOver = 0;
    float FlkHigh = 0;
    std::int16_t FlkPerc = 0, FlkOver = 0;

    void Pack(ByteWriter& out, LimitsLayout layout = LimitsLayout::Current) const;
    // The fields a layout lacks stay 0.
    static TLimitsRecord Unpack(ByteReader& in, LimitsLayout layout = LimitsLayout::Current);
    bool operator==(const TLimitsRecord&) const = default;
};

// The limits the analysis starts from. The summary takes the same but for VLow2, VHigh2 and
// VPerc2, which it leaves 0.
TLimitsRecord DefaultLimits();

// What a field accepts; bounds included.
enum class LimitsRange {
    VoltageLimit,         // %, 0 to 100
    FrequencyLimit,       // %, 0 to 100
    UnbalanceLimit,       // %, 0 to 100
    HarmonicLimit,        // %, 0 to 100
    FlickerLimit,         // p.u., 0 to 100
    Percentile,           // whole %, 1 to 100
    FrequencyPercentile,  // %, 1 to 100
    SecondPercentile,     // whole %, 0 to 100: VPerc2, which the summary and older reports leave 0
    EventCount,           // 0 to 9999
};
struct TLimitsRangeRule {
    float Min = 0, Max = 0;
    bool Whole = false;          // an integer field
    std::string_view Message;    // the error shown for a value outside the range
};
const TLimitsRangeRule& LimitsRangeRule(LimitsRange range);
// False for NaN.
bool InLimitsRange(LimitsRange range, float value);

// The record's fields, for the editor's edits and the file check: each with its name and
// range. HHigh and HPerc are indexed 0 to 50.
enum class LimitsField {
    VLow, VHigh, VPerc, VRapid, VOver, VUnder, VDepth, VLow2, VHigh2, VPerc2,
    HzLow1, HzHigh1, HzPerc1, HzLow2, HzHigh2, HzPerc2, HzOver, HzUnder,
    UnbHigh, UnbPerc, UnbOver, HHigh, HPerc, HOver, FlkHigh, FlkPerc, FlkOver,
};
constexpr int kLimitsFieldCount = static_cast<int>(LimitsField::FlkOver) + 1;
struct TLimitsFieldInfo {
    std::string_view Name;
    LimitsRange Range;
    bool Indexed = false;  // HHigh, HPerc
};
const TLimitsFieldInfo& LimitsFieldInfo(LimitsField field);
// A field's value (whole fields widened); `index` only for the indexed fields, 0 to 50.
float LimitsValue(const TLimitsRecord& limits, LimitsField field, int index = 0);
// Stores a value; whole fields take it as a 16-bit integer.
void SetLimitsValue(TLimitsRecord& limits, LimitsField field, float value, int index = 0);

// The first value an engine could not use (outside its field's range): the field's name and
// value as text; nothing when every value is usable. The fundamental's limit and percentile
// (index 1) are never judged, so they are not checked.
struct TUnusableLimit {
    std::string Field;  // "VPerc", "HHigh[3]"
    std::string Value;
};
std::optional<TUnusableLimit> FirstUnusableLimit(const TLimitsRecord& limits);
