#include "tests/support/TestPlatform.h"

#include <windows.h>

#include <aclapi.h>

#include <cstdlib>
#include <stdexcept>
#include <vector>

#include "text/WidePath.h"

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

bool IsPrivateToThisUser(const std::string& path)
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> user(size);
    const bool known = size != 0 && GetTokenInformation(token, TokenUser, user.data(), size, &size);
    CloseHandle(token);
    PACL dacl = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!known || GetNamedSecurityInfoW(WidePath(path).c_str(), SE_FILE_OBJECT,
                                        DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl,
                                        nullptr, &descriptor) != ERROR_SUCCESS)
        return false;
    const PSID me = reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
    // The system itself may reach every file, as root may on Linux.
    SID_IDENTIFIER_AUTHORITY authority = SECURITY_NT_AUTHORITY;
    PSID system = nullptr;
    AllocateAndInitializeSid(&authority, 1, SECURITY_LOCAL_SYSTEM_RID, 0, 0, 0, 0, 0, 0, 0, &system);
    bool alone = dacl != nullptr && dacl->AceCount > 0 && system != nullptr;
    for (DWORD i = 0; alone && i < dacl->AceCount; ++i) {
        void* ace = nullptr;
        alone = GetAce(dacl, i, &ace) &&
                static_cast<ACE_HEADER*>(ace)->AceType == ACCESS_ALLOWED_ACE_TYPE;
        if (alone) {
            const PSID admitted = &static_cast<ACCESS_ALLOWED_ACE*>(ace)->SidStart;
            alone = EqualSid(admitted, me) || EqualSid(admitted, system);
        }
    }
    FreeSid(system);
    LocalFree(descriptor);
    return alone;
}
