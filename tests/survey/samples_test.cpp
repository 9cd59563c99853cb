// Voltage-samples file: type check, record heads, the time index and its search.
#include "survey/samples_file.h"
#include "survey/samples_index.h"

#include "fixtures/samples_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/little_endian.h"
#include "platform/scripted_messages.h"
#include "survey/measure_file_info.h"

#include <gtest/gtest.h>

namespace {
SamplesRecordFields Capture(int minute, std::uint32_t length = 0)
{
    SamplesRecordFields r;
    r.time = {2024, 3, 15, 10, minute, 30, 50};
    r.length = length;
    return r;
}

// The three-record type-4 file of lengths 1000, 1200 and 800.
std::string ThreeRecordFile(const TempProgDir& dir)
{
    return WriteSamplesFile(dir / "s.tme", 4, {Capture(0, 1000), Capture(10, 1200), Capture(20, 800)});
}
}  // namespace

TEST(SamplesFile, FileTypeCheck)
{
    TempProgDir dir;
    for (std::uint8_t type : {4, 6, 12}) EXPECT_EQ(GetSamplesFileType(WriteSamplesFile(dir / "a.tme", type, {Capture(0)})), type);
    ScriptedMessages messages;
    const std::string bad = WriteSamplesFile(dir / "b.tme", 5, {Capture(0)});
    EXPECT_EQ(GetSamplesFileType(bad), 0);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Invalid File type:  " + bad});
    EXPECT_EQ(messages.messages[0].type, MsgType::Error);
}

TEST(SamplesFile, HeaderAndTriggerTableAreReadFromTheirBytesOnly)
{
    const Bytes head = {12, 0x40, 0x1F, 0, 0, 2, 0, 0, 0};  // type 12, end offset 8000, 2 records
    const auto header = LoadSamplesFileHeader(head);
    ASSERT_TRUE(header);
    EXPECT_EQ(header->FileType, 12);
    EXPECT_EQ(header->EndOffset, 8000u);
    EXPECT_EQ(header->RecordCount, 2u);
    EXPECT_FALSE(LoadSamplesFileHeader(std::span(head).first(8)));

    // A table one byte short leaves the entries as they were.
    TTriggerEntries triggers{};
    triggers[18].Channel = 7;
    EXPECT_FALSE(ReadTriggerEntries(Bytes(kTriggerTableSize - 1, 1), triggers));
    EXPECT_EQ(triggers[0].Channel, 0);
    EXPECT_EQ(triggers[18].Channel, 7);
}

TEST(SamplesFile, SeventhScaleOfTypeTwelve)
{
    struct Case {
        float stored, scale;
        int result;
    } cases[] = {{-2.5f, 2.5f, -1}, {0, 1.0f, 1}, {3, 3, 1}};
    for (const auto& c : cases) {
        SamplesRecordFields r = Capture(0);
        r.seventhScale = c.stored;
        TSamplesRecordHead head;
        EXPECT_EQ(ReadSamplesRecordHead(SamplesRecord(12, r), 12, head), c.result);
        EXPECT_EQ(head.SeventhScale, c.scale);
    }
    TSamplesRecordHead head;
    EXPECT_EQ(ReadSamplesRecordHead(SamplesRecord(4, Capture(0)), 4, head), 1);
    EXPECT_EQ(ReadSamplesRecordHead(Bytes(57), 4, head), 0);
    EXPECT_EQ(ReadSamplesRecordHead(SamplesRecord(4, Capture(0)), 5, head), 0);
}

TEST(SamplesFile, HeadFieldsTriggersAndSamples)
{
    SamplesRecordFields r = Capture(7);
    r.channelSet = 1;  // one voltage, one current
    r.samplesPerChannel = 3;
    r.preTrigger = 2;
    r.postTrigger = 4;
    r.content = 2;
    r.scales = {1, 0.5f, 0, 0, 0, 0};
    r.triggers = {{3, 1, 2.5f, 0}};
    r.samples = {{400, 100, 0}, {7, 8, 9}};
    const Bytes bytes = SamplesRecord(6, r);
    TSamplesRecordHead head;
    ASSERT_EQ(ReadSamplesRecordHead(bytes, 6, head), 1);
    EXPECT_EQ(head.Length, bytes.size());
    EXPECT_EQ(head.ChannelSet, 1);
    EXPECT_EQ(head.SamplesPerChannel, 3);
    EXPECT_EQ(head.Content, 2);
    EXPECT_EQ(head.Scales[1], 0.5f);
    EXPECT_EQ(SamplesRecordTime(head), FixtureTime(2024, 3, 15, 10, 7, 30, 50));

    TTriggerEntries triggers;
    ASSERT_TRUE(ReadTriggerEntries(std::span(bytes).subspan(58), triggers));
    EXPECT_EQ(triggers[0].TriggerType, 3);
    EXPECT_EQ(LoadF32(triggers[0].Value1.data()), 2.5f);

    const std::size_t c1 = ChannelSamplesOffset(head, 6, 1);
    EXPECT_EQ(c1, 58u + 190 + 3 * 4);
    EXPECT_EQ(static_cast<std::int32_t>(LoadU32(&bytes[c1 + 4])), 8);
    EXPECT_EQ(SamplesRecordMinimumLength(head, 6), 58u + 190 + 2 * 3 * 4);
    EXPECT_EQ(SampleValue(400, 1.0f, 2), 2.0);
    EXPECT_EQ(SampleValue(-5, 2.0f, 0), -10.0);
    EXPECT_EQ(SampleTimeMs(head, 0), -20.0);
    EXPECT_EQ(SampleTimeMs(head, 3), 40.0);
    // The longest capture: 65535 samples over 327.67 s before and after the trigger.
    TSamplesRecordHead longest;
    longest.SamplesPerChannel = 65535;
    longest.PreTrigger = longest.PostTrigger = 32767;
    EXPECT_EQ(SampleTimeMs(longest, 65535), 327670.0);
    EXPECT_EQ(SampleTimeMs(longest, 0), -327670.0);
}

TEST(SamplesFile, LastRecordHeadFromTheTrailingLength)
{
    TempProgDir dir;
    const std::string path = ThreeRecordFile(dir);
    const Bytes bytes = *ReadWholeFile(path);
    EXPECT_EQ(LoadU32(&bytes[1]), 3009u);
    EXPECT_EQ(LoadU32(&bytes[bytes.size() - 4]), 800u);
    BinaryFile f;
    ASSERT_TRUE(f.Open(path));
    TSamplesRecordHead head;
    std::uint64_t at = 0;
    ASSERT_TRUE(ReadLastSamplesRecordHead(f, head, &at));
    EXPECT_EQ(at, 2209u);
    EXPECT_EQ(head.Time.Minute, 20);

    // A trailing length longer than the records cannot be followed.
    Bytes broken = bytes;
    StoreU32(&broken[broken.size() - 4], 5000);
    ASSERT_TRUE(f.Open(WriteBytes(dir / "broken.tme", broken)));
    EXPECT_FALSE(ReadLastSamplesRecordHead(f, head));
}

TEST(SamplesIndex, BuildAndSearch)
{
    TempProgDir dir;
    const std::string samples = ThreeRecordFile(dir);
    auto indexPath = CreateSamplesIndexFile();
    ASSERT_TRUE(indexPath);
    EXPECT_EQ(ExtractFilePath(*indexPath), dir.Path());
    EXPECT_EQ(ExtractFileName(*indexPath).substr(0, 3), "off");
    ASSERT_TRUE(BuildSamplesIndex(samples, *indexPath));
    const Bytes index = *ReadWholeFile(*indexPath);
    ASSERT_EQ(index.size(), 39u);
    EXPECT_EQ(IndexEntry(index, 0)->Offset, 9u);
    EXPECT_EQ(IndexEntry(index, 1)->Offset, 1009u);
    EXPECT_EQ(IndexEntry(index, 2)->Offset, 2209u);
    EXPECT_EQ(IndexEntry(index, 1)->Time, FixtureTime(2024, 3, 15, 10, 10, 30, 50));
    EXPECT_FALSE(IndexEntry(index, 3));

    TMeasureFileInfo info;
    ASSERT_TRUE(ReadMeasureFileInfo(samples, MeasureSamples, info));
    EXPECT_EQ(FindIndexEntryAtTime(index, info, FixtureTime(2024, 3, 15, 11, 0)), 39);
    EXPECT_EQ(FindIndexEntryAtTime(index, info, FixtureTime(2024, 3, 15, 9, 0)), 0);
    EXPECT_EQ(FindIndexEntryAtTime(index, info, FixtureTime(2024, 3, 15, 10, 10, 30, 50)), 13);
    EXPECT_EQ(FindIndexEntryAtTime(index, info, FixtureTime(2024, 3, 15, 10, 16)), 26);
    EXPECT_EQ(FindIndexEntryAtTime(index, info, FixtureTime(2024, 3, 15, 10, 14)), 13);
    DeleteFile(*indexPath);
}

TEST(SamplesIndex, ZeroLengthAndTruncatedRecordsEndTheBuild)
{
    TempProgDir dir;
    SamplesRecordFields zero = Capture(10);
    zero.headLength = 0;
    SamplesRecordFields shortHead = Capture(10);
    shortHead.headLength = 20;
    SamplesRecordFields runsPast = Capture(10);
    runsPast.headLength = 100000;
    for (const auto& bad : {zero, shortHead, runsPast}) {
        const std::string path = WriteSamplesFile(dir / "bad.tme", 4, {Capture(0), bad, Capture(20)});
        EXPECT_FALSE(BuildSamplesIndexEntries(path));
        EXPECT_FALSE(BuildSamplesIndex(path, dir / "offtest"));
    }
    // End offset beyond the real file.
    Bytes truncated = *ReadWholeFile(ThreeRecordFile(dir));
    truncated.resize(2500);
    EXPECT_FALSE(BuildSamplesIndexEntries(WriteBytes(dir / "cut.tme", truncated)));
}
