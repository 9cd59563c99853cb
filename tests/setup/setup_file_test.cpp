// The .cfg record and file: defaults, the layout at the file's offsets, the sizes older software
// wrote, the header check, the year rule and saving.
#include "fixtures/setup_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "setup/setup_file.h"
#include "survey/text_tables.h"

#include <gtest/gtest.h>

namespace {
TSetupRecord Read(const std::string& path)
{
    std::string error;
    auto setup = ReadSetupFile(path, &error);
    EXPECT_TRUE(setup) << error;
    return setup.value_or(TSetupRecord{});
}
}  // namespace

TEST(SetupRecord, NewSetupHasTheDefaults)
{
    const TSetupRecord s = DefaultSetup();
    EXPECT_TRUE(IsSetupHeader(s.Header));
    EXPECT_FLOAT_EQ(s.VNom, 230.0f);
    EXPECT_FLOAT_EQ(s.VLow, 10.0f);
    EXPECT_FLOAT_EQ(s.VHigh, 10.0f);
    EXPECT_FLOAT_EQ(s.VDelta, 5.0f);
    EXPECT_FLOAT_EQ(s.HzLow, 1.0f);
    EXPECT_FLOAT_EQ(s.HzHigh, 1.0f);
    EXPECT_FLOAT_EQ(s.FlkHigh, 1.0f);
    EXPECT_EQ(s.FlkPlt, 10);
    EXPECT_FLOAT_EQ(s.UnbHigh, 10.0f);
    for (std::int16_t period : {s.VPeriod, s.HzPeriod, s.FlkPeriod, s.UnbPeriod, s.HPeriod, s.WPeriod, s.HiPeriod})
        EXPECT_EQ(period, 2);
    EXPECT_EQ(s.StartDate.Day, 255);
    EXPECT_EQ(s.StopDate.Day, 255);
    EXPECT_EQ(s.HHigh, DefaultHarmonicLimits);
    EXPECT_EQ(s.HiHigh, DefaultCurrentHarmonicLimits);
    EXPECT_FLOAT_EQ(s.HiHigh[0], 8.0f);
    EXPECT_FLOAT_EQ(s.HiHigh[1], 0.0f);
    EXPECT_FLOAT_EQ(s.HiHigh[3], 2.0f);  // order 2
    EXPECT_EQ(s.VFlags | s.HzFlags | s.FlkFlags | s.UnbFlags | s.WFlags, 0);
    EXPECT_EQ(s.HGlobal | s.HiGlobal, 0);
    EXPECT_EQ(s.Pack().size(), 553u);
}

// Fields at the offsets of the file, written by the fixture without the program's packing.
TEST(SetupRecord, FieldsSitAtTheirOffsets)
{
    TempProgDir dir;
    SetupImage image;
    image.F32(62, 400.0f).U16(66, 1).Time(68, 10, 15, 30).Date(72, 5, 1, 3).Time(76, 23, 59).Date(80, 6, 2, 4);
    image.U16(87, 3).F32(89, 7.5f).F32(97, 2.5f).U16(101, 5).U16(103, 0xC0FF).F32(109, 3.0f).U16(115, 0x41);
    image.F32(117, 1.5f).U16(121, 1).U16(123, 1500).U16(125, 0x1F).F32(127, 2.0f).U16(133, 0x7F);
    image.U16(135, 4).U16(137, 1).F32(139, 6.0f).F32(139 + 4 * 25, 0.25f).U16(243, 0x7F).U16(243 + 2 * 50, 3);
    image.U8(345, 1).U16(347, 1).U16(349, 1).F32(351, 1000.0f).F32(363, 50.0f).U16(367, 3).U16(369, 1);
    image.U16(371, 0x1FF).U16(379, 0).F32(381, 9.0f).F32(381 + 4 * 26, 0.75f).U16(489, 7).U16(489 + 2 * 26, 5);
    image.U8(543, 1).F32(545, 1000.0f);
    const TSetupRecord s = Read(image.Write(dir / "all.cfg"));
    EXPECT_FLOAT_EQ(s.VNom, 400.0f);
    EXPECT_EQ(s.Wiring, 1);
    EXPECT_EQ(s.StartTime.Minute, 15);
    EXPECT_EQ(s.StartTime.Hour, 10);
    EXPECT_EQ(s.StartTime.Second, 30);
    EXPECT_EQ(s.StartDate.Year, 2005);
    EXPECT_EQ(s.StartDate.Day, 1);
    EXPECT_EQ(s.StartDate.Month, 3);
    EXPECT_EQ(s.StopTime.Hour, 23);
    EXPECT_EQ(s.StopDate.Month, 4);
    EXPECT_EQ(s.Printer, 3);
    EXPECT_FLOAT_EQ(s.VLow, 7.5f);
    EXPECT_FLOAT_EQ(s.VDelta, 2.5f);
    EXPECT_EQ(s.VPeriod, 5);
    EXPECT_EQ(s.VFlags, 0xC0FF);
    EXPECT_FLOAT_EQ(s.HzHigh, 3.0f);
    EXPECT_EQ(s.HzFlags, 0x41);
    EXPECT_FLOAT_EQ(s.FlkHigh, 1.5f);
    EXPECT_EQ(s.FlkPeriod, 1);
    EXPECT_EQ(s.FlkPlt, 1500);
    EXPECT_EQ(s.FlkFlags, 0x1F);
    EXPECT_FLOAT_EQ(s.UnbHigh, 2.0f);
    EXPECT_EQ(s.UnbFlags, 0x7F);
    EXPECT_EQ(s.HPeriod, 4);
    EXPECT_EQ(s.HMode, 1);
    EXPECT_FLOAT_EQ(s.HHigh[0], 6.0f);
    EXPECT_FLOAT_EQ(s.HHigh[25], 0.25f);
    EXPECT_EQ(s.HFlags[0], 0x7F);
    EXPECT_EQ(s.HFlags[50], 3);
    EXPECT_EQ(s.HGlobal, 1);
    EXPECT_EQ(s.Frequency, 1);
    EXPECT_EQ(s.MeterMode, 1);
    EXPECT_FLOAT_EQ(s.WHigh[0], 1000.0f);
    EXPECT_FLOAT_EQ(s.WHigh[3], 50.0f);
    EXPECT_EQ(s.WPeriod, 3);
    EXPECT_EQ(s.WCurrent, 1);
    EXPECT_EQ(s.WFlags, 0x1FF);
    EXPECT_FLOAT_EQ(s.HiHigh[0], 9.0f);
    EXPECT_FLOAT_EQ(s.HiHigh[26], 0.75f);
    EXPECT_EQ(s.HiFlags[0], 7);
    EXPECT_EQ(s.HiFlags[26], 5);
    EXPECT_EQ(s.HiGlobal, 1);
    EXPECT_FLOAT_EQ(s.HiThreshold, 1000.0f);
}

// A file is read as far as the known size it reaches: fields past it are 0, and a file without
// the current harmonics (shorter than 533 bytes) gets their defaults.
TEST(SetupFile, ReadsTheKnownSizes)
{
    struct Case {
        std::size_t size;
        bool hasApparentPower;  // offset 359
        bool hasLastCurrentSwitches;  // offsets 533 to 552
        bool currentDefaults;
    };
    const Case cases[] = {
        {359, false, false, true}, {400, false, false, true}, {532, false, false, true},
        {533, true, false, false}, {552, true, false, false}, {553, true, true, false}, {600, true, true, false},
    };
    TempProgDir dir;
    SetupImage image;
    image.F32(355, 11.0f).F32(359, 22.0f).F32(363, 33.0f).U16(379, 4).F32(381, 1.0f).U16(489, 7);
    image.U16(489 + 2 * 22, 5).U16(489 + 2 * 26, 6).U8(543, 1).F32(545, 12.5f);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        std::vector<std::uint8_t> bytes = image.Bytes();
        bytes.resize(c.size, 0xEE);
        const std::string path = dir.Write("size.cfg", std::string(bytes.begin(), bytes.end()));
        const TSetupRecord s = Read(path);
        EXPECT_FLOAT_EQ(s.WHigh[1], 11.0f);
        EXPECT_FLOAT_EQ(s.WHigh[2], c.hasApparentPower ? 22.0f : 0.0f);
        EXPECT_FLOAT_EQ(s.WHigh[3], c.hasApparentPower ? 33.0f : 0.0f);
        EXPECT_EQ(s.HiFlags[22], c.hasLastCurrentSwitches ? 5 : 0);
        EXPECT_EQ(s.HiFlags[26], c.hasLastCurrentSwitches ? 6 : 0);
        EXPECT_EQ(s.HiGlobal, c.hasLastCurrentSwitches ? 1 : 0);
        EXPECT_FLOAT_EQ(s.HiThreshold, c.hasLastCurrentSwitches ? 12.5f : 0.0f);
        if (c.currentDefaults) {
            EXPECT_EQ(s.HiPeriod, 2);
            EXPECT_EQ(s.HiHigh, DefaultCurrentHarmonicLimits);
            EXPECT_EQ(s.HiFlags[0], 0);
        } else {
            EXPECT_EQ(s.HiPeriod, 4);
            EXPECT_FLOAT_EQ(s.HiHigh[0], 1.0f);
            EXPECT_EQ(s.HiFlags[0], 7);
        }
    }
}

TEST(SetupFile, RefusesWhatIsNoSetupFile)
{
    TempProgDir dir;
    SetupImage image;
    std::vector<std::uint8_t> noZero = image.Bytes();
    std::fill(noZero.begin() + 50, noZero.begin() + 60, 'x');  // the header text runs on
    std::vector<std::uint8_t> otherText = image.Bytes();
    otherText[0] = 't';
    std::vector<std::uint8_t> withoutEof = image.Bytes();
    withoutEof[49] = 0;  // the text lacks its byte 26
    const struct {
        const char* name;
        std::vector<std::uint8_t> bytes;
    } cases[] = {
        {"empty", {}},
        {"header only", {image.Bytes().begin(), image.Bytes().begin() + 60}},
        {"358 bytes", {image.Bytes().begin(), image.Bytes().begin() + 358}},
        {"header runs on", noZero},
        {"other text", otherText},
        {"text cut short", withoutEof},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::string error;
        EXPECT_FALSE(ReadSetupFile(dir.Write("bad.cfg", std::string(c.bytes.begin(), c.bytes.end())), &error));
        EXPECT_EQ(error, "Invalid ORV Setup file format.");
    }
    std::string error;
    EXPECT_FALSE(ReadSetupFile(dir / "missing.cfg", &error));
    EXPECT_EQ(error, "Unable to open the setup file " + (dir / "missing.cfg") + ".");
}

TEST(SetupFile, YearsBecomeFourDigits)
{
    const std::pair<std::uint16_t, std::uint16_t> cases[] = {
        {0, 2000}, {5, 2005}, {94, 2094}, {95, 1995}, {99, 1999}, {100, 100}, {2005, 2005}};
    TempProgDir dir;
    for (auto [stored, shown] : cases) {
        SCOPED_TRACE(stored);
        SetupImage image;
        image.Date(72, stored, 1, 3).Date(80, stored, 2, 3);
        const TSetupRecord s = Read(image.Write(dir / "year.cfg"));
        EXPECT_EQ(s.StartDate.Year, shown);
        EXPECT_EQ(s.StopDate.Year, shown);
    }
    TSetupRecord s = DefaultSetup();
    s.StartDate = {2005, 1, 3};
    s.StopDate = {1999, 255, 0};
    ASSERT_TRUE(WriteSetupFile(dir / "out.cfg", s, nullptr));
    const std::vector<std::uint8_t> bytes = FileBytes(dir / "out.cfg");
    ASSERT_EQ(bytes.size(), 553u);
    EXPECT_EQ(bytes[72], 5);
    EXPECT_EQ(bytes[73], 0);
    EXPECT_EQ(bytes[74], 1);
    EXPECT_EQ(bytes[75], 3);
    EXPECT_EQ(bytes[80], 99);
    EXPECT_EQ(bytes[82], 255);

    // Two digits hold 1995 to 2094: the years beyond would come back as others, and are refused
    // with nothing written (the stop date, not set, keeps no year).
    for (const auto& [year, stored] : {std::pair{1995, true}, std::pair{2094, true}, std::pair{1994, false}, std::pair{2095, false}}) {
        SCOPED_TRACE(year);
        DeleteFile(dir / "edge.cfg");
        s.StartDate.Year = static_cast<std::uint16_t>(year);
        std::string error;
        EXPECT_EQ(WriteSetupFile(dir / "edge.cfg", s, &error), stored);
        EXPECT_EQ(FileExists(dir / "edge.cfg"), stored);
        if (stored) {
            EXPECT_EQ(Read(dir / "edge.cfg").StartDate.Year, year);
        } else {
            EXPECT_EQ(error, "The year " + std::to_string(year) + " cannot be stored in a setup file, which holds the years 1995 to 2094.");
        }
    }
}

// Save wrote only 533 bytes, so the last current harmonic switches, their global enable and
// the threshold were lost at the next opening. Every save writes the whole record.
TEST(SetupFile, SaveKeepsTheCurrentHarmonicTail)
{
    TempProgDir dir;
    SetupImage image;
    image.U16(489 + 2 * 22, 5).U16(489 + 2 * 26, 6).U8(543, 1).F32(545, 12.5f).Date(72, 5, 1, 3);
    // Reserved bytes and the bytes after the header's text stay as read; offset 373 is cleared.
    image.U8(55, 'k').U8(60, 9).U8(84, 8).U8(346, 7).U16(373, 0xBEEF).U8(375, 6).U8(544, 5).U8(552, 4);
    const TSetupRecord s = Read(image.Write(dir / "in.cfg"));
    ASSERT_TRUE(WriteSetupFile(dir / "out.cfg", s, nullptr));
    std::vector<std::uint8_t> expected = image.Bytes();
    expected[373] = expected[374] = 0;
    EXPECT_EQ(FileBytes(dir / "out.cfg"), expected);
    const TSetupRecord again = Read(dir / "out.cfg");
    EXPECT_EQ(again.HiFlags[22], 5);
    EXPECT_EQ(again.HiFlags[26], 6);
    EXPECT_EQ(again.HiGlobal, 1);
    EXPECT_FLOAT_EQ(again.HiThreshold, 12.5f);
}

TEST(SetupFile, FailedWriteIsReported)
{
    TempProgDir dir;
    std::string error;
    EXPECT_FALSE(WriteSetupFile(dir / "no/such/folder/x.cfg", DefaultSetup(), &error));
    EXPECT_EQ(error, "Unable to write the setup file " + (dir / "no/such/folder/x.cfg") + ".");
}

// Every cut and any byte changed: the file is read or refused, never read past its end.
TEST(SetupFile, SurvivesTruncationsAndByteChanges)
{
    TempProgDir dir;
    const std::vector<std::uint8_t> whole = SetupImage().U16(123, 10).Bytes();
    for (std::size_t size : {0, 1, 49, 50, 51, 59, 60, 61, 200, 358, 359, 360, 532, 533, 534, 552, 553}) {
        const std::string path = dir.Write("cut.cfg", std::string(whole.begin(), whole.begin() + static_cast<long>(size)));
        EXPECT_EQ(ReadSetupFile(path, nullptr).has_value(), size >= 359) << size;
    }
    std::uint32_t seed = 7;
    for (int round = 0; round < 60; ++round) {
        std::vector<std::uint8_t> bytes = whole;
        for (int k = 0; k < 8; ++k) {
            seed = seed * 1664525u + 1013904223u;
            bytes[(seed >> 8) % bytes.size()] = static_cast<std::uint8_t>(seed >> 24);
        }
        const std::string path = dir.Write("changed.cfg", std::string(bytes.begin(), bytes.end()));
        EXPECT_EQ(ReadSetupFile(path, nullptr).has_value(), IsSetupHeader(bytes)) << round;
    }
}
