// Packing and defaults of the analysis parameters.
#include "analysis/analysis_params.h"

#include "platform/messages.h"
#include "survey/number_text.h"
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

int StepWindowDays(int days, bool up)
{
    if (up) return days < kMaxWindowDays ? days + 1 : days;
    return days > 1 ? days - 1 : days;
}

std::optional<std::int16_t> ReadWindowDays(const std::string& text)
{
    std::uint16_t days = 0;
    if (!TryStrToWord(text, days)) return std::nullopt;
    if (!WindowDaysAccepted(days)) {
        ShowError(kWindowDaysMessage);
        return std::nullopt;
    }
    return static_cast<std::int16_t>(days);
}
