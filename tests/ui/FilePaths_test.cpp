#include <gtest/gtest.h>

#include "tests/support/TestPlatform.h"
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

TEST(FilePaths, ABackslashSeparatesFoldersOnlyOnWindows)
{
    // On Linux a backslash is part of a name; on Windows paths are UTF-8, where it is never
    // part of a character.
    const std::string path = "C:\\\xE5\x9B\xB3\xE9\x9D\xA2\\drawing.jww";  // C:\図面\drawing.jww
    if (RunningOnWindows()) {
        EXPECT_EQ(FolderPart(path), "C:\\\xE5\x9B\xB3\xE9\x9D\xA2\\");
        EXPECT_EQ(FileNamePart(path), "drawing.jww");
        EXPECT_EQ(FolderPart("C:/u\\v/w\\x.jww"), "C:/u\\v/w\\");
    } else {
        EXPECT_EQ(FolderPart(path), "");
        EXPECT_EQ(FileNamePart(path), path);
        EXPECT_EQ(FolderPart("C:/u\\v/w\\x.jww"), "C:/u\\v/");
    }
    EXPECT_EQ(UpperExtension(path), ".JWW");
}
