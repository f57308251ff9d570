// Writing a whole file so that it is either left as it was or holds all of the new bytes.
#pragma once

#include <string>
#include <string_view>

// Writes bytes to a new file beside path and renames it to path, over a file there only when
// replace is set. Raises std::runtime_error, with nothing left behind, when any step fails.
void WriteFileAtomically(const std::string& path, std::string_view bytes, bool replace);
