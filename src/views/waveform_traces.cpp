// The waveform view's trace rules.
#include "views/waveform_traces.h"

#include "survey/text_tables.h"
#include "views/trace_settings.h"

TTraceSettings NewWaveformTraceSettings() { return NewTraceSettings(-350, 350); }

void TWaveformTraceMemory::Remember(std::uint8_t content, const TTraceSettings& settings)
{
    settings_[ClassOf(content)] = settings;
    userSet_[ClassOf(content)] = true;
}

TRecordTraces BuildRecordTraces(const TChannelSetKey& key, const TWaveformTraceMemory& memory)
{
    TRecordTraces traces{ChannelSetTraceNames(key), memory.For(key.Content), {}};
    if (!memory.UserSet(key.Content)) {
        for (std::size_t k = 0; k < kTraceCount; ++k) {
            const TChannelTrace t = ChannelSetTrace(key.ChannelSet, static_cast<int>(k));
            traces.Settings.Entries[k].Item = t.Item;
            traces.Settings.Entries[k].Phase = t.Phase;
        }
    }
    traces.Channels = MapTraceChannels(key.ChannelSet, traces.Settings);
    return traces;
}

void NormaliseAuxPhases(std::uint8_t channelSet, TTraceSettings& settings)
{
    const int aux = AuxTraceItem(channelSet);
    if (aux == 0) return;
    for (TTraceEntry& e : settings.Entries)
        if (e.Item >= aux) e.Phase = 0;
}

TTraceChannels MapTraceChannels(std::uint8_t channelSet, const TTraceSettings& settings)
{
    TTraceChannels channels{};
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        const TTraceEntry& e = settings.Entries[k];
        auto c = e.Item != 0 ? ChannelOfTrace(channelSet, {e.Item, e.Phase}) : std::nullopt;
        channels[k] = c ? *c : kNoRecordChannel;
    }
    return channels;
}

std::string WaveformTraceLegend(std::uint8_t channelSet, const std::vector<std::string>& names, const TTraceEntry& trace)
{
    if (trace.Item <= 0 || static_cast<std::size_t>(trace.Item) >= names.size()) return "none";
    const std::string& name = names[static_cast<std::size_t>(trace.Item)];
    if (trace.Item == AuxTraceItem(channelSet) || trace.Phase < 0 || trace.Phase > 2) return name;
    return std::string(PhaseNames[static_cast<std::size_t>(trace.Phase + 1)]) + " " + name;
}
