#include "jww/private_folder_system.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

// mkdtemp makes the folder with mode 0700 and refuses a name that exists, link or not.
std::string MakeUniqueFolder(const std::string& parent, const std::string& prefix)
{
    std::string pattern = parent + "/" + prefix + "XXXXXX";
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
