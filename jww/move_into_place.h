// Putting a finished file where it belongs in one step, so that the place holds either what was
// there before or the whole new file.
#pragma once

#include <string>

// Renames from to target. With replace off, a file that exists at target is never replaced,
// not even one that appears there while the new file was being written; raises EJwwIOError,
// saying that target exists, and from stays where it is. Raises EJwwIOError on any other
// failure too.
void MoveIntoPlace(const std::string& from, const std::string& target, bool replace);
