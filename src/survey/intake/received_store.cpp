// Save wizard engine: planning, staging and committing the data files of a survey.
#include "survey/intake/received_store.h"

#include "platform/file_io.h"
#include "platform/messages.h"
#include "platform/prog_dirs.h"
#include "survey/data_append.h"
#include "survey/intake/append_checks.h"
#include "survey/intake/samples_append.h"
#include "survey/intake/temp_file_ops.h"
#include "survey/text_tables.h"

#include <filesystem>
#include <strings.h>
#include <vector>

namespace {
struct StoredFile {
    StoredFile(int k, std::string to, bool onto) : measure(k), destination(std::move(to)), append(onto) {}
    int measure = 0;
    std::string destination;
    bool append = false;  // onto an existing data file
    std::string staged;   // the complete new file, beside the destination
    std::string former;   // the destination's former contents, kept until the survey is saved
    bool placed = false;  // the staged file is now the destination
};

bool InMask(std::uint16_t mask, int k) { return k <= kMeasureCount && (mask & (1u << (k - 1))); }

bool StageFile(StoredFile& file)
{
    const std::string temp = TempFileName(file.measure);
    file.staged = StagedFileName(file.destination);
    if (!file.append) return CopyDataFile(temp, file.staged);
    if (!CopyDataFile(file.destination, file.staged)) return false;
    const AppendResult result = file.measure == MeasureSamples ? AppendSamplesFile(temp, file.staged)
                                                               : AppendDataFile(temp, file.staged, file.measure);
    return result == AppendResult::Ok;
}

// A second name for the destination's contents, so that renaming the staged file over it loses
// nothing until the survey file is saved.
bool KeepFormer(StoredFile& file)
{
    if (!FileExists(file.destination)) return true;
    file.former = StagedFileName(file.destination, ".old");
    std::error_code ec;
    std::filesystem::create_hard_link(file.destination, file.former, ec);
    if (!ec || CopyDataFile(file.destination, file.former)) return true;
    DeleteFile(file.former);
    file.former.clear();
    return false;
}

// Puts every destination back as it was before the save began.
void Restore(std::vector<StoredFile>& files)
{
    for (auto f = files.rbegin(); f != files.rend(); ++f) {
        if (f->placed) {
            const bool back = f->former.empty() ? DeleteFile(f->destination) : RenameFile(f->former, f->destination);
            if (back) f->former.clear();  // else the former contents stay under their second name
            f->placed = false;
        } else if (!f->former.empty()) {
            DeleteFile(f->former);
            f->former.clear();
        }
        if (!f->staged.empty()) DeleteFile(f->staged);
        f->staged.clear();
    }
}

bool SaveFailed(std::vector<StoredFile>& files, const std::string& message)
{
    Restore(files);
    ShowError(message + ". The received data are kept.");
    return false;
}

std::string DataFileFailure(const StoredFile& f)
{
    return "Unable to save the " + std::string(MeasureName(f.measure)) + " data file " + f.destination;
}

// Stage every file, then rename them into place and save the survey lines; a failure at any
// point puts back every file already placed. The temporary files go only after the survey file
// is saved.
bool StoreFiles(std::vector<StoredFile>& files, const std::string& surveyPath, const SurveyLines& lines)
{
    for (auto& f : files)
        if (!StageFile(f)) return SaveFailed(files, DataFileFailure(f));
    for (auto& f : files) {
        if (!KeepFormer(f) || !RenameFile(f.staged, f.destination)) return SaveFailed(files, DataFileFailure(f));
        f.staged.clear();
        f.placed = true;
    }
    if (!SaveSurveyLines(surveyPath, lines)) return SaveFailed(files, std::string(kSurveySaveFailedMessage) + surveyPath);
    for (const auto& f : files) {
        if (!f.former.empty()) DeleteFile(f.former);
        DeleteFile(TempFileName(f.measure));
    }
    return true;
}

std::string DefaultDataFile(const std::string& surveyPath, int k) { return ChangeFileExt(surveyPath, DataFileExt(k)); }

bool SameFile(const std::string& a, const std::string& b)
{
    std::error_code ec;
    return std::filesystem::equivalent(a, b, ec);
}

// The measure other than `except` whose line names `file`, or 0.
int OwnerOf(const std::string& path, const SurveyLines& lines, const std::string& file, int except = 0)
{
    for (int j = 1; j <= DataLineCount(lines); ++j) {
        if (j == except) continue;
        auto named = FindSurveyDataFile(path, lines, j);
        if (named && SameFile(*named, file)) return j;
    }
    return 0;
}
}  // namespace

std::string DataFileExt(int measure) { return std::string(DataFileExts.at(static_cast<std::size_t>(measure))); }

void DeleteTempFiles()
{
    for (int k = 1; k <= kMeasureSlots; ++k) {
        if (TempFileNames[static_cast<std::size_t>(k)].empty()) continue;
        const std::string temp = TempFileName(k);
        if (FileExists(temp)) DeleteFile(temp);
    }
}

std::string SurveyPathFor(const std::string& typedPath)
{
    return strcasecmp(ExtractFileExt(typedPath).c_str(), ".orv") == 0 ? typedPath : ChangeFileExt(typedPath, ".orv");
}

bool CreateSurvey(const std::string& path, std::uint16_t mask, const TSurveyInfo& info)
{
    std::array<std::string, kMeasureSlots> names{};
    std::vector<StoredFile> files;
    for (int k = 1; k <= kMeasureCount; ++k) {
        if (!InMask(mask, k)) continue;
        files.emplace_back(k, DefaultDataFile(path, k), false);
        names[static_cast<std::size_t>(k - 1)] = ExtractFileName(files.back().destination);
    }
    // A data file of the new name may hold another survey's records. Those of the survey being
    // replaced (the user agreed to replace it) go without a second question.
    const auto replaced = LoadSurveyLines(path);
    for (const auto& f : files) {
        auto taken = FindFileNoCase(ExtractFilePath(f.destination).empty() ? "./" : ExtractFilePath(f.destination),
                                    ExtractFileName(f.destination));
        if (!taken) continue;
        if (replaced && SurveyHeaderValid(*replaced) && OwnerOf(path, *replaced, *taken) != 0) continue;
        if (ShowMessage("The data file " + ExtractFileName(*taken) + " already exists.\nDo you want to replace it?",
                        MsgType::Warning, MbYesNo) != MbYes)
            return false;
    }
    return StoreFiles(files, path, NewSurveyLines(names, info));
}

bool AppendToSurvey(const std::string& path, SurveyLines& lines, std::uint16_t mask)
{
    const std::string folder = ExtractFilePath(path).empty() ? "./" : ExtractFilePath(path);
    std::vector<StoredFile> files;
    for (int k = 1; k <= kMeasureCount; ++k) {
        if (!InMask(mask, k)) continue;
        // The file checked is the file appended to: the one the survey names, else a file of the
        // survey's own name for the measure.
        auto existing = FindSurveyDataFile(path, lines, k);
        if (!existing) existing = FindFileNoCase(folder, ExtractFileName(DefaultDataFile(path, k)));
        // Records of two measures in one file would be lost to both.
        if (const int owner = existing ? OwnerOf(path, lines, *existing, k) : 0) {
            ShowError("Unable to append the " + std::string(MeasureName(k)) + " data: " + ExtractFileName(*existing) +
                      " is the " + std::string(MeasureName(owner)) + " data file.");
            return false;
        }
        if (existing && !CheckAppendCompatible(*existing, TempFileName(k), k)) {
            if (ShowMessage("Skip this file and continue ?", MsgType::Error, MbYesNo) != MbYes) return false;
            continue;
        }
        files.emplace_back(k, existing.value_or(DefaultDataFile(path, k)), existing.has_value());
    }
    if (files.empty()) {
        ShowMessage("All the files have been skipped.", MsgType::Error, MbOk);
        return false;
    }
    SurveyLines updated = lines;
    // A 13-line survey has no line for energy (its line 10 is the description).
    for (const auto& f : files) {
        if (f.measure > DataLineCount(updated)) {
            // Saved with the data files, not before them.
            UpgradeToCurrentLayout(updated);
            break;
        }
    }
    for (const auto& f : files) SetDataFileLine(updated, f.measure, ExtractFileName(f.destination));
    if (!StoreFiles(files, path, updated)) return false;
    lines = std::move(updated);
    return true;
}
