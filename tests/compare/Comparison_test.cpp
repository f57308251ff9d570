// Two drawings compare as a save writes each of them: what a save normalises is no difference,
// and every other value of the header, the objects and the block definitions is.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <tuple>

#include "compare/BlockComparison.h"
#include "compare/DrawingComparison.h"
#include "tests/support/HeaderBuilder.h"
#include "text/Cp932.h"

namespace {

TEntBase OnLayer(uint16_t group, uint16_t layer)
{
    return {0, 1, 2, 1, layer, group, 0};
}

// A list of one object.
template <class TRecord>
TEntityCollections Holding(std::vector<TRecord> TEntityCollections::*list, int32_t kind,
                           const TRecord& record)
{
    TEntityCollections objects;
    (objects.*list).push_back(record);
    objects.EntityOrder.push_back({kind, 0});
    return objects;
}

TEntityCollections Line(const TEntBase& base, double startX = 0.0)
{
    return Holding(&TEntityCollections::SenList, KindSen, TEntSen{base, startX, 0, 10, 0});
}

TEntityCollections Text(const std::string& text, const std::string& font = "")
{
    TEntMoji moji;
    moji.Base = OnLayer(0, 0);
    moji.Text = text;
    moji.FontName = font;
    return Holding(&TEntityCollections::MojiList, KindMoji, moji);
}

TEntityCollections Point(uint8_t penStyle)
{
    TEntBase base = OnLayer(0, 0);
    base.PenStyle = penStyle;
    return Holding(&TEntityCollections::TenList, KindTen, TEntTen{base, 1.0, 2.0});
}

TObjectChanges Compared(const TEntityCollections& old, const TEntityCollections& now)
{
    return CompareObjects(WrittenRecords(old, 1), WrittenRecords(now, 1));
}

std::string Sjis(std::string_view utf8)
{
    return Utf8ToCp932(utf8);
}

}  // namespace

TEST(Comparison, ObjectsDifferOnlyWhereASaveWritesThemDifferently)
{
    TEntBase style0 = OnLayer(0, 0);
    style0.PenStyle = 0;
    TEntBase layer16 = OnLayer(3, 16);
    TEntBase group1 = OnLayer(0, 0);
    group1.Group = 1;
    const struct {
        const char* Name;
        TEntityCollections Old;
        TEntityCollections New;
        bool Same;
    } cases[] = {
        {"a line type a save corrects", Line(style0), Line(OnLayer(0, 0)), true},
        {"a layer a save corrects", Line(layer16), Line(OnLayer(3, 0)), true},
        {"control characters a save drops", Text("a\r\nb"), Text("ab"), true},
        {"a caret-m pair a save drops", Text("a^mb"), Text("ab"), true},
        {"a point style a save corrects", Point(5), Point(1), true},
        {"negative zero", Line(OnLayer(0, 0), -0.0), Line(OnLayer(0, 0), 0.0), false},
        {"another group", Line(group1), Line(OnLayer(0, 0)), false},
        {"another font", Text("a", "MS Gothic"), Text("a"), false},
        {"a point with its code", Point(100), Point(1), false},
        {"another kind", Point(1), Line(OnLayer(0, 0)), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(!Compared(c.Old, c.New).Any(), c.Same) << c.Name;
}

TEST(Comparison, ChangedObjectsCountOnTheLayerASaveWritesThem)
{
    const TObjectChanges changes =
        Compared(Line(OnLayer(3, 16)), Holding(&TEntityCollections::TenList, KindTen,
                                                TEntTen{OnLayer(10, 2), 1.0, 1.0, 0}));
    EXPECT_EQ(changes.All.Removed.ByKind[KindSen], 1);
    EXPECT_EQ(changes.All.Added.ByKind[KindTen], 1);
    EXPECT_EQ(changes.ByGroup[3].Removed.ByKind[KindSen], 1);
    EXPECT_EQ(changes.ByLayer[3 * 16 + 0].Removed.ByKind[KindSen], 1);
    EXPECT_EQ(changes.ByLayer[10 * 16 + 2].Added.ByKind[KindTen], 1);
    EXPECT_EQ(changes.RemovedLayers, std::vector<uint8_t>{3 * 16});
    EXPECT_EQ(changes.AddedLayers, std::vector<uint8_t>{10 * 16 + 2});
}

TEST(Comparison, HeaderValuesDifferAsTheWindowShowsThemAndTheRestAsASaveWritesIt)
{
    const double radius = 0.1;
    using TChanges = std::vector<std::tuple<TPlace, int, std::string_view, std::string, std::string>>;
    const struct {
        const char* Name;
        std::function<void(TJwwDocument& old, TJwwDocument& now)> Change;
        TChanges Changes;
        bool OtherSettings;
    } cases[] = {
        {"a renamed layer and a recoloured SXF colour",
         [](TJwwDocument& old, TJwwDocument& now) {
             old.LayerTable[2].Name = Sjis("壁");
             now.LayerTable[2].Name = Sjis("躯体壁");
             now.ColorExTable[1].ScreenColor = 65280;
         },
         {{TPlace::Layer, 2, "name", Sjis("壁"), Sjis("躯体壁")},
          {TPlace::Color, 1, "screenColor", "0", "65280"}},
         false},
        {"states, scales and the paper size",
         [](TJwwDocument& old, TJwwDocument& now) {
             old.LayerGroupTable[3].Value3 = 50;
             now.LayerGroupTable[3].Value3 = 100;
             now.LayerGroupTable[3].Value2 = 5;
             now.LayerTable[17].Value1 = 2;
             now.Header.Settings0[0] = 3;
             now.Header.Memo = "plan B";
         },
         {{TPlace::Drawing, 0, "paperSize", "0", "3"},
          {TPlace::Drawing, 0, "memo", "", "plan B"},
          {TPlace::LayerGroup, 3, "writeLayer", "0", "5"},
          {TPlace::LayerGroup, 3, "scale", "50", "100"},
          {TPlace::Layer, 17, "state", "0", "2"}},
         false},
        {"names that differ in what a save drops",
         [](TJwwDocument& old, TJwwDocument& now) {
             old.LayerTable[5].Name = Sjis("壁\r\n");
             now.LayerTable[5].Name = Sjis("壁");
             old.LineTypeExTable[4].Name = "\x01";
             now.LineTypeExTable[4].Name = " ";
         },
         {},
         false},
        {"a radius the window shows alike",
         [radius](TJwwDocument& old, TJwwDocument& now) {
             old.ColorExTable[5].PointRadius = radius;
             now.ColorExTable[5].PointRadius = std::nextafter(radius, 1.0);
         },
         {{TPlace::Color, 5, "pointRadius", "0.1", "0.10000000000000002"}},
         false},
        {"values a save rewrites",
         [](TJwwDocument& old, TJwwDocument& now) {
             old.Header.SettingsA[3] = 7;
             old.Header.SettingsB[5] = 9;
             old.Header.SettingsG.TensPart = 1;
             now.Header.SettingsG.TensPart = 0;
             now.Header.SettingsG.UnitsPart = old.Header.SettingsG.UnitsPart = 3;
             old.Header.Version = now.Header.Version = 420;
         },
         {},
         false},
        {"a value no table shows",
         [](TJwwDocument&, TJwwDocument& now) { now.LineTypeExTable[7].Pitches[9] = 1.5; },
         {},
         true},
        {"a setting of the drawing",
         [](TJwwDocument&, TJwwDocument& now) { now.Header.SettingsC.Tail[2] = 2.0; },
         {},
         true},
    };
    for (const auto& c : cases) {
        TJwwDocument old = HeaderFields(700);
        TJwwDocument now = HeaderFields(700);
        c.Change(old, now);
        const THeaderComparison comparison = CompareHeaders(old, now);
        TChanges changes;
        for (const TFieldChange& change : comparison.Changes)
            changes.emplace_back(change.Place, change.Entry, change.Field, change.Old, change.New);
        EXPECT_EQ(changes, c.Changes) << c.Name;
        EXPECT_EQ(comparison.OtherSettingsDiffer, c.OtherSettings) << c.Name;
    }
}

TEST(Comparison, DrawingsOfTwoVersionsDifferInTheirVersionAlone)
{
    // A split integer of 3 is read back from a 4.20 save as 3 and from a 7.00 save as 13.
    TJwwDocument old = HeaderFields(420);
    TJwwDocument now = HeaderFields(700);
    old.Header.SettingsG.UnitsPart = now.Header.SettingsG.UnitsPart = 3;
    now.Header.SettingsG.TensPart = 1;
    now.StringForm = TStringForm::Wide;
    const TDrawingComparison comparison =
        CompareDrawings(PrepareComparison(old, false), PrepareComparison(now, false));
    EXPECT_FALSE(comparison.Header.Any());
    EXPECT_TRUE(comparison.FormatDiffers());
    EXPECT_FALSE(comparison.Same());
}

TEST(Comparison, BlockDefinitionsPairByTheNameASaveWritesAndDifferInContent)
{
    const auto def = [](const std::string& name, std::vector<double> xs) {
        TEntBlockDef block;
        block.Name = name;
        for (const double x : xs) {
            block.SenList.push_back({OnLayer(0, 0), x, 0, 1, 1});
            block.EntityOrder.push_back({KindSen, static_cast<int32_t>(block.SenList.size() - 1)});
        }
        block.EntityCount = static_cast<int32_t>(block.EntityOrder.size());
        return block;
    };
    TJwwDocument old = HeaderFields(700);
    TJwwDocument now = HeaderFields(700);
    old.BlockDefList = {def("moved", {1, 2}), def("same\x01", {1, 2}), def("gone", {}),
                        def("renumbered", {}), def("twin", {1}), def("twin", {2})};
    now.BlockDefList = {def("same", {2, 1}), def("moved", {1, 3}), def("new", {}),
                        def("renumbered", {}), def("twin", {1}), def("twin", {2})};
    now.BlockDefList[3].Number = 4;
    std::vector<std::tuple<std::string, TChange, bool, int64_t, int64_t>> changes;
    for (const TBlockChange& change : CompareBlocks(old, now))
        changes.emplace_back(change.Name, change.Change, change.AttributesChanged,
                             change.Objects.Added.ByKind[KindSen],
                             change.Objects.Removed.ByKind[KindSen]);
    const decltype(changes) expected = {{"moved", TChange::Changed, false, 1, 1},
                                        {"gone", TChange::Removed, false, 0, 0},
                                        {"renumbered", TChange::Changed, true, 0, 0},
                                        {"new", TChange::Added, false, 0, 0}};
    EXPECT_EQ(changes, expected);
}
