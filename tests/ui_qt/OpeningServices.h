// The desktop's services, but the open dialog answers with the drawing given and the program
// lives in a folder of its own when one is given.
#pragma once

#include "ui/qt/QtDesktopServices.h"

class TOpeningServices : public TQtDesktopServices {
public:
    std::optional<std::string> OpenDialog(const TFileDialogSettings&) override { return Drawing; }
    std::string ExecutablePath() override
    {
        return Folder.empty() ? TQtDesktopServices::ExecutablePath() : Folder + "/zelvane";
    }
    std::string UserCacheFolder() override
    {
        return Folder.empty() ? TQtDesktopServices::UserCacheFolder() : Folder + "/cache/";
    }

    std::string Drawing;
    std::string Folder;
};
