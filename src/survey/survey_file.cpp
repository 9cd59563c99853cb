// Survey file loading, the header check, the upgrades and the line rules.
#include "survey/survey_file.h"

#include "platform/file_io.h"
#include "platform/messages.h"

namespace {
// A survey file is 18 short lines; anything this large is not one.
constexpr std::uint64_t kMaxSurveyFileBytes = 1 << 20;

void InsertEmptyLines(SurveyLines& lines, std::size_t at, std::size_t count)
{
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), count, std::string());
}

bool SaveUpgraded(const std::string& path, const SurveyLines& lines) { return SaveSurveyLines(path, lines); }

// Step 1 of the full upgrade: the 10-line file takes the current header and 8 empty lines at
// 7 to 14, so its information moves from 7-9 to 15-17. True when the lines changed.
bool TenLinesUpgraded(SurveyLines& lines)
{
    if (lines.size() >= 11) return false;
    lines[0] = std::string(kSurveyHeader);
    InsertEmptyLines(lines, 7, 8);
    return true;
}

// Step 2 of the full upgrade: the 13-line file's information moves from 10-12 to 15-17.
bool ThirteenLinesUpgraded(SurveyLines& lines)
{
    if (lines.size() >= 14) return false;
    lines.resize(kSurveyLineCount);
    for (std::size_t i = 0; i < 3; ++i) lines[15 + i] = std::move(lines[10 + i]);
    for (std::size_t i = 10; i < 15; ++i) lines[i].clear();
    return true;
}

bool TenLinesToCurrent(const std::string& path, SurveyLines& lines)
{
    return !TenLinesUpgraded(lines) || SaveUpgraded(path, lines);
}

bool ThirteenLinesToCurrent(const std::string& path, SurveyLines& lines)
{
    return !ThirteenLinesUpgraded(lines) || SaveUpgraded(path, lines);
}
}  // namespace

std::optional<SurveyLines> LoadSurveyLines(const std::string& path)
{
    auto bytes = ReadWholeFile(path, kMaxSurveyFileBytes);
    if (!bytes) return std::nullopt;
    SurveyLines lines;
    std::string line;
    bool open = false;  // characters since the last break
    for (std::size_t i = 0; i < bytes->size(); ++i) {
        const char c = static_cast<char>((*bytes)[i]);
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            open = false;
            if (c == '\r' && i + 1 < bytes->size() && (*bytes)[i + 1] == '\n') ++i;
        } else {
            line += c;
            open = true;
        }
    }
    if (open) lines.push_back(std::move(line));
    return lines;
}

bool SaveSurveyLines(const std::string& path, const SurveyLines& lines)
{
    std::string text;
    for (const auto& line : lines) {
        // A break inside a line would shift every later line: the file would lose its layout.
        if (line.find_first_of("\r\n") != std::string::npos) return false;
        text += line + "\r\n";
    }
    return WriteFileAtomic(path, text);
}

bool SurveyHeaderValid(const SurveyLines& lines)
{
    const std::size_t n = lines.size();
    if (n != kOldSurveyLineCount && n != kShortSurveyLineCount && n != kSurveyLineCount) return false;
    return lines[0] == kSurveyHeader || lines[0] == kOldSurveyHeader;
}

bool CheckSurveyHeader(SurveyLines& lines)
{
    if (SurveyHeaderValid(lines)) return true;
    ShowError(std::string(kInvalidSurveyMessage));
    lines.clear();
    return false;
}

bool FullUpgrade(const std::string& path, SurveyLines& lines)
{
    bool saved = TenLinesToCurrent(path, lines);
    return ThirteenLinesToCurrent(path, lines) && saved;
}

void UpgradeToCurrentLayout(SurveyLines& lines)
{
    TenLinesUpgraded(lines);
    ThirteenLinesUpgraded(lines);
}

bool ShortUpgrade(const std::string& path, SurveyLines& lines)
{
    if (lines.size() >= 11) return true;
    lines[0] = std::string(kSurveyHeader);
    InsertEmptyLines(lines, 7, 3);
    return SaveUpgraded(path, lines);
}

bool TenLineStep(const std::string& path, SurveyLines& lines) { return TenLinesToCurrent(path, lines); }

std::optional<SurveyLines> OpenSurveyFile(const std::string& path, SurveyUpgrade upgrade)
{
    auto lines = LoadSurveyLines(path);
    if (!lines) {
        ShowError(std::string(kInvalidSurveyMessage));
        return std::nullopt;
    }
    if (!CheckSurveyHeader(*lines)) return std::nullopt;
    bool saved = true;
    switch (upgrade) {
    case SurveyUpgrade::None: break;
    case SurveyUpgrade::Full: saved = FullUpgrade(path, *lines); break;
    case SurveyUpgrade::Short: saved = ShortUpgrade(path, *lines); break;
    case SurveyUpgrade::TenLineStep: saved = TenLineStep(path, *lines); break;
    }
    if (!saved) ShowError(std::string(kSurveySaveFailedMessage) + path + ".");
    return lines;
}

std::size_t InfoLineIndex(const SurveyLines& lines) { return lines.size() > 13 ? 15 : 10; }

TSurveyInfo ReadSurveyInfo(const SurveyLines& lines)
{
    const std::size_t first = InfoLineIndex(lines);
    auto at = [&](std::size_t i) { return i < lines.size() ? lines[i] : std::string(); };
    return {at(first), at(first + 1), at(first + 2)};
}

void StoreSurveyInfo(SurveyLines& lines, const TSurveyInfo& info)
{
    // A line break (pasted into an edit) would add lines to the file and break its layout.
    auto oneLine = [](std::string text) {
        for (char& c : text)
            if (c == '\r' || c == '\n') c = ' ';
        return text;
    };
    const std::size_t first = InfoLineIndex(lines);
    if (lines.size() < first + 3) lines.resize(first + 3);
    lines[first] = oneLine(info.Description);
    lines[first + 1] = oneLine(info.Site);
    lines[first + 2] = oneLine(info.Operator);
}

int DataLineCount(const SurveyLines& lines)
{
    if (lines.size() > kShortSurveyLineCount) return kMeasureSlots;
    if (lines.size() > kOldSurveyLineCount) return 9;
    return 6;
}

std::string DataFileLine(const SurveyLines& lines, int measure)
{
    if (measure < 1 || measure > DataLineCount(lines) || static_cast<std::size_t>(measure) >= lines.size()) return {};
    return lines[static_cast<std::size_t>(measure)];
}

bool SetDataFileLine(SurveyLines& lines, int measure, const std::string& name)
{
    if (measure < 1 || measure > DataLineCount(lines) || static_cast<std::size_t>(measure) >= lines.size()) return false;
    lines[static_cast<std::size_t>(measure)] = name;
    return true;
}

std::optional<std::string> FindSurveyDataFile(const std::string& surveyPath, const SurveyLines& lines, int measure)
{
    const std::string name = DataFileLine(lines, measure);
    // A line names a file of the survey's own folder; one naming a folder is not a data file of
    // this survey, and following it would read or append to a file elsewhere.
    if (name.empty() || name.find_first_of("/\\") != std::string::npos) return std::nullopt;
    const std::string folder = ExtractFilePath(surveyPath);
    return FindFileNoCase(folder.empty() ? "./" : folder, name);
}

SurveyLines NewSurveyLines(const std::array<std::string, kMeasureSlots>& dataNames, const TSurveyInfo& info)
{
    SurveyLines lines(kSurveyLineCount);
    lines[0] = std::string(kSurveyHeader);
    for (int k = 1; k <= kMeasureSlots; ++k) lines[static_cast<std::size_t>(k)] = dataNames[static_cast<std::size_t>(k - 1)];
    StoreSurveyInfo(lines, info);
    return lines;
}
