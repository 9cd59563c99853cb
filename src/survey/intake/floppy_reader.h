// The floppy archive reader behind "Read Archives from floppy": a state machine that copies the
// part files of a set of disks, disk after disk, into one temporary file per measure in the data
// folder ("vm.tmp" ...), for the save wizard. One Step() is one state step; the reader window
// (dialogs/read_dlg.h) runs as many per tick as its time budget allows. Copies go in slices, so
// Abort works during a slow copy. The window is shown once per disk; between disks the main
// window's loop asks for the next disk and interprets the result.
#pragma once

#include "platform/long_job.h"
#include "survey/intake/archive_header.h"
#include "survey/intake/drive_access.h"

#include <cstdint>
#include <functional>
#include <string>

// Result codes of one disk's run and what the loop does with them.
enum ReadResultCode : int {
    ReadDiskDone = 0,        // the disk was read to its end
    ReadInterrupted = 1,     // Abort, or Cancel at the disk prompt (also the initial value)
    ReadDriveNotReady = 2,   // drive check failed, or a part could not be read
    ReadDiskUnknown = 3,     // header or part file not found, or not a valid header
    ReadFileUnknown = 4,     // part number or count is 0
    ReadWrongDisk = 5,       // part number other than the expected one
    ReadNoDiskSpace = 7,     // not enough free space for the temporary file, or it cannot be written
    ReadNoMemory = 9,        // the copy buffer cannot be had
};

// Reader steps (the timer state).
enum ReadStep : int {
    StepCheckDrive = 0,
    StepReadHeader = 1,
    StepFindPart = 2,
    StepCheckSpace = 3,
    StepCopyPart = 4,
    StepDiskDone = 5,
    StepFailed = 10,
};

class TFloppyReader : public LongJob {
public:
    TFloppyReader(char drive, TDriveAccess& access);

    // One state step of the disk's run; false once the run has ended.
    bool Step() override;
    // The Abort button.
    void Abort() override;
    bool Finished() const override { return done_; }
    // The run ended with step 5 (the window closes with OK) rather than 10 (Cancel).
    bool Completed() const override { return step_ == StepDiskDone && done_; }
    // The status label.
    std::string StatusText() const override { return status_; }

    // Before each showing: the insert prompt when a new disk is wanted. True when the prompt
    // ended the run (Cancel); the reader is then not shown.
    bool AskInsertDisk();
    // After each showing (or a cancelled prompt): the result's message and the next disk or a
    // retry. True when the whole read has finished.
    bool HandleReadResult();

    int ResultCode() const { return code_; }
    int CurrentStep() const { return step_; }
    int CurrentMeasure() const { return measure_; }
    int DiskNumber() const { return disk_; }
    int DiskCount() const { return diskCount_; }
    char Drive() const { return drive_; }
    // Measures read completely: what the save wizard gets.
    std::uint16_t ReceivedMask() const { return completeMask_; }
    // Every measure of the archive is complete and the read ended with code 0.
    bool Succeeded() const { return code_ == ReadDiskDone && AllComplete(); }

    // Bytes copied per step of a part copy: one 4096-byte block, a fraction of a second even on
    // a real floppy, so the window stays responsive and Abort is heard during a long part.
    static constexpr std::size_t kSliceBytes = 4096;

private:
    bool CheckDrive();
    bool ReadArchiveHeader();
    bool NextArchiveMeasure();
    bool FindArchivePart();
    bool CheckDiskSpace();
    // Copies one slice; false on failure (code set, the temporary file restored).
    bool CopyArchivePart();
    bool Fail(int code);
    void FinishCopiedPart();
    bool AllComplete() const;
    void RestartDisk(bool askForDisk);

    TDriveAccess& access_;
    int step_ = StepCheckDrive;
    int measure_ = 0;        // 0 before the header is read
    int disk_ = 1;
    int diskCount_ = 0;
    int part_ = 1;           // the part expected next
    int partCount_ = 0;
    std::int64_t bytesCopied_ = 0;
    std::string sourcePath_;
    std::string tempPath_;
    std::string root_;
    bool done_ = false;
    bool firstPart_ = true;
    bool askForDisk_ = true;
    char drive_;
    int code_ = ReadInterrupted;
    TArchiveHeader header_;
    std::uint16_t completeMask_ = 0;
    std::string status_;
    // The part copy under way.
    bool copying_ = false;
    std::uint64_t partLength_ = 0;
    std::uint64_t partDone_ = 0;
    std::uint64_t tempStartLength_ = 0;  // the temporary file's length before this part
};

// The main window's disk loop: prompt, show the reader (showDisk runs it to its end), interpret,
// until finished. True exactly when every measure was read; mask := the measures received.
bool ReadArchiveDisks(TFloppyReader& reader, const std::function<void()>& showDisk, std::uint16_t& mask);
