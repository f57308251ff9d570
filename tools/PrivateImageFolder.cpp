#include "tools/PrivateImageFolder.h"

#include <cerrno>
#include <cstring>

#include <stdexcept>

#include "jww/jwtype.h"
#include "jww/private_folder.h"

TPrivateImageFolder::TPrivateImageFolder()
    : PreviousFolder(TempImageFolder), PreviousExtract(ExtractImages), PreviousScan(ScanImages)
{
    Folder = CreatePrivateTempFolder("zelvane-cli-");
    if (Folder.empty())
        throw std::runtime_error(std::string("cannot create a temp image folder (") +
                                 std::strerror(errno) + ")");
    ClearTempImageList();
    TempImageFolder = Folder;
    ExtractImages = true;
    ScanImages = true;
}

TPrivateImageFolder::~TPrivateImageFolder()
{
    // The folder is ours alone, so everything in it goes, whatever names the images had.
    RemovePrivateFolder(Folder);
    ClearTempImageList();
    TempImageFolder = PreviousFolder;
    ExtractImages = PreviousExtract;
    ScanImages = PreviousScan;
}
