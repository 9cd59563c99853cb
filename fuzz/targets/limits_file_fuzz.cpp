// Fuzz target: the limits file (.lim), one 380-byte limits record.
// Must hold: a record is read only from at least 380 bytes, and written again it gives the file's
// first 380 bytes (whatever follows them is no part of the record); loading a refused file says why, leaves the caller's limits as they were and writes
// nothing; a saved record loads back the same.
#include <algorithm>

#include "analysis/limits_file.h"
#include "fuzz/fuzz_support.h"

namespace {
Bytes Packed(const TLimitsRecord& limits)
{
    ByteWriter out;
    limits.Pack(out);
    return out.Take();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Run run;
    const std::span<const std::uint8_t> bytes(data, size);
    const TLimitsParse parse = ParseLimitsBytes(bytes);
    FUZZ_CHECK(parse.Limits.has_value() == parse.Problem.empty());
    FUZZ_CHECK(!parse.Limits || size >= TLimitsRecord::kPackedSize);
    const std::span<const std::uint8_t> first = bytes.first(std::min(size, TLimitsRecord::kPackedSize));
    const Bytes record(first.begin(), first.end());
    if (parse.Limits) FUZZ_CHECK(Packed(*parse.Limits) == record);

    const std::string path = fuzz::WriteInput(run.Path("site.lim"), bytes);
    const fuzz::FolderSnapshot before = fuzz::Snapshot(run.Folder());
    TLimitsRecord limits = DefaultLimits();
    const bool loaded = LoadLimitsFile(path, limits);
    FUZZ_CHECK(loaded == parse.Limits.has_value());
    FUZZ_CHECK(fuzz::Snapshot(run.Folder()) == before);
    if (!loaded) {
        FUZZ_CHECK(Packed(limits) == Packed(DefaultLimits()));
        FUZZ_CHECK(run.messages.messages.size() == 1);
        return 0;
    }
    FUZZ_CHECK(Packed(limits) == Packed(*parse.Limits));
    const std::string saved = run.Path("saved.lim");
    FUZZ_CHECK(SaveLimitsFile(saved, limits));
    FUZZ_CHECK(ReadWholeFile(saved) == record);
    return 0;
}
