// The samples time index in memory, searched by time.
#include "survey/event_waveforms.h"

#include "survey/binary_file.h"
#include "survey/samples_file.h"
#include "survey/samples_index.h"

#include <algorithm>

TEventWaveforms::TEventWaveforms(std::span<const std::uint8_t> index, std::string samplesPath, std::uint8_t fileType)
    : samplesPath_(std::move(samplesPath)), fileType_(fileType)
{
    const std::int64_t entries = static_cast<std::int64_t>(index.size() / kSamplesIndexEntrySize);
    byTime_.reserve(static_cast<std::size_t>(entries));
    for (std::int64_t n = 0; n < entries; ++n) {
        const auto e = IndexEntry(index, n);
        // A time that no stamp could give never matches an event.
        if (!e || !InDateTimeRange(e->Time)) continue;
        byTime_.push_back({ToMilliseconds(e->Time), e->Offset});
    }
    std::stable_sort(byTime_.begin(), byTime_.end());
}

std::optional<std::uint32_t> TEventWaveforms::Find(int type, TDateTime time) const
{
    if (!InDateTimeRange(time)) return std::nullopt;
    const Entry key{ToMilliseconds(time), 0};
    const bool secondHarmonicOnly = type == 11 || type == 12;
    for (auto [it, end] = std::equal_range(byTime_.begin(), byTime_.end(), key); it != end; ++it)
        if (!secondHarmonicOnly || HasSecondHarmonic(it->Offset)) return it->Offset;
    return std::nullopt;
}

bool TEventWaveforms::HasSecondHarmonic(std::uint32_t offset) const
{
    BinaryFile f;
    TSamplesRecordHead head;
    return f.Open(samplesPath_) && ReadSamplesRecordHead(f, offset, fileType_, head) != 0 && head.Content == 2;
}

TSamplesIndexFiles LoadEventWaveforms(const std::string& samplesPath)
{
    TSamplesIndexFiles files;
    BinaryFile f;
    TSamplesFileHeader header;
    if (!f.Open(samplesPath) || !ReadSamplesFileHeader(f, header)) return files;
    f.Close();
    const auto entries = BuildSamplesIndexEntries(samplesPath);
    if (!entries) return files;
    if (auto name = CreateSamplesIndexFile()) {
        if (WriteFileAtomic(*name, *entries)) files.IndexFile = *name;
        else DeleteFile(*name);
    }
    files.Waveforms = TEventWaveforms(*entries, samplesPath, header.FileType);
    return files;
}
