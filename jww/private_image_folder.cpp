#include "jww/private_image_folder.h"

#include <cerrno>
#include <cstring>

#include <stdexcept>

#include "jww/jwtype.h"
#include "jww/leftovers.h"
#include "jww/private_folder.h"

TPrivateImageFolder::TPrivateImageFolder()
    : PreviousFolder(TempImageFolder), PreviousExtract(ExtractImages), PreviousScan(ScanImages)
{
    // Listed, so that a run ended by a signal removes the folder too.
    Folder = CreateLeftover([] {
        std::string folder = CreatePrivateTempFolder("zelvane-cli-");
        if (folder.empty())
            throw std::runtime_error(std::string("cannot create a temp image folder (") +
                                     std::strerror(errno) + ")");
        return folder;
    });
    ClearTempImageList();
    TempImageFolder = Folder;
    ExtractImages = true;
    ScanImages = true;
}

TPrivateImageFolder::~TPrivateImageFolder()
{
    // The folder is ours alone, so everything in it goes, whatever names the images had.
    RemovePrivateFolder(Folder);
    ForgetLeftover(Folder);
    ClearTempImageList();
    TempImageFolder = PreviousFolder;
    ExtractImages = PreviousExtract;
    ScanImages = PreviousScan;
}
