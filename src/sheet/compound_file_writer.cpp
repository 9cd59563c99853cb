// Compound-file writer. Layout: header, the stream's sectors, one directory sector, the FAT
// sectors, then the DIFAT sectors when the FAT needs more than the header's 109 entries.
#include "sheet/compound_file_writer.h"

#include "platform/little_endian.h"
#include "sheet/compound_file.h"

#include <algorithm>

namespace {
using namespace compound_file;
constexpr std::size_t kSector = 512;
constexpr std::size_t kFatPerSector = kSector / 4;
constexpr std::size_t kDifatPerSector = kFatPerSector - 1;  // the last entry links the next

void DirectoryEntry(ByteWriter& out, const std::string& name, std::uint8_t type, std::uint32_t child,
                    std::uint32_t start, std::uint32_t size)
{
    for (char c : name) out.U16(static_cast<std::uint8_t>(c));
    out.Zeros(64 - 2 * name.size());
    out.U16(name.empty() ? 0 : static_cast<std::uint16_t>(2 * name.size() + 2));
    out.U8(type);
    out.U8(1);  // black
    out.U32(kNoStream);
    out.U32(kNoStream);
    out.U32(child);
    out.Zeros(16 + 4 + 8 + 8);  // class id, state bits, creation and modification times
    out.U32(start);
    out.U32(size);
    out.U32(0);
}
}  // namespace

std::vector<std::uint8_t> WriteCompoundFile(const std::string& streamName, const std::vector<std::uint8_t>& stream)
{
    std::vector<std::uint8_t> file;
    file.reserve(kHeaderSize + stream.size());
    file.resize(kHeaderSize);
    file.insert(file.end(), stream.begin(), stream.end());
    CompleteCompoundFile(streamName, file);
    return file;
}

void CompleteCompoundFile(const std::string& streamName, std::vector<std::uint8_t>& file)
{
    static_assert(kCompoundFileHeaderRoom == kHeaderSize);
    const std::size_t streamSize = file.size() - kHeaderSize;
    std::size_t size = std::max<std::size_t>(streamSize, kMiniStreamCutoff);
    std::size_t dataSectors = (size + kSector - 1) / kSector;
    std::size_t fatSectors = 1, difatSectors = 0;
    for (;; ++fatSectors) {
        difatSectors = fatSectors > kHeaderDifatEntries
                           ? (fatSectors - kHeaderDifatEntries + kDifatPerSector - 1) / kDifatPerSector
                           : 0;
        if (fatSectors * kFatPerSector >= dataSectors + 1 + fatSectors + difatSectors) break;
    }
    const std::uint32_t dirSector = static_cast<std::uint32_t>(dataSectors);
    const std::uint32_t firstFat = dirSector + 1;
    const std::uint32_t firstDifat = firstFat + static_cast<std::uint32_t>(fatSectors);

    ByteWriter header;
    header.Bytes(kSignature, sizeof kSignature);
    header.Zeros(16);
    header.U16(0x003E);
    header.U16(0x0003);
    header.U16(0xFFFE);
    header.U16(9);  // 512-byte sectors
    header.U16(6);  // 64-byte mini sectors
    header.Zeros(6);
    header.U32(0);
    header.U32(static_cast<std::uint32_t>(fatSectors));
    header.U32(dirSector);
    header.U32(0);
    header.U32(kMiniStreamCutoff);
    header.U32(kEndOfChain);
    header.U32(0);
    header.U32(difatSectors ? firstDifat : kEndOfChain);
    header.U32(static_cast<std::uint32_t>(difatSectors));
    for (std::size_t i = 0; i < kHeaderDifatEntries; ++i)
        header.U32(i < fatSectors ? firstFat + static_cast<std::uint32_t>(i) : kFreeSector);
    std::copy(header.Data().begin(), header.Data().end(), file.begin());

    ByteWriter out;
    out.Reserve((dataSectors * kSector - streamSize) + (1 + fatSectors + difatSectors) * kSector);
    out.Zeros(dataSectors * kSector - streamSize);

    DirectoryEntry(out, "Root Entry", kTypeRoot, 1, kEndOfChain, 0);
    DirectoryEntry(out, streamName, kTypeStream, kNoStream, 0, static_cast<std::uint32_t>(size));
    DirectoryEntry(out, "", 0, kNoStream, 0, 0);
    DirectoryEntry(out, "", 0, kNoStream, 0, 0);

    std::size_t fatEntries = fatSectors * kFatPerSector;
    for (std::size_t i = 0; i < fatEntries; ++i) {
        if (i + 1 < dataSectors) out.U32(static_cast<std::uint32_t>(i + 1));
        else if (i + 1 == dataSectors || i == dirSector) out.U32(kEndOfChain);
        else if (i >= firstFat && i < firstDifat) out.U32(kFatSector);
        else if (i >= firstDifat && i < firstDifat + difatSectors) out.U32(kDifatSector);
        else out.U32(kFreeSector);
    }
    for (std::size_t d = 0; d < difatSectors; ++d) {
        for (std::size_t k = 0; k < kDifatPerSector; ++k) {
            std::size_t fat = kHeaderDifatEntries + d * kDifatPerSector + k;
            out.U32(fat < fatSectors ? firstFat + static_cast<std::uint32_t>(fat) : kFreeSector);
        }
        out.U32(d + 1 < difatSectors ? firstDifat + static_cast<std::uint32_t>(d + 1) : kEndOfChain);
    }
    file.insert(file.end(), out.Data().begin(), out.Data().end());
}
