#include "tools/UniqueNames.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace {

// The permissions an ordinary new file gets, which mkstemp's private 0600 would not give.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

}  // namespace

int CreateUniqueFile(std::string& pattern)
{
    const int fd = ::mkstemp(pattern.data());
    if (fd >= 0 && ::fchmod(fd, NewFileMode()) != 0) {
        ::close(fd);
        ::unlink(pattern.c_str());
        return -1;
    }
    return fd;
}

bool CreateUniqueFolder(std::string& pattern)
{
    return ::mkdtemp(pattern.data()) != nullptr;
}
