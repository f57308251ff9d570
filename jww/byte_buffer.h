// The buffers of the readers and writers. Their bytes are not cleared when they are made, as
// every byte is written before it is read: clearing the writer's megabyte alone took a quarter
// of the time of saving a small drawing, and it also made the system hand out every page of
// the buffer, where a small drawing touches only the first few.
#pragma once

#include <memory>
#include <new>
#include <vector>

template <class T>
struct TUnclearedAllocator : std::allocator<T> {
    template <class U>
    struct rebind {
        using other = TUnclearedAllocator<U>;
    };

    TUnclearedAllocator() = default;
    template <class U>
    TUnclearedAllocator(const TUnclearedAllocator<U>&) noexcept
    {
    }

    // A new element without a value; anything constructed from a value gets that value.
    template <class U>
    void construct(U* p) noexcept
    {
        ::new (static_cast<void*>(p)) U;
    }
    template <class U, class... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }
};

using TByteBuffer = std::vector<char, TUnclearedAllocator<char>>;
