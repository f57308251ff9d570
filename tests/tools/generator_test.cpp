// The drawing generator: what its drawings hold. That they load and save again to the same
// bytes, version by version, the copy command's tests show.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>

#include "jww/jwwunit.h"
#include "tests/support/JwwBuilder.h"
#include "tools/DrawingGenerator.h"
#include "tools/PrivateImageFolder.h"

namespace {

std::string Saved(const TJwwDocument& doc)
{
    std::string bytes;
    TJwwWriter w(&bytes);
    EXPECT_TRUE(SaveJww(doc, w, doc.Header.Version));
    return bytes;
}

std::unique_ptr<TJwwDocument> Loaded(const std::string& bytes)
{
    auto doc = std::make_unique<TJwwDocument>();
    TJwwReader r = TJwwReader::FromBytes(bytes);
    EXPECT_TRUE(LoadJww(*doc, r));
    return doc;
}

std::unique_ptr<TJwwDocument> Generated(const TGeneratorOptions& options)
{
    auto doc = std::make_unique<TJwwDocument>();
    GenerateDrawing(*doc, options);
    return doc;
}

// What a list holds: its kinds, the attributes of its objects, all its texts, and the names of
// the images its texts refer to.
struct TContents {
    std::set<int32_t> Kinds;
    std::vector<std::tuple<uint32_t, int, int, int, int, int, int>> Bases;
    std::string Texts;
    std::set<std::string> Images;
    std::size_t LongestText = 0;

    explicit TContents(const TEntityCollections& list)
    {
        for (const TEntRef& ref : list.EntityOrder)
            Kinds.insert(ref.Kind);
        const auto add = [&](const auto& records) {
            for (const auto& r : records)
                Bases.emplace_back(r.Base.Group, r.Base.PenStyle, r.Base.PenColor, r.Base.PenWidth,
                                   r.Base.Layer, r.Base.LayerGroup, r.Base.Flags);
        };
        std::apply([&](const auto&... lists) { (add(lists), ...); },
                   std::tie(list.SenList, list.EnkoList, list.TenList, list.MojiList,
                            list.SunpoList, list.SolidList, list.BlockList));
        const std::string marker = "^@BM%temp%";
        for (const TEntMoji& moji : list.MojiList) {
            Texts += moji.Text;
            LongestText = std::max(LongestText, moji.Text.size());
            if (moji.Text.starts_with(marker))
                Images.insert(moji.Text.substr(marker.size(), moji.Text.find(',') - marker.size()));
        }
    }
};

// Whether the text holds a byte of the range.
bool Holds(const std::string& text, unsigned char from, unsigned char to)
{
    return std::any_of(text.begin(), text.end(), [&](char c) {
        return static_cast<unsigned char>(c) >= from && static_cast<unsigned char>(c) <= to;
    });
}

}  // namespace

TEST(DrawingGenerator, EveryKindEverywhereJapaneseAndDirtyTextsAndImagesFrom700)
{
    for (const int32_t version : {420, 700}) {
        SCOPED_TRACE(version);
        const TPrivateImageFolder images;
        const auto generated = Generated({.Version = version});
        const auto loaded = Loaded(Saved(*generated));
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
        std::set<uint16_t> sxfModes;
        for (const TEntSunpo& dim : loaded->SunpoList)
            sxfModes.insert(dim.SxfMode);
        EXPECT_EQ(sxfModes, (std::set<uint16_t>{0, 1}));
        EXPECT_TRUE(Holds(list.Texts, 0x81, 0x9F) && list.LongestText > 254);
        EXPECT_TRUE(Holds(loaded->LayerGroupTable[0].Name + loaded->LayerTable[0].Name, 0x81, 0x9F));
        // Some texts carry control characters, which the first save cleans; every other value is
        // one that the writers keep.
        EXPECT_TRUE(Holds(TContents(*generated).Texts, 0, 0x1F));
        EXPECT_FALSE(Holds(list.Texts, 0, 0x1F));
        EXPECT_EQ(list.Bases, TContents(*generated).Bases);
        EXPECT_EQ(loaded->Header.Memo + loaded->LayerTable[9].Name,
                  generated->Header.Memo + generated->LayerTable[9].Name);

        // From 700 on three images: two referred to in the main list, one only in a definition.
        ASSERT_EQ(TempImageList.size(), version < 700 ? 0u : 3u);
        EXPECT_EQ(imagesInDefinitions.size() * 3, TempImageList.size());
        for (const TBindImageType& image : TempImageList) {
            const std::string data = ReadFileBytes(TempImagePath(image.FileName));
            EXPECT_EQ(data.size(), static_cast<std::size_t>(image.ByteSize));
            EXPECT_TRUE(data.starts_with("BM"));
            EXPECT_EQ(list.Images.count(image.FileName) + imagesInDefinitions.count(image.FileName),
                      1u);
        }
    }
}

TEST(DrawingGenerator, TheOptionsDecideTheDrawing)
{
    const TPrivateImageFolder images;
    EXPECT_EQ(Saved(*Generated({})), Saved(*Generated({})));
    EXPECT_NE(Saved(*Generated({})), Saved(*Generated({.Seed = 2})));
    EXPECT_TRUE(TContents(*Generated({.Images = false})).Images.empty() && TempImageList.empty());
    TJwwDocument doc;
    EXPECT_THROW(GenerateDrawing(doc, {.Version = 351}), std::invalid_argument);
    TempImageFolder.clear();
    EXPECT_THROW(GenerateDrawing(doc, {}), std::invalid_argument);
    EXPECT_NO_THROW(GenerateDrawing(doc, {.Images = false}));

    // Large enough for long counts, long class references and a string of more than 65533 bytes,
    // with more lines than texts, texts than arcs, arcs than points, points than dimensions and
    // dimensions than solids.
    const std::string bytes = Saved(*Generated({.TargetBytes = 9'000'000, .Images = false}));
    EXPECT_NEAR(static_cast<double>(bytes.size()), 9e6, 9e5);
    const auto large = Loaded(bytes);
    EXPECT_GT(large->Header.EntityCount, 0xFFFF);
    EXPECT_GT(TContents(*large).LongestText, 0xFFFDu);
    const std::size_t sizes[] = {large->SenList.size(),  large->MojiList.size(),
                                 large->EnkoList.size(), large->TenList.size(),
                                 large->SunpoList.size(), large->SolidList.size()};
    EXPECT_EQ(std::adjacent_find(std::begin(sizes), std::end(sizes), std::less_equal<>()),
              std::end(sizes));
    EXPECT_TRUE(Saved(*large) == bytes);
}
