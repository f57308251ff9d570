// Load, save, reload and save again: whatever saves must load completely and save to the
// same bytes.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    CheckRoundTrip(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
