// The texts and colours of event records: the current-harmonic variant, the interruption rule,
// the rows never shown, and a table of records with every text and colour they get.
#include "fixtures/data_fixture.h"
#include "survey/event_texts.h"

#include <gtest/gtest.h>

namespace {
TEventFields Event(int type, int channel, float threshold = 0, float peak = 0, int duration = 0, float current = 0)
{
    return {static_cast<std::int16_t>(type), static_cast<std::int16_t>(channel), threshold, current, peak, duration};
}
}  // namespace

TEST(EventTexts, CurrentHarmonicRecordsReadTheThresholdFieldAsTwoWords)
{
    EventRecordFields r;
    r.type = 1;
    r.channel = 203;
    r.harmonicThreshold = std::array<std::int16_t, 2>{1250, 45};  // 12.5, 4.5 A
    r.peak = 13.25f;
    r.duration = 150;
    const auto e = EventFieldsOf(EventRecord(r));
    ASSERT_TRUE(e.has_value());
    EXPECT_FLOAT_EQ(e->Threshold, 12.5f);
    EXPECT_FLOAT_EQ(e->Current, 4.5f);
    EXPECT_EQ(EventPeakText(*e), "13.25 (4.5A)");
    EXPECT_EQ(EventDurationText(*e), "1.50");

    // Type 32 keeps the float even on a current-harmonic channel.
    r.type = 32;
    r.harmonicThreshold.reset();
    r.threshold = 7.5f;
    EXPECT_FLOAT_EQ(EventFieldsOf(EventRecord(r))->Threshold, 7.5f);
    EXPECT_FALSE(EventFieldsOf(Bytes(23, 0)).has_value());
}

TEST(EventTexts, UnderVoltageWithAPeakAtMostOnePercentOfTheThresholdIsAnInterruption)
{
    struct Case { int type, channel; float threshold, peak; int expected; };
    const Case cases[] = {
        {2, 1, 207, 2.0f, 7},    // 207 / 0.9 x 0.01 = 2.3 >= 2.0
        {2, 1, 207, 2.5f, 2},
        {3, 0, 207, 2.3f, 7},    // equal counts
        {2, 3, 207, 0.0f, 2},    // frequency: not a phase voltage
        {1, 2, 207, 0.0f, 1},    // over-voltage stays
    };
    for (const Case& c : cases) {
        TEventFields e = Event(c.type, c.channel, c.threshold, c.peak);
        ApplyInterruptionRule(e);
        EXPECT_EQ(e.Type, c.expected) << c.type << " " << c.channel << " " << c.peak;
    }
    TEventFields e = Event(2, 1, 207, 2.0f);
    ApplyInterruptionRule(e);
    EXPECT_EQ(EventTypeText(e), "Interruption");
}

TEST(EventTexts, SomeRecordsNeverBecomeRows)
{
    for (int type : {5, 11, 12, 13}) EXPECT_FALSE(EventHasRow(Event(type, 0))) << type;
    for (int channel : {300, 555, 799}) EXPECT_FALSE(EventHasRow(Event(1, channel))) << channel;
    for (int channel : {299, 800}) EXPECT_TRUE(EventHasRow(Event(1, channel))) << channel;
    for (int type : {1, 4, 7, 16, 32}) EXPECT_TRUE(EventHasRow(Event(type, 0))) << type;
}

TEST(EventTexts, EveryTextAndColourOfARecord)
{
    struct Case {
        TEventFields e;
        const char *measure, *type, *unit, *threshold, *peak, *duration;
        int colour;
    };
    const Case cases[] = {
        {Event(1, 0, 253, 260.5f, 1250), "L1 Voltage", "Over", "V", "253", "260.50", "12.50", 12},
        {Event(2, 2, 207.3f, 150), "L3 Voltage", "Under", "V", "207.3", "150.00", "0.00", 12},
        {Event(32, 15, 90, 80), "Voltage", "Under undefined", "%", "90", "80.00", "0", 12},
        {Event(32, 3, 90, 80), "Voltage", "Under not real", "%", "90", "80.00", "0", 12},
        {Event(4, 1, 5, 6), "L2 Voltage", "Fast Variation", "%", "5", "6.00", "0.00", 12},
        {Event(1, 3, 50.5f, 51), "Frequency", "Over", "Hz", "50.50", "51.00", "0.00", 13},
        {Event(1, 4, 2, 3), "Unbalance", "Over", "%", "2", "3.00", "0.00", 6},
        {Event(1, 6, 1, 1.25f), "L2 Flicker", "Over", "p.u.", "1", "1.25", "0.00", 3},
        {Event(1, 8, 253, 260), "L4 Voltage", "Over", "V", "253", "260.00", "0.00", 12},
        {Event(1, 9, 1, 1), "", "Over", " ", "1", "1.00", "0.00", 0},
        {Event(1, 10 + 3 * 5 + 1, 3, 4), "L2 5th(V)", "Over", "%", "3", "4.00", "0.00", 1},
        {Event(1, 10, 8, 9), "L1 Thd(V)", "Over", "%", "8", "9.00", "0.00", 1},
        {Event(1, 150, 1500, 2000), "3Ph. Active Power", "Over", "W", "1.500k", "2000.00", "0.00", 5},
        {Event(1, 154, 100, 120), "L2 Current", "Over", "A", "100", "120.00", "0.00", 9},
        {Event(1, 200, 5, 6, 0, 1.5f), "L1 Thd(A)", "Over", "%", "5", "6.00", "0.00", 2},
        {Event(1, 207, 5, 6, 0, 1.5f), "L2 1st(A)", "Over", "%", "5", "6.00 (1.5A)", "0.00", 2},
        {Event(1, 290, 5, 6, 0, 1.5f), "L1 29th(A)", "Over", " ", "5", "6.00 (1.5A)", "0.00", 0},
        {Event(33, 151, 400, 410), "L2 Voltage", "Peak", "", "400", "410.00", "0.00", 5},
        {Event(33, 170, 400, 410), "", "Peak", "", "400", "410.00", "0.00", 0},
        {Event(34, 155, 40, 41), "L3 Current", "Peak", "", "40", "41.00", "0.00", 9},
        {Event(25, 801, 0, 0), "Digital input #2", "On-Off", "", "0", "0.00", "0.00", 8},
        {Event(24, 815, 0, 0), "Digital input #16", "Off-On", "", "0", "0.00", "0.00", 0},
        {Event(26, 1005, 0, 0), "Multi Phase Voltage L1L3", "Off-On-Off", "V", "0", "0.00", "0.00", 12},
        {Event(2, 1001, 0, 0), "Multi Phase Voltage L1", "Under", " ", "0", "0.00", "0.00", 12},
        {Event(2, 1015, 0, 0), "Multi Phase Voltage L1L2L3L4", "Under", " ", "0", "0.00", "0.00", 0},
        {Event(2, 1000, 0, 0), "L1 330th(V)", "Under", " ", "0", "0.00", "0.00", 12},
        {Event(0, 0, 0, 0), "L1 Voltage", "", "V", "0", "0.00", "0.00", 12},
        {Event(16, -1, 0, 0), "", "", " ", "0", "0.00", "0.00", 0},
    };
    for (const Case& c : cases) {
        const std::string what = std::to_string(c.e.Type) + "/" + std::to_string(c.e.Channel);
        EXPECT_EQ(EventMeasureText(c.e), c.measure) << what;
        EXPECT_EQ(EventTypeText(c.e), c.type) << what;
        EXPECT_EQ(EventUnitText(c.e), c.unit) << what;
        EXPECT_EQ(EventThresholdText(c.e), c.threshold) << what;
        EXPECT_EQ(EventPeakText(c.e), c.peak) << what;
        EXPECT_EQ(EventDurationText(c.e), c.duration) << what;
        EXPECT_EQ(EventColourClass(c.e), c.colour) << what;
    }
    EXPECT_EQ(EventColour(Event(1, 0)), 0xFF0000u);  // Palette16[12], blue as 0x00BBGGRR
}

TEST(EventTexts, DateShowsTheHundredthsAsTwoDigits)
{
    EXPECT_EQ(EventDateText(FixtureTime(2024, 3, 15, 10, 5, 7, 4)), "15/03/2024 10:05:07.04");
    EXPECT_EQ(EventDateText(FixtureTime(2024, 3, 15, 23, 59, 59, 99)), "15/03/2024 23:59:59.99");
}
