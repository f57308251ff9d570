// The edits file that import and apply take, read whole before any drawing is touched.
#pragma once

#include <optional>
#include <string>

#include "cli/TextEncoding.h"

// The whole content of the file; raises std::runtime_error, naming the path, when it cannot be
// opened or read.
std::string ReadWholeFile(const std::string& path);

// The encoding named by --encoding (utf-8 or cp932), or nothing when none was given.
std::optional<TTextEncoding> EncodingNamed(const std::string& name);
