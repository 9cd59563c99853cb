// The summary wizard's survey reading: which measures can be summarised, the frequency period
// in seconds, the harmonic orders found, and a new survey clearing the last one's orders.
#include "summary/summary_survey.h"

#include "fixtures/data_fixture.h"
#include "fixtures/survey_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"

#include <gtest/gtest.h>

namespace {
std::vector<int> SelectedOrders(const TSummaryParams& params)
{
    std::vector<int> orders;
    for (std::size_t o = 0; o < params.HarmonicSelected.size(); ++o)
        if (params.HarmonicSelected[o]) orders.push_back(static_cast<int>(o));
    return orders;
}

Bytes Harmonics(std::initializer_list<int> orders, std::uint16_t flags = 2)
{
    HarmonicsRecordFields f;
    for (int o : orders) f.blocks.push_back({flags, o, {}});
    return HarmonicsRecord(f);
}

std::string WriteSurvey(const TempProgDir& dir, const std::string& name, const std::map<int, std::string>& files)
{
    SurveyFixture survey;
    survey.dataFiles = files;
    return WriteSurveyFile(dir / name, survey);
}
}  // namespace

TEST(SummarySurvey, MeasuresThatCanBeSummarised)
{
    TempProgDir dir;
    ScriptedMessages messages;
    WriteDataFile(dir / "s.vme", {TrendRecord(1, {.flags = 8})});  // percentiles only
    WriteDataFile(dir / "s.hze", {TrendRecord(2, {.period = 10})});
    WriteDataFile(dir / "s.une", {TrendRecord(3, {.flags = 2})});
    WriteDataFile(dir / "s.hme", {Harmonics({0, 2, 3, 5, 7})});
    WriteDataFile(dir / "s.fle", {FlickerRecord({.flags = 0, .mode = 2})});
    const std::string path = WriteSurvey(dir, "s.orv", {{1, "s.vme"}, {2, "s.hze"}, {3, "s.une"}, {4, "s.hme"},
                                                         {5, "s.fle"}, {6, "missing.ale"}, {7, "s.wme"}});
    SurveyLines lines = *LoadSurveyLines(path);
    TSurveySelection selection;
    TSummaryParams params;
    SetDefaultSummaryParams(params);
    const unsigned usable = LoadSummarySurvey(path, lines, selection, params);
    // Voltage lacks minimum, average and maximum: not offered, but its file stays named.
    EXPECT_EQ(usable, 0b011110u);
    EXPECT_EQ(DataFileLine(lines, 1), "s.vme");
    EXPECT_EQ(selection.File(1).RecordCount, 1);
    EXPECT_EQ(DataFileLine(lines, 6), "");  // missing: the measure is gone
    EXPECT_EQ(selection.File(7).FileName, "");  // beyond the summary's measures: not read
    EXPECT_EQ(selection.Name, "s.orv");
    // The frequency file counts its period of 10 in minutes: 600 seconds.
    EXPECT_EQ(selection.File(2).Rate, 600);
    EXPECT_EQ(SelectedOrders(params), (std::vector<int>{0, 2, 3, 5, 7}));
    EXPECT_EQ(params.HarmonicOrders[3], 5);
    EXPECT_TRUE(messages.messages.empty());
}

TEST(SummarySurvey, HarmonicsNeedAveragesInEveryBlock)
{
    TempProgDir dir;
    TSummaryParams params;
    TMeasureFileInfo info;
    HarmonicsRecordFields f;
    f.blocks = {{2, 0, {}}, {4, 3, {}}};
    const std::string path = WriteDataFile(dir / "h.hme", {HarmonicsRecord(f)});
    EXPECT_EQ(ReadSummaryMeasureInfo(path, 4, info, params), std::optional<bool>(false));
    // The fundamental is kept as found: no box can clear it.
    const std::string with1 = WriteDataFile(dir / "f.hme", {Harmonics({0, 1, 2})});
    EXPECT_EQ(ReadSummaryMeasureInfo(with1, 4, info, params), std::optional<bool>(true));
    EXPECT_EQ(SelectedOrders(params), (std::vector<int>{0, 1, 2}));
}

TEST(SummarySurvey, FrequencyCountedInSecondsKeepsItsRate)
{
    TempProgDir dir;
    TSummaryParams params;
    TMeasureFileInfo info;
    const std::string path = WriteDataFile(dir / "s.hze", {TrendRecord(2, {.time = {2024, 3, 15, 10, 0, 30}, .period = 600})});
    EXPECT_EQ(ReadSummaryMeasureInfo(path, 2, info, params), std::optional<bool>(true));
    EXPECT_EQ(info.Rate, 600);
}

TEST(SummarySurvey, ANewSurveyClearsTheLastOnesHarmonics)
{
    TempProgDir dir;
    WriteDataFile(dir / "a.hme", {Harmonics({0, 3, 5, 7, 9})});
    WriteDataFile(dir / "b.hme", {Harmonics({0, 2})});
    const std::string a = WriteSurvey(dir, "a.orv", {{4, "a.hme"}});
    const std::string b = WriteSurvey(dir, "b.orv", {{4, "b.hme"}});
    TSurveySelection selection;
    TSummaryParams params;
    SurveyLines lines = *LoadSurveyLines(a);
    LoadSummarySurvey(a, lines, selection, params);
    lines = *LoadSurveyLines(b);
    LoadSummarySurvey(b, lines, selection, params);
    EXPECT_EQ(SelectedOrders(params), (std::vector<int>{0, 2}));
    EXPECT_EQ(params.HarmonicOrders[2], 0);
}
