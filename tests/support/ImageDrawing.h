// Drawings with embedded images for tests of the window and zelvane-cli, written by the library
// itself, so that they hold what the format's own writer makes of them.
#pragma once

#include <string>

// Writes a drawing of version 7.00 to path whose one text refers to the image imageName,
// embedded with the given bytes; the image passes through a folder scratch of its own. The
// module's temp image state is as it was afterwards. Returns whether the save succeeded.
bool SaveDrawingWithImage(const std::string& path, const std::string& imageName,
                          const std::string& image, const std::string& scratch);
