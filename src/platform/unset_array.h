// Arrays that their maker fills at once (the values of a record window): growing one leaves the
// new elements unset, since zeroing megabytes that are written next costs a pass over them.
#pragma once

#include <memory>
#include <type_traits>
#include <vector>

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
};

template <typename T>
using TUnsetArray = std::vector<T, TUnsetAllocator<T>>;
