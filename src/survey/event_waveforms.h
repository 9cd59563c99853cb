// The waveforms an events list matches its events with: the time index of a samples file
// (samples_index.h), built once and held in memory in time order, so finding the capture taken
// at an event's time is a binary search, not a walk of the index per event. Times match to the
// millisecond, as both come from the same stamp decoding.
#pragma once

#include "platform/date_time.h"
#include "platform/file_io.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

class TEventWaveforms {
public:
    TEventWaveforms() = default;
    // The entries of an index (13-byte entries, in file order) of the samples file at `samplesPath`
    // of type `fileType`, which is read again only for the content of a capture.
    TEventWaveforms(std::span<const std::uint8_t> index, std::string samplesPath, std::uint8_t fileType);

    // The file offset of the first capture, in file order, taken at `time` to the millisecond;
    // for types 11 and 12 only a capture of content 2 (second harmonic) counts. Nothing when
    // there is none.
    std::optional<std::uint32_t> Find(int type, TDateTime time) const;
    std::size_t Count() const { return byTime_.size(); }

private:
    struct Entry {
        std::int64_t Milliseconds;
        std::uint32_t Offset;
        bool operator<(const Entry& other) const { return Milliseconds < other.Milliseconds; }
    };
    bool HasSecondHarmonic(std::uint32_t offset) const;

    std::vector<Entry> byTime_;  // stable-sorted by time: equal times keep their file order
    std::string samplesPath_;
    std::uint8_t fileType_ = 0;
};

// The waveforms of a samples file and its index file: a new "off" file in the program folder
// holds the index while the list lives.
struct TSamplesIndexFiles {
    std::string IndexFile;  // empty when none could be made
    TEventWaveforms Waveforms;
};
// Nothing held (and no index file) when the samples file cannot be read.
TSamplesIndexFiles LoadEventWaveforms(const std::string& samplesPath);
