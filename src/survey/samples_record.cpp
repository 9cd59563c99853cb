// Reading and checking one waveform record.
#include "survey/samples_record.h"

#include "platform/little_endian.h"

#include <algorithm>

bool SamplesHeadUsable(const TSamplesRecordHead& head, std::uint8_t fileType)
{
    if (SamplesHeadSize(fileType) == 0 || !IsChannelSet(head.ChannelSet) || head.SamplesPerChannel == 0) return false;
    if (int(head.PreTrigger) + int(head.PostTrigger) <= 0) return false;
    return SamplesRecordMinimumLength(head, fileType) <= head.Length;
}

std::optional<TSamplesRecord> ReadSamplesRecord(BinaryFile& F, const TSamplesFileHeader& header, std::uint32_t offset)
{
    const std::uint64_t end = std::min<std::uint64_t>(header.EndOffset, F.Size());
    if (offset < kSamplesFileHeaderSize || offset >= end) return std::nullopt;
    TSamplesRecord record;
    record.Offset = offset;
    record.AuxSign = ReadSamplesRecordHead(F, offset, header.FileType, record.Head);
    if (record.AuxSign == 0 || !SamplesHeadUsable(record.Head, header.FileType)) return std::nullopt;
    if (record.Head.Length > end - offset) return std::nullopt;

    const std::size_t headSize = SamplesHeadSize(header.FileType);
    if (HasTriggerTable(header.FileType)) {
        Bytes table;
        if (!F.ReadAt(offset + headSize, kTriggerTableSize, table) || !ReadTriggerEntries(table, record.Triggers))
            return std::nullopt;
    }
    const std::size_t first = ChannelSamplesOffset(record.Head, header.FileType, 0);
    const std::size_t size = SamplesRecordMinimumLength(record.Head, header.FileType) - first;
    if (!F.ReadAt(offset + first, size, record.SampleBytes)) return std::nullopt;
    return record;
}

std::optional<TSamplesRecord> ReadSamplesRecord(const std::string& samplesPath, std::uint32_t offset)
{
    BinaryFile F;
    TSamplesFileHeader header;
    if (!F.Open(samplesPath) || !ReadSamplesFileHeader(F, header)) return std::nullopt;
    return ReadSamplesRecord(F, header, offset);
}

float TSamplesRecord::ChannelScale(int channel) const
{
    const auto scale = ChannelScaleIndex(Head.ChannelSet, channel);
    if (!scale) return 0;
    if (*scale == kSamplesScaleCount) return Head.SeventhScale;
    return Head.Scales[static_cast<std::size_t>(*scale)];
}

std::vector<double> TSamplesRecord::ChannelValues(int channel) const
{
    if (channel < 0 || channel >= Channels()) return {};
    const std::size_t samples = Head.SamplesPerChannel;
    const std::size_t size = SampleSize(Head.Content);
    FieldView in(SampleBytes);
    const std::size_t start = samples * static_cast<std::size_t>(channel) * size;
    if (!in.Has(start, samples * size)) return {};
    const float scale = ChannelScale(channel);
    std::vector<double> values(samples);
    for (std::size_t k = 0; k < samples; ++k) {
        const std::size_t at = start + k * size;
        const std::int32_t count = size == 4 ? in.I32(at) : in.I16(at);
        values[k] = SampleValue(count, scale, Head.Content);
    }
    return values;
}
