// Communication manager search and start.
#include "app/communication_manager.h"

#include "fixtures/temp_prog_dir.h"

#include <gtest/gtest.h>

namespace {
struct RecordingStarter : ProgramStarter {
    bool Start(const std::string& program, const std::vector<std::string>& arguments) override
    {
        started.push_back(program);
        args = arguments;
        return true;
    }
    std::vector<std::string> started;
    std::vector<std::string> args;
};
}  // namespace

TEST(CommunicationManager, FirstSubFolderHoldingTheProgramIsStartedWithSwitch)
{
    TempProgDir root;
    root.Write("Darizuz/a empty/readme.txt", "x");
    std::string exe = root.Write("Darizuz/b tool/RIVEDUZO.EXE", "x");
    root.Write("Darizuz/c other/riveduzo.exe", "x");
    auto found = FindCommunicationManager(root.Path());
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, exe);

    RecordingStarter starter;
    auto run = RunCommunicationManager(root.Path(), starter);
    ASSERT_TRUE(run);
    EXPECT_TRUE(run->started);
    EXPECT_EQ(starter.started, std::vector<std::string>{exe});  // the blank stays inside the path
    EXPECT_EQ(starter.args, std::vector<std::string>{"/v"});
}

TEST(CommunicationManager, NothingHappensWhenNoneIsFound)
{
    TempProgDir root;
    root.Write("Darizuz/x/other.exe", "x");
    EXPECT_FALSE(FindCommunicationManager(root.Path()));
    RecordingStarter starter;
    EXPECT_FALSE(RunCommunicationManager(root.Path(), starter));
    EXPECT_FALSE(RunCommunicationManager(root / "no such folder", starter));
    EXPECT_TRUE(starter.started.empty());
}

TEST(CommunicationManager, VolumeRootIsAMountPointAboveTheFolder)
{
    TempProgDir dir;
    std::string root = VolumeRootOf(dir.Path());
    EXPECT_EQ(dir.Path().compare(0, root.size(), root), 0);
    EXPECT_EQ(root.back(), '/');
    EXPECT_EQ(VolumeRootOf("/"), "/");
}
