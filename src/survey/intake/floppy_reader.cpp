// Floppy archive reader: the steps of one disk and the handling of each disk's result.
#include "survey/intake/floppy_reader.h"

#include "platform/messages.h"
#include "platform/prog_dirs.h"
#include "survey/intake/temp_file_ops.h"
#include "survey/text_tables.h"

#include <algorithm>

namespace {
bool AskRetry(const char* text) { return ShowMessage(text, MsgType::Warning, MbYesNo) == MbYes; }
std::uint16_t MeasureBit(int measure) { return static_cast<std::uint16_t>(1u << (measure - 1)); }
}  // namespace

TFloppyReader::TFloppyReader(char drive, TDriveAccess& access) : access_(access), drive_(drive) {}

bool TFloppyReader::Step()
{
    if (done_) return false;
    switch (step_) {
    case StepCheckDrive:
        status_ = "Drive checking...";
        // Later disks carry no header.
        step_ = !CheckDrive() ? StepFailed : measure_ == 0 ? StepReadHeader : StepFindPart;
        break;
    case StepReadHeader:
        status_ = "Reading Header...";
        step_ = ReadArchiveHeader() ? StepFindPart : StepFailed;
        break;
    case StepFindPart:
        status_ = "File searching...";
        step_ = FindArchivePart() ? StepCheckSpace : StepFailed;
        break;
    case StepCheckSpace:
        status_ = "Hard disk space checking...";
        step_ = CheckDiskSpace() ? StepCopyPart : StepFailed;
        break;
    case StepCopyPart: {
        status_ = "Copying " + std::string(MeasureName(measure_)) + " file...";
        if (!CopyArchivePart()) {
            step_ = StepFailed;
            break;
        }
        if (copying_) break;  // more slices to come
        const bool measureComplete = completeMask_ & MeasureBit(measure_);
        // The next measure's part is sought on the same disk.
        step_ = measureComplete && NextArchiveMeasure() ? StepFindPart : StepDiskDone;
        break;
    }
    case StepDiskDone:
        done_ = true;
        status_ = AllComplete() ? "Success" : "";
        code_ = ReadDiskDone;
        return false;
    default:
        done_ = true;
        return false;
    }
    return true;
}

void TFloppyReader::Abort()
{
    if (copying_) {
        TruncateFile(tempPath_, tempStartLength_);
        copying_ = false;
    }
    step_ = StepFailed;
    code_ = ReadInterrupted;
    done_ = true;
}

bool TFloppyReader::Fail(int code)
{
    code_ = code;
    return false;
}

bool TFloppyReader::CheckDrive()
{
    auto folder = access_.DiskFolder(drive_, disk_);
    if (!folder || !FolderExists(*folder)) return Fail(ReadDriveNotReady);
    root_ = WithTrailingSlash(*folder);
    return true;
}

bool TFloppyReader::ReadArchiveHeader()
{
    auto path = FindFileNoCase(root_, std::string(ArchiveFileNames[0]));
    if (!path) return Fail(ReadDiskUnknown);
    auto bytes = ReadWholeFile(*path, kArchiveHeaderMaxSize);
    auto header = bytes ? LoadArchiveHeader(*bytes) : std::nullopt;
    // A set of no disks or of no known measure cannot be read.
    if (!header || header->DiskCount < 1 || (header->MeasureMask & kArchiveMeasureBits) == 0)
        return Fail(ReadDiskUnknown);
    header_ = *header;
    header_.MeasureMask &= kArchiveMeasureBits;
    diskCount_ = header_.DiskCount;
    NextArchiveMeasure();
    return true;
}

bool TFloppyReader::NextArchiveMeasure()
{
    part_ = 1;
    partCount_ = 0;
    bytesCopied_ = 0;
    firstPart_ = true;
    for (int k = measure_ + 1; k <= kMeasureCount; ++k) {
        if (header_.MeasureMask & MeasureBit(k)) {
            measure_ = k;
            return true;
        }
    }
    return false;
}

bool TFloppyReader::FindArchivePart()
{
    const auto names = ListFiles(root_, std::string(ArchiveFileNames[static_cast<std::size_t>(measure_)]));
    if (names.empty()) return Fail(ReadDiskUnknown);
    // Several parts of one measure on a disk: take the one expected.
    auto found = std::find_if(names.begin(), names.end(),
                              [&](const std::string& n) { return ParseArchivePartName(n).number == part_; });
    const std::string name = found != names.end() ? *found : names.front();
    const ArchivePartName parsed = ParseArchivePartName(name);
    if (firstPart_) partCount_ = parsed.count;
    sourcePath_ = root_ + name;
    if (parsed.count == 0 || parsed.number == 0) return Fail(ReadFileUnknown);
    // A later part counting otherwise belongs to another set of disks.
    if (parsed.number != part_ || parsed.count != partCount_) return Fail(ReadWrongDisk);
    return true;
}

bool TFloppyReader::CheckDiskSpace()
{
    const std::int64_t need = std::max<std::int64_t>(0, std::int64_t(header_.SizeOf(measure_)) - bytesCopied_);
    auto free = access_.FreeSpace(DataDir());
    if (free && *free < static_cast<std::uint64_t>(need)) return Fail(ReadNoDiskSpace);
    return true;
}

bool TFloppyReader::CopyArchivePart()
{
    if (!copying_) {
        tempPath_ = TempFileName(measure_);
        auto length = FileSize(sourcePath_);
        if (!length) return Fail(ReadDriveNotReady);
        partLength_ = *length;
        partDone_ = 0;
        // Part 1 starts the temporary file afresh; later parts go on its end.
        tempStartLength_ = part_ <= 1 ? 0 : FileSize(tempPath_).value_or(0);
        if ((part_ <= 1 || !FileExists(tempPath_)) && !CreateEmptyFile(tempPath_)) return Fail(ReadNoDiskSpace);
        copying_ = true;
    }
    const std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(kSliceBytes, partLength_ - partDone_));
    if (count > 0) {
        auto slice = access_.ReadSlice(sourcePath_, partDone_, count);
        const int fault = !slice ? ReadDriveNotReady : !AppendToFile(tempPath_, *slice) ? ReadNoDiskSpace : ReadDiskDone;
        if (fault != ReadDiskDone) {
            // A retry copies the part again from its start: nothing of it may stay.
            TruncateFile(tempPath_, tempStartLength_);
            copying_ = false;
            return Fail(fault);
        }
        partDone_ += count;
    }
    if (partDone_ == partLength_) {
        copying_ = false;
        FinishCopiedPart();
    }
    return true;
}

void TFloppyReader::FinishCopiedPart()
{
    bytesCopied_ += static_cast<std::int64_t>(partLength_);
    firstPart_ = false;
    // The expected part advances only once a part is copied, so a measure that starts on a
    // later disk is still found there as part 1.
    if (part_ >= partCount_)
        completeMask_ |= MeasureBit(measure_);
    else
        ++part_;
}

bool TFloppyReader::AllComplete() const
{
    return header_.MeasureMask != 0 && completeMask_ == header_.MeasureMask;
}

void TFloppyReader::RestartDisk(bool askForDisk)
{
    step_ = StepCheckDrive;
    done_ = false;
    code_ = ReadDiskDone;
    askForDisk_ = askForDisk;
}

bool TFloppyReader::AskInsertDisk()
{
    if (!askForDisk_) return false;
    const std::string text = "Insert disk " + std::to_string(disk_) + " into drive " + std::string(1, drive_) +
                             ":\nand press OK when ready...";
    if (ShowMessage(text, MsgType::Information, MbOkCancel) == MbCancel) {
        code_ = ReadInterrupted;
        return true;
    }
    return false;
}

bool TFloppyReader::HandleReadResult()
{
    auto nextDisk = [this] {
        ++disk_;
        RestartDisk(true);
        return false;
    };
    auto retry = [this](const char* text, bool askForDisk) {
        if (!AskRetry(text)) return true;
        RestartDisk(askForDisk);
        return false;
    };
    switch (code_) {
    case ReadDiskDone:
        if (AllComplete()) {
            ShowMessage("Copy completed successfully.", MsgType::Information, MbOk);
            return true;
        }
        if (disk_ < diskCount_) return nextDisk();
        // The last disk is read but a measure is still incomplete: not a success.
        code_ = ReadDiskUnknown;
        return retry("Disk not recognized. Retry ?", true);
    case ReadInterrupted:
        ShowMessage("Function interrupted by user.", MsgType::Information, MbOk);
        return true;
    case ReadDriveNotReady: return retry("Drive not ready. Retry ?", false);
    case ReadDiskUnknown:
        // A disk without this measure's part: its data go on in the next disk.
        if (disk_ < diskCount_) return nextDisk();
        return retry("Disk not recognized. Retry ?", true);
    case ReadFileUnknown: return retry("File not recognized. Retry ?", true);
    case ReadWrongDisk: return retry("Wrong disk number. Retry ?", true);
    case ReadNoDiskSpace:
        ShowMessage("Insufficient disk space.", MsgType::Warning, MbOk);
        return true;
    case ReadNoMemory:
        if (ShowMessage("Not enough memory to allocate buffer.", MsgType::Warning, MbOkCancel) == MbCancel) return true;
        RestartDisk(true);
        return false;
    default: return true;
    }
}

bool ReadArchiveDisks(TFloppyReader& reader, const std::function<void()>& showDisk, std::uint16_t& mask)
{
    bool finished = false;
    while (!finished) {
        if (!reader.AskInsertDisk()) showDisk();
        finished = reader.HandleReadResult();
    }
    mask = reader.ReceivedMask();
    return reader.Succeeded();
}
