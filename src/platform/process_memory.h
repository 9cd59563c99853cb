// How the process keeps the memory it frees: the program arranges it first thing at start (and
// the benchmarks, which measure the program, do the same).
#pragma once

#include <cstddef>

// The most freed memory the process keeps for reuse, in the allocator's heap and in the large
// arrays' own blocks alike.
constexpr std::size_t kKeptFreedBytes = std::size_t(256) << 20;

// Freed memory is kept for reuse instead of being handed back to the system at once: the smaller
// arrays and blocks of a view or a job are freed and made again at every view opened and every
// job run, and memory handed back costs a page fault and a zeroed page for every 4 KB the next
// time it is taken (the large arrays of a record window keep their own blocks:
// platform/huge_page_blocks.h).
void KeepFreedMemoryForReuse();
