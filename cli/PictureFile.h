// A picture of a drawing written into a new file beside where it is to go, for render and for
// the pictures of apply --check.
#pragma once

#include "cli/AtomicFile.h"
#include "jww/jwwunit.h"
#include "render/PictureFrame.h"

enum class TPictureFormat { Svg, Png };

// Writes the picture's bytes into the file, which the caller then puts in place. Raises
// std::runtime_error when the picture cannot be drawn or written.
void WritePicture(const TJwwDocument& doc, const TPictureOptions& options, TPictureFormat format,
                  TTempSibling& file);
