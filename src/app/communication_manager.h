// Finding and starting the communication manager, the separate program that talks to the
// recorder: "riveduzo.exe" in the first sub-folder of "Darizuz/" at the root of the volume
// that holds the program folder.
#pragma once

#include <optional>
#include <string>
#include <vector>

// Mount point of the volume holding `path` (with trailing "/"), from the system's mount table.
std::string VolumeRootOf(const std::string& path);
// "<root>Darizuz/<first sub-folder holding it>/riveduzo.exe", or nothing. Names match
// case-insensitively, as they come from a system that ignores letter case.
std::optional<std::string> FindCommunicationManager(const std::string& volumeRoot);

// Starts a program; replaced in tests.
class ProgramStarter {
public:
    virtual ~ProgramStarter() = default;
    virtual bool Start(const std::string& program, const std::vector<std::string>& arguments) = 0;
};
struct CommunicationManagerRun {
    std::string program;
    bool started = false;
};
// Searches the volume root and starts the first manager found with the argument "/v"; nothing
// when none is found (then nothing happens).
std::optional<CommunicationManagerRun> RunCommunicationManager(const std::string& volumeRoot, ProgramStarter& starter);
