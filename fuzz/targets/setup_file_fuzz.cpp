// Fuzz target: the instrument setup file (.cfg), as the setup editor opens it, and the print
// that fills the setup's template ("stpRef.txt", which the build copies beside the program
// folder, one above the targets) with its values.
// Must hold: a refused file says why and nothing is written or deleted; an opened setup saved
// and opened again is the same setup (offset 373 cleared, dates not set without their years), or
// its saving is refused with a reason and writes nothing; its print's template fills.
#include <filesystem>

#include "fuzz/fuzz_support.h"
#include "setup/setup_file.h"
#include "setup/setup_print.h"

namespace {
const std::optional<std::vector<std::string>>& TemplateLines()
{
    static const auto lines = [] {
        const auto folder = std::filesystem::read_symlink("/proc/self/exe").parent_path().parent_path();
        return ReadTemplateLines((folder / kSetupTemplateName).string());
    }();
    return lines;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Run run;
    const std::string path = fuzz::WriteInput(run.Path("site.cfg"), {data, size});
    const fuzz::FolderSnapshot before = fuzz::Snapshot(run.Folder());
    std::string error;
    const std::optional<TSetupRecord> setup = ReadSetupFile(path, &error);
    FUZZ_CHECK(fuzz::Snapshot(run.Folder()) == before);
    if (!setup) {
        FUZZ_CHECK(!error.empty());
        return 0;
    }
    const std::string saved = run.Path("saved.cfg");
    if (WriteSetupFile(saved, *setup, &error)) {
        // Saving clears offset 373, which no field uses, and a date that is not set keeps no year.
        TSetupRecord expected = *setup;
        expected.Reserved373 = 0;
        for (TPackedDate* date : {&expected.StartDate, &expected.StopDate})
            if (date->Day == kNoDateDay) date->Year = FourDigitYear(TwoDigitYear(date->Year));
        const std::optional<TSetupRecord> again = ReadSetupFile(saved, &error);
        FUZZ_CHECK(again.has_value() && again->Pack() == expected.Pack());
    } else {
        FUZZ_CHECK(!error.empty() && !FileExists(saved));
    }
    if (TemplateLines()) FUZZ_CHECK(FillSetupTemplate(*TemplateLines(), *setup, {path, "Site", 0}, &error).has_value());
    return 0;
}
