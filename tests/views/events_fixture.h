// A survey of an events file and, when given, a samples file of captures, in a temporary program
// folder, selected over an interval as the survey wizard would: what the events list tests open.
#pragma once

#include "fixtures/data_fixture.h"
#include "fixtures/samples_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"
#include "survey/records.h"

#include <functional>
#include <string>
#include <vector>

// A time of 15/03/2024.
FixtureStamp EventAt(int hour, int minute, int second = 0, int hundredths = 0);
double EventTime(int hour, int minute, int second = 0, int hundredths = 0);
EventRecordFields Event(int type, int channel, FixtureStamp time, float threshold = 0, float peak = 0, int duration = 0);
// A one-voltage capture taken at `time`.
SamplesRecordFields Capture(FixtureStamp time, std::uint8_t content = 0);

// `count` L1 over-voltages a second apart from 10:00 of 15/03/2024 (`patch` may change each
// record), written into `dir` and selected over 10:00 to 23:00.
TSurveySelection LongEventsSelection(const TempProgDir& dir, std::int64_t count,
                                     const std::function<void(std::int64_t, std::uint8_t*)>& patch = {});

struct EventsSurvey {
    TempProgDir dir;
    ScriptedMessages messages;
    TSurveySelection selection;
    std::string eventsPath, samplesPath;

    // The events (and captures) of 15/03/2024, selected over 10:00 to the end of 11:59.
    explicit EventsSurvey(const std::vector<EventRecordFields>& events,
                          const std::vector<SamplesRecordFields>& captures = {});
    // Events written as they are given, already as records.
    explicit EventsSurvey(const std::vector<Bytes>& records, const std::vector<SamplesRecordFields>& captures = {});
    void SetInterval(double start, double stopMinute);

private:
    void Select(const std::vector<Bytes>& records, const std::vector<SamplesRecordFields>& captures);
};
