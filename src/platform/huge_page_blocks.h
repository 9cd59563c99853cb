// The memory of large arrays (a record window's times and values): blocks mapped on their own,
// on huge pages where the system gives them, so that filling a new one costs a page fault every
// 2 MB instead of every 4 KB; a freed block is kept for the next array it can hold (a view
// opened again, the next window of a job), cut to that array's length, up to the bound the
// allocator keeps smaller ones to (kKeptFreedBytes).
#pragma once

#include <cstddef>

// A huge page of the processor's: the least block taken here.
constexpr std::size_t kHugePageBytes = std::size_t(2) << 20;

// A block of at least `bytes` (kHugePageBytes or more), starting on a huge page; throws
// std::bad_alloc when there is no memory.
void* TakeHugePageBlock(std::size_t bytes);
// Gives back a block TakeHugePageBlock gave for the same `bytes`.
void GiveBackHugePageBlock(void* block, std::size_t bytes);
// Hands back every kept block, as malloc_trim does with what the allocator keeps (for a
// measurement of the memory a job takes from nothing kept).
void HandBackKeptHugePageBlocks();
