#include <sys/stat.h>
#include <unistd.h>

#include "tests/jww/TempImageFixture.h"
#include "tests/support/HeaderBuilder.h"
#include "tests/support/TestPlatform.h"

namespace {

// A header whose values every writer keeps, so a save gives the same bytes.
std::string Header(int32_t version)
{
    TJwwDocument fields = HeaderFields(version);
    fields.Header.Memo = "memo";
    fields.Header.SettingsG.TensPart = 1;
    fields.LayerTable[37].Name = "LAYER37";
    return BuildHeader(fields);
}

// A line and a text that refers to A.BMP, a block definition holding a text that refers to
// B.BMP and, from version 700 on, the images.
std::string Drawing(int32_t version, bool withUnreferencedImage = false)
{
    TEntMoji text = SampleText(1);
    text.Text = "^@BM%temp%A.BMP,320,240";
    TEntMoji inner = text;
    inner.Text = "^@BM%temp%b.bmp,1";
    TListBuilder b(version);
    b.Raw(Header(version)).Count(2);
    b.Object(SampleLine(1)).Object(text).Count(1);
    b.Object(SampleDef(1)).Count(1);
    b.Object(inner);
    if (version < 700)
        return b.Bytes();
    b.Int(withUnreferencedImage ? 3 : 2).String("A.BMP").Int(3).Raw("abc");
    if (withUnreferencedImage)
        b.String("UNUSED.BMP").Int(1).Raw("u");
    return b.String("B.BMP").Int(2049).Raw(std::string(2049, 'b')).Bytes();
}

}  // namespace

class Drivers : public TempImageTest {
protected:
    bool Load(const std::string& bytes)
    {
        WriteFileBytes(Root + "in.jww", bytes);
        return LoadJww(Doc, Root + "in.jww", &Failure);
    }

    TJwwDocument Doc;
    std::string Failure;
};

TEST_F(Drivers, LoadRefusesVersion219AfterTwelveBytesAndRaisesForAFileItCannotOpen)
{
    EXPECT_FALSE(Load(TJwwBuilder().Raw("JwwData.").Int(219).String("memo").Zeros(5000).Bytes()));
    EXPECT_EQ(Doc.Header.Magic + " " + std::to_string(Doc.Header.Version) + Doc.Header.Memo,
              "JwwData. 219");
    const TJwwDocument& d = Doc;
    EXPECT_EQ((std::vector{d.LayerGroupTable.size(), d.LayerTable.size(), d.SettingsTableB.size(),
                           d.SettingsTableC.size(), d.SettingsTableD.size(), d.SettingsTableE.size(),
                           d.SettingsTableF.size(), d.ColorExTable.size(), d.LineTypeExTable.size()}),
              (std::vector<std::size_t>{16, 256, 10, 8, 5, 4, 10, 257, 33}));

    // A file that exists but cannot be opened is no failed load: the error reaches the caller,
    // the document already cleared.
    EXPECT_THROW(LoadJww(Doc, Images), EJwwIOError);
    EXPECT_TRUE(Doc.LayerTable.empty());
    EXPECT_THROW(LoadJww(Doc, Root + "missing.jww"), EJwwIOError);
}

TEST_F(Drivers, ADrawingReadOnlyPartlyKeepsWhatWasReadAndIsNeverSaved)
{
    const std::string whole = Drawing(600);
    const std::string line = RecordBytes(SampleLine(1), 600);
    EXPECT_FALSE(Load(whole.substr(0, whole.find(line) + line.size() + 20)));  // inside the text
    EXPECT_EQ(Doc.LayerTable.at(37).Name, "LAYER37");
    EXPECT_EQ(Doc.Header.EntityCount, 2);
    EXPECT_EQ(Doc.EntityOrder.size(), 1u);
    EXPECT_EQ(RecordBytes(Doc.SenList.at(0), 600), line);
    EXPECT_TRUE(Doc.BlockDefList.empty());

    // Cut inside the fields of its only block definition, no count shows the gap; yet a save
    // would lose the definition's name and objects.
    ASSERT_FALSE(Load(whole.substr(0, whole.find("Block 1") - 3)));
    EXPECT_FALSE(SaveJww(Doc, Root + "out.jww", 600, &Failure));
    EXPECT_NE(Failure.find("not read completely"), std::string::npos) << Failure;
    EXPECT_FALSE(std::filesystem::exists(Root + "out.jww"));
}

TEST_F(Drivers, Version600HasNoImageSectionAnd700NeedsOneWithTheReferencedImagesOnly)
{
    ASSERT_TRUE(Load(Drawing(600))) << Failure;
    ASSERT_TRUE(SaveJww(Doc, Root + "out.jww", 600));
    EXPECT_EQ(ReadFileBytes(Root + "out.jww"), Drawing(600));

    const std::string withoutImages = Drawing(700).substr(0, Drawing(600).size());
    EXPECT_FALSE(Load(withoutImages));
    EXPECT_NE(Failure.find("image section"), std::string::npos) << Failure;
    EXPECT_TRUE(Load(withoutImages + Hex("00 00 00 00")));

    // A whole drawing comes back without its unreferenced image.
    ASSERT_TRUE(Load(Drawing(700, true))) << Failure;
    EXPECT_EQ(FileNamesIn(Images), (std::vector<std::string>{"A.BMP", "B.BMP", "UNUSED.BMP"}));
    ASSERT_TRUE(SaveJww(Doc, Root + "out.jww", 700));
    EXPECT_EQ(ReadFileBytes(Root + "out.jww"), Drawing(700));
    // No reader opens a version below 220, so none is written.
    std::string saved;
    TJwwWriter w(&saved);
    EXPECT_FALSE(SaveJww(Doc, w, 219, &Failure));
    EXPECT_NE(Failure.find("219"), std::string::npos) << Failure;
}

TEST_F(Drivers, AFailingSaveCreatesNothingAndLeavesAnExistingTargetAsItWas)
{
    ASSERT_TRUE(Load(Drawing(700)));
    EXPECT_FALSE(SaveJww(Doc, Root + "missing/out.jww", 700, &Failure));
    EXPECT_FALSE(Failure.empty());

    // A failure in the last section: a temp image too large to be embedded.
    WriteFileBytes(Root + "target.jww", "precious");
    std::filesystem::resize_file(Images + "B.BMP", uint64_t{1} << 31);
    EXPECT_FALSE(SaveJww(Doc, Root + "target.jww", 700));
    EXPECT_FALSE(SaveJww(Doc, Root + "new.jww", 700));
    // A failure right behind the header: fewer objects held than the count announces.
    Doc.EntityOrder.pop_back();
    EXPECT_FALSE(SaveJww(Doc, Root + "target.jww", 700));
    EXPECT_EQ(ReadFileBytes(Root + "target.jww"), "precious");
    if (!IsSuperuser()) {  // the superuser may write every file
        ::chmod((Root + "target.jww").c_str(), 0444);
        ASSERT_TRUE(Load(Drawing(600)));
        EXPECT_FALSE(SaveJww(Doc, Root + "target.jww", 600));
        EXPECT_EQ(ReadFileBytes(Root + "target.jww"), "precious");
        // Windows deletes no read-only file, so the next run could not clear the folder.
        ::chmod((Root + "target.jww").c_str(), 0644);
    }
    EXPECT_EQ(FileNamesIn(Root), (std::vector<std::string>{"TEMP", "in.jww", "target.jww"}));
}

TEST_F(Drivers, ASaveReplacesTheTargetWithAnOrdinaryNewFileOrTheFileALinkNames)
{
    SKIP_ON_WINDOWS("Windows has no permission bits and no umask for a new file to follow");
    const std::string file = Drawing(600);
    ASSERT_TRUE(Load(file));
    WriteFileBytes(Root + "target.jww", "older and longer than nothing");
    ::chmod((Root + "target.jww").c_str(), 0600);
    const mode_t previousMask = ::umask(027);
    const bool saved = SaveJww(Doc, Root + "target.jww", 600);
    ::umask(previousMask);
    ASSERT_TRUE(saved);
    EXPECT_EQ(ReadFileBytes(Root + "target.jww"), file);
    struct stat st {};
    ASSERT_EQ(::stat((Root + "target.jww").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    std::filesystem::create_directory(Root + "versions");
    WriteFileBytes(Root + "versions/v1.jww", "old");
    std::filesystem::create_symlink("versions/v1.jww", Root + "current.jww");
    ASSERT_TRUE(SaveJww(Doc, Root + "current.jww", 600));
    EXPECT_TRUE(std::filesystem::is_symlink(Root + "current.jww"));
    EXPECT_EQ(ReadFileBytes(Root + "versions/v1.jww"), file);
    EXPECT_EQ(FileNamesIn(Root + "versions"), std::vector<std::string>{"v1.jww"});

    // A path without a folder is saved in the working folder.
    const auto previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(Root);
    EXPECT_TRUE(SaveJww(Doc, "plain.jww", 600));
    std::filesystem::current_path(previousFolder);
    EXPECT_EQ(ReadFileBytes(Root + "plain.jww"), file);
    EXPECT_EQ(FileNamesIn(Root), (std::vector<std::string>{"TEMP", "current.jww", "in.jww",
                                                       "plain.jww", "target.jww", "versions"}));
}
