// Fuzz target: the repository file (.rpy), its table of section offsets and the sections it
// holds, imported into the temporary file of each measure.
// Must hold: a refused file writes nothing; an imported one writes exactly the temporary files of
// the measures it reports, each of its section's size (header and records, oldest first) with a
// header that passes the data file check (the samples file: records that chain to its end), and
// its progress ends at its total.
#include <array>

#include "fuzz/fuzz_support.h"
#include "platform/prog_dirs.h"
#include "survey/data_file.h"
#include "survey/intake/repository_import.h"
#include "survey/samples_file.h"
#include "survey/samples_index.h"
#include "survey/text_tables.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Run run;
    const std::string path = fuzz::WriteInput(run.Path("archive.rpy"), {data, size});

    // The sections as the import will take them.
    std::array<std::optional<TRepositorySection>, kMeasureSlots> sections{};
    BinaryFile repository;
    FUZZ_CHECK(repository.Open(path));
    const auto table = ReadRepositoryTable(repository);
    if (table) {
        FUZZ_CHECK(table->Length >= 24 && table->Length <= size);
        for (int k = 1; k <= 10; ++k) {
            if (table->Entries[static_cast<std::size_t>(k - 1)] == 0) continue;
            sections[static_cast<std::size_t>(k - 1)] = CheckRepositorySection(repository, *table, k);
            if (const auto& s = sections[static_cast<std::size_t>(k - 1)]) {
                FUZZ_CHECK(s->Offset >= table->Length && s->Offset < s->End && s->End <= size);
                FUZZ_CHECK(s->Offset + s->HeaderSize <= s->DataEnd && s->DataEnd <= s->End);
                std::uint64_t oldest = 0;
                if (FindOldestRecord(repository, *s, oldest)) FUZZ_CHECK(oldest >= s->Offset + s->HeaderSize && oldest < s->DataEnd);
            }
        }
    }
    repository.Close();

    std::uint64_t lastDone = 0, lastTotal = 0;
    const auto mask = ImportRepository(path, [&](std::uint64_t done, std::uint64_t total) {
        FUZZ_CHECK(done >= lastDone && done <= total);
        lastDone = done;
        lastTotal = total;
    });
    if (!mask) {
        FUZZ_CHECK(fuzz::Snapshot(DataDir()).empty());
        FUZZ_CHECK(!run.messages.messages.empty());
        return 0;
    }
    FUZZ_CHECK(table.has_value() && *mask != 0 && lastDone == lastTotal);
    for (int k = 1; k <= 10; ++k) {
        const std::string temp = DataDir() + std::string(TempFileNames[static_cast<std::size_t>(k)]);
        const bool received = *mask & (1u << (k - 1));
        FUZZ_CHECK(FileExists(temp) == received);
        if (!received) continue;
        const auto& section = sections[static_cast<std::size_t>(k - 1)];
        FUZZ_CHECK(section.has_value());
        FUZZ_CHECK(FileSize(temp) == section->DataEnd - section->Offset);
        if (k == MeasureSamples) {
            FUZZ_CHECK(BuildSamplesIndexEntries(temp).has_value());
        } else {
            TDataFile F;
            FUZZ_CHECK(F.Open(temp, k) == DataFileFault::None);
        }
    }
    return 0;
}
