// Writing, reading and taking "summary.tmp".
#include "summary/summary_file.h"

#include "platform/file_io.h"
#include "platform/messages.h"
#include "platform/prog_dirs.h"

static_assert(TSurveySelection::kPackedSize + TSummaryParams::kPackedSize + TSummaryResults::kPackedSize ==
              TSummaryFile::kPackedSize);

std::optional<Bytes> TSummaryFile::Pack(std::string* tooLong) const
{
    ByteWriter out;
    out.Reserve(kPackedSize);
    Survey.Pack(out);
    Params.Pack(out);
    Results.Pack(out);
    if (!out.Ok()) {
        if (tooLong) *tooLong = out.TooLong();
        return std::nullopt;
    }
    return out.Take();
}

std::string SummaryFilePath() { return DataDir() + std::string(kSummaryFileName); }

TSummaryWrite WriteSummaryFile(const std::string& path, const TSummaryFile& file)
{
    std::string tooLong;
    const auto bytes = file.Pack(&tooLong);
    if (!bytes) return {false, ShortStringTooLongMessage(tooLong)};
    if (!WriteFileAtomic(path, *bytes)) return {false, "Unable to write the survey summary file " + path + "."};
    return {true, {}};
}

TSummaryFileRead ReadSummaryFile(const std::string& path)
{
    if (!FileExists(path)) return {std::nullopt, SummaryFileFault::Missing};
    // The records take exactly their bytes; anything after them is not read.
    const auto bytes = ReadWholeFile(path, 1 << 20);
    if (!bytes || bytes->size() < TSummaryFile::kPackedSize) return {std::nullopt, SummaryFileFault::Short};
    ByteReader in(*bytes);
    TSummaryFile file;
    file.Survey = TSurveySelection::Unpack(in);
    file.Params = TSummaryParams::Unpack(in);
    file.Results = TSummaryResults::Unpack(in);
    if (!in.Ok()) return {std::nullopt, SummaryFileFault::Short};
    return {std::move(file), SummaryFileFault::None};
}

std::string SummaryFileFaultMessage(SummaryFileFault fault, const std::string& path)
{
    switch (fault) {
    case SummaryFileFault::None: return "";
    case SummaryFileFault::Missing: return "The survey summary file " + path + " is missing. Unable to show the summary.";
    case SummaryFileFault::Short: return "The survey summary file " + path + " is incomplete. Unable to show the summary.";
    }
    return "";
}

std::optional<TSummaryFile> TakeSummaryFile(const std::string& path)
{
    TSummaryFileRead read = ReadSummaryFile(path);
    if (read.Fault != SummaryFileFault::Missing) DeleteFile(path);
    if (!read.File) ShowError(SummaryFileFaultMessage(read.Fault, path));
    return std::move(read.File);
}
