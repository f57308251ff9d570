#include "tests/jww/allocation_probe.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
std::atomic<std::size_t> LargestAllocation{0};
}

// The program's allocation functions, replaced to note the size of every request.
void* operator new(std::size_t n)
{
    std::size_t seen = LargestAllocation.load();
    while (n > seen && !LargestAllocation.compare_exchange_weak(seen, n)) {
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

TAllocationProbe::TAllocationProbe()
{
    LargestAllocation.store(0);
}

std::size_t TAllocationProbe::Largest() const
{
    return LargestAllocation.load();
}
