// The scratch folder, input files, snapshots and checks of the fuzz targets.
#include "fuzz/fuzz_support.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "platform/prog_dirs.h"

namespace fuzz {
namespace {
namespace fs = std::filesystem;

// Made once per process below TMPDIR and removed at its exit (kept alive past the static
// destructors, which run before the removal).
const std::string& ScratchFolder()
{
    static const std::string* folder = [] {
        std::string pattern = (fs::temp_directory_path() / "orv-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        std::atexit([] {
            std::error_code ignored;
            fs::remove_all(ScratchFolder(), ignored);
        });
        return new std::string(pattern + "/");
    }();
    return *folder;
}
}  // namespace

void Broken(const char* rule, const char* file, int line)
{
    std::fprintf(stderr, "\nBroken rule at %s:%d: %s\n", file, line, rule);
    std::abort();
}

MsgButton Answers::Message(const std::string& text, MsgType type, unsigned buttons, const std::string& caption)
{
    const MsgButton first = ScriptedMessages::Message(text, type, buttons, caption);
    if (messages.size() <= 8) return first;
    for (MsgButton giveUp : {MbCancel, MbNo, MbAbort, MbIgnore})
        if (buttons & giveUp) return giveUp;
    return first;
}

Run::Run()
{
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(ScratchFolder(), ignored)) fs::remove_all(entry.path(), ignored);
    SetProgDir(ScratchFolder());
    CreateProgramFolders();
}

const std::string& Run::Folder() const { return ScratchFolder(); }

std::string Run::Path(std::string_view name) const { return ScratchFolder() + std::string(name); }

std::string WriteInput(const std::string& path, std::span<const std::uint8_t> bytes)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    FUZZ_CHECK(file != nullptr);
    FUZZ_CHECK(bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size());
    std::fclose(file);
    return path;
}

FolderSnapshot Snapshot(const std::string& folder)
{
    FolderSnapshot files;
    std::error_code ignored;
    const std::string base = fs::path(folder).string();
    for (const auto& entry : fs::recursive_directory_iterator(folder, ignored)) {
        const std::string name = entry.path().string().substr(base.size());
        if (entry.is_regular_file(ignored))
            files[name] = ReadWholeFile(entry.path().string()).value_or(Bytes{});
        else
            files[name + "/"] = {};
    }
    return files;
}

std::uint8_t InputParts::Byte()
{
    if (rest_.empty()) return 0;
    const std::uint8_t b = rest_[0];
    rest_ = rest_.subspan(1);
    return b;
}

std::span<const std::uint8_t> InputParts::Part(std::size_t max)
{
    std::size_t size = Byte();
    size |= static_cast<std::size_t>(Byte()) << 8;
    size = std::min({size, max, rest_.size()});
    const auto part = rest_.first(size);
    rest_ = rest_.subspan(size);
    return part;
}

void AppendPart(Bytes& input, std::span<const std::uint8_t> part)
{
    const std::size_t size = std::min<std::size_t>(part.size(), 0xFFFF);
    input.push_back(static_cast<std::uint8_t>(size & 0xFF));
    input.push_back(static_cast<std::uint8_t>(size >> 8));
    input.insert(input.end(), part.begin(), part.begin() + static_cast<std::ptrdiff_t>(size));
}

bool ShowsNonNumber(std::string_view text)
{
    // A word (a run of letters) that begins as the C library writes a non-number: "nan", "-nan",
    // "inf", "infV", "infinity"; "info" of "Time info not received." is a word of the program's.
    auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    for (std::size_t i = 0; i < text.size();) {
        if (!isLetter(text[i])) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < text.size() && isLetter(text[end])) ++end;
        std::string word(text.substr(i, end - i));
        for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if ((word.starts_with("nan") || word.starts_with("inf")) && word != "info" && word != "information") return true;
        i = end;
    }
    return false;
}

}  // namespace fuzz
