// The pick: the nearest of what a frame shows within a few pixels, with true distances to each
// shape, an insertion picked as a whole; and what it tells the window: the row of each table
// and the text with the names the cells show.
#include <gtest/gtest.h>

#include <numbers>
#include <optional>
#include <string>

#include "jww/jwtype.h"
#include "tables/FillTables.h"
#include "tests/render/BuiltDrawing.h"
#include "ui/Messages.h"
#include "ui/preview/PickRow.h"
#include "ui/preview/PreviewPick.h"

namespace {

TEntSen OnLayer(TEntSen line, uint16_t group, uint16_t layer)
{
    line.Base.LayerGroup = group;
    line.Base.Layer = layer;
    return line;
}

// One millimetre a pixel, the origin at the centre of the view. In the order of the list:
// 0, 1 two lines 3 apart; 2 a point; 3 a text 40 long and 10 high; 4 a quarter of a circle of
// radius 50 about (0, 200), from the x axis up; 5 a solid; 6 an insertion of a line; 7 a line
// of a hidden layer group.
std::unique_ptr<TJwwDocument> PickDrawing()
{
    auto doc = ShownDrawing();
    Add(*doc, KindSen, doc->SenList, OnLayer(Line(0, 0, 100, 0), 0, 2));
    Add(*doc, KindSen, doc->SenList, OnLayer(Line(0, 3, 100, 3, 101, 31), 1, 5));
    TEntTen point;
    point.X = 200;
    Add(*doc, KindTen, doc->TenList, point);
    TEntMoji text;
    text.StartX = 300;
    text.EndX = 340;
    text.SizeX = 8;
    text.SizeY = 10;
    text.Text = "ab";
    Add(*doc, KindMoji, doc->MojiList, text);
    TEntEnko arc;
    arc.CenterY = 200;
    arc.Radius = 50;
    arc.ArcAngle = std::numbers::pi / 2;
    arc.Flatness = 1;
    Add(*doc, KindEnko, doc->EnkoList, arc);
    TEntSolid solid;
    solid.X1 = 400, solid.Y1 = 0, solid.X2 = 450, solid.Y2 = 0;
    solid.X3 = 450, solid.Y3 = 50, solid.X4 = 400, solid.Y4 = 50;
    Add(*doc, KindSolid, doc->SolidList, solid);
    TEntBlockDef& definition = doc->BlockDefList.emplace_back();
    definition.Number = 1;
    Add(definition, KindSen, definition.SenList, Line(0, 0, 10, 0, 5));
    TEntBlock insertion;
    insertion.X = 500;
    insertion.Y = 100;
    insertion.ScaleX = insertion.ScaleY = 1;
    insertion.BlockNumber = 1;
    insertion.Base.LayerGroup = 3;
    insertion.Base.Layer = 1;
    Add(*doc, KindBlock, doc->BlockList, insertion);
    Add(*doc, KindSen, doc->SenList, OnLayer(Line(600, 0, 700, 0), 4, 0));
    doc->LayerGroupTable[4].Value1 = 0;  // hidden
    return doc;
}

TPreviewView MillimetreView()
{
    TPreviewView view;
    view.Width = 1000;
    view.Height = 1000;
    return view;
}

class TQuietServices : public TDesktopServices {
public:
    void ShowMessageBox(std::string_view, std::string_view, TMessageKind) override {}
    bool AskYesNo(std::string_view, std::string_view) override { return false; }
    void Beep() override {}
    std::optional<std::string> OpenDialog(const TFileDialogSettings&) override { return std::nullopt; }
    std::optional<std::string> SaveDialog(const TFileDialogSettings&) override { return std::nullopt; }
    std::optional<int32_t> ColorDialog(int32_t) override { return std::nullopt; }
    void ShellOpen(const std::string&) override {}
    std::string ExecutablePath() override { return {}; }
    std::string UserCacheFolder() override { return {}; }
    std::string UserDocumentsFolder() override { return {}; }
    bool CreateFolder(const std::string&) override { return false; }
    void RemoveFolder(const std::string&) override {}
    void RepaintTable(const TCellTable&) override {}
};

}  // namespace

TEST(PreviewPick, TheNearestShownObjectWithinFourPixels)
{
    const auto doc = PickDrawing();
    TPreviewScene scene;
    scene.Show(*doc);
    const TPreviewView view = MillimetreView();
    const double diagonal = 50 / std::numbers::sqrt2;
    struct TCase {
        const char* What;
        TVec2 At;  // in the drawing
        bool AllLayers;
        std::optional<uint32_t> Position;
        int32_t Kind;
    };
    const TCase cases[] = {
        {"the nearer of two lines 3 apart", {50, 1.2}, false, 0, KindSen},
        {"the other of them", {50, 1.8}, false, 1, KindSen},
        {"beyond a line's end by its distance", {103.5, 0}, false, 0, KindSen},
        {"too far beyond a line's end", {104.5, 0}, false, std::nullopt, 0},
        {"a point", {202, 2}, false, 2, KindTen},
        {"inside a text's frame", {320, 5}, false, 3, KindMoji},
        {"just outside a text's frame", {343, 5}, false, 3, KindMoji},
        {"an arc by its radius", {diagonal + 3, 200 + diagonal + 2}, false, 4, KindEnko},
        {"not the arc's centre", {0, 200}, false, std::nullopt, 0},
        {"not the circle where the arc is not", {-50, 200}, false, std::nullopt, 0},
        {"inside a solid", {425, 25}, false, 5, KindSolid},
        {"a line of an insertion is the insertion", {505, 101}, false, 6, KindBlock},
        {"a hidden layer's line", {650, 0}, false, std::nullopt, 0},
        {"a hidden layer's line with every layer shown", {650, 0}, true, 7, KindSen},
        {"nothing under the pointer", {-300, -300}, false, std::nullopt, 0},
    };
    for (const TCase& c : cases) {
        scene.ShowAllLayers(c.AllLayers);
        const std::optional<TRenderSource> picked = PickAt(scene, view, view.Pixel(c.At), PickPixels, std::nullopt);
        ASSERT_EQ(picked.has_value(), c.Position.has_value()) << c.What;
        if (picked) {
            EXPECT_EQ(picked->Position, *c.Position) << c.What;
            EXPECT_EQ(picked->Kind, c.Kind) << c.What;
        }
    }

    // A highlight shows what it selects on a hidden layer, which can then be picked.
    scene.ShowAllLayers(false);
    TRenderFilter hiddenGroup;
    hiddenGroup.LayerGroup = 4;
    const std::optional<TRenderSource> picked = PickAt(scene, view, view.Pixel({650, 0}), PickPixels, hiddenGroup);
    ASSERT_TRUE(picked);
    EXPECT_EQ(picked->Position, 7u);
}

TEST(PreviewPick, TheRowOfEachTableAndTheTextWithTheNamesTheCellsShow)
{
    const auto doc = PickDrawing();
    doc->LayerTable[1 * 16 + 5].Name = "\x95\xC7";  // 壁
    doc->LayerGroupTable[1].Name = "\x88\xEA\x94\xCA\x90\x7D";  // 一般図
    doc->ColorExTable[1].Name = "red";
    TQuietServices services;
    TForm1 form(services);
    FillTables(*doc, form.StringGrid1, form.StringGrid2, form.StringGrid3, form.StringGrid4);
    TPreviewScene scene;
    scene.Show(*doc);
    const TPreviewView view = MillimetreView();
    const TRenderSource sxfLine = *PickAt(scene, view, view.Pixel({50, 3}), PickPixels, std::nullopt);
    const TRenderSource plainLine = *PickAt(scene, view, view.Pixel({50, 0}), PickPixels, std::nullopt);

    EXPECT_EQ(PickedRow(TTableKind::LayerGroups, sxfLine), RowOfEntry(TTableKind::LayerGroups, 1));
    EXPECT_EQ(PickedRow(TTableKind::Layers, sxfLine), RowOfEntry(TTableKind::Layers, 21));
    EXPECT_EQ(PickedRow(TTableKind::Colors, sxfLine), RowOfEntry(TTableKind::Colors, 1));
    EXPECT_EQ(PickedRow(TTableKind::LineTypes, sxfLine), RowOfEntry(TTableKind::LineTypes, 1));
    EXPECT_EQ(PickedRow(TTableKind::Layers, plainLine), RowOfEntry(TTableKind::Layers, 2));
    EXPECT_EQ(PickedRow(TTableKind::Colors, plainLine), std::nullopt);
    EXPECT_EQ(PickedRow(TTableKind::LineTypes, plainLine), std::nullopt);

    const std::string words = std::string(PickKindLine) + std::string(PickLayer);
    EXPECT_EQ(PickText(form, sxfLine), words + "1-5 \x95\xC7" + std::string(PickGroup) +
                                           "1 \x88\xEA\x94\xCA\x90\x7D)" + std::string(PickPenColor) +
                                           "101 red" + std::string(PickPenStyle) + "31");
    EXPECT_EQ(PickText(form, plainLine), words + "0-2" + std::string(PickGroup) + "0)" +
                                             std::string(PickPenColor) + "2" + std::string(PickPenStyle) + "1");

    // A name typed into its cell shows before the drawing is saved.
    form.CellTyped(form.StringGrid2, NameCol, RowOfEntry(TTableKind::Layers, 2), "wall");
    EXPECT_EQ(PickText(form, plainLine).substr(0, words.size() + 8), words + "0-2 wall");
}
