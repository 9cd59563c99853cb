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

std::uint64_t MostSamplesRecords(const TSamplesFileHeader& header)
{
    const std::size_t head = SamplesHeadSize(header.FileType);
    if (head == 0 || header.EndOffset < kSamplesFileHeaderSize) return 0;
    return (header.EndOffset - kSamplesFileHeaderSize) / head;
}

bool HasTriggerTable(std::uint8_t fileType) { return fileType == 6 || fileType == 12; }

std::optional<TSamplesFileHeader> LoadSamplesFileHeader(std::span<const std::uint8_t> bytes)
{
    ByteReader in(bytes);
    TSamplesFileHeader header;
    header.FileType = in.U8();
    header.EndOffset = in.U32();
    header.RecordCount = in.U32();
    if (!in.Ok()) return std::nullopt;
    return header;
}

bool ReadSamplesFileHeader(BinaryFile& F, TSamplesFileHeader& header, std::uint64_t at)
{
    std::array<std::uint8_t, kSamplesFileHeaderSize> bytes{};
    if (!F.ReadAt(at, bytes)) return false;
    header = *LoadSamplesFileHeader(bytes);  // the 9 bytes are there
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
    if (SamplesHeadSize(FileType) == 0) return 0;
    ByteReader in(bytes);
    TSamplesRecordHead h;
    h.Length = in.U32();
    h.Time = ReadPackedTimeEx(in);
    h.Date = ReadPackedDate(in);
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
    ByteReader in(bytes);
    TTriggerEntries entries;
    for (auto& e : entries) {
        e.TriggerType = in.U8();
        e.Channel = in.U8();
        in.Bytes(e.Value1.data(), e.Value1.size());
        in.Bytes(e.Value2.data(), e.Value2.size());
    }
    if (!in.Ok()) return false;
    Entries = entries;
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
    const std::uint32_t length = FieldView(tail).U32(0);
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

double SampleIntervalMs(const TSamplesRecordHead& head)
{
    if (head.SamplesPerChannel == 0) return 0;
    return (head.PreTrigger + head.PostTrigger) * 10.0 / head.SamplesPerChannel;
}

double SampleTimeMs(const TSamplesRecordHead& head, int i)
{
    if (head.SamplesPerChannel == 0) return -head.PreTrigger * 10.0;
    // In double throughout: 65535 samples of a 655 s capture overflow a 32-bit product.
    return -head.PreTrigger * 10.0 + static_cast<double>(i) * (head.PreTrigger + head.PostTrigger) * 10.0 / head.SamplesPerChannel;
}

std::optional<TDateTime> SamplesRecordTime(const TSamplesRecordHead& head, bool showFault)
{
    StampFault fault = StampFault::None;
    auto t = TryDecodeStamp(head.Date, head.Time, &fault);
    if (!t && showFault) ShowStampFault(fault);
    return t;
}
