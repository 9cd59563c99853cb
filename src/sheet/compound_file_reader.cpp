// Defensive compound-file reader: header, DIFAT, FAT, directory, mini FAT and mini stream.
#include "sheet/compound_file_reader.h"

#include "platform/file_io.h"
#include "platform/little_endian.h"
#include "sheet/compound_file.h"

#include <algorithm>
#include <cstring>

namespace {
using namespace compound_file;

bool Damaged(std::string& error, const std::string& what)
{
    error = "The workbook is damaged (" + what + ").";
    return false;
}
}  // namespace

bool IsCompoundFile(std::span<const std::uint8_t> file)
{
    return file.size() >= sizeof kSignature && std::memcmp(file.data(), kSignature, sizeof kSignature) == 0;
}

std::span<const std::uint8_t> CompoundFileReader::SectorBytes(std::uint32_t sector) const
{
    return file_.subspan((static_cast<std::size_t>(sector) + 1) * sectorSize_, sectorSize_);
}

bool CompoundFileReader::Chain(const std::vector<std::uint32_t>& fat, std::uint32_t start, std::size_t limit,
                               std::size_t sectorCount, std::vector<std::uint32_t>& out, std::string& error) const
{
    out.clear();
    std::vector<bool> seen(sectorCount, false);
    for (std::uint32_t s = start; s != kEndOfChain;) {
        if (s >= sectorCount || s >= fat.size()) return Damaged(error, "a sector chain leaves the file");
        if (seen[s]) return Damaged(error, "a sector chain loops");
        if (out.size() >= limit) return Damaged(error, "a sector chain is longer than its stream");
        seen[s] = true;
        out.push_back(s);
        s = fat[s];
    }
    return true;
}

bool CompoundFileReader::Open(std::span<const std::uint8_t> file, std::string& error)
{
    file_ = file;
    if (!IsCompoundFile(file) || file.size() < kHeaderSize) return Damaged(error, "no compound-file header");
    FieldView header(file.first(kHeaderSize));
    const std::uint16_t byteOrder = header.U16(0x1C);
    const std::uint16_t sectorShift = header.U16(0x1E);
    const std::uint16_t miniShift = header.U16(0x20);
    if (byteOrder != 0xFFFE || (sectorShift != 9 && sectorShift != 12) || miniShift != 6)
        return Damaged(error, "unknown sector sizes");
    sectorSize_ = std::size_t{1} << sectorShift;
    if (file.size() < sectorSize_) return Damaged(error, "the file is shorter than its header");
    sectorCount_ = (file.size() - sectorSize_) / sectorSize_;
    const std::uint32_t fatCount = header.U32(0x2C);
    const std::uint32_t firstDirectory = header.U32(0x30);
    miniCutoff_ = header.U32(0x38);
    const std::uint32_t firstMiniFat = header.U32(0x3C);
    const std::uint32_t miniFatCount = header.U32(0x40);
    const std::uint32_t firstDifat = header.U32(0x44);
    const std::uint32_t difatCount = header.U32(0x48);
    if (!header.Ok() || fatCount > sectorCount_ || miniFatCount > sectorCount_ || difatCount > sectorCount_)
        return Damaged(error, "sector counts beyond the file");

    // The FAT's own sectors: 109 in the header, the rest in the DIFAT chain.
    std::vector<std::uint32_t> fatSectors;
    for (std::size_t i = 0; i < kHeaderDifatEntries && fatSectors.size() < fatCount; ++i)
        fatSectors.push_back(header.U32(kHeaderDifatOffset + 4 * i));
    const std::size_t perSector = sectorSize_ / 4;
    std::vector<bool> seenDifat(sectorCount_, false);
    for (std::uint32_t d = firstDifat; fatSectors.size() < fatCount;) {
        if (d >= sectorCount_ || seenDifat[d]) return Damaged(error, "a broken DIFAT chain");
        seenDifat[d] = true;
        ByteReader difat(SectorBytes(d));
        for (std::size_t k = 0; k + 1 < perSector && fatSectors.size() < fatCount; ++k) fatSectors.push_back(difat.U32());
        difat.Seek(sectorSize_ - 4);
        d = difat.U32();
    }
    fat_.clear();
    fat_.reserve(fatSectors.size() * perSector);
    for (std::uint32_t s : fatSectors) {
        if (s >= sectorCount_) return Damaged(error, "a FAT sector beyond the file");
        ByteReader in(SectorBytes(s));
        for (std::size_t k = 0; k < perSector; ++k) fat_.push_back(in.U32());
    }

    std::vector<std::uint32_t> chain;
    if (!Chain(fat_, firstDirectory, sectorCount_, sectorCount_, chain, error)) return false;
    entries_.clear();
    for (std::uint32_t s : chain) {
        std::span<const std::uint8_t> bytes = SectorBytes(s);
        for (std::size_t at = 0; at + kDirectoryEntrySize <= bytes.size(); at += kDirectoryEntrySize) {
            FieldView in(bytes.subspan(at, kDirectoryEntrySize));
            Entry e;
            std::uint16_t nameBytes = in.U16(0x40);
            e.type = in.U8(0x42);
            e.start = in.U32(0x74);
            const std::uint32_t sizeLow = in.U32(0x78);
            const std::uint32_t sizeHigh = in.U32(0x7C);
            e.size = sectorShift == 9 ? sizeLow : (std::uint64_t{sizeHigh} << 32 | sizeLow);
            // The name is UTF-16 with its terminating zero counted; only ASCII names are looked up.
            if (nameBytes > 64 || nameBytes % 2 != 0) nameBytes = 0;
            for (std::size_t k = 0; k + 2 < nameBytes; k += 2) {
                const std::uint16_t ch = in.U16(k);
                e.name += ch < 0x80 ? static_cast<char>(ch) : '?';
            }
            entries_.push_back(std::move(e));
        }
    }
    if (entries_.empty() || entries_[0].type != kTypeRoot) return Damaged(error, "no root directory entry");

    // The mini stream lives in the root entry's chain; the mini FAT in its own chain.
    miniFat_.clear();
    miniStream_.clear();
    if (miniFatCount > 0) {
        if (!Chain(fat_, firstMiniFat, miniFatCount, sectorCount_, chain, error)) return false;
        for (std::uint32_t s : chain) {
            ByteReader in(SectorBytes(s));
            for (std::size_t k = 0; k < perSector; ++k) miniFat_.push_back(in.U32());
        }
        const Entry& root = entries_[0];
        if (root.size > file.size()) return Damaged(error, "the mini stream is larger than the file");
        std::size_t need = static_cast<std::size_t>((root.size + sectorSize_ - 1) / sectorSize_);
        if (!Chain(fat_, root.start, need, sectorCount_, chain, error)) return false;
        if (chain.size() < need) return Damaged(error, "the mini stream is cut short");
        for (std::uint32_t s : chain) {
            auto bytes = SectorBytes(s);
            miniStream_.insert(miniStream_.end(), bytes.begin(), bytes.end());
        }
        miniStream_.resize(static_cast<std::size_t>(root.size));
    }
    return true;
}

const CompoundFileReader::Entry* CompoundFileReader::Find(const std::string& name) const
{
    for (std::size_t i = 1; i < entries_.size(); ++i)
        if (entries_[i].type == kTypeStream && EqualNoCase(entries_[i].name, name)) return &entries_[i];
    return nullptr;
}

bool CompoundFileReader::HasStream(const std::string& name) const { return Find(name) != nullptr; }

std::optional<std::vector<std::uint8_t>> CompoundFileReader::ReadStream(const std::string& name, std::string& error) const
{
    const Entry* e = Find(name);
    if (!e) {
        error = "The workbook has no " + name + " stream.";
        return std::nullopt;
    }
    if (e->size > file_.size()) {
        Damaged(error, "a stream is larger than the file");
        return std::nullopt;
    }
    const std::size_t size = static_cast<std::size_t>(e->size);
    const bool mini = e->size < miniCutoff_;
    const std::size_t unit = mini ? 64 : sectorSize_;
    const std::size_t units = (size + unit - 1) / unit;
    std::vector<std::uint32_t> chain;
    if (size > 0) {
        const std::size_t available = mini ? miniStream_.size() / 64 : sectorCount_;
        if (!Chain(mini ? miniFat_ : fat_, e->start, units, available, chain, error)) return std::nullopt;
        if (chain.size() < units) {
            Damaged(error, "a stream is cut short");
            return std::nullopt;
        }
    }
    std::vector<std::uint8_t> out;
    out.reserve(units * unit);
    for (std::uint32_t s : chain) {
        const std::uint8_t* from = mini ? miniStream_.data() + std::size_t{s} * 64 : SectorBytes(s).data();
        std::size_t count = mini ? std::min<std::size_t>(64, miniStream_.size() - std::size_t{s} * 64) : sectorSize_;
        out.insert(out.end(), from, from + count);
    }
    out.resize(size);
    return out;
}
