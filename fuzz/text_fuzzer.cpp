// The Shift-JIS routines and the code page 932 conversions on arbitrary text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    CheckText(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
