#include <filesystem>

#include <gtest/gtest.h>

#include "tests/support/JwwBuilder.h"
#include "ui/FilePaths.h"

TEST(FilePaths, FolderAndFileNameParts)
{
    EXPECT_EQ(FolderPart("/home/u/drawing.jww"), "/home/u/");
    EXPECT_EQ(FileNamePart("/home/u/drawing.jww"), "drawing.jww");
    EXPECT_EQ(FolderPart("/home/u/"), "/home/u/");
    EXPECT_EQ(FileNamePart("/home/u/"), "");
    EXPECT_EQ(FolderPart("drawing.jww"), "");
    EXPECT_EQ(FileNamePart("drawing.jww"), "drawing.jww");
    EXPECT_EQ(FolderPart(""), "");
    // A double-byte character whose second byte is 0x5C is no separator.
    EXPECT_EQ(FolderPart("/u/\x95\x5C.jww"), "/u/");
    EXPECT_EQ(FileNamePart("/u/\x95\x5C.jww"), "\x95\x5C.jww");
}

TEST(FilePaths, ExtensionOfTheFileNameInUpperCase)
{
    EXPECT_EQ(UpperExtension("/u/drawing.jww"), ".JWW");
    EXPECT_EQ(UpperExtension("/u/drawing.Jww"), ".JWW");
    EXPECT_EQ(UpperExtension("/u/drawing.jww.bak"), ".BAK");
    EXPECT_EQ(UpperExtension("/u/drawing"), "");
    EXPECT_EQ(UpperExtension("/u.v/drawing"), "");
    EXPECT_EQ(UpperExtension("/u/.jww"), ".JWW");
    EXPECT_EQ(UpperExtension("/u/\x83\x74.\x83\x74"), ".\x83\x74");
}

TEST(FilePaths, SameFileThroughOtherSpellings)
{
    const std::string folder = TestFolder("FilePaths.SameFile");
    const std::string path = folder + "a.jww";
    WriteFileBytes(path, "x");
    WriteFileBytes(folder + "b.jww", "x");
    std::filesystem::create_symlink(path, folder + "link.jww");
    EXPECT_TRUE(FileExists(path));
    EXPECT_FALSE(FileExists(folder));
    EXPECT_FALSE(FileExists(""));
    EXPECT_TRUE(NamesSameFile(path, path));
    EXPECT_TRUE(NamesSameFile(folder + "./a.jww", path));
    EXPECT_TRUE(NamesSameFile(folder + "/a.jww", path));
    EXPECT_TRUE(NamesSameFile(folder + "link.jww", path));
    EXPECT_FALSE(NamesSameFile(folder + "b.jww", path));
    EXPECT_FALSE(NamesSameFile(folder + "A.jww", path));
    EXPECT_FALSE(NamesSameFile(folder + "missing.jww", path));
    // A loaded file that is gone no longer needs protecting.
    EXPECT_FALSE(NamesSameFile(folder + "gone.jww", folder + "gone.jww"));
}
