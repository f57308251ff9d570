// Watches the allocations of the test program, so that a test can tell that a length or a count
// read from a file was never trusted with memory before it was checked.
#pragma once

#include <cstddef>

// The largest single allocation since the previous call.
std::size_t LargestAllocationSinceAsked();
