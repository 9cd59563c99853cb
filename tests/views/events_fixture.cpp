// The events list tests' survey.
#include "events_fixture.h"

#include "fixtures/selection_fixture.h"
#include "platform/date_time.h"

FixtureStamp EventAt(int hour, int minute, int second, int hundredths)
{
    return {.year = 2024, .month = 3, .day = 15, .hour = hour, .minute = minute, .second = second, .hundredths = hundredths};
}

double EventTime(int hour, int minute, int second, int hundredths)
{
    return FixtureTime(2024, 3, 15, hour, minute, second, hundredths);
}

EventRecordFields Event(int type, int channel, FixtureStamp time, float threshold, float peak, int duration)
{
    return {.type = static_cast<std::int16_t>(type), .threshold = threshold, .time = time, .duration = duration,
            .peak = peak, .channel = static_cast<std::int16_t>(channel)};
}

SamplesRecordFields Capture(FixtureStamp time, std::uint8_t content)
{
    SamplesRecordFields r;
    r.time = time;
    r.content = content;
    return r;
}

TSurveySelection LongEventsSelection(const TempProgDir& dir, std::int64_t count,
                                     const std::function<void(std::int64_t, std::uint8_t*)>& patch)
{
    const std::string path = WriteRecordSeries(dir / "long.ale", MeasureEvents, EventRecord(Event(1, 0, EventAt(10, 0))),
                                               EventTime(10, 0), kOneSecond, count, patch);
    TSurveySelection s;
    SelectMeasureFile(s, MeasureEvents, path);
    ::SetInterval(s, EventTime(10, 0), EventTime(23, 0));
    return s;
}

EventsSurvey::EventsSurvey(const std::vector<EventRecordFields>& events, const std::vector<SamplesRecordFields>& captures)
{
    std::vector<Bytes> records;
    for (const EventRecordFields& e : events) records.push_back(EventRecord(e));
    Select(records, captures);
}

EventsSurvey::EventsSurvey(const std::vector<Bytes>& records, const std::vector<SamplesRecordFields>& captures)
{
    Select(records, captures);
}

void EventsSurvey::Select(const std::vector<Bytes>& records, const std::vector<SamplesRecordFields>& captures)
{
    selection.Name = "test.orv";
    selection.Description = "Feeder 3";
    selection.Site = "Substation";
    selection.Operator = "A. Engineer";
    eventsPath = WriteDataFile(dir / "test.ale", records);
    SelectMeasureFile(selection, MeasureEvents, eventsPath);
    if (!captures.empty()) {
        samplesPath = WriteSamplesFile(dir / "test.tme", 12, captures);
        SelectMeasureFile(selection, MeasureSamples, samplesPath);
    }
    SetInterval(EventTime(10, 0), EventTime(11, 59));
}

void EventsSurvey::SetInterval(double start, double stopMinute) { ::SetInterval(selection, start, stopMinute); }
