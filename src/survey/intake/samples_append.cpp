// Samples file append, rebuilt in memory and saved through a temporary file.
#include "survey/intake/samples_append.h"

#include "platform/file_io.h"
#include "platform/little_endian.h"
#include "survey/samples_file.h"

#include <limits>
#include <optional>

namespace {
std::optional<Bytes> ReadCheckedSamplesFile(const std::string& path, TSamplesFileHeader& header)
{
    auto bytes = ReadWholeFile(path);
    const auto read = bytes ? LoadSamplesFileHeader(*bytes) : std::nullopt;
    if (!read || !IsSamplesFileType(read->FileType) || read->EndOffset < kSamplesFileHeaderSize ||
        read->EndOffset > bytes->size() || read->RecordCount > MostSamplesRecords(*read))
        return std::nullopt;
    header = *read;
    return bytes;
}
}  // namespace

AppendResult AppendSamplesFile(const std::string& source, const std::string& destination)
{
    TSamplesFileHeader destHeader, sourceHeader;
    auto dest = ReadCheckedSamplesFile(destination, destHeader);
    if (!dest) return AppendResult::DestinationCorrupt;
    auto src = ReadCheckedSamplesFile(source, sourceHeader);
    if (!src) return AppendResult::SourceCorrupt;
    if (destHeader.FileType != sourceHeader.FileType) return AppendResult::FileTypeMismatch;

    const std::uint64_t end = std::uint64_t(destHeader.EndOffset) + sourceHeader.EndOffset - kSamplesFileHeaderSize;
    const std::uint64_t count = std::uint64_t(destHeader.RecordCount) + sourceHeader.RecordCount;
    if (end > std::numeric_limits<std::uint32_t>::max() || count > std::numeric_limits<std::uint32_t>::max())
        return AppendResult::TooLarge;

    dest->resize(destHeader.EndOffset);
    dest->insert(dest->end(), src->begin() + kSamplesFileHeaderSize, src->begin() + sourceHeader.EndOffset);
    StoreU32(dest->data() + 1, static_cast<std::uint32_t>(end));
    StoreU32(dest->data() + 5, static_cast<std::uint32_t>(count));
    return WriteFileAtomic(destination, *dest) ? AppendResult::Ok : AppendResult::WriteFailed;
}
