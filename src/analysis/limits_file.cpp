// Reading and writing limits files.
#include "analysis/limits_file.h"

#include "platform/file_io.h"
#include "platform/messages.h"

namespace {
std::string TooShort(std::uint64_t size)
{
    return "it holds " + std::to_string(size) + " bytes, a Limits file holds at least " +
           std::to_string(TLimitsRecord::kPackedSize) + ".";
}
}  // namespace

TLimitsParse ParseLimitsBytes(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < TLimitsRecord::kPackedSize) return {std::nullopt, TooShort(bytes.size())};
    // The file has no header or version: its first record is the limits, whatever follows it.
    ByteReader in(bytes.first(TLimitsRecord::kPackedSize));
    TLimitsRecord limits = TLimitsRecord::Unpack(in);
    if (!in.Ok()) return {std::nullopt, "it cannot be read."};
    if (auto unusable = FirstUnusableLimit(limits))
        return {std::nullopt, unusable->Field + " (" + unusable->Value + ") is out of range."};
    return {limits, {}};
}

bool LoadLimitsFile(const std::string& Path, TLimitsRecord& Limits)
{
    TLimitsParse parsed{std::nullopt, "it cannot be read."};
    // The size is asked first, so that a short file is refused without being read, and only the
    // record is read of a longer one.
    if (const auto size = FileSize(Path); size && *size < TLimitsRecord::kPackedSize)
        parsed.Problem = TooShort(*size);
    else if (size)
        if (auto bytes = ReadFileRange(Path, 0, TLimitsRecord::kPackedSize)) parsed = ParseLimitsBytes(*bytes);
    if (!parsed.Limits) {
        ShowError("Invalid Limits file " + Path + ":\n" + parsed.Problem);
        return false;
    }
    Limits = *parsed.Limits;
    return true;
}

bool SaveLimitsFile(const std::string& Path, const TLimitsRecord& Limits)
{
    ByteWriter out;
    Limits.Pack(out);
    if (WriteFileAtomic(Path, out.Data())) return true;
    ShowError("Unable to save the Limits file " + Path + ".");
    return false;
}
