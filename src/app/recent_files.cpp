// Recent-files lists.
#include "app/recent_files.h"

#include "platform/file_io.h"

#include <algorithm>
#include <filesystem>

bool RecentFiles::SameFile(const std::string& a, const std::string& b)
{
    if (a == b) return true;
    // Spellings that differ only in letter case are one file on a case-blind volume (a FAT
    // stick) and two files elsewhere: the file system decides.
    if (!EqualNoCase(a, b)) return false;
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

bool RecentFiles::Load(const std::string& path)
{
    auto bytes = ReadWholeFile(path, 1 << 20);
    if (!bytes) return false;
    std::vector<std::string> lines;
    std::string line;
    for (std::uint8_t c : *bytes) {
        if (c == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(c);
        }
    }
    if (!line.empty()) lines.push_back(line);
    std::size_t next = 0;
    for (auto& list : lists_) {
        list.clear();
        for (int slot = 0; slot < kEntries; ++slot, ++next)
            if (next < lines.size() && !lines[next].empty()) list.push_back(lines[next]);
    }
    return true;
}

bool RecentFiles::Save(const std::string& path) const
{
    std::string text;
    for (const auto& list : lists_)
        for (std::size_t slot = 0; slot < kEntries; ++slot) text += (slot < list.size() ? list[slot] : "") + "\r\n";
    return WriteFileAtomic(path, text);
}

bool RecentFiles::Add(RecentList which, const std::string& path)
{
    if (path.empty() || path.find_first_of("\r\n") != std::string::npos) return false;
    auto& list = lists_[Index(which)];
    list.erase(std::remove_if(list.begin(), list.end(), [&](const std::string& entry) { return SameFile(entry, path); }),
               list.end());
    list.insert(list.begin(), path);
    if (list.size() > kEntries) list.resize(kEntries);
    return true;
}

void RecentFiles::Remove(RecentList which, std::size_t index)
{
    auto& list = lists_[Index(which)];
    if (index < list.size()) list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
}

void RecentFiles::MoveToTop(RecentList which, std::size_t index)
{
    auto& list = lists_[Index(which)];
    if (index >= list.size()) return;
    std::string path = list[index];
    list.erase(list.begin() + static_cast<std::ptrdiff_t>(index));
    list.insert(list.begin(), path);
}

std::string RecentFiles::Caption(std::size_t index, const std::string& path)
{
    std::string caption = "&" + std::to_string(index) + " ";
    for (char c : path) {
        caption += c;
        if (c == '&') caption += '&';
    }
    return caption;
}
