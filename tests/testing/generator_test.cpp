// The drawing generator: what its drawings hold. That they load and save again to the same
// bytes, version by version, the copy command's tests show.
#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <set>

#include "tests/cli/CliTestSupport.h"

namespace {

std::unique_ptr<TJwwDocument> Generated(const TGeneratorOptions& options)
{
    auto doc = std::make_unique<TJwwDocument>();
    GenerateDrawing(*doc, options);
    return doc;
}

// What a list holds: its kinds, its texts and the names of the images they refer to.
struct TContents {
    std::set<int32_t> Kinds;
    std::string Texts;
    std::set<std::string> Images;
    std::size_t LongestText = 0;

    explicit TContents(const TEntityCollections& list)
    {
        for (const TEntRef& ref : list.EntityOrder)
            Kinds.insert(ref.Kind);
        const std::string marker = "^@BM%temp%";
        for (const TEntMoji& moji : list.MojiList) {
            Texts += moji.Text;
            LongestText = std::max(LongestText, moji.Text.size());
            if (moji.Text.starts_with(marker))
                Images.insert(moji.Text.substr(marker.size(), moji.Text.find(',') - marker.size()));
        }
    }

    bool TextsHold(unsigned char from, unsigned char to) const
    {
        return std::any_of(Texts.begin(), Texts.end(), [&](char c) {
            return static_cast<unsigned char>(c) >= from && static_cast<unsigned char>(c) <= to;
        });
    }
};

}  // namespace

TEST(DrawingGenerator, EveryKindEverywhereJapaneseAndDirtyTextsAndImagesFrom700)
{
    for (const int32_t version : {420, 700}) {
        SCOPED_TRACE(version);
        const TPrivateImageFolder images;
        const auto generated = Generated({.Version = version});
        const auto loaded = std::make_unique<TJwwDocument>();
        ASSERT_TRUE(Loads(*loaded, Saved(*generated)));
        const TContents list(*loaded);
        const std::set<int32_t> allKinds{KindSen,   KindEnko,  KindTen,  KindMoji,
                                          KindSunpo, KindSolid, KindBlock};
        EXPECT_EQ(list.Kinds, allKinds);
        std::set<int32_t> nestedKinds;
        std::set<std::string> imagesInDefinitions;
        for (const TEntBlockDef& def : loaded->BlockDefList) {
            nestedKinds.merge(TContents(def).Kinds);
            imagesInDefinitions.merge(TContents(def).Images);
        }
        EXPECT_EQ(nestedKinds, allKinds);
        EXPECT_TRUE(list.TextsHold(0x81, 0x9F) && list.LongestText > 254);
        // Some texts carry control characters, which the first save cleans.
        EXPECT_TRUE(TContents(*generated).TextsHold(0, 0x1F));
        EXPECT_FALSE(list.TextsHold(0, 0x1F));
        // From 700 on three images: two referred to in the main list, one only in a definition.
        const std::size_t n = version < 700 ? 0 : 1;
        std::set<std::string> referred = list.Images;
        referred.merge(imagesInDefinitions);
        EXPECT_EQ(std::tuple(TempImageList.size(), referred.size(), list.Images.size()),
                  std::tuple(3 * n, 3 * n, 2 * n));
    }
}

TEST(DrawingGenerator, TheSeedDecidesTheDrawingAndTheSizeItsMix)
{
    const TPrivateImageFolder images;
    EXPECT_EQ(Saved(*Generated({})), Saved(*Generated({})));
    EXPECT_NE(Saved(*Generated({})), Saved(*Generated({.Seed = 2})));
    // Large enough for long counts, long class references and a string of more than 65533 bytes,
    // with more lines than texts, texts than arcs and so on, as in a real drawing.
    const std::string bytes = Saved(*Generated({.TargetBytes = 9'000'000, .Images = false}));
    EXPECT_NEAR(static_cast<double>(bytes.size()), 9e6, 9e5);
    const auto large = std::make_unique<TJwwDocument>();
    ASSERT_TRUE(Loads(*large, bytes));
    EXPECT_GT(large->Header.EntityCount, 0xFFFF);
    EXPECT_GT(TContents(*large).LongestText, 0xFFFDu);
    const std::size_t sizes[] = {large->SenList.size(),   large->MojiList.size(),
                                 large->EnkoList.size(),  large->TenList.size(),
                                 large->SunpoList.size(), large->SolidList.size()};
    EXPECT_EQ(std::adjacent_find(std::begin(sizes), std::end(sizes), std::less_equal<>()),
              std::end(sizes));
    EXPECT_TRUE(Saved(*large) == bytes);
}
