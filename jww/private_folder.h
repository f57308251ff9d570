// Folders that hold the temp images of one window or one run and nothing of anyone else's: made
// fresh with a unique name, readable and writable by the user alone, never reached through a
// link. Extracting into a folder that others share would let them swap an image for a link to
// a file of the user's, or let two windows overwrite each other's images.
#pragma once

#include <string>

// Creates a new private folder inside parent, ending in '/'. parent must be a real folder (not a
// link) of the user's own that nobody else may write to; otherwise, or when the folder cannot
// be made, the result is empty.
std::string CreatePrivateFolderIn(const std::string& parent, const std::string& prefix);

// Creates a new private folder inside the system's temporary folder, ending in '/'; empty when
// none can be made. That folder is shared by everyone, but a fresh folder of the user's alone
// inside it is as private as one anywhere else.
std::string CreatePrivateTempFolder(const std::string& prefix);

// Removes the folder with everything in it. Links inside it are removed, never followed.
void RemovePrivateFolder(const std::string& folder);
