// The four recent-files lists (surveys, reports, summaries, sheets) and their file "orv.mru":
// 20 lines, five per list, an empty line for an empty slot.
#pragma once

#include <array>
#include <string>
#include <vector>

enum class RecentList { Surveys = 0, Reports = 1, Summaries = 2, Sheets = 3 };

class RecentFiles {
public:
    static constexpr int kListCount = 4;
    static constexpr int kEntries = 5;

    const std::vector<std::string>& List(RecentList list) const { return lists_[Index(list)]; }

    // Reads "orv.mru": per list five lines, empty lines skipped (later entries move up); missing
    // lines count as empty.
    bool Load(const std::string& path);
    // Writes exactly 20 lines, replacing the file only when complete.
    bool Save(const std::string& path) const;

    // Puts a path at the top of a list (an entry naming the same file gives way to it, spelled
    // the new way; a sixth entry drops out).
    // A path holding CR or LF would break the file's lines and is not recorded.
    bool Add(RecentList list, const std::string& path);
    void Remove(RecentList list, std::size_t index);
    // Moves an entry to the top.
    void MoveToTop(RecentList list, std::size_t index);

    // One file under both spellings: the same text, or texts that differ only in letter case
    // naming one existing file.
    static bool SameFile(const std::string& a, const std::string& b);

    // Menu caption of entry i: "&i path", with any "&" of the path doubled.
    static std::string Caption(std::size_t index, const std::string& path);

private:
    static std::size_t Index(RecentList list) { return static_cast<std::size_t>(list); }
    std::array<std::vector<std::string>, kListCount> lists_;
};
