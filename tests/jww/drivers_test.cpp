#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "jww/jwwunit.h"
#include "tests/jww/TempImageFixture.h"
#include "tests/support/HeaderBuilder.h"

namespace {

// A header whose values every writer keeps as they are, so a save reproduces it.
std::string Header(int32_t version)
{
    TJwwDocument fields = HeaderFields(version);
    fields.Header.Memo = "memo";
    fields.Header.SettingsG.TensPart = 1;
    fields.Header.SettingsG.UnitsPart = 3;
    fields.LayerGroupTable[2].Name = "GROUP2";
    fields.LayerTable[37].Name = "LAYER37";
    return BuildHeader(fields);
}

TJwwBuilder& Line(TJwwBuilder& b, double startX)
{
    return b.Base(0, 1, 2, 0, 3, 2, 0).Double(startX).Double(2.0).Double(3.0).Double(4.0);
}

TJwwBuilder& TextRecord(TJwwBuilder& b, std::string_view text)
{
    b.Base(0, 1, 2, 0, 0, 0, 0).Double(0).Double(0).Double(10).Double(0).Int(1);
    return b.Double(3).Double(3).Double(0.5).Double(0).String("MS Gothic").String(text);
}

// Objects: a line (class 1, object 2) and a text (class 3, object 4); one block definition
// (class 5, object 6) holding a text. Texts refer to A.BMP and, inside the block, B.BMP.
std::string ObjectsAndBlocks(int32_t version)
{
    const auto schema = static_cast<uint16_t>(version);
    TJwwBuilder b;
    b.Count(2).NewClass(schema, "CDataSen");
    Line(b, 1.0).NewClass(schema, "CDataMoji");
    TextRecord(b, "^@BM%temp%A.BMP,320,240");
    b.Count(1).NewClass(schema, "CDataList").Base(0, 0, 0, 0, 0, 0, 0);
    b.Int(1).Int(0).Int(0).String("BLOCK").Count(1).ClassRef(3);
    TextRecord(b, "^@BM%temp%b.bmp,1");
    return b.Bytes();
}

std::string ImageSection(bool withUnreferenced)
{
    TJwwBuilder b;
    b.Int(withUnreferenced ? 3 : 2);
    b.String("A.BMP").Int(3).Raw("abc");
    if (withUnreferenced)
        b.String("UNUSED.BMP").Int(1).Raw("u");
    b.String("B.BMP").Int(2049).Raw(std::string(2049, 'b'));
    return b.Bytes();
}

}  // namespace

class Drivers : public TempImageTest {
protected:
    // Loads bytes written to a file of the test's folder.
    bool Load(const std::string& bytes)
    {
        WriteFileBytes(Root + "in.jww", bytes);
        return LoadJww(Doc, Root + "in.jww");
    }

    TJwwDocument Doc;
};

TEST_F(Drivers, Version219IsRefusedRightAfterTheVersionWithTablesCreated)
{
    TJwwBuilder file;
    file.Raw("JwwData.").Int(219).String("memo").Zeros(5000);
    EXPECT_FALSE(Load(file.Bytes()));
    EXPECT_EQ(Doc.Header.Version, 219);
    EXPECT_EQ(Doc.Header.Magic, "JwwData.");
    EXPECT_EQ(Doc.Header.Memo, "");
    EXPECT_EQ(Doc.LayerGroupTable.size(), 16u);
    EXPECT_EQ(Doc.LayerTable.size(), 256u);
    EXPECT_EQ(Doc.SettingsTableB.size(), 10u);
    EXPECT_EQ(Doc.SettingsTableC.size(), 8u);
    EXPECT_EQ(Doc.SettingsTableD.size(), 5u);
    EXPECT_EQ(Doc.SettingsTableE.size(), 4u);
    EXPECT_EQ(Doc.SettingsTableF.size(), 10u);
    EXPECT_EQ(Doc.ColorExTable.size(), 257u);
    EXPECT_EQ(Doc.LineTypeExTable.size(), 33u);
    EXPECT_EQ(Doc.LayerTable[255].Value1, 0);
    EXPECT_EQ(Doc.ColorExTable[256].ScreenColor, 0);
}

TEST_F(Drivers, AFileEndingInsideTheEntityListKeepsWhatWasRead)
{
    TJwwBuilder file;
    file.Raw(Header(700)).Count(3).NewClass(700, "CDataSen");
    Line(file, 7.5).ClassRef(1);
    const std::string bytes = file.Bytes() + std::string(20, '\0');
    EXPECT_FALSE(Load(bytes));
    EXPECT_EQ(Doc.LayerGroupTable[2].Name, "GROUP2");
    EXPECT_EQ(Doc.LayerTable[37].Name, "LAYER37");
    EXPECT_EQ(Doc.Header.EntityCount, 3);
    ASSERT_EQ(Doc.EntityOrder.size(), 1u);
    ASSERT_FALSE(Doc.SenList.empty());
    EXPECT_EQ(Doc.SenList[0].StartX, 7.5);
    EXPECT_TRUE(Doc.BlockDefList.empty());
}

TEST_F(Drivers, ADrawingReadOnlyPartlyIsNeverSaved)
{
    // The file ends inside the fixed fields of its only block definition: no count of the
    // document shows the gap, yet a save would lose the definition's name and objects.
    const std::string whole = Header(600) + ObjectsAndBlocks(600);
    const std::size_t blockName = whole.find("BLOCK");
    ASSERT_NE(blockName, std::string::npos);
    EXPECT_FALSE(Load(whole.substr(0, blockName - 3)));
    EXPECT_TRUE(Doc.LoadedPartly);
    std::string failure;
    EXPECT_FALSE(SaveJww(Doc, Root + "out.jww", 600, &failure));
    EXPECT_NE(failure.find("not read completely"), std::string::npos) << failure;
    EXPECT_FALSE(std::filesystem::exists(Root + "out.jww"));

    ASSERT_TRUE(Load(whole));
    EXPECT_FALSE(Doc.LoadedPartly);
    EXPECT_TRUE(SaveJww(Doc, Root + "out.jww", 600));
}

TEST_F(Drivers, Version600HasNoImageSection)
{
    TempImageList = {{"EARLIER.BMP", 1, 0}};
    const std::string file = Header(600) + ObjectsAndBlocks(600);
    ASSERT_TRUE(Load(file));
    EXPECT_EQ(Doc.MojiList.size(), 1u);
    ASSERT_EQ(Doc.BlockDefList.size(), 1u);
    // The list still describes the last image section read.
    ASSERT_EQ(TempImageList.size(), 1u);

    ASSERT_TRUE(SaveJww(Doc, Root + "out.jww", 600));
    EXPECT_EQ(ReadFileBytes(Root + "out.jww"), file);
}

TEST_F(Drivers, Version700NeedsItsImageSection)
{
    const std::string withoutImages = Header(700) + ObjectsAndBlocks(700);
    std::string failure;
    WriteFileBytes(Root + "in.jww", withoutImages);
    EXPECT_FALSE(LoadJww(Doc, Root + "in.jww", &failure));
    EXPECT_NE(failure.find("image section"), std::string::npos) << failure;
    EXPECT_EQ(Doc.BlockDefList.size(), 1u);

    EXPECT_TRUE(Load(withoutImages + Hex("00 00 00 00")));
}

TEST_F(Drivers, AWholeDrawingComesBackWithoutItsUnreferencedImage)
{
    const std::string body = Header(700) + ObjectsAndBlocks(700);
    ASSERT_TRUE(Load(body + ImageSection(true)));
    EXPECT_EQ(FilesIn(Images), (std::vector<std::string>{"A.BMP", "B.BMP", "UNUSED.BMP"}));

    ASSERT_TRUE(SaveJww(Doc, Root + "out.jww", 700));
    EXPECT_EQ(ReadFileBytes(Root + "out.jww"), body + ImageSection(false));
    EXPECT_EQ(FilesIn(Root), (std::vector<std::string>{"TEMP", "in.jww", "out.jww"}));
}

TEST_F(Drivers, AFileThatCannotBeOpenedIsNotAFailedLoad)
{
    Doc.Header.Memo = "previous";
    EXPECT_THROW(LoadJww(Doc, Root + "missing.jww"), EJwwIOError);
    EXPECT_EQ(Doc.Header.Memo, "");
    EXPECT_TRUE(Doc.LayerTable.empty());
    EXPECT_THROW(LoadJww(Doc, Images), EJwwIOError);
}

TEST_F(Drivers, SavingIntoAMissingFolderCreatesNothing)
{
    ASSERT_TRUE(Load(Header(700) + ObjectsAndBlocks(700) + ImageSection(false)));
    std::string failure;
    EXPECT_FALSE(SaveJww(Doc, Root + "missing/out.jww", 700, &failure));
    EXPECT_FALSE(failure.empty());
    EXPECT_FALSE(std::filesystem::exists(Root + "missing"));
    EXPECT_EQ(FilesIn(Root), (std::vector<std::string>{"TEMP", "in.jww"}));
}

TEST_F(Drivers, AFailingSaveLeavesAnExistingTargetAsItWas)
{
    WriteFileBytes(Root + "target.jww", "precious");

    // A failure in the entity list, right behind the header: the document holds fewer objects
    // than its count announces.
    TJwwBuilder cut;
    cut.Raw(Header(700)).Count(3).NewClass(700, "CDataSen");
    Line(cut, 1.0);
    ASSERT_FALSE(Load(cut.Bytes()));
    EXPECT_FALSE(SaveJww(Doc, Root + "target.jww", 700));
    EXPECT_EQ(ReadFileBytes(Root + "target.jww"), "precious");

    // A failure in the last section: a temp image too large to be embedded.
    ASSERT_TRUE(Load(Header(700) + ObjectsAndBlocks(700) + ImageSection(false)));
    std::filesystem::resize_file(Images + "B.BMP", uint64_t{1} << 31);
    EXPECT_FALSE(SaveJww(Doc, Root + "target.jww", 700));
    EXPECT_EQ(ReadFileBytes(Root + "target.jww"), "precious");
    EXPECT_FALSE(SaveJww(Doc, Root + "new.jww", 700));

    EXPECT_EQ(FilesIn(Root), (std::vector<std::string>{"TEMP", "in.jww", "target.jww"}));
}

TEST_F(Drivers, ASaveReplacesTheTargetWithAnOrdinaryNewFile)
{
    const std::string file = Header(600) + ObjectsAndBlocks(600);
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

    // A path without a folder is saved in the working folder.
    const auto previousFolder = std::filesystem::current_path();
    std::filesystem::current_path(Root);
    EXPECT_TRUE(SaveJww(Doc, "plain.jww", 600));
    std::filesystem::current_path(previousFolder);
    EXPECT_EQ(ReadFileBytes(Root + "plain.jww"), file);
    EXPECT_EQ(FilesIn(Root), (std::vector<std::string>{"TEMP", "in.jww", "plain.jww", "target.jww"}));
}

TEST_F(Drivers, ASaveThroughALinkReplacesTheFileItNames)
{
    const std::string file = Header(600) + ObjectsAndBlocks(600);
    ASSERT_TRUE(Load(file));
    std::filesystem::create_directory(Root + "versions");
    WriteFileBytes(Root + "versions/v1.jww", "old");
    std::filesystem::create_symlink("versions/v1.jww", Root + "current.jww");

    ASSERT_TRUE(SaveJww(Doc, Root + "current.jww", 600));
    EXPECT_TRUE(std::filesystem::is_symlink(Root + "current.jww"));
    EXPECT_EQ(ReadFileBytes(Root + "versions/v1.jww"), file);
    EXPECT_EQ(FilesIn(Root + "versions"), std::vector<std::string>{"v1.jww"});
}

TEST_F(Drivers, AWriteProtectedTargetIsRefused)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "the superuser may write every file";
    ASSERT_TRUE(Load(Header(600) + ObjectsAndBlocks(600)));
    WriteFileBytes(Root + "locked.jww", "locked");
    ::chmod((Root + "locked.jww").c_str(), 0444);
    EXPECT_FALSE(SaveJww(Doc, Root + "locked.jww", 600));
    EXPECT_EQ(ReadFileBytes(Root + "locked.jww"), "locked");
}
