// The channel sets of a waveform record: which recorder input each record channel holds, and
// from that its trace item and phase, scale, unit and names. The waveform view and the
// waveform values sheet read a record's channels through these tables only.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

constexpr int kChannelSetCount = 8;
// Six phase channels and the auxiliary one.
constexpr int kMaxRecordChannels = 7;

// The recorder's inputs in the order of a record head's scales (and of a trigger's channel byte).
enum class RecorderInput : std::uint8_t { L1Voltage, L1Current, L2Voltage, L2Current, L3Voltage, L3Current, Aux };
constexpr int kRecorderInputCount = 7;

// What the record says about its channels: the set, the content (2: second-harmonic values)
// and the auxiliary channel's sign (+1 a current, -1 a voltage).
struct TChannelSetKey {
    std::uint8_t ChannelSet = 0;
    std::uint8_t Content = 0;
    int AuxSign = 1;
};

bool IsChannelSet(std::uint8_t channelSet);
// Channels of a set, 0 for a set outside the tables.
int ChannelCount(std::uint8_t channelSet);
// The input record channel c (from 0) holds; nothing outside the set.
std::optional<RecorderInput> ChannelInput(std::uint8_t channelSet, int channel);
// The record channel that holds an input; nothing when the set lacks it.
std::optional<int> ChannelOfInput(std::uint8_t channelSet, RecorderInput input);
// The record head's scale (0 to 6, the seventh for the auxiliary channel) of channel c.
std::optional<int> ChannelScaleIndex(std::uint8_t channelSet, int channel);

// The trace names of a record: "none", then "Voltage" ("2d Harmonic" for second-harmonic
// records), "Current" and the auxiliary name, each that the set holds.
std::vector<std::string> ChannelSetTraceNames(const TChannelSetKey& key);
// "Aux Current" for a positive sign, else "Aux Voltage".
std::string AuxChannelName(int auxSign);

// A record channel as a trace: its item in the trace names and its phase (0 to 2; 0 for single
// channels and aux). (0, 0) outside the set.
struct TChannelTrace {
    int Item = 0;
    int Phase = 0;
    bool operator==(const TChannelTrace&) const = default;
};
TChannelTrace ChannelSetTrace(std::uint8_t channelSet, int channel);
// The first record channel shown by a trace (item, phase); nothing when none is.
std::optional<int> ChannelOfTrace(std::uint8_t channelSet, const TChannelTrace& trace);
// The item of the auxiliary channel in a set's names (3 in set 4, 2 in sets 5 and 6), 0 without.
int AuxTraceItem(std::uint8_t channelSet);

// "V", "A", or "%" for the voltage channels of second-harmonic records; the auxiliary channel
// after its sign; "" outside the set.
std::string ChannelUnit(const TChannelSetKey& key, int channel);
// The input's short name ("L1V" ... "L3I", "AuxV" for a negative sign, "AuxI"), as trigger hints
// name it; second-harmonic voltages are "% 2d Harm.L1" to "% 2d Harm.L3".
std::string InputName(RecorderInput input, int auxSign);
std::string ChannelName(const TChannelSetKey& key, int channel);
// "L1 Voltage", "L2 Current", "L1 2d Harmonic", or the auxiliary name: a channel's title.
std::string ChannelTitle(const TChannelSetKey& key, int channel);
