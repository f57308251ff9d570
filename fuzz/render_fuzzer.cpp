// A drawing of arbitrary bytes, as far as it loads, drawn to primitives, SVG and PNG: no crash,
// hang, leak or sanitizer report, and no picture beyond the budget of insertions.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz/FuzzChecks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    CheckRender(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
