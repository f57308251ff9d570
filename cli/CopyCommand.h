// zelvane-cli copy IN OUT: loads a drawing and saves it to a new file in its own version.
#pragma once

#include <ostream>
#include <string>

// Copies the drawing at input to output, replacing a file there only when replace is set and
// dropping bytes after the drawing's last section only when allowLoss is; returns the exit code
// and tells why on err.
int CopyDrawing(const std::string& input, const std::string& output, bool allowLoss,
                std::ostream& err, bool replace = false);
