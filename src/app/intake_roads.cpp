// Intake roads of the main window.
#include "app/intake_roads.h"

#include "dialogs/drive_dlg.h"
#include "dialogs/read_dlg.h"
#include "survey/intake/drive_access.h"
#include "survey/intake/floppy_reader.h"
#include "wizards/save_read_dlg.h"

namespace {
std::optional<std::string> RunSaveWizard(TSaveReadDlg& dlg)
{
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.SurveyFile;
}
}  // namespace

std::optional<char> ChooseDrive(QWidget* parent)
{
    TDriveDlg dlg(parent, DriveBAvailable());
    if (dlg.exec() != QDialog::Accepted) return std::nullopt;
    return dlg.Drive;
}

bool ReadFloppyArchives(QWidget* parent, char drive, TDriveAccess& access, std::uint16_t& mask)
{
    TFloppyReader reader(drive, access);
    TReadDlg dlg(parent, reader);
    return ReadArchiveDisks(reader, [&] { dlg.exec(); }, mask);
}

bool ReadFloppyArchives(QWidget* parent, char drive, std::uint16_t& mask)
{
    TSystemDriveAccess access;
    return ReadFloppyArchives(parent, drive, access, mask);
}

std::optional<std::string> StoreReceivedData(QWidget* parent, std::uint16_t mask)
{
    TSaveReadDlg dlg(parent);
    dlg.ReceivedMask = mask;
    return RunSaveWizard(dlg);
}

std::optional<std::string> ImportRepositoryFile(QWidget* parent, const std::string& rpyPath)
{
    TSaveReadDlg dlg(parent);
    if (!dlg.ImportRepository(rpyPath)) return std::nullopt;
    return RunSaveWizard(dlg);
}
