// Building and searching the samples time index.
#include "survey/samples_index.h"

#include "platform/little_endian.h"
#include "platform/prog_dirs.h"
#include "survey/record_search.h"
#include "survey/samples_file.h"

#include <algorithm>
#include <cstdlib>
#include <unistd.h>

std::optional<std::string> CreateSamplesIndexFile()
{
    std::string pattern = ProgDir() + "offXXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0) return std::nullopt;
    close(fd);
    return pattern;
}

namespace {
// The heads of a samples file read a block at a time: captures of a few kilobytes lie close
// together, so one read takes many heads; heads far apart are read alone.
class HeadBlocks {
public:
    HeadBlocks(BinaryFile& file, std::uint64_t end) : file_(file), end_(end) {}

    // `size` bytes at `pos`, the record before being `previousLength` long; empty past the end.
    std::span<const std::uint8_t> At(std::uint64_t pos, std::size_t size, std::uint64_t previousLength)
    {
        if (pos < blockStart_ || pos + size > blockStart_ + block_.size()) {
            const bool close = previousLength <= kBlockBytes / 8;
            const std::uint64_t want = close ? std::min<std::uint64_t>(kBlockBytes, end_ - pos) : size;
            if (want < size || !file_.ReadAt(pos, static_cast<std::size_t>(want), block_)) return {};
            blockStart_ = pos;
        }
        return std::span<const std::uint8_t>(block_).subspan(static_cast<std::size_t>(pos - blockStart_), size);
    }

private:
    static constexpr std::uint64_t kBlockBytes = 64 << 10;
    BinaryFile& file_;
    std::uint64_t end_;
    Bytes block_;
    std::uint64_t blockStart_ = 0;
};
}  // namespace

std::optional<Bytes> BuildSamplesIndexEntries(const std::string& samplesPath)
{
    BinaryFile f;
    TSamplesFileHeader header;
    if (!f.Open(samplesPath) || !ReadSamplesFileHeader(f, header)) return std::nullopt;
    const std::size_t headSize = SamplesHeadSize(header.FileType);
    if (headSize == 0 || header.EndOffset > f.Size()) return std::nullopt;

    ByteWriter out;
    HeadBlocks heads(f, header.EndOffset);
    std::uint64_t pos = kSamplesFileHeaderSize;
    std::uint64_t previousLength = 0;
    TDateTime previous = 0;
    bool faultShown = false;
    while (pos < header.EndOffset) {
        TSamplesRecordHead head;
        const std::span<const std::uint8_t> bytes = heads.At(pos, headSize, previousLength);
        if (bytes.empty() || ReadSamplesRecordHead(bytes, header.FileType, head) == 0) return std::nullopt;
        if (head.Length < headSize || head.Length > header.EndOffset - pos) return std::nullopt;
        if (auto t = SamplesRecordTime(head, !faultShown)) previous = *t;
        else faultShown = true;
        out.U32(static_cast<std::uint32_t>(pos));
        out.F64(previous);
        out.U8(0);
        pos += head.Length;
        previousLength = head.Length;
    }
    return out.Take();
}

bool BuildSamplesIndex(const std::string& samplesPath, const std::string& IndexName)
{
    auto entries = BuildSamplesIndexEntries(samplesPath);
    return entries && WriteFileAtomic(IndexName, *entries);
}

std::optional<TSamplesIndexEntry> IndexEntry(std::span<const std::uint8_t> index, std::int64_t n)
{
    if (n < 0 || static_cast<std::uint64_t>(n + 1) * kSamplesIndexEntrySize > index.size()) return std::nullopt;
    ByteReader in(index.subspan(static_cast<std::size_t>(n) * kSamplesIndexEntrySize, kSamplesIndexEntrySize));
    TSamplesIndexEntry e;
    e.Offset = in.U32();
    e.Time = in.F64();
    return e;
}

namespace {
// Entries the search may probe: those of the index that the descriptor counts.
std::int64_t SearchableEntries(std::span<const std::uint8_t> index, const TMeasureFileInfo& Info)
{
    const std::int64_t entries = static_cast<std::int64_t>(index.size() / kSamplesIndexEntrySize);
    return std::min<std::int64_t>(entries, std::max<std::int32_t>(Info.RecordCount, 0));
}

TimeProbe IndexProbe(std::span<const std::uint8_t> index)
{
    return [index](std::int64_t i) -> std::optional<TDateTime> {
        auto e = IndexEntry(index, i);
        return e ? std::optional(e->Time) : std::nullopt;
    };
}
}  // namespace

std::int32_t FindIndexEntryAtTime(std::span<const std::uint8_t> index, const TMeasureFileInfo& Info, TDateTime T)
{
    const std::int64_t n = SearchableEntries(index, Info);
    if (T < Info.FirstTime || n == 0) return 0;
    if (T > Info.LastTime) return static_cast<std::int32_t>(index.size());
    return static_cast<std::int32_t>(NearestEntry(n, Info.FirstTime, Info.LastTime, T, IndexProbe(index)) *
                                     static_cast<std::int64_t>(kSamplesIndexEntrySize));
}

std::optional<TIndexRange> FindIndexEntriesInPeriod(std::span<const std::uint8_t> index, const TMeasureFileInfo& Info,
                                                    TDateTime Start, TDateTime Stop)
{
    const std::int64_t n = SearchableEntries(index, Info);
    if (n == 0 || Stop < Start) return std::nullopt;
    const TimeProbe probe = IndexProbe(index);
    const std::int64_t first = LowerBoundEntry(n, Info.FirstTime, Start, probe);
    const std::int64_t last = UpperBoundEntry(n, Info.FirstTime, Stop, probe) - 1;
    if (first >= n || last < first) return std::nullopt;
    return TIndexRange{first, last};
}
