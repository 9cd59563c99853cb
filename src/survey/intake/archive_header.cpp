// Floppy archive header and part-file names.
#include "survey/intake/archive_header.h"

#include "platform/little_endian.h"

#include <algorithm>

std::uint32_t TArchiveHeader::SizeOf(int measure) const
{
    return measure >= 1 && measure <= 9 ? Sizes[static_cast<std::size_t>(measure - 1)] : 0;
}

std::optional<TArchiveHeader> LoadArchiveHeader(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() > kArchiveHeaderMaxSize) return std::nullopt;
    std::array<std::uint8_t, kArchiveHeaderMaxSize> padded{};
    std::copy(bytes.begin(), bytes.end(), padded.begin());
    ByteReader in(padded);
    TArchiveHeader header;
    header.MeasureMask = in.U16();
    header.DiskCount = in.I16();
    for (auto& size : header.Sizes) size = in.U32();
    return header;
}

namespace {
int TwoDigits(const std::string& name, std::size_t at)
{
    if (name.size() < at + 2) return 0;
    const char a = name[at], b = name[at + 1];
    if (a < '0' || a > '9' || b < '0' || b > '9') return 0;
    return (a - '0') * 10 + (b - '0');
}
}  // namespace

ArchivePartName ParseArchivePartName(const std::string& name) { return {TwoDigits(name, 3), TwoDigits(name, 5)}; }
