// The allocator's settings for the whole process.
#include "platform/process_memory.h"

#include <malloc.h>

void KeepFreedMemoryForReuse()
{
    // Up to 256 MB, a block comes from the heap rather than from a mapping of its own (which is
    // handed back as soon as it is freed), and up to 256 MB of free memory stay at the heap's top.
    constexpr int kKeptBytes = 256 << 20;
    mallopt(M_MMAP_THRESHOLD, kKeptBytes);
    mallopt(M_TRIM_THRESHOLD, kKeptBytes);
}
