#include "tools/UniqueNames.h"

#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <random>

#include "jww/system_files.h"
#include "text/WidePath.h"

namespace {

constexpr std::size_t PlaceholderLength = 6;
constexpr int Attempts = 100;

// Tries names until `create` succeeds or fails for another reason than a name in use.
template <typename Create>
bool CreateUnique(std::string& pattern, Create create)
{
    if (pattern.size() < PlaceholderLength) {
        errno = EINVAL;
        return false;
    }
    std::random_device seed;
    std::mt19937 random(seed());
    const std::size_t start = pattern.size() - PlaceholderLength;
    for (int attempt = 0; attempt < Attempts; ++attempt) {
        char suffix[PlaceholderLength + 1];
        std::snprintf(suffix, sizeof suffix, "%06x", static_cast<unsigned>(random() & 0xFFFFFF));
        pattern.replace(start, PlaceholderLength, suffix);
        if (create(pattern))
            return true;
        if (errno != EEXIST)
            return false;
    }
    return false;
}

}  // namespace

int CreateUniqueFile(std::string& pattern)
{
    int fd = -1;
    CreateUnique(pattern, [&fd](const std::string& path) { return (fd = CreateNewFile(path)) >= 0; });
    return fd;
}

bool CreateUniqueFolder(std::string& pattern)
{
    // A folder under the user's own temp folder inherits its access list, which admits only
    // that user.
    return CreateUnique(pattern, [](const std::string& path) {
        if (CreateDirectoryW(WidePath(path).c_str(), nullptr))
            return true;
        errno = GetLastError() == ERROR_ALREADY_EXISTS ? EEXIST : EACCES;
        return false;
    });
}
