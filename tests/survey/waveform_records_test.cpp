// Waveform records: the channel-set tables, a record read and checked whole, the period of a
// time index, and the survey of a samples file.
#include "survey/channel_sets.h"
#include "survey/samples_index.h"
#include "survey/samples_record.h"
#include "survey/samples_survey.h"

#include "fixtures/samples_fixture.h"
#include "fixtures/survey_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "platform/little_endian.h"
#include "platform/scripted_messages.h"
#include "survey/measure_file_info.h"
#include "survey/survey_file.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {
using Trace = TChannelTrace;

TEST(ChannelSets, EachSetMapsItsChannelsToItemsPhasesAndScales)
{
    struct Case {
        std::uint8_t set;
        std::vector<std::string> names;  // after "none"
        std::vector<Trace> traces;       // of record channels 0, 1, ...
        std::vector<int> scales;         // 0-based scale of each channel
    };
    const std::vector<Case> cases = {
        {0, {"Voltage", "Current"}, {{1, 0}, {2, 0}, {1, 1}, {2, 1}, {1, 2}, {2, 2}}, {0, 1, 2, 3, 4, 5}},
        {1, {"Voltage", "Current"}, {{1, 0}, {2, 0}}, {0, 1}},
        {2, {"Voltage"}, {{1, 0}, {1, 1}, {1, 2}}, {0, 2, 4}},
        {3, {"Current"}, {{1, 0}, {1, 1}, {1, 2}}, {1, 3, 5}},
        {4, {"Voltage", "Current", "Aux Current"}, {{1, 0}, {2, 0}, {1, 1}, {2, 1}, {1, 2}, {2, 2}, {3, 0}},
         {0, 1, 2, 3, 4, 5, 6}},
        {5, {"Voltage", "Aux Current"}, {{1, 0}, {1, 1}, {1, 2}, {2, 0}}, {0, 2, 4, 6}},
        {6, {"Current", "Aux Current"}, {{1, 0}, {1, 1}, {1, 2}, {2, 0}}, {1, 3, 5, 6}},
        {7, {"Voltage"}, {{1, 0}}, {0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("set " + std::to_string(c.set));
        std::vector<std::string> names{"none"};
        names.insert(names.end(), c.names.begin(), c.names.end());
        EXPECT_EQ(ChannelSetTraceNames({c.set, 0, 1}), names);
        ASSERT_EQ(ChannelCount(c.set), static_cast<int>(c.traces.size()));
        for (int ch = 0; ch < ChannelCount(c.set); ++ch) {
            const auto i = static_cast<std::size_t>(ch);
            EXPECT_EQ(ChannelSetTrace(c.set, ch), c.traces[i]);
            EXPECT_EQ(ChannelScaleIndex(c.set, ch), c.scales[i]);
            EXPECT_EQ(ChannelOfTrace(c.set, c.traces[i]), ch);
        }
        // Entries past the set's channels are (0, 0) and show nothing.
        EXPECT_EQ(ChannelSetTrace(c.set, ChannelCount(c.set)), Trace{});
        EXPECT_FALSE(ChannelOfTrace(c.set, {1, 3}));
    }
    EXPECT_EQ(ChannelCount(8), 0);
    EXPECT_EQ(ChannelSetTraceNames({8, 0, 1}), std::vector<std::string>{"none"});
}

TEST(ChannelSets, UnitsNamesAndTitlesFollowContentAndAuxSign)
{
    const TChannelSetKey samples{4, 0, 1}, auxVoltage{4, 0, -1}, harmonic{2, 2, 1}, single{7, 2, -1};
    EXPECT_EQ(ChannelUnit(samples, 0), "V");
    EXPECT_EQ(ChannelUnit(samples, 1), "A");
    EXPECT_EQ(ChannelUnit(samples, 6), "A");
    EXPECT_EQ(ChannelUnit(auxVoltage, 6), "V");
    EXPECT_EQ(ChannelUnit(harmonic, 1), "%");
    EXPECT_EQ(ChannelUnit(single, 0), "%");
    EXPECT_EQ(ChannelUnit(samples, 7), "");

    EXPECT_EQ(ChannelName(samples, 3), "L2I");
    EXPECT_EQ(ChannelName(samples, 6), "AuxI");
    EXPECT_EQ(ChannelName(auxVoltage, 6), "AuxV");
    EXPECT_EQ(ChannelName(harmonic, 2), "% 2d Harm.L3");

    EXPECT_EQ(ChannelTitle(samples, 2), "L2 Voltage");
    EXPECT_EQ(ChannelTitle(auxVoltage, 6), "Aux Voltage");
    EXPECT_EQ(ChannelTitle(harmonic, 0), "L1 2d Harmonic");
    EXPECT_EQ(ChannelSetTraceNames(auxVoltage).back(), "Aux Voltage");
    EXPECT_EQ(ChannelOfInput(6, RecorderInput::L2Current), 1);
    EXPECT_FALSE(ChannelOfInput(6, RecorderInput::L2Voltage));
}

SamplesRecordFields Capture(std::uint8_t set, std::uint8_t content = 0)
{
    SamplesRecordFields r;
    r.time = {2024, 3, 15, 10, 0, 30, 50};
    r.channelSet = set;
    r.samplesPerChannel = 3;
    r.content = content;
    r.scales = {1, 2, 3, 4, 5, 6};
    r.seventhScale = -0.5f;
    for (int c = 0; c < SamplesChannelCount(set); ++c) r.samples.push_back({c * 100, -c, 400});
    return r;
}

TEST(SamplesRecord, ChannelValuesUseTheirOwnScale)
{
    TempProgDir dir;
    const std::string path = WriteSamplesFile(dir / "s.tme", 12, {Capture(5)});
    auto r = ReadSamplesRecord(path, 9);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->AuxSign, -1);
    EXPECT_EQ(r->Key().ChannelSet, 5);
    // Set 5: V1, V2, V3 on scales 1, 3, 5 and aux on the seventh.
    EXPECT_EQ(r->ChannelValues(1), (std::vector<double>{300, -3, 1200}));
    EXPECT_EQ(r->ChannelValues(3), (std::vector<double>{150, -1.5, 200}));
    EXPECT_TRUE(r->ChannelValues(4).empty());
}

TEST(SamplesRecord, SecondHarmonicValuesNeverTakeTheRootOfANegativeNumber)
{
    TempProgDir dir;
    const std::string path = WriteSamplesFile(dir / "s.tme", 4, {Capture(7, 2)});
    auto r = ReadSamplesRecord(path, 9);
    ASSERT_TRUE(r);
    const std::vector<double> v = r->ChannelValues(0);  // counts 0, 0, 400 on scale 1
    ASSERT_EQ(v.size(), 3u);
    EXPECT_EQ(v[2], 2.0);
    for (double x : v) EXPECT_FALSE(std::isnan(x));
    SamplesRecordFields negative = Capture(7, 2);
    negative.samples = {{-400, -1, 100}};
    auto n = ReadSamplesRecord(WriteSamplesFile(dir / "n.tme", 4, {negative}), 9);
    ASSERT_TRUE(n);
    EXPECT_EQ(n->ChannelValues(0), (std::vector<double>{0, 0, 1}));
}

// Each refused head beside the smallest or largest head that is still read.
TEST(SamplesRecord, AnUnusableHeadIsRefused)
{
    struct Case {
        const char* name;
        SamplesRecordFields record;
        bool usable;
    };
    auto with = [](auto change) {
        SamplesRecordFields r = Capture(0);
        change(r);
        return r;
    };
    const std::vector<Case> cases = {
        {"no samples", with([](SamplesRecordFields& r) { r.samplesPerChannel = 0; }), false},
        {"one sample", with([](SamplesRecordFields& r) { r.samplesPerChannel = 1; }), true},
        {"channel set outside the tables", with([](SamplesRecordFields& r) { r.channelSet = 8; }), false},
        {"the last channel set of the tables", Capture(7), true},
        {"no time span", with([](SamplesRecordFields& r) { r.preTrigger = 0, r.postTrigger = 0; }), false},
        {"a post-trigger time alone", with([](SamplesRecordFields& r) { r.preTrigger = 0, r.postTrigger = 1; }), true},
        // Six channels of 3 samples need 36 bytes after head and table; the head claims fewer.
        {"channel blocks beyond the record", with([](SamplesRecordFields& r) { r.headLength = 58 + 190 + 30; }), false},
        {"channel blocks ending with the record", with([](SamplesRecordFields& r) { r.headLength = 58 + 190 + 36; }), true},
    };
    TempProgDir dir;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path = WriteSamplesFile(dir / "s.tme", 6, {Capture(0), c.record});
        const std::uint32_t second = static_cast<std::uint32_t>(9 + SamplesRecord(6, Capture(0)).size());
        EXPECT_TRUE(ReadSamplesRecord(path, 9));
        const auto read = ReadSamplesRecord(path, second);
        ASSERT_EQ(read.has_value(), c.usable);
        if (c.usable) {
            EXPECT_EQ(read->ChannelValues(0).size(), c.record.samplesPerChannel);
        }
    }
    // Offsets outside the records.
    const std::string path = WriteSamplesFile(dir / "s.tme", 6, {Capture(0)});
    EXPECT_FALSE(ReadSamplesRecord(path, 0));
    EXPECT_FALSE(ReadSamplesRecord(path, static_cast<std::uint32_t>(*FileSize(path))));
    // The last record cut short: its length runs past the file.
    Bytes cut = *ReadWholeFile(path);
    cut.resize(cut.size() - 10);
    EXPECT_FALSE(ReadSamplesRecord(WriteBytes(dir / "cut.tme", cut), 9));
}

// Index entries at 10:00, 10:10, 10:20 (30 s and 50 hundredths, taken as 50 ms) on 15/03/2024.
std::string ThreeCaptureFile(const TempProgDir& dir)
{
    std::vector<SamplesRecordFields> records;
    for (int minute : {0, 10, 20}) {
        SamplesRecordFields r = Capture(7);
        r.time.minute = minute;
        records.push_back(r);
    }
    return WriteSamplesFile(dir / "s.tme", 4, records);
}

TEST(SamplesIndex, PeriodHoldsTheRecordsInsideItsEnds)
{
    TempProgDir dir;
    const std::string path = ThreeCaptureFile(dir);
    TMeasureFileInfo info;
    ASSERT_TRUE(ReadMeasureFileInfo(path, MeasureSamples, info));
    auto index = BuildSamplesIndexEntries(path);
    ASSERT_TRUE(index);
    auto at = [](int hour, int minute, int second, int ms) { return FixtureTime(2024, 3, 15, hour, minute, second, ms); };
    struct Case {
        const char* name;
        double start, stop;
        std::optional<std::pair<std::int64_t, std::int64_t>> range;
    };
    const std::vector<Case> cases = {
        {"before the records", at(9, 0, 0, 0), at(9, 59, 59, 999), std::nullopt},
        {"after the records", at(10, 21, 0, 0), at(11, 0, 0, 0), std::nullopt},
        {"between two records", at(10, 1, 0, 0), at(10, 9, 59, 999), std::nullopt},
        {"all of them", at(9, 0, 0, 0), at(11, 0, 0, 0), std::pair<std::int64_t, std::int64_t>{0, 2}},
        {"ends on the stamps", at(10, 10, 30, 50), at(10, 20, 30, 50), std::pair<std::int64_t, std::int64_t>{1, 2}},
        {"ends a millisecond inside", at(10, 0, 30, 51), at(10, 20, 30, 49), std::pair<std::int64_t, std::int64_t>{1, 1}},
        {"stop before start", at(10, 20, 0, 0), at(10, 0, 0, 0), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto range = FindIndexEntriesInPeriod(*index, info, c.start, c.stop);
        ASSERT_EQ(range.has_value(), c.range.has_value());
        if (!range) continue;
        EXPECT_EQ(range->First, c.range->first);
        EXPECT_EQ(range->Last, c.range->second);
    }
}

TEST(SamplesSurvey, FillsTheSelectionFromTheSurveyBesideTheSamples)
{
    TempProgDir dir;
    const std::string samples = ThreeCaptureFile(dir);
    // A 10-line survey file is saved as 13 lines first; its name is found ignoring case. An
    // operator line longer than a short string is cut, as for the wizards.
    WriteSurveyFile(dir / "S.ORV", {.layout = 10, .dataFiles = {{1, "s.vme"}}, .op = std::string(300, 'o')});
    TSurveySelection selection;
    selection.Name = "old.orv";
    ScriptedMessages messages;
    ASSERT_TRUE(LoadSurveyForSamples(samples, 100.25, 101.5, selection));
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_EQ(selection.Name, "S.ORV");
    EXPECT_EQ(selection.Description, "Feeder 3");
    EXPECT_EQ(selection.Operator, std::string(255, 'o'));
    EXPECT_EQ(selection.Start, 100.25);
    EXPECT_EQ(selection.Stop, 101.5);
    EXPECT_EQ(selection.File(MeasureSamples).FileName, samples);
    EXPECT_EQ(selection.File(MeasureSamples).RecordCount, 3);
    EXPECT_TRUE(selection.File(1).FileName.empty());
    auto lines = LoadSurveyLines(dir / "S.ORV");
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->size(), 13u);
    EXPECT_EQ((*lines)[0], kSurveyHeader);
}

TEST(SamplesSurvey, ASurveyOrSamplesFileThatDoesNotCheckLeavesTheSelection)
{
    TempProgDir dir;
    const std::string samples = ThreeCaptureFile(dir);
    TSurveySelection selection;
    selection.Name = "old.orv";
    selection.Start = 7;
    const TSurveySelection before = selection;
    {
        ScriptedMessages messages;
        WriteSurveyLines(dir / "s.orv", {"Some other file", "", "", "", "", "", "", "", "", ""});
        EXPECT_FALSE(LoadSurveyForSamples(samples, 1, 2, selection));
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Invalid ORV Survey file format."});
        EXPECT_EQ(ReadText(dir / "s.orv").substr(0, 15), "Some other file");
    }
    {
        ScriptedMessages messages;
        WriteSurveyFile(dir / "s.orv", {});
        Bytes bytes = *ReadWholeFile(samples);
        bytes[9 + 11] = 13;  // the first capture's month
        WriteBytes(samples, bytes);
        EXPECT_FALSE(LoadSurveyForSamples(samples, 1, 2, selection));
        ASSERT_FALSE(messages.Texts().empty());
        EXPECT_EQ(messages.Texts().back(), "Voltage Samples survey is corrupted. Unable to open the file.");
    }
    EXPECT_EQ(selection, before);
}
}  // namespace
