// What a drawing loses when it is saved in an older format version than its own.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "jww/jwwunit.h"

// One message for each kind of data that a save of doc for targetVersion drops or changes;
// nothing when the target keeps everything. Reads TempImageList for the embedded images and
// marks the images in use, as every save does.
std::vector<std::string> DownLevelLosses(const TJwwDocument& doc, int32_t targetVersion);
