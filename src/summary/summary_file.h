// "summary.tmp", the hand-over from the summary engine to the summary report: 7333 bytes without
// header, the survey selection (5086), the summary parameters (795) and the results (1452) of
// the last summary. The engine writes it in DataDir at its end; the report reads and deletes it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "summary/summary_params.h"
#include "summary/summary_results.h"
#include "survey/records.h"

inline constexpr std::string_view kSummaryFileName = "summary.tmp";

struct TSummaryFile {
    static constexpr std::size_t kPackedSize = 7333;

    TSurveySelection Survey;
    TSummaryParams Params;
    TSummaryResults Results;

    // The 7333 bytes, or nothing when a text does not fit its short string (*tooLong := that
    // text).
    std::optional<Bytes> Pack(std::string* tooLong = nullptr) const;
    bool operator==(const TSummaryFile&) const = default;
};

// DataDir + "summary.tmp".
std::string SummaryFilePath();

// Written through a temporary file, so a failed write leaves no half file behind; a text that
// does not fit its short string is refused, never cut. The message says why it failed.
struct TSummaryWrite {
    bool Written = false;
    std::string Message;
};
TSummaryWrite WriteSummaryFile(const std::string& path, const TSummaryFile& file);

enum class SummaryFileFault { None, Missing, Short };
struct TSummaryFileRead {
    std::optional<TSummaryFile> File;
    SummaryFileFault Fault = SummaryFileFault::None;
};
// Refuses a file shorter than 7333 bytes.
TSummaryFileRead ReadSummaryFile(const std::string& path);
// The message shown when the report cannot read the file at `path`.
std::string SummaryFileFaultMessage(SummaryFileFault fault, const std::string& path);

// The report's reading: the file at `path` is read and deleted (a faulty one too: it is a
// hand-over of one run); on a fault its message is shown and nothing is returned.
std::optional<TSummaryFile> TakeSummaryFile(const std::string& path);
