// Whether a stream of zelvane-cli is shown on a terminal, where a progress bar that redraws
// itself helps; a file or a pipe gets plain lines instead.
#pragma once

#include <ostream>

// True for std::cout or std::cerr when their file is a terminal; false for every other stream.
bool IsTerminal(const std::ostream& stream);
