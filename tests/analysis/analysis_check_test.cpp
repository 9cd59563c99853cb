// The analysis parameter check over a table of surveys: the interval, the data's duration and
// the recording rates.
#include "analysis/analysis_check.h"

#include "fixtures/data_fixture.h"
#include "platform/scripted_messages.h"

#include <gtest/gtest.h>

#include <functional>

namespace {
double March(int day, int hour = 0, int minute = 0, int second = 0, int ms = 0)
{
    return FixtureTime(2024, 3, day, hour, minute, second, ms);
}

// An interval of the 15th to the 21st (seven days); voltage, frequency, unbalance, harmonics,
// flicker and events recorded every 10 minutes over all of it, voltage selected.
TSurveySelection Week()
{
    TSurveySelection s;
    s.Start = March(15);
    s.Stop = March(21, 23, 59, 59, 999);
    for (int k = 1; k <= 6; ++k) {
        TMeasureFileInfo& info = s.File(k);
        info.FirstTime = March(15);
        info.LastTime = March(21, 23, 50);
        info.Rate = 10;
        info.Selected = k == 1;
    }
    return s;
}

TAnalysisParams Params(int windowDays, int periodIndex = 2)
{
    TAnalysisParams p;
    SetDefaultAnalysisParams(p);
    p.WindowDays = static_cast<std::int16_t>(windowDays);
    p.PeriodIndex = static_cast<std::int16_t>(periodIndex);
    return p;
}

const std::string kIntervalShorter = "Analysis Window duration cannot be\nlonger than analysis date Interval.";
std::string Shorter(const std::string& list)
{
    return "The following data archive(s):\n<" + list + ">\nhave duration shorter than selected Window duration.";
}
std::string OtherRate(const std::string& list)
{
    return "The following data archive(s):\n<" + list +
           ">\nhave Rate different than selected Observation Period.\nContinue ?";
}
}  // namespace

TEST(AnalysisCheck, Cases)
{
    using O = AnalysisCheckOutcome;
    struct Case {
        const char* name;
        int windowDays;
        std::function<void(TSurveySelection&)> change;
        O outcome;
        std::string message;
        std::int16_t frequencyFlag = 0;
    } cases[] = {
        {"window of the interval's seven days", 7, [](TSurveySelection&) {}, O::Pass, ""},
        {"one day more", 8, [](TSurveySelection&) {}, O::Refuse, kIntervalShorter},
        {"an interval of an hour across midnight is two days", 2,
         [](TSurveySelection& s) { s.Start = March(15, 23, 30), s.Stop = March(16, 0, 29, 59, 999); }, O::Pass, ""},
        {"three days over that hour", 3,
         [](TSurveySelection& s) { s.Start = March(15, 23, 30), s.Stop = March(16, 0, 29, 59, 999); }, O::Refuse,
         kIntervalShorter},
        {"voltage data from the 17th: five days", 5, [](TSurveySelection& s) { s.File(1).FirstTime = March(17, 8); },
         O::Pass, ""},
        {"six days over five of voltage", 6, [](TSurveySelection& s) { s.File(1).FirstTime = March(17, 8); }, O::Refuse,
         Shorter("Voltage")},
        {"voltage and flicker both short, in measure order", 7,
         [](TSurveySelection& s) {
             s.File(5).Selected = true, s.File(5).LastTime = March(20, 12);
             s.File(2).Selected = true;
             s.File(1).FirstTime = March(16);
         },
         O::Refuse, Shorter("Voltage, Flicker")},
        {"data beyond the interval counts only inside it", 3,
         [](TSurveySelection& s) { s.Start = March(18), s.File(1).FirstTime = March(1), s.File(1).LastTime = March(19); },
         O::Refuse, Shorter("Voltage")},
        {"an unselected short measure is not listed", 7,
         [](TSurveySelection& s) { s.File(3).LastTime = March(15, 12); }, O::Pass, ""},
        {"events are never checked", 7,
         [](TSurveySelection& s) { s.File(6).Selected = true, s.File(6).LastTime = March(15, 1), s.File(6).Rate = 0; },
         O::Pass, ""},
        {"voltage recorded every minute", 7, [](TSurveySelection& s) { s.File(1).Rate = 1; }, O::Ask, OtherRate("Voltage")},
        {"two rates listed", 7,
         [](TSurveySelection& s) { s.File(1).Rate = 1, s.File(4).Selected = true, s.File(4).Rate = 15; }, O::Ask,
         OtherRate("Voltage, Voltage Harmonics")},
        {"frequency in seconds: 600 s is the period", 7,
         [](TSurveySelection& s) { s.File(2).Selected = true, s.File(2).Rate = 600; }, O::Pass, "", 0x0300},
        {"frequency 600 without the seconds flag", 7,
         [](TSurveySelection& s) { s.File(2).Selected = true, s.File(2).Rate = 600; }, O::Ask, OtherRate("Frequency")},
        {"frequency in seconds: 300 s is not the period", 7,
         [](TSurveySelection& s) { s.File(2).Selected = true, s.File(2).Rate = 300; }, O::Ask, OtherRate("Frequency"),
         0x0300},
        // The frequency file's seconds say nothing of the other files' rates.
        {"frequency in seconds does not excuse voltage", 7,
         [](TSurveySelection& s) { s.File(2).Selected = true, s.File(2).Rate = 600, s.File(1).Rate = 1; }, O::Ask,
         OtherRate("Voltage"), 0x0300},
    };
    for (const auto& c : cases) {
        TSurveySelection s = Week();
        c.change(s);
        const TAnalysisCheck check = CheckAnalysisParams(Params(c.windowDays), s, c.frequencyFlag);
        EXPECT_EQ(check.Outcome, c.outcome) << c.name;
        EXPECT_EQ(check.Message, c.message) << c.name;
    }
}

TEST(AnalysisCheck, RateIsComparedWithTheChosenPeriod)
{
    TSurveySelection s = Week();
    s.File(1).Rate = 15;
    EXPECT_EQ(CheckAnalysisParams(Params(7, 3), s, 0).Outcome, AnalysisCheckOutcome::Pass);  // 15 minutes
    EXPECT_EQ(CheckAnalysisParams(Params(7, 2), s, 0).Measures, std::vector<int>{1});
}

TEST(AnalysisCheck, VerdictShowsTheWarningAndTakesTheAnswer)
{
    TSurveySelection s = Week();
    {
        ScriptedMessages messages;
        EXPECT_TRUE(AnalysisCheckVerdict(CheckAnalysisParams(Params(7), s, 0)));
        EXPECT_TRUE(messages.messages.empty());
    }
    {
        ScriptedMessages messages;
        EXPECT_FALSE(AnalysisCheckVerdict(CheckAnalysisParams(Params(8), s, 0)));
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text, kIntervalShorter);
        EXPECT_EQ(messages.messages[0].type, MsgType::Warning);
        EXPECT_EQ(messages.messages[0].buttons, unsigned(MbOk));
    }
    s.File(1).Rate = 1;
    for (MsgButton answer : {MbYes, MbNo}) {
        ScriptedMessages messages;
        messages.AnswerNext(answer);
        EXPECT_EQ(AnalysisCheckVerdict(CheckAnalysisParams(Params(7), s, 0)), answer == MbYes);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text, OtherRate("Voltage"));
        EXPECT_EQ(messages.messages[0].type, MsgType::Warning);
        EXPECT_EQ(messages.messages[0].buttons, unsigned(MbYesNo));
    }
}
