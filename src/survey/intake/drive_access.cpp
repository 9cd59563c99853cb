// Drive stand-ins on Linux: removable volumes from the mount table, or a folder the user picks.
#include "survey/intake/drive_access.h"

#include "platform/messages.h"

#include <filesystem>
#include <fstream>
#include <sstream>

std::optional<std::uint64_t> TDriveAccess::FreeSpace(const std::string& folder)
{
    std::error_code ec;
    const auto info = std::filesystem::space(folder, ec);
    if (ec) return std::nullopt;
    return info.available;
}

std::optional<Bytes> TDriveAccess::ReadSlice(const std::string& path, std::uint64_t offset, std::size_t count)
{
    return ReadFileRange(path, offset, count);
}

namespace {
// mountinfo escapes blanks, tabs, newlines and backslashes as three octal digits.
std::string DecodeMountPath(const std::string& field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 4 <= field.size()) {
            const std::string digits = field.substr(i + 1, 3);
            if (digits.find_first_not_of("01234567") == std::string::npos) {
                out += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return out;
}

// Where the desktop mounts removable media. /mnt is left out: it holds mounts of every kind, and
// an image mounted there by hand is reached through the folder choice.
bool UnderRemovableRoot(const std::string& mountPoint)
{
    for (const char* root : {"/media/", "/run/media/"})
        if (mountPoint.rfind(root, 0) == 0 && mountPoint.size() > std::string(root).size()) return true;
    return false;
}
}  // namespace

std::vector<std::string> RemovableMountPoints(const std::string& mountInfo)
{
    std::vector<std::string> points;
    std::istringstream lines(mountInfo);
    std::string line;
    while (std::getline(lines, line)) {
        // Fields: mount id, parent id, major:minor, root, mount point, ...
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint;
        if (!(fields >> id >> parent >> device >> root >> mountPoint)) continue;
        mountPoint = DecodeMountPath(mountPoint);
        if (UnderRemovableRoot(mountPoint)) points.push_back(mountPoint);
    }
    return points;
}

std::vector<std::string> RemovableVolumes()
{
    std::ifstream in("/proc/self/mountinfo");
    std::stringstream text;
    text << in.rdbuf();
    std::vector<std::string> volumes;
    for (const auto& point : RemovableMountPoints(text.str())) volumes.push_back(WithTrailingSlash(point));
    return volumes;
}

std::optional<std::string> TSystemDriveAccess::DiskFolder(char drive, int disk)
{
    const auto volumes = volumes_();
    const std::size_t index = drive == 'B' ? 1 : 0;
    if (index < volumes.size()) return volumes[index];
    auto folder = AskFolder("Folder holding disk " + std::to_string(disk), lastFolder_);
    if (!folder) return std::nullopt;
    lastFolder_ = *folder;
    return WithTrailingSlash(*folder);
}

bool DriveBAvailable() { return RemovableVolumes().size() >= 2; }
