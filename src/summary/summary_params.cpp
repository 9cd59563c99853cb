// Packing and defaults of the summary parameters.
#include "summary/summary_params.h"

#include "survey/records.h"

// Percentile, limits file name (length byte and 255 bytes), block orders, chosen orders, limits.
static_assert(2 + 1 + kShortStringCapacity + 2 * kSummaryBlockSlots + kSummarySelectableOrders +
                  TLimitsRecord::kPackedSize ==
              TSummaryParams::kPackedSize);

bool TSummaryParams::Pack(ByteWriter& out) const
{
    out.U16(Percentile);
    const bool fits = out.ShortString(LimitsFileName, kShortStringCapacity);
    for (std::uint16_t order : HarmonicOrders) out.U16(order);
    for (bool selected : HarmonicSelected) out.Bool(selected);
    Limits.Pack(out);
    return fits;
}

TSummaryParams TSummaryParams::Unpack(ByteReader& in)
{
    TSummaryParams params;
    params.Percentile = in.U16();
    params.LimitsFileName = in.ShortString(kShortStringCapacity);
    for (std::uint16_t& order : params.HarmonicOrders) order = in.U16();
    for (auto&& selected : params.HarmonicSelected) selected = in.Bool();
    params.Limits = TLimitsRecord::Unpack(in);
    return params;
}

void SetDefaultSummaryParams(TSummaryParams& params)
{
    params = TSummaryParams{};
    params.Percentile = 95;
    params.LimitsFileName = kDefaultLimitsFileName;
    params.Limits = DefaultLimits();
    params.Limits.VLow2 = 0;
    params.Limits.VHigh2 = 0;
    params.Limits.VPerc2 = 0;
}

TSummaryParams& SummaryParams()
{
    static TSummaryParams params;
    return params;
}

bool SummaryPercentileValid(int percentile)
{
    return percentile >= kSummaryPercentileMin && percentile <= kSummaryPercentileMax;
}
