// An SVG picture of a drawing as its author saw it: its paper or the extent of what it shows,
// y axis up, the background of pen 0, each pen's colour and screen width and each line type's
// dashes, widths and dashes in pixels of the picture at its size. Each object of the main entity
// list that is shown is one group element carrying the object's kind (data-kind), its layer as
// "G-L" (data-layer) and its place in the list (data-index). Each block definition that is
// placed is written once into <defs>, and each insertion is a <use> of it, so that the picture
// grows with the drawing, not with the expansion of its blocks.
#pragma once

#include <ostream>
#include <string_view>

#include "jww/jwwunit.h"
#include "render/PictureFrame.h"

// The name of an object kind in data-kind: "sen", "enko", "ten", "moji", "sunpou", "solid",
// "block"; empty for any other code.
std::string_view KindName(int32_t kind);

void WriteSvg(const TJwwDocument& doc, const TPictureOptions& options, std::ostream& out);
