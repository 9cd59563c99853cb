// The analysis report file: written from the engine's temporary files and read back field by
// field, the older layout, damaged reports, and writes that fail.
#include "analysis/report_file.h"

#include "fixtures/data_fixture.h"
#include "fixtures/report_fixture.h"
#include "fixtures/temp_prog_dir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
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
            EXPECT_EQ(got.FailedIntervals, m->failed) << k;
        }
        if (m->hasWindows) {
            EXPECT_EQ(got.Windows, m->windows) << k;
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
    EXPECT_EQ(read.Report->Measure(6).Windows, fixture.measures[5].windows);
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
