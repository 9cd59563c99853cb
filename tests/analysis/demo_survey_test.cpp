// The demonstration survey every window is looked at on: each measure's file passes the data
// files' one gate, the measures the analysis judges can be analysed, and the default analysis
// parameters pass their check over its week.
#include "analysis/analysis_check.h"
#include "analysis/analysis_measure_info.h"

#include "fixtures/data_fixture.h"
#include "fixtures/demo_survey.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/date_time.h"
#include "platform/scripted_messages.h"
#include "survey/measure_file_info.h"

#include <gtest/gtest.h>

TEST(DemoSurvey, HoldsEveryMeasureForAWeekAndTheDefaultAnalysisMayRun)
{
    TempProgDir dir;
    ScriptedMessages messages;
    ASSERT_FALSE(WriteDemoSurvey(dir.Path()).empty());
    const char* exts[] = {".vme", ".hze", ".une", ".hme", ".fle", ".ale", ".wme", ".tme", ".hmi", ".ene"};
    TSurveySelection selection;
    selection.Start = FixtureTime(2024, 3, 15, 0, 0);
    selection.Stop = FixtureTime(2024, 3, 21, 23, 59, 59, 999);
    std::int16_t frequencyFlag = 0;
    for (int k = 1; k <= 10; ++k) {
        TMeasureFileInfo& info = selection.File(k);
        const std::string path = dir / (std::string("demo") + exts[k - 1]);
        if (k > 6) {
            EXPECT_TRUE(ReadMeasureFileInfo(path, k, info)) << k;
            continue;
        }
        const auto read = ReadAnalysisMeasureInfo(path, k, info);
        ASSERT_TRUE(read.has_value()) << k;
        EXPECT_TRUE(read->Usable) << k;
        if (k == 2) frequencyFlag = read->FrequencyFlagWord;
        info.Selected = true;
    }
    EXPECT_TRUE(messages.messages.empty());
    // Ten-minute records over seven days, an hour missing from the voltage at noon each day.
    EXPECT_EQ(selection.File(1).RecordCount, 7 * (144 - 6));
    for (int k : {2, 3, 4, 5, 7, 9, 10}) EXPECT_EQ(selection.File(k).RecordCount, 7 * 144) << k;
    EXPECT_EQ(selection.File(1).Rate, 10);
    EXPECT_EQ(selection.File(2).Rate, 600);  // seconds, as the flag word says
    EXPECT_NE(frequencyFlag, 0);
    EXPECT_EQ(DecodeDateTime(selection.File(2).FirstTime), (DateTimeParts{2024, 3, 15, 0, 0, 30, 0}));
    EXPECT_EQ(DecodeDateTime(selection.File(5).LastTime), (DateTimeParts{2024, 3, 21, 23, 50, 0, 0}));
    // Events of the whole week, with hundredths (decoded as that many milliseconds); waveforms
    // at some of them.
    EXPECT_EQ(DecodeDateTime(selection.File(6).FirstTime), (DateTimeParts{2024, 3, 15, 2, 13, 7, 45}));
    EXPECT_EQ(DecodeDateTime(selection.File(6).LastTime), (DateTimeParts{2024, 3, 21, 21, 12, 21, 12}));
    EXPECT_EQ(selection.File(8).RecordCount, 6);
    EXPECT_EQ(selection.File(8).FirstTime, selection.File(6).FirstTime);

    TAnalysisParams params;
    SetDefaultAnalysisParams(params);
    const TAnalysisCheck check = CheckAnalysisParams(params, selection, frequencyFlag);
    EXPECT_EQ(check.Outcome, AnalysisCheckOutcome::Pass) << check.Message;
}
