// Survey file: loading, the header check, the three upgrades, the line rules and the writers, and
// the survey record the wizards fill from it.
#include "survey/survey_file.h"

#include "survey/selection_loader.h"

#include "fixtures/survey_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"

#include <gtest/gtest.h>

namespace {
SurveyFixture OldSurvey(int layout)
{
    SurveyFixture s;
    s.layout = layout;
    for (int k = 1; k <= (layout == 10 ? 6 : 9); ++k) s.dataFiles[k] = "site" + std::to_string(k);
    return s;
}

void ExpectEmpty(const SurveyLines& lines, std::size_t from, std::size_t to)
{
    for (std::size_t i = from; i <= to; ++i) EXPECT_EQ(lines[i], "") << "line " << i;
}

void ExpectInfoAt(const SurveyLines& lines, std::size_t first)
{
    EXPECT_EQ(lines[first], "Feeder 3");
    EXPECT_EQ(lines[first + 1], "Substation");
    EXPECT_EQ(lines[first + 2], "A. Engineer");
}
}  // namespace

TEST(SurveyFile, FullUpgradeTurnsTenLinesIntoCurrentLayout)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string path = WriteSurveyFile(dir / "s.orv", OldSurvey(10));
    auto lines = OpenSurveyFile(path, SurveyUpgrade::Full);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 18u);
    EXPECT_EQ((*lines)[0], kSurveyHeader);
    for (int k = 1; k <= 6; ++k) EXPECT_EQ((*lines)[static_cast<std::size_t>(k)], "site" + std::to_string(k));
    ExpectEmpty(*lines, 7, 14);
    ExpectInfoAt(*lines, 15);
    EXPECT_EQ(LoadSurveyLines(path), lines);  // saved in place
    EXPECT_TRUE(messages.messages.empty());
}

TEST(SurveyFile, FullUpgradeOfThirteenLinesKeepsItsHeader)
{
    TempProgDir dir;
    const std::string path = WriteSurveyFile(dir / "s.orv", OldSurvey(13));
    auto lines = OpenSurveyFile(path, SurveyUpgrade::Full);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 18u);
    EXPECT_EQ((*lines)[0], kOldSurveyHeader);
    EXPECT_EQ((*lines)[9], "site9");
    ExpectEmpty(*lines, 10, 14);
    ExpectInfoAt(*lines, 15);
    EXPECT_EQ(LoadSurveyLines(path), lines);
}

TEST(SurveyFile, ShortUpgradeThenFullUpgrade)
{
    TempProgDir dir;
    const std::string path = WriteSurveyFile(dir / "s.orv", OldSurvey(10));
    auto lines = OpenSurveyFile(path, SurveyUpgrade::Short);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 13u);
    EXPECT_EQ((*lines)[0], kSurveyHeader);
    EXPECT_EQ((*lines)[6], "site6");
    ExpectEmpty(*lines, 7, 9);
    ExpectInfoAt(*lines, 10);
    EXPECT_EQ(ReadSurveyInfo(*lines).Site, "Substation");

    lines = OpenSurveyFile(path, SurveyUpgrade::Full);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 18u);
    ExpectEmpty(*lines, 7, 14);
    ExpectInfoAt(*lines, 15);
}

TEST(SurveyFile, TenLineStepLeavesThirteenLinesAlone)
{
    TempProgDir dir;
    const std::string ten = WriteSurveyFile(dir / "ten.orv", OldSurvey(10));
    const std::string thirteen = WriteSurveyFile(dir / "thirteen.orv", OldSurvey(13));
    const std::string before = ReadText(thirteen);
    EXPECT_EQ(OpenSurveyFile(ten, SurveyUpgrade::TenLineStep)->size(), 18u);
    EXPECT_EQ(OpenSurveyFile(thirteen, SurveyUpgrade::TenLineStep)->size(), 13u);
    EXPECT_EQ(ReadText(thirteen), before);
}

TEST(SurveyFile, CurrentLayoutIsNeverRewritten)
{
    TempProgDir dir;
    SurveyFixture s;
    s.dataFiles[9] = "missing.hmi";  // a named data file that does not exist
    const std::string path = WriteSurveyFile(dir / "s.orv", s, /*crlf=*/false);
    const std::string before = ReadText(path);
    for (auto upgrade : {SurveyUpgrade::Full, SurveyUpgrade::Short, SurveyUpgrade::TenLineStep}) {
        auto lines = OpenSurveyFile(path, upgrade);
        ASSERT_TRUE(lines);
        EXPECT_EQ(lines->size(), 18u);
        EXPECT_FALSE(FindSurveyDataFile(path, *lines, 9));
    }
    EXPECT_EQ(ReadText(path), before);
}

TEST(SurveyFile, LfAndCrLfLoadAlike)
{
    TempProgDir dir;
    auto crlf = LoadSurveyLines(WriteSurveyFile(dir / "a.orv", SurveyFixture{}, true));
    auto lf = LoadSurveyLines(WriteSurveyFile(dir / "b.orv", SurveyFixture{}, false));
    ASSERT_TRUE(crlf);
    EXPECT_EQ(crlf->size(), 18u);
    EXPECT_EQ(crlf, lf);
}

TEST(SurveyFile, SavedLinesEndWithCrLf)
{
    TempProgDir dir;
    ASSERT_TRUE(SaveSurveyLines(dir / "s.orv", {"a", "", "b"}));
    EXPECT_EQ(ReadText(dir / "s.orv"), "a\r\n\r\nb\r\n");
    // A break inside a line would add a line and break the layout: refused, file unchanged.
    EXPECT_FALSE(SaveSurveyLines(dir / "s.orv", {"a", "x\ny", "b"}));
    EXPECT_EQ(ReadText(dir / "s.orv"), "a\r\n\r\nb\r\n");
}

TEST(SurveyFile, EditedTextsWithLineBreaksStayOneLineEach)
{
    TempProgDir dir;
    SurveyLines lines = SurveyFixtureLines(SurveyFixture{});
    StoreSurveyInfo(lines, {"Feeder\r\n3", "Sub\nstation", "Op"});
    ASSERT_TRUE(SaveSurveyLines(dir / "s.orv", lines));
    auto loaded = OpenSurveyFile(dir / "s.orv", SurveyUpgrade::Full);
    ASSERT_TRUE(loaded);
    EXPECT_EQ(ReadSurveyInfo(*loaded), (TSurveyInfo{"Feeder  3", "Sub station", "Op"}));
}

TEST(SurveyFile, HeaderWithTrailingSpaceFails)
{
    TempProgDir dir;
    ScriptedMessages messages;
    SurveyFixture s;
    s.header = std::string(kSurveyHeader) + " ";
    const std::string path = WriteSurveyFile(dir / "s.orv", s);
    const std::string before = ReadText(path);
    EXPECT_FALSE(OpenSurveyFile(path, SurveyUpgrade::Full));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].text, kInvalidSurveyMessage);
    EXPECT_EQ(messages.messages[0].type, MsgType::Error);
    EXPECT_EQ(ReadText(path), before);
}

TEST(SurveyFile, LineCountsOfNoLayoutAreRefusedUnchanged)
{
    TempProgDir dir;
    for (std::size_t count : {0u, 1u, 2u, 6u, 7u, 9u, 11u, 12u, 14u, 15u, 17u, 19u}) {
        ScriptedMessages messages;
        SurveyLines lines(count, "x");
        if (count > 0) lines[0] = std::string(kSurveyHeader);
        const std::string path = WriteSurveyLines(dir / "s.orv", lines);
        const std::string before = ReadText(path);
        for (auto upgrade : {SurveyUpgrade::Full, SurveyUpgrade::Short, SurveyUpgrade::TenLineStep})
            EXPECT_FALSE(OpenSurveyFile(path, upgrade)) << count << " lines";
        EXPECT_TRUE(messages.Shown(std::string(kInvalidSurveyMessage)));
        EXPECT_EQ(ReadText(path), before) << count << " lines";
    }
}

// A survey file of up to 1 MiB (a long description fills it) is read; a byte more is refused.
TEST(SurveyFile, FilesUpToOneMebibyteAreRead)
{
    TempProgDir dir;
    constexpr std::size_t kMost = 1 << 20;
    SurveyFixture s;
    const std::size_t rest = ReadText(WriteSurveyFile(dir / "s.orv", s)).size() - s.description.size();
    for (std::size_t size : {kMost, kMost + 1}) {
        ScriptedMessages messages;
        s.description.assign(size - rest, 'd');
        const std::string path = WriteSurveyFile(dir / "s.orv", s);
        ASSERT_EQ(ReadText(path).size(), size);
        const auto lines = OpenSurveyFile(path, SurveyUpgrade::Full);
        EXPECT_EQ(lines.has_value(), size == kMost) << size;
        if (lines) {
            EXPECT_EQ(ReadSurveyInfo(*lines).Description, s.description);
        } else {
            EXPECT_TRUE(messages.Shown(std::string(kInvalidSurveyMessage)));
        }
    }
}

TEST(SurveyFile, FileThatLostItsLastEmptyLineIsRefused)
{
    TempProgDir dir;
    ScriptedMessages messages;
    SurveyFixture s;
    s.op = "";
    std::string text = ReadText(WriteSurveyFile(dir / "s.orv", s));
    text.resize(text.size() - 2);  // the operator's empty line and its break are gone
    const std::string path = dir.Write("s.orv", text);
    EXPECT_EQ(LoadSurveyLines(path)->size(), 17u);
    EXPECT_FALSE(OpenSurveyFile(path, SurveyUpgrade::Full));
}

TEST(SurveyFile, CheckSurveyHeaderClearsLines)
{
    ScriptedMessages messages;
    SurveyLines lines(18, "");
    lines[0] = "Tarn - Zidevid Phase Monitor Survey File";  // case differs
    EXPECT_FALSE(CheckSurveyHeader(lines));
    EXPECT_TRUE(lines.empty());
    SurveyLines good(13, "");
    good[0] = std::string(kOldSurveyHeader);
    EXPECT_TRUE(CheckSurveyHeader(good));
}

TEST(SurveyFile, InfoLineRuleAndDataLinesFollowTheLayout)
{
    SurveyLines thirteen = SurveyFixtureLines(OldSurvey(13));
    EXPECT_EQ(InfoLineIndex(thirteen), 10u);
    EXPECT_EQ(DataLineCount(thirteen), 9);
    EXPECT_EQ(DataFileLine(thirteen, 9), "site9");
    EXPECT_EQ(DataFileLine(thirteen, 10), "");  // line 10 is the description here
    EXPECT_FALSE(SetDataFileLine(thirteen, 10, "x.ene"));

    StoreSurveyInfo(thirteen, {"d", "s", "o"});
    EXPECT_EQ(thirteen[10], "d");
    EXPECT_EQ(thirteen[12], "o");

    SurveyLines current = SurveyFixtureLines(SurveyFixture{});
    EXPECT_EQ(InfoLineIndex(current), 15u);
    EXPECT_EQ(ReadSurveyInfo(current), (TSurveyInfo{"Feeder 3", "Substation", "A. Engineer"}));
    EXPECT_TRUE(SetDataFileLine(current, 10, "s.ene"));
    EXPECT_EQ(DataFileLine(current, 10), "s.ene");
    EXPECT_EQ(DataFileLine(current, 0), "");
    EXPECT_EQ(DataFileLine(current, 15), "");
}

// A survey edited by hand or by another tool may hold longer lines than the record's short
// strings: the wizards take their first 255 bytes (never half a UTF-8 character), the file keeps
// them whole, and the record can then be stored in a report or a hand-over file.
TEST(SurveySelectionFill, InfoLinesLongerThanAShortStringAreCutAndTheFileKeepsThem)
{
    TempProgDir dir;
    SurveyFixture s;
    s.description = std::string(300, 'd');
    s.site = std::string(254, 's') + "\xC3\xA9";      // UTF-8: the two-byte letter does not fit
    s.op = std::string(254, 'o') + "\xE9\xA9\xE9";  // Windows-1252: cut at 255 bytes
    const std::string path = WriteSurveyFile(dir / "long.orv", s);
    const std::string before = ReadText(path);
    auto lines = LoadSurveyLines(path);
    ASSERT_TRUE(lines);
    TSurveySelection selection;
    FillSurveySelection(path, *lines, selection);
    EXPECT_EQ(selection.Description, std::string(255, 'd'));
    EXPECT_EQ(selection.Site, std::string(254, 's'));
    EXPECT_EQ(selection.Operator, std::string(254, 'o') + "\xE9");
    EXPECT_TRUE(selection.PackBytes());
    EXPECT_EQ(ReadSurveyInfo(*lines).Description, s.description);
    EXPECT_EQ(ReadText(path), before);
}

TEST(SurveyFile, DataFileFoundIgnoringCase)
{
    TempProgDir dir;
    dir.Write("SITE.VME", "x");
    SurveyFixture s;
    s.dataFiles[1] = "site.vme";
    const std::string path = WriteSurveyFile(dir / "site.orv", s);
    auto lines = LoadSurveyLines(path);
    EXPECT_EQ(FindSurveyDataFile(path, *lines, 1), dir / "SITE.VME");
    EXPECT_FALSE(FindSurveyDataFile(path, *lines, 2));
}

TEST(SurveyFile, LineNamingAnotherFolderIsNoDataFile)
{
    TempProgDir dir;
    CreateFolder(dir / "survey");
    dir.Write("outside.vme", "x");
    dir.Write("survey/inner.hze", "x");
    SurveyFixture s;
    s.dataFiles[1] = "../outside.vme";
    s.dataFiles[2] = "..\\outside.vme";
    s.dataFiles[3] = "survey/inner.hze";
    const std::string path = WriteSurveyFile(dir / "s.orv", s);
    auto lines = LoadSurveyLines(path);
    for (int k = 1; k <= 3; ++k) EXPECT_FALSE(FindSurveyDataFile(dir / "survey/s.orv", *lines, k)) << k;
    EXPECT_FALSE(FindSurveyDataFile(path, *lines, 3));
}

TEST(SurveyFile, NewSurveyLinesAreTheCurrentLayout)
{
    std::array<std::string, kMeasureSlots> names{};
    names[0] = "a.vme";
    names[9] = "a.ene";
    SurveyLines lines = NewSurveyLines(names, {"d", "s", "o"});
    ASSERT_EQ(lines.size(), 18u);
    EXPECT_EQ(lines[0], kSurveyHeader);
    EXPECT_EQ(lines[1], "a.vme");
    EXPECT_EQ(lines[10], "a.ene");
    EXPECT_EQ(lines[11], "");
    EXPECT_EQ(lines[17], "o");
    EXPECT_TRUE(SurveyHeaderValid(lines));
}

TEST(SurveyFile, FailedUpgradeSaveIsReportedAndLeavesTheFile)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string path = WriteSurveyFile(dir / "s.orv", OldSurvey(10));
    const std::string before = ReadText(path);
    CreateFolder(path + ".part");  // the temporary file cannot be created
    auto lines = OpenSurveyFile(path, SurveyUpgrade::Full);
    ASSERT_TRUE(lines);
    EXPECT_EQ(lines->size(), 18u);
    EXPECT_TRUE(messages.Shown(std::string(kSurveySaveFailedMessage) + path + "."));
    EXPECT_EQ(ReadText(path), before);
}
