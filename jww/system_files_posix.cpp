#include "jww/system_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

int OpenForReading(const std::string& path)
{
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
}

int OpenForReadingNoFollow(const std::string& path)
{
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
}

int CreateNewPrivateFile(const std::string& path)
{
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
}

int CreateNewFile(const std::string& path)
{
    // The mode of an ordinary new file, so the process's umask and the folder's default
    // permissions apply as they would to the target.
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

bool RegularFileSize(int fd, uint64_t& size)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    size = static_cast<uint64_t>(st.st_size);
    return true;
}

bool IsRegularFileItself(const std::string& path)
{
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool ExistsWithoutWriteRight(const std::string& path)
{
    return ::access(path.c_str(), F_OK) == 0 && ::access(path.c_str(), W_OK) != 0;
}

bool IsSameFileOnDisk(const std::string& a, const std::string& b)
{
    struct stat statA {}, statB {};
    return ::stat(a.c_str(), &statA) == 0 && ::stat(b.c_str(), &statB) == 0 &&
           statA.st_dev == statB.st_dev && statA.st_ino == statB.st_ino;
}

bool SyncFile(int fd)
{
    return ::fsync(fd) == 0;
}

bool MoveOver(const std::string& from, const std::string& to, bool replace)
{
    if (replace) {
        if (::rename(from.c_str(), to.c_str()) != 0)
            return false;
    } else if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL && errno != ENOSYS)
            return false;
        // A file system that cannot rename without replacing: a second name fails where one
        // exists.
        if (::link(from.c_str(), to.c_str()) != 0)
            return false;
        ::unlink(from.c_str());
    }
    // The move is complete once its folder is on disk. The file is already in place, so a
    // folder that cannot be synced is not reported.
    const std::filesystem::path folder = std::filesystem::path(to).parent_path();
    const char* name = folder.empty() ? "." : folder.c_str();
    const int fd = ::open(name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
    return true;
}

bool CanSyncWholeFileSystems()
{
    return true;
}

bool SyncFileSystemOf(const std::string& folder)
{
    const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::syncfs(fd) == 0 && ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

void RemoveFileOnly(const std::string& path)
{
    ::unlink(path.c_str());
}

std::filesystem::path FsPath(const std::string& path)
{
    return std::filesystem::path(path);
}

std::string Utf8Path(const std::filesystem::path& path)
{
    return path.string();
}
