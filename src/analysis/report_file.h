// The analysis report file (.rep): a fixed head (signature, the offsets of the twelve sections,
// the survey's names, interval and descriptors of measures 1 to 6, the analysis parameters, the
// harmonic channels analysed), then per analysed measure a summary section (TMeasureSummary and
// its failed intervals) and, after all of them, a window section (its TWindowResult records).
// Reports written before the second voltage limits ("...Report file") are read too.
//
// The reader takes bytes and checks every offset, count and code against them before use, so a
// damaged file is refused with a reason, never read past its end. A measure holds at most one
// window per day of the report's interval or of its recording (the first to the last record of
// its data file, where older programs, which took the records nearest to the interval's ends,
// may have started or stopped), and a day either side; at most kMaxAnalysisDays of them. Its
// failed intervals are at most one per window and judged item. A file larger than the largest such report
// is refused unread, and what is accepted is kept packed: reading takes about twice the file. The writer gathers the
// engine's temporary files into a new report beside the old one and replaces it only when
// complete; the temporary files are deleted only after that.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "analysis/analysis_params.h"
#include "analysis/analysis_records.h"
#include "survey/records.h"

inline constexpr std::string_view kReportSignature = "Tarn - Zidevid Phase Monitor Report f1.0";
inline constexpr std::string_view kOldReportSignature = "Tarn - Zidevid Phase Monitor Report file";
inline constexpr std::string_view kInvalidReportMessage = "Invalid ORV Report file format.";
// Harmonic order slots of the head; only the first HarmonicChannelCount are meaningful.
constexpr int kReportOrderSlots = 53;

// Byte offsets of the head's parts (the same in both versions up to the parameters).
namespace ReportHeadLayout {
constexpr std::size_t SignatureSize = 45;  // the signature text, CR, LF, 26, 0, 0
constexpr std::size_t SummaryOffsets = 45, WindowOffsets = 69, Survey = 93, Params = 2867;
}  // namespace ReportHeadLayout
// 3359 bytes; 3349 in old reports, whose parameters lack the second voltage limits.
std::size_t ReportHeadSize(ReportVersion version);

struct TReportHead {
    TSurveySelection Survey;  // its head and slots 1 to 6 are stored
    TAnalysisParams Params;
    std::int16_t HarmonicChannelCount = 0;  // 0 when voltage harmonics were not analysed
    std::array<std::uint16_t, kReportOrderSlots> HarmonicOrders{};
};

struct TReportMeasure {
    bool HasSummary = false;
    TMeasureSummary Summary;
    TFailedIntervals FailedIntervals;
    bool HasWindows = false;
    TWindowResults Windows;
};

struct TAnalysisReport {
    ReportVersion Version = ReportVersion::Current;
    TReportHead Head;
    // Byte offsets as stored, measures 1 to 6; 0: the measure has no such section.
    std::array<std::int32_t, kAnalysisMeasures> SummaryOffsets{};
    std::array<std::int32_t, kAnalysisMeasures> WindowOffsets{};
    std::array<TReportMeasure, kAnalysisMeasures> Measures{};

    const TReportMeasure& Measure(int measure) const { return Measures.at(static_cast<std::size_t>(measure - 1)); }
};

enum class ReportFault {
    None,
    Unreadable,    // the file cannot be read
    TooLarge,      // larger than any report can be
    BadSignature,  // not a report file
    Truncated,     // shorter than its head
    BadOffset,     // a section offset outside the file or out of order
    BadSection,    // a section that does not hold whole records
    BadValue,      // a count or code that fits no table (window days, period, channels, orders)
};

struct TReportRead {
    ReportFault Fault = ReportFault::None;
    std::string Detail;  // what is wrong, for the message
    std::optional<TAnalysisReport> Report;
};
TReportRead ReadAnalysisReport(std::span<const std::uint8_t> bytes);
// Windows measure 1 to 6 of a report with this head can hold.
std::int64_t ReportWindowLimit(const TReportHead& head, int measure);
// Bytes of the largest report: every measure with its most windows and failed intervals.
std::uint64_t LargestReportSize();
TReportRead ReadAnalysisReportFile(const std::string& path);
// The message a reader shows for a failed read: kInvalidReportMessage for a file that is no
// report, else a sentence naming the file and the damage.
std::string ReportReadMessage(const TReportRead& read, const std::string& path);

struct TReportWrite {
    bool Saved = false;
    std::string Message;  // why not, when not saved
};
// Writes the report at `path`: the head, then the summary files and the window files found in
// `tempFolder` for the measures selected in the head's survey, in measure order. A measure
// whose temporary file is missing is left out (offset 0). Each temporary file is checked as the
// reader checks its section, so the report written can always be read back. The old file at
// `path` is replaced only when the new one is complete; the gathered temporary files are
// deleted only then, and all stay where they were on failure.
TReportWrite WriteReportFile(const std::string& path, const TReportHead& head, const std::string& tempFolder);
// Deletes whichever of the twelve temporary files exist in `tempFolder`.
void DeleteAnalysisTempFiles(const std::string& tempFolder);
