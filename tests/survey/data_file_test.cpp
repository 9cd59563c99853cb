// Opening data files through the header check, block reading of records, and appending.
#include "survey/data_append.h"
#include "survey/data_file.h"

#include "fixtures/data_fixture.h"
#include "fixtures/survey_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/little_endian.h"
#include "survey/records.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {
std::vector<Bytes> VoltageRecords(int count, std::uint16_t flags = FlagMinAvgMax, int firstMinute = 0)
{
    std::vector<Bytes> records;
    for (int i = 0; i < count; ++i) {
        PhaseBlockFields p;
        p.values = {0, static_cast<float>(firstMinute + i), 0};
        records.push_back(TrendRecord(1, {.time = {2024, 3, 15, 10, firstMinute + i}, .flags = flags, .phases = {p}}));
    }
    return records;
}
}  // namespace

TEST(DataFile, OpenChecksTheHeader)
{
    TempProgDir dir;
    const std::string good = WriteDataFile(dir / "good.vme", VoltageRecords(3));
    TDataFile file;
    ASSERT_EQ(file.Open(good, MeasureVoltage), DataFileFault::None);
    EXPECT_EQ(file.RecordSize(), 60u);
    EXPECT_EQ(file.RecordCount(), 3u);
    EXPECT_EQ(file.RecordPosition(2), 128u);
    EXPECT_EQ(file.RecordIndex(128), 2);
    EXPECT_EQ(file.RecordIndex(129), -1);
    EXPECT_EQ(file.RecordIndex(188), -1);

    Bytes truncated = DataFileBytes(VoltageRecords(3));
    truncated.resize(150);
    EXPECT_EQ(file.Open(WriteBytes(dir / "short.vme", truncated), MeasureVoltage), DataFileFault::BeyondFile);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.Open(WriteDataFile(dir / "empty.vme", {}), MeasureVoltage), DataFileFault::NoRecords);
    EXPECT_EQ(file.Open(WriteBytes(dir / "tiny.vme", {1, 2, 3}), MeasureVoltage), DataFileFault::Unreadable);
    EXPECT_EQ(file.Open(dir / "missing.vme", MeasureVoltage), DataFileFault::Unreadable);
    // Events are 24-byte records: 18-byte records are too small for them.
    EXPECT_EQ(file.Open(WriteDataFile(dir / "small.ale", {Bytes(18)}), MeasureEvents), DataFileFault::RecordTooSmall);
}

// A file opened again after it was cut short is held open, its whole records readable; every
// other fault still refuses it.
TEST(DataFile, ReopenHoldsAFileCutShortOnly)
{
    TempProgDir dir;
    Bytes truncated = DataFileBytes(VoltageRecords(3));
    truncated.resize(150);  // two whole records and a part
    TDataFile file;
    ASSERT_EQ(file.Reopen(WriteBytes(dir / "short.vme", truncated), MeasureVoltage), DataFileFault::BeyondFile);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_EQ(file.RecordCount(), 3u);
    Bytes room(3 * 60);
    EXPECT_EQ(file.ReadWholeRecords(0, 3, room), 2);
    Bytes out;
    EXPECT_FALSE(file.ReadRecord(file.RecordPosition(2), out));
    EXPECT_EQ(file.Reopen(WriteDataFile(dir / "good.vme", VoltageRecords(3)), MeasureVoltage), DataFileFault::None);
    EXPECT_EQ(file.Reopen(WriteDataFile(dir / "empty.vme", {}), MeasureVoltage), DataFileFault::NoRecords);
    EXPECT_FALSE(file.IsOpen());
    Bytes small = DataFileBytes({Bytes(18), Bytes(18)});
    small.resize(20);
    EXPECT_EQ(file.Reopen(WriteBytes(dir / "small.ale", small), MeasureEvents), DataFileFault::RecordTooSmall);
    EXPECT_FALSE(file.IsOpen());  // too small a record for an event, cut short or not
}

TEST(DataFile, ReadsStayInsideTheRecords)
{
    TempProgDir dir;
    Bytes bytes = DataFileBytes(VoltageRecords(2));
    bytes.resize(bytes.size() + 40, 0xEE);  // trailing bytes past the end offset
    TDataFile file;
    ASSERT_EQ(file.Open(WriteBytes(dir / "v.vme", bytes), MeasureVoltage), DataFileFault::None);
    Bytes out;
    EXPECT_FALSE(file.ReadAt(0, 6, out));      // the header is not a record
    EXPECT_FALSE(file.ReadAt(120, 10, out));   // past the end offset
    EXPECT_TRUE(file.ReadAt(68, 60, out));
    EXPECT_FALSE(file.ReadRecord(70, out));    // not a record start
    EXPECT_FALSE(file.ReadRecords(1, 2, out));
    EXPECT_TRUE(file.ReadRecords(0, 2, out));
    EXPECT_EQ(out.size(), 120u);
}

TEST(DataFile, BlockReaderReturnsEveryRecordOfTheWindowInOrder)
{
    TempProgDir dir;
    TDataFile file;
    ASSERT_EQ(file.Open(WriteDataFile(dir / "v.vme", VoltageRecords(25)), MeasureVoltage), DataFileFault::None);
    RecordBlockReader reader(file, 3, 21, /*blockBytes=*/7 * 60);  // blocks of 7 records
    std::vector<float> averages;
    for (auto record = reader.Next(); !record.empty(); record = reader.Next()) {
        EXPECT_EQ(reader.Position(), 8u + 60u * static_cast<std::uint64_t>(reader.Index()));
        averages.push_back(LoadF32(&record[24]));
    }
    EXPECT_FALSE(reader.Failed());
    ASSERT_EQ(averages.size(), 19u);
    for (std::size_t i = 0; i < averages.size(); ++i) EXPECT_EQ(averages[i], 3.0f + static_cast<float>(i));

    RecordBlockReader clamped(file, 20, 1000);
    int n = 0;
    while (!clamped.Next().empty()) ++n;
    EXPECT_EQ(n, 5);
}

TEST(DataAppend, AppendsRecordsAndHeader)
{
    TempProgDir dir;
    const std::string dest = WriteDataFile(dir / "s.vme", VoltageRecords(3));
    const std::string src = WriteDataFile(dir / "vm.tmp", VoltageRecords(2, FlagMinAvgMax, 30));
    ASSERT_EQ(AppendDataFile(src, dest, MeasureVoltage), AppendResult::Ok);
    TDataFile file;
    ASSERT_EQ(file.Open(dest, MeasureVoltage), DataFileFault::None);
    EXPECT_EQ(file.RecordCount(), 5u);
    EXPECT_EQ(file.Header().EndOffset, 8u + 5 * 60);
    Bytes record;
    ASSERT_TRUE(file.ReadRecord(file.RecordPosition(3), record));
    EXPECT_EQ(LoadF32(&record[24]), 30.0f);
}

TEST(DataAppend, CopiesFilesLargerThanOneBlockAndDropsBytesPastTheEndOffset)
{
    TempProgDir dir;
    const std::int64_t n = 40000;  // 2.4 MB: several copy blocks
    auto numbered = [](std::int64_t first) {
        return [first](std::int64_t i, std::uint8_t* r) { StoreU32(r + 24, static_cast<std::uint32_t>(first + i)); };
    };
    const Bytes prototype = TrendRecord(1, {.flags = FlagMinAvgMax});
    const std::string dest = WriteRecordSeries(dir / "s.vme", MeasureVoltage, prototype, FixtureTime(2024, 1, 1, 0, 0),
                                               kOneMinute, n, numbered(0));
    const std::string src = WriteRecordSeries(dir / "vm.tmp", MeasureVoltage, prototype, FixtureTime(2024, 3, 1, 0, 0),
                                              kOneMinute, n, numbered(n));
    { std::ofstream(dest, std::ios::binary | std::ios::app) << "trailing"; }
    ASSERT_EQ(AppendDataFile(src, dest, MeasureVoltage), AppendResult::Ok);
    EXPECT_EQ(FileSize(dest), 8u + 2 * n * 60);
    TDataFile file;
    ASSERT_EQ(file.Open(dest, MeasureVoltage), DataFileFault::None);
    ASSERT_EQ(file.RecordCount(), static_cast<std::uint32_t>(2 * n));
    RecordBlockReader reader(file, 0, 2 * n - 1);
    std::uint32_t expected = 0;
    for (auto r = reader.Next(); !r.empty(); r = reader.Next()) ASSERT_EQ(LoadU32(&r[24]), expected++);
    EXPECT_EQ(expected, 2 * n);
}

TEST(DataAppend, RefusalsLeaveTheDestinationAsItWas)
{
    TempProgDir dir;
    const std::string dest = WriteDataFile(dir / "s.vme", VoltageRecords(3));
    const std::string before = ReadText(dest);
    Bytes truncated = DataFileBytes(VoltageRecords(2));
    truncated.resize(100);
    struct Case {
        const char* what;
        std::string source;
        AppendResult result;
    } cases[] = {
        {"other record size", WriteDataFile(dir / "a.tmp", VoltageRecords(2, FlagMinAvgMax | FlagPercentile90)),
         AppendResult::RecordSizeMismatch},
        {"truncated source", WriteBytes(dir / "b.tmp", truncated), AppendResult::SourceCorrupt},
        {"empty source", WriteDataFile(dir / "c.tmp", {}), AppendResult::SourceCorrupt},
        {"missing source", dir / "none.tmp", AppendResult::SourceCorrupt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AppendDataFile(c.source, dest, MeasureVoltage), c.result) << c.what;
        EXPECT_EQ(ReadText(dest), before) << c.what;
    }

    const std::string corrupt = WriteBytes(dir / "bad.vme", truncated);
    const std::string corruptBefore = ReadText(corrupt);
    const std::string good = WriteDataFile(dir / "d.tmp", VoltageRecords(2));
    EXPECT_EQ(AppendDataFile(good, corrupt, MeasureVoltage), AppendResult::DestinationCorrupt);
    EXPECT_EQ(ReadText(corrupt), corruptBefore);
}

TEST(DataAppend, FailedWriteKeepsTheOriginal)
{
    TempProgDir dir;
    const std::string dest = WriteDataFile(dir / "s.vme", VoltageRecords(3));
    const std::string before = ReadText(dest);
    CreateFolder(dest + ".part");  // the temporary file cannot be created
    EXPECT_EQ(AppendDataFile(WriteDataFile(dir / "vm.tmp", VoltageRecords(2)), dest, MeasureVoltage),
              AppendResult::WriteFailed);
    EXPECT_EQ(ReadText(dest), before);
}

TEST(DataFile, YearLongSeriesReadsBackEveryStamp)
{
    TempProgDir dir;
    const double start = FixtureTime(2023, 1, 1, 0, 0);
    const Bytes prototype = TrendRecord(1, {.flags = FlagMinAvgMax});
    const std::string path = WriteRecordSeries(dir / "year.vme", MeasureVoltage, prototype, start, kOneMinute,
                                               kYearOfMinutes, [](std::int64_t i, std::uint8_t* r) {
                                                   StoreU32(r + 24, static_cast<std::uint32_t>(i));
                                               });
    TDataFile file;
    ASSERT_EQ(file.Open(path, MeasureVoltage), DataFileFault::None);
    EXPECT_EQ(file.RecordCount(), static_cast<std::uint32_t>(kYearOfMinutes));
    Bytes last;
    ASSERT_TRUE(file.ReadRecord(file.RecordPosition(kYearOfMinutes - 1), last));
    EXPECT_EQ(RecordTime(*StampLayoutOf(MeasureVoltage), last), FixtureTime(2023, 12, 31, 23, 59));
    EXPECT_EQ(LoadU32(&last[24]), static_cast<std::uint32_t>(kYearOfMinutes - 1));
}
