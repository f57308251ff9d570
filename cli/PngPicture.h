// A PNG picture of a drawing, drawn with Cairo on Linux and GDI+ on Windows: the same frame,
// colours, widths, dashes and filter as the SVG picture, without a toolkit.
#pragma once

#include <string>

#include "jww/jwwunit.h"
#include "render/PictureFrame.h"

// The picture's PNG bytes, its longer side so many pixels. Raises std::runtime_error when the
// picture cannot be drawn.
std::string PngPicture(const TJwwDocument& doc, const TPictureOptions& options, int longerSide);
