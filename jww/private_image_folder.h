// A temp image folder of the command-line program's own, so that runs side by side never share
// extracted images and nothing of a run is left behind.
#pragma once

#include <string>

class TPrivateImageFolder {
public:
    // Creates a new folder under the system's temporary folder, points TempImageFolder at it and
    // switches image extraction on. Raises std::runtime_error when no folder can be created.
    TPrivateImageFolder();
    // Removes the folder with every image in it and restores the previous temp image state.
    ~TPrivateImageFolder();
    TPrivateImageFolder(const TPrivateImageFolder&) = delete;
    TPrivateImageFolder& operator=(const TPrivateImageFolder&) = delete;

    const std::string& Path() const { return Folder; }

private:
    std::string Folder;
    std::string PreviousFolder;
    bool PreviousExtract = false;
    bool PreviousScan = false;
};
