// The waveform view's traces: the names a record offers, the traces a new view shows, the
// settings remembered for second-harmonic records and for all others, and which record channel
// each of the six traces shows. The channel map belongs to one view.
#pragma once

#include "survey/channel_sets.h"
#include "survey/trace_records.h"

#include <array>
#include <string>
#include <vector>

// A trace that shows no record channel.
constexpr int kNoRecordChannel = kMaxRecordChannels;
// TTraceChannels[k - 1]: the record channel trace k shows.
using TTraceChannels = std::array<int, kTraceCount>;

// Automatic Y scale over -350 to 350, no trace, the default colours, the left axis.
TTraceSettings NewWaveformTraceSettings();

// The settings of second-harmonic records and of all others, each with whether the user has
// set it; a class the user has not set shows each record's first channels.
class TWaveformTraceMemory {
public:
    explicit TWaveformTraceMemory(const TTraceSettings& initial) : settings_{initial, initial} {}
    const TTraceSettings& For(std::uint8_t content) const { return settings_[ClassOf(content)]; }
    bool UserSet(std::uint8_t content) const { return userSet_[ClassOf(content)]; }
    void Remember(std::uint8_t content, const TTraceSettings& settings);

private:
    static std::size_t ClassOf(std::uint8_t content) { return content == 2 ? 0 : 1; }
    std::array<TTraceSettings, 2> settings_;
    std::array<bool, 2> userSet_{};
};

struct TRecordTraces {
    std::vector<std::string> Names;  // "none" first
    TTraceSettings Settings;
    TTraceChannels Channels{};
};

// The traces of a record: the remembered settings of its class, or, when the user has not set
// them, trace k on record channel k - 1.
TRecordTraces BuildRecordTraces(const TChannelSetKey& key, const TWaveformTraceMemory& memory);
// Traces on the auxiliary channel have phase 0.
void NormaliseAuxPhases(std::uint8_t channelSet, TTraceSettings& settings);
// Each trace's first record channel with its (item, phase); kNoRecordChannel for none.
TTraceChannels MapTraceChannels(std::uint8_t channelSet, const TTraceSettings& settings);

// A trace's legend: "none", or the phase and the name ("L1 Voltage"); the auxiliary channel,
// which has no phase, by its name alone.
std::string WaveformTraceLegend(std::uint8_t channelSet, const std::vector<std::string>& names, const TTraceEntry& trace);
