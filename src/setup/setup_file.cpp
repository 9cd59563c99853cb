// Setup file reading and writing.
#include "setup/setup_file.h"

#include "platform/file_io.h"

#include <algorithm>

namespace {
void Report(std::string* error, const std::string& text)
{
    if (error) *error = text;
}
}  // namespace

std::optional<TSetupRecord> ReadSetupFile(const std::string& path, std::string* error)
{
    const std::optional<std::uint64_t> size = FileSize(path);
    const std::optional<Bytes> bytes =
        size ? ReadFileRange(path, 0, static_cast<std::size_t>(std::min<std::uint64_t>(*size, kSetupRecordSize)))
             : std::nullopt;
    if (!bytes) {
        Report(error, "Unable to open the setup file " + path + ".");
        return std::nullopt;
    }
    if (bytes->size() < kSetupShortSize || !IsSetupHeader(*bytes)) {
        Report(error, kInvalidSetupFileMessage);
        return std::nullopt;
    }
    // Between the known sizes only the smaller one's bytes are taken.
    const std::size_t taken = bytes->size() >= kSetupRecordSize ? kSetupRecordSize
                              : bytes->size() >= kSetupMidSize  ? kSetupMidSize
                                                                : kSetupShortSize;
    TSetupRecord setup = TSetupRecord::Unpack(std::span(*bytes).first(taken));
    setup.StartDate.Year = FourDigitYear(setup.StartDate.Year);
    setup.StopDate.Year = FourDigitYear(setup.StopDate.Year);
    if (taken < kSetupMidSize) ResetCurrentHarmonics(setup);
    return setup;
}

bool WriteSetupFile(const std::string& path, const TSetupRecord& setup, std::string* error)
{
    // Two digits hold the years 1995 to 2094, as the reading widens them: another year of a
    // date would come back as a different one (a date that is not set keeps no year).
    for (const TPackedDate& date : {setup.StartDate, setup.StopDate})
        if (date.Day != kNoDateDay && (date.Year < kFirstSetupYear || date.Year > kLastSetupYear)) {
            Report(error, "The year " + std::to_string(date.Year) + " cannot be stored in a setup file, which holds the years " +
                              std::to_string(kFirstSetupYear) + " to " + std::to_string(kLastSetupYear) + ".");
            return false;
        }
    TSetupRecord stored = setup;
    stored.StartDate.Year = TwoDigitYear(stored.StartDate.Year);
    stored.StopDate.Year = TwoDigitYear(stored.StopDate.Year);
    stored.Reserved373 = 0;
    if (WriteFileAtomic(path, stored.Pack())) return true;
    Report(error, "Unable to write the setup file " + path + ".");
    return false;
}
