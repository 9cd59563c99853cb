// Nearest-record searches and interval ends over files written by the fixture builder.
#include "survey/record_search.h"

#include "fixtures/data_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"
#include "survey/measure_file_info.h"

#include <gtest/gtest.h>

namespace {
double At(int hour, int minute, int second = 0, int ms = 0) { return FixtureTime(2024, 3, 15, hour, minute, second, ms); }

// A file of `count` records stepped by `step` from 10:00 (voltage, or frequency for seconds).
struct SeriesFile {
    SeriesFile(const TempProgDir& dir, int measure, int count, double step)
    {
        const Bytes prototype = measure == MeasureEvents ? EventRecord({}) : TrendRecord(measure, {});
        path = WriteRecordSeries(dir / ("series" + std::to_string(measure)), measure, prototype, At(10, 0), step, count);
        EXPECT_EQ(file.Open(path, measure), DataFileFault::None);
        EXPECT_TRUE(ReadMeasureFileInfo(path, measure, info));
    }
    std::int64_t Index(std::int64_t offset) const { return (offset - 8) / info.RecordSize; }
    std::string path;
    TDataFile file;
    TMeasureFileInfo info;
};
}  // namespace

TEST(RecordSearch, NearestRecord)
{
    TempProgDir dir;
    SeriesFile ten(dir, MeasureVoltage, 10, kOneMinute);  // 10:00 ... 10:09
    struct Case {
        const char* what;
        double t;
        std::int64_t index;
    } cases[] = {
        {"exact", At(10, 5), 5},
        {"exact first", At(10, 0), 0},
        {"exact last", At(10, 9), 9},
        {"nearer earlier", At(10, 5, 20), 5},
        {"nearer later", At(10, 5, 40), 6},
        {"halfway goes to where the search stopped", At(10, 5, 30), 6},
        {"halfway, stopped below", At(10, 1, 30), 1},
        {"before first", At(9, 0), 0},
        {"after last", At(11, 0), 9},
        {"interval stop 10:03:59.999", At(10, 3, 59, 999), 4},
    };
    for (const auto& c : cases) EXPECT_EQ(ten.Index(FindRecordAtTime(ten.file, ten.info, c.t)), c.index) << c.what;
}

TEST(RecordSearch, OneRecordFile)
{
    TempProgDir dir;
    SeriesFile one(dir, MeasureVoltage, 1, kOneMinute);
    for (double t : {At(9, 0), At(10, 0), At(10, 0, 30), At(12, 0)}) EXPECT_EQ(FindRecordAtTime(one.file, one.info, t), 8);
    auto range = FindRecordsInInterval(one.file, one.info, At(10, 0), At(10, 0, 59, 999));
    ASSERT_TRUE(range);
    EXPECT_EQ(range->First, 8);
    EXPECT_EQ(range->Last, 8);
}

TEST(RecordSearch, IntervalEndsExcludeTheNextMinute)
{
    TempProgDir dir;
    SeriesFile minutes(dir, MeasureVoltage, 31, kOneMinute);        // 10:00 ... 10:30
    SeriesFile tens(dir, MeasureUnbalance, 4, 10 * kOneMinute);     // 10:00, 10:10, 10:20, 10:30
    SeriesFile seconds(dir, MeasureFrequency, 30, 10 * kOneSecond); // 10:00:00 ... 10:04:50
    const double stop = At(10, 15) + kStopMinuteExtraDays;
    struct Case {
        const char* what;
        SeriesFile& f;
        double start, stop;
        std::int64_t first, last;  // -1: empty
    } cases[] = {
        {"one-minute records", minutes, At(10, 10), stop, 10, 15},
        {"ten-minute records", tens, At(10, 5), stop, 1, 1},
        {"ten-second records", seconds, At(10, 1), At(10, 1) + kStopMinuteExtraDays, 6, 11},
        {"whole file", minutes, At(9, 0), At(12, 0), 0, 30},
        {"no record inside", tens, At(10, 11), stop, -1, -1},
        {"before the first", minutes, At(8, 0), At(9, 59) + kStopMinuteExtraDays, -1, -1},
        {"after the last", minutes, At(10, 31), At(11, 0), -1, -1},
        {"stop before start", minutes, At(10, 10), At(10, 5), -1, -1},
    };
    for (const auto& c : cases) {
        auto range = FindRecordsInInterval(c.f.file, c.f.info, c.start, c.stop);
        if (c.first < 0) {
            EXPECT_FALSE(range) << c.what;
            continue;
        }
        ASSERT_TRUE(range) << c.what;
        EXPECT_EQ(c.f.Index(range->First), c.first) << c.what;
        EXPECT_EQ(c.f.Index(range->Last), c.last) << c.what;
        EXPECT_EQ(range->Count(c.f.info.RecordSize), c.last - c.first + 1) << c.what;
    }
}

TEST(RecordSearch, FrequencyRecordsSharingAMinuteAreOrderedBySeconds)
{
    TempProgDir dir;
    SeriesFile seconds(dir, MeasureFrequency, 30, 10 * kOneSecond);
    EXPECT_EQ(seconds.Index(FindRecordAtTime(seconds.file, seconds.info, At(10, 1, 20))), 8);
    EXPECT_EQ(seconds.Index(FindRecordAtTime(seconds.file, seconds.info, At(10, 1, 26))), 9);
}

TEST(RecordSearch, EventsCompareToTheMillisecond)
{
    TempProgDir dir;
    std::vector<Bytes> events;
    for (int h : {10, 20, 30, 40}) events.push_back(EventRecord({.time = {2024, 3, 15, 12, 0, 0, h}}));
    const std::string path = WriteDataFile(dir / "s.ale", events);
    TDataFile file;
    TMeasureFileInfo info;
    ASSERT_EQ(file.Open(path, MeasureEvents), DataFileFault::None);
    ASSERT_TRUE(ReadMeasureFileInfo(path, MeasureEvents, info));
    EXPECT_EQ(FindEventRecordAtTime(file, info, At(12, 0, 0, 30)), 8 + 2 * 24);
    EXPECT_EQ(FindEventRecordAtTime(file, info, At(12, 0, 0, 24)), 8 + 1 * 24);
    auto range = FindRecordsInInterval(file, info, At(12, 0, 0, 15), At(12, 0, 0, 30));
    ASSERT_TRUE(range);
    EXPECT_EQ(range->First, 8 + 24);
    EXPECT_EQ(range->Last, 8 + 2 * 24);
}

TEST(RecordSearch, FlickerStampsLieAfterFourBytes)
{
    TempProgDir dir;
    std::vector<Bytes> records;
    for (int m : {0, 10, 20}) records.push_back(FlickerRecord({.time = {2024, 3, 15, 10, m}}));
    const std::string path = WriteDataFile(dir / "s.fle", records);
    TDataFile file;
    TMeasureFileInfo info;
    ASSERT_EQ(file.Open(path, MeasureFlicker), DataFileFault::None);
    ASSERT_TRUE(ReadMeasureFileInfo(path, MeasureFlicker, info));
    EXPECT_EQ(FindFlickerRecordAtTime(file, info, At(10, 12)), 8 + static_cast<std::int64_t>(records[0].size()));
}

TEST(RecordSearch, DisorderedAndUndecodableStampsStayInsideTheRecords)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const int minutes[] = {30, 5, 50, 0, 12, 40, 7, 59, 1};
    std::vector<Bytes> records;
    for (int m : minutes) records.push_back(TrendRecord(1, {.time = {2024, 3, 15, 10, m}}));
    records[4] = TrendRecord(1, {.time = {2024, 13, 15, 10, 0}});  // month 13
    records[0] = TrendRecord(1, {.time = {2024, 3, 15, 10, 30}});
    const std::string path = WriteDataFile(dir / "s.vme", records);
    TDataFile file;
    ASSERT_EQ(file.Open(path, MeasureVoltage), DataFileFault::None);
    TMeasureFileInfo info;
    info.RecordCount = static_cast<std::int32_t>(records.size());
    info.RecordSize = 60;
    info.FirstTime = At(10, 30);
    info.LastTime = At(10, 1);  // first after last: the file contradicts itself
    for (int m = 0; m < 60; m += 3) {
        for (auto finder : {FindRecordAtTime, FindFlickerRecordAtTime, FindEventRecordAtTime}) {
            const std::int64_t at = finder(file, info, At(10, m));
            EXPECT_GE(at, 8);
            EXPECT_LE(at, 8 + 8 * 60);
            EXPECT_EQ((at - 8) % 60, 0);
        }
        auto range = FindRecordsInInterval(file, info, At(10, m), At(10, m) + kStopMinuteExtraDays);
        if (range) {
            EXPECT_GE(range->First, 8);
            EXPECT_LE(range->Last, 8 + 8 * 60);
        }
    }
    // More records counted than the file holds: still only the file's records.
    info.RecordCount = 1000;
    info.FirstTime = At(10, 0);
    info.LastTime = At(11, 0);
    EXPECT_LE(FindRecordAtTime(file, info, At(10, 58)), 8 + 8 * 60);
}

TEST(RecordSearch, UndecodableProbeReportsOncePerSearch)
{
    TempProgDir dir;
    std::vector<Bytes> records;
    for (int m = 0; m < 16; ++m) records.push_back(TrendRecord(1, {.time = {2024, m % 2 ? 0 : 3, 15, 10, m}}));
    const std::string path = WriteDataFile(dir / "s.vme", records);
    TDataFile file;
    ASSERT_EQ(file.Open(path, MeasureVoltage), DataFileFault::None);
    TMeasureFileInfo info;
    info.RecordCount = 16;
    info.RecordSize = 60;
    info.FirstTime = At(10, 0);
    info.LastTime = At(10, 14);
    ScriptedMessages messages;
    const std::int64_t at = FindRecordAtTime(file, info, At(10, 7, 10));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Invalid Date"});
    EXPECT_GE(at, 8);
    EXPECT_LE(at, 8 + 15 * 60);
}

// The shared searches themselves, with a probe that fails the test on any index outside the
// entries: tables in order, out of order, with undecodable entries and with first/last times
// that disagree with the entries.
TEST(RecordSearch, EveryProbeStaysInsideTheEntries)
{
    const double base = At(10, 0);
    auto minutes = [base](std::initializer_list<int> list) {
        std::vector<std::optional<double>> times;
        for (int m : list) times.push_back(m < 0 ? std::nullopt : std::optional(base + m * kOneMinute));
        return times;
    };
    const std::vector<std::vector<std::optional<double>>> tables = {
        minutes({0}),
        minutes({0, 1}),
        minutes({0, 1, 2, 3, 4, 5, 6, 7, 8, 9}),
        minutes({9, 8, 7, 6, 5, 4, 3, 2, 1, 0}),
        minutes({5, -1, -1, 2, 30, -1, 0, 7}),
        minutes({-1, -1, -1, -1}),
        minutes({3, 3, 3, 3, 3}),
    };
    for (std::size_t k = 0; k < tables.size(); ++k) {
        const auto& times = tables[k];
        const auto n = static_cast<std::int64_t>(times.size());
        const TimeProbe probe = [&](std::int64_t i) -> std::optional<TDateTime> {
            EXPECT_TRUE(i >= 0 && i < n) << "table " << k << " probed entry " << i;
            return i >= 0 && i < n ? times[static_cast<std::size_t>(i)] : std::nullopt;
        };
        // First and last as stated by the header and as a file that contradicts itself.
        const std::pair<double, double> ends[] = {{base, base + 9 * kOneMinute}, {base + 30 * kOneMinute, base}};
        for (auto [first, last] : ends) {
            for (int m = -2; m <= 32; ++m) {
                const double t = base + m * kOneMinute + 20 * kOneSecond;
                const std::int64_t nearest = NearestEntry(n, first, last, t, probe);
                EXPECT_TRUE(nearest >= 0 && nearest < n) << "table " << k << " minute " << m;
                const std::int64_t lower = LowerBoundEntry(n, first, t, probe);
                const std::int64_t upper = UpperBoundEntry(n, first, t, probe);
                EXPECT_TRUE(lower >= 0 && lower <= n && upper >= 0 && upper <= n) << "table " << k << " minute " << m;
            }
        }
    }
}

TEST(RecordSearch, UndecodableEntryTakesThePreviousProbesTime)
{
    // Entry 2 does not decode; probed first (n = 5, half = 2) it takes the first time, so the
    // search goes on upwards and still finds the exact entry.
    const double base = At(10, 0);
    const std::optional<double> times[] = {base, base + kOneMinute, std::nullopt, base + 3 * kOneMinute,
                                           base + 4 * kOneMinute};
    const TimeProbe probe = [&](std::int64_t i) { return times[static_cast<std::size_t>(i)]; };
    EXPECT_EQ(NearestEntry(5, base, base + 4 * kOneMinute, base + 3 * kOneMinute, probe), 3);
    // At 10:01:50 the search stops at entry 3; its neighbour 2 does not decode and never wins,
    // so entry 3 stays although entry 1 lies nearer.
    EXPECT_EQ(NearestEntry(5, base, base + 4 * kOneMinute, base + 1 * kOneMinute + 50 * kOneSecond, probe), 3);
    EXPECT_EQ(LowerBoundEntry(5, base, base + 3 * kOneMinute, probe), 3);
    EXPECT_EQ(UpperBoundEntry(5, base, base + 3 * kOneMinute, probe), 4);
}
