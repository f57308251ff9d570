// Files and folders created under a name no other exists with, for the command-line program's
// temporary files. A pattern is a UTF-8 path ending in "XXXXXX", which is replaced in place.
#pragma once

#include <string>

// A new file with the permissions of an ordinary new file; its descriptor, or -1 with errno.
int CreateUniqueFile(std::string& pattern);
// A new folder that only this user may enter; false with errno.
bool CreateUniqueFolder(std::string& pattern);
