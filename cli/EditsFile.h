// The edits file that import and apply take, read whole before any drawing is touched.
#pragma once

#include <optional>
#include <string>

#include "cli/TableEdits.h"
#include "cli/TextEncoding.h"

// The whole content of the file; raises std::runtime_error, naming the path, when it cannot be
// opened or read.
std::string ReadWholeFile(const std::string& path);

// The encoding named by --encoding (utf-8 or cp932), or nothing when none was given.
std::optional<TTextEncoding> EncodingNamed(const std::string& name);

// The edits in the file at path, read with the encoding named, as import reads them; nothing
// when they cannot be used, with the message and the exit status that import gives: a usage
// error for edits that do not read, a failure for a file that cannot be read.
std::optional<std::vector<TCellEdit>> ReadEditsFile(const std::string& path,
                                                    const std::string& encodingName,
                                                    int& exitCode, std::string& whyNot);
