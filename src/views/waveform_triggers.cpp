// The trigger grid rules.
#include "views/waveform_triggers.h"

#include "platform/little_endian.h"
#include "views/waveform_scaling.h"

const std::array<const char*, 3> TriggerRowNames = {"Over", "Under", "Transients"};

namespace {
// The unit of an input that the record lacks: what a channel holding it would show.
std::string InputUnit(RecorderInput input, int auxSign)
{
    if (input == RecorderInput::Aux) return auxSign > 0 ? "A" : "V";
    return static_cast<int>(input) % 2 == 0 ? "V" : "A";
}

TTriggerCell Cell(const TSamplesRecord& record, const TTriggerEntry& entry, int row, const TTraceSettings& settings,
                  const TTraceChannels& channels)
{
    const auto input = static_cast<RecorderInput>(entry.Channel);
    const TChannelSetKey key = record.Key();
    const auto channel = ChannelOfInput(key.ChannelSet, input);
    TTriggerCell cell;
    if (channel) {
        bool anyTrace = false;
        bool shown = false;
        for (std::size_t k = 0; k < kTraceCount && !shown; ++k) {
            if (settings.Entries[k].Item == 0) continue;
            anyTrace = true;
            if (channels[k] != *channel) continue;
            cell.Colour = settings.Entries[k].Colour;
            shown = true;
        }
        if (!anyTrace) cell.Hatched = true;
        else if (!shown) cell.Colour = kTriggerCellGrey;
    }
    if (row < static_cast<int>(TriggerRowNames.size())) {
        const std::string name = channel ? ChannelName(key, *channel) : InputName(input, key.AuxSign);
        const std::string unit = channel ? ChannelUnit(key, *channel) : InputUnit(input, key.AuxSign);
        const double value = FieldView(entry.Value1).F32(0);
        cell.Hint = std::string(TriggerRowNames[static_cast<std::size_t>(row)]) + " on " + name + " at " +
                    FormatChannelValue(value, unit);
    }
    return cell;
}
}  // namespace

int TriggerRow(std::uint8_t triggerType)
{
    switch (triggerType) {
    case 1: return 0;
    case 2:
    case 14: return 1;
    case 3:
    case 8: return 2;
    case 4: return 3;
    default: return -1;
    }
}

TTriggerGrid FillTriggerGrid(const TSamplesRecord& record, const TTraceSettings& settings, const TTraceChannels& channels)
{
    TTriggerGrid grid{};
    for (int i = 0; i < kTriggerEntriesShown; ++i) {
        const TTriggerEntry& entry = record.Triggers[static_cast<std::size_t>(i)];
        const int row = TriggerRow(entry.TriggerType);
        if (row < 0 || entry.Channel >= kRecorderInputCount) continue;
        TGridInfo& info = grid[static_cast<std::size_t>(row)];
        info.Cells[static_cast<std::size_t>(info.Filled++)] = Cell(record, entry, row, settings, channels);
    }
    return grid;
}

std::vector<TTriggerLabel> TriggerLabels(const TTriggerGrid& grid)
{
    std::vector<TTriggerLabel> labels;
    for (std::size_t r = 0; r < TriggerRowNames.size(); ++r)
        for (int c = 0; c < grid[r].Filled && labels.size() < kTriggerEntriesShown; ++c) {
            const TTriggerCell& cell = grid[r].Cells[static_cast<std::size_t>(c)];
            // A white cell (an input the record lacks) is labelled in black, on the white panel.
            labels.push_back({cell.Hint, cell.Colour == kTriggerCellWhite ? 0u : cell.Colour});
        }
    return labels;
}
