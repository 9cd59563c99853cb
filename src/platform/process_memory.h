// How the process keeps the memory it frees: the program arranges it first thing at start (and
// the benchmarks, which measure the program, do the same).
#pragma once

// Freed memory is kept for reuse instead of being handed back to the system at once: the smaller
// arrays and blocks of a view or a job are freed and made again at every view opened and every
// job run, and memory handed back costs a page fault and a zeroed page for every 4 KB the next
// time it is taken (the large arrays of a record window keep their own blocks:
// platform/huge_page_blocks.h).
void KeepFreedMemoryForReuse();
