#include "tests/jww/TempImageFixture.h"

using namespace std::string_literals;

TEST(ImageFileName, NamesThatCouldLeaveTheFolderAreUnsafe)
{
    // 0x83 0x5C is a katakana whose second byte is the code of the backslash; 0x81 0x2F is no
    // character, so its slash stays a slash; after a whole character a backslash is one again.
    for (const std::string& name :
         {""s, "A.BMP\0"s, "."s, ".."s, "../A.BMP"s, "..\\A.BMP"s, "A/B.BMP"s, "/A.BMP"s,
          "A\\B.BMP"s, "\\A.BMP"s, "C:A.BMP"s, "A.BMP:STREAM"s, "A.BMP\\"s, "\x81/A.BMP"s,
          "\x83\x5C\\A.BMP"s})
        EXPECT_FALSE(IsSafeImageFileName(name)) << name;
    for (const std::string& name : {"A.BMP"s, "..."s, "..A.BMP"s, ".hidden"s, "a b.jpg"s,
                                    "\x83\x5C.BMP"s, "\x83\x5C\x83\x5C"s, "\xB1\xB2.BMP"s})
        EXPECT_TRUE(IsSafeImageFileName(name)) << name;

    // The temp file shows the name in UTF-8 (ソ.BMP), or its bytes when they are no code page 932.
    TempImageFolder = "/images/";
    EXPECT_EQ(TempImagePath("\x83\x5C.BMP"), "/images/\xE3\x82\xBD.BMP");
    EXPECT_EQ(TempImagePath("\x83\x0A.BMP"), "/images/\x83\x0A.BMP");
    TempImageFolder.clear();
}

using TempImageFiles = TempImageTest;

TEST_F(TempImageFiles, DeletingRemovesTheCountedListedFilesAndClearingNone)
{
    for (const char* name : {"A.BMP", "\xE3\x82\xBD.BMP", "B.BMP", "UNLISTED.BMP"})
        WriteFileBytes(Images + name, "x");
    TempImageList = {{"A.BMP", 1, 1}, {"GONE.BMP", 4, 0}, {"\x83\x5C.BMP", 2, 0}, {"", 9, 0},
                     {"B.BMP", 1, 0}};
    TempImageCount = 4;
    DeleteTempImageFiles();
    EXPECT_EQ(FilesIn(Images), (std::vector<std::string>{"B.BMP", "UNLISTED.BMP"}));
    ASSERT_EQ(TempImageList.size(), 5u) << "the list stays";
    TempImageCount = 9;  // a count beyond the list stops at its end
    DeleteTempImageFiles();
    TempImageList = {{"UNLISTED.BMP", 1, 0}};
    TempImageCount = 1;
    ClearTempImageList();
    EXPECT_TRUE(TempImageList.empty() && TempImageCount == 0);
    DeleteTempImageFiles();
    EXPECT_EQ(FilesIn(Images), std::vector<std::string>{"UNLISTED.BMP"});
}
