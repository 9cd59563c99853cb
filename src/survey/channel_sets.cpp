// The channel-set tables.
#include "survey/channel_sets.h"

#include "survey/text_tables.h"

namespace {
using I = RecorderInput;

struct TChannelSetRow {
    int Count;
    std::array<RecorderInput, kMaxRecordChannels> Inputs;
};

// The record channels of each set, in the order of their sample blocks.
constexpr std::array<TChannelSetRow, kChannelSetCount> kChannelSets = {{
    {6, {I::L1Voltage, I::L1Current, I::L2Voltage, I::L2Current, I::L3Voltage, I::L3Current}},
    {2, {I::L1Voltage, I::L1Current}},
    {3, {I::L1Voltage, I::L2Voltage, I::L3Voltage}},
    {3, {I::L1Current, I::L2Current, I::L3Current}},
    {7, {I::L1Voltage, I::L1Current, I::L2Voltage, I::L2Current, I::L3Voltage, I::L3Current, I::Aux}},
    {4, {I::L1Voltage, I::L2Voltage, I::L3Voltage, I::Aux}},
    {4, {I::L1Current, I::L2Current, I::L3Current, I::Aux}},
    {1, {I::L1Voltage}},
}};

enum class ChannelKind { Voltage, Current, Aux };

ChannelKind KindOf(RecorderInput input)
{
    if (input == I::Aux) return ChannelKind::Aux;
    return static_cast<int>(input) % 2 == 0 ? ChannelKind::Voltage : ChannelKind::Current;
}

int PhaseOf(RecorderInput input) { return input == I::Aux ? 0 : static_cast<int>(input) / 2; }

bool SetHolds(std::uint8_t channelSet, ChannelKind kind)
{
    for (int c = 0; c < ChannelCount(channelSet); ++c)
        if (KindOf(kChannelSets[channelSet].Inputs[static_cast<std::size_t>(c)]) == kind) return true;
    return false;
}

// The item of a kind: its place among the kinds the set holds, after "none".
int ItemOf(std::uint8_t channelSet, ChannelKind kind)
{
    int item = 0;
    for (ChannelKind k : {ChannelKind::Voltage, ChannelKind::Current, ChannelKind::Aux}) {
        if (SetHolds(channelSet, k)) ++item;
        if (k == kind) return item;
    }
    return 0;
}

bool SecondHarmonicVoltage(const TChannelSetKey& key, RecorderInput input)
{
    return key.Content == 2 && KindOf(input) == ChannelKind::Voltage;
}
}  // namespace

bool IsChannelSet(std::uint8_t channelSet) { return channelSet < kChannelSetCount; }

int ChannelCount(std::uint8_t channelSet) { return IsChannelSet(channelSet) ? kChannelSets[channelSet].Count : 0; }

std::optional<RecorderInput> ChannelInput(std::uint8_t channelSet, int channel)
{
    if (channel < 0 || channel >= ChannelCount(channelSet)) return std::nullopt;
    return kChannelSets[channelSet].Inputs[static_cast<std::size_t>(channel)];
}

std::optional<int> ChannelOfInput(std::uint8_t channelSet, RecorderInput input)
{
    for (int c = 0; c < ChannelCount(channelSet); ++c)
        if (kChannelSets[channelSet].Inputs[static_cast<std::size_t>(c)] == input) return c;
    return std::nullopt;
}

std::optional<int> ChannelScaleIndex(std::uint8_t channelSet, int channel)
{
    // The head's scales are in input order.
    auto input = ChannelInput(channelSet, channel);
    return input ? std::optional(static_cast<int>(*input)) : std::nullopt;
}

std::string AuxChannelName(int auxSign) { return auxSign > 0 ? "Aux Current" : "Aux Voltage"; }

std::vector<std::string> ChannelSetTraceNames(const TChannelSetKey& key)
{
    std::vector<std::string> names{"none"};
    if (!IsChannelSet(key.ChannelSet)) return names;
    if (SetHolds(key.ChannelSet, ChannelKind::Voltage)) names.push_back(key.Content == 2 ? "2d Harmonic" : "Voltage");
    if (SetHolds(key.ChannelSet, ChannelKind::Current)) names.push_back("Current");
    if (SetHolds(key.ChannelSet, ChannelKind::Aux)) names.push_back(AuxChannelName(key.AuxSign));
    return names;
}

TChannelTrace ChannelSetTrace(std::uint8_t channelSet, int channel)
{
    auto input = ChannelInput(channelSet, channel);
    if (!input) return {};
    return {ItemOf(channelSet, KindOf(*input)), PhaseOf(*input)};
}

std::optional<int> ChannelOfTrace(std::uint8_t channelSet, const TChannelTrace& trace)
{
    for (int c = 0; c < ChannelCount(channelSet); ++c)
        if (ChannelSetTrace(channelSet, c) == trace) return c;
    return std::nullopt;
}

int AuxTraceItem(std::uint8_t channelSet)
{
    return SetHolds(channelSet, ChannelKind::Aux) ? ItemOf(channelSet, ChannelKind::Aux) : 0;
}

std::string ChannelUnit(const TChannelSetKey& key, int channel)
{
    auto input = ChannelInput(key.ChannelSet, channel);
    if (!input) return "";
    if (SecondHarmonicVoltage(key, *input)) return "%";
    switch (KindOf(*input)) {
    case ChannelKind::Voltage: return "V";
    case ChannelKind::Current: return "A";
    case ChannelKind::Aux: return key.AuxSign > 0 ? "A" : "V";
    }
    return "";
}

std::string InputName(RecorderInput input, int auxSign)
{
    static constexpr std::array<const char*, kRecorderInputCount - 1> kPhaseInputs = {"L1V", "L1I", "L2V",
                                                                                       "L2I", "L3V", "L3I"};
    if (input == I::Aux) return auxSign > 0 ? "AuxI" : "AuxV";
    return kPhaseInputs[static_cast<std::size_t>(input)];
}

std::string ChannelName(const TChannelSetKey& key, int channel)
{
    auto input = ChannelInput(key.ChannelSet, channel);
    if (!input) return "";
    if (SecondHarmonicVoltage(key, *input))
        return "% 2d Harm." + std::string(PhaseNames[static_cast<std::size_t>(PhaseOf(*input) + 1)]);
    return InputName(*input, key.AuxSign);
}

std::string ChannelTitle(const TChannelSetKey& key, int channel)
{
    auto input = ChannelInput(key.ChannelSet, channel);
    if (!input) return "";
    if (KindOf(*input) == ChannelKind::Aux) return AuxChannelName(key.AuxSign);
    const std::vector<std::string> names = ChannelSetTraceNames(key);
    const TChannelTrace trace = ChannelSetTrace(key.ChannelSet, channel);
    return std::string(PhaseNames[static_cast<std::size_t>(trace.Phase + 1)]) + " " +
           names[static_cast<std::size_t>(trace.Item)];
}
