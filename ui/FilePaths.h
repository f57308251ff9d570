// The parts of a file path as the window uses them. Paths are byte strings; a folder
// separator (ui/FolderSeparators.h) is never the second byte of a double-byte character.
#pragma once

#include <string>
#include <string_view>

// Everything up to and including the last '/'; empty when there is none.
std::string FolderPart(std::string_view path);

// Everything after the last '/'.
std::string FileNamePart(std::string_view path);

// The file name's extension from its last full stop, full stop included, with its single-byte
// letters in upper case; empty when the file name has no full stop.
std::string UpperExtension(std::string_view path);

// Whether a file (not a folder) exists at the path.
bool FileExists(const std::string& path);

// Whether `path` names the existing file `existing`: the same text, or another path that the
// file system resolves to the same file (a link, a "./" step, a doubled separator).
bool NamesSameFile(const std::string& path, const std::string& existing);
