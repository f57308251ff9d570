// The characters that end a folder's name in a path: '/' on Linux, where '\' may be part of a
// name; '/' and '\' on Windows, where paths are UTF-8 and '\' is never part of a character.
#pragma once

#include <string_view>

std::string_view FolderSeparators();
