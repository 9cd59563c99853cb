// Fuzz target: the survey file (.orv) with the data files its lines name, as the wizards open
// it: the header check, each upgrade, the information lines and the survey selection filled
// from the data files. The first byte chooses the upgrade; then come the survey file and, for
// measures 1 to 10 in turn, the data file its line names (when the line is a plain file name).
// Must hold: a survey that fails the header check is refused with its message and nothing is
// written or deleted; an opened one has the upgrade's line count and is on the disk as opened;
// the information lines store and read back; filling the selection writes nothing and leaves
// only measures whose data files passed the gate, each described within its file.
#include <cctype>

#include "fuzz/fuzz_support.h"
#include "survey/selection_loader.h"
#include "survey/survey_file.h"

namespace {
constexpr SurveyUpgrade kUpgrades[] = {SurveyUpgrade::None, SurveyUpgrade::Full, SurveyUpgrade::Short,
                                       SurveyUpgrade::TenLineStep};

// A survey line the run may write a file under: a plain name in the survey's folder.
bool PlainFileName(const std::string& name)
{
    if (name.empty() || name.size() > 64 || name == "." || name == "..") return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '-') return false;
    return true;
}

std::size_t LinesAfter(SurveyUpgrade upgrade, std::size_t lines)
{
    switch (upgrade) {
    case SurveyUpgrade::Full: return kSurveyLineCount;
    case SurveyUpgrade::Short: return lines == kOldSurveyLineCount ? kShortSurveyLineCount : lines;
    case SurveyUpgrade::TenLineStep: return lines == kOldSurveyLineCount ? kSurveyLineCount : lines;
    case SurveyUpgrade::None: break;
    }
    return lines;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Run run;
    fuzz::InputParts parts({data, size});
    const SurveyUpgrade upgrade = kUpgrades[parts.Byte() % 4];
    const std::string path = fuzz::WriteInput(run.Path("survey.orv"), parts.Part());
    const std::optional<SurveyLines> loaded = LoadSurveyLines(path);
    FUZZ_CHECK(loaded.has_value());
    if (SurveyHeaderValid(*loaded))
        for (int k = 1; k <= 10; ++k) {
            const auto bytes = parts.Part();
            const std::string name = DataFileLine(*loaded, k);
            if (PlainFileName(name) && name != "survey.orv" && !FolderExists(run.Path(name)))
                fuzz::WriteInput(run.Path(name), bytes);
        }

    const fuzz::FolderSnapshot before = fuzz::Snapshot(run.Folder());
    std::optional<SurveyLines> lines = OpenSurveyFile(path, upgrade);
    if (!SurveyHeaderValid(*loaded)) {
        FUZZ_CHECK(!lines.has_value());
        FUZZ_CHECK(run.messages.Texts() == std::vector<std::string>{std::string(kInvalidSurveyMessage)});
        FUZZ_CHECK(fuzz::Snapshot(run.Folder()) == before);
        return 0;
    }
    FUZZ_CHECK(lines.has_value() && lines->size() == LinesAfter(upgrade, loaded->size()));
    FUZZ_CHECK(LoadSurveyLines(path) == lines);
    FUZZ_CHECK(SurveyHeaderValid(*lines));

    const TSurveyInfo info = ReadSurveyInfo(*lines);
    SurveyLines stored = *lines;
    StoreSurveyInfo(stored, info);
    FUZZ_CHECK(ReadSurveyInfo(stored) == info);

    const fuzz::FolderSnapshot opened = fuzz::Snapshot(run.Folder());
    TSurveySelection selection;
    FillSurveySelection(path, *lines, selection);
    FUZZ_CHECK(fuzz::Snapshot(run.Folder()) == opened);
    const unsigned available = AvailableMeasures(*lines);
    for (int k = 1; k <= 10; ++k) {
        if (!(available & (1u << (k - 1)))) continue;
        const TMeasureFileInfo& slot = selection.File(k);
        const auto fileSize = FileSize(slot.FileName);
        FUZZ_CHECK(fileSize.has_value() && slot.RecordCount > 0);
        FUZZ_CHECK(k == 8 || 8 + std::uint64_t(slot.RecordCount) * slot.RecordSize <= *fileSize);
    }
    return 0;
}
