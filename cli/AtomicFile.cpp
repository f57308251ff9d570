#include "cli/AtomicFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "cli/CliText.h"
#include "jww/leftovers.h"
#include "jww/move_into_place.h"
#include "jww/system_files.h"

namespace {

[[noreturn]] void FailToWrite(const std::string& path)
{
    throw std::runtime_error(CliText<"CannotWrite">(path, std::strerror(errno)));
}

}  // namespace

TTempSibling::TTempSibling(const std::string& target)
    : Name(CreateLeftover([this, &target] {
          std::string path;
          Fd = CreateFileBeside(target, path);
          return path;
      }))
{
}

TTempSibling::~TTempSibling()
{
    if (Fd >= 0)
        ::close(Fd);
    if (!Placed)
        RemoveFileOnly(Name);
    ForgetLeftover(Name);
}

void TTempSibling::Write(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(Fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            FailToWrite(Name);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
}

void TTempSibling::CommitAs(const std::string& target, bool replace)
{
    if (!SyncFile(Fd))
        FailToWrite(Name);
    Close();
    PlaceAs(target, replace);
}

void TTempSibling::Close()
{
    // Where a whole file system cannot be synced later, the file is made durable now.
    if (!CanSyncWholeFileSystems() && !SyncFile(Fd))
        FailToWrite(Name);
    const int fd = Fd;
    Fd = -1;
    if (::close(fd) != 0)
        FailToWrite(Name);
}

void TTempSibling::PlaceAs(const std::string& target, bool replace)
{
    MoveIntoPlace(Name, target, replace);
    Placed = true;
}

void MakeFoldersDurable(const std::vector<std::string>& folders)
{
    for (const std::string& folder : folders)
        if (!SyncFileSystemOf(folder))
            throw std::runtime_error(CliText<"CannotWriteToDisk">(folder, std::strerror(errno)));
}

void WriteFileAtomically(const std::string& path, std::string_view bytes, bool replace)
{
    TTempSibling file(path);
    file.Write(bytes);
    file.CommitAs(path, replace);
}
