#include "tools/PrivateImageFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "jww/jwtype.h"
#include "jww/system_files.h"
#include "tools/UniqueNames.h"

TPrivateImageFolder::TPrivateImageFolder()
    : PreviousFolder(TempImageFolder), PreviousExtract(ExtractImages), PreviousScan(ScanImages)
{
    std::string pattern = Utf8Path(std::filesystem::temp_directory_path() / "zelvane-cli-XXXXXX");
    if (!CreateUniqueFolder(pattern))
        throw std::runtime_error("cannot create a temp image folder " + pattern + " (" +
                                 std::strerror(errno) + ")");
    Folder = pattern;
    ClearTempImageList();
    TempImageFolder = Folder + "/";
    ExtractImages = true;
    ScanImages = true;
}

TPrivateImageFolder::~TPrivateImageFolder()
{
    // The folder is ours alone, so everything in it goes, whatever names the images had.
    std::error_code ignored;
    std::filesystem::remove_all(FsPath(Folder), ignored);
    ClearTempImageList();
    TempImageFolder = PreviousFolder;
    ExtractImages = PreviousExtract;
    ScanImages = PreviousScan;
}
