// A PNG picture of a drawing, drawn with Cairo on Linux and GDI+ on Windows: the same frame,
// colours, widths, dashes and filter as the SVG picture, without a toolkit.
#pragma once

#include <string>

#include "jww/jwwunit.h"
#include "render/PictureFrame.h"

// Writes the picture to path as a whole, replacing a file there only when replace is set.
// Raises std::runtime_error when the picture cannot be drawn or written.
void WritePngPicture(const TJwwDocument& doc, const TPictureOptions& options,
                     const std::string& path, bool replace);
