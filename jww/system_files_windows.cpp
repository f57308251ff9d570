#include "jww/system_files.h"

#include <windows.h>

#include <fcntl.h>
#include <io.h>
#include <share.h>
#include <sys/stat.h>

#include <cerrno>

#include "text/WidePath.h"

namespace {

// The errno nearest to the last Windows error, so that messages read as they do elsewhere.
void SetErrnoFromLastError()
{
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        errno = ENOENT;
        break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        errno = EACCES;
        break;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        errno = EEXIST;
        break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        errno = ENOSPC;
        break;
    case ERROR_NOT_SAME_DEVICE:
        errno = EXDEV;
        break;
    default:
        errno = EIO;
        break;
    }
}

// Binary mode always: text mode would turn every LF of a drawing into CR LF. No descriptor
// is inherited by a program the window starts.
int OpenWide(const std::string& path, int flags)
{
    int fd = -1;
    const errno_t error = _wsopen_s(&fd, WidePath(path).c_str(), flags | _O_BINARY | _O_NOINHERIT,
                                    _SH_DENYNO, _S_IREAD | _S_IWRITE);
    if (error != 0) {
        errno = error;
        return -1;
    }
    return fd;
}

struct TFileIdentity {
    DWORD Volume = 0;
    DWORD IndexHigh = 0;
    DWORD IndexLow = 0;
};

bool FileIdentity(const std::string& path, TFileIdentity& identity)
{
    // Opening with no access right still reads the identity of a file another program holds.
    const HANDLE file = CreateFileW(WidePath(path).c_str(), 0,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    BY_HANDLE_FILE_INFORMATION info {};
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    identity = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return known;
}

}  // namespace

int OpenForReading(const std::string& path)
{
    return OpenWide(path, _O_RDONLY);
}

int CreateNewFile(const std::string& path)
{
    return OpenWide(path, _O_WRONLY | _O_CREAT | _O_EXCL);
}

int OpenForOverwriteNoFollow(const std::string& path)
{
    // Opened as the link itself where the name is one, so that a link is seen and refused
    // rather than followed; checking first and opening after would leave a gap between them.
    const HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        SetErrnoFromLastError();
        return -1;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    const bool link = known && (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT);
    if (!known || link || !SetEndOfFile(file)) {
        if (link)
            errno = ELOOP;
        else
            SetErrnoFromLastError();
        CloseHandle(file);
        return -1;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_WRONLY | _O_BINARY);
    if (fd < 0)
        CloseHandle(file);
    return fd;
}

bool RegularFileSize(int fd, uint64_t& size)
{
    struct _stati64 st {};
    if (_fstati64(fd, &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG)
        return false;
    size = static_cast<uint64_t>(st.st_size);
    return true;
}

bool IsRegularFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool ExistsWithoutWriteRight(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool IsSameFileOnDisk(const std::string& a, const std::string& b)
{
    TFileIdentity identityA, identityB;
    return FileIdentity(a, identityA) && FileIdentity(b, identityB) &&
           identityA.Volume == identityB.Volume && identityA.IndexHigh == identityB.IndexHigh &&
           identityA.IndexLow == identityB.IndexLow;
}

bool SyncFile(int fd)
{
    return _commit(fd) == 0;
}

bool MoveOver(const std::string& from, const std::string& to)
{
    // Windows cannot sync a folder; writing through makes the move itself durable. A plain
    // rename would refuse to replace an existing file.
    if (!MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        SetErrnoFromLastError();
        return false;
    }
    return true;
}

void RemoveFileOnly(const std::string& path)
{
    DeleteFileW(WidePath(path).c_str());
}

std::filesystem::path FsPath(const std::string& path)
{
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

std::string Utf8Path(const std::filesystem::path& path)
{
    const std::u8string utf8 = path.u8string();
    return std::string(utf8.begin(), utf8.end());
}
