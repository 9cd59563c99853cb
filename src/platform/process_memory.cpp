// The allocator's settings for the whole process.
#include "platform/process_memory.h"

#include <malloc.h>

void KeepFreedMemoryForReuse()
{
    // Up to the bound, a block comes from the heap rather than from a mapping of its own (which
    // is handed back as soon as it is freed), and as much free memory stays at the heap's top.
    constexpr int kKeptBytes = static_cast<int>(kKeptFreedBytes);
    mallopt(M_MMAP_THRESHOLD, kKeptBytes);
    mallopt(M_TRIM_THRESHOLD, kKeptBytes);
}
