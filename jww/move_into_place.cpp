#include "jww/move_into_place.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

#include "jww/stream.h"

namespace {

[[noreturn]] void FailToPlace(const std::string& target)
{
    if (errno == EEXIST)
        throw EJwwIOError(target + " exists already");
    throw EJwwIOError("cannot put the file in place as " + target + " (" + std::strerror(errno) +
                      ")");
}

// For file systems that cannot rename without replacing: a second name fails where one exists.
void LinkInPlace(const std::string& from, const std::string& target)
{
    if (::link(from.c_str(), target.c_str()) != 0)
        FailToPlace(target);
    ::unlink(from.c_str());
}

}  // namespace

void MoveIntoPlace(const std::string& from, const std::string& target, bool replace)
{
    if (replace) {
        if (::rename(from.c_str(), target.c_str()) != 0)
            FailToPlace(target);
        return;
    }
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0)
        return;
    if (errno == EINVAL || errno == ENOSYS)
        LinkInPlace(from, target);
    else
        FailToPlace(target);
}
