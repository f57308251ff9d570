// Whole-file load of arbitrary bytes: no crash, hang, leak or sanitizer report, and a
// consistent document after every complete load.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    CheckLoad(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
