// The voltage-samples file (.tme): a 9-byte header, then variable-length waveform records, each
// with a 58- or 62-byte head, an optional table of 19 trigger entries and the samples of its
// channels; a record's last 4 bytes hold its length, so the last record is found from the end.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "survey/binary_file.h"
#include "survey/stamps.h"

constexpr std::size_t kSamplesFileHeaderSize = 9;
constexpr std::size_t kTriggerEntrySize = 10;
constexpr int kTriggerEntryCount = 19;
constexpr std::size_t kTriggerTableSize = kTriggerEntrySize * kTriggerEntryCount;  // 190
constexpr int kSamplesScaleCount = 6;

struct TSamplesFileHeader {
    std::uint8_t FileType = 0;  // 4, 6 or 12
    std::uint32_t EndOffset = 0;
    std::uint32_t RecordCount = 0;
};

struct TSamplesRecordHead {
    std::uint32_t Length = 0;
    TPackedTimeEx Time;
    TPackedDate Date;
    std::uint8_t ChannelSet = 0;
    std::uint16_t SamplesPerChannel = 0;
    std::int16_t PreTrigger = 0;   // 10 ms units
    std::int16_t PostTrigger = 0;  // 10 ms units
    std::uint8_t Content = 0;      // 1 r.m.s., 2 second harmonic, other: voltage samples
    std::array<float, kSamplesScaleCount> Scales{};
    float SeventhScale = 1;        // type 12 only: the auxiliary channel
};

struct TTriggerEntry {
    std::uint8_t TriggerType = 0;
    std::uint8_t Channel = 0;
    std::array<std::uint8_t, 4> Value1{};
    std::array<std::uint8_t, 4> Value2{};
};
using TTriggerEntries = std::array<TTriggerEntry, kTriggerEntryCount>;

bool IsSamplesFileType(std::uint8_t type);
// 58, or 62 for type 12; 0 for an unknown type.
std::size_t SamplesHeadSize(std::uint8_t fileType);
// The most records the header's end offset can hold, each at least its head (0 for an unknown
// type): a count beyond it is no count of the file's records.
std::uint64_t MostSamplesRecords(const TSamplesFileHeader& header);
bool HasTriggerTable(std::uint8_t fileType);

// Nothing when fewer than 9 bytes are given. The header is not checked.
std::optional<TSamplesFileHeader> LoadSamplesFileHeader(std::span<const std::uint8_t> bytes);
// The header at `at` (0 in a samples file, a section's offset in a repository).
bool ReadSamplesFileHeader(BinaryFile& F, TSamplesFileHeader& header, std::uint64_t at = 0);

// The file's type, or 0 after "Invalid File type:  <path>" for any other (or an unreadable file).
std::uint8_t GetSamplesFileType(const std::string& Path);

// A head from its bytes: 1, or -1 when a type-12 seventh scale was negative (auxiliary voltage);
// the seventh scale is made positive, and 1.0 when it was 0. 0 when the bytes are too few or
// the type unknown.
int ReadSamplesRecordHead(std::span<const std::uint8_t> bytes, std::uint8_t FileType, TSamplesRecordHead& Head);
int ReadSamplesRecordHead(BinaryFile& F, std::uint64_t Position, std::uint8_t FileType, TSamplesRecordHead& Head);
bool ReadTriggerEntries(std::span<const std::uint8_t> bytes, TTriggerEntries& Entries);
// The last record's head, found by the length in the file's last 4 bytes; false when that length
// does not fit the file. Position receives the record's offset.
bool ReadLastSamplesRecordHead(BinaryFile& F, TSamplesRecordHead& Head, std::uint64_t* Position = nullptr);

// Channels of a channel set: 0 three voltages and currents, 1 one of each, 2 voltages,
// 3 currents, 4 set 0 with the auxiliary channel, 5 voltages + auxiliary, 6 currents +
// auxiliary, 7 one voltage; 0 for an unknown set.
int SamplesChannelCount(std::uint8_t channelSet);
// 4 bytes (signed 32-bit) for content 2, else 2 (signed 16-bit).
std::size_t SampleSize(std::uint8_t content);
// Offset of channel c's first sample from the record start.
std::size_t ChannelSamplesOffset(const TSamplesRecordHead& head, std::uint8_t fileType, int channel);
// Bytes of head, trigger table and samples: the least a record of this head needs.
std::size_t SamplesRecordMinimumLength(const TSamplesRecordHead& head, std::uint8_t fileType);
// count x scale; for content 2 the square root of count x scale / 100.
double SampleValue(std::int32_t count, float scale, std::uint8_t content);
// Milliseconds between samples: (pre-trigger + post-trigger) x 10 / samples per channel; 0
// without samples.
double SampleIntervalMs(const TSamplesRecordHead& head);
// Milliseconds from the trigger of sample i.
double SampleTimeMs(const TSamplesRecordHead& head, int i);
// The capture's date-time; nothing (message shown unless showFault is false) when it does not decode.
std::optional<TDateTime> SamplesRecordTime(const TSamplesRecordHead& head, bool showFault = true);
