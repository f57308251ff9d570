#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>

#include "jww/jwwunit.h"
#include "tests/support/JwwBuilder.h"
#include "tools/DrawingGenerator.h"
#include "tools/PrivateImageFolder.h"

namespace {

const std::string ImageMarker = "^@BM%temp%";

std::set<int32_t> KindsOf(const TEntityCollections& list)
{
    std::set<int32_t> kinds;
    for (const TEntRef& ref : list.EntityOrder)
        kinds.insert(ref.Kind);
    return kinds;
}

bool HasControlChar(const std::string& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

bool HasLeadByte(const std::string& text)
{
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return IsSjisLeadByte(static_cast<unsigned char>(c)); });
}

bool SameBase(const TEntBase& a, const TEntBase& b)
{
    return a.Group == b.Group && a.PenStyle == b.PenStyle && a.PenColor == b.PenColor &&
           a.PenWidth == b.PenWidth && a.Layer == b.Layer && a.LayerGroup == b.LayerGroup &&
           a.Flags == b.Flags;
}

// How many records of two lists of one kind differ in their base records.
template <class TRecord>
int ChangedBases(const std::vector<TRecord>& generated, const std::vector<TRecord>& loaded)
{
    if (generated.size() != loaded.size())
        return -1;
    int changed = 0;
    for (std::size_t i = 0; i < generated.size(); ++i)
        changed += SameBase(generated[i].Base, loaded[i].Base) ? 0 : 1;
    return changed;
}

std::set<std::string> ReferencedImages(const TEntityCollections& list)
{
    std::set<std::string> names;
    for (const TEntMoji& moji : list.MojiList) {
        if (moji.Text.compare(0, ImageMarker.size(), ImageMarker) == 0)
            names.insert(moji.Text.substr(ImageMarker.size(),
                                          moji.Text.find(',') - ImageMarker.size()));
    }
    return names;
}

// A folder of the running test's own, since tests may run side by side.
std::string OwnFolder()
{
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string("generator_") + test->test_suite_name() + "_" + test->name();
    std::replace(name.begin(), name.end(), '/', '_');
    return TestFolder(name);
}

// A generated drawing saved once, loaded back and saved again, each step in its own folder.
class GeneratedDrawing : public ::testing::TestWithParam<int32_t> {
protected:
    void Generate(const TGeneratorOptions& options)
    {
        Folder = OwnFolder();
        GenerateDrawing(*Generated, options);
        ASSERT_TRUE(SaveJww(*Generated, Folder + "first.jww", options.Version));
        std::string failure;
        ASSERT_TRUE(LoadJww(*Loaded, Folder + "first.jww", &failure)) << failure;
        ASSERT_TRUE(SaveJww(*Loaded, Folder + "second.jww", Loaded->Header.Version));
    }

    TPrivateImageFolder Images;
    std::string Folder;
    std::unique_ptr<TJwwDocument> Generated = std::make_unique<TJwwDocument>();
    std::unique_ptr<TJwwDocument> Loaded = std::make_unique<TJwwDocument>();
};

TEST_P(GeneratedDrawing, LoadsCompletelyAndSavesToTheSameBytes)
{
    TGeneratorOptions options;
    options.Version = GetParam();
    Generate(options);

    EXPECT_EQ(Loaded->Header.Version, GetParam());
    EXPECT_EQ(Loaded->Header.EntityCount, Generated->Header.EntityCount);
    EXPECT_EQ(Loaded->EntityOrder.size(), Generated->EntityOrder.size());
    EXPECT_EQ(Loaded->MojiList.size(), Generated->MojiList.size());
    ASSERT_EQ(Loaded->Header.BlockDefCount, Generated->Header.BlockDefCount);
    for (std::size_t i = 0; i < Loaded->BlockDefList.size(); ++i)
        EXPECT_EQ(Loaded->BlockDefList[i].EntityOrder.size(),
                  Generated->BlockDefList[i].EntityOrder.size());
    EXPECT_EQ(Loaded->LayerTable[3].Name, Generated->LayerTable[3].Name);
    EXPECT_EQ(Loaded->ColorExTable[200].ScreenColor, Generated->ColorExTable[200].ScreenColor);
    EXPECT_EQ(Loaded->Header.SettingsG.TensPart, Generated->Header.SettingsG.TensPart);
    EXPECT_EQ(ReadFileBytes(Folder + "first.jww"), ReadFileBytes(Folder + "second.jww"));
}

TEST_P(GeneratedDrawing, HoldsEveryKindInTheListAndInBlockDefinitions)
{
    TGeneratorOptions options;
    options.Version = GetParam();
    Generate(options);

    const std::set<int32_t> allKinds{KindSen,   KindEnko,  KindTen,  KindMoji,
                                      KindSunpo, KindSolid, KindBlock};
    EXPECT_EQ(KindsOf(*Loaded), allKinds);
    std::set<int32_t> nestedKinds;
    for (const TEntBlockDef& def : Loaded->BlockDefList) {
        const std::set<int32_t> kinds = KindsOf(def);
        nestedKinds.insert(kinds.begin(), kinds.end());
    }
    EXPECT_EQ(nestedKinds, allKinds);

    EXPECT_TRUE(std::any_of(Loaded->TenList.begin(), Loaded->TenList.end(),
                            [](const TEntTen& p) { return p.Base.PenStyle == 100 && p.Code != 0; }));
    EXPECT_TRUE(std::any_of(Loaded->SolidList.begin(), Loaded->SolidList.end(),
                            [](const TEntSolid& s) { return s.Base.PenColor == 10; }));
    std::set<uint16_t> sxfModes;
    for (const TEntSunpo& dim : Loaded->SunpoList)
        sxfModes.insert(dim.SxfMode);
    EXPECT_EQ(sxfModes, (std::set<uint16_t>{0, 1}));
    EXPECT_TRUE(std::any_of(Loaded->MojiList.begin(), Loaded->MojiList.end(),
                            [](const TEntMoji& m) { return HasLeadByte(m.Text); }));
    EXPECT_TRUE(std::any_of(Loaded->MojiList.begin(), Loaded->MojiList.end(),
                            [](const TEntMoji& m) { return m.Text.size() > 254; }));
    EXPECT_TRUE(HasLeadByte(Loaded->LayerGroupTable[0].Name + Loaded->LayerTable[0].Name));
}

TEST_P(GeneratedDrawing, SavingChangesNothingButTheDirtyTexts)
{
    TGeneratorOptions options;
    options.Version = GetParam();
    Generate(options);

    EXPECT_TRUE(std::any_of(Generated->MojiList.begin(), Generated->MojiList.end(),
                            [](const TEntMoji& m) { return HasControlChar(m.Text); }));
    EXPECT_TRUE(std::none_of(Loaded->MojiList.begin(), Loaded->MojiList.end(),
                             [](const TEntMoji& m) { return HasControlChar(m.Text); }));
    // Every attribute is one the writers keep.
    EXPECT_EQ(ChangedBases(Generated->SenList, Loaded->SenList), 0);
    EXPECT_EQ(ChangedBases(Generated->EnkoList, Loaded->EnkoList), 0);
    EXPECT_EQ(ChangedBases(Generated->TenList, Loaded->TenList), 0);
    EXPECT_EQ(ChangedBases(Generated->MojiList, Loaded->MojiList), 0);
    EXPECT_EQ(ChangedBases(Generated->SunpoList, Loaded->SunpoList), 0);
    EXPECT_EQ(ChangedBases(Generated->SolidList, Loaded->SolidList), 0);
    EXPECT_EQ(ChangedBases(Generated->BlockList, Loaded->BlockList), 0);
    EXPECT_EQ(ChangedBases(Generated->BlockDefList, Loaded->BlockDefList), 0);
    // Everything the header writer would change is generated as the writer leaves it.
    EXPECT_EQ(Loaded->Header.Memo, Generated->Header.Memo);
    for (std::size_t i = 0; i < Loaded->LayerTable.size(); ++i)
        EXPECT_EQ(Loaded->LayerTable[i].Name, Generated->LayerTable[i].Name);
    EXPECT_EQ(Loaded->Header.SettingsB, Generated->Header.SettingsB);
    EXPECT_EQ(Loaded->Header.SettingsG.UnitsPart, Generated->Header.SettingsG.UnitsPart);
}

TEST_P(GeneratedDrawing, EmbedsImagesFromVersion700)
{
    TGeneratorOptions options;
    options.Version = GetParam();
    Generate(options);

    if (GetParam() < 700) {
        EXPECT_TRUE(ReferencedImages(*Generated).empty());
        return;
    }
    ASSERT_EQ(TempImageCount, 3);
    std::set<std::string> inDefinitions;
    for (const TEntBlockDef& def : Loaded->BlockDefList) {
        const std::set<std::string> names = ReferencedImages(def);
        inDefinitions.insert(names.begin(), names.end());
    }
    const std::set<std::string> inList = ReferencedImages(*Loaded);
    EXPECT_EQ(inList.size(), 2u);
    ASSERT_EQ(inDefinitions.size(), 1u);
    EXPECT_EQ(inList.count(*inDefinitions.begin()), 0u);
    for (const TBindImageType& image : TempImageList) {
        EXPECT_EQ(ReadFileBytes(TempImagePath(image.FileName)).size(),
                  static_cast<std::size_t>(image.ByteSize));
        EXPECT_EQ(ReadFileBytes(TempImagePath(image.FileName)).substr(0, 2), "BM");
    }
    EXPECT_TRUE(std::any_of(TempImageList.begin(), TempImageList.end(),
                            [](const TBindImageType& image) { return image.ByteSize > 2048; }));
}

INSTANTIATE_TEST_SUITE_P(Versions, GeneratedDrawing, ::testing::Values(420, 600, 700, 800));

class GeneratorOptions : public ::testing::Test {
protected:
    std::string SavedBytes(const TGeneratorOptions& options)
    {
        const auto doc = std::make_unique<TJwwDocument>();
        GenerateDrawing(*doc, options);
        const std::string path = Folder + "drawing.jww";
        EXPECT_TRUE(SaveJww(*doc, path, options.Version));
        return ReadFileBytes(path);
    }

    TPrivateImageFolder Images;
    std::string Folder = OwnFolder();
};

TEST_F(GeneratorOptions, TheSeedDecidesTheDrawing)
{
    TGeneratorOptions options;
    const std::string first = SavedBytes(options);
    EXPECT_EQ(SavedBytes(options), first);
    options.Seed = 2;
    EXPECT_NE(SavedBytes(options), first);
}

TEST_F(GeneratorOptions, NoImagesLeavesTheImageListEmpty)
{
    TGeneratorOptions options;
    options.Images = false;
    const auto doc = std::make_unique<TJwwDocument>();
    GenerateDrawing(*doc, options);
    EXPECT_EQ(TempImageCount, 0);
    EXPECT_TRUE(ReferencedImages(*doc).empty());
}

TEST_F(GeneratorOptions, RefusesOldVersionsAndImagesWithoutAFolder)
{
    const auto doc = std::make_unique<TJwwDocument>();
    TGeneratorOptions options;
    options.Version = 351;
    EXPECT_THROW(GenerateDrawing(*doc, options), std::invalid_argument);
    options.Version = 700;
    TempImageFolder.clear();
    EXPECT_THROW(GenerateDrawing(*doc, options), std::invalid_argument);
    options.Images = false;
    EXPECT_NO_THROW(GenerateDrawing(*doc, options));
}

// Large enough for long counts, long class references and a string of more than 65533 bytes.
TEST_F(GeneratorOptions, LargeDrawingHasTheSizeAndMixAskedForAndSurvivesARoundTrip)
{
    TGeneratorOptions options;
    options.TargetBytes = 9'000'000;
    const std::string first = SavedBytes(options);
    EXPECT_NEAR(static_cast<double>(first.size()), 9e6, 9e5);

    const auto doc = std::make_unique<TJwwDocument>();
    ASSERT_TRUE(LoadJww(*doc, Folder + "drawing.jww"));
    EXPECT_GT(doc->Header.EntityCount, 0xFFFF);
    EXPECT_GT(doc->SenList.size(), doc->MojiList.size());
    EXPECT_GT(doc->MojiList.size(), doc->EnkoList.size());
    EXPECT_GT(doc->EnkoList.size(), doc->TenList.size());
    EXPECT_GT(doc->TenList.size(), doc->SunpoList.size());
    EXPECT_GT(doc->SunpoList.size(), doc->SolidList.size());
    EXPECT_TRUE(std::any_of(doc->MojiList.begin(), doc->MojiList.end(),
                            [](const TEntMoji& m) { return m.Text.size() > 0xFFFD; }));
    ASSERT_TRUE(SaveJww(*doc, Folder + "again.jww", doc->Header.Version));
    EXPECT_EQ(ReadFileBytes(Folder + "again.jww"), first);
}

}  // namespace
