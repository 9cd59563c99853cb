// Large unset arrays are blocks of their own on huge pages, kept when freed for the next array of
// about their size; small ones come from the allocator.
#include "platform/unset_array.h"

#include <cstdint>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>

namespace {
// The VmFlags of the mapping that holds `address`, from /proc/self/smaps ("" when none does).
std::string MappingFlags(const void* address)
{
    const auto at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    bool inside = false;
    for (std::string line; std::getline(smaps, line);) {
        std::uintptr_t begin = 0, end = 0;
        char dash = 0;
        std::istringstream range(line);
        if (range >> std::hex >> begin >> dash >> end && dash == '-') inside = begin <= at && at < end;
        else if (inside && line.rfind("VmFlags:", 0) == 0) return line;
    }
    return "";
}

bool HugePagesAdvised(const void* address) { return MappingFlags(address).find(" hg") != std::string::npos; }
}  // namespace

// Growing an array constructs its new elements through the allocator, which leaves them unset.
static_assert(requires(TUnsetAllocator<float> allocator, float* p) { allocator.construct(p); });

TEST(UnsetArray, LargeArraysLieOnHugePagesAndTheirFreedBlocksServeTheNext)
{
    const int probe = 0;
    if (!kLargeArraysOnHugePages) GTEST_SKIP() << "every array from the allocator";
    if (MappingFlags(&probe).empty()) GTEST_SKIP() << "no /proc/self/smaps";
    const void* first = nullptr;
    {
        TUnsetArray<double> large(std::size_t(3) << 20);  // 24 MB
        first = large.data();
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(first) % kHugePageBytes, 0u);
        EXPECT_TRUE(HugePagesAdvised(large.data() + large.size() / 2));
        large.back() = 1;
    }
    // The freed block serves an array of its size, and a shorter one, cut to its length.
    TUnsetArray<double> again(std::size_t(3) << 20);
    EXPECT_EQ(again.data(), first);
    again.clear();
    again.shrink_to_fit();
    TUnsetArray<float> shorter(std::size_t(1) << 20);  // 4 MB
    EXPECT_EQ(static_cast<const void*>(shorter.data()), first);
    shorter.back() = 2;
    EXPECT_EQ(MappingFlags(shorter.data() + shorter.size() + 1024), "") << "past the cut: handed back";

    TUnsetArray<float> small(1000);
    EXPECT_FALSE(HugePagesAdvised(small.data()));
}
