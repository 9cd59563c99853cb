// Floppy archive reader: the disk loop over folders standing in for disks, with the prompts
// and results a user meets.
#include "survey/intake/floppy_reader.h"

#include "fixtures/archive_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"

#include <gtest/gtest.h>

#include <deque>

namespace {
// Drive A shows the folders in the order the user "inserts" them; the last stays in.
class FolderDrive : public TDriveAccess {
public:
    std::deque<std::optional<std::string>> inserted;
    std::optional<std::uint64_t> freeSpace;
    int lookups = 0;
    int failSliceAt = -1;  // the n-th slice read fails once
    int slices = 0;

    std::optional<std::string> DiskFolder(char, int) override
    {
        ++lookups;
        auto folder = inserted.front();
        if (inserted.size() > 1) inserted.pop_front();
        return folder;
    }
    std::optional<std::uint64_t> FreeSpace(const std::string& folder) override
    {
        return freeSpace ? freeSpace : TDriveAccess::FreeSpace(folder);
    }
    std::optional<Bytes> ReadSlice(const std::string& path, std::uint64_t offset, std::size_t count) override
    {
        if (slices++ == failSliceAt) return std::nullopt;
        return TDriveAccess::ReadSlice(path, offset, count);
    }
};

Bytes Filled(std::size_t size, std::uint8_t seed)
{
    Bytes b(size);
    for (std::size_t i = 0; i < size; ++i) b[i] = static_cast<std::uint8_t>(seed + i * 7);
    return b;
}

Bytes Joined(const Bytes& a, const Bytes& b)
{
    Bytes out = a;
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

class FloppyReaderTest : public ::testing::Test {
protected:
    void SetUp() override { CreateProgramFolders(); }

    std::string Disk(int n) { return dir / ("disk" + std::to_string(n)); }
    // Runs the whole loop; each showing steps the reader to its end.
    bool Read(std::uint16_t& mask, std::vector<int>* steps = nullptr)
    {
        TFloppyReader reader('A', drive);
        return ReadArchiveDisks(reader, [&] {
            do {
                if (steps) steps->push_back(reader.CurrentStep());
            } while (reader.Step());
        }, mask);
    }
    Bytes TempFile(const char* name) { return ReadWholeFile(DataDir() + name).value_or(Bytes{}); }
    int Prompts() const
    {
        int n = 0;
        for (const auto& t : msgs.Texts()) n += t.rfind("Insert disk", 0) == 0;
        return n;
    }

    TempProgDir dir;
    ScriptedMessages msgs;
    FolderDrive drive;
};

TEST_F(FloppyReaderTest, OneDiskOfVoltageAndEventsTakesNineTicks)
{
    const Bytes vm = Filled(300, 1), al = Filled(48, 2);
    WriteArchiveDisk(Disk(1), {{1, 1, 1, vm}, {6, 1, 1, al}}, ArchiveHeaderBytes(0x21, 1, {300, 0, 0, 0, 0, 48}));
    drive.inserted = {Disk(1)};

    std::uint16_t mask = 0;
    std::vector<int> steps;
    EXPECT_TRUE(Read(mask, &steps));
    EXPECT_EQ(steps, (std::vector<int>{0, 1, 2, 3, 4, 2, 3, 4, 5}));
    EXPECT_EQ(mask, 0x21);
    EXPECT_EQ(TempFile("vm.tmp"), vm);
    EXPECT_EQ(TempFile("al.tmp"), al);
    ASSERT_EQ(msgs.messages.size(), 2u);
    EXPECT_EQ(msgs.messages[0].text, "Insert disk 1 into drive A:\nand press OK when ready...");
    EXPECT_EQ(msgs.messages[0].buttons, MbOkCancel);
    EXPECT_EQ(msgs.messages[1].text, "Copy completed successfully.");
    EXPECT_EQ(msgs.messages[1].type, MsgType::Information);
}

TEST_F(FloppyReaderTest, SecondPartOnSecondDiskIsAppendedWithoutHeader)
{
    const Bytes p1 = Filled(500, 3), p2 = Filled(200, 4);
    WriteArchiveDisk(Disk(1), {{1, 1, 2, p1}}, ArchiveHeaderBytes(0x01, 2, {700}));
    WriteArchiveDisk(Disk(2), {{1, 2, 2, p2}});
    drive.inserted = {Disk(1), Disk(2)};

    std::uint16_t mask = 0;
    std::vector<int> steps;
    EXPECT_TRUE(Read(mask, &steps));
    // Disk 1: 0 1 2 3 4 5; disk 2: 0 2 3 4 5 (no header step).
    EXPECT_EQ(steps, (std::vector<int>{0, 1, 2, 3, 4, 5, 0, 2, 3, 4, 5}));
    EXPECT_EQ(TempFile("vm.tmp"), Joined(p1, p2));
    EXPECT_TRUE(msgs.Shown("Insert disk 2 into drive A:\nand press OK when ready..."));
    EXPECT_EQ(mask, 0x01);
}

TEST_F(FloppyReaderTest, MeasureWhoseFirstPartIsOnDiskTwoIsRead)
{
    const Bytes vm = Filled(100, 5), al = Filled(72, 6);
    WriteArchiveDisk(Disk(1), {{1, 1, 1, vm}}, ArchiveHeaderBytes(0x21, 2, {100, 0, 0, 0, 0, 72}));
    WriteArchiveDisk(Disk(2), {{6, 1, 1, al}});
    drive.inserted = {Disk(1), Disk(2)};

    std::uint16_t mask = 0;
    EXPECT_TRUE(Read(mask));
    EXPECT_EQ(mask, 0x21);
    EXPECT_EQ(TempFile("al.tmp"), al);
    EXPECT_FALSE(msgs.Shown("Wrong disk number. Retry ?"));
}

TEST_F(FloppyReaderTest, FirstDiskAgainIsTheWrongDiskAndRetryAsksForTheDisk)
{
    const Bytes p1 = Filled(80, 7), p2 = Filled(90, 8);
    WriteArchiveDisk(Disk(1), {{1, 1, 2, p1}}, ArchiveHeaderBytes(0x01, 2, {170}));
    WriteArchiveDisk(Disk(2), {{1, 2, 2, p2}});
    drive.inserted = {Disk(1), Disk(1), Disk(2)};
    msgs.AnswerNext(MbOk);   // disk 1
    msgs.AnswerNext(MbOk);   // disk 2 (disk 1 inserted)
    msgs.AnswerNext(MbYes);  // wrong disk: retry

    std::uint16_t mask = 0;
    EXPECT_TRUE(Read(mask));
    EXPECT_TRUE(msgs.Shown("Wrong disk number. Retry ?"));
    EXPECT_EQ(Prompts(), 3);
    EXPECT_EQ(TempFile("vm.tmp"), Joined(p1, p2));
}

TEST_F(FloppyReaderTest, DiskOfAnotherSetIsTheWrongDisk)
{
    const Bytes p1 = Filled(80, 7), p2 = Filled(90, 8);
    WriteArchiveDisk(Disk(1), {{1, 1, 2, p1}}, ArchiveHeaderBytes(0x01, 2, {170}));
    WriteArchiveDisk(Disk(3), {{1, 2, 3, Filled(60, 9)}});  // part 2 of a three-disk set
    WriteArchiveDisk(Disk(2), {{1, 2, 2, p2}});
    drive.inserted = {Disk(1), Disk(3), Disk(2)};
    msgs.AnswerNext(MbOk);
    msgs.AnswerNext(MbOk);
    msgs.AnswerNext(MbYes);  // wrong disk: retry

    std::uint16_t mask = 0;
    EXPECT_TRUE(Read(mask));
    EXPECT_TRUE(msgs.Shown("Wrong disk number. Retry ?"));
    EXPECT_EQ(TempFile("vm.tmp"), Joined(p1, p2));
}

TEST_F(FloppyReaderTest, NoDiskInDriveRetriesWithoutPrompt)
{
    WriteArchiveDisk(Disk(1), {{1, 1, 1, Filled(40, 9)}}, ArchiveHeaderBytes(0x01, 1, {40}));
    drive.inserted = {std::nullopt, Disk(1)};
    msgs.AnswerNext(MbOk);
    msgs.AnswerNext(MbYes);

    std::uint16_t mask = 0;
    EXPECT_TRUE(Read(mask));
    EXPECT_TRUE(msgs.Shown("Drive not ready. Retry ?"));
    EXPECT_EQ(Prompts(), 1);
    EXPECT_EQ(drive.lookups, 2);
}

TEST_F(FloppyReaderTest, EndingRunsReportAndFail)
{
    struct Case {
        const char* name;
        std::vector<MsgButton> answers;
        std::optional<std::uint64_t> freeSpace;
        const char* message;
    };
    const Case cases[] = {
        {"cancel at the prompt", {MbCancel}, std::nullopt, "Function interrupted by user."},
        {"too little space", {MbOk}, 100, "Insufficient disk space."},
        {"no to drive not ready", {MbOk, MbNo}, std::nullopt, "Drive not ready. Retry ?"},
    };
    WriteArchiveDisk(Disk(1), {{1, 1, 1, Filled(40, 9)}}, ArchiveHeaderBytes(0x01, 1, {100000}));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        msgs.Clear();
        for (auto a : c.answers) msgs.AnswerNext(a);
        drive.freeSpace = c.freeSpace;
        drive.inserted = {std::string(c.message).starts_with("Drive") ? std::nullopt : std::optional(Disk(1))};
        std::uint16_t mask = 0xFFFF;
        EXPECT_FALSE(Read(mask));
        EXPECT_EQ(msgs.messages.back().text, c.message);
        EXPECT_EQ(mask, 0);
    }
}

TEST_F(FloppyReaderTest, UpperCaseArchiveNamesAreFound)
{
    const Bytes vm = Filled(64, 10);
    WriteArchiveDisk(Disk(1), {{1, 1, 1, vm}}, ArchiveHeaderBytes(0x01, 1, {64}), true);
    drive.inserted = {Disk(1)};
    std::uint16_t mask = 0;
    EXPECT_TRUE(Read(mask));
    EXPECT_EQ(TempFile("vm.tmp"), vm);
}

TEST_F(FloppyReaderTest, ReadErrorMidCopyLeavesNoHalfPartBeforeRetry)
{
    const Bytes p1 = Filled(1000, 11), p2 = Filled(2 * TFloppyReader::kSliceBytes + 123, 12);
    WriteArchiveDisk(Disk(1), {{1, 1, 2, p1}}, ArchiveHeaderBytes(0x01, 2, {static_cast<std::uint32_t>(p1.size() + p2.size())}));
    WriteArchiveDisk(Disk(2), {{1, 2, 2, p2}});
    drive.inserted = {Disk(1), Disk(2)};
    drive.failSliceAt = 2;  // slice 0: part 1; slices 1, 2: part 2, the second fails
    msgs.AnswerNext(MbOk);
    msgs.AnswerNext(MbOk);
    msgs.AnswerNext(MbYes);

    std::uint16_t mask = 0;
    EXPECT_TRUE(Read(mask));
    EXPECT_TRUE(msgs.Shown("Drive not ready. Retry ?"));
    EXPECT_EQ(TempFile("vm.tmp"), Joined(p1, p2));
}

TEST_F(FloppyReaderTest, AbortDuringCopyStopsAndCutsThePartBack)
{
    const Bytes p1 = Filled(3 * TFloppyReader::kSliceBytes, 13);
    WriteArchiveDisk(Disk(1), {{1, 1, 1, p1}}, ArchiveHeaderBytes(0x01, 1, {0}));
    drive.inserted = {Disk(1)};
    TFloppyReader reader('A', drive);
    std::uint16_t mask = 0;
    EXPECT_FALSE(ReadArchiveDisks(reader, [&] {
        while (reader.Step()) {
            if (reader.CurrentStep() == StepCopyPart && FileSize(DataDir() + "vm.tmp").value_or(0) > 0) {
                reader.Abort();
                break;
            }
        }
    }, mask));
    EXPECT_EQ(msgs.messages.back().text, "Function interrupted by user.");
    EXPECT_EQ(FileSize(DataDir() + "vm.tmp").value_or(1), 0u);
}

TEST_F(FloppyReaderTest, FinishesAsSoonAsEveryMeasureIsComplete)
{
    WriteArchiveDisk(Disk(1), {{1, 1, 1, Filled(40, 14)}}, ArchiveHeaderBytes(0x01, 3, {40}));
    drive.inserted = {Disk(1)};
    std::uint16_t mask = 0;
    EXPECT_TRUE(Read(mask));
    EXPECT_EQ(Prompts(), 1);
    EXPECT_TRUE(msgs.Shown("Copy completed successfully."));
}

TEST_F(FloppyReaderTest, IncompleteMeasureOnLastDiskIsNoSuccess)
{
    WriteArchiveDisk(Disk(1), {{1, 1, 2, Filled(40, 15)}}, ArchiveHeaderBytes(0x01, 1, {80}));
    drive.inserted = {Disk(1)};
    msgs.AnswerNext(MbOk);
    msgs.AnswerNext(MbNo);
    std::uint16_t mask = 0xFFFF;
    EXPECT_FALSE(Read(mask));
    EXPECT_FALSE(msgs.Shown("Copy completed successfully."));
    EXPECT_TRUE(msgs.Shown("Disk not recognized. Retry ?"));
    EXPECT_EQ(mask, 0);
}

TEST_F(FloppyReaderTest, UnusableDisksAreNotRecognized)
{
    struct Case {
        const char* name;
        std::optional<Bytes> header;
        std::vector<ArchivePart> parts;
        const char* message;
    };
    const Bytes vm = Filled(40, 16);
    Bytes longHeader = ArchiveHeaderBytes(0x01, 1);
    longHeader.push_back(0);
    const Case cases[] = {
        {"no header", std::nullopt, {{1, 1, 1, vm}}, "Disk not recognized. Retry ?"},
        {"header over 40 bytes", longHeader, {{1, 1, 1, vm}}, "Disk not recognized. Retry ?"},
        {"disk count 0", ArchiveHeaderBytes(0x01, 0), {{1, 1, 1, vm}}, "Disk not recognized. Retry ?"},
        {"negative disk count", ArchiveHeaderBytes(0x01, -2), {{1, 1, 1, vm}}, "Disk not recognized. Retry ?"},
        {"only measures past 10", ArchiveHeaderBytes(0x0C00, 1), {{1, 1, 1, vm}}, "Disk not recognized. Retry ?"},
        {"part missing", ArchiveHeaderBytes(0x01, 1), {{6, 1, 1, vm}}, "Disk not recognized. Retry ?"},
        {"part number 0", ArchiveHeaderBytes(0x01, 1), {{1, 0, 1, vm}}, "File not recognized. Retry ?"},
        {"part count 0", ArchiveHeaderBytes(0x01, 1), {{1, 1, 0, vm}}, "File not recognized. Retry ?"},
        {"part 2 first", ArchiveHeaderBytes(0x01, 1), {{1, 2, 2, vm}}, "Wrong disk number. Retry ?"},
    };
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        msgs.Clear();
        msgs.AnswerNext(MbOk);
        msgs.AnswerNext(MbNo);
        const std::string folder = Disk(100 + n++);
        WriteArchiveDisk(folder, c.parts, c.header);
        drive.inserted = {folder};
        std::uint16_t mask = 0xFFFF;
        EXPECT_FALSE(Read(mask));
        EXPECT_EQ(msgs.messages.back().text, c.message);
        EXPECT_EQ(msgs.messages.back().type, MsgType::Warning);
        EXPECT_EQ(mask, 0);
    }
}

TEST_F(FloppyReaderTest, MaskKeepsOnlyMeasuresOneToTen)
{
    WriteArchiveDisk(Disk(1), {{1, 1, 1, Filled(40, 17)}}, ArchiveHeaderBytes(0x8001, 1, {40}));
    drive.inserted = {Disk(1)};
    std::uint16_t mask = 0;
    EXPECT_TRUE(Read(mask));
    EXPECT_EQ(mask, 0x0001);
}

TEST(SystemDrives, VolumesAreLookedUpForEveryDiskAndAFolderIsAskedWhenNoneIsMounted)
{
    ScriptedMessages msgs;
    // What is mounted at each look-up: each disk mounts at its own path.
    const std::vector<std::vector<std::string>> mounted = {
        {"/media/u/DISK1/"}, {"/media/u/DISK2/", "/media/u/STICK/"}, {"/media/u/DISK3/", "/media/u/STICK/"}, {}, {}};
    std::size_t lookup = 0;
    TSystemDriveAccess access([&] { return mounted[std::min(lookup++, mounted.size() - 1)]; });
    EXPECT_EQ(access.DiskFolder('A', 1), "/media/u/DISK1/");
    EXPECT_EQ(access.DiskFolder('A', 2), "/media/u/DISK2/");
    EXPECT_EQ(access.DiskFolder('B', 3), "/media/u/STICK/");
    msgs.PickFolder("/tmp/copied disk 4");
    EXPECT_EQ(access.DiskFolder('A', 4), "/tmp/copied disk 4/");
    EXPECT_EQ(access.DiskFolder('A', 5), std::nullopt);  // folder choice cancelled: drive not ready
    EXPECT_EQ(lookup, 5u);
}

TEST(RemovableMounts, VolumesUnderMediaAndRunMediaInMountOrder)
{
    const std::string info =
        "22 1 8:1 / / rw - ext4 /dev/sda1 rw\n"
        "40 22 8:17 / /media/user/FLOPPY\\040A rw - vfat /dev/sdb1 rw\n"
        "41 22 0:5 / /proc rw - proc proc rw\n"
        "42 22 8:33 / /run/media/user/DISK2 rw - vfat /dev/sdc1 rw\n"
        "43 22 8:49 / /mnt rw - ext4 /dev/sdd1 rw\n"
        "44 22 0:60 / /mnt/iso rw - iso9660 /dev/loop0 ro\n";
    EXPECT_EQ(RemovableMountPoints(info),
              (std::vector<std::string>{"/media/user/FLOPPY A", "/run/media/user/DISK2"}));
}
}  // namespace
