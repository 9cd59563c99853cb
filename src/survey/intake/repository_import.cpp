// Repository import: table, section checks, ring-buffer search and the copy into temporary files.
#include "survey/intake/repository_import.h"

#include "platform/messages.h"
#include "platform/prog_dirs.h"
#include "survey/data_file.h"
#include "survey/intake/temp_file_ops.h"
#include "survey/samples_file.h"
#include "survey/text_tables.h"

#include <algorithm>
#include <vector>

namespace {
bool IsTableLength(std::uint32_t value) { return value == 24 || value == 32 || value == 36 || value == 56; }

// Visits the records of a samples section from the first to the end offset; false when a
// record's length does not fit between its head and the end offset.
template <typename Visit>
bool WalkSamplesRecords(BinaryFile& f, const TRepositorySection& section, std::uint8_t fileType, Visit&& visit)
{
    const std::size_t headSize = SamplesHeadSize(fileType);
    for (std::uint64_t pos = section.Offset + section.HeaderSize; pos < section.DataEnd;) {
        TSamplesRecordHead head;
        if (ReadSamplesRecordHead(f, pos, fileType, head) == 0) return false;
        if (head.Length < headSize || head.Length > section.DataEnd - pos) return false;
        if (!visit(pos, head)) return true;
        pos += head.Length;
    }
    return true;
}

std::optional<TSamplesFileHeader> SamplesSectionHeader(BinaryFile& f, std::uint64_t offset)
{
    TSamplesFileHeader header;
    if (!ReadSamplesFileHeader(f, header, offset)) return std::nullopt;
    return header;
}

bool FindOldestSamplesRecord(BinaryFile& f, const TRepositorySection& section, std::uint64_t& oldest)
{
    auto header = SamplesSectionHeader(f, section.Offset);
    if (!header) return false;
    std::optional<TDateTime> first;
    bool found = false;
    WalkSamplesRecords(f, section, header->FileType, [&](std::uint64_t pos, const TSamplesRecordHead& head) {
        auto t = SamplesRecordTime(head, false);
        if (!first) {
            first = t;
            return t.has_value();
        }
        if (t && *t < *first) {
            oldest = pos;
            found = true;
            return false;
        }
        return true;
    });
    return found;
}

bool FindOldestFixedRecord(BinaryFile& f, const TRepositorySection& section, std::uint64_t& oldest)
{
    auto layout = StampLayoutOf(section.Measure);
    auto header = ReadDataFileHeader(f, section.Offset);
    if (!layout || !header) return false;
    const std::uint64_t size = header->RecordSize(), count = header->RecordCount;
    const std::uint64_t records = section.Offset + kDataFileHeaderSize;
    Bytes bytes;
    auto timeAt = [&](std::uint64_t index) -> std::optional<TDateTime> {
        if (!f.ReadAt(records + index * size, layout->bytesNeeded, bytes)) return std::nullopt;
        return RecordTime(*layout, bytes);
    };
    const auto first = timeAt(0), last = timeAt(count - 1);
    if (!first || !last || !(*last < *first)) return false;
    // Whole blocks of records at a time.
    const std::uint64_t perBlock = std::max<std::uint64_t>(1, (1u << 20) / size);
    for (std::uint64_t start = 1; start < count; start += perBlock) {
        const std::uint64_t n = std::min(perBlock, count - start);
        if (!f.ReadAt(records + start * size, static_cast<std::size_t>(n * size), bytes)) return false;
        for (std::uint64_t i = 0; i < n; ++i) {
            auto t = RecordTime(*layout, std::span(bytes).subspan(static_cast<std::size_t>(i * size), static_cast<std::size_t>(size)));
            if (t && *t < *first) {
                oldest = records + (start + i) * size;
                return true;
            }
        }
    }
    return false;
}

struct SectionCopy {
    TRepositorySection section;
    bool wrapped = false;
    std::uint64_t oldest = 0;
};

bool CopySection(const std::string& path, const SectionCopy& copy, const std::string& temp,
                 const std::function<void(std::uint64_t)>& copied)
{
    const TRepositorySection& s = copy.section;
    if (!CreateEmptyFile(temp)) return false;
    if (!copy.wrapped) return AppendFileRange(path, s.Offset, s.DataEnd - s.Offset, temp, copied);
    // The header unchanged, then the oldest record to the end, then the first record up to it.
    const std::uint64_t firstRecord = s.Offset + s.HeaderSize;
    return AppendFileRange(path, s.Offset, s.HeaderSize, temp, copied) &&
           AppendFileRange(path, copy.oldest, s.DataEnd - copy.oldest, temp, copied) &&
           AppendFileRange(path, firstRecord, copy.oldest - firstRecord, temp, copied);
}
}  // namespace

std::optional<TRepositoryTable> ReadRepositoryTable(BinaryFile& repository)
{
    const std::uint64_t size = repository.Size();
    if (size < 24) return std::nullopt;
    const std::size_t tableBytes = size < 36 ? 24 : size < 56 ? 36 : 56;
    Bytes bytes;
    if (!repository.ReadAt(0, tableBytes, bytes)) return std::nullopt;
    ByteReader in(bytes);
    TRepositoryTable table;
    for (std::size_t i = 0; i < tableBytes / 4; ++i) table.Entries[i] = in.U32();
    if (!in.Ok()) return std::nullopt;
    // The first section starts right after the table, so the first offset present is its length.
    auto first = std::find_if(table.Entries.begin(), table.Entries.end(), [](std::uint32_t e) { return e != 0; });
    if (first == table.Entries.end() || !IsTableLength(*first) || *first > tableBytes) return std::nullopt;
    table.Length = *first;
    for (std::size_t i = table.Length / 4; i < table.Entries.size(); ++i) table.Entries[i] = 0;
    return table;
}

std::optional<TRepositorySection> CheckRepositorySection(BinaryFile& repository, const TRepositoryTable& table,
                                                         int measure)
{
    const std::uint64_t size = repository.Size();
    TRepositorySection s;
    s.Measure = measure;
    s.Offset = table.Entries[static_cast<std::size_t>(measure - 1)];
    if (s.Offset < table.Length || s.Offset >= size) return std::nullopt;
    s.End = size;
    for (std::size_t j = static_cast<std::size_t>(measure); j < table.Entries.size(); ++j) {
        if (table.Entries[j] != 0) {
            s.End = table.Entries[j];
            break;
        }
    }
    if (s.End > size || s.End <= s.Offset) return std::nullopt;
    const std::uint64_t length = s.End - s.Offset;

    if (measure == MeasureSamples) {
        s.HeaderSize = kSamplesFileHeaderSize;
        auto header = SamplesSectionHeader(repository, s.Offset);
        if (!header || !IsSamplesFileType(header->FileType) || header->RecordCount == 0 ||
            header->EndOffset > length || header->EndOffset < kSamplesFileHeaderSize + SamplesHeadSize(header->FileType))
            return std::nullopt;
        s.DataEnd = s.Offset + header->EndOffset;
        std::uint64_t end = s.Offset + s.HeaderSize;
        const bool chained = WalkSamplesRecords(repository, s, header->FileType, [&](std::uint64_t pos, const TSamplesRecordHead& head) {
            end = pos + head.Length;
            return true;
        });
        if (!chained || end != s.DataEnd) return std::nullopt;
        return s;
    }
    s.HeaderSize = kDataFileHeaderSize;
    auto header = ReadDataFileHeader(repository, s.Offset);
    if (!header || CheckDataFileHeader(*header, length, MinimumRecordSize(measure)) != DataFileFault::None)
        return std::nullopt;
    s.DataEnd = s.Offset + header->EndOffset;
    return s;
}

bool FindOldestRecord(BinaryFile& repository, const TRepositorySection& section, std::uint64_t& oldest)
{
    return section.Measure == MeasureSamples ? FindOldestSamplesRecord(repository, section, oldest)
                                             : FindOldestFixedRecord(repository, section, oldest);
}

std::optional<std::uint16_t> ImportRepository(const std::string& path, const ImportProgress& progress)
{
    BinaryFile repository;
    if (!repository.Open(path)) {
        ShowError("Unable to open the file.");
        return std::nullopt;
    }
    auto invalid = [] {
        ShowError(std::string(kInvalidRepositoryMessage));
        return std::nullopt;
    };
    auto table = ReadRepositoryTable(repository);
    if (!table) return invalid();

    // Every section is checked before anything is written.
    std::vector<SectionCopy> copies;
    std::uint64_t total = 0;
    for (int k = 1; k <= kMeasureCount; ++k) {
        if (table->Entries[static_cast<std::size_t>(k - 1)] == 0) continue;
        auto section = CheckRepositorySection(repository, *table, k);
        if (!section) return invalid();
        SectionCopy copy{*section};
        copy.wrapped = FindOldestRecord(repository, *section, copy.oldest);
        total += section->DataEnd - section->Offset;
        copies.push_back(copy);
    }
    if (copies.empty()) return invalid();
    repository.Close();

    std::uint16_t mask = 0;
    std::uint64_t done = 0;
    auto copied = [&](std::uint64_t n) {
        done += n;
        if (progress) progress(done, total);
    };
    for (const auto& copy : copies) {
        const int k = copy.section.Measure;
        if (!CopySection(path, copy, TempFileName(k), copied)) {
            for (const auto& made : copies) DeleteFile(TempFileName(made.section.Measure));
            ShowError("Unable to write the file " + TempFileName(k) + ".");
            return std::nullopt;
        }
        mask |= static_cast<std::uint16_t>(1u << (k - 1));
    }
    return mask;
}
