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

// The permissions an ordinary new file gets, which mkstemp's private 0600 would not give.
mode_t NewFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

class TTempSibling {
public:
    explicit TTempSibling(const std::string& target)
        : Path(CreateLeftover([this, &target] {
              const std::string folder = std::filesystem::path(target).parent_path().string();
              std::string path = (folder.empty() ? std::string() : folder + "/") + ".zelvane-XXXXXX";
              Fd = ::mkstemp(path.data());
              if (Fd < 0)
                  FailWith("cannot create a file beside", target);
              return path;
          }))
    {
    }
    TTempSibling(const TTempSibling&) = delete;
    TTempSibling& operator=(const TTempSibling&) = delete;

    ~TTempSibling()
    {
        if (Fd >= 0)
            ::close(Fd);
        if (!Committed)
            ::unlink(Path.c_str());
        ForgetLeftover(Path);
    }

    void Write(std::string_view bytes)
    {
        if (::fchmod(Fd, NewFileMode()) != 0)
            FailWith("cannot write", Path);
        while (!bytes.empty()) {
            const ssize_t n = ::write(Fd, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                FailWith("cannot write", Path);
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
    }

    void CommitAs(const std::string& target, bool replace)
    {
        if (::fsync(Fd) != 0)
            FailWith("cannot write", Path);
        const int fd = Fd;
        Fd = -1;
        if (::close(fd) != 0)
            FailWith("cannot write", Path);
        MoveIntoPlace(Path, target, replace);
        Committed = true;
    }

private:
    // Set while Path is made.
    int Fd = -1;
    bool Committed = false;
    std::string Path;
};

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes, bool replace)
{
    TTempSibling file(path);
    file.Write(bytes);
    file.CommitAs(path, replace);
}
