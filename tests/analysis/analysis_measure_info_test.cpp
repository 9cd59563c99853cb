// The analysis wizard's reading of a data file: which measures can be analysed, and the
// frequency file's seconds flag.
#include "analysis/analysis_measure_info.h"

#include "fixtures/data_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"

#include <gtest/gtest.h>

TEST(AnalysisMeasureInfo, UsableWhenTheFirstRecordHoldsMinimumAverageMaximum)
{
    TempProgDir dir;
    ScriptedMessages messages;
    struct Case {
        const char* name;
        int measure;
        Bytes record;
        bool usable;
    } cases[] = {
        {"voltage with min/avg/max", 1, TrendRecord(1, {.flags = 2 | 8}), true},
        {"voltage with percentiles only", 1, TrendRecord(1, {.flags = 8 | 16}), false},
        {"unbalance with min/avg/max", 3, TrendRecord(3, {.flags = 2}), true},
        {"unbalance with a curve only", 3, TrendRecord(3, {.flags = 32}), false},
        {"harmonics whose first block has min/avg/max", 4,
         HarmonicsRecord({.blocks = {{.flags = 2, .order = 0}, {.flags = 4, .order = 3}}}), true},
        {"harmonics whose first block lacks them", 4,
         HarmonicsRecord({.blocks = {{.flags = 4, .order = 0}, {.flags = 2, .order = 3}}}), false},
        {"flicker needs only a readable file", 5, FlickerRecord({.flags = 0, .mode = 2}), true},
        {"events need only a readable file", 6, EventRecord({}), true},
    };
    for (const auto& c : cases) {
        const std::string path = WriteDataFile(dir / "data", {c.record, c.record});
        TMeasureFileInfo info;
        const auto read = ReadAnalysisMeasureInfo(path, c.measure, info);
        ASSERT_TRUE(read.has_value()) << c.name;
        EXPECT_EQ(read->Usable, c.usable) << c.name;
        EXPECT_EQ(read->FrequencyFlagWord, 0) << c.name;
        EXPECT_EQ(info.FileName, path) << c.name;  // the slot filled as every survey reader fills it
        EXPECT_EQ(info.RecordCount, 2) << c.name;
    }
    EXPECT_TRUE(messages.messages.empty());
}

TEST(AnalysisMeasureInfo, FrequencyFlagWordIsTheFirstRecordsWordAtTwelve)
{
    TempProgDir dir;
    // The word's high byte holds the record's seconds: 10:00:30 gives 30 x 256.
    const std::string path = WriteDataFile(dir / "s.hze", {TrendRecord(2, {.time = {2024, 3, 15, 10, 0, 30}, .period = 600}),
                                                           TrendRecord(2, {.time = {2024, 3, 15, 10, 10, 0}, .period = 600})});
    TMeasureFileInfo info;
    const auto read = ReadAnalysisMeasureInfo(path, 2, info);
    ASSERT_TRUE(read.has_value());
    EXPECT_TRUE(read->Usable);
    EXPECT_EQ(read->FrequencyFlagWord, 30 * 256);
    EXPECT_EQ(info.Rate, 600);
}

TEST(AnalysisMeasureInfo, RefusedFilesAndOtherMeasures)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string bad =
        WriteDataFile(dir / "s.ale", {EventRecord({}), EventRecord({.time = {2024, 13, 15, 10, 0}})});
    TMeasureFileInfo info;
    EXPECT_FALSE(ReadAnalysisMeasureInfo(bad, 6, info).has_value());
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"Invalid Date", "Events survey is corrupted. Unable to open the file."}));

    messages.Clear();
    const std::string powers = WriteDataFile(dir / "s.wme", {PowerRecord({})});
    EXPECT_FALSE(ReadAnalysisMeasureInfo(powers, 7, info).has_value());
    EXPECT_TRUE(messages.messages.empty());
}
