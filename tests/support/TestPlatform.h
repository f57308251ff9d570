// What the tests need of the system that differs between Linux and Windows.
#pragma once

#include <gtest/gtest.h>

#include <string>

bool RunningOnWindows();
// Whether this process may write every file, whatever its permissions.
bool IsSuperuser();
// The variable that names the folder std::filesystem::temp_directory_path() returns.
const char* TempFolderVariable();
void SetEnvironment(const std::string& name, const std::string& value);
void UnsetEnvironment(const std::string& name);

// Whether only this user may reach the file or folder, which is not a link: mode 0700 for a
// folder and 0600 for a file on Linux, an access list that admits this user alone (and the
// system itself) on Windows.
bool IsPrivateToThisUser(const std::string& path);

// While it lives, no file this process writes may grow beyond the limit, and a write past it
// fails instead of ending the process. Linux only.
class TFileSizeLimit {
public:
    explicit TFileSizeLimit(unsigned long long bytes);
    ~TFileSizeLimit();
    TFileSizeLimit(const TFileSizeLimit&) = delete;
    TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

private:
    unsigned long long Previous = 0;
    void (*PreviousHandler)(int) = nullptr;
};

// Ends the test as skipped, saying why, where it needs what Windows does not have.
#define SKIP_ON_WINDOWS(reason) \
    if (RunningOnWindows())     \
    GTEST_SKIP() << (reason)
