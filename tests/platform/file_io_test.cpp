#include "platform/file_io.h"

#include "fixtures/temp_prog_dir.h"

#include <gtest/gtest.h>

TEST(FileIo, AtomicWriteReplacesOnlyWhenComplete)
{
    TempProgDir dir;
    std::string path = dir.Write("a.txt", "old");
    ASSERT_TRUE(WriteFileAtomic(path, std::string("new content")));
    auto bytes = ReadWholeFile(path);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(std::string(bytes->begin(), bytes->end()), "new content");
    // A folder that does not exist: the write fails and nothing is created.
    EXPECT_FALSE(WriteFileAtomic(dir / "missing/b.txt", std::string("x")));
    EXPECT_EQ(ListFiles(dir.Path(), "*").size(), 1u);
}

TEST(FileIo, ScratchWriteWritesWholeOrReportsFailure)
{
    TempProgDir dir;
    ASSERT_TRUE(WriteScratchFile(dir / "s.tmp", Bytes{1, 2, 3}));
    EXPECT_EQ(ReadWholeFile(dir / "s.tmp"), (Bytes{1, 2, 3}));
    EXPECT_FALSE(WriteScratchFile(dir / "missing/s.tmp", Bytes{1}));
}

TEST(FileIo, RangeReadRefusesShortRead)
{
    TempProgDir dir;
    std::string path = dir.Write("r.bin", "0123456789");
    auto part = ReadFileRange(path, 8, 2);
    ASSERT_TRUE(part);
    EXPECT_EQ((*part)[0], '8');
    EXPECT_FALSE(ReadFileRange(path, 8, 3));
    EXPECT_FALSE(ReadFileRange(path, 100, 1));
}

TEST(FileIo, NamesMatchCaseInsensitively)
{
    TempProgDir dir;
    dir.Write("DATAINFO._TN", "x");
    dir.Write("Survey.ORV", "x");
    auto found = FindFileNoCase(dir.Path(), "datainfo._tn");
    ASSERT_TRUE(found);
    EXPECT_EQ(ExtractFileName(*found), "DATAINFO._TN");
    EXPECT_EQ(ListFiles(dir.Path(), "*.orv"), std::vector<std::string>{"Survey.ORV"});
    EXPECT_TRUE(MatchesMask("vm_0102._tn", "vm_????._tn"));
    EXPECT_FALSE(MatchesMask("vm_012._tn", "vm_????._tn"));
}

TEST(FileIo, PathParts)
{
    EXPECT_EQ(ExtractFilePath("/a/b/c.orv"), "/a/b/");
    EXPECT_EQ(ExtractFileName("/a/b/c.orv"), "c.orv");
    EXPECT_EQ(ExtractFileExt("/a/b.d/c"), "");
    EXPECT_EQ(ChangeFileExt("/a/b/c.orv", ".vme"), "/a/b/c.vme");
    EXPECT_EQ(WithTrailingSlash("/a"), "/a/");
}
