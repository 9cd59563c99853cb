// The limits record and .lim files: offsets, defaults, round trip, and the files refused.
#include "analysis/limits_file.h"

#include "fixtures/data_fixture.h"
#include "fixtures/report_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

namespace {
// A record whose every field differs from the defaults and from its neighbours.
TLimitsRecord DistinctLimits()
{
    TLimitsRecord r;
    r.VLow = 7.5f, r.VHigh = 8.25f, r.VPerc = 90;
    r.VRapid = 1, r.VOver = 2, r.VUnder = 3, r.VDepth = 4;
    r.VLow2 = 12.5f, r.VHigh2 = 11.5f, r.VPerc2 = 99;
    r.HzLow1 = 0.5f, r.HzHigh1 = 0.75f, r.HzPerc1 = 98.5f;
    r.HzLow2 = 5.5f, r.HzHigh2 = 3.5f, r.HzPerc2 = 99.75f;
    r.HzOver = 6, r.HzUnder = 7;
    r.UnbHigh = 1.5f, r.UnbPerc = 94, r.UnbOver = 8;
    for (std::size_t i = 0; i < r.HHigh.size(); ++i) {
        r.HHigh[i] = 0.25f * static_cast<float>(i + 1);
        r.HPerc[i] = static_cast<std::int16_t>(50 + i);
    }
    r.HOver = 9;
    r.FlkHigh = 1.25f, r.FlkPerc = 93, r.FlkOver = 9999;
    return r;
}

Bytes Packed(const TLimitsRecord& r, LimitsLayout layout = LimitsLayout::Current)
{
    ByteWriter out;
    r.Pack(out, layout);
    return out.Take();
}
}  // namespace

TEST(LimitsRecord, DefaultsSitAtTheirFileOffsets)
{
    const Bytes bytes = Packed(DefaultLimits());
    ASSERT_EQ(bytes.size(), 380u);
    FieldView f(bytes);
    EXPECT_EQ(f.F32(0), 10.0f);     // VLow
    EXPECT_EQ(f.F32(4), 10.0f);     // VHigh
    EXPECT_EQ(f.I16(8), 95);        // VPerc
    EXPECT_EQ(f.I16(10), 5);        // VRapid
    EXPECT_EQ(f.I16(16), 5);        // VDepth
    EXPECT_EQ(f.F32(18), 15.0f);    // VLow2
    EXPECT_EQ(f.F32(22), 10.0f);    // VHigh2
    EXPECT_EQ(f.I16(26), 100);      // VPerc2
    EXPECT_EQ(f.F32(28), 1.0f);     // HzLow1
    EXPECT_EQ(f.F32(36), 99.5f);    // HzPerc1
    EXPECT_EQ(f.F32(40), 6.0f);     // HzLow2
    EXPECT_EQ(f.F32(44), 4.0f);     // HzHigh2
    EXPECT_EQ(f.F32(48), 100.0f);   // HzPerc2
    EXPECT_EQ(f.I16(52), 5);        // HzOver
    EXPECT_EQ(f.F32(56), 2.0f);     // UnbHigh
    EXPECT_EQ(f.I16(60), 95);       // UnbPerc
    EXPECT_EQ(f.F32(64), 8.0f);     // HHigh[0], THD
    EXPECT_EQ(f.F32(68), 100.0f);   // HHigh[1], the fundamental
    EXPECT_EQ(f.F32(72), 2.0f);     // HHigh[2]
    EXPECT_EQ(f.F32(164), 1.5f);    // HHigh[25]
    EXPECT_EQ(f.F32(168), 5.0f);    // HHigh[26]
    EXPECT_EQ(f.F32(264), 5.0f);    // HHigh[50]
    EXPECT_EQ(f.I16(268), 95);      // HPerc[0]
    EXPECT_EQ(f.I16(368), 95);      // HPerc[50]
    EXPECT_EQ(f.I16(370), 5);       // HOver
    EXPECT_EQ(f.F32(372), 1.0f);    // FlkHigh
    EXPECT_EQ(f.I16(376), 95);      // FlkPerc
    EXPECT_EQ(f.I16(378), 5);       // FlkOver
    EXPECT_TRUE(f.Ok());
}

TEST(LimitsRecord, BothLayoutsMatchTheFieldByFieldBuilder)
{
    const TLimitsRecord r = DistinctLimits();
    EXPECT_EQ(Packed(r), LimitsRecordBytes(r));
    const Bytes shorter = Packed(r, LimitsLayout::WithoutSecondLimits);
    EXPECT_EQ(shorter.size(), 370u);
    EXPECT_EQ(shorter, LimitsRecordBytes(r, false));
    ByteReader in(shorter);
    TLimitsRecord back = TLimitsRecord::Unpack(in, LimitsLayout::WithoutSecondLimits);
    EXPECT_EQ(back.VLow2, 0.0f);
    EXPECT_EQ(back.VHigh2, 0.0f);
    EXPECT_EQ(back.VPerc2, 0);
    back.VLow2 = r.VLow2, back.VHigh2 = r.VHigh2, back.VPerc2 = r.VPerc2;
    EXPECT_EQ(back, r);
}

TEST(LimitsFile, SavedFileLoadsBackEveryField)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string path = dir / "site.lim";
    ASSERT_TRUE(SaveLimitsFile(path, DistinctLimits()));
    EXPECT_EQ(*ReadWholeFile(path), LimitsRecordBytes(DistinctLimits()));
    TLimitsRecord loaded = DefaultLimits();
    ASSERT_TRUE(LoadLimitsFile(path, loaded));
    EXPECT_EQ(loaded, DistinctLimits());  // VLow2, VHigh2 and VPerc2 too
    EXPECT_TRUE(messages.messages.empty());
}

// A file has no header: any file of at least one record loads its first 380 bytes, whatever
// follows them; a shorter one is refused.
TEST(LimitsFile, FirstRecordOfALongEnoughFileLoadsAndAShorterFileIsRefused)
{
    TempProgDir dir;
    const Bytes good = LimitsRecordBytes(DistinctLimits());
    struct Case {
        const char* name;
        std::size_t size;
        bool accepted;
    } cases[] = {{"empty", 0, false},           {"one byte short", 379, false}, {"old layout", 370, false},
                 {"one record", 380, true},     {"one byte long", 381, true},   {"long", 4096, true}};
    for (const auto& c : cases) {
        ScriptedMessages messages;
        Bytes bytes = good;
        bytes.resize(c.size, 0xFF);  // what follows the record could not be read as limits
        const std::string path = WriteBytes(dir / "site.lim", bytes);
        TLimitsRecord limits = DefaultLimits();
        EXPECT_EQ(LoadLimitsFile(path, limits), c.accepted) << c.name;
        EXPECT_EQ(limits, c.accepted ? DistinctLimits() : DefaultLimits()) << c.name;
        if (c.accepted) {
            EXPECT_TRUE(messages.messages.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(messages.messages.size(), 1u) << c.name;
        EXPECT_EQ(messages.messages[0].type, MsgType::Error);
        EXPECT_NE(messages.messages[0].text.find(path), std::string::npos) << c.name;
        EXPECT_NE(messages.messages[0].text.find(std::to_string(c.size) + " bytes"), std::string::npos) << c.name;
    }
    ScriptedMessages messages;
    TLimitsRecord limits = DefaultLimits();
    EXPECT_FALSE(LoadLimitsFile(dir / "missing.lim", limits));
    EXPECT_EQ(limits, DefaultLimits());
    EXPECT_EQ(messages.messages.size(), 1u);
}

TEST(LimitsFile, ValuesTheEnginesCannotUseAreRefused)
{
    TempProgDir dir;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        const char* name;
        std::function<void(TLimitsRecord&)> change;
        bool accepted;
        const char* field;
    } cases[] = {
        {"percentile 100", [](TLimitsRecord& r) { r.VPerc = 100; }, true, ""},
        {"percentile 0", [](TLimitsRecord& r) { r.VPerc = 0; }, false, "VPerc"},
        {"percentile 101", [](TLimitsRecord& r) { r.UnbPerc = 101; }, false, "UnbPerc"},
        {"harmonic percentile 0", [](TLimitsRecord& r) { r.HPerc[3] = 0; }, false, "HPerc[3]"},
        {"frequency percentile 0.5", [](TLimitsRecord& r) { r.HzPerc1 = 0.5f; }, false, "HzPerc1"},
        {"frequency percentile 100", [](TLimitsRecord& r) { r.HzPerc2 = 100; }, true, ""},
        {"second percentile 0", [](TLimitsRecord& r) { r.VPerc2 = 0; }, true, ""},
        {"second percentile 101", [](TLimitsRecord& r) { r.VPerc2 = 101; }, false, "VPerc2"},
        {"voltage limit 100.5", [](TLimitsRecord& r) { r.VHigh = 100.5f; }, false, "VHigh"},
        {"voltage limit NaN", [nan](TLimitsRecord& r) { r.VLow = nan; }, false, "VLow"},
        {"flicker limit -1", [](TLimitsRecord& r) { r.FlkHigh = -1; }, false, "FlkHigh"},
        {"events 0 and 9999", [](TLimitsRecord& r) { r.VOver = 0, r.HOver = 9999; }, true, ""},
        {"events 10000", [](TLimitsRecord& r) { r.HzUnder = 10000; }, false, "HzUnder"},
        {"events -1", [](TLimitsRecord& r) { r.VDepth = -1; }, false, "VDepth"},
        {"fundamental never judged", [](TLimitsRecord& r) { r.HHigh[1] = 500, r.HPerc[1] = 0; }, true, ""},
        // Each range's ends beside the values just outside them.
        {"percentiles 1", [](TLimitsRecord& r) { r.VPerc = r.UnbPerc = r.FlkPerc = r.HPerc[50] = 1; }, true, ""},
        {"frequency percentiles 1", [](TLimitsRecord& r) { r.HzPerc1 = r.HzPerc2 = 1; }, true, ""},
        {"second percentile 100", [](TLimitsRecord& r) { r.VPerc2 = 100; }, true, ""},
        {"limits 0", [](TLimitsRecord& r) {
             r.VLow = r.VHigh = r.VLow2 = r.VHigh2 = r.HzLow1 = r.HzHigh2 = r.UnbHigh = r.HHigh[0] = r.FlkHigh = 0;
         }, true, ""},
        {"limits 100", [](TLimitsRecord& r) {
             r.VLow = r.VHigh = r.VLow2 = r.VHigh2 = r.HzLow1 = r.HzHigh2 = r.UnbHigh = r.HHigh[50] = r.FlkHigh = 100;
         }, true, ""},
        {"harmonic limit 100.5", [](TLimitsRecord& r) { r.HHigh[50] = 100.5f; }, false, "HHigh[50]"},
        {"flicker limit 100.5", [](TLimitsRecord& r) { r.FlkHigh = 100.5f; }, false, "FlkHigh"},
        {"frequency limit below 0", [](TLimitsRecord& r) { r.HzHigh1 = -0.01f; }, false, "HzHigh1"},
    };
    for (const auto& c : cases) {
        ScriptedMessages messages;
        TLimitsRecord written = DefaultLimits();
        c.change(written);
        const std::string path = WriteBytes(dir / "values.lim", LimitsRecordBytes(written));
        TLimitsRecord limits = DistinctLimits();
        EXPECT_EQ(LoadLimitsFile(path, limits), c.accepted) << c.name;
        if (c.accepted) {
            EXPECT_TRUE(messages.messages.empty()) << c.name;
            continue;
        }
        EXPECT_EQ(limits, DistinctLimits()) << c.name;
        ASSERT_EQ(messages.messages.size(), 1u) << c.name;
        EXPECT_NE(messages.messages[0].text.find(std::string(c.field) + " ("), std::string::npos)
            << c.name << ": " << messages.messages[0].text;
    }
}

TEST(LimitsFile, FailedSaveIsReported)
{
    TempProgDir dir;
    ScriptedMessages messages;
    EXPECT_FALSE(SaveLimitsFile(dir / "no-such-folder/site.lim", DefaultLimits()));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Unable to save the Limits file " + (dir / "no-such-folder/site.lim") + "."});
}
