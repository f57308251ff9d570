#include "tests/support/TestPlatform.h"

#include <cstdlib>
#include <stdexcept>

bool RunningOnWindows()
{
    return true;
}

bool IsSuperuser()
{
    return false;
}

const char* TempFolderVariable()
{
    return "TMP";
}

void SetEnvironment(const std::string& name, const std::string& value)
{
    _putenv_s(name.c_str(), value.c_str());
}

void UnsetEnvironment(const std::string& name)
{
    // An empty value removes the variable.
    _putenv_s(name.c_str(), "");
}

TFileSizeLimit::TFileSizeLimit(unsigned long long)
{
    throw std::logic_error("Windows cannot limit the size of the files a process writes");
}

TFileSizeLimit::~TFileSizeLimit() = default;
