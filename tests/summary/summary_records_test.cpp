// The summary's stored records: the parameters' defaults and byte layout, the results' layout,
// and "summary.tmp" written and read back, with the refusal of missing and short files.
#include "summary/summary_file.h"

#include "fixtures/data_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "platform/scripted_messages.h"

#include <gtest/gtest.h>

namespace {
TSummaryFile SampleSummary()
{
    TSummaryFile s;
    s.Survey.Name = "feeder.orv";
    s.Survey.Description = "Feeder 3";
    s.Survey.Site = "North yard";
    s.Survey.Operator = "R. Tester";
    s.Survey.Start = 45352.0;
    s.Survey.Stop = 45359.0 + kStopMinuteExtraDays;
    s.Survey.File(1).FileName = "/surveys/feeder.vme";
    s.Survey.File(1).Selected = true;
    s.Survey.File(1).RecordCount = 1008;
    s.Survey.File(1).RecordSize = 60;
    s.Survey.File(1).Rate = 10;
    SetDefaultSummaryParams(s.Params);
    s.Params.Percentile = 97;
    s.Params.LimitsFileName = "/limits/en50160.lim";
    s.Params.HarmonicOrders[0] = 0;
    s.Params.HarmonicOrders[1] = 3;
    s.Params.HarmonicOrders[52] = 50;
    s.Params.HarmonicSelected[0] = s.Params.HarmonicSelected[3] = s.Params.HarmonicSelected[50] = true;
    s.Results.VoltageMin = {-4.5f, -4.25f, -4.0f};
    s.Results.VoltageHighPct = {3.5f, 3.25f, 3.0f};
    s.Results.FrequencyLowPct = -0.5f;
    s.Results.UnbalanceHighPct = 1.25f;
    s.Results.HarmonicMin[0] = {1, 2, 3};
    s.Results.HarmonicHighPct[25] = {4, 5, 6};
    s.Results.FlickerHighPct = {0.5f, 0.75f, 1};
    s.Results.EventCounts[0] = {1, 2, 3};
    s.Results.EventCounts[8] = {7, 8, 9};
    return s;
}
}  // namespace

TEST(SummaryParams, DefaultsAreTheSummarysOwn)
{
    TSummaryParams p;
    p.Percentile = 50;
    p.HarmonicSelected[4] = true;
    SetDefaultSummaryParams(p);
    EXPECT_EQ(p.Percentile, 95);
    EXPECT_EQ(p.LimitsFileName, "default");
    EXPECT_FALSE(p.HarmonicSelected[4]);
    EXPECT_EQ(p.Limits.VLow, 10.0f);
    EXPECT_EQ(p.Limits.VHigh, 10.0f);
    EXPECT_EQ(p.Limits.VRapid, 5);
    EXPECT_EQ(p.Limits.HzPerc1, 99.5f);
    EXPECT_EQ(p.Limits.HzLow2, 6.0f);
    EXPECT_EQ(p.Limits.HHigh[3], 5.0f);   // the default limit of the 3rd
    EXPECT_EQ(p.Limits.HHigh[30], 5.0f);
    EXPECT_EQ(p.Limits.FlkHigh, 1.0f);
    // Unlike the analysis, the summary leaves the second voltage limits 0.
    EXPECT_EQ(p.Limits.VLow2, 0.0f);
    EXPECT_EQ(p.Limits.VHigh2, 0.0f);
    EXPECT_EQ(p.Limits.VPerc2, 0);
}

TEST(SummaryParams, PacksFieldsAtTheirOffsets)
{
    TSummaryParams p;
    p.Percentile = 0x1234;
    p.LimitsFileName = "ab";
    p.HarmonicOrders[1] = 0x0302;
    p.HarmonicSelected[50] = true;
    p.Limits.VLow = 1.0f;
    ByteWriter out;
    p.Pack(out);
    const Bytes& b = out.Data();
    ASSERT_EQ(b.size(), 795u);
    EXPECT_EQ(b[0], 0x34);
    EXPECT_EQ(b[1], 0x12);
    EXPECT_EQ(b[2], 2);  // the name's length byte
    EXPECT_EQ(b[3], 'a');
    EXPECT_EQ(b[260], 0x02);  // HarmonicOrders[1] at 258 + 2
    EXPECT_EQ(b[261], 0x03);
    EXPECT_EQ(b[364 + 50], 1);
    EXPECT_EQ(b[415 + 3], 0x3F);  // Limits.VLow, 1.0f = 0x3F800000
}

// A limits file path longer than its short string is refused, never cut.
TEST(SummaryFile, RefusesATextLongerThanItsField)
{
    TempProgDir dir;
    TSummaryFile summary = SampleSummary();
    summary.Params.LimitsFileName = "/" + std::string(300, 'x') + ".lim";
    const TSummaryWrite write = WriteSummaryFile(dir / "summary.tmp", summary);
    EXPECT_FALSE(write.Written);
    EXPECT_EQ(write.Message, ShortStringTooLongMessage(summary.Params.LimitsFileName));
    EXPECT_FALSE(FileExists(dir / "summary.tmp"));
}

TEST(SummaryResults, PacksFieldsAtTheirOffsets)
{
    TSummaryResults r;
    r.FrequencyMin = 1.0f;
    r.HarmonicMin[0][0] = 1.0f;
    r.HarmonicHighPct[25][2] = 1.0f;
    r.FlickerMax[0] = 1.0f;
    r.EventCounts[8][2] = 0x01020304;
    ByteWriter out;
    r.Pack(out);
    const Bytes& b = out.Data();
    ASSERT_EQ(b.size(), 1452u);
    EXPECT_EQ(b[48 + 3], 0x3F);
    EXPECT_EQ(b[72 + 3], 0x3F);
    EXPECT_EQ(b[1008 + 25 * 12 + 8 + 3], 0x3F);
    EXPECT_EQ(b[1320 + 3], 0x3F);
    EXPECT_EQ(b[1344 + 8 * 12 + 8], 0x04);
    EXPECT_EQ(b[1451], 0x01);
}

TEST(SummaryFile, RoundTripKeepsEveryRecord)
{
    TempProgDir dir;
    const TSummaryFile written = SampleSummary();
    const std::string path = dir / "summary.tmp";
    ASSERT_TRUE(WriteSummaryFile(path, written).Written);
    EXPECT_EQ(FileSize(path), 7333u);
    const TSummaryFileRead read = ReadSummaryFile(path);
    ASSERT_EQ(read.Fault, SummaryFileFault::None);
    EXPECT_EQ(*read.File, written);
}

TEST(SummaryFile, TakingReadsAndDeletes)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string path = dir / "summary.tmp";
    ASSERT_TRUE(WriteSummaryFile(path, SampleSummary()).Written);
    auto taken = TakeSummaryFile(path);
    ASSERT_TRUE(taken);
    EXPECT_EQ(taken->Survey.Name, "feeder.orv");
    EXPECT_FALSE(FileExists(path));
    EXPECT_TRUE(messages.messages.empty());
}

TEST(SummaryFile, RefusesMissingAndShortFiles)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string path = dir / "summary.tmp";
    EXPECT_EQ(ReadSummaryFile(path).Fault, SummaryFileFault::Missing);
    EXPECT_FALSE(TakeSummaryFile(path));
    EXPECT_TRUE(messages.Shown("The survey summary file " + path + " is missing. Unable to show the summary."));

    Bytes bytes = *SampleSummary().Pack();
    WriteBytes(path, Bytes(bytes.begin(), bytes.end() - 1));
    EXPECT_EQ(ReadSummaryFile(path).Fault, SummaryFileFault::Short);
    messages.Clear();
    EXPECT_FALSE(TakeSummaryFile(path));
    EXPECT_TRUE(messages.Shown("The survey summary file " + path + " is incomplete. Unable to show the summary."));
    EXPECT_FALSE(FileExists(path));

    // Beside the byte short: the records alone, and bytes after them, which are not read.
    for (std::size_t extra : {0u, 1u, 100u}) {
        Bytes longer = bytes;
        longer.resize(bytes.size() + extra, 0xFF);
        WriteBytes(path, longer);
        const TSummaryFileRead read = ReadSummaryFile(path);
        ASSERT_EQ(read.Fault, SummaryFileFault::None) << extra;
        EXPECT_EQ(*read.File, SampleSummary()) << extra;
    }
}
