// How the floppy reader reaches a disk: the folder where the disk now in drive A or B is
// mounted (looked up afresh for every disk, since each disk mounts at its own path), the free
// space where the temporary files go, and the slice reads of a part file. Tests replace it to
// point a drive at a folder per disk or to fail a read part-way.
#pragma once

#include "platform/file_io.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class TDriveAccess {
public:
    virtual ~TDriveAccess() = default;
    // Folder holding the files of the disk in the drive ("A" or "B"); nothing: drive not ready.
    virtual std::optional<std::string> DiskFolder(char drive, int disk) = 0;
    // Free bytes on the volume of `folder`; nothing when unknown.
    virtual std::optional<std::uint64_t> FreeSpace(const std::string& folder);
    // Exactly `count` bytes of a file at `offset`; nothing on a read error.
    virtual std::optional<Bytes> ReadSlice(const std::string& path, std::uint64_t offset, std::size_t count);
};

// Mount points of removable volumes in mount order: those under /media and /run/media,
// from the text of /proc/self/mountinfo (octal escapes such as "\040" decoded).
std::vector<std::string> RemovableMountPoints(const std::string& mountInfo);
// The same for this machine, each with a trailing "/".
std::vector<std::string> RemovableVolumes();

// Drive A is the first removable volume, drive B the second. Where the drive has no volume, the
// user chooses the folder that holds the disk's files (a copied disk or an image mounted by hand).
class TSystemDriveAccess : public TDriveAccess {
public:
    using VolumeList = std::function<std::vector<std::string>()>;
    // `volumes` lists the removable volumes now mounted; asked afresh for every disk.
    explicit TSystemDriveAccess(VolumeList volumes = RemovableVolumes) : volumes_(std::move(volumes)) {}
    std::optional<std::string> DiskFolder(char drive, int disk) override;

private:
    VolumeList volumes_;
    std::string lastFolder_;
};

// Drive B is offered only when a second removable volume is mounted.
bool DriveBAvailable();
