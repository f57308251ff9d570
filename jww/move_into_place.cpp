#include "jww/move_into_place.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <random>

#include "jww/stream.h"
#include "jww/system_files.h"

namespace {

// A name that no other save, of this process or another, uses at the same time. The process id
// keeps processes apart and a count the saves of one process; the count is mixed with a key
// drawn once per process, so that names cannot be guessed ahead, which would let another user
// hold up saves into a shared folder. The mix is one to one, so counts never share a name.
// A random source seeded for every save cost a small save a twentieth of its time.
std::string UniqueName()
{
    static const uint64_t key = [] {
        std::random_device seed;
        return static_cast<uint64_t>(seed()) << 32 | seed();
    }();
    static std::atomic<uint64_t> saves{0};
    uint64_t z = key + 0x9E3779B97F4A7C15ull * (saves.fetch_add(1, std::memory_order_relaxed) + 1);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    char name[40];
    std::snprintf(name, sizeof name, "%lx-%016llx", static_cast<unsigned long>(::getpid()),
                  static_cast<unsigned long long>(z));
    return name;
}

}  // namespace

int CreateFileBeside(const std::string& target, std::string& path)
{
    // The name leaves the target's name out, so that a long target name cannot make it too long
    // for the folder.
    const std::string folder = Utf8Path(FsPath(target).parent_path());
    const std::string prefix = (folder.empty() ? std::string() : folder + "/") + ".zelvane-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        path = prefix + UniqueName() + ".tmp";
        const int fd = CreateNewFile(path);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST)
            break;
    }
    throw EJwwIOError("cannot create a file beside " + target + " (" + std::strerror(errno) + ")");
}

void MoveIntoPlace(const std::string& from, const std::string& target, bool replace)
{
    if (MoveOver(from, target, replace))
        return;
    if (errno == EEXIST)
        throw EJwwIOError(target + " exists already");
    throw EJwwIOError("cannot put the file in place as " + target + " (" + std::strerror(errno) +
                      ")");
}
