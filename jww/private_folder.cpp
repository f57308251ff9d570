#include "jww/private_folder.h"

#include <filesystem>
#include <system_error>

#include "jww/private_folder_system.h"
#include "jww/system_files.h"

namespace {

// With a trailing separator a link in the folder's place would be looked through.
std::string WithoutSeparator(std::string folder)
{
    while (folder.size() > 1 && (folder.back() == '/' || folder.back() == '\\'))
        folder.pop_back();
    return folder;
}

}  // namespace

std::string CreatePrivateFolderIn(const std::string& parent, const std::string& prefix)
{
    const std::string folder = WithoutSeparator(parent);
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
    return MakeUniqueFolder(WithoutSeparator(Utf8Path(temp)), prefix);
}

void RemovePrivateFolder(const std::string& folder)
{
    const std::string path = WithoutSeparator(folder);
    if (path.empty())
        return;
    std::error_code ignored;
    std::filesystem::remove_all(FsPath(path), ignored);
}
