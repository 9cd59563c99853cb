// Fuzz target: "export.tmp", the export wizard's hand-over to the exporter.
// Must hold: a record is read only from exactly 4842 bytes; packed again and read, it is the
// same record; the exporter's reading deletes the file, damaged or not, and nothing else.
#include "export/export_params.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Run run;
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<TExportParams> params = UnpackExportParams(bytes);
    FUZZ_CHECK(!params || size == TExportParams::kPackedSize);
    if (params) {
        FUZZ_CHECK(params->ChosenVoltageOrders().size() <= params->VoltageChosen.size());
        FUZZ_CHECK(params->ChosenCurrentIndexes().size() <= params->CurrentChosen.size());
        const std::optional<Bytes> packed = PackExportParams(*params);
        FUZZ_CHECK(packed.has_value() && packed->size() == TExportParams::kPackedSize);
        FUZZ_CHECK(UnpackExportParams(*packed) == params);
    }

    const fuzz::FolderSnapshot before = fuzz::Snapshot(run.Folder());
    const std::string path = fuzz::WriteInput(run.Path(std::string("data/") + std::string(kExportParamsFileName)), bytes);
    FUZZ_CHECK(ReadExportParams(path) == params);
    FUZZ_CHECK(!FileExists(path));
    FUZZ_CHECK(fuzz::Snapshot(run.Folder()) == before);
    return 0;
}
