// The analysis report file: written from the engine's temporary files and read back field by
// field, the older layout, damaged reports, and writes that fail.
#include "analysis/report_file.h"

#include "fixtures/data_fixture.h"
#include "fixtures/report_fixture.h"
#include "fixtures/temp_prog_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <sys/resource.h>
#include <unistd.h>

namespace {
TReportHead HeadOf(const ReportFixture& r)
{
    TReportHead head;
    head.Survey = r.survey;
    head.Params.WindowDays = r.windowDays;
    head.Params.PeriodIndex = r.periodIndex;
    head.Params.Limits = r.limits;
    head.HarmonicChannelCount = r.channelCount;
    for (std::size_t i = 0; i < r.orders.size(); ++i) head.HarmonicOrders[i] = r.orders[i];
    return head;
}

void WriteTempFiles(const std::string& folder, const ReportFixture& r)
{
    for (const auto& m : r.measures) WriteAnalysisTempFiles(folder, m, r.channelCount);
}

std::vector<std::string> TempFilesIn(const std::string& folder)
{
    std::vector<std::string> present;
    for (int k = 1; k <= 6; ++k)
        for (auto name : {AnalysisStaFileNames[static_cast<std::size_t>(k)], AnalysisBarFileNames[static_cast<std::size_t>(k)]})
            if (FileExists(folder + std::string(name))) present.push_back(std::string(name));
    return present;
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Every field the fixture wrote, as the reader returns it.
void ExpectReportOf(const TAnalysisReport& read, const ReportFixture& r)
{
    EXPECT_EQ(read.Version, r.old ? ReportVersion::Old : ReportVersion::Current);
    const TSurveySelection& s = read.Head.Survey;
    EXPECT_EQ(s.Name, r.survey.Name);
    EXPECT_EQ(s.Description, r.survey.Description);
    EXPECT_EQ(s.Site, r.survey.Site);
    EXPECT_EQ(s.Operator, r.survey.Operator);
    EXPECT_EQ(s.Start, r.survey.Start);
    EXPECT_EQ(s.Stop, r.survey.Stop);
    for (int k = 1; k <= 6; ++k) EXPECT_EQ(s.File(k), r.survey.File(k)) << k;
    for (int k = 7; k <= 14; ++k) EXPECT_EQ(s.File(k), TMeasureFileInfo{}) << k;
    EXPECT_EQ(read.Head.Params.WindowDays, r.windowDays);
    EXPECT_EQ(read.Head.Params.PeriodIndex, r.periodIndex);
    TLimitsRecord limits = r.limits;
    if (r.old) limits.VLow2 = 0, limits.VHigh2 = 0, limits.VPerc2 = 0;
    EXPECT_EQ(read.Head.Params.Limits, limits);
    EXPECT_EQ(read.Head.HarmonicChannelCount, r.channelCount);
    for (std::size_t i = 0; i < 53; ++i)
        EXPECT_EQ(read.Head.HarmonicOrders[i], i < r.orders.size() ? r.orders[i] : 0) << i;
    for (int k = 1; k <= 6; ++k) {
        const ReportMeasureFields* m = nullptr;
        for (const auto& candidate : r.measures)
            if (candidate.measure == k) m = &candidate;
        const TReportMeasure& got = read.Measure(k);
        EXPECT_EQ(got.HasSummary, m && m->hasSummary) << k;
        EXPECT_EQ(got.HasWindows, m && m->hasWindows) << k;
        if (!m) continue;
        if (m->hasSummary) {
            EXPECT_EQ(got.Summary, m->summary) << k;
            EXPECT_EQ(got.FailedIntervals.All(), m->failed) << k;
        }
        if (m->hasWindows) {
            EXPECT_EQ(got.Windows.All(), m->windows) << k;
        }
    }
}

// Runs the write with files limited to `maxBytes` and exits 0 when it failed as it should.
[[noreturn]] void FailingWrite(const std::string& path, const TReportHead& head, const std::string& tempFolder,
                               rlim_t maxBytes)
{
    std::signal(SIGXFSZ, SIG_IGN);  // a write beyond the limit fails instead of ending the process
    const rlimit limit{maxBytes, maxBytes};
    setrlimit(RLIMIT_FSIZE, &limit);
    const TReportWrite write = WriteReportFile(path, head, tempFolder);
    _exit(!write.Saved && write.Message == "Unable to write the report file " + path + "." ? 0 : 1);
}

// The fixture with measure k's fields, to change them.
ReportMeasureFields& MeasureOf(ReportFixture& r, int measure)
{
    for (auto& m : r.measures)
        if (m.measure == measure) return m;
    throw std::logic_error("measure not in the fixture");
}

// The fixture's windows and failed intervals of a measure repeated to `windows` and `failed`
// records (the first of each copied).
void Repeat(ReportFixture& r, int measure, std::size_t windows, std::size_t failed)
{
    ReportMeasureFields& m = MeasureOf(r, measure);
    m.windows.resize(windows, m.windows.front());
    m.failed.resize(failed, m.failed.empty() ? TFailedInterval{} : m.failed.front());
}

// Every measure's recording (its data file's first and last records) within `days` days from the
// interval's start.
void RecordingOfDays(ReportFixture& r, double days)
{
    for (int k = 1; k <= 6; ++k) {
        r.survey.File(k).FirstTime = r.survey.Start;
        r.survey.File(k).LastTime = r.survey.Start + days - 1 + 0.5;
    }
}

// A harmonics report of 51 channels (orders 0 to 50) over the interval of the fixture.
ReportFixture WidestHarmonics(ReportFixture r)
{
    r.channelCount = 51;
    r.orders.clear();
    for (std::uint16_t o = 0; o < 51; ++o) r.orders.push_back(o);
    for (auto& w : MeasureOf(r, MeasureVoltageHarmonics).windows) w.Counts.resize(51);
    return r;
}

// Writes the report of `r` holding measure `measure` alone, its first window repeated to
// `windows` records and its first failed interval to `failed`, block by block, so that no copy of
// a large file is held here. Returns the file's size.
std::uint64_t WriteRepeatedReport(const std::string& path, ReportFixture r, int measure, std::size_t windows,
                                  std::size_t failed)
{
    r.measures = {MeasureOf(r, measure)};
    Repeat(r, measure, 1, failed ? 1 : 0);
    const ReportMeasureFields& m = r.measures[0];
    const Bytes one = ReportBytes(r);
    const Bytes window = WindowSectionBytes(m, r.channelCount, false);
    const std::size_t failedSize = failed ? SummarySectionBytes(m, false).size() - TMeasureSummary::kPackedSize : 0;
    const std::size_t windowAt = one.size() - window.size();
    Bytes head(one.begin(), one.begin() + static_cast<std::ptrdiff_t>(windowAt));
    const std::uint64_t windowOffset = windowAt + (failed ? failed - 1 : 0) * failedSize;
    StoreU32(head.data() + 69 + 4 * static_cast<std::size_t>(measure - 1), static_cast<std::uint32_t>(windowOffset));
    std::FILE* file = std::fopen(path.c_str(), "wb");
    EXPECT_NE(file, nullptr) << path;
    if (!file) return 0;
    std::fwrite(head.data(), 1, head.size(), file);
    const auto repeat = [file](const std::uint8_t* record, std::size_t size, std::size_t count) {
        Bytes block;
        for (std::size_t i = 0; i < 4096; ++i) block.insert(block.end(), record, record + size);
        for (std::size_t done = 0; done < count; done += 4096)
            std::fwrite(block.data(), 1, std::min<std::size_t>(4096, count - done) * size, file);
    };
    if (failed > 1) repeat(head.data() + windowAt - failedSize, failedSize, failed - 1);
    repeat(window.data(), window.size(), windows);
    std::fclose(file);
    return *FileSize(path);
}

// Reads the report at `path` (in a child process of its own) and exits 0 when it was accepted
// or refused as `accepted` says and the process's peak memory grew by at most `maxGrowth`.
[[noreturn]] void ReadWithinMemory(const std::string& path, bool accepted, std::uint64_t maxGrowth)
{
    rusage before{}, after{};
    getrusage(RUSAGE_SELF, &before);
    const TReportRead read = ReadAnalysisReportFile(path);
    getrusage(RUSAGE_SELF, &after);
    const auto growth = static_cast<std::uint64_t>(after.ru_maxrss - before.ru_maxrss) * 1024;
    std::fprintf(stderr, "%s: %s (%s); peak grew by %llu bytes, at most %llu allowed\n", path.c_str(),
                 read.Report ? "accepted" : "refused", read.Detail.c_str(), static_cast<unsigned long long>(growth),
                 static_cast<unsigned long long>(maxGrowth));
    _exit(read.Report.has_value() == accepted && growth <= maxGrowth ? 0 : 1);
}

ReportFixture EventsOnly()
{
    ReportFixture r = EveryMeasureReport();
    for (int k = 1; k <= 5; ++k) r.survey.File(k).Selected = false;
    r.measures = {r.measures[5]};
    r.channelCount = 0;
    r.orders = {};
    return r;
}
}  // namespace

TEST(ReportFile, WrittenFromTheTemporaryFilesAndReadBackFieldByField)
{
    TempProgDir dir;
    const ReportFixture fixture = EveryMeasureReport();
    WriteTempFiles(dir.Path(), fixture);
    ASSERT_EQ(TempFilesIn(dir.Path()).size(), 12u);
    const std::string path = dir / "week.rep";
    const TReportWrite write = WriteReportFile(path, HeadOf(fixture), dir.Path());
    ASSERT_TRUE(write.Saved) << write.Message;
    EXPECT_TRUE(TempFilesIn(dir.Path()).empty());
    EXPECT_EQ(*ReadWholeFile(path), ReportBytes(fixture));  // the builder's bytes, written field by field

    const TReportRead read = ReadAnalysisReportFile(path);
    ASSERT_EQ(read.Fault, ReportFault::None) << read.Detail;
    ExpectReportOf(*read.Report, fixture);
    // Summaries in measure order from 3359: voltage 617 + 3 failed x 37, frequency and
    // unbalance 617, harmonics 617 + 25, flicker 617, events 617 + 2 x 26; then the windows,
    // five of each: voltage 37, frequency and unbalance 25, harmonics 8 + 51 + 3 x 12 + 4 = 99,
    // flicker 25, events 129.
    EXPECT_EQ(read.Report->SummaryOffsets, (std::array<std::int32_t, 6>{3359, 4087, 4704, 5321, 5963, 6580}));
    EXPECT_EQ(read.Report->WindowOffsets, (std::array<std::int32_t, 6>{7249, 7434, 7559, 7684, 8179, 8304}));
    EXPECT_EQ(*FileSize(path), 8949u);
}

TEST(ReportFile, EventsOnlyReport)
{
    TempProgDir dir;
    const ReportFixture fixture = EventsOnly();
    WriteTempFiles(dir.Path(), fixture);
    const std::string path = dir / "events.rep";
    ASSERT_TRUE(WriteReportFile(path, HeadOf(fixture), dir.Path()).Saved);
    const Bytes bytes = *ReadWholeFile(path);
    FieldView f(bytes);
    for (int k = 0; k < 5; ++k) {
        EXPECT_EQ(f.I32(45 + 4 * k), 0) << k;
        EXPECT_EQ(f.I32(69 + 4 * k), 0) << k;
    }
    EXPECT_EQ(f.I32(45 + 20), 3359);
    EXPECT_EQ(f.I32(69 + 20), 3359 + 617 + 2 * 26);
    EXPECT_EQ(f.I16(3251), 0);  // no harmonic channels, and 53 zero orders
    for (int i = 0; i < 53; ++i) EXPECT_EQ(f.U16(3253 + 2 * static_cast<std::size_t>(i)), 0) << i;
    const TReportRead read = ReadAnalysisReport(bytes);
    ASSERT_TRUE(read.Report.has_value()) << read.Detail;
    ExpectReportOf(*read.Report, fixture);
}

TEST(ReportFile, OldReportReadsWithoutItsSecondVoltageLimits)
{
    ReportFixture fixture = EveryMeasureReport();
    fixture.old = true;
    // Old voltage windows and failed intervals carry the limit-1 group only.
    for (auto& w : fixture.measures[0].windows) w.Counts.resize(1);
    for (auto& f : fixture.measures[0].failed) f.Counts.resize(1);
    const Bytes bytes = ReportBytes(fixture);
    EXPECT_EQ(FieldView(bytes).I32(45), 3349);
    const TReportRead read = ReadAnalysisReport(bytes);
    ASSERT_EQ(read.Fault, ReportFault::None) << read.Detail;
    ExpectReportOf(*read.Report, fixture);
    EXPECT_EQ(read.Report->Head.Params.Limits.VLow2, 0.0f);
    EXPECT_EQ(read.Report->Head.Params.Limits.VPerc2, 0);
    EXPECT_EQ(read.Report->Head.Params.Limits.HzLow1, 1.0f);  // the fields after the gap in place
    EXPECT_EQ(read.Report->Measure(1).Windows[0].Counts, (std::vector<TPhaseCounts>{{0, 30, 0}}));
}

TEST(ReportFile, DamagedReportsAreRefusedWithTheirReason)
{
    const ReportFixture good = EveryMeasureReport();
    const std::size_t size = ReportBytes(good).size();
    struct Case {
        const char* name;
        std::function<Bytes()> bytes;
        ReportFault fault;
    } cases[] = {
        {"a text file", [] { return Bytes{'h', 'e', 'l', 'l', 'o'}; }, ReportFault::BadSignature},
        {"signature without its end", [good] {
             Bytes b = ReportBytes(good);
             b[41] = 0;
             return b;
         }, ReportFault::BadSignature},
        {"cut inside the head", [good] {
             Bytes b = ReportBytes(good);
             b.resize(3000);
             return b;
         }, ReportFault::Truncated},
        {"cut inside the last section", [good] {
             Bytes b = ReportBytes(good);
             b.resize(b.size() - 10);
             return b;
         }, ReportFault::BadSection},
        {"a byte too many", [good] {
             Bytes b = ReportBytes(good);
             b.push_back(0);
             return b;
         }, ReportFault::BadSection},
        {"an offset past its end", [good, size] {
             ReportFixture r = good;
             r.windowOffsetPatches = {{6, static_cast<std::int32_t>(size + 100)}};
             return ReportBytes(r);
         }, ReportFault::BadOffset},
        {"an offset inside the head", [good] {
             ReportFixture r = good;
             r.summaryOffsetPatches = {{1, 100}};
             return ReportBytes(r);
         }, ReportFault::BadOffset},
        {"a negative offset", [good] {
             ReportFixture r = good;
             r.summaryOffsetPatches = {{3, -4}};
             return ReportBytes(r);
         }, ReportFault::BadOffset},
        {"sections out of order", [good] {
             ReportFixture r = good;
             r.summaryOffsetPatches = {{2, 3359}, {1, 4087}};
             return ReportBytes(r);
         }, ReportFault::BadOffset},
        {"52 harmonic channels", [good] {
             ReportFixture r = good;
             r.channelCount = 52;
             return ReportBytes(r);
         }, ReportFault::BadValue},
        {"a negative channel count", [good] {
             ReportFixture r = good;
             r.channelCount = -1;
             return ReportBytes(r);
         }, ReportFault::BadValue},
        {"a harmonic order beyond the limits", [good] {
             ReportFixture r = good;
             r.orders = {0, 3, 51};
             return ReportBytes(r);
         }, ReportFault::BadValue},
        {"a window of 32 days", [good] {
             ReportFixture r = good;
             r.windowDays = 32;
             return ReportBytes(r);
         }, ReportFault::BadValue},
        {"no window", [good] {
             ReportFixture r = good;
             r.windowDays = 0;
             return ReportBytes(r);
         }, ReportFault::BadValue},
        {"period index 6", [good] {
             ReportFixture r = good;
             r.periodIndex = 6;
             return ReportBytes(r);
         }, ReportFault::BadValue},
        {"event category 9", [good] {
             ReportFixture r = good;
             r.measures[5].failed[0].Tag = 9;
             return ReportBytes(r);
         }, ReportFault::BadSection},
        {"more windows than the interval's days and a day either side", [good] {
             ReportFixture r = good;  // 7 days of interval and of recording: at most 9 windows
             Repeat(r, MeasureEvents, 10, 2);
             return ReportBytes(r);
         }, ReportFault::BadSection},
        {"more failed intervals than windows and categories", [good] {
             ReportFixture r = good;  // at most 9 windows of 9 categories
             Repeat(r, MeasureEvents, 5, 82);
             return ReportBytes(r);
         }, ReportFault::BadSection},
        {"four windows over one day", [good] {
             ReportFixture r = good;
             r.survey.Stop = r.survey.Start + 0.5;
             RecordingOfDays(r, 1);
             Repeat(r, MeasureFlicker, 4, 0);
             return ReportBytes(r);
         }, ReportFault::BadSection},
        {"three windows over an interval and a recording the wrong way round", [good] {
             ReportFixture r = EventsOnly();
             r.survey.Stop = r.survey.Start - 2;  // no day of their own: a day either side
             RecordingOfDays(r, -1);
             Repeat(r, MeasureEvents, 3, 0);
             return ReportBytes(r);
         }, ReportFault::BadSection},
        {"harmonic windows sized for another channel count", [good] {
             Bytes b = ReportBytes(good);  // three channels: 99-byte windows
             b[3251] = 2;                  // two channels would make them 87 bytes
             return b;
         }, ReportFault::BadSection},
    };
    for (const auto& c : cases) {
        const TReportRead read = ReadAnalysisReport(c.bytes());
        EXPECT_EQ(read.Fault, c.fault) << c.name << ": " << read.Detail;
        EXPECT_FALSE(read.Report.has_value()) << c.name;
        EXPECT_FALSE(ReportReadMessage(read, "/x/a.rep").empty()) << c.name;
    }
    EXPECT_EQ(ReportReadMessage({ReportFault::BadSignature, "", {}}, "/x/a.rep"), "Invalid ORV Report file format.");
    EXPECT_NE(ReportReadMessage({ReportFault::BadOffset, "the window section of measure 6", {}}, "/x/a.rep")
                  .find("/x/a.rep"),
              std::string::npos);
}

// Beside each refusal above, the largest and smallest values a report may hold read back whole.
TEST(ReportFile, LegalExtremesReadBack)
{
    const ReportFixture good = EveryMeasureReport();
    struct Case {
        const char* name;
        std::function<void(ReportFixture&)> change;
    } cases[] = {
        {"a window of 1 day", [](ReportFixture& r) { r.windowDays = 1; }},
        {"a window of 31 days", [](ReportFixture& r) { r.windowDays = 31; }},
        {"period index 0", [](ReportFixture& r) { r.periodIndex = 0; }},
        {"period index 5", [](ReportFixture& r) { r.periodIndex = 5; }},
        {"51 harmonic channels of orders 0 to 50", [](ReportFixture& r) {
             r = WidestHarmonics(r);
             MeasureOf(r, MeasureVoltageHarmonics).failed[0].Tag = 50;
         }},
        {"no harmonic channel", [](ReportFixture& r) {
             r.channelCount = 0;
             r.orders.clear();
             for (auto& w : MeasureOf(r, MeasureVoltageHarmonics).windows) w.Counts.clear();
             MeasureOf(r, MeasureVoltageHarmonics).failed.clear();
         }},
        {"event category 8", [](ReportFixture& r) { MeasureOf(r, MeasureEvents).failed[1].Tag = 8; }},
        {"the most windows and failed intervals of a 7-day interval", [](ReportFixture& r) {
             Repeat(r, MeasureEvents, 9, 81);
             Repeat(r, MeasureVoltage, 9, 9);
         }},
        {"one window without a failed interval", [](ReportFixture& r) {
             for (auto& m : r.measures) Repeat(r, m.measure, 1, 0);
         }},
        {"a one-day interval and recording with their most windows", [](ReportFixture& r) {
             r.survey.Stop = r.survey.Start + 1439.0 / 1440;
             RecordingOfDays(r, 1);
             for (auto& m : r.measures) Repeat(r, m.measure, 3, m.failed.empty() ? 0 : 3);
         }},
        {"an interval and recording the wrong way round with a day either side", [](ReportFixture& r) {
             r.survey.Stop = r.survey.Start - 2;
             RecordingOfDays(r, -1);
             for (auto& m : r.measures) Repeat(r, m.measure, 2, m.failed.empty() ? 0 : 2);
         }},
        // Older programs took the events nearest to the interval's ends, which may lie weeks
        // outside it: their windows run over the recording.
        {"events windows over a 30-day recording of a 7-day interval", [](ReportFixture& r) {
             RecordingOfDays(r, 30);
             Repeat(r, MeasureEvents, 32, 2);
         }},
    };
    for (const Case& c : cases) {
        ReportFixture r = good;
        c.change(r);
        const TReportRead read = ReadAnalysisReport(ReportBytes(r));
        ASSERT_EQ(read.Fault, ReportFault::None) << c.name << ": " << read.Detail;
        ExpectReportOf(*read.Report, r);
    }
    EXPECT_EQ(ReportWindowLimit(HeadOf(good), MeasureVoltage), 9);
}

// The largest report there can be, the longest interval with 51 harmonic channels failing in
// every window (64 MB), is read within three times its size; a 100 MB report of unbalance
// windows is refused unread, one of 10 MB over a week refused once its windows are counted.
TEST(ReportFile, LargeReportsAreReadWithinThreeTimesTheirSizeOrRefused)
{
#if defined(__SANITIZE_ADDRESS__)
    constexpr bool kMeasured = false;  // the sanitizer's own memory hides the reader's
#else
    constexpr bool kMeasured = true;
#endif
    const auto allowed = [&](std::uint64_t bytes) { return kMeasured ? bytes : ~std::uint64_t(0); };
    TempProgDir dir;
    ReportFixture longest = WidestHarmonics(EveryMeasureReport());
    longest.survey.Stop = longest.survey.Start + kMaxAnalysisDays - 1 + 0.5;
    const std::size_t windows = kMaxAnalysisDays + 2;
    const std::uint64_t size = WriteRepeatedReport(dir / "longest.rep", longest, MeasureVoltageHarmonics, windows, windows * 51);
    EXPECT_EQ(size, LargestReportSize() - 5 * 617 - 32769 * (37 + 37 + 3 * (25 + 25) + 129 + 9 * 26));
    EXPECT_EXIT(ReadWithinMemory(dir / "longest.rep", true, allowed(3 * size)), ::testing::ExitedWithCode(0), "");
    const TReportRead read = ReadAnalysisReportFile(dir / "longest.rep");
    ASSERT_TRUE(read.Report.has_value()) << read.Detail;
    const TReportMeasure& harmonics = read.Report->Measure(MeasureVoltageHarmonics);
    EXPECT_EQ(harmonics.Windows.size(), windows);
    EXPECT_EQ(harmonics.FailedIntervals.size(), windows * 51);
    EXPECT_EQ(harmonics.Windows[windows - 1], MeasureOf(longest, MeasureVoltageHarmonics).windows[0]);
    EXPECT_EQ(harmonics.FailedIntervals[windows * 51 - 1], MeasureOf(longest, MeasureVoltageHarmonics).failed[0]);
    DeleteFile(dir / "longest.rep");

    const std::uint64_t huge = WriteRepeatedReport(dir / "huge.rep", longest, MeasureUnbalance, 4'000'000, 0);
    EXPECT_GT(huge, LargestReportSize());
    EXPECT_EQ(ReadAnalysisReportFile(dir / "huge.rep").Fault, ReportFault::TooLarge);
    EXPECT_EXIT(ReadWithinMemory(dir / "huge.rep", false, allowed(1 << 20)), ::testing::ExitedWithCode(0), "");
    DeleteFile(dir / "huge.rep");

    const std::uint64_t week = WriteRepeatedReport(dir / "week.rep", EveryMeasureReport(), MeasureUnbalance, 400'000, 0);
    const TReportRead refused = ReadAnalysisReportFile(dir / "week.rep");
    EXPECT_EQ(refused.Fault, ReportFault::BadSection);
    EXPECT_EQ(refused.Detail, "the window section of measure 3: it holds 400000 windows, more than the 9 its interval allows");
    EXPECT_EXIT(ReadWithinMemory(dir / "week.rep", false, allowed(3 * week)), ::testing::ExitedWithCode(0), "");
}

TEST(ReportFile, EveryCutOfAReportIsRefusedUnlessItEndsBetweenTheLastSectionsRecords)
{
    // Events only: the head (3359), the summary with two failed intervals (669), five windows of 129.
    const Bytes bytes = ReportBytes(EventsOnly());
    ASSERT_EQ(bytes.size(), 3359u + 669 + 5 * 129);
    for (std::size_t n = 0; n <= bytes.size(); ++n) {
        const TReportRead read = ReadAnalysisReport(std::span<const std::uint8_t>(bytes.data(), n));
        const bool wholeWindows = n > 4028 && (n - 4028) % 129 == 0;
        ASSERT_EQ(read.Report.has_value(), wholeWindows) << n;
        if (wholeWindows) {
            EXPECT_EQ(read.Report->Measure(6).Windows.size(), (n - 4028) / 129) << n;
        }
    }
}

TEST(ReportFile, MissingOrUnselectedTemporaryFilesLeaveTheMeasureOut)
{
    TempProgDir dir;
    ReportFixture fixture = EveryMeasureReport();
    WriteTempFiles(dir.Path(), fixture);
    DeleteFile(dir / "ficker.sta");
    DeleteFile(dir / "ficker.bar");
    fixture.survey.File(3).Selected = false;  // its files stay for the next analysis to delete
    const std::string path = dir / "part.rep";
    ASSERT_TRUE(WriteReportFile(path, HeadOf(fixture), dir.Path()).Saved);
    EXPECT_EQ(TempFilesIn(dir.Path()), (std::vector<std::string>{"unbalan.sta", "unbalan.bar"}));
    const TReportRead read = ReadAnalysisReportFile(path);
    ASSERT_TRUE(read.Report.has_value()) << read.Detail;
    EXPECT_EQ(read.Report->SummaryOffsets[2], 0);
    EXPECT_EQ(read.Report->SummaryOffsets[4], 0);
    EXPECT_EQ(read.Report->WindowOffsets[4], 0);
    EXPECT_FALSE(read.Report->Measure(3).HasSummary);
    EXPECT_FALSE(read.Report->Measure(5).HasWindows);
    EXPECT_EQ(read.Report->Measure(6).Windows.All(), fixture.measures[5].windows);
}

TEST(ReportFile, WriteThatFailsHalfWayKeepsTheOldReportAndTheTemporaryFiles)
{
    TempProgDir dir;
    const ReportFixture fixture = EveryMeasureReport();
    WriteTempFiles(dir.Path(), fixture);
    const std::string path = dir.Write("week.rep", "the old report");
    const std::vector<std::string> before = FilesIn(dir.Path());
    // In a child process whose files may not grow beyond 5000 bytes: the new report (8949
    // bytes) fails after its head and some of its sections are written.
    EXPECT_EXIT(FailingWrite(path, HeadOf(fixture), dir.Path(), 5000), ::testing::ExitedWithCode(0), "");
    const std::string old = "the old report";
    EXPECT_EQ(*ReadWholeFile(path), Bytes(old.begin(), old.end()));
    EXPECT_EQ(FilesIn(dir.Path()), before);  // all twelve temporary files, and nothing left half-written
}

TEST(ReportFile, DamagedOrTooLongInputIsRefusedBeforeAnythingIsWritten)
{
    TempProgDir dir;
    const ReportFixture fixture = EveryMeasureReport();
    WriteTempFiles(dir.Path(), fixture);
    const std::string path = dir.Write("week.rep", "the old report");
    const std::vector<std::string> before = FilesIn(dir.Path());

    Bytes harm = *ReadWholeFile(dir / "harm.sta");
    harm.resize(600);
    WriteBytes(dir / "harm.sta", harm);
    TReportWrite write = WriteReportFile(path, HeadOf(fixture), dir.Path());
    EXPECT_FALSE(write.Saved);
    EXPECT_NE(write.Message.find(dir / "harm.sta"), std::string::npos) << write.Message;

    TReportHead head = HeadOf(fixture);
    head.Survey.File(2).FileName = "/data/" + std::string(300, 'f') + ".hze";
    write = WriteReportFile(path, head, dir.Path());
    EXPECT_FALSE(write.Saved);
    EXPECT_NE(write.Message.find("longer than 255"), std::string::npos) << write.Message;

    head = HeadOf(fixture);
    head.Params.WindowDays = 40;
    EXPECT_FALSE(WriteReportFile(path, head, dir.Path()).Saved);

    EXPECT_EQ(FilesIn(dir.Path()), before);
    EXPECT_EQ(ReadWholeFile(path)->size(), std::string("the old report").size());
}

TEST(ReportFile, DeleteAnalysisTempFilesDeletesOnlyThoseTwelve)
{
    TempProgDir dir;
    WriteTempFiles(dir.Path(), EveryMeasureReport());
    dir.Write("other.sta", "x");
    DeleteAnalysisTempFiles(dir.Path());
    EXPECT_EQ(FilesIn(dir.Path()), std::vector<std::string>{"other.sta"});
}
