// Repository import: table lengths, byte-exact and ring-wrapped sections, malformed files.
#include "survey/intake/repository_import.h"

#include "fixtures/archive_fixture.h"
#include "fixtures/samples_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "survey/records.h"

#include <gtest/gtest.h>

namespace {
FixtureStamp At(int hour, int minute, int second = 0, int hundredths = 0)
{
    FixtureStamp s;
    s.hour = hour, s.minute = minute, s.second = second, s.hundredths = hundredths;
    return s;
}

Bytes Voltage(std::vector<FixtureStamp> times, int measure = MeasureVoltage)
{
    std::vector<Bytes> records;
    float v = 1;
    for (auto t : times) {
        TrendRecordFields r;
        r.time = t;
        r.phases = {{.values = {v, v, v}}};
        v += 1;
        records.push_back(TrendRecord(measure, r));
    }
    return DataFileBytes(records);
}

Bytes Events(std::vector<FixtureStamp> times)
{
    std::vector<Bytes> records;
    std::int16_t type = 1;
    for (auto t : times) records.push_back(EventRecord({.type = type++, .time = t}));
    return DataFileBytes(records);
}

Bytes SamplesRec(FixtureStamp t, std::uint32_t length)
{
    SamplesRecordFields r;
    r.time = t;
    r.length = length;
    return SamplesRecord(4, r);
}

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

Bytes Slice(const Bytes& b, std::size_t from, std::size_t count)
{
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from), b.begin() + static_cast<std::ptrdiff_t>(from + count));
}

class RepositoryImportTest : public ::testing::Test {
protected:
    void SetUp() override { CreateProgramFolders(); }
    std::optional<std::uint16_t> Import(const Bytes& repository)
    {
        return ImportRepository(WriteBytes(dir / "archive.rpy", repository));
    }
    std::optional<Bytes> Temp(const char* name) { return ReadWholeFile(DataDir() + name); }

    TempProgDir dir;
    ScriptedMessages msgs;
};

TEST_F(RepositoryImportTest, EachTableLengthCopiesItsSectionsByteExact)
{
    const Bytes vm = Voltage({At(10, 0), At(10, 1)});
    const Bytes al = Events({At(10, 0, 5, 20)});
    const Bytes en = DataFileBytes({EnergyRecord({.time = At(10, 15)})});
    struct Case {
        int entries;
        std::map<int, Bytes> sections;
        std::uint16_t mask;
    };
    const Case cases[] = {
        {6, {{1, vm}, {6, al}}, 0x21},
        {8, {{6, al}, {7, vm}}, 0x60},  // no voltage: the table length is the events entry
        {9, {{1, vm}}, 0x01},
        {14, {{1, vm}, {6, al}, {10, en}}, 0x221},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entries);
        for (const char* name : {"vm.tmp", "al.tmp", "wm.tmp", "en.tmp"}) DeleteFile(DataDir() + name);
        std::map<int, Bytes> sections = c.sections;
        if (c.entries == 8) sections[7] = DataFileBytes({PowerRecord({.time = At(10, 0)})});
        auto mask = Import(RepositoryBytes(c.entries, sections));
        ASSERT_TRUE(mask);
        EXPECT_EQ(*mask, c.mask);
        for (const auto& [k, bytes] : sections) {
            const char* temp = k == 1 ? "vm.tmp" : k == 6 ? "al.tmp" : k == 7 ? "wm.tmp" : "en.tmp";
            EXPECT_EQ(Temp(temp), bytes) << temp;
        }
    }
    EXPECT_TRUE(msgs.messages.empty());
}

TEST_F(RepositoryImportTest, TwentyFourByteTableHoldsMeasuresOneToSixOnly)
{
    // The bytes from 24 on are the voltage section's; read as entries 7 to 14 they would be offsets.
    const Bytes vm = Voltage({At(10, 0), At(10, 1), At(10, 2)});
    auto mask = Import(RepositoryBytes(6, {{1, vm}}));
    ASSERT_TRUE(mask);
    EXPECT_EQ(*mask, 0x01);
    EXPECT_EQ(Temp("vm.tmp"), vm);
}

TEST_F(RepositoryImportTest, WrappedVoltageSectionIsOrderedOldestFirst)
{
    const Bytes ordered = Voltage({At(10, 1), At(10, 2), At(10, 3), At(10, 4)});
    const std::size_t size = (ordered.size() - 8) / 4;
    // The ring as stored: 10:03, 10:04, 10:01, 10:02 under the same header.
    const Bytes ring = Concat({Slice(ordered, 0, 8), Slice(ordered, 8 + 2 * size, 2 * size), Slice(ordered, 8, 2 * size)});
    ASSERT_TRUE(Import(RepositoryBytes(9, {{1, ring}})));
    EXPECT_EQ(Temp("vm.tmp"), ordered);
}

TEST_F(RepositoryImportTest, WrapWithinOneMinuteIsFoundBySeconds)
{
    // Frequency records every 15 s: the minute alone does not show the wrap.
    const Bytes ordered = Voltage({At(10, 1, 0), At(10, 1, 15), At(10, 1, 30), At(10, 1, 45)}, MeasureFrequency);
    const std::size_t size = (ordered.size() - 8) / 4;
    const Bytes ring = Concat({Slice(ordered, 0, 8), Slice(ordered, 8 + 3 * size, size), Slice(ordered, 8, 3 * size)});
    ASSERT_TRUE(Import(RepositoryBytes(6, {{2, ring}})));
    EXPECT_EQ(Temp("hz.tmp"), ordered);
}

TEST_F(RepositoryImportTest, WrappedEventsSectionIsOrderedByHundredths)
{
    const Bytes ordered = Events({At(9, 0, 0, 10), At(9, 0, 0, 20), At(9, 0, 0, 30)});
    const Bytes ring = Concat({Slice(ordered, 0, 8), Slice(ordered, 8 + 24, 48), Slice(ordered, 8, 24)});
    ASSERT_TRUE(Import(RepositoryBytes(6, {{6, ring}})));
    EXPECT_EQ(Temp("al.tmp"), ordered);
}

TEST_F(RepositoryImportTest, WrappedSamplesSectionKeepsItsHeaderAndFindsTheWrapAnywhere)
{
    const Bytes r1 = SamplesRec(At(10, 1), 100), r2 = SamplesRec(At(10, 2), 120), r3 = SamplesRec(At(10, 3), 80),
                r4 = SamplesRec(At(10, 4), 90);
    // The second record is newer than the first: the wrap is at the third.
    const Bytes ring = SamplesFileBytes(4, {r3, r4, r1, r2});
    ASSERT_TRUE(Import(RepositoryBytes(9, {{1, Voltage({At(10, 0)})}, {8, ring}})));
    EXPECT_EQ(Temp("tr.tmp"), Concat({Slice(ring, 0, 9), r1, r2, r3, r4}));
}

TEST_F(RepositoryImportTest, UnwrappedSamplesSectionIsCopiedAsItStands)
{
    const Bytes samples = SamplesFileBytes(4, {SamplesRec(At(10, 1), 100), SamplesRec(At(10, 2), 70)});
    ASSERT_TRUE(Import(RepositoryBytes(8, {{8, samples}})));
    EXPECT_EQ(Temp("tr.tmp"), samples);
}

TEST_F(RepositoryImportTest, MalformedFilesAreRefusedAndWriteNothing)
{
    const Bytes vm = Voltage({At(10, 0), At(10, 1)});
    Bytes shortened = vm;
    shortened.resize(vm.size() - 10);  // the header says more than the section holds
    Bytes noRecords = Voltage({});
    Bytes badChain = SamplesFileBytes(4, {SamplesRec(At(10, 1), 100)});
    StoreU32(badChain.data() + 9, 5000);  // a record longer than the section
    const std::uint32_t vmAt = RepositorySectionOffset(9, {{1, vm}, {6, vm}}, 1);
    struct Case {
        const char* name;
        Bytes repository;
    };
    const Case cases[] = {
        {"shorter than a table", Bytes(20, 0)},
        {"all entries zero", Bytes(80, 0)},
        {"no valid table length", RepositoryBytes(9, {{1, vm}}, {{1, 40}})},
        {"offset past the end", RepositoryBytes(9, {{1, vm}}, {{2, 100000}})},
        {"offset inside the table", RepositoryBytes(9, {{1, vm}, {6, vm}}, {{6, 12}})},
        {"sections out of order", RepositoryBytes(9, {{1, vm}, {6, vm}}, {{6, vmAt}, {1, 36}})},
        {"section shorter than its header says", RepositoryBytes(6, {{1, shortened}})},
        {"record count 0", RepositoryBytes(6, {{1, noRecords}})},
        {"samples records running past the section", RepositoryBytes(8, {{8, badChain}})},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        msgs.Clear();
        EXPECT_FALSE(Import(c.repository));
        ASSERT_EQ(msgs.messages.size(), 1u);
        EXPECT_EQ(msgs.messages[0].text, kInvalidRepositoryMessage);
        EXPECT_EQ(msgs.messages[0].type, MsgType::Error);
        EXPECT_FALSE(FileExists(DataDir() + "vm.tmp"));
        EXPECT_FALSE(FileExists(DataDir() + "tr.tmp"));
    }
}
}  // namespace
