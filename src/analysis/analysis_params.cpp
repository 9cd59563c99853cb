// Packing and defaults of the analysis parameters.
#include "analysis/analysis_params.h"

#include "survey/text_tables.h"

static_assert(TLimitsRecord::kPackedSize + 4 == TAnalysisParams::kPackedSize);
static_assert(TLimitsRecord::kPackedSizeWithoutSecondLimits + 4 == TAnalysisParams::kPackedSizeWithoutSecondLimits);

void TAnalysisParams::Pack(ByteWriter& out, LimitsLayout layout) const
{
    out.I16(WindowDays);
    out.I16(PeriodIndex);
    Limits.Pack(out, layout);
}

TAnalysisParams TAnalysisParams::Unpack(ByteReader& in, LimitsLayout layout)
{
    TAnalysisParams params;
    params.WindowDays = in.I16();
    params.PeriodIndex = in.I16();
    params.Limits = TLimitsRecord::Unpack(in, layout);
    return params;
}

void SetDefaultAnalysisParams(TAnalysisParams& params)
{
    params = TAnalysisParams{};
    params.WindowDays = 7;
    params.PeriodIndex = 2;
    params.Limits = DefaultLimits();
}

TAnalysisParams& AnalysisParams()
{
    static TAnalysisParams params;
    return params;
}

int ObservationPeriodMinutes(int periodIndex)
{
    // The table counts its choices from 1.
    return periodIndex >= 0 && periodIndex < kObservationPeriodChoices
               ? ObservationPeriods[static_cast<std::size_t>(periodIndex + 1)]
               : 0;
}
