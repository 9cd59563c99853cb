// Fuzz target: the floppy archive, its header file "datainfo._tn" and its part files, read disk
// after disk by the floppy reader from folders standing in for the disks. The input holds the
// header, then for up to three disks a count of files and each file's name and bytes.
// Must hold: the header reads only when it fits its 40 bytes; a part name's number and count
// are two digits each; the reader ends, never writes to a disk, writes only the temporary file
// of a measure into the data folder, and has a temporary file for every measure it received.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <set>

#include "fuzz/fuzz_support.h"
#include "platform/prog_dirs.h"
#include "survey/intake/archive_header.h"
#include "survey/intake/floppy_reader.h"
#include "survey/text_tables.h"

namespace {
// Disk n is folder n of the run (the last disk stays in the drive).
class FolderDrive : public TDriveAccess {
public:
    explicit FolderDrive(std::vector<std::string> disks) : disks_(std::move(disks)) {}
    std::optional<std::string> DiskFolder(char, int disk) override
    {
        if (disks_.empty()) return std::nullopt;
        return disks_[static_cast<std::size_t>(std::clamp(disk, 1, static_cast<int>(disks_.size())) - 1)];
    }

private:
    std::vector<std::string> disks_;
};

// A file name of the input's characters, as a disk may hold it (no folders).
std::string FileName(std::span<const std::uint8_t> bytes)
{
    std::string name;
    for (std::uint8_t b : bytes) name += std::isalnum(b) || b == '.' || b == '_' ? static_cast<char>(b) : '_';
    return name == "." || name == ".." ? std::string() : name;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Run run;
    fuzz::InputParts parts({data, size});
    const auto headerBytes = parts.Part(64);
    const std::optional<TArchiveHeader> header = LoadArchiveHeader(headerBytes);
    FUZZ_CHECK(header.has_value() == (headerBytes.size() <= kArchiveHeaderMaxSize));

    std::vector<std::string> disks;
    const int diskCount = parts.Byte() % 3 + 1;
    for (int d = 1; d <= diskCount; ++d) {
        const std::string folder = run.Path("disk" + std::to_string(d) + "/");
        std::filesystem::create_directories(folder);
        disks.push_back(folder);
        if (d == 1 && !headerBytes.empty()) fuzz::WriteInput(folder + "datainfo._tn", headerBytes);
        const int files = parts.Byte() % 6;
        for (int f = 0; f < files; ++f) {
            const std::string name = FileName(parts.Part(16));
            const auto bytes = parts.Part();
            if (name.empty()) continue;
            const ArchivePartName part = ParseArchivePartName(name);
            FUZZ_CHECK(part.number >= 0 && part.number <= 99 && part.count >= 0 && part.count <= 99);
            fuzz::WriteInput(folder + name, bytes);
        }
    }
    fuzz::FolderSnapshot disksBefore;
    for (const std::string& disk : disks) disksBefore.merge(fuzz::Snapshot(disk));

    FolderDrive drive(disks);
    TFloppyReader reader('A', drive);
    std::uint16_t mask = 0;
    const bool succeeded = ReadArchiveDisks(reader, [&reader] { while (reader.Step()) {} }, mask);

    fuzz::FolderSnapshot disksAfter;
    for (const std::string& disk : disks) disksAfter.merge(fuzz::Snapshot(disk));
    FUZZ_CHECK(disksAfter == disksBefore);
    FUZZ_CHECK((mask & ~kArchiveMeasureBits) == 0);
    FUZZ_CHECK(mask == 0 || (header && (mask & ~header->MeasureMask) == 0));
    FUZZ_CHECK(!succeeded || mask != 0);
    std::set<std::string> temporary;
    for (int k = 1; k <= 10; ++k) temporary.insert(std::string(TempFileNames[static_cast<std::size_t>(k)]));
    for (const auto& [name, bytes] : fuzz::Snapshot(DataDir())) FUZZ_CHECK(temporary.count(name));
    for (int k = 1; k <= 10; ++k)
        if (mask & (1u << (k - 1))) FUZZ_CHECK(FileExists(DataDir() + std::string(TempFileNames[static_cast<std::size_t>(k)])));
    return 0;
}
