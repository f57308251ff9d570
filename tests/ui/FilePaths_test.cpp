#include <gtest/gtest.h>

#include "ui/FilePaths.h"

TEST(FilePaths, FolderFileNameAndUpperCaseExtension)
{
    // Path, folder part, file-name part, extension.
    const std::string cases[][4] = {
        {"/home/u/drawing.jww", "/home/u/", "drawing.jww", ".JWW"},
        {"drawing.Jww", "", "drawing.Jww", ".JWW"},
        {"/u/drawing.jww.bak", "/u/", "drawing.jww.bak", ".BAK"},
        {"/u.v/drawing", "/u.v/", "drawing", ""},
        {"/u/.jww", "/u/", ".jww", ".JWW"},
        // The second byte of a double-byte character is no letter to upper-case.
        {"/u/\x83\x74.\x83\x74w", "/u/", "\x83\x74.\x83\x74w", ".\x83\x74W"},
    };
    for (const auto& [path, folder, name, extension] : cases)
        EXPECT_EQ(FolderPart(path) + "|" + FileNamePart(path) + "|" + UpperExtension(path),
                  folder + "|" + name + "|" + extension);
}
