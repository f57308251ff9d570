// Writing a file beside its target and putting it in the target's place in one step, so that
// the place holds either what was there before or the whole new file.
#pragma once

#include <string>

// Moves from to target. With replace off, a file that exists at target is never replaced,
// not even one that appears there while the new file was being written; raises EJwwIOError,
// saying that target exists, and from stays where it is. Raises EJwwIOError on any other
// failure too.
void MoveIntoPlace(const std::string& from, const std::string& target, bool replace);

// Creates a new file beside target under a name that no other save, of this process or another,
// uses at the same time; with the permissions of an ordinary new file, so the process's umask
// and the folder's default permissions apply as they would to the target; never over a name
// that exists nor through a link planted under it. Sets path and returns the descriptor.
// Raises EJwwIOError when no file can be made.
int CreateFileBeside(const std::string& target, std::string& path);
