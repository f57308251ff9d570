#include "jww/private_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace {

std::string WithSeparator(std::string folder)
{
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

// mkdtemp makes the folder with mode 0700 and refuses a name that exists, link or not.
std::string MakeUniqueFolder(const std::string& parent, const std::string& prefix)
{
    std::string pattern = WithSeparator(parent) + prefix + "XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr)
        return {};
    return pattern + "/";
}

bool IsFolderOfUsersOwn(const std::string& folder)
{
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        return false;
    return st.st_uid == ::geteuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

}  // namespace

std::string CreatePrivateFolderIn(const std::string& parent, const std::string& prefix)
{
    std::string folder = WithSeparator(parent);
    // lstat of "TEMP/" would look through a link named TEMP.
    while (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    if (folder.empty() || !IsFolderOfUsersOwn(folder))
        return {};
    return MakeUniqueFolder(folder, prefix);
}

std::string CreatePrivateTempFolder(const std::string& prefix)
{
    std::error_code error;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    if (error)
        return {};
    return MakeUniqueFolder(temp.string(), prefix);
}

void RemovePrivateFolder(const std::string& folder)
{
    std::string path = folder;
    // With a trailing separator a link in the folder's place would be followed.
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    if (path.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}
