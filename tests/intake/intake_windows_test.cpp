// Intake windows: drive choice, the reader window's disk runs, and a repository import saved by
// the save wizard, followed by a two-disk floppy read appended to the survey it made.
#include "dialogs/drive_dlg.h"
#include "dialogs/read_dlg.h"
#include "survey/intake/floppy_reader.h"
#include "app/intake_roads.h"
#include "survey/intake/received_store.h"

#include "fixtures/archive_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "survey/measure_file_info.h"
#include "wizards/save_read_dlg.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace {
FixtureStamp At(int hour, int minute)
{
    FixtureStamp s;
    s.hour = hour, s.minute = minute;
    return s;
}

Bytes VoltageFile(std::vector<FixtureStamp> times)
{
    std::vector<Bytes> records;
    for (auto t : times) records.push_back(TrendRecord(MeasureVoltage, {.time = t}));
    return DataFileBytes(records);
}

// Drive A shows one folder per disk in order.
class FolderDisks : public TDriveAccess {
public:
    std::vector<std::string> folders;
    std::optional<std::string> DiskFolder(char, int disk) override
    {
        return disk <= static_cast<int>(folders.size()) ? std::optional(folders[disk - 1]) : std::nullopt;
    }
};

// Every block takes its time, as on a real floppy.
class SlowDisks : public FolderDisks {
public:
    std::optional<Bytes> ReadSlice(const std::string& path, std::uint64_t offset, std::size_t count) override
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
        return FolderDisks::ReadSlice(path, offset, count);
    }
};

// Pictures for looking at the windows, when ORV_GRAB_DIR names a folder.
void Grab(QWidget& w, const char* name)
{
    if (const char* folder = std::getenv("ORV_GRAB_DIR")) {
        w.show();
        w.grab().save(QString(folder) + "/" + name + ".png");
    }
}

class IntakeWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CreateProgramFolders();
        LastPath() = {};
    }
    TempProgDir dir;
    ScriptedMessages msgs;
};

TEST_F(IntakeWindowsTest, DriveBIsOfferedOnlyWithASecondVolume)
{
    TDriveDlg one(nullptr, false);
    EXPECT_TRUE(one.RadioA->isChecked());
    EXPECT_FALSE(one.RadioB->isEnabled());
    EXPECT_EQ(one.Drive, 'A');
    TDriveDlg two(nullptr, true);
    EXPECT_TRUE(two.RadioB->isEnabled());
    two.RadioB->click();
    EXPECT_EQ(two.Drive, 'B');
    Grab(two, "drive_dlg");

    FolderDisks none;
    TFloppyReader reader('A', none);
    TReadDlg read(nullptr, reader);
    Grab(read, "read_dlg");
}

TEST_F(IntakeWindowsTest, ReaderWindowReadsTwoDisksThroughItsTimer)
{
    const Bytes vm = VoltageFile({At(10, 0), At(10, 1), At(10, 2)});
    const std::size_t half = vm.size() / 2;
    FolderDisks disks;
    disks.folders = {dir / "disk1", dir / "disk2"};
    WriteArchiveDisk(disks.folders[0], {{1, 1, 2, Bytes(vm.begin(), vm.begin() + half)}},
                     ArchiveHeaderBytes(0x01, 2, {static_cast<std::uint32_t>(vm.size())}));
    WriteArchiveDisk(disks.folders[1], {{1, 2, 2, Bytes(vm.begin() + half, vm.end())}});
    std::uint16_t mask = 0;
    EXPECT_TRUE(ReadFloppyArchives(nullptr, 'A', disks, mask));
    EXPECT_EQ(mask, 0x01);
    EXPECT_EQ(ReadWholeFile(TempFileName(1)), vm);
    EXPECT_EQ(msgs.messages.back().text, "Copy completed successfully.");
}

TEST_F(IntakeWindowsTest, ReaderWindowGivesTheSameFilesForAnyBudget)
{
    // Disk 1: voltage part 1 of 2 (three copy slices); disk 2: voltage part 2 and the events.
    Bytes vm1(2 * TFloppyReader::kSliceBytes + 100, 1), vm2(300, 2), al(96, 3);
    FolderDisks disks;
    disks.folders = {dir / "disk1", dir / "disk2"};
    WriteArchiveDisk(disks.folders[0], {{1, 1, 2, vm1}},
                     ArchiveHeaderBytes(0x21, 2, {static_cast<std::uint32_t>(vm1.size() + vm2.size()), 0, 0, 0, 0, 96}));
    WriteArchiveDisk(disks.folders[1], {{1, 2, 2, vm2}, {6, 1, 1, al}});
    Bytes vm = vm1;
    vm.insert(vm.end(), vm2.begin(), vm2.end());
    // 0: one step per tick, as a timer of one step a tick would run it.
    for (auto budget : {std::chrono::milliseconds(0), kJobTickBudget, std::chrono::milliseconds(3600000)}) {
        SCOPED_TRACE(budget.count());
        msgs.Clear();
        DeleteFile(TempFileName(1));
        DeleteFile(TempFileName(6));
        TFloppyReader reader('A', disks);
        TReadDlg dlg(nullptr, reader);
        dlg.Panel->SetBudget(budget);
        std::vector<int> results;
        std::uint16_t mask = 0;
        EXPECT_TRUE(ReadArchiveDisks(reader, [&] { results.push_back(dlg.exec()); }, mask));
        EXPECT_EQ(results, (std::vector<int>{QDialog::Accepted, QDialog::Accepted}));
        EXPECT_EQ(mask, 0x21);
        EXPECT_EQ(ReadWholeFile(TempFileName(1)), vm);
        EXPECT_EQ(ReadWholeFile(TempFileName(6)), al);
        EXPECT_EQ(msgs.Texts(), (std::vector<std::string>{"Insert disk 1 into drive A:\nand press OK when ready...",
                                                          "Insert disk 2 into drive A:\nand press OK when ready...",
                                                          "Copy completed successfully."}));
        EXPECT_EQ(dlg.Panel->LabelMsg->text(), "Success");
    }
}

TEST_F(IntakeWindowsTest, AbortButtonStopsASlowCopyAndKeepsNoHalfPart)
{
    SlowDisks disks;
    disks.folders = {dir / "disk1"};
    const Bytes vm(40 * TFloppyReader::kSliceBytes, 7);
    WriteArchiveDisk(disks.folders[0], {{1, 1, 1, vm}}, ArchiveHeaderBytes(0x01, 1, {static_cast<std::uint32_t>(vm.size())}));
    TFloppyReader reader('A', disks);
    TReadDlg dlg(nullptr, reader);
    QString shown;
    std::uint64_t copiedBeforeAbort = 0;
    // Abort once the copy (at least 40 x 25 ms) has begun.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        copiedBeforeAbort = FileSize(TempFileName(1)).value_or(0);
        if (!dlg.isVisible() || copiedBeforeAbort == 0) return;
        watch.stop();
        shown = dlg.Panel->LabelMsg->text();
        Grab(dlg, "read_dlg_copying");
        dlg.Panel->BtnAbort->click();
    });
    watch.start(10);
    std::uint16_t mask = 0xFFFF;
    EXPECT_FALSE(ReadArchiveDisks(reader, [&] { dlg.exec(); }, mask));
    EXPECT_EQ(shown, "Copying Voltage file...");
    EXPECT_GT(copiedBeforeAbort, 0u);
    EXPECT_EQ(msgs.messages.back().text, "Function interrupted by user.");
    EXPECT_EQ(FileSize(TempFileName(1)), 0u);
    EXPECT_EQ(mask, 0);
}

TEST_F(IntakeWindowsTest, ImportedRepositoryBecomesANewSurveyThatOpensAndTakesAFloppyAppend)
{
    // Repository: voltage 10:00-10:02 and events.
    const Bytes vm = VoltageFile({At(10, 0), At(10, 1), At(10, 2)});
    const Bytes al = DataFileBytes({EventRecord({.time = At(10, 1)})});
    const std::string rpy = WriteBytes(dir / "site1.rpy", RepositoryBytes(9, {{1, vm}, {6, al}}));

    TSaveReadDlg save;
    ASSERT_TRUE(save.ImportRepository(rpy));
    EXPECT_EQ(save.ReceivedMask, 0x21);
    Grab(save, "save_read_page1");
    save.BtnNextClick();
    EXPECT_EQ(save.Tabs->currentIndex(), 1);
    EXPECT_FALSE(save.BtnFinish->isEnabled());
    msgs.PickFile(dir / "SITE1.orv");
    save.BtnBrowseClick();
    ASSERT_FALSE(msgs.fileRequests.empty());
    EXPECT_EQ(msgs.fileRequests.back().fileName, "site1.orv");  // the repository's name proposed
    EXPECT_EQ(msgs.fileRequests.back().folder, DataDir());
    EXPECT_TRUE(save.BtnFinish->isEnabled());
    save.EditDescr->setText("Feeder 7");
    Grab(save, "save_read_page2");
    save.BtnFinishClick();
    EXPECT_EQ(save.result(), QDialog::Accepted);
    EXPECT_EQ(save.SurveyFile, dir / "SITE1.orv");
    EXPECT_TRUE(msgs.Shown("Copy completed successfully."));
    EXPECT_EQ(LastPath().DataPath, dir.Path());

    // The survey opens: every named data file passes the one check of the selection.
    auto lines = LoadSurveyLines(save.SurveyFile);
    ASSERT_TRUE(lines && lines->size() == 18);
    for (int k : {1, 6}) {
        auto file = FindSurveyDataFile(save.SurveyFile, *lines, k);
        ASSERT_TRUE(file);
        TMeasureFileInfo info;
        EXPECT_TRUE(ReadMeasureFileInfo(*file, k, info));
    }

    // A two-disk archive of later voltage is read and appended to that survey.
    const Bytes later = VoltageFile({At(11, 0), At(11, 1)});
    FolderDisks disks;
    disks.folders = {dir / "a", dir / "b"};
    WriteArchiveDisk(disks.folders[0], {{1, 1, 2, Bytes(later.begin(), later.begin() + 20)}},
                     ArchiveHeaderBytes(0x01, 2, {static_cast<std::uint32_t>(later.size())}));
    WriteArchiveDisk(disks.folders[1], {{1, 2, 2, Bytes(later.begin() + 20, later.end())}});
    std::uint16_t mask = 0;
    ASSERT_TRUE(ReadFloppyArchives(nullptr, 'A', disks, mask));

    TSaveReadDlg append;
    append.ReceivedMask = mask;
    append.RadioAppend->setChecked(true);
    append.AppendPage->Picker->SelectFile(dir / "SITE1.orv");
    append.BtnNextClick();
    EXPECT_EQ(append.Tabs->currentIndex(), 2);
    EXPECT_EQ(append.AppendPage->Label1->text(), "Feeder 7");
    ASSERT_TRUE(append.BtnFinish->isEnabled());
    Grab(append, "save_read_page3");
    append.BtnFinishClick();
    EXPECT_EQ(append.result(), QDialog::Accepted);
    TMeasureFileInfo info;
    ASSERT_TRUE(ReadMeasureFileInfo(dir / "SITE1.vme", 1, info));
    EXPECT_EQ(info.RecordCount, 5);
    EXPECT_FALSE(FileExists(TempFileName(1)));
}

TEST_F(IntakeWindowsTest, InvalidRepositoryOpensNoWizard)
{
    const std::string rpy = WriteBytes(dir / "bad.rpy", Bytes(30, 0));
    EXPECT_FALSE(ImportRepositoryFile(nullptr, rpy));
    EXPECT_TRUE(msgs.Shown("Invalid repository file."));
}
}  // namespace
