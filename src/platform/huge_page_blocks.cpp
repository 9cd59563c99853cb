// Large arrays' blocks: mapped on huge pages, kept when freed, cut to the next array's length.
#include "platform/huge_page_blocks.h"

#include "platform/process_memory.h"

#include <cstdint>
#include <mutex>
#include <new>
#include <sys/mman.h>
#include <vector>

namespace {
constexpr std::uintptr_t kPageBytes = 4096;
std::size_t MappedLength(std::size_t bytes) { return (bytes + kPageBytes - 1) & ~(kPageBytes - 1); }

void* MapBlock(std::size_t length)
{
    // A huge page more than asked for, so that a huge page boundary lies within its first one;
    // the parts before that boundary and after the block are handed back at once.
    void* mapped = mmap(nullptr, length + kHugePageBytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(mapped);
    const std::uintptr_t block = (start + kHugePageBytes - 1) & ~(kHugePageBytes - 1);
    if (block > start) munmap(mapped, block - start);
    const std::uintptr_t after = start + kHugePageBytes - block;
    if (after > 0) munmap(reinterpret_cast<void*>(block + length), after);
    madvise(reinterpret_cast<void*>(block), length, MADV_HUGEPAGE);
    return reinterpret_cast<void*>(block);
}

struct KeptBlock {
    void* block;
    std::size_t length;
};

// The freed blocks kept, and their total length.
class KeptBlocks {
public:
    // The shortest kept block of `length` or more, taken out of the list and cut to `length`
    // (what lies past it is handed back); null when none is.
    void* Take(std::size_t length)
    {
        std::lock_guard lock(mutex_);
        auto best = blocks_.end();
        for (auto b = blocks_.begin(); b != blocks_.end(); ++b)
            if (b->length >= length && (best == blocks_.end() || b->length < best->length)) best = b;
        if (best == blocks_.end()) return nullptr;
        const KeptBlock taken = *best;
        kept_ -= taken.length;
        blocks_.erase(best);
        if (taken.length > length) munmap(static_cast<char*>(taken.block) + length, taken.length - length);
        return taken.block;
    }
    void HandBackAll()
    {
        std::lock_guard lock(mutex_);
        for (const KeptBlock& b : blocks_) munmap(b.block, b.length);
        blocks_.clear();
        kept_ = 0;
    }
    // False when keeping it would pass the bound.
    bool Keep(void* block, std::size_t length)
    {
        std::lock_guard lock(mutex_);
        if (kept_ + length > kKeptFreedBytes) return false;
        blocks_.push_back({block, length});
        kept_ += length;
        return true;
    }

private:
    std::mutex mutex_;
    std::vector<KeptBlock> blocks_;
    std::size_t kept_ = 0;
};

KeptBlocks& Kept()
{
    static KeptBlocks kept;
    return kept;
}
}  // namespace

void* TakeHugePageBlock(std::size_t bytes)
{
    const std::size_t length = MappedLength(bytes);
    if (void* block = Kept().Take(length)) return block;
    return MapBlock(length);
}

void GiveBackHugePageBlock(void* block, std::size_t bytes)
{
    const std::size_t length = MappedLength(bytes);
    if (!Kept().Keep(block, length)) munmap(block, length);
}

void HandBackKeptHugePageBlocks() { Kept().HandBackAll(); }
