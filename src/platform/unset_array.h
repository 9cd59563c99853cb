// Arrays that their maker fills at once (the values of a record window): growing one leaves the
// new elements unset, since zeroing megabytes that are written next costs a pass over them.
#pragma once

#include <cstddef>
#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

#include "platform/huge_page_blocks.h"

// Under the address sanitizer every array comes from the allocator, whose blocks it checks.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kLargeArraysOnHugePages = false;
#else
inline constexpr bool kLargeArraysOnHugePages = true;
#endif

template <typename T>
class TUnsetAllocator : public std::allocator<T> {
    static_assert(std::is_trivially_default_constructible_v<T>, "only for plain values");

public:
    template <typename U>
    struct rebind {
        using other = TUnsetAllocator<U>;
    };
    TUnsetAllocator() noexcept = default;
    template <typename U>
    TUnsetAllocator(const TUnsetAllocator<U>&) noexcept
    {
    }
    // Default-initialised: a plain value stays as the memory held it.
    template <typename U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <typename U, typename... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
    // A large array (a record window's) takes a block on huge pages (platform/huge_page_blocks.h).
    T* allocate(std::size_t n)
    {
        if (!OnHugePages(n)) return std::allocator<T>::allocate(n);
        return static_cast<T*>(TakeHugePageBlock(n * sizeof(T)));
    }
    void deallocate(T* p, std::size_t n)
    {
        if (!OnHugePages(n)) std::allocator<T>::deallocate(p, n);
        else GiveBackHugePageBlock(p, n * sizeof(T));
    }

private:
    static bool OnHugePages(std::size_t n) { return kLargeArraysOnHugePages && n * sizeof(T) >= kHugePageBytes; }
};

template <typename T>
using TUnsetArray = std::vector<T, TUnsetAllocator<T>>;
