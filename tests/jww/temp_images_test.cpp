#include <filesystem>

#include "tests/jww/TempImageFixture.h"

TEST(ImageFileName, NamesThatCouldLeaveTheFolderAreUnsafe)
{
    for (const std::string& name : std::vector<std::string>{
             "", ".", "..", "../A.BMP", "..\\A.BMP", "A/B.BMP", "/A.BMP", "A\\B.BMP", "\\A.BMP",
          "C:A.BMP", "A.BMP:STREAM", "A.BMP\\", std::string("A.BMP\0", 6)})
        EXPECT_FALSE(IsSafeImageFileName(name)) << name;
}

TEST(ImageFileName, OrdinaryNamesAreSafe)
{
    // 0x83 0x5C is a katakana whose second byte is the code of the backslash; 0x81 0x2F is no
    // character, so its slash stays a slash.
    for (const std::string& name : std::vector<std::string>{"A.BMP", "...", "..A.BMP", ".hidden", "a b.jpg", "\x83\x5C.BMP",
                                   "\x83\x5C\x83\x5C", "\xB1\xB2.BMP"})
        EXPECT_TRUE(IsSafeImageFileName(name)) << name;
    EXPECT_FALSE(IsSafeImageFileName("\x81/A.BMP"));
    // A backslash right after a completed double-byte character is a separator again.
    EXPECT_FALSE(IsSafeImageFileName("\x83\x5C\\A.BMP"));
}

TEST(ImageFileName, TempPathShowsTheNameInUtf8OrKeepsItsBytes)
{
    TempImageFolder = "/images/";
    EXPECT_EQ(TempImagePath("A.BMP"), "/images/A.BMP");
    // ソ.BMP
    EXPECT_EQ(TempImagePath("\x83\x5C.BMP"), "/images/\xE3\x82\xBD.BMP");
    // A lead byte followed by no valid second byte is not code page 932.
    EXPECT_EQ(TempImagePath("\x83\x0A.BMP"), "/images/\x83\x0A.BMP");
    TempImageFolder.clear();
}

using TempImageFiles = TempImageTest;

TEST_F(TempImageFiles, DeletingRemovesOnlyTheListedFilesAndKeepsTheList)
{
    WriteFileBytes(Images + "A.BMP", "a");
    WriteFileBytes(Images + "\xE3\x82\xBD.BMP", "so");
    WriteFileBytes(Images + "UNLISTED.BMP", "u");
    TempImageList = {{"A.BMP", 1, 1}, {"GONE.BMP", 4, 0}, {"\x83\x5C.BMP", 2, 0}, {"", 9, 0}};
    TempImageCount = 4;

    DeleteTempImageFiles();
    EXPECT_EQ(FilesIn(Images), std::vector<std::string>{"UNLISTED.BMP"});
    EXPECT_TRUE(std::filesystem::is_directory(Images));
    ASSERT_EQ(TempImageList.size(), 4u);
    EXPECT_EQ(TempImageList[0].FileName, "A.BMP");
    EXPECT_EQ(TempImageList[0].InUse, 1);

    // A second call finds nothing to delete and reports nothing.
    DeleteTempImageFiles();
    EXPECT_EQ(FilesIn(Images), std::vector<std::string>{"UNLISTED.BMP"});
}

TEST_F(TempImageFiles, DeletingWalksOnlyTheEntriesCounted)
{
    WriteFileBytes(Images + "A.BMP", "a");
    WriteFileBytes(Images + "B.BMP", "b");
    TempImageList = {{"A.BMP", 1, 0}, {"B.BMP", 1, 0}};
    TempImageCount = 1;
    DeleteTempImageFiles();
    EXPECT_EQ(FilesIn(Images), std::vector<std::string>{"B.BMP"});

    // A count beyond the list stops at the list's end.
    TempImageCount = 5;
    DeleteTempImageFiles();
    EXPECT_TRUE(FilesIn(Images).empty());
}

TEST_F(TempImageFiles, ClearingTheListLeavesTheFiles)
{
    WriteFileBytes(Images + "A.BMP", "a");
    TempImageList = {{"A.BMP", 1, 0}};
    TempImageCount = 1;
    ClearTempImageList();
    EXPECT_TRUE(TempImageList.empty());
    EXPECT_EQ(TempImageCount, 0);
    EXPECT_EQ(FilesIn(Images), std::vector<std::string>{"A.BMP"});
    DeleteTempImageFiles();
    EXPECT_EQ(FilesIn(Images), std::vector<std::string>{"A.BMP"});
}
