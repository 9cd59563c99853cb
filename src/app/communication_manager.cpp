// Communication manager search and start.
#include "app/communication_manager.h"

#include "platform/file_io.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {
// Mount points in /proc/self/mountinfo escape blanks and the like as octal "\040".
std::string UnescapeMountPath(const std::string& field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        auto octal = [&](std::size_t k) { return field[k] >= '0' && field[k] <= '7'; };
        if (field[i] == '\\' && i + 3 < field.size() && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}
}  // namespace

std::string VolumeRootOf(const std::string& path)
{
    std::error_code ec;
    std::string full = fs::weakly_canonical(path, ec).string();
    if (ec || full.empty()) full = path;
    full = WithTrailingSlash(full);
    std::string best = "/";
    std::ifstream table("/proc/self/mountinfo");
    std::string line;
    while (std::getline(table, line)) {
        std::istringstream fields(line);
        std::string id, parent, device, root, mountPoint;
        if (!(fields >> id >> parent >> device >> root >> mountPoint)) continue;
        std::string mount = WithTrailingSlash(UnescapeMountPath(mountPoint));
        if (full.compare(0, mount.size(), mount) == 0 && mount.size() > best.size()) best = mount;
    }
    return best;
}

std::optional<std::string> FindCommunicationManager(const std::string& volumeRoot)
{
    std::string root = WithTrailingSlash(volumeRoot);
    std::optional<std::string> darizuz;
    std::error_code ec;
    for (fs::directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->is_directory(ec) && EqualNoCase(it->path().filename().string(), "Darizuz")) {
            darizuz = it->path().string();
            break;
        }
    }
    if (!darizuz) return std::nullopt;
    std::vector<std::string> folders;
    for (fs::directory_iterator it(*darizuz, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_directory(ec)) folders.push_back(it->path().filename().string());
    std::sort(folders.begin(), folders.end());
    for (const auto& folder : folders)
        if (auto exe = FindFileNoCase(*darizuz + "/" + folder, "riveduzo.exe")) return exe;
    return std::nullopt;
}

std::optional<CommunicationManagerRun> RunCommunicationManager(const std::string& volumeRoot, ProgramStarter& starter)
{
    auto program = FindCommunicationManager(volumeRoot);
    if (!program) return std::nullopt;
    // The switch goes as an argument of its own: a path with blanks stays one path.
    return CommunicationManagerRun{*program, starter.Start(*program, {"/v"})};
}
