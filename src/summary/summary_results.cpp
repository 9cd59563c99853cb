// Packing of the summary results, field by field in file order.
#include "summary/summary_results.h"

static_assert(4 * (4 * kSummaryPhases + 4 + 2 + 4 * kSummaryHarmonicOrders * kSummaryPhases + 2 * kSummaryPhases +
                   kSummaryEventCategories * kSummaryPhases) ==
              TSummaryResults::kPackedSize);

namespace {
// One walk serves packing and unpacking, so the two cannot disagree.
template <typename Io, typename Results>
void Fields(Io& io, Results& r)
{
    auto phases = [&io](auto& values) {
        for (auto& v : values) io(v);
    };
    phases(r.VoltageMin), phases(r.VoltageMax), phases(r.VoltageLowPct), phases(r.VoltageHighPct);
    io(r.FrequencyMin), io(r.FrequencyMax), io(r.FrequencyLowPct), io(r.FrequencyHighPct);
    io(r.UnbalanceMax), io(r.UnbalanceHighPct);
    for (auto* table : {&r.HarmonicMin, &r.HarmonicMax, &r.HarmonicLowPct, &r.HarmonicHighPct})
        for (auto& order : *table) phases(order);
    phases(r.FlickerMax), phases(r.FlickerHighPct);
    for (auto& category : r.EventCounts) phases(category);
}
}  // namespace

void TSummaryResults::Pack(ByteWriter& out) const
{
    FieldPacker packer{out};
    Fields(packer, *this);
}

TSummaryResults TSummaryResults::Unpack(ByteReader& in)
{
    TSummaryResults results;
    FieldUnpacker unpacker{in};
    Fields(unpacker, results);
    return results;
}
