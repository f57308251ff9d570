#include "ui/FilePaths.h"

#include <filesystem>
#include <system_error>

#include "jww/system_files.h"
#include "text/Func_.h"
#include "ui/FolderSeparators.h"

std::string FolderPart(std::string_view path)
{
    const std::size_t slash = path.find_last_of(FolderSeparators());
    return slash == std::string_view::npos ? std::string() : std::string(path.substr(0, slash + 1));
}

std::string FileNamePart(std::string_view path)
{
    const std::size_t slash = path.find_last_of(FolderSeparators());
    return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string UpperExtension(std::string_view path)
{
    const std::string name = FileNamePart(path);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos)
        return {};
    // A full stop is never the second byte of a character, so the walk starts on a boundary.
    std::string extension = name.substr(dot);
    for (std::size_t i = 0; i < extension.size(); ++i) {
        char& c = extension[i];
        if (IsSjisLeadByte(static_cast<unsigned char>(c)))
            ++i;
        else if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return extension;
}

bool FileExists(const std::string& path)
{
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(FsPath(path), error);
}

bool NamesSameFile(const std::string& path, const std::string& existing)
{
    if (!FileExists(path) || !FileExists(existing))
        return false;
    if (path == existing)
        return true;
    return IsSameFileOnDisk(path, existing);
}
