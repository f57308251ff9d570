#include "tests/support/TestPlatform.h"

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <stdexcept>

bool RunningOnWindows()
{
    return false;
}

bool IsSuperuser()
{
    return ::geteuid() == 0;
}

bool IsPrivateToThisUser(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || st.st_uid != ::geteuid())
        return false;
    const unsigned mode = st.st_mode & 0777;
    return S_ISDIR(st.st_mode) ? mode == 0700 : S_ISREG(st.st_mode) && mode == 0600;
}

const char* TempFolderVariable()
{
    return "TMPDIR";
}

void SetEnvironment(const std::string& name, const std::string& value)
{
    ::setenv(name.c_str(), value.c_str(), 1);
}

void UnsetEnvironment(const std::string& name)
{
    ::unsetenv(name.c_str());
}

TFileSizeLimit::TFileSizeLimit(unsigned long long bytes)
{
    // The signal would otherwise end the process at the first write past the limit.
    PreviousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) != 0)
        throw std::runtime_error("the file size limit cannot be read");
    Previous = limit.rlim_cur;
    limit.rlim_cur = bytes;
    if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
        throw std::runtime_error("the file size limit cannot be set");
}

TFileSizeLimit::~TFileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = Previous;
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, PreviousHandler);
}
