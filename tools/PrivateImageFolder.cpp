#include "tools/PrivateImageFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "jww/jwtype.h"
#include "jww/leftovers.h"

TPrivateImageFolder::TPrivateImageFolder()
    : PreviousFolder(TempImageFolder), PreviousExtract(ExtractImages), PreviousScan(ScanImages)
{
    Folder = CreateLeftover([] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "zelvane-cli-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot create a temp image folder " + pattern + " (" +
                                     std::strerror(errno) + ")");
        return pattern;
    });
    ClearTempImageList();
    TempImageFolder = Folder + "/";
    ExtractImages = true;
    ScanImages = true;
}

TPrivateImageFolder::~TPrivateImageFolder()
{
    // The folder is ours alone, so everything in it goes, whatever names the images had.
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
    ForgetLeftover(Folder);
    ClearTempImageList();
    TempImageFolder = PreviousFolder;
    ExtractImages = PreviousExtract;
    ScanImages = PreviousScan;
}
