#include "tools/AtomicFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

#include "jww/system_files.h"
#include "tools/UniqueNames.h"

namespace {

[[noreturn]] void FailWith(const std::string& what, const std::string& path)
{
    throw std::runtime_error(what + " " + path + " (" + std::strerror(errno) + ")");
}

class TTempSibling {
public:
    explicit TTempSibling(const std::string& target)
    {
        const std::string folder = Utf8Path(FsPath(target).parent_path());
        Path = (folder.empty() ? std::string() : folder + "/") + ".zelvane-XXXXXX";
        Fd = CreateUniqueFile(Path);
        if (Fd < 0)
            FailWith("cannot create a file beside", target);
    }
    TTempSibling(const TTempSibling&) = delete;
    TTempSibling& operator=(const TTempSibling&) = delete;

    ~TTempSibling()
    {
        if (Fd >= 0)
            ::close(Fd);
        if (!Committed)
            RemoveFileOnly(Path);
    }

    void Write(std::string_view bytes)
    {
        while (!bytes.empty()) {
            const ssize_t n = ::write(Fd, bytes.data(), bytes.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                FailWith("cannot write", Path);
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
    }

    void CommitAs(const std::string& target)
    {
        if (!SyncFile(Fd))
            FailWith("cannot write", Path);
        const int fd = Fd;
        Fd = -1;
        if (::close(fd) != 0)
            FailWith("cannot write", Path);
        if (!MoveOver(Path, target))
            FailWith("cannot replace", target);
        Committed = true;
    }

private:
    std::string Path;
    int Fd = -1;
    bool Committed = false;
};

}  // namespace

void WriteFileAtomically(const std::string& path, std::string_view bytes)
{
    TTempSibling file(path);
    file.Write(bytes);
    file.CommitAs(path);
}
