// The embedded images of two drawings, compared by name and bytes: those a save would embed,
// which are the images that texts refer to and whose temp files are there.
#pragma once

#include <string>
#include <vector>

#include "compare/Change.h"
#include "jww/jwwunit.h"

struct TComparedImage {
    std::string FileName;  // as stored, code page 932
    std::string Path;      // of its temp file
};

// The images a save of doc would embed, from the temp image state of the calling thread, which
// must be the state the drawing was loaded with.
std::vector<TComparedImage> ImagesASaveEmbeds(const TJwwDocument& doc);

struct TImageChange {
    std::string FileName;
    TChange Change;
};

// By name: an image with no namesake in the other drawing is removed or added, one whose bytes
// differ from its namesake's is changed; the old drawing's order, then the new one's. Raises
// EJwwIOError when a temp file cannot be read.
std::vector<TImageChange> CompareImages(const std::vector<TComparedImage>& old,
                                        const std::vector<TComparedImage>& now);
