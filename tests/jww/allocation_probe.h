// Watches the allocations of the test program, so that a test can tell that a length or a count
// read from a file was never trusted with memory before it was checked.
#pragma once

#include <cstddef>

// Remembers the largest single allocation made while it lives.
class TAllocationProbe {
public:
    TAllocationProbe();
    std::size_t Largest() const;
};
