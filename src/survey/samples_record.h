// One waveform record of a samples file, read whole at its offset and checked before use: its
// head, its trigger entries and the values of each record channel. The waveform view and the
// waveform values sheet read records here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "survey/binary_file.h"
#include "survey/channel_sets.h"
#include "survey/samples_file.h"

struct TSamplesRecord {
    std::uint32_t Offset = 0;  // in the samples file
    TSamplesRecordHead Head;
    int AuxSign = 1;           // ReadSamplesRecordHead's result
    TTriggerEntries Triggers{};  // all zero in files without a trigger table
    // The record's bytes from its first sample on.
    Bytes SampleBytes;

    TChannelSetKey Key() const { return {Head.ChannelSet, Head.Content, AuxSign}; }
    int Channels() const { return ChannelCount(Head.ChannelSet); }
    // The scale of record channel c, from the head's six scales and the seventh.
    float ChannelScale(int channel) const;
    // The values of record channel c (count x scale; the root of count x scale / 100 for
    // second-harmonic records, 0 where that is negative); empty outside the set.
    std::vector<double> ChannelValues(int channel) const;
};

// A head can be used when its samples per channel are above 0, its channel set is one of the
// tables, its capture spans some time, and the blocks of its channels (with the head and the
// trigger table) lie within its length.
bool SamplesHeadUsable(const TSamplesRecordHead& head, std::uint8_t fileType);

// The record at `offset` of a samples file of `header`; nothing when its head is unusable or the
// record does not lie within the header's end offset and the file. No message.
std::optional<TSamplesRecord> ReadSamplesRecord(BinaryFile& F, const TSamplesFileHeader& header, std::uint32_t offset);
std::optional<TSamplesRecord> ReadSamplesRecord(const std::string& samplesPath, std::uint32_t offset);
