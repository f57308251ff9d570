#include "tests/jww/allocation_probe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> Largest{0};
}

// The program's allocation functions, replaced to note the size of every request.
void* operator new(std::size_t n)
{
    std::size_t seen = Largest.load();
    while (n > seen && !Largest.compare_exchange_weak(seen, n)) {
    }
    if (void* p = std::malloc(n == 0 ? 1 : n))
        return p;
    throw std::bad_alloc();
}

void operator delete(void* p) noexcept
{
    std::free(p);
}

void operator delete(void* p, std::size_t) noexcept
{
    std::free(p);
}

std::size_t LargestAllocationSinceAsked()
{
    return Largest.exchange(0);
}
