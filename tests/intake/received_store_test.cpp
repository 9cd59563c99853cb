// Save wizard engine: new survey layout, appends, compatibility refusals, skips and failures
// that must leave the survey and the received data as they were.
#include "survey/intake/received_store.h"

#include "fixtures/data_fixture.h"
#include "fixtures/samples_fixture.h"
#include "fixtures/survey_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "survey/intake/append_checks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>

namespace {
FixtureStamp At(int hour, int minute, int second = 0)
{
    FixtureStamp s;
    s.hour = hour, s.minute = minute, s.second = second;
    return s;
}

// A record of the measure at a time, with the head changed by `edit`.
using RecordMaker = std::function<Bytes(FixtureStamp)>;

RecordMaker VoltageRecords(std::function<void(TrendRecordFields&)> edit = {}, int measure = MeasureVoltage)
{
    return [=](FixtureStamp t) {
        TrendRecordFields r;
        r.time = t;
        if (edit) edit(r);
        return TrendRecord(measure, r);
    };
}

// Records written by `write` from `base` stamped at the time, changed by `edit`.
template <typename Fields>
RecordMaker Records(Bytes (*write)(const Fields&), std::function<void(Fields&)> edit, Fields base = {})
{
    return [=](FixtureStamp t) {
        Fields r = base;
        r.time = t;
        if (edit) edit(r);
        return write(r);
    };
}

Bytes FileOf(const RecordMaker& make, std::vector<FixtureStamp> times)
{
    std::vector<Bytes> records;
    for (auto t : times) records.push_back(make(t));
    return DataFileBytes(records);
}

class ReceivedStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateProgramFolders();
        CreateFolder(dir / "surveys");
    }
    std::string Survey(const char* name) { return dir / (std::string("surveys/") + name); }
    void Receive(int k, const Bytes& bytes) { WriteBytes(TempFileName(k), bytes); }
    Bytes Read(const std::string& path) { return ReadWholeFile(path).value_or(Bytes{}); }
    // An 18-line survey "FEED.orv" holding a voltage file from 10:00 to 10:10.
    std::string ExistingSurvey(const Bytes& voltage, int layout = 18)
    {
        WriteBytes(Survey("FEED.vme"), voltage);
        return WriteSurveyFile(Survey("FEED.orv"), {.layout = layout, .dataFiles = {{1, "FEED.vme"}}});
    }

    TempProgDir dir;
    ScriptedMessages msgs;
    const Bytes oldVoltage = FileOf(VoltageRecords(), {At(10, 0), At(10, 10)});
    const Bytes newVoltage = FileOf(VoltageRecords(), {At(11, 0), At(11, 5)});
};

TEST_F(ReceivedStoreTest, NewSurveyNamesItsDataFilesOnTheirLines)
{
    const Bytes events = DataFileBytes({EventRecord({.time = At(10, 2)})});
    Receive(MeasureVoltage, newVoltage);
    Receive(MeasureEvents, events);
    const std::string path = Survey("SITE1.orv");

    ASSERT_TRUE(CreateSurvey(path, 0x21, {"Feeder", "Site", "Me"}));
    auto lines = LoadSurveyLines(path);
    ASSERT_TRUE(lines);
    SurveyLines expected(18);
    expected[0] = "Tarn - Zidevid Phase Monitor Survey file with Powers and Currents";
    expected[1] = "SITE1.vme";
    expected[6] = "SITE1.ale";
    expected[15] = "Feeder", expected[16] = "Site", expected[17] = "Me";
    EXPECT_EQ(*lines, expected);
    EXPECT_EQ(Read(Survey("SITE1.vme")), newVoltage);
    EXPECT_EQ(Read(Survey("SITE1.ale")), events);
    EXPECT_FALSE(FileExists(TempFileName(MeasureVoltage)));
    EXPECT_FALSE(FileExists(TempFileName(MeasureEvents)));
}

TEST_F(ReceivedStoreTest, NewSurveyAsksBeforeReplacingADataFileItsNameTakes)
{
    struct Case {
        const char* name;
        bool replacingSite1;  // SITE1.orv exists and names SITE1.vme: the user agreed to replace it
        MsgButton answer;
        bool replaced;
    };
    const Case cases[] = {
        {"another survey's file kept", false, MbNo, false},
        {"another survey's file replaced", false, MbYes, true},
        {"the replaced survey's own file", true, MbNo, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        msgs.Clear();
        DeleteFile(Survey("SITE1.orv"));
        WriteBytes(Survey("SITE1.vme"), oldVoltage);
        WriteSurveyFile(Survey("OTHER.orv"), {.dataFiles = {{1, "SITE1.vme"}}});
        if (c.replacingSite1) WriteSurveyFile(Survey("SITE1.orv"), {.dataFiles = {{1, "SITE1.vme"}}});
        Receive(MeasureVoltage, newVoltage);
        msgs.AnswerNext(c.answer);

        EXPECT_EQ(CreateSurvey(Survey("SITE1.orv"), 0x01, {}), c.replaced);
        EXPECT_EQ(msgs.Shown("The data file SITE1.vme already exists.\nDo you want to replace it?"), !c.replacingSite1);
        EXPECT_EQ(Read(Survey("SITE1.vme")), c.replaced ? newVoltage : oldVoltage);
        EXPECT_EQ(FileExists(Survey("SITE1.orv")), c.replaced || c.replacingSite1);
        EXPECT_EQ(FileExists(TempFileName(MeasureVoltage)), !c.replaced);
    }
}

TEST_F(ReceivedStoreTest, AppendJoinsRecordsAndAddsNewMeasures)
{
    const std::string path = ExistingSurvey(oldVoltage);
    const Bytes events = DataFileBytes({EventRecord({.time = At(11, 2)})});
    Receive(MeasureVoltage, newVoltage);
    Receive(MeasureEvents, events);
    auto lines = *LoadSurveyLines(path);

    ASSERT_TRUE(AppendToSurvey(path, lines, 0x21));
    EXPECT_EQ(Read(Survey("FEED.vme")), FileOf(VoltageRecords(), {At(10, 0), At(10, 10), At(11, 0), At(11, 5)}));
    EXPECT_EQ(Read(Survey("FEED.ale")), events);
    EXPECT_EQ(LoadSurveyLines(path)->at(6), "FEED.ale");
    EXPECT_EQ(LoadSurveyLines(path)->size(), 18u);
    EXPECT_TRUE(msgs.messages.empty());
}

TEST_F(ReceivedStoreTest, SamplesAppendKeepsTypeAndSumsTheHeader)
{
    const Bytes r1 = SamplesRecord(6, {.time = At(10, 0)}), r2 = SamplesRecord(6, {.time = At(11, 0), .length = 400});
    WriteBytes(Survey("FEED.tme"), SamplesFileBytes(6, {r1}));
    const std::string path = WriteSurveyFile(Survey("FEED.orv"), {.dataFiles = {{8, "FEED.tme"}}});
    Receive(MeasureSamples, SamplesFileBytes(6, {r2}));
    auto lines = *LoadSurveyLines(path);
    ASSERT_TRUE(AppendToSurvey(path, lines, 0x80));
    EXPECT_EQ(Read(Survey("FEED.tme")), SamplesFileBytes(6, {r1, r2}));
}

TEST_F(ReceivedStoreTest, AppendGoesToTheFileTheSurveyNames)
{
    WriteBytes(Survey("OLDNAME.vme"), oldVoltage);
    const std::string path = WriteSurveyFile(Survey("FEED.orv"), {.dataFiles = {{1, "OLDNAME.vme"}}});
    Receive(MeasureVoltage, newVoltage);
    auto lines = *LoadSurveyLines(path);
    ASSERT_TRUE(AppendToSurvey(path, lines, 0x01));
    EXPECT_EQ(Read(Survey("OLDNAME.vme")).size(), oldVoltage.size() + newVoltage.size() - 8);
    EXPECT_FALSE(FileExists(Survey("FEED.vme")));
}

TEST_F(ReceivedStoreTest, EnergyOntoThirteenLineSurveyUpgradesItFirst)
{
    const std::string path = ExistingSurvey(oldVoltage, 13);
    const Bytes energy = DataFileBytes({EnergyRecord({.time = At(11, 0)})});
    Receive(MeasureEnergy, energy);
    auto lines = *LoadSurveyLines(path);
    ASSERT_TRUE(AppendToSurvey(path, lines, 0x200));
    auto saved = *LoadSurveyLines(path);
    ASSERT_EQ(saved.size(), 18u);
    EXPECT_EQ(saved[10], "FEED.ene");
    EXPECT_EQ(saved[15], "Feeder 3");  // the description was line 10
    EXPECT_EQ(Read(Survey("FEED.ene")), energy);
}

struct Refusal {
    const char* name;
    int measure;
    Bytes existing, received;
    std::string message;
};

std::vector<Refusal> Refusals()
{
    auto prefix = [](const char* m) { return std::string("Error during append of ") + m + " data file.\n"; };
    const HarmonicsRecordFields twoBlocks{.blocks = {{.flags = 2, .order = 0}, {.flags = 2, .order = 3}}};
    auto harmonics = [&](std::function<void(HarmonicsRecordFields&)> edit) { return Records(HarmonicsRecord, edit, twoBlocks); };
    auto flicker = [](std::function<void(FlickerRecordFields&)> edit) { return Records(FlickerRecord, edit); };
    auto power = [](std::function<void(PowerRecordFields&)> edit) { return Records(PowerRecord, edit); };
    auto energy = [](std::function<void(EnergyRecordFields&)> edit) { return Records(EnergyRecord, edit); };
    const std::vector<FixtureStamp> before = {At(10, 0), At(10, 10)}, after = {At(11, 0), At(11, 5)};
    auto pair = [&](const RecordMaker& e, const RecordMaker& r) { return std::pair(FileOf(e, before), FileOf(r, after)); };
    std::vector<Refusal> cases;
    auto add = [&](const char* name, int k, std::pair<Bytes, Bytes> files, const char* measure, std::string_view reason) {
        cases.push_back({name, k, files.first, files.second, prefix(measure) + std::string(reason)});
    };
    const auto plain = VoltageRecords();
    add("voltage flags", 1, pair(plain, VoltageRecords([](auto& r) { r.flags = 2 | 4; })), "Voltage", kIncompatibleReason);
    add("voltage wiring", 1, pair(plain, VoltageRecords([](auto& r) { r.wiring = 1; })), "Voltage", kWiringReason);
    // Overlapping: received starts before the existing file ends (the first record is older).
    add("voltage overlap", 1, {FileOf(plain, before), FileOf(plain, {At(10, 5), At(11, 0)})}, "Voltage", kNotNewerReason);
    // Same flags and wiring, longer records (as from another firmware): still not one file.
    const RecordMaker padded = [plain](FixtureStamp t) {
        Bytes r = plain(t);
        r.resize(r.size() + 2);
        return r;
    };
    add("voltage record size", 1, pair(plain, padded), "Voltage", kIncompatibleReason);
    add("frequency flags", 2,
        pair(VoltageRecords({}, MeasureFrequency), VoltageRecords([](auto& r) { r.flags = 2 | 16; }, MeasureFrequency)),
        "Frequency", kIncompatibleReason);
    add("harmonics wiring", 4, pair(harmonics({}), harmonics([](auto& r) { r.wiring = 1; })), "Voltage Harmonics", kWiringReason);
    add("harmonics count", 4, pair(harmonics({}), harmonics([](auto& r) { r.blocks.pop_back(); })), "Voltage Harmonics",
        kHarmonicCountReason);
    add("harmonics orders", 4, pair(harmonics({}), harmonics([](auto& r) { r.blocks[1].order = 5; })), "Voltage Harmonics",
        kHarmonicsReason);
    add("harmonics flags", 4, pair(harmonics({}), harmonics([](auto& r) { r.blocks[1].flags = 2 | 4; })),
        "Voltage Harmonics", kIncompatibleReason);
    add("flicker flags", 5, pair(flicker({}), flicker([](auto& r) { r.flags = 1; })), "Flicker", kIncompatibleReason);
    add("flicker mode", 5, pair(flicker({}), flicker([](auto& r) { r.mode = 2; })), "Flicker", kIncompatibleReason);
    add("flicker wiring", 5, pair(flicker({}), flicker([](auto& r) { r.wiring = 1; })), "Flicker", kWiringReason);
    add("events not newer", 6,
        {DataFileBytes({EventRecord({.time = At(10, 0)}), EventRecord({.time = At(11, 0)})}),
         DataFileBytes({EventRecord({.time = At(11, 0)})})},
        "Events", kNotNewerReason);
    const CurrentHarmonicsRecordFields twoCurrentBlocks{.blocks = {{.index = 2}, {.index = 4}}};
    auto currents = [&](std::function<void(CurrentHarmonicsRecordFields&)> edit) {
        return Records(CurrentHarmonicsRecord, edit, twoCurrentBlocks);
    };
    add("current harmonics wiring", 9, pair(currents({}), currents([](auto& r) { r.wiring = 1; })), "Current Harmonics",
        kWiringReason);
    add("current harmonics count", 9, pair(currents({}), currents([](auto& r) { r.blocks.pop_back(); })),
        "Current Harmonics", kHarmonicCountReason);
    add("current harmonics orders", 9, pair(currents({}), currents([](auto& r) { r.blocks[1].index = 5; })),
        "Current Harmonics", kHarmonicsReason);
    add("current harmonics flags", 9, pair(currents({}), currents([](auto& r) { r.blocks[0].flags = 2 | 4; })),
        "Current Harmonics", kIncompatibleReason);
    add("power flags", 7, pair(power({}), power([](auto& r) { r.flags = 2 | 4; })), "Powers and Currents",
        kIncompatibleReason);
    add("power wiring", 7, pair(power({}), power([](auto& r) { r.wiring = 1; })), "Powers and Currents", kWiringReason);
    add("power current wiring", 7, pair(power({}), power([](auto& r) { r.currentWiring = 1; })), "Powers and Currents",
        kIncompatibleReason);
    add("energy period", 10, pair(energy({}), energy([](auto& r) { r.period = 30; })), "Energy", kIncompatibleReason);
    add("energy per phase", 10, pair(energy({}), energy([](auto& r) { r.perPhase = 0; })), "Energy", kWiringReason);
    auto samples = [](std::uint8_t type, std::vector<FixtureStamp> times) {
        std::vector<Bytes> records;
        for (auto t : times) records.push_back(SamplesRecord(type, {.time = t}));
        return SamplesFileBytes(type, records);
    };
    add("samples type", 8, {samples(4, before), samples(6, after)}, "Voltage Samples", kIncompatibleReason);
    add("samples not newer", 8, {samples(4, before), samples(4, {At(10, 5), At(12, 0)})}, "Voltage Samples",
        kNotNewerReason);
    return cases;
}

TEST_F(ReceivedStoreTest, IncompatibleFilesAreRefusedWithTheirReasonAndNoWritesNothing)
{
    for (const auto& c : Refusals()) {
        SCOPED_TRACE(c.name);
        msgs.Clear();
        const std::string ext = DataFileExt(c.measure);
        WriteBytes(Survey(("FEED" + ext).c_str()), c.existing);
        const std::string path = WriteSurveyFile(Survey("FEED.orv"), {.dataFiles = {{c.measure, "FEED" + ext}}});
        const std::string surveyText = ReadText(path);
        Receive(c.measure, c.received);
        msgs.AnswerNext(MbOk);  // the reason
        msgs.AnswerNext(MbNo);
        auto lines = *LoadSurveyLines(path);

        EXPECT_FALSE(AppendToSurvey(path, lines, static_cast<std::uint16_t>(1u << (c.measure - 1))));
        ASSERT_EQ(msgs.messages.size(), 2u);
        EXPECT_EQ(msgs.messages[0].text, c.message);
        EXPECT_EQ(msgs.messages[0].type, MsgType::Error);
        EXPECT_EQ(msgs.messages[1].text, "Skip this file and continue ?");
        EXPECT_EQ(msgs.messages[1].buttons, MbYesNo);
        EXPECT_EQ(Read(Survey(("FEED" + ext).c_str())), c.existing);
        EXPECT_EQ(ReadText(path), surveyText);
        EXPECT_TRUE(FileExists(TempFileName(c.measure)));
    }
}

TEST_F(ReceivedStoreTest, SkippedMeasureIsLeftOutAndTheOthersAppended)
{
    const std::string path = ExistingSurvey(oldVoltage);
    Receive(MeasureVoltage, FileOf(VoltageRecords([](auto& r) { r.wiring = 1; }), {At(11, 0)}));
    const Bytes events = DataFileBytes({EventRecord({.time = At(11, 2)})});
    Receive(MeasureEvents, events);
    msgs.AnswerNext(MbOk);
    msgs.AnswerNext(MbYes);
    auto lines = *LoadSurveyLines(path);
    ASSERT_TRUE(AppendToSurvey(path, lines, 0x21));
    EXPECT_EQ(Read(Survey("FEED.vme")), oldVoltage);
    EXPECT_EQ(Read(Survey("FEED.ale")), events);
    DeleteTempFiles();
    EXPECT_FALSE(FileExists(TempFileName(MeasureVoltage)));
}

TEST_F(ReceivedStoreTest, AllSkippedIsAFailure)
{
    const std::string path = ExistingSurvey(oldVoltage);
    Receive(MeasureVoltage, oldVoltage);
    msgs.AnswerNext(MbOk);
    msgs.AnswerNext(MbYes);
    auto lines = *LoadSurveyLines(path);
    EXPECT_FALSE(AppendToSurvey(path, lines, 0x01));
    EXPECT_EQ(msgs.messages.back().text, "All the files have been skipped.");
    EXPECT_EQ(msgs.messages.back().type, MsgType::Error);
}

TEST_F(ReceivedStoreTest, FailedCopyLeavesSurveyAndReceivedDataAsTheyWere)
{
    // The events data cannot be stored (its temporary file is gone): nothing may change.
    const std::string path = ExistingSurvey(oldVoltage);
    const std::string surveyText = ReadText(path);
    Receive(MeasureVoltage, newVoltage);
    auto lines = *LoadSurveyLines(path);
    EXPECT_FALSE(AppendToSurvey(path, lines, 0x21));
    EXPECT_EQ(msgs.messages.back().type, MsgType::Error);
    EXPECT_NE(msgs.messages.back().text.find("The received data are kept."), std::string::npos);
    EXPECT_EQ(Read(Survey("FEED.vme")), oldVoltage);
    EXPECT_EQ(ReadText(path), surveyText);
    EXPECT_TRUE(FileExists(TempFileName(MeasureVoltage)));

    msgs.Clear();
    EXPECT_FALSE(CreateSurvey(Survey("NEW.orv"), 0x21, {}));
    EXPECT_FALSE(FileExists(Survey("NEW.orv")));
    EXPECT_FALSE(FileExists(Survey("NEW.vme")));
    EXPECT_TRUE(FileExists(TempFileName(MeasureVoltage)));
    // Nothing staged is left behind.
    EXPECT_EQ(ListFiles(dir / "surveys", "*.new*").size(), 0u);
}

TEST_F(ReceivedStoreTest, MeasureIsNotAppendedToTheFileOfAnotherMeasure)
{
    // Frequency and unbalance records share one layout, so the checks alone cannot tell the files apart.
    const Bytes unbalance = FileOf(VoltageRecords({}, MeasureUnbalance), {At(10, 0), At(10, 10)});
    struct Case {
        const char* name;
        std::map<int, std::string> dataFiles;
        std::uint16_t mask;
    };
    const Case cases[] = {
        {"the frequency file's own name on the unbalance line", {{3, "FEED.hze"}}, 0x02},
        {"one file on two lines", {{2, "FEED.hze"}, {3, "FEED.hze"}}, 0x06},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        msgs.Clear();
        WriteBytes(Survey("FEED.hze"), unbalance);
        const std::string path = WriteSurveyFile(Survey("FEED.orv"), {.dataFiles = c.dataFiles});
        const std::string surveyText = ReadText(path);
        Receive(MeasureFrequency, FileOf(VoltageRecords({}, MeasureFrequency), {At(11, 0)}));
        Receive(MeasureUnbalance, FileOf(VoltageRecords({}, MeasureUnbalance), {At(11, 0)}));
        auto lines = *LoadSurveyLines(path);

        EXPECT_FALSE(AppendToSurvey(path, lines, c.mask));
        ASSERT_FALSE(msgs.messages.empty());
        EXPECT_EQ(msgs.messages.back().text, "Unable to append the Frequency data: FEED.hze is the Unbalance data file.");
        EXPECT_EQ(msgs.messages.back().type, MsgType::Error);
        EXPECT_EQ(Read(Survey("FEED.hze")), unbalance);
        EXPECT_EQ(ReadText(path), surveyText);
        EXPECT_TRUE(FileExists(TempFileName(MeasureFrequency)));
    }
}

// A folder where a data or survey file should go: its rename fails, as on a write error.
void BlockWith(const std::string& path)
{
    CreateFolder(path);
    WriteBytes(path + "/keep", Bytes{1});
}

TEST_F(ReceivedStoreTest, FailedRenameOrSurveySaveLeavesEveryFileAsItWas)
{
    struct Case {
        const char* name;
        int layout;           // of the existing survey FEED.orv (0: a new survey NEW.orv)
        std::uint16_t mask;
        const char* blocked;  // the file whose rename fails
    };
    const Case cases[] = {
        {"events after voltage appended", 18, 0x21, "FEED.ale"},
        {"energy onto a 13-line survey", 13, 0x201, "FEED.ene"},
        {"new survey file after its data files", 0, 0x21, "NEW.orv"},
    };
    const Bytes events = DataFileBytes({EventRecord({.time = At(11, 2)})});
    const Bytes energy = DataFileBytes({EnergyRecord({.time = At(11, 0)})});
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        msgs.Clear();
        const std::string path = c.layout ? ExistingSurvey(oldVoltage, c.layout) : Survey("NEW.orv");
        const std::string surveyText = c.layout ? ReadText(path) : "";
        Receive(MeasureVoltage, newVoltage);
        Receive(MeasureEvents, events);
        Receive(MeasureEnergy, energy);
        BlockWith(Survey(c.blocked));
        auto lines = c.layout ? *LoadSurveyLines(path) : SurveyLines{};

        EXPECT_FALSE(c.layout ? AppendToSurvey(path, lines, c.mask) : CreateSurvey(path, c.mask, {}));
        EXPECT_NE(msgs.messages.back().text.find("The received data are kept."), std::string::npos);
        if (c.layout) {
            EXPECT_EQ(Read(Survey("FEED.vme")), oldVoltage);
            EXPECT_EQ(ReadText(path), surveyText);
        } else {
            EXPECT_FALSE(FileExists(Survey("NEW.vme")));
        }
        EXPECT_FALSE(FileExists(Survey("FEED.ale")) || FileExists(Survey("NEW.ale")));
        EXPECT_TRUE(FileExists(TempFileName(MeasureVoltage)));
        EXPECT_TRUE(FileExists(TempFileName(MeasureEvents)));
        // Nothing staged or kept aside is left behind.
        EXPECT_EQ(ListFiles(dir / "surveys", "*.*.*").size(), 0u);
        std::filesystem::remove_all(Survey(c.blocked));
    }
}

TEST(SurveyPath, ExtensionBecomesOrv)
{
    EXPECT_EQ(SurveyPathFor("/d/SITE1.orv"), "/d/SITE1.orv");
    EXPECT_EQ(SurveyPathFor("/d/SITE1.ORV"), "/d/SITE1.ORV");
    EXPECT_EQ(SurveyPathFor("/d/SITE1.vme"), "/d/SITE1.orv");
    EXPECT_EQ(SurveyPathFor("/d/SITE1"), "/d/SITE1.orv");
}
}  // namespace
