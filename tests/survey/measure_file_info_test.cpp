// ReadMeasureFileInfo: the one gate of a data file, for each file kind.
#include "survey/measure_file_info.h"

#include "fixtures/data_fixture.h"
#include "fixtures/demo_survey.h"
#include "fixtures/samples_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"

#include <gtest/gtest.h>

namespace {
double At(int minute, int second = 0, int ms = 0) { return FixtureTime(2024, 3, 15, 10, minute, second, ms); }
const std::string kVoltageCorrupted = "Voltage survey is corrupted. Unable to open the file.";
}  // namespace

TEST(MeasureFileInfo, OneRecordVoltageFile)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string path = WriteDataFile(dir / "s.vme", {TrendRecord(1, {.time = {2024, 3, 15, 10, 5}, .nominal = 230, .period = -5})});
    ASSERT_TRUE(ReadMeasureFileInfo(path, MeasureVoltage));
    const TMeasureFileInfo& info = SurveySelection().File(MeasureVoltage);
    EXPECT_EQ(info.FileName, path);
    EXPECT_EQ(info.RecordCount, 1);
    EXPECT_EQ(info.RecordSize, 60);
    EXPECT_EQ(info.FirstTime, At(5));
    EXPECT_EQ(info.LastTime, At(5));
    EXPECT_EQ(info.NominalValue(), 230.0f);
    EXPECT_EQ(info.Rate, -5);  // sign-extended
    EXPECT_TRUE(messages.messages.empty());
}

// The demo survey's medium-voltage feeder carries the nominal its values are recorded against.
TEST(MeasureFileInfo, DemoSurveyFilesCarryTheirFeedersNominal)
{
    TempProgDir dir;
    ASSERT_FALSE(WriteDemoSurvey(dir.Path(), 1).empty());
    struct Case { const char* file; float nominal; };
    for (const Case c : {Case{"demo.vme", 230.0f}, Case{"demo_mv.vme", 11000.0f}}) {
        TMeasureFileInfo info;
        ASSERT_TRUE(ReadMeasureFileInfo(dir / c.file, MeasureVoltage, info)) << c.file;
        EXPECT_EQ(info.NominalValue(), c.nominal) << c.file;
    }
}

TEST(MeasureFileInfo, HeadFieldsOfEachFileKind)
{
    TempProgDir dir;
    struct Case {
        int measure;
        std::vector<Bytes> records;
        double first, last;
        float nominal;
        std::int32_t rate;
    } cases[] = {
        {MeasureFrequency, {TrendRecord(2, {.time = {2024, 3, 15, 10, 0, 10}, .nominal = 50, .period = 10}),
                            TrendRecord(2, {.time = {2024, 3, 15, 10, 0, 20}, .nominal = 50, .period = 10})},
         At(0, 10), At(0, 20), 50, 10},
        {MeasureVoltageHarmonics, {HarmonicsRecord({.time = {2024, 3, 15, 10, 0}, .nominal = 231, .period = 10, .blocks = {{}}})},
         At(0), At(0), 231, 10},
        {MeasureFlicker, {FlickerRecord({.time = {2024, 3, 15, 10, 0}, .nominal = 232, .period = 10}),
                          FlickerRecord({.time = {2024, 3, 15, 10, 10}, .nominal = 1, .period = 1})},
         At(0), At(10), 232, 10},
        {MeasureEvents, {EventRecord({.threshold = 207, .time = {2024, 3, 15, 10, 1, 2, 3}}),
                         EventRecord({.threshold = 1, .time = {2024, 3, 15, 10, 9, 0, 99}})},
         At(1, 2, 3), At(9, 0, 99), 207, 0},
        {MeasurePowers, {PowerRecord({.time = {2024, 3, 15, 10, 0}, .nominal = 233, .period = 15})}, At(0), At(0), 233, 15},
        {MeasureCurrentHarmonics, {CurrentHarmonicsRecord({.time = {2024, 3, 15, 10, 3}, .period = 12, .blocks = {{}}})},
         At(3), At(3), 0, 12},
        {MeasureEnergy, {EnergyRecord({.time = {2024, 3, 15, 10, 4}, .period = 16})}, At(4), At(4), 0, 16},
    };
    for (const auto& c : cases) {
        ScriptedMessages messages;
        TMeasureFileInfo info;
        info.Nominal = {1, 2, 3, 4};
        const std::string path = WriteDataFile(dir / ("s" + std::to_string(c.measure)), c.records);
        ASSERT_TRUE(ReadMeasureFileInfo(path, c.measure, info)) << c.measure;
        EXPECT_EQ(info.RecordCount, static_cast<std::int32_t>(c.records.size())) << c.measure;
        EXPECT_EQ(info.RecordSize, static_cast<std::int32_t>(c.records[0].size())) << c.measure;
        EXPECT_EQ(info.FirstTime, c.first) << c.measure;
        EXPECT_EQ(info.LastTime, c.last) << c.measure;
        EXPECT_EQ(info.NominalValue(), c.nominal) << c.measure;
        EXPECT_EQ(info.Rate, c.rate) << c.measure;
    }
}

TEST(MeasureFileInfo, CorruptFilesAreRefusedWithTheMessage)
{
    TempProgDir dir;
    const Bytes good = DataFileBytes({TrendRecord(1, {}), TrendRecord(1, {})});
    Bytes truncated = good;
    truncated.resize(100);
    Bytes ragged = good;
    StoreU32(ragged.data(), 8 + 119);  // end offset not whole records
    Bytes zero = good;
    StoreU32(zero.data() + 4, 0);
    struct Case {
        const char* what;
        Bytes bytes;
    } cases[] = {{"truncated", truncated}, {"ragged", ragged}, {"zero count", zero}, {"no header", {1, 2, 3}}};
    for (const auto& c : cases) {
        ScriptedMessages messages;
        TMeasureFileInfo info;
        EXPECT_FALSE(ReadMeasureFileInfo(WriteBytes(dir / "s.vme", c.bytes), MeasureVoltage, info)) << c.what;
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{kVoltageCorrupted}) << c.what;
        EXPECT_EQ(messages.messages[0].type, MsgType::Error);
    }
}

// The end offset may reach the file's last byte, and bytes after it are left unread; one byte
// beyond the file is refused.
TEST(MeasureFileInfo, EndOffsetUpToTheFileSizeIsAccepted)
{
    TempProgDir dir;
    const Bytes good = DataFileBytes({TrendRecord(1, {}), TrendRecord(1, {.time = {2024, 3, 15, 10, 1}})});
    Bytes trailing = good;
    trailing.insert(trailing.end(), {0xFF, 0xFF, 0xFF});
    Bytes short1 = good;
    short1.pop_back();
    struct Case {
        const char* what;
        Bytes bytes;
        bool accepted;
    } cases[] = {{"ending with the file", good, true}, {"bytes after the last record", trailing, true},
                 {"ending a byte past the file", short1, false}};
    for (const auto& c : cases) {
        ScriptedMessages messages;
        TMeasureFileInfo info;
        EXPECT_EQ(ReadMeasureFileInfo(WriteBytes(dir / "s.vme", c.bytes), MeasureVoltage, info), c.accepted) << c.what;
        if (!c.accepted) continue;
        EXPECT_EQ(info.RecordCount, 2) << c.what;
        EXPECT_EQ(info.LastTime, At(1)) << c.what;
        EXPECT_TRUE(messages.messages.empty()) << c.what;
    }
}

TEST(MeasureFileInfo, BadStampShowsBothMessages)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string path = WriteDataFile(dir / "s.vme", {TrendRecord(1, {}), TrendRecord(1, {.time = {2024, 2, 30, 1, 0}})});
    TMeasureFileInfo info;
    EXPECT_FALSE(ReadMeasureFileInfo(path, MeasureVoltage, info));
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"Invalid Date", kVoltageCorrupted}));
    EXPECT_EQ(info.FirstTime, FixtureTime(2024, 3, 15, 10, 0));  // filled so far
}

TEST(MeasureFileInfo, SamplesDescriptor)
{
    TempProgDir dir;
    SamplesRecordFields first, last;
    first.time = {2024, 3, 15, 10, 1, 2, 3};
    last.time = {2024, 3, 15, 11, 0, 0, 0};
    const std::string path = WriteSamplesFile(dir / "s.tme", 12, {first, SamplesRecordFields{}, last});
    TMeasureFileInfo info;
    ASSERT_TRUE(ReadMeasureFileInfo(path, MeasureSamples, info));
    EXPECT_EQ(info.RecordCount, 3);
    EXPECT_EQ(info.RecordSize, 0);
    EXPECT_EQ(info.FirstTime, At(1, 2, 3));
    EXPECT_EQ(info.LastTime, FixtureTime(2024, 3, 15, 11, 0));
    EXPECT_EQ(info.Rate, 0);

    const std::string samplesCorrupted = "Voltage Samples survey is corrupted. Unable to open the file.";
    Bytes cut = *ReadWholeFile(path);
    cut.resize(cut.size() - 10);
    SamplesRecordFields badStamp;
    badStamp.time.hour = 30;
    // The most records the end offset can hold, each no more than its 62-byte head, and one more.
    const std::uint32_t most = (*FileSize(path) - 9) / 62;
    Bytes full = *ReadWholeFile(path);
    StoreU32(full.data() + 5, most);
    ASSERT_TRUE(ReadMeasureFileInfo(WriteBytes(dir / "most.tme", full), MeasureSamples, info));
    EXPECT_EQ(info.RecordCount, static_cast<std::int32_t>(most));
    StoreU32(full.data() + 5, most + 1);
    const std::string cases[] = {WriteBytes(dir / "cut.tme", cut), WriteSamplesFile(dir / "empty.tme", 4, {}),
                                 WriteSamplesFile(dir / "type.tme", 9, {first}),
                                 WriteSamplesFile(dir / "stamp.tme", 4, {first, badStamp}),
                                 WriteBytes(dir / "count.tme", full)};
    for (const auto& bad : cases) {
        ScriptedMessages messages;
        TMeasureFileInfo slot;
        EXPECT_FALSE(ReadMeasureFileInfo(bad, MeasureSamples, slot)) << bad;
        EXPECT_TRUE(messages.Shown(samplesCorrupted)) << bad;
    }
}

TEST(MeasureFileInfo, SlotsBeyondTheMeasuresAreIgnored)
{
    ScriptedMessages messages;
    EXPECT_TRUE(ReadMeasureFileInfo("/nowhere", 12));
    EXPECT_TRUE(messages.messages.empty());
}

TEST(MeasureFileInfo, RecordsSmallerThanTheHeadAreRefused)
{
    TempProgDir dir;
    ScriptedMessages messages;
    // Two 12-byte records: the end offset fits the file, but no 18-byte head fits a record.
    Bytes bytes(8 + 2 * 12, 0);
    StoreU32(bytes.data(), 8 + 2 * 12);
    StoreU32(bytes.data() + 4, 2);
    TMeasureFileInfo info;
    EXPECT_FALSE(ReadMeasureFileInfo(WriteBytes(dir / "s.vme", bytes), MeasureVoltage, info));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{kVoltageCorrupted});

    // The smallest legal record is the head alone: two 18-byte records are read.
    TrendRecordFields f;
    f.flags = 0;
    f.time = StampOf(At(1));
    Bytes first = TrendRecord(MeasureVoltage, f);
    f.time = StampOf(At(2));
    Bytes second = TrendRecord(MeasureVoltage, f);
    first.resize(18), second.resize(18);
    messages.Clear();
    ASSERT_TRUE(ReadMeasureFileInfo(WriteDataFile(dir / "h.vme", {first, second}), MeasureVoltage, info));
    EXPECT_EQ(info.RecordSize, 18);
    EXPECT_EQ(info.LastTime, At(2));
    EXPECT_TRUE(messages.Texts().empty());
}
