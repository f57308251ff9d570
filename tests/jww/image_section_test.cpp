#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <random>

#include "jww/jwwunit.h"
#include "tests/jww/TempImageFixture.h"

namespace {

std::string SomeBytes(std::size_t n, uint32_t seed)
{
    std::mt19937 random(seed);
    std::string bytes(n, '\0');
    for (char& b : bytes)
        b = static_cast<char>(random());
    return bytes;
}

// One entry of an image section: name, size and the data bytes present in the file.
TJwwBuilder& Image(TJwwBuilder& b, std::string_view name, int32_t size, std::string_view data)
{
    return b.String(name).Int(size).Raw(data);
}

TEntMoji Text(std::string text)
{
    TEntMoji moji;
    moji.Text = std::move(text);
    return moji;
}

TJwwDocument DocumentReferring(std::initializer_list<std::string> texts)
{
    TJwwDocument doc;
    for (const std::string& text : texts)
        doc.MojiList.push_back(Text(text));
    return doc;
}

// Reads a section from bytes and returns how many bytes were left unread.
uint64_t ReadSection(const std::string& bytes, int32_t version = 700)
{
    TJwwReader r = TJwwReader::FromBytes(bytes);
    ReadImageSection(r, version);
    return r.BytesLeft();
}

std::string WriteSection(const TJwwDocument& doc, int32_t version = 700)
{
    std::string out;
    TJwwWriter w(&out);
    WriteImageSection(w, doc, version);
    w.Flush();
    return out;
}

std::vector<uint8_t> InUseFlags()
{
    std::vector<uint8_t> flags;
    for (const TBindImageType& entry : TempImageList)
        flags.push_back(entry.InUse);
    return flags;
}

}  // namespace

using ImageSection = TempImageTest;

TEST_F(ImageSection, OneImageIsSeventeenBytesAndComesBackUnchanged)
{
    const std::string bytes = Hex("01 00 00 00  05 41 2E 42 4D 50  03 00 00 00  10 20 30");
    ASSERT_EQ(bytes.size(), 17u);

    EXPECT_EQ(ReadSection(bytes), 0u);
    ASSERT_EQ(TempImageCount, 1);
    ASSERT_EQ(TempImageList.size(), 1u);
    EXPECT_EQ(TempImageList[0].FileName, "A.BMP");
    EXPECT_EQ(TempImageList[0].ByteSize, 3);
    EXPECT_EQ(TempImageList[0].InUse, 0);
    EXPECT_EQ(ReadFileBytes(Images + "A.BMP"), Hex("10 20 30"));

    EXPECT_EQ(WriteSection(DocumentReferring({"^@BM%temp%A.BMP,320,240"})), bytes);
}

TEST_F(ImageSection, SizesAroundTheChunkAreCopiedByteForByte)
{
    TJwwBuilder section;
    section.Int(6);
    const std::vector<std::pair<std::string, std::size_t>> images = {
        {"P2047.BMP", 2047}, {"P2048.BMP", 2048},   {"P2049.BMP", 2049},
        {"P4096.BMP", 4096}, {"P65537.BMP", 65537}, {"P300000.BMP", 300000}};
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto& [name, size] = images[i];
        Image(section, name, static_cast<int32_t>(size), SomeBytes(size, static_cast<uint32_t>(i)));
    }
    // Read from a file, so the data cross the reader's own buffer refills.
    WriteFileBytes(Root + "section", section.Bytes());
    {
        TJwwReader r(Root + "section");
        ReadImageSection(r, 700);
        EXPECT_EQ(r.BytesLeft(), 0u);
    }
    for (std::size_t i = 0; i < images.size(); ++i)
        EXPECT_EQ(ReadFileBytes(Images + images[i].first),
                  SomeBytes(images[i].second, static_cast<uint32_t>(i)))
            << images[i].first;

    const TJwwDocument doc = DocumentReferring(
        {"^@BM%temp%P2047.BMP,1", "^@BM%temp%P2048.BMP,1", "^@BM%temp%P2049.BMP,1",
         "^@BM%temp%P4096.BMP,1", "^@BM%temp%P65537.BMP,1", "^@BM%temp%P300000.BMP,1"});
    EXPECT_EQ(WriteSection(doc), section.Bytes());
}

TEST_F(ImageSection, VersionsBefore700HaveNoSection)
{
    TempImageList = {{"KEEP.BMP", 4, 0}};
    TempImageCount = 1;
    EXPECT_EQ(ReadSection(Hex("01 00 00 00"), 600), 4u);
    ASSERT_EQ(TempImageList.size(), 1u);
    EXPECT_EQ(TempImageCount, 1);

    WriteFileBytes(Images + "KEEP.BMP", "data");
    EXPECT_EQ(WriteSection(DocumentReferring({"^@BM%temp%KEEP.BMP,1"}), 600), "");
}

TEST_F(ImageSection, CountsOfZeroOrBelowHoldNoEntriesAndSaveAsZero)
{
    for (const char* count : {"00 00 00 00", "FF FF FF FF", "00 00 00 80"}) {
        TempImageList = {{"OLD.BMP", 1, 0}};
        EXPECT_EQ(ReadSection(Hex(count) + "trailing"), 8u) << count;
        EXPECT_TRUE(TempImageList.empty()) << count;
        EXPECT_EQ(WriteSection(DocumentReferring({"^@BM%temp%OLD.BMP,1"})), Hex("00 00 00 00"));
    }
}

TEST_F(ImageSection, CountBeyondWhatTheFileHoldsFailsBeforeAllocating)
{
    TJwwBuilder section;
    section.Int(0x7FFFFFFF);
    Image(section, "A.BMP", 1, "x");
    EXPECT_THROW(ReadSection(section.Bytes()), EJwwIOError);
    EXPECT_TRUE(TempImageList.empty());

    // Exactly as many empty entries as the bytes allow is fine.
    TJwwBuilder fits;
    fits.Int(2);
    Image(fits, "", 0, "");
    Image(fits, "", 7, "");
    EXPECT_EQ(ReadSection(fits.Bytes()), 0u);
    EXPECT_EQ(TempImageList.size(), 2u);
}

TEST_F(ImageSection, EmptyNamesAndSizeZeroCarryNoData)
{
    TJwwBuilder section;
    section.Int(3);
    Image(section, "", 100, "");
    Image(section, "B.BMP", 0, "");
    Image(section, "C.BMP", 2, "cc");
    EXPECT_EQ(ReadSection(section.Bytes()), 0u);
    ASSERT_EQ(TempImageList.size(), 3u);
    EXPECT_EQ(TempImageList[0].ByteSize, 100);
    EXPECT_EQ(TempImageList[1].FileName, "B.BMP");
    EXPECT_EQ(TempImageList[2].FileName, "C.BMP");
    EXPECT_EQ(FilesIn(Images), std::vector<std::string>{"C.BMP"});

    // Neither can be written back: the empty name is never referred to, B.BMP has no file.
    TJwwBuilder expected;
    expected.Int(1);
    Image(expected, "C.BMP", 2, "cc");
    EXPECT_EQ(WriteSection(DocumentReferring({"^@BM%temp%B.BMP,1", "^@BM%temp%C.BMP,1"})),
              expected.Bytes());
}

TEST_F(ImageSection, NegativeSizeMakesAnEmptyFileAndConsumesNothing)
{
    TJwwBuilder section;
    section.Int(2);
    Image(section, "NEG.BMP", -5, "");
    Image(section, "NEXT.BMP", 1, "n");
    EXPECT_EQ(ReadSection(section.Bytes()), 0u);
    EXPECT_EQ(ReadFileBytes(Images + "NEG.BMP"), "");
    EXPECT_EQ(ReadFileBytes(Images + "NEXT.BMP"), "n");
}

TEST_F(ImageSection, DataCutShortByTheEndOfFileAreKept)
{
    TJwwBuilder last;
    last.Int(1);
    Image(last, "CUT.BMP", 5000, "abcd");
    EXPECT_EQ(ReadSection(last.Bytes()), 0u);
    EXPECT_EQ(ReadFileBytes(Images + "CUT.BMP"), "abcd");

    // Another announced entry cannot be read, which fails the load.
    TJwwBuilder more;
    more.Int(2);
    Image(more, "CUT.BMP", 5000, std::string(2000, 'x'));
    EXPECT_THROW(ReadSection(more.Bytes()), EJwwIOError);
}

TEST_F(ImageSection, ImagesNoTextRefersToAreLeftOut)
{
    TJwwBuilder section;
    section.Int(3);
    Image(section, "ONE.BMP", 1, "1");
    Image(section, "TWO.BMP", 1, "2");
    Image(section, "THREE.BMP", 1, "3");
    ReadSection(section.Bytes());
    EXPECT_EQ(FilesIn(Images), (std::vector<std::string>{"ONE.BMP", "THREE.BMP", "TWO.BMP"}));

    TJwwDocument doc = DocumentReferring({"^@BM%temp%THREE.BMP,1", "^@BM%temp%THREE.BMP,2"});
    // Only text objects are looked at: a dimension text naming an image keeps nothing.
    doc.SunpoList.emplace_back().DimText.Text = "^@BM%temp%ONE.BMP,1";
    TJwwBuilder expected;
    expected.Int(1);
    Image(expected, "THREE.BMP", 1, "3");
    EXPECT_EQ(WriteSection(doc), expected.Bytes());
    EXPECT_EQ(InUseFlags(), (std::vector<uint8_t>{0, 0, 1}));
}

TEST_F(ImageSection, ImageReferredToOnlyInsideABlockDefinitionIsKept)
{
    TJwwBuilder section;
    section.Int(2);
    Image(section, "MAIN.BMP", 1, "m");
    Image(section, "INNER.BMP", 2, "in");
    ReadSection(section.Bytes());

    TJwwDocument doc;
    doc.BlockDefList.emplace_back().MojiList.push_back(Text("^@BM%temp%INNER.BMP,1"));
    TJwwBuilder expected;
    expected.Int(1);
    Image(expected, "INNER.BMP", 2, "in");
    EXPECT_EQ(WriteSection(doc), expected.Bytes());
}

TEST_F(ImageSection, SavingEmbedsTheTempFilesAsTheyAreNow)
{
    TJwwBuilder section;
    section.Int(2);
    Image(section, "GROWN.BMP", 3, "old");
    Image(section, "GONE.BMP", 1, "g");
    ReadSection(section.Bytes());

    const std::string larger = SomeBytes(5000, 7);
    WriteFileBytes(Images + "GROWN.BMP", larger);
    std::filesystem::remove(Images + "GONE.BMP");

    TJwwBuilder expected;
    expected.Int(1);
    Image(expected, "GROWN.BMP", 5000, larger);
    EXPECT_EQ(WriteSection(DocumentReferring({"^@BM%temp%GONE.BMP,1", "^@BM%temp%GROWN.BMP,1"})),
              expected.Bytes());
    EXPECT_EQ(InUseFlags(), (std::vector<uint8_t>{1, 0}));
    // The list keeps the sizes that were read.
    EXPECT_EQ(TempImageList[0].ByteSize, 3);
}

TEST_F(ImageSection, ReferencesMatchByPrefixIgnoringTheCaseOfLatinLetters)
{
    // 0x83 0x61 is a double-byte character whose second byte is the code of 'a'.
    const std::string doubleByteLower = "\x83\x61X.BMP";
    const std::string doubleByteUpper = "\x83\x41X.BMP";
    TempImageList = {{"pic1.bmp", 1, 0}, {"pic2.bmp", 1, 0}, {"Other.bmp", 1, 0},
                     {doubleByteLower, 1, 0}, {"SOLO.BMP", 1, 0}, {"LAST.BMP", 1, 0}};
    TempImageCount = 6;

    struct TCase {
        std::string Text;
        std::vector<uint8_t> InUse;
    };
    const std::vector<TCase> cases = {
        {"^@BM%temp%PIC1.BMP,320,240", {1, 0, 0, 0, 0, 0}},
        {"^@BM%temp%PIC,1", {1, 0, 0, 0, 0, 0}},  // the first entry that begins so
        {"^@BM%temp%pic2.BMP,1", {0, 1, 0, 0, 0, 0}},
        {"^@BM%temp%OTHER.BMP,", {0, 0, 1, 0, 0, 0}},
        {"^@BM%temp%" + doubleByteLower + ",1", {0, 0, 0, 1, 0, 0}},
        {"^@BM%temp%" + doubleByteUpper + ",1", {0, 0, 0, 0, 0, 0}},
        {"^@BM%temp%SOLO.BMP", {0, 0, 0, 0, 0, 0}},      // no comma
        {"^@BM%temp%,SOLO.BMP,1", {0, 0, 0, 0, 0, 0}},   // empty name
        {"^@bm%temp%SOLO.BMP,1", {0, 0, 0, 0, 0, 0}},    // marker in the wrong case
        {"^@BM%TEMP%SOLO.BMP,1", {0, 0, 0, 0, 0, 0}},    // marker in the wrong case
        {" ^@BM%temp%SOLO.BMP,1", {0, 0, 0, 0, 0, 0}},   // marker not at the start
        {"^@BM%temp%NONE.BMP,1", {0, 0, 0, 0, 0, 0}},    // no such image
        {"^@BM%temp%LAST.BMPX,1", {0, 0, 0, 0, 0, 0}},   // longer than the name
    };
    for (const TCase& c : cases) {
        TempImageList[5].InUse = 1;  // every marking starts afresh
        MarkImagesInUse(DocumentReferring({c.Text}));
        EXPECT_EQ(InUseFlags(), c.InUse) << c.Text;
    }
}

TEST_F(ImageSection, WithoutExtractionNamesAreReadAndNothingIsWritten)
{
    TJwwBuilder section;
    section.Int(1);
    Image(section, "A.BMP", 3, "abc");
    const TJwwDocument doc = DocumentReferring({"^@BM%temp%A.BMP,1"});

    ExtractImages = false;
    EXPECT_EQ(ReadSection(section.Bytes()), 0u);
    ASSERT_EQ(TempImageList.size(), 1u);
    EXPECT_EQ(TempImageList[0].FileName, "A.BMP");
    EXPECT_TRUE(FilesIn(Images).empty());
    WriteFileBytes(Images + "A.BMP", "abc");
    EXPECT_EQ(WriteSection(doc), Hex("00 00 00 00"));

    ScanImages = false;
    EXPECT_EQ(ReadSection(section.Bytes()), section.Size());
    EXPECT_TRUE(TempImageList.empty());
}

TEST_F(ImageSection, UnsafeNamesAreNeverUsedAsPaths)
{
    const std::vector<std::string> unsafe = {
        "../ESCAPE.BMP", "..\\ESCAPE.BMP", "SUB/ESCAPE.BMP", "SUB\\ESCAPE.BMP", "C:ESCAPE.BMP",
        ".",  "..", std::string("ESCAPE.BMP\0.TXT", 15), "/tmp/ESCAPE.BMP"};
    TJwwBuilder section;
    section.Int(static_cast<int32_t>(unsafe.size() + 1));
    for (const std::string& name : unsafe)
        Image(section, name, 4, "evil");
    Image(section, "SAFE.BMP", 2, "ok");
    // A file outside the folder that an unsafe name points at must survive everything.
    WriteFileBytes(Root + "ESCAPE.BMP", "mine");

    EXPECT_EQ(ReadSection(section.Bytes()), 0u);
    ASSERT_EQ(TempImageList.size(), unsafe.size() + 1);
    EXPECT_EQ(TempImageList.back().FileName, "SAFE.BMP");
    EXPECT_EQ(FilesIn(Images), std::vector<std::string>{"SAFE.BMP"});
    EXPECT_EQ(FilesIn(Root), (std::vector<std::string>{"ESCAPE.BMP", "TEMP"}));

    TJwwDocument doc;
    for (const std::string& name : unsafe)
        doc.MojiList.push_back(Text("^@BM%temp%" + name + ",1"));
    doc.MojiList.push_back(Text("^@BM%temp%SAFE.BMP,1"));
    TJwwBuilder expected;
    expected.Int(1);
    Image(expected, "SAFE.BMP", 2, "ok");
    EXPECT_EQ(WriteSection(doc), expected.Bytes());

    DeleteTempImageFiles();
    EXPECT_EQ(ReadFileBytes(Root + "ESCAPE.BMP"), "mine");
    EXPECT_TRUE(FilesIn(Images).empty());
}

TEST_F(ImageSection, ATempFileThatCannotBeCreatedFailsTheLoad)
{
    TJwwBuilder section;
    section.Int(1);
    Image(section, "A.BMP", 1, "a");
    TempImageFolder = Root + "MISSING/";
    EXPECT_THROW(ReadSection(section.Bytes()), EJwwIOError);

    // Without a folder the bare name must not become a file in the working folder.
    const auto previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(Root);
    TempImageFolder.clear();
    EXPECT_THROW(ReadSection(section.Bytes()), EJwwIOError);
    WriteFileBytes(Root + "A.BMP", "not ours");
    DeleteTempImageFiles();
    std::filesystem::current_path(previousFolder);
    EXPECT_EQ(FilesIn(Root), (std::vector<std::string>{"A.BMP", "TEMP"}));
}

TEST_F(ImageSection, AWriteFailingPartWayDeletesTheTempFileAndFailsTheLoad)
{
    TJwwBuilder section;
    section.Int(2);
    Image(section, "FIRST.BMP", 10, std::string(10, 'f'));
    Image(section, "BIG.BMP", 100000, SomeBytes(100000, 3));

    // The process may write no file beyond 4096 bytes; the signal would otherwise end it.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previous{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
    rlimit limited = previous;
    limited.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limited), 0);
    EXPECT_THROW(ReadSection(section.Bytes()), EJwwIOError);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_EQ(FilesIn(Images), std::vector<std::string>{"FIRST.BMP"});
}

TEST_F(ImageSection, ATempFileTooLargeForTheSizeFieldFailsTheSave)
{
    TempImageList = {{"HUGE.BMP", 1, 0}};
    TempImageCount = 1;
    {
        // Sparse: the file claims 2 GiB without taking the disk space.
        WriteFileBytes(Images + "HUGE.BMP", "");
        std::filesystem::resize_file(Images + "HUGE.BMP", uint64_t{1} << 31);
    }
    EXPECT_THROW(WriteSection(DocumentReferring({"^@BM%temp%HUGE.BMP,1"})), EJwwRangeError);
}
