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
        errno = ENOENT;
        break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        errno = EACCES;
        break;
    case ERROR_INVALID_NAME:
    case ERROR_DIRECTORY:
        errno = EINVAL;
        break;
    case ERROR_FILENAME_EXCED_RANGE:
        errno = ENAMETOOLONG;
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

// A descriptor over the handle, which it then owns.
int DescriptorOf(HANDLE file, int flags)
{
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), flags | _O_BINARY);
    if (fd < 0)
        CloseHandle(file);
    return fd;
}

// The handle of the name itself, a link not followed; a link is refused with ELOOP. Opening
// the link itself leaves no gap between a check and the open that another program could use.
HANDLE OpenItself(const std::string& path, DWORD access, DWORD disposition)
{
    const HANDLE file = CreateFileW(WidePath(path).c_str(), access, FILE_SHARE_READ, nullptr,
                                    disposition, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT,
                                    nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        SetErrnoFromLastError();
        return file;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    if (!known || (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        if (known)
            errno = ELOOP;
        else
            SetErrnoFromLastError();
        CloseHandle(file);
        return INVALID_HANDLE_VALUE;
    }
    return file;
}

bool IsFolder(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
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

int OpenForReadingNoFollow(const std::string& path)
{
    const HANDLE file = OpenItself(path, GENERIC_READ, OPEN_EXISTING);
    return file == INVALID_HANDLE_VALUE ? -1 : DescriptorOf(file, _O_RDONLY);
}

int CreateNewPrivateFile(const std::string& path)
{
    // CREATE_NEW fails on any existing name, a link included. The file takes the permissions
    // of its folder, which is the user's own.
    const HANDLE file = CreateFileW(WidePath(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        SetErrnoFromLastError();
        // A path longer than the system takes is reported as one that does not exist; with
        // the folder there, it is the name that is refused.
        if (errno == ENOENT && IsFolder(Utf8Path(FsPath(path).parent_path())))
            errno = ENAMETOOLONG;
        return -1;
    }
    return DescriptorOf(file, _O_WRONLY);
}

int CreateNewFile(const std::string& path)
{
    return OpenWide(path, _O_WRONLY | _O_CREAT | _O_EXCL);
}

bool RegularFileSize(int fd, uint64_t& size)
{
    struct _stati64 st {};
    if (_fstati64(fd, &st) != 0 || (st.st_mode & _S_IFMT) != _S_IFREG)
        return false;
    size = static_cast<uint64_t>(st.st_size);
    return true;
}

bool IsRegularFileItself(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(WidePath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT));
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

bool MoveOver(const std::string& from, const std::string& to, bool replace)
{
    // Windows cannot sync a folder; writing through makes the move itself durable.
    const DWORD flags = MOVEFILE_WRITE_THROUGH | (replace ? MOVEFILE_REPLACE_EXISTING : 0);
    if (!MoveFileExW(WidePath(from).c_str(), WidePath(to).c_str(), flags)) {
        SetErrnoFromLastError();
        return false;
    }
    return true;
}

bool CanSyncWholeFileSystems()
{
    return false;
}

bool SyncFileSystemOf(const std::string&)
{
    // Every file was synced before it was closed, and every move written through.
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
