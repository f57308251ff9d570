#include "tools/AtomicFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "jww/leftovers.h"
#include "jww/move_into_place.h"

namespace {

[[noreturn]] void FailWith(const std::string& what, const std::string& path)
{
    throw std::runtime_error(what + " " + path + " (" + std::strerror(errno) + ")");
}

// The permissions an ordinary new file gets, which mkstemp's private 0600 would not give. Read
// once: the umask can only be read by setting it, which threads saving side by side must not
// do at the same time.
mode_t NewFileMode()
{
    static const mode_t mode = [] {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        return 0666 & ~mask;
    }();
    return mode;
}

}  // namespace

TTempSibling::TTempSibling(const std::string& target)
    : Name(CreateLeftover([this, &target] {
          const std::string folder = std::filesystem::path(target).parent_path().string();
          std::string path = (folder.empty() ? std::string() : folder + "/") + ".zelvane-XXXXXX";
          Fd = ::mkstemp(path.data());
          if (Fd < 0)
              FailWith("cannot create a file beside", target);
          return path;
      }))
{
    if (::fchmod(Fd, NewFileMode()) != 0) {
        ::close(Fd);
        ::unlink(Name.c_str());
        ForgetLeftover(Name);
        FailWith("cannot write", Name);
    }
}

TTempSibling::~TTempSibling()
{
    if (Fd >= 0)
        ::close(Fd);
    if (!Placed)
        ::unlink(Name.c_str());
    ForgetLeftover(Name);
}

void TTempSibling::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(Fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            FailWith("cannot write", Name);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void TTempSibling::CommitAs(const std::string& target, bool replace)
{
    if (::fsync(Fd) != 0)
        FailWith("cannot write", Name);
    Close();
    PlaceAs(target, replace);
}

void TTempSibling::Close()
{
    const int fd = Fd;
    Fd = -1;
    if (::close(fd) != 0)
        FailWith("cannot write", Name);
}

void TTempSibling::PlaceAs(const std::string& target, bool replace)
{
    MoveIntoPlace(Name, target, replace);
    Placed = true;
}

void MakeFoldersDurable(const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders) {
        const int fd = ::open(folder.empty() ? "." : folder.c_str(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            FailWith("cannot open the folder", folder);
        const bool synced = ::syncfs(fd) == 0 && ::fsync(fd) == 0;
        ::close(fd);
        if (!synced)
            FailWith("cannot write to disk in", folder);
    }
}

void WriteFileAtomically(const std::string& path, std::string_view bytes, bool replace)
{
    TTempSibling file(path);
    file.Write(bytes);
    file.CommitAs(path, replace);
}
