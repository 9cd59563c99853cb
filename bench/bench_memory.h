// What a benchmark tells of the memory it takes: page faults (each first touch of fresh memory
// is one, and on some machines a costly one) and the peak resident size (VmHWM).
#pragma once

#include "platform/huge_page_blocks.h"

#include <fstream>
#include <malloc.h>
#include <string>
#include <sys/resource.h>

inline double PageFaults()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_minflt + usage.ru_majflt);
}

// A field of /proc/self/status in megabytes ("VmHWM", "VmRSS").
inline double StatusMegabytes(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind(field + ":", 0) == 0) return std::stod(line.substr(field.size() + 1)) / 1024.0;
    return 0;
}

// Every freed block the process keeps for reuse handed back to the system, so what follows
// takes new pages, as the first job or view of a run does.
inline void HandBackFreedMemory()
{
    malloc_trim(0);
    HandBackKeptHugePageBlocks();
}

// From here on VmHWM is the peak of what follows.
inline void ResetPeakMemory() { std::ofstream("/proc/self/clear_refs") << "5"; }

// The resident size once the memory the process keeps for reuse is handed back, with VmHWM reset
// to it: VmHWM minus this is the peak of what follows, whatever earlier work left for reuse.
inline double PeakMemoryBaseline()
{
    HandBackFreedMemory();
    ResetPeakMemory();
    return StatusMegabytes("VmRSS");
}
