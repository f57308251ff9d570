#include "jww/private_folder_system.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <cstdio>
#include <memory>
#include <random>
#include <vector>

#include "text/WidePath.h"

namespace {

struct TLocalFree {
    void operator()(void* memory) const { LocalFree(memory); }
};

// An access list that admits this user alone and takes nothing from the folder above, so
// the folder is as private as a 0700 one wherever it is made.
std::unique_ptr<void, TLocalFree> UserOnlyDescriptor()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return nullptr;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<unsigned char> user(size);
    const bool known =
        size != 0 && GetTokenInformation(token, TokenUser, user.data(), size, &size) != 0;
    CloseHandle(token);
    if (!known)
        return nullptr;
    wchar_t* sid = nullptr;
    if (!ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid, &sid))
        return nullptr;
    const std::wstring sddl = std::wstring(L"D:P(A;OICI;FA;;;") + sid + L")";
    LocalFree(sid);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1,
                                                              &descriptor, nullptr))
        return nullptr;
    return std::unique_ptr<void, TLocalFree>(descriptor);
}

}  // namespace

// Tries fresh random names until one can be made; a name that exists, link or not, is never
// taken.
std::string MakeUniqueFolder(const std::string& parent, const std::string& prefix)
{
    const auto descriptor = UserOnlyDescriptor();
    if (!descriptor)
        return {};
    SECURITY_ATTRIBUTES security{sizeof(SECURITY_ATTRIBUTES), descriptor.get(), FALSE};
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[7];
        std::snprintf(suffix, sizeof suffix, "%06x", static_cast<unsigned>(random() & 0xFFFFFF));
        const std::string folder = parent + "/" + prefix + suffix;
        if (CreateDirectoryW(WidePath(folder).c_str(), &security))
            return folder + "/";
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            return {};
    }
    return {};
}

// A real folder, not a link or junction in a folder's place. Its access list is not read: the
// folder made inside it carries an access list of its own, so others gain nothing by it.
bool IsFolderOfUsersOwn(const std::string& folder)
{
    const DWORD attributes = GetFileAttributesW(WidePath(folder).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}
