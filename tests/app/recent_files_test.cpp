#include "app/recent_files.h"

#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {
std::string Lines(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* l : lines) text += std::string(l) + "\r\n";
    return text;
}
std::string ReadText(const std::string& path)
{
    auto bytes = ReadWholeFile(path);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}
using List = std::vector<std::string>;
}  // namespace

TEST(RecentFiles, EmptyLinesInsideAGroupAreSkipped)
{
    TempProgDir dir;
    std::string mru = dir.Write("orv.mru", Lines({"a", "", "b", "", "", "r1", "", "", "", "", "", "", "", "", "",
                                                  "", "", "", "", "s5"}));
    RecentFiles recent;
    ASSERT_TRUE(recent.Load(mru));
    EXPECT_EQ(recent.List(RecentList::Surveys), (List{"a", "b"}));
    EXPECT_EQ(recent.List(RecentList::Reports), (List{"r1"}));
    EXPECT_EQ(recent.List(RecentList::Summaries), List{});
    EXPECT_EQ(recent.List(RecentList::Sheets), (List{"s5"}));
    ASSERT_TRUE(recent.Save(mru));
    std::string expected = Lines({"a", "b", "", "", "", "r1", "", "", "", "", "", "", "", "", "",
                                  "s5", "", "", "", ""});
    EXPECT_EQ(ReadText(mru), expected);
}

TEST(RecentFiles, ShortFileReadsMissingLinesAsEmpty)
{
    TempProgDir dir;
    RecentFiles recent;
    ASSERT_TRUE(recent.Load(dir.Write("orv.mru", "a\nb")));
    EXPECT_EQ(recent.List(RecentList::Surveys), (List{"a", "b"}));
    EXPECT_TRUE(recent.List(RecentList::Sheets).empty());
}

TEST(RecentFiles, LinesBeyondTwentyAreIgnored)
{
    TempProgDir dir;
    std::string text;
    for (int i = 1; i <= 25; ++i) text += "p" + std::to_string(i) + "\r\n";
    RecentFiles recent;
    ASSERT_TRUE(recent.Load(dir.Write("orv.mru", text)));
    EXPECT_EQ(recent.List(RecentList::Sheets), (List{"p16", "p17", "p18", "p19", "p20"}));
}

TEST(RecentFiles, SixthEntryPushesTheOldestOut)
{
    RecentFiles recent;
    for (const char* p : {"1", "2", "3", "4", "5", "6"}) recent.Add(RecentList::Surveys, p);
    EXPECT_EQ(recent.List(RecentList::Surveys), (List{"6", "5", "4", "3", "2"}));
    recent.Add(RecentList::Surveys, "4");  // an entry already there moves to the top
    EXPECT_EQ(recent.List(RecentList::Surveys), (List{"4", "6", "5", "3", "2"}));
    recent.MoveToTop(RecentList::Surveys, 3);
    EXPECT_EQ(recent.List(RecentList::Surveys), (List{"3", "4", "6", "5", "2"}));
}

TEST(RecentFiles, PathWithLineBreakIsNeverRecorded)
{
    RecentFiles recent;
    EXPECT_FALSE(recent.Add(RecentList::Sheets, "/tmp/a\nb.xls"));
    EXPECT_FALSE(recent.Add(RecentList::Sheets, "/tmp/a\rb.xls"));
    EXPECT_TRUE(recent.List(RecentList::Sheets).empty());
}

TEST(RecentFiles, CaptionNumbersEntryAndDoublesAmpersands)
{
    EXPECT_EQ(RecentFiles::Caption(0, "/data/a.orv"), "&0 /data/a.orv");
    EXPECT_EQ(RecentFiles::Caption(3, "/data/R&D.orv"), "&3 /data/R&&D.orv");
}

TEST(RecentFiles, SpellingsOfOneFileShareOneEntry)
{
    TempProgDir dir;
    std::string upper = dir.Write("A.ORV", "x");
    std::string lower = dir.Write("a.orv", "y");  // a second file on this file system
    RecentFiles recent;
    recent.Add(RecentList::Surveys, upper);
    recent.Add(RecentList::Surveys, lower);
    EXPECT_EQ(recent.List(RecentList::Surveys), (List{lower, upper}));

    // On a case-blind volume both spellings reach one file; a link stands in for one here.
    std::string mixed = dir / "b.orv";
    std::string other = dir / "B.orv";
    dir.Write("b.orv", "z");
    std::filesystem::create_symlink(mixed, other);
    recent.Add(RecentList::Surveys, mixed);
    recent.Add(RecentList::Surveys, other);
    EXPECT_EQ(recent.List(RecentList::Surveys), (List{other, lower, upper}));
    recent.Add(RecentList::Surveys, other);
    EXPECT_EQ(recent.List(RecentList::Surveys).size(), 3u);
}
