// Samples file heads and sample values.
#include "survey/samples_file.h"

#include "platform/little_endian.h"
#include "platform/messages.h"

#include <cmath>

namespace {
constexpr std::size_t kBaseHeadSize = 58;
constexpr std::size_t kLongHeadSize = 62;
}  // namespace

bool IsSamplesFileType(std::uint8_t type) { return type == 4 || type == 6 || type == 12; }

std::size_t SamplesHeadSize(std::uint8_t fileType)
{
    if (!IsSamplesFileType(fileType)) return 0;
    return fileType == 12 ? kLongHeadSize : kBaseHeadSize;
}

bool HasTriggerTable(std::uint8_t fileType) { return fileType == 6 || fileType == 12; }

TSamplesFileHeader LoadSamplesFileHeader(std::span<const std::uint8_t> bytes)
{
    return {bytes[0], LoadU32(&bytes[1]), LoadU32(&bytes[5])};
}

bool ReadSamplesFileHeader(BinaryFile& F, TSamplesFileHeader& header)
{
    std::array<std::uint8_t, kSamplesFileHeaderSize> bytes{};
    if (!F.ReadAt(0, bytes)) return false;
    header = LoadSamplesFileHeader(bytes);
    return true;
}

std::uint8_t GetSamplesFileType(const std::string& Path)
{
    BinaryFile f;
    TSamplesFileHeader header;
    if (f.Open(Path) && ReadSamplesFileHeader(f, header) && IsSamplesFileType(header.FileType)) return header.FileType;
    ShowError("Invalid File type:  " + Path);
    return 0;
}

int ReadSamplesRecordHead(std::span<const std::uint8_t> bytes, std::uint8_t FileType, TSamplesRecordHead& Head)
{
    const std::size_t size = SamplesHeadSize(FileType);
    if (size == 0 || bytes.size() < size) return 0;
    ByteReader in(bytes.first(size));
    TSamplesRecordHead h;
    h.Length = in.U32();
    h.Time = LoadPackedTimeEx(&bytes[4]);
    h.Date = LoadPackedDate(&bytes[8]);
    in.Seek(12);
    h.ChannelSet = in.U8();
    h.SamplesPerChannel = in.U16();
    h.PreTrigger = in.I16();
    h.PostTrigger = in.I16();
    in.Skip(8);
    h.Content = in.U8();
    in.Skip(6);
    for (auto& scale : h.Scales) scale = in.F32();
    int result = 1;
    if (FileType == 12) {
        h.SeventhScale = in.F32();
        if (h.SeventhScale == 0) h.SeventhScale = 1.0f;
        if (h.SeventhScale < 0) {
            h.SeventhScale = -h.SeventhScale;
            result = -1;
        }
    }
    if (!in.Ok()) return 0;
    Head = h;
    return result;
}

int ReadSamplesRecordHead(BinaryFile& F, std::uint64_t Position, std::uint8_t FileType, TSamplesRecordHead& Head)
{
    Bytes bytes;
    const std::size_t size = SamplesHeadSize(FileType);
    if (size == 0 || !F.ReadAt(Position, size, bytes)) return 0;
    return ReadSamplesRecordHead(bytes, FileType, Head);
}

bool ReadTriggerEntries(std::span<const std::uint8_t> bytes, TTriggerEntries& Entries)
{
    if (bytes.size() < kTriggerTableSize) return false;
    for (int i = 0; i < kTriggerEntryCount; ++i) {
        const std::uint8_t* p = &bytes[static_cast<std::size_t>(i) * kTriggerEntrySize];
        auto& e = Entries[static_cast<std::size_t>(i)];
        e.TriggerType = p[0];
        e.Channel = p[1];
        std::copy(p + 2, p + 6, e.Value1.begin());
        std::copy(p + 6, p + 10, e.Value2.begin());
    }
    return true;
}

bool ReadLastSamplesRecordHead(BinaryFile& F, TSamplesRecordHead& Head, std::uint64_t* Position)
{
    TSamplesFileHeader header;
    if (!ReadSamplesFileHeader(F, header)) return false;
    const std::size_t headSize = SamplesHeadSize(header.FileType);
    // The end offset is the file's length; it must lie within the file actually present.
    if (headSize == 0 || header.EndOffset > F.Size() || header.EndOffset < kSamplesFileHeaderSize + headSize) return false;
    std::array<std::uint8_t, 4> tail{};
    if (!F.ReadAt(header.EndOffset - 4, tail)) return false;
    const std::uint32_t length = LoadU32(tail.data());
    if (length < headSize || length > header.EndOffset - kSamplesFileHeaderSize) return false;
    const std::uint64_t at = header.EndOffset - length;
    if (ReadSamplesRecordHead(F, at, header.FileType, Head) == 0) return false;
    if (Position) *Position = at;
    return true;
}

int SamplesChannelCount(std::uint8_t channelSet)
{
    static const int counts[] = {6, 2, 3, 3, 7, 4, 4, 1};
    return channelSet < 8 ? counts[channelSet] : 0;
}

std::size_t SampleSize(std::uint8_t content) { return content == 2 ? 4 : 2; }

std::size_t ChannelSamplesOffset(const TSamplesRecordHead& head, std::uint8_t fileType, int channel)
{
    return SamplesHeadSize(fileType) + (HasTriggerTable(fileType) ? kTriggerTableSize : 0) +
           std::size_t(head.SamplesPerChannel) * static_cast<std::size_t>(channel) * SampleSize(head.Content);
}

std::size_t SamplesRecordMinimumLength(const TSamplesRecordHead& head, std::uint8_t fileType)
{
    return ChannelSamplesOffset(head, fileType, SamplesChannelCount(head.ChannelSet));
}

double SampleValue(std::int32_t count, float scale, std::uint8_t content)
{
    const double v = static_cast<double>(count) * scale;
    if (content != 2) return v;
    return v > 0 ? std::sqrt(v / 100.0) : 0.0;  // a negative count has no root: shown as 0
}

double SampleTimeMs(const TSamplesRecordHead& head, int i)
{
    if (head.SamplesPerChannel == 0) return -head.PreTrigger * 10.0;
    return -head.PreTrigger * 10.0 + i * (head.PreTrigger + head.PostTrigger) * 10.0 / head.SamplesPerChannel;
}

std::optional<TDateTime> SamplesRecordTime(const TSamplesRecordHead& head, bool showFault)
{
    StampFault fault = StampFault::None;
    auto t = TryDecodeStamp(head.Date, head.Time, &fault);
    if (!t && showFault) ShowStampFault(fault);
    return t;
}
