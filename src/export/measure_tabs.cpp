// Rules of the export wizard's measure tabs.
#include "export/measure_tabs.h"

#include "platform/little_endian.h"
#include "survey/data_file.h"
#include "survey/data_layout.h"
#include "survey/text_tables.h"

#include <algorithm>

namespace {
std::vector<std::string> Captions(std::span<const std::string_view> names) { return {names.begin(), names.end()}; }
const std::vector<std::string> kStatisticCaptions = Captions(TrendStatNames);

// The energy boxes: the totals (without the trailing blank a title keeps), then the received and
// the delivered energy of each phase.
std::vector<std::string> EnergyCaptions()
{
    std::vector<std::string> captions;
    for (std::string_view name : EnergyTotalNames)
        captions.emplace_back(name.substr(0, name.find_last_not_of(' ') + 1));
    for (std::size_t k = 0; k < 6; ++k)
        captions.push_back(captions[k < 3 ? 0 : 1] + " " + std::string(PhaseNames[k % 3 + 1]));
    return captions;
}

// "CBoxVm1" ... "CBoxVm9".
std::vector<std::string> Numbered(const std::string& prefix, int count)
{
    std::vector<std::string> names;
    for (int i = 1; i <= count; ++i) names.push_back(prefix + std::to_string(i));
    return names;
}

// Items ticked at first.
constexpr std::size_t kAverage = 1, kFlickerPlt = 7, kAvgActive = 1, kAvgReactive = 4, kAvgApparent = 7, kAvgCurrent = 10;
}  // namespace

const std::array<TExportTabLayout, 9> kExportTabs = {{
    {MeasureVoltage, "Voltage", kStatisticCaptions, Numbered("CBoxVm", 9), "Phase",
     {"CBoxVL1", "CBoxVL2", "CBoxVL3"}, "BtnSetV", "BtnClearV"},
    {MeasureFrequency, "Frequency", kStatisticCaptions, Numbered("CBoxHz", 9), nullptr, {}, "BtnSelHz",
     "BtnClearHz"},
    {MeasureUnbalance, "Unbalance", kStatisticCaptions, Numbered("CBoxUn", 9), nullptr, {}, "BtnSetUn",
     "BtnClearUn"},
    {MeasureVoltageHarmonics, "Voltage Harmonics", kStatisticCaptions, Numbered("CBoxHm", 9), "Phase",
     {"CBoxHL1", "CBoxHL2", "CBoxHL3"}, "BtnSetH", "BtnClearH"},
    {MeasureCurrentHarmonics, "Current Harmonics", Captions(std::span(TrendStatNames).first(3)), Numbered("CBoxHmi", 3),
     "Phase", {"CBoxHIL1", "CBoxHIL2", "CBoxHIL3"}, "BtnSetHi", "BtnClearHi"},
    {MeasureFlicker, "Flicker", Captions(FlickerStatNames), Numbered("CBoxFl", 8),
     "Phase", {"CBoxFlL1", "CBoxFlL2", "CBoxFlL3"}, "BtnSetFl", "BtnClearFl"},
    {MeasureEvents, "Alarms",
     {"Voltage", "Frequency", "Unbalance", "Harmonics", "Flicker", "Powers && Currents", "Over", "Under", "Fast Variation",
      "Digital Inputs", "Interruption"},
     {"CBoxAl1", "CBoxAl2", "CBoxAl3", "CBoxAl4", "CBoxAl5", "CBoxAl6", "CBoxOver", "CBoxUnder", "CBoxFast", "CBoxAl7",
      "CBoxInterruption"},
     "Phase", {"CBoxAlL1", "CBoxAlL2", "CBoxAlL3"}, "BtnSetAl", "BtnClearAl"},
    {MeasurePowers, "Powers && Currents", Captions(PowerItemNames), Numbered("CBoxWm", 12), "Current Phase",
     {"CBoxWL1", "CBoxWL2", "CBoxWL3"}, "BtnSetW", "BtnClearW"},
    {MeasureEnergy, "Energy", EnergyCaptions(), Numbered("CBoxEn", 17), "Current Phase",
     {"CBoxEnL1", "CBoxEnL2", "CBoxEnL3"}, "BtnSetEn", "BtnClearEn"},
}};

const TExportTabLayout* ExportTabOf(int measure)
{
    for (const TExportTabLayout& tab : kExportTabs)
        if (tab.Measure == measure) return &tab;
    return nullptr;
}

namespace {
std::size_t ItemCount(int measure)
{
    const TExportTabLayout* tab = ExportTabOf(measure);
    return tab ? tab->ItemCaptions.size() : 0;
}

// Items 0-8 of the trend statistics by their groups' flags.
void OfferStatistics(std::uint16_t flags, std::array<bool, TExportMeasureSel::kItemCapacity>& items)
{
    for (int v = 0; v < kTrendValueCount; ++v)
        items[static_cast<std::size_t>(v)] = (flags & TrendValueFlag(static_cast<TrendValue>(v))) != 0;
}

void OfferPhases(TExportMeasureSel& block, bool first, bool second, bool third) { block.Phases = {first, second, third}; }

// The block table of a harmonics record, the first block's statistics, the first block chosen.
bool OfferHarmonics(std::span<const std::uint8_t> record, bool current, TExportParams& params)
{
    const auto blocks = HarmonicBlocks(record, current);
    FieldView head(record);
    const bool threePhase = IsThreePhaseWiring(head.U16(current ? CurrentHarmonicsHead::Wiring : HarmonicsHead::Wiring));
    if (!blocks || !head.Ok()) return false;
    TExportMeasureSel& block = params.Measure(current ? MeasureCurrentHarmonics : MeasureVoltageHarmonics);
    HarmonicNumbers& flags = current ? params.CurrentHarmonicFlags : params.VoltageHarmonicFlags;
    HarmonicNumbers& orders = current ? params.CurrentOrders : params.VoltageOrders;
    const std::size_t count = std::min<std::size_t>(blocks->size(), kHarmonicListCapacity);
    for (std::size_t i = 0; i < count; ++i) {
        flags[i] = (*blocks)[i].flags;
        orders[i] = (*blocks)[i].order;
    }
    (current ? params.CurrentOrderCount : params.VoltageOrderCount) = static_cast<std::int32_t>(count);
    (current ? params.CurrentChosen : params.VoltageChosen)[0] = orders[0];
    (current ? params.CurrentChosenCount : params.VoltageChosenCount) = count > 0 ? 1 : 0;
    if (count > 0) {
        if (current) block.Items[0] = block.Items[1] = block.Items[2] = (flags[0] & FlagMinAvgMax) != 0;
        else OfferStatistics(flags[0], block.Items);
    }
    block.Present = block.Items;
    OfferPhases(block, true, threePhase, threePhase);
    return head.Ok();
}
}  // namespace

bool ReadMeasureAvailability(int measure, const std::string& dataFile, TExportParams& params)
{
    TExportMeasureSel& block = params.Measure(measure);
    block.Items = {};
    block.Present = {};
    block.Phases = {};
    if (measure == MeasureEvents) {
        std::fill_n(block.Items.begin(), ItemCount(MeasureEvents), true);
        OfferPhases(block, true, true, true);
        return true;
    }
    TDataFile file;
    Bytes record;
    if (file.Open(dataFile, measure) != DataFileFault::None || !file.ReadRecord(file.RecordPosition(0), record)) return false;
    FieldView head(record);
    switch (measure) {
    case MeasureVoltage:
    case MeasureFrequency:
    case MeasureUnbalance: {
        OfferStatistics(head.U16(TrendHead::Flags), block.Items);
        const bool threePhase = IsThreePhaseWiring(head.U16(TrendHead::Wiring));
        OfferPhases(block, true, threePhase, threePhase);
        break;
    }
    case MeasureVoltageHarmonics:
    case MeasureCurrentHarmonics:
        if (!OfferHarmonics(record, measure == MeasureCurrentHarmonics, params)) return false;
        break;
    case MeasureFlicker: {
        const bool full = FlickerUsesFullSet(head.U16(FlickerHead::Flags), head.U8(FlickerHead::Mode));
        for (std::size_t i = 0; i < 8; ++i) block.Items[i] = full || i == 0 || i == 7;
        const bool threePhase = IsThreePhaseWiring(head.U16(FlickerHead::Wiring));
        OfferPhases(block, true, threePhase, threePhase);
        break;
    }
    case MeasurePowers: {
        const std::uint16_t flags = head.U16(PowerHead::Flags);
        const bool threePhase = IsThreePhaseWiring(head.U16(PowerHead::Wiring));
        const std::uint16_t groups[] = {FlagActivePower, FlagReactivePower, FlagApparentPower, FlagCurrents};
        for (std::size_t i = 0; i < 12; ++i) block.Items[i] = (flags & groups[i / 3]) != 0;
        const bool currents = (flags & FlagCurrents) != 0;
        OfferPhases(block, currents, currents && threePhase, currents && threePhase && head.U16(PowerHead::CurrentWiring) == 0);
        break;
    }
    case MeasureEnergy: {
        const std::int16_t perPhase = head.I16(EnergyField::PerPhase);
        for (std::size_t i = 0; i < 17; ++i) block.Items[i] = i < 11 ? perPhase >= 0 : perPhase == 0;
        OfferPhases(block, true, perPhase == 0, perPhase == 0);
        break;
    }
    default: return false;
    }
    if (!head.Ok()) {
        block.Items = {};
        block.Phases = {};
        return false;
    }
    return true;
}

TTabState InitialTabState(int measure, const TExportMeasureSel& available)
{
    TTabState tab;
    tab.Items.resize(ItemCount(measure));
    for (std::size_t i = 0; i < tab.Items.size(); ++i) tab.Items[i].Enabled = available.Items[i];
    for (std::size_t p = 0; p < 3; ++p) tab.Phases[p].Enabled = available.Phases[p];
    auto tickIfEnabled = [&](std::size_t item) { tab.Items[item].Checked = tab.Items[item].Enabled; };
    auto usualPhases = [&] {
        tab.Phases[0].Checked = true;
        for (std::size_t p = 1; p < 3; ++p) tab.Phases[p].Checked = tab.Phases[p].Enabled;
    };
    switch (measure) {
    case MeasureVoltage:
    case MeasureVoltageHarmonics:
    case MeasureCurrentHarmonics:
        tickIfEnabled(kAverage);
        usualPhases();
        break;
    case MeasureFrequency:
    case MeasureUnbalance: tickIfEnabled(kAverage); break;
    case MeasureFlicker:
        tickIfEnabled(kFlickerPlt);
        usualPhases();
        break;
    case MeasureEvents: SetAllBoxes(tab); break;
    case MeasurePowers: {
        for (std::size_t item : {kAvgActive, kAvgReactive, kAvgApparent, kAvgCurrent}) tickIfEnabled(item);
        // The phases follow the currents.
        const bool currents = tab.Items[kAvgCurrent].Enabled;
        tab.Phases[0].Checked = currents;
        for (std::size_t p = 1; p < 3; ++p) tab.Phases[p].Checked = currents && tab.Phases[p].Enabled;
        break;
    }
    case MeasureEnergy:
        for (std::size_t i = 0; i < tab.Items.size(); ++i) tickIfEnabled(i);
        usualPhases();
        break;
    default: break;
    }
    return tab;
}

void SetAllBoxes(TTabState& tab)
{
    for (TTabBox& box : tab.Items) box.Checked = box.Enabled;
    for (TTabBox& box : tab.Phases) box.Checked = box.Enabled;
}

void ClearAllBoxes(TTabState& tab)
{
    for (TTabBox& box : tab.Items) box.Checked = false;
    for (TTabBox& box : tab.Phases) box.Checked = false;
}

namespace {
bool AnyTicked(const TTabState& tab, std::size_t first, std::size_t end)
{
    for (std::size_t i = first; i < end && i < tab.Items.size(); ++i)
        if (tab.Items[i].Checked) return true;
    return false;
}

template <std::size_t N>
bool AnyTicked(const TTabState& tab, const std::array<int, N>& items)
{
    return std::any_of(items.begin(), items.end(), [&](int i) { return tab.Items[static_cast<std::size_t>(i)].Checked; });
}

int Ticked(const std::array<bool, TExportMeasureSel::kItemCapacity>& items, std::size_t first, std::size_t end)
{
    return static_cast<int>(std::count(items.begin() + static_cast<std::ptrdiff_t>(first), items.begin() + static_cast<std::ptrdiff_t>(end), true));
}
}  // namespace

int TickedPhases(const TTabState& tab)
{
    return static_cast<int>(std::count_if(tab.Phases.begin(), tab.Phases.end(), [](const TTabBox& b) { return b.Checked; }));
}

bool TabIsValid(int measure, const TTabState& tab)
{
    const bool anyItem = AnyTicked(tab, 0, tab.Items.size());
    const bool anyPhase = TickedPhases(tab) > 0;
    switch (measure) {
    case MeasureFrequency:
    case MeasureUnbalance: return anyItem;
    case MeasureEvents: return AnyTicked(tab, kAlarmMeasureItems) && anyPhase && AnyTicked(tab, kAlarmTypeItems);
    case MeasurePowers: return anyItem && (!AnyTicked(tab, 9, 12) || anyPhase);
    default: return anyItem && anyPhase;
    }
}

bool HarmonicsButtonEnabled(const TTabState& tab) { return AnyTicked(tab, 0, tab.Items.size()) && TickedPhases(tab) > 0; }

void StoreTabState(int measure, const TTabState& tab, TExportMeasureSel& block)
{
    for (std::size_t i = 0; i < tab.Items.size() && i < block.Items.size(); ++i) block.Items[i] = tab.Items[i].Checked;
    for (std::size_t p = 0; p < 3; ++p) block.Phases[p] = tab.Phases[p].Checked;
    if (measure == MeasureFrequency || measure == MeasureUnbalance) block.Phases = {true, false, false};
}

int ExportValueColumns(int measure, const TExportParams& params)
{
    const TExportMeasureSel& b = params.Measure(measure);
    const int phases = static_cast<int>(std::count(b.Phases.begin(), b.Phases.end(), true));
    switch (measure) {
    case MeasureVoltage: return phases * Ticked(b.Items, 0, 9);
    case MeasureFrequency:
    case MeasureUnbalance: return Ticked(b.Items, 0, 9);
    case MeasureVoltageHarmonics: return static_cast<int>(params.ChosenVoltageOrders().size()) * phases * Ticked(b.Items, 0, 9);
    case MeasureCurrentHarmonics: return static_cast<int>(params.ChosenCurrentIndexes().size()) * phases * Ticked(b.Items, 0, 3) * 2;
    case MeasureFlicker: return phases * Ticked(b.Items, 0, 8);
    case MeasureEvents: return 6;
    case MeasurePowers: return Ticked(b.Items, 0, 9) + phases * Ticked(b.Items, 9, 12);
    case MeasureEnergy: return Ticked(b.Items, 0, 17);
    default: return 0;
    }
}
