// What a private folder needs of the system, one file per system.
#pragma once

#include <string>

// A new folder inside parent (given without a trailing separator) that this user alone may
// reach, named prefix and a unique ending; its path ends in '/'. Empty when none can be made.
// A name that exists, link or not, is never taken.
std::string MakeUniqueFolder(const std::string& parent, const std::string& prefix);

// Whether the folder (without a trailing separator) is a real folder, not a link, that nobody
// but this user may change.
bool IsFolderOfUsersOwn(const std::string& folder);
