// The main window's roads into the data intake: choose a drive, read the floppy disks, store
// the received data as a survey, import a repository file. Each shows its windows modal and
// returns what the main window needs next.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class QWidget;
class TDriveAccess;

// "Drive Selection"; nothing on Cancel.
std::optional<char> ChooseDrive(QWidget* parent);
// The disk loop with the reader window; true unless it ended with an error or an abort, with
// mask := the measures received. The second form reaches the disks through `access`.
bool ReadFloppyArchives(QWidget* parent, char drive, std::uint16_t& mask);
bool ReadFloppyArchives(QWidget* parent, char drive, TDriveAccess& access, std::uint16_t& mask);
// The save wizard for the received measures; the survey file when saved, nothing on Cancel.
std::optional<std::string> StoreReceivedData(QWidget* parent, std::uint16_t mask);
// Imports the repository file into the temporary files, then the save wizard; nothing when the
// file cannot be imported or the wizard is cancelled.
std::optional<std::string> ImportRepositoryFile(QWidget* parent, const std::string& rpyPath);
