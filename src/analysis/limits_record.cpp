// Packing, defaults and value ranges of the limits record.
#include "analysis/limits_record.h"

#include <algorithm>
#include <cmath>
#include <type_traits>

#include "survey/number_text.h"
#include "survey/text_tables.h"

namespace {
template <typename Io, typename Record>
void Fields(Io& io, Record& r, LimitsLayout layout)
{
    // In file order; one walk serves packing and unpacking so the two cannot disagree.
    io(r.VLow), io(r.VHigh), io(r.VPerc), io(r.VRapid), io(r.VOver), io(r.VUnder), io(r.VDepth);
    if (layout == LimitsLayout::Current) io(r.VLow2), io(r.VHigh2), io(r.VPerc2);
    io(r.HzLow1), io(r.HzHigh1), io(r.HzPerc1), io(r.HzLow2), io(r.HzHigh2), io(r.HzPerc2);
    io(r.HzOver), io(r.HzUnder);
    io(r.UnbHigh), io(r.UnbPerc), io(r.UnbOver);
    for (auto& v : r.HHigh) io(v);
    for (auto& v : r.HPerc) io(v);
    io(r.HOver);
    io(r.FlkHigh), io(r.FlkPerc), io(r.FlkOver);
}

constexpr std::array<TLimitsRangeRule, 9> kRules = {{
    {0, 100, false, "Voltage Range must be from 0.0 to 100 %"},
    {0, 100, false, "Frequency Range must be from 0.0 to 100 %"},
    {0, 100, false, "Unbalance Range must be from 0.0 to 100 %"},
    {0, 100, false, "Harmonic Range must be from 0.0 to 100 %"},
    {0, 100, false, "Flicker Range must be from 0.0 to 100 p.u."},
    {1, 100, true, "Percentile must be a whole number from 1 to 100 %"},
    {1, 100, false, "Percentile must be from 1.0 to 100 %"},
    {0, 100, true, "Percentile must be a whole number from 0 to 100 %"},
    {0, 9999, true, "Max expected events must be from 0 to 9999"},
}};
}  // namespace

void TLimitsRecord::Pack(ByteWriter& out, LimitsLayout layout) const
{
    FieldPacker packer{out};
    Fields(packer, *this, layout);
}

TLimitsRecord TLimitsRecord::Unpack(ByteReader& in, LimitsLayout layout)
{
    TLimitsRecord r;
    FieldUnpacker unpacker{in};
    Fields(unpacker, r, layout);
    return r;
}

TLimitsRecord DefaultLimits()
{
    TLimitsRecord r;
    r.VLow = 10, r.VHigh = 10, r.VPerc = 95;
    r.VRapid = 5, r.VOver = 5, r.VUnder = 5, r.VDepth = 5;
    r.VLow2 = 15, r.VHigh2 = 10, r.VPerc2 = 100;
    r.HzLow1 = 1, r.HzHigh1 = 1, r.HzPerc1 = 99.5f;
    r.HzLow2 = 6, r.HzHigh2 = 4, r.HzPerc2 = 100;
    r.HzOver = 5, r.HzUnder = 5;
    r.UnbHigh = 2, r.UnbPerc = 95, r.UnbOver = 5;
    for (std::size_t i = 0; i < r.HHigh.size(); ++i)
        r.HHigh[i] = i < DefaultHarmonicLimits.size() ? DefaultHarmonicLimits[i] : 5.0f;
    r.HPerc.fill(95);
    r.HOver = 5;
    r.FlkHigh = 1, r.FlkPerc = 95, r.FlkOver = 5;
    return r;
}

const TLimitsRangeRule& LimitsRangeRule(LimitsRange range) { return kRules[static_cast<std::size_t>(range)]; }

bool InLimitsRange(LimitsRange range, float value)
{
    const TLimitsRangeRule& rule = LimitsRangeRule(range);
    return value >= rule.Min && value <= rule.Max;
}

namespace {
using R = LimitsRange;
constexpr std::array<TLimitsFieldInfo, kLimitsFieldCount> kFields = {{
    {"VLow", R::VoltageLimit},     {"VHigh", R::VoltageLimit},     {"VPerc", R::Percentile},
    {"VRapid", R::EventCount},     {"VOver", R::EventCount},       {"VUnder", R::EventCount},
    {"VDepth", R::EventCount},     {"VLow2", R::VoltageLimit},     {"VHigh2", R::VoltageLimit},
    {"VPerc2", R::SecondPercentile},
    {"HzLow1", R::FrequencyLimit}, {"HzHigh1", R::FrequencyLimit}, {"HzPerc1", R::FrequencyPercentile},
    {"HzLow2", R::FrequencyLimit}, {"HzHigh2", R::FrequencyLimit}, {"HzPerc2", R::FrequencyPercentile},
    {"HzOver", R::EventCount},     {"HzUnder", R::EventCount},
    {"UnbHigh", R::UnbalanceLimit}, {"UnbPerc", R::Percentile},    {"UnbOver", R::EventCount},
    {"HHigh", R::HarmonicLimit, true}, {"HPerc", R::Percentile, true}, {"HOver", R::EventCount},
    {"FlkHigh", R::FlickerLimit},  {"FlkPerc", R::Percentile},     {"FlkOver", R::EventCount},
}};

// The field's storage: one of the two pointers is set (const for a const record).
template <typename Real, typename Whole>
struct FieldRef {
    Real* real = nullptr;
    Whole* whole = nullptr;
};
template <typename Record>
auto Ref(Record& r, LimitsField field, int index)
    -> FieldRef<std::remove_reference_t<decltype((r.VLow))>, std::remove_reference_t<decltype((r.VPerc))>>
{
    const std::size_t i = static_cast<std::size_t>(std::clamp(index, 0, kHarmonicLimitIndexes - 1));
    using F = LimitsField;
    switch (field) {
    case F::VLow: return {&r.VLow};
    case F::VHigh: return {&r.VHigh};
    case F::VPerc: return {nullptr, &r.VPerc};
    case F::VRapid: return {nullptr, &r.VRapid};
    case F::VOver: return {nullptr, &r.VOver};
    case F::VUnder: return {nullptr, &r.VUnder};
    case F::VDepth: return {nullptr, &r.VDepth};
    case F::VLow2: return {&r.VLow2};
    case F::VHigh2: return {&r.VHigh2};
    case F::VPerc2: return {nullptr, &r.VPerc2};
    case F::HzLow1: return {&r.HzLow1};
    case F::HzHigh1: return {&r.HzHigh1};
    case F::HzPerc1: return {&r.HzPerc1};
    case F::HzLow2: return {&r.HzLow2};
    case F::HzHigh2: return {&r.HzHigh2};
    case F::HzPerc2: return {&r.HzPerc2};
    case F::HzOver: return {nullptr, &r.HzOver};
    case F::HzUnder: return {nullptr, &r.HzUnder};
    case F::UnbHigh: return {&r.UnbHigh};
    case F::UnbPerc: return {nullptr, &r.UnbPerc};
    case F::UnbOver: return {nullptr, &r.UnbOver};
    case F::HHigh: return {&r.HHigh[i]};
    case F::HPerc: return {nullptr, &r.HPerc[i]};
    case F::HOver: return {nullptr, &r.HOver};
    case F::FlkHigh: return {&r.FlkHigh};
    case F::FlkPerc: return {nullptr, &r.FlkPerc};
    case F::FlkOver: return {nullptr, &r.FlkOver};
    }
    return {};
}
}  // namespace

const TLimitsFieldInfo& LimitsFieldInfo(LimitsField field) { return kFields[static_cast<std::size_t>(field)]; }

float LimitsValue(const TLimitsRecord& limits, LimitsField field, int index)
{
    const auto ref = Ref(limits, field, index);
    return ref.real ? *ref.real : ref.whole ? static_cast<float>(*ref.whole) : 0.0f;
}

void SetLimitsValue(TLimitsRecord& limits, LimitsField field, float value, int index)
{
    const auto ref = Ref(limits, field, index);
    if (ref.real) *ref.real = value;
    if (ref.whole) *ref.whole = static_cast<std::int16_t>(static_cast<std::int32_t>(value));
}

std::optional<TUnusableLimit> FirstUnusableLimit(const TLimitsRecord& limits)
{
    for (int f = 0; f < kLimitsFieldCount; ++f) {
        const auto field = static_cast<LimitsField>(f);
        const TLimitsFieldInfo& info = LimitsFieldInfo(field);
        for (int i = 0; i < (info.Indexed ? kHarmonicLimitIndexes : 1); ++i) {
            if (info.Indexed && i == 1) continue;
            const float value = LimitsValue(limits, field, i);
            if (InLimitsRange(info.Range, value)) continue;
            const std::string name =
                info.Indexed ? std::string(info.Name) + "[" + std::to_string(i) + "]" : std::string(info.Name);
            return TUnusableLimit{name, std::isfinite(value) ? FormatFixed(value, LimitsRangeRule(info.Range).Whole ? 0 : 2)
                                                             : std::string("not a number")};
        }
    }
    return std::nullopt;
}
