// The few file operations whose system calls differ between Linux and Windows. Paths are
// UTF-8 inside the program; on Windows they reach the system as UTF-16, so that a drawing in a
// folder with a Japanese name opens under any code page. Descriptors are read, written and
// closed with read, write and close, and always carry bytes unchanged.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// The functions returning a descriptor give -1 and set errno when they fail; those returning
// bool give false and set errno.

int OpenForReading(const std::string& path);
// Fails rather than read through a link in the file's place.
int OpenForReadingNoFollow(const std::string& path);
// A new file for this user alone; fails when the name exists, a link in its place included.
int CreateNewPrivateFile(const std::string& path);
// A new file with the permissions of an ordinary new file; fails when the name exists.
int CreateNewFile(const std::string& path);

// The size of the open file when it is a regular file.
bool RegularFileSize(int fd, uint64_t& size);
// Whether the name itself is a regular file: a link to one is not.
bool IsRegularFileItself(const std::string& path);
// Whether the file exists and this user may not write it.
bool ExistsWithoutWriteRight(const std::string& path);
// Whether two existing paths name the same file on disk, by the system's own file identity.
bool IsSameFileOnDisk(const std::string& a, const std::string& b);

// Makes every byte written to the file durable.
bool SyncFile(int fd);
// Puts the file `from` in the place of `to` in one step and makes the change durable; a failure
// leaves `to` as it was. Without replace, a file at `to` is never replaced, not even one that
// appears there while `from` was being written: the move fails with EEXIST.
bool MoveOver(const std::string& from, const std::string& to, bool replace);
// Whether SyncFileSystemOf makes every file written before it durable at once; where it cannot,
// each file is synced on its own before it is closed.
bool CanSyncWholeFileSystems();
// Makes everything written to the folder's file system durable, then the folder's names; an
// empty folder is the current one.
bool SyncFileSystemOf(const std::string& folder);
// Removes the file, never a folder and never what a link points to. Failures are ignored.
void RemoveFileOnly(const std::string& path);

// The path as the standard library takes it, and back to UTF-8.
std::filesystem::path FsPath(const std::string& path);
std::string Utf8Path(const std::filesystem::path& path);
