#include "jww/leftovers.h"

#include <algorithm>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <vector>

#include "jww/system_files.h"

namespace {

// Not destroyed at exit, as threads may still use it then.
std::mutex& LeftoverMutex()
{
    static auto* mutex = new std::mutex;
    return *mutex;
}

std::vector<std::string>& Leftovers()
{
    static auto* paths = new std::vector<std::string>;
    return *paths;
}

// Another thread may still be adding a file to a folder; each pass removes what is there.
void RemoveWhole(const std::string& path)
{
    for (int pass = 0; pass < 100; ++pass) {
        std::error_code error;
        std::filesystem::remove_all(FsPath(path), error);
        if (!std::filesystem::exists(std::filesystem::symlink_status(FsPath(path), error)))
            return;
    }
}

}  // namespace

std::string CreateLeftover(const std::function<std::string()>& create)
{
    const std::lock_guard lock(LeftoverMutex());
    std::string path = create();
    Leftovers().push_back(path);
    return path;
}

void ForgetLeftover(const std::string& path)
{
    const std::lock_guard lock(LeftoverMutex());
    std::vector<std::string>& paths = Leftovers();
    const auto at = std::find(paths.begin(), paths.end(), path);
    if (at != paths.end())
        paths.erase(at);
}

void RemoveLeftoversForGood()
{
    // Never unlocked: the program ends before anything else could be listed.
    LeftoverMutex().lock();
    for (const std::string& path : Leftovers())
        RemoveWhole(path);
}
