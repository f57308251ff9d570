#include <gtest/gtest.h>

#include "jww/jwwunit.h"
#include "tests/support/HeaderBuilder.h"

namespace {

void ExpectResetHeader(const THeader& h)
{
    EXPECT_EQ(h.Magic, "");
    EXPECT_EQ(h.Version, 0);
    EXPECT_EQ(h.Memo, "");
    EXPECT_EQ(h.Settings0, (std::array<int32_t, 2>{}));
    EXPECT_EQ(h.SettingsA, (std::array<int32_t, 14>{}));
    EXPECT_EQ(h.SettingsB, (std::array<int32_t, 7>{}));
    EXPECT_EQ(h.SettingsC.Lead, (std::array<double, 3>{0.0, 0.0, 1.0}));
    EXPECT_EQ(h.SettingsC.Ints, (std::array<int32_t, 2>{}));
    EXPECT_EQ(h.SettingsC.Tail, (std::array<double, 5>{1.0, 1.0, 1.0, 0.0, 0.0}));
    EXPECT_EQ(h.SettingsD.Lead, (std::array<double, 2>{}));
    EXPECT_EQ(h.SettingsD.Int, 0);
    EXPECT_EQ(h.SettingsD.Tail, (std::array<double, 3>{}));
    EXPECT_EQ(h.SettingsE.Int, 0);
    EXPECT_EQ(h.SettingsE.Doubles, (std::array<double, 6>{1.0, 0.0, 0.0, 1.0, 0.0, 0.0}));
    for (int e = 0; e < 10; ++e) {
        const TSettingsEntry3D1I& entry = h.SettingsTableA[e];
        EXPECT_EQ(entry.D1, e < 8 ? 1.0 : 0.0) << "entry " << e + 1;
        EXPECT_EQ(entry.D2, 0.0);
        EXPECT_EQ(entry.D3, 0.0);
        EXPECT_EQ(entry.I1, e < 8 ? -1 : 0) << "entry " << e + 1;
    }
    EXPECT_EQ(h.SettingsF, (std::array<double, 11>{}));
    EXPECT_EQ(h.SettingsG.Ints, (std::array<int32_t, 10>{}));
    EXPECT_EQ(h.SettingsG.UnitsPart, 0);
    EXPECT_EQ(h.SettingsG.TensPart, 0);
    EXPECT_EQ(h.SettingsG.Ints2, (std::array<int32_t, 5>{}));
    EXPECT_EQ(h.SettingsG.Doubles, (std::array<double, 5>{}));
    EXPECT_EQ(h.SettingsG.Doubles2, (std::array<double, 4>{}));
    EXPECT_EQ(h.SettingsG.Ints3, (std::array<int32_t, 2>{}));
    EXPECT_EQ(h.SettingsH.Lead, (std::array<double, 3>{}));
    EXPECT_EQ(h.SettingsH.Int, 0);
    EXPECT_EQ(h.SettingsH.Tail, (std::array<double, 6>{}));
}

void ExpectEmptyCollections(const TEntityCollections& c)
{
    EXPECT_TRUE(c.EntityOrder.empty());
    EXPECT_TRUE(c.SenList.empty());
    EXPECT_TRUE(c.EnkoList.empty());
    EXPECT_TRUE(c.TenList.empty());
    EXPECT_TRUE(c.MojiList.empty());
    EXPECT_TRUE(c.SunpoList.empty());
    EXPECT_TRUE(c.SolidList.empty());
    EXPECT_TRUE(c.BlockList.empty());
}

void ExpectEmptyTables(const TJwwDocument& doc)
{
    EXPECT_TRUE(doc.LayerGroupTable.empty());
    EXPECT_TRUE(doc.LayerTable.empty());
    EXPECT_TRUE(doc.SettingsTableB.empty());
    EXPECT_TRUE(doc.SettingsTableC.empty());
    EXPECT_TRUE(doc.SettingsTableD.empty());
    EXPECT_TRUE(doc.SettingsTableE.empty());
    EXPECT_TRUE(doc.ColorExTable.empty());
    EXPECT_TRUE(doc.LineTypeExTable.empty());
    EXPECT_TRUE(doc.SettingsTableF.empty());
    EXPECT_TRUE(doc.BlockDefList.empty());
    ExpectEmptyCollections(doc);
}

}  // namespace

TEST(ClearJww, FreshDocumentIsEmpty)
{
    const TJwwDocument doc;
    ExpectResetHeader(doc.Header);
    ExpectEmptyTables(doc);
}

TEST(ClearJww, EmptiesEverythingButTheTwoCounts)
{
    TJwwDocument doc = HeaderFields(700);
    FillHeaderWithRandomBits(doc, 3);
    doc.Header.EntityCount = 2;
    doc.Header.BlockDefCount = 1;
    doc.EntityOrder.push_back({KindSen, 0});
    doc.SenList.emplace_back();
    doc.MojiList.emplace_back();
    TEntBlockDef def;
    def.Name = "block";
    def.EntityOrder.push_back({KindTen, 0});
    def.TenList.emplace_back();
    def.SunpoList.emplace_back();
    doc.BlockDefList.push_back(def);

    ClearJww(doc);
    ExpectResetHeader(doc.Header);
    ExpectEmptyTables(doc);
    EXPECT_EQ(doc.Header.EntityCount, 2);
    EXPECT_EQ(doc.Header.BlockDefCount, 1);

    ClearJww(doc);
    ExpectResetHeader(doc.Header);
    EXPECT_EQ(doc.Header.EntityCount, 2);
}

TEST(ClearJww, HeaderTablesGetTheirFixedLengthsWithZeroElements)
{
    TJwwDocument doc;
    CreateHeaderTables(doc);
    EXPECT_EQ(doc.LayerGroupTable.size(), 16u);
    EXPECT_EQ(doc.LayerTable.size(), 256u);
    EXPECT_EQ(doc.SettingsTableB.size(), 10u);
    EXPECT_EQ(doc.SettingsTableC.size(), 8u);
    EXPECT_EQ(doc.SettingsTableD.size(), 5u);
    EXPECT_EQ(doc.SettingsTableE.size(), 4u);
    EXPECT_EQ(doc.SettingsTableF.size(), 10u);
    EXPECT_EQ(doc.ColorExTable.size(), 257u);
    EXPECT_EQ(doc.LineTypeExTable.size(), 33u);
    EXPECT_EQ(doc.SettingsTableF[9].I1, 0);
    EXPECT_EQ(doc.ColorExTable[256].PointRadius, 0.0);
    EXPECT_EQ(doc.LineTypeExTable[32].Pitches[9], 0.0);
}

TEST(ClearJww, WithoutArgumentClearsTheProgramsDocument)
{
    JwwDoc.Header.Version = 700;
    JwwDoc.LayerTable.resize(3);
    ClearJww();
    EXPECT_EQ(JwwDoc.Header.Version, 0);
    EXPECT_TRUE(JwwDoc.LayerTable.empty());
}
