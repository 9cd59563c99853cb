// Packing, defaults and value ranges of the limits record.
#include "analysis/limits_record.h"

#include <cmath>

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

struct Packer {
    ByteWriter& out;
    void operator()(float v) const { out.F32(v); }
    void operator()(std::int16_t v) const { out.I16(v); }
};
struct Unpacker {
    ByteReader& in;
    void operator()(float& v) const { v = in.F32(); }
    void operator()(std::int16_t& v) const { v = in.I16(); }
};

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
    Packer packer{out};
    Fields(packer, *this, layout);
}

TLimitsRecord TLimitsRecord::Unpack(ByteReader& in, LimitsLayout layout)
{
    TLimitsRecord r;
    Unpacker unpacker{in};
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

std::optional<TUnusableLimit> FirstUnusableLimit(const TLimitsRecord& r)
{
    std::optional<TUnusableLimit> found;
    auto check = [&found](const std::string& field, LimitsRange range, float value) {
        if (!found && !InLimitsRange(range, value))
            found = TUnusableLimit{field, std::isfinite(value)
                                              ? FormatFixed(value, LimitsRangeRule(range).Whole ? 0 : 2)
                                              : std::string("not a number")};
    };
    using R = LimitsRange;
    check("VLow", R::VoltageLimit, r.VLow), check("VHigh", R::VoltageLimit, r.VHigh);
    check("VPerc", R::Percentile, r.VPerc);
    check("VRapid", R::EventCount, r.VRapid), check("VOver", R::EventCount, r.VOver);
    check("VUnder", R::EventCount, r.VUnder), check("VDepth", R::EventCount, r.VDepth);
    check("VLow2", R::VoltageLimit, r.VLow2), check("VHigh2", R::VoltageLimit, r.VHigh2);
    check("VPerc2", R::SecondPercentile, r.VPerc2);
    check("HzLow1", R::FrequencyLimit, r.HzLow1), check("HzHigh1", R::FrequencyLimit, r.HzHigh1);
    check("HzPerc1", R::FrequencyPercentile, r.HzPerc1);
    check("HzLow2", R::FrequencyLimit, r.HzLow2), check("HzHigh2", R::FrequencyLimit, r.HzHigh2);
    check("HzPerc2", R::FrequencyPercentile, r.HzPerc2);
    check("HzOver", R::EventCount, r.HzOver), check("HzUnder", R::EventCount, r.HzUnder);
    check("UnbHigh", R::UnbalanceLimit, r.UnbHigh), check("UnbPerc", R::Percentile, r.UnbPerc);
    check("UnbOver", R::EventCount, r.UnbOver);
    for (std::size_t i = 0; i < r.HHigh.size(); ++i) {
        if (i == 1) continue;
        const std::string index = "[" + std::to_string(i) + "]";
        check("HHigh" + index, R::HarmonicLimit, r.HHigh[i]);
        check("HPerc" + index, R::Percentile, r.HPerc[i]);
    }
    check("HOver", R::EventCount, r.HOver);
    check("FlkHigh", R::FlickerLimit, r.FlkHigh), check("FlkPerc", R::Percentile, r.FlkPerc);
    check("FlkOver", R::EventCount, r.FlkOver);
    return found;
}
