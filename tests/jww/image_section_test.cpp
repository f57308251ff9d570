#include "tests/jww/TempImageFixture.h"
#include "tests/support/TestPlatform.h"

using namespace std::string_literals;

namespace {

std::string SomeBytes(std::size_t n, std::size_t seed)
{
    std::string bytes(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<char>(i * 31 + i / 251 + seed);
    return bytes;
}

// An image section: the count, then each entry's name, size and the data bytes in the file.
struct TImage {
    std::string Name;
    int32_t Size;
    std::string Data;
};

std::string Section(const std::vector<TImage>& images)
{
    TJwwBuilder b;
    b.Int(static_cast<int32_t>(images.size()));
    for (const TImage& image : images)
        b.String(image.Name).Int(image.Size).Raw(image.Data);
    return b.Bytes();
}

std::string Ref(const std::string& name)
{
    return "^@BM%temp%" + name + ",1";
}

TJwwDocument DocumentWithTexts(const std::vector<std::string>& texts)
{
    TJwwDocument doc;
    for (const std::string& text : texts)
        doc.MojiList.push_back({{}, 0, 0, 0, 0, 0, 0, 0, 0, 0, "", text});
    return doc;
}

// Reads a section from bytes; gives how many bytes were left unread.
uint64_t ReadSection(const std::string& bytes, int32_t version = 700)
{
    TJwwReader r = TJwwReader::FromBytes(bytes);
    ReadImageSection(r, version);
    return r.BytesLeft();
}

std::string WriteSection(const TJwwDocument& doc, int32_t version = 700)
{
    return WrittenBytes([&](TJwwWriter& w) { WriteImageSection(w, doc, version); });
}

std::string InUseFlags()
{
    std::string flags;
    for (const TBindImageType& entry : TempImageList)
        flags += entry.InUse ? '1' : '0';
    return flags;
}

}  // namespace

using ImageSection = TempImageTest;

TEST_F(ImageSection, ImagesAreExtractedAndEmbeddedByteForByte)
{
    const std::string bytes = Hex("01 00 00 00  05 41 2E 42 4D 50  03 00 00 00  10 20 30");
    ASSERT_EQ(bytes.size(), 17u);
    EXPECT_EQ(ReadSection(bytes), 0u);
    EXPECT_EQ(TempImageCount, 1);
    ASSERT_EQ(TempImageList.size(), 1u);
    EXPECT_EQ(TempImageList[0].FileName + std::to_string(TempImageList[0].ByteSize), "A.BMP3");
    EXPECT_EQ(ReadFileBytes(Images + "A.BMP"), Hex("10 20 30"));
    EXPECT_EQ(WriteSection(DocumentWithTexts({"^@BM%temp%A.BMP,320,240"})), bytes);

    // Sizes around the chunks, read from a file so that they cross its buffer's refills.
    std::vector<TImage> images;
    std::vector<std::string> texts;
    for (std::size_t size : {2047, 2048, 2049, 4096, 65535, 65536, 65537, 300000}) {
        const auto n = static_cast<int32_t>(size);
        images.push_back({"P" + std::to_string(size), n, SomeBytes(size, size)});
        texts.push_back(Ref(images.back().Name));
    }
    WriteFileBytes(Root + "section", Section(images));
    TJwwReader r(Root + "section");
    ReadImageSection(r, 700);
    EXPECT_EQ(r.BytesLeft(), 0u);
    for (const TImage& image : images)
        EXPECT_EQ(ReadFileBytes(Images + image.Name), image.Data) << image.Name;
    EXPECT_EQ(WriteSection(DocumentWithTexts(texts)), Section(images));
}

TEST_F(ImageSection, CountsAndEntriesHoldNoMoreThanTheFileDoes)
{
    for (const char* count : {"00 00 00 00", "FF FF FF FF", "00 00 00 80"}) {
        TempImageList = {{"OLD.BMP", 1, 0}};
        EXPECT_EQ(ReadSection(Hex(count) + "trailing"), 8u) << count;
        EXPECT_TRUE(TempImageList.empty()) << count;
        EXPECT_EQ(WriteSection(DocumentWithTexts({Ref("OLD.BMP")})), Hex("00 00 00 00"));
    }
    EXPECT_THROW(ReadSection(Hex("FF FF FF 7F 05") + "A.BMP" + Hex("01 00 00 00") + "x"),
                 EJwwIOError);
    EXPECT_TRUE(TempImageList.empty());
    EXPECT_EQ(ReadSection(Section({{"", 0, ""}, {"", 7, ""}})), 0u);  // as many as the bytes hold
    EXPECT_EQ(TempImageList.size(), 2u);

    // Entries without name or size carry no data and are not written back; a negative size
    // makes an empty file and takes nothing.
    EXPECT_EQ(ReadSection(Section({{"", 100, ""}, {"B.BMP", 0, ""}, {"NEG.BMP", -5, ""},
                                   {"C.BMP", 2, "cc"}})), 0u);
    ASSERT_EQ(TempImageList.size(), 4u);
    EXPECT_EQ(TempImageList[0].ByteSize, 100);
    EXPECT_EQ(FileNamesIn(Images), (std::vector<std::string>{"C.BMP", "NEG.BMP"}));
    EXPECT_EQ(ReadFileBytes(Images + "NEG.BMP"), "");
    EXPECT_EQ(WriteSection(DocumentWithTexts({Ref("B.BMP"), Ref(""), Ref("C.BMP")})),
              Section({{"C.BMP", 2, "cc"}}));
}

TEST_F(ImageSection, OnlyReferencedImagesAreWrittenFromTheirTempFilesAsTheyAreNow)
{
    ReadSection(Section({{"UNUSED.BMP", 3, "old"}, {"DIM.BMP", 3, "old"}, {"INNER.BMP", 3, "old"},
                         {"GROWN.BMP", 3, "old"}, {"GONE.BMP", 3, "old"}}));
    const std::string larger = SomeBytes(5000, 7);
    WriteFileBytes(Images + "GROWN.BMP", larger);
    std::filesystem::remove(Images + "GONE.BMP");

    // Only texts count, those inside block definitions too; a dimension's text does not.
    TJwwDocument doc = DocumentWithTexts({Ref("GONE.BMP"), Ref("GROWN.BMP")});
    doc.SunpoList.emplace_back().DimText.Text = Ref("DIM.BMP");
    doc.BlockDefList.emplace_back().MojiList = DocumentWithTexts({Ref("INNER.BMP")}).MojiList;
    EXPECT_EQ(WriteSection(doc), Section({{"INNER.BMP", 3, "old"}, {"GROWN.BMP", 5000, larger}}));
    EXPECT_EQ(InUseFlags(), "00110");
    EXPECT_EQ(TempImageList[3].ByteSize, 3) << "the list keeps the sizes that were read";
}

TEST_F(ImageSection, ReferencesMatchByPrefixIgnoringTheCaseOfLatinLetters)
{
    // 0x83 0x61 is a double-byte character whose second byte is the code of 'a'.
    TempImageList = {{"pic1.bmp", 1, 0}, {"pic2.bmp", 1, 0}, {"Other.bmp", 1, 0},
                     {"\x83\x61X.BMP", 1, 0}, {"SOLO.BMP", 1, 0}, {"LAST.BMP", 1, 1}};
    TempImageCount = 6;
    const std::pair<std::string, std::string> cases[] = {
        {"^@BM%temp%PIC1.BMP,320,240", "100000"},
        {"^@BM%temp%PIC,1", "100000"},  // the first entry that begins so
        {"^@BM%temp%pic2.BMP,1", "010000"}, {"^@BM%temp%OTHER.BMP,", "001000"},
        {"^@BM%temp%\x83\x61X.BMP,1", "000100"}, {"^@BM%temp%\x83\x41X.BMP,1", "000000"},
        {"^@BM%temp%SOLO.BMP", "000000"},      // no comma
        {"^@BM%temp%,SOLO.BMP,1", "000000"},   // an empty name
        {"^@bm%temp%SOLO.BMP,1", "000000"},    // the marker in another case
        {"^@BM%TEMP%SOLO.BMP,1", "000000"}, {" ^@BM%temp%SOLO.BMP,1", "000000"},  // not at the start
        {"^@BM%temp%LAST.BMPX,1", "000000"}};  // longer than the name
    for (const auto& [text, inUse] : cases) {
        MarkImagesInUse(DocumentWithTexts({text}));
        EXPECT_EQ(InUseFlags(), inUse) << text;
    }
}

TEST_F(ImageSection, UnsafeNamesAreNeverUsedAsPaths)
{
    std::vector<TImage> images;
    std::vector<std::string> texts;
    for (const std::string& name : {"../ESCAPE.BMP"s, "..\\ESCAPE.BMP"s, "SUB/ESCAPE.BMP"s,
                                    "SUB\\ESCAPE.BMP"s, "C:ESCAPE.BMP"s, "."s, ".."s,
                                    "ESCAPE.BMP\0.TXT"s, "/tmp/ESCAPE.BMP"s, "SAFE.BMP"s}) {
        images.push_back({name, 4, "data"});
        texts.push_back(Ref(name));
    }
    // A file outside the folder that an unsafe name points at must survive everything.
    WriteFileBytes(Root + "ESCAPE.BMP", "mine");
    EXPECT_EQ(ReadSection(Section(images)), 0u);
    EXPECT_EQ(TempImageList.size(), images.size());
    EXPECT_EQ(FileNamesIn(Images), std::vector<std::string>{"SAFE.BMP"});
    EXPECT_EQ(WriteSection(DocumentWithTexts(texts)), Section({{"SAFE.BMP", 4, "data"}}));
    DeleteTempImageFiles();
    EXPECT_EQ(ReadFileBytes(Root + "ESCAPE.BMP"), "mine");
    EXPECT_EQ(FileNamesIn(Root), (std::vector<std::string>{"ESCAPE.BMP", "TEMP"}));
    EXPECT_TRUE(FileNamesIn(Images).empty());
}

TEST_F(ImageSection, NamesThatMeetOnOneFileOrFitNoFileAreKeptApartOrReported)
{
    // Ａ.bmp in code page 932, and the bytes of its UTF-8, which are no code page 932; a name too
    // long for any file system; a name that escapes. Each is followed by an image of its own.
    const std::string tooLong = std::string(300, 'L') + ".BMP";
    const std::vector<TImage> images = {{"\x82\x60.bmp", 3, "one"},
                                        {"\xEF\xBC\xA1.bmp", 3, "two"},
                                        {tooLong, 5, "three"},
                                        {"../OUT.BMP", 4, "four"},
                                        {"LAST.BMP", 4, "last"}};
    EXPECT_EQ(ReadSection(Section(images)), 0u);
    EXPECT_EQ(FileNamesIn(Images),
              (std::vector<std::string>{"%EF%BC%A1.bmp", "LAST.BMP", "\xEF\xBC\xA1.bmp"}));
    EXPECT_EQ(MissingTempImages(), (std::vector<std::string>{tooLong, "../OUT.BMP"}));
    std::vector<std::string> texts;
    for (const TImage& image : images)
        texts.push_back(Ref(image.Name));
    EXPECT_EQ(WriteSection(DocumentWithTexts(texts)),
              Section({images[0], images[1], images[4]}));
    // Names that are equal share their file, as before.
    EXPECT_EQ(ReadSection(Section({{"SAME.BMP", 3, "old"}, {"SAME.BMP", 3, "new"}})), 0u);
    EXPECT_EQ(ReadFileBytes(Images + "SAME.BMP"), "new");
    EXPECT_TRUE(MissingTempImages().empty());
}

TEST_F(ImageSection, TempFilesAreTheUsersAloneAndNoLinkIsFollowed)
{
    SKIP_ON_WINDOWS("no symbolic link can be made there");
    // A link planted in the folder is replaced by the image, never written through; a temp file
    // that has become a link is not embedded, so what it points at never reaches a drawing.
    WriteFileBytes(Root + "SECRET", "secret");
    std::filesystem::create_symlink(Root + "SECRET", Images + "A.BMP");
    EXPECT_EQ(ReadSection(Section({{"A.BMP", 5, "image"}, {"B.BMP", 5, "other"}})), 0u);
    EXPECT_EQ(ReadFileBytes(Root + "SECRET"), "secret");
    EXPECT_FALSE(std::filesystem::is_symlink(Images + "A.BMP"));
    EXPECT_EQ(std::filesystem::status(Images + "A.BMP").permissions() &
                  std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    std::filesystem::remove(Images + "B.BMP");
    std::filesystem::create_symlink(Root + "SECRET", Images + "B.BMP");
    EXPECT_EQ(WriteSection(DocumentWithTexts({Ref("A.BMP"), Ref("B.BMP")})),
              Section({{"A.BMP", 5, "image"}}));
    DeleteTempImageFiles();
    EXPECT_EQ(ReadFileBytes(Root + "SECRET"), "secret");
    EXPECT_TRUE(FileNamesIn(Images).empty());
}

TEST_F(ImageSection, ATempFileThatCannotBeWrittenFailsTheLoadAndIsRemoved)
{
    const std::string section = Section(
        {{"FIRST.BMP", 10, std::string(10, 'f')}, {"BIG.BMP", 100000, SomeBytes(100000, 3)}});
    SKIP_ON_WINDOWS("Windows cannot limit the size of the files a process writes");
    {
        // No file may grow beyond 4096 bytes.
        const TFileSizeLimit limit(4096);
        EXPECT_THROW(ReadSection(section), EJwwIOError);
    }
    EXPECT_EQ(FileNamesIn(Images), std::vector<std::string>{"FIRST.BMP"});
}

TEST_F(ImageSection, AMissingTempFolderFailsTheLoadAndLeavesTheWorkingFolderAlone)
{
    const std::string section = Section(
        {{"FIRST.BMP", 10, std::string(10, 'f')}, {"BIG.BMP", 100000, SomeBytes(100000, 3)}});

    // A folder that is missing, or none at all: the bare name must not become a file in the
    // working folder, nor one there be deleted.
    TempImageFolder = Root + "MISSING/";
    EXPECT_THROW(ReadSection(section), EJwwIOError);
    const auto previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(Root);
    TempImageFolder.clear();
    EXPECT_THROW(ReadSection(section), EJwwIOError);
    WriteFileBytes(Root + "FIRST.BMP", "not ours");
    DeleteTempImageFiles();
    std::filesystem::current_path(previousFolder);
    EXPECT_EQ(FileNamesIn(Root), (std::vector<std::string>{"FIRST.BMP", "TEMP"}));
}

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

    // The temp file shows the name in UTF-8 (ソ.BMP); bytes of no code page 932 character are
    // escaped, and so is a '%', so that no other name can meet one on the same file: the bytes of
    // Ａ.bmp in UTF-8 are no code page 932, and Ａ.bmp in code page 932 becomes those bytes.
    TempImageFolder = "/images/";
    EXPECT_EQ(TempImagePath("\x83\x5C.BMP"), "/images/\xE3\x82\xBD.BMP");
    EXPECT_EQ(TempImagePath("\x83\x0A.BMP"), "/images/%83%0A.BMP");
    EXPECT_EQ(TempImagePath("\xEF\xBC\xA1.bmp") + " " + TempImagePath("\x82\x60.bmp"),
              "/images/%EF%BC%A1.bmp /images/\xEF\xBC\xA1.bmp");
    EXPECT_EQ(TempImagePath("%EF%BC%A1.bmp"), "/images/%25EF%25BC%25A1.bmp");
    TempImageFolder.clear();
}

TEST_F(ImageSection, DeletingRemovesTheCountedListedFilesAndClearingNone)
{
    for (const char* name : {"A.BMP", "\xE3\x82\xBD.BMP", "B.BMP", "UNLISTED.BMP"})
        WriteFileBytes(Images + name, "x");
    TempImageList = {{"A.BMP", 1, 1}, {"GONE.BMP", 4, 0}, {"\x83\x5C.BMP", 2, 0}, {"", 9, 0},
                     {"B.BMP", 1, 0}};
    TempImageCount = 4;
    DeleteTempImageFiles();
    EXPECT_EQ(FileNamesIn(Images), (std::vector<std::string>{"B.BMP", "UNLISTED.BMP"}));
    EXPECT_EQ(TempImageList.size(), 5u) << "the list stays";
    TempImageList = {{"UNLISTED.BMP", 1, 0}};
    ClearTempImageList();
    EXPECT_TRUE(TempImageList.empty() && TempImageCount == 0);
    DeleteTempImageFiles();
    EXPECT_EQ(FileNamesIn(Images), (std::vector<std::string>{"B.BMP", "UNLISTED.BMP"}));
}
