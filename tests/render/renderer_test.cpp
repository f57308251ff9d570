// The primitives each kind of object becomes, with exact coordinates and their pens, block
// insertions with their placement in radians, and the bounds on insertions that never end:
// cycles, depth, the budget and insertions smaller than a pixel.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "render/PictureFrame.h"
#include "render/RenderDrawing.h"
#include "render/RenderFilter.h"
#include "tests/render/BuiltDrawing.h"

namespace {

constexpr double Pi = std::numbers::pi;
constexpr double Close = 1e-9;

TEntBlock Insertion(int32_t number, double x, double y, double scaleX, double scaleY,
                    double radians)
{
    TEntBlock block;
    block.X = x;
    block.Y = y;
    block.ScaleX = scaleX;
    block.ScaleY = scaleY;
    block.Rotation = radians;
    block.BlockNumber = number;
    return block;
}

TEntBlockDef& AddDefinition(TJwwDocument& doc, int32_t number)
{
    TEntBlockDef& definition = doc.BlockDefList.emplace_back();
    definition.Number = number;
    return definition;
}

TRenderScene Render(const TJwwDocument& doc)
{
    TRenderScene scene;
    RenderDrawing(doc, scene);
    return scene;
}

void ExpectPoint(TVec2 actual, double x, double y)
{
    EXPECT_NEAR(actual.X, x, Close);
    EXPECT_NEAR(actual.Y, y, Close);
}

}  // namespace

TEST(RenderObjects, LineKeepsItsEndsAndObject)
{
    auto doc = EmptyDrawing();
    TEntSen line = Line(-10.5, 2.25, 30, 40);
    line.Base.LayerGroup = 3;
    line.Base.Layer = 12;
    line.Base.PenStyle = 35;
    line.Base.PenColor = 8;
    Add(*doc, KindSen, doc->SenList, line);

    const TRenderScene scene = Render(*doc);
    ASSERT_EQ(scene.Primitives.size(), 1u);
    const TPrimitive& p = scene.Primitives[0];
    EXPECT_EQ(p.Kind, TPrimitiveKind::Line);
    ExpectPoint(p.P[0], -10.5, 2.25);
    ExpectPoint(p.P[1], 30, 40);
    EXPECT_EQ(p.Source.Kind, KindSen);
    EXPECT_EQ(p.Source.Position, 0u);
    EXPECT_EQ(p.Source.LayerGroup, 3);
    EXPECT_EQ(p.Source.Layer, 12);
    EXPECT_EQ(p.Source.PenStyle, 35);
    EXPECT_EQ(p.Source.PenColor, 8);
    EXPECT_EQ(p.PenColor, 8);
    EXPECT_EQ(p.PenStyle, 35);
}

TEST(RenderObjects, TiltedFlattenedArcInRadians)
{
    auto doc = EmptyDrawing();
    TEntEnko arc;
    arc.CenterX = 100;
    arc.CenterY = -50;
    arc.Radius = 20;
    arc.StartAngle = Pi / 4;
    arc.ArcAngle = Pi / 2;
    arc.TiltAngle = Pi / 6;
    arc.Flatness = 0.5;
    Add(*doc, KindEnko, doc->EnkoList, arc);

    const TRenderScene scene = Render(*doc);
    ASSERT_EQ(scene.Primitives.size(), 1u);
    const TPrimitive& p = scene.Primitives[0];
    EXPECT_EQ(p.Kind, TPrimitiveKind::Arc);
    ExpectPoint(p.P[0], 100, -50);
    // The major axis of 20 tilted by 30 degrees, the minor of 10 at right angles to it.
    ExpectPoint(p.P[1], 20 * std::sqrt(3.0) / 2, 10);
    ExpectPoint(p.P[2], -5, 10 * std::sqrt(3.0) / 2);
    EXPECT_DOUBLE_EQ(p.Start, Pi / 4);
    EXPECT_DOUBLE_EQ(p.Sweep, Pi / 2);
}

TEST(RenderObjects, FullCircleIgnoresItsAngles)
{
    auto doc = EmptyDrawing();
    TEntEnko circle;
    circle.Radius = 5;
    circle.Flatness = 1;
    circle.StartAngle = 1;
    circle.ArcAngle = 0.5;
    circle.FullCircle = 1;
    Add(*doc, KindEnko, doc->EnkoList, circle);

    const TPrimitive p = Render(*doc).Primitives.at(0);
    EXPECT_EQ(p.Start, 0.0);
    EXPECT_DOUBLE_EQ(p.Sweep, 2 * Pi);
    ExpectPoint(p.P[1], 5, 0);
    ExpectPoint(p.P[2], 0, 5);
}

TEST(RenderObjects, TextAtItsStartWithAngleInDegreesAndHeight)
{
    auto doc = EmptyDrawing();
    TEntMoji text;
    text.StartX = 10;
    text.StartY = 20;
    text.EndX = 40;  // 30 long; the end need not lie in the text's direction
    text.EndY = 20;
    text.SizeX = 4;
    text.SizeY = 5;
    text.Angle = 90;
    text.Text = "\x95\x94\x95i";
    Add(*doc, KindMoji, doc->MojiList, text);

    const TRenderScene scene = Render(*doc);
    ASSERT_EQ(scene.Primitives.size(), 1u);
    const TPrimitive& p = scene.Primitives[0];
    EXPECT_EQ(p.Kind, TPrimitiveKind::Text);
    ExpectPoint(p.P[0], 10, 20);
    ExpectPoint(p.P[1], 0, 30);
    ExpectPoint(p.P[2], -5, 0);
    EXPECT_NEAR(BaselineDegrees(p), 90, Close);
    EXPECT_EQ(scene.Texts.at(p.TextIndex), "\x95\x94\x95i");
}

TEST(RenderObjects, PointSolidAndDimension)
{
    auto doc = EmptyDrawing();
    TEntTen point;
    point.X = 7;
    point.Y = -3;
    Add(*doc, KindTen, doc->TenList, point);
    TEntSolid solid;
    solid.Base.PenColor = 10;
    solid.RgbColor = 0x0080FF;  // red in the lowest byte
    solid.X1 = 0, solid.Y1 = 0, solid.X2 = 4, solid.Y2 = 0;
    solid.X3 = 4, solid.Y3 = 3, solid.X4 = 0, solid.Y4 = 3;
    Add(*doc, KindSolid, doc->SolidList, solid);
    TEntSunpo dim;
    dim.DimLine = Line(0, 10, 100, 10);
    dim.ExtLine1 = Line(0, 0, 0, 12);
    dim.ExtLine2 = Line(100, 5, 100, 5);  // never drawn: one point
    dim.DimText.StartX = 45;
    dim.DimText.StartY = 11;
    dim.DimText.EndX = 55;
    dim.DimText.EndY = 11;
    dim.DimText.SizeY = 2.5;
    dim.DimText.Text = "100";
    Add(*doc, KindSunpo, doc->SunpoList, dim);

    const TRenderScene scene = Render(*doc);
    ASSERT_EQ(scene.Primitives.size(), 5u);
    EXPECT_EQ(scene.Primitives[0].Kind, TPrimitiveKind::Point);
    ExpectPoint(scene.Primitives[0].P[0], 7, -3);

    const TPrimitive& fill = scene.Primitives[1];
    EXPECT_EQ(fill.Kind, TPrimitiveKind::Fill);
    ExpectPoint(fill.P[2], 4, 3);
    ExpectPoint(fill.P[3], 0, 3);
    EXPECT_EQ(fill.OwnColor, (TRgb{0xFF, 0x80, 0x00}));
    EXPECT_EQ(fill.Source.Position, 1u);

    for (std::size_t i = 2; i < 5; ++i) {
        EXPECT_EQ(scene.Primitives[i].Source.Kind, KindSunpo);
        EXPECT_EQ(scene.Primitives[i].Source.Position, 2u);
    }
    ExpectPoint(scene.Primitives[2].P[1], 100, 10);
    ExpectPoint(scene.Primitives[3].P[1], 0, 12);
    EXPECT_EQ(scene.Primitives[4].Kind, TPrimitiveKind::Text);
    ExpectPoint(scene.Primitives[4].P[2], 0, 2.5);
}

TEST(RenderBlocks, RotatedScaledInsertionOfALine)
{
    auto doc = EmptyDrawing();
    TEntBlockDef& definition = AddDefinition(*doc, 7);
    Add(definition, KindSen, definition.SenList, Line(0, 0, 10, 0, 5));
    TEntBlock block = Insertion(7, 100, 200, 2, 3, Pi / 2);
    block.Base.Layer = 4;
    block.Base.LayerGroup = 1;
    Add(*doc, KindBlock, doc->BlockList, block);

    const TRenderScene scene = Render(*doc);
    ASSERT_EQ(scene.Primitives.size(), 1u);
    const TPrimitive& p = scene.Primitives[0];
    // Scaled to 20 along x, then turned a quarter to point up from the insertion point.
    ExpectPoint(p.P[0], 100, 200);
    ExpectPoint(p.P[1], 100, 220);
    EXPECT_EQ(p.Source.Kind, KindBlock);
    EXPECT_EQ(p.Source.Layer, 4);
    EXPECT_EQ(p.Source.LayerGroup, 1);
    EXPECT_EQ(p.PenColor, 5);  // the line's own pen
}

// A real drawing turns a block by 3.14159265..., which is half a turn.
TEST(RenderBlocks, RotationIsInRadians)
{
    auto doc = EmptyDrawing();
    TEntBlockDef& definition = AddDefinition(*doc, 1);
    Add(definition, KindSen, definition.SenList, Line(0, 0, 10, 5));
    Add(*doc, KindBlock, doc->BlockList, Insertion(1, 50, 50, 1, 1, 3.14159265358979));

    const TPrimitive p = Render(*doc).Primitives.at(0);
    ExpectPoint(p.P[0], 50, 50);
    EXPECT_NEAR(p.P[1].X, 40, 1e-6);
    EXPECT_NEAR(p.P[1].Y, 45, 1e-6);
}

TEST(RenderBlocks, NestedInsertionsComposeAndScaleArcsAndTexts)
{
    auto doc = EmptyDrawing();
    TEntBlockDef& inner = AddDefinition(*doc, 2);
    TEntEnko circle;
    circle.CenterX = 1;
    circle.Radius = 1;
    circle.Flatness = 1;
    circle.FullCircle = 1;
    Add(inner, KindEnko, inner.EnkoList, circle);
    TEntMoji text;
    text.SizeY = 1;
    text.EndX = 2;
    Add(inner, KindMoji, inner.MojiList, text);
    TEntBlockDef& outer = AddDefinition(*doc, 1);
    Add(outer, KindBlock, outer.BlockList, Insertion(2, 10, 0, 1, 1, 0));
    Add(*doc, KindBlock, doc->BlockList, Insertion(1, 0, 0, 1, 2, Pi / 2));

    const TRenderScene scene = Render(*doc);
    ASSERT_EQ(scene.Primitives.size(), 2u);
    const TPrimitive& arc = scene.Primitives[0];
    // (11, 0) in the outer definition, turned to (0, 11); x scaled 1, y scaled 2 before it.
    ExpectPoint(arc.P[0], 0, 11);
    ExpectPoint(arc.P[1], 0, 1);
    ExpectPoint(arc.P[2], -2, 0);
    const TPrimitive& moji = scene.Primitives[1];
    ExpectPoint(moji.P[0], 0, 10);
    ExpectPoint(moji.P[1], 0, 2);
    ExpectPoint(moji.P[2], -2, 0);
    EXPECT_NEAR(BaselineDegrees(moji), 90, Close);
}

TEST(RenderBlocks, CyclesAndMissingDefinitionsEnd)
{
    auto doc = EmptyDrawing();
    // 1 draws a line and inserts itself twice and 2, which inserts 1 again.
    TEntBlockDef& first = AddDefinition(*doc, 1);
    Add(first, KindSen, first.SenList, Line(0, 0, 1, 0));
    Add(first, KindBlock, first.BlockList, Insertion(1, 5, 0, 1, 1, 0));
    Add(first, KindBlock, first.BlockList, Insertion(1, 6, 0, 1, 1, 0));
    Add(first, KindBlock, first.BlockList, Insertion(2, 0, 0, 1, 1, 0));
    TEntBlockDef& second = AddDefinition(*doc, 2);
    Add(second, KindSen, second.SenList, Line(0, 0, 0, 1));
    Add(second, KindBlock, second.BlockList, Insertion(1, 0, 0, 1, 1, 0));
    Add(*doc, KindBlock, doc->BlockList, Insertion(1, 0, 0, 1, 1, 0));
    Add(*doc, KindBlock, doc->BlockList, Insertion(99, 0, 0, 1, 1, 0));
    Add(*doc, KindSen, doc->SenList, Line(0, 0, 2, 2));

    const TRenderScene scene = Render(*doc);
    // Each definition once along the chain, then the line of the main list.
    ASSERT_EQ(scene.Primitives.size(), 3u);
    ExpectPoint(scene.Primitives[0].P[1], 1, 0);
    ExpectPoint(scene.Primitives[1].P[1], 0, 1);
    EXPECT_EQ(scene.Primitives[2].Source.Position, 2u);
}

TEST(RenderBlocks, NestingDeeperThanTheLimitIsCut)
{
    auto doc = EmptyDrawing();
    // A chain of distinct definitions, each inserting the next and drawing one line.
    const int chain = MaxBlockNesting + 4;
    for (int number = 1; number <= chain; ++number) {
        TEntBlockDef& definition = AddDefinition(*doc, number);
        Add(definition, KindSen, definition.SenList, Line(0, 0, number, 0));
        Add(definition, KindBlock, definition.BlockList, Insertion(number + 1, 0, 0, 1, 1, 0));
    }
    Add(*doc, KindBlock, doc->BlockList, Insertion(1, 0, 0, 1, 1, 0));
    EXPECT_EQ(Render(*doc).Primitives.size(), static_cast<std::size_t>(MaxBlockNesting));
}

TEST(RenderFilters, EachAttributeAndTheirCombination)
{
    const TRenderSource source{KindSen, 0, 2, 11, 105, 33};
    EXPECT_TRUE(TRenderFilter{}.Shows(source));
    EXPECT_TRUE((TRenderFilter{2, 11, {}, {}}.Shows(source)));
    EXPECT_FALSE((TRenderFilter{2, 12, {}, {}}.Shows(source)));
    EXPECT_FALSE((TRenderFilter{3, {}, {}, {}}.Shows(source)));
    EXPECT_TRUE((TRenderFilter{{}, {}, 105, {}}.Shows(source)));
    EXPECT_FALSE((TRenderFilter{{}, {}, 106, {}}.Shows(source)));
    EXPECT_TRUE((TRenderFilter{{}, {}, {}, 33}.Shows(source)));
    EXPECT_FALSE((TRenderFilter{2, {}, 105, 34}.Shows(source)));
}

TEST(RenderFilters, LayerNamesInHexadecimal)
{
    EXPECT_EQ(LayerName(0, 0), "0-0");
    EXPECT_EQ(LayerName(10, 15), "A-F");
    EXPECT_EQ(LayerName(1, 20), "1-14");

    TRenderFilter filter;
    ASSERT_TRUE(ParseLayerName("c-3", filter));
    EXPECT_EQ(filter.LayerGroup, 12);
    EXPECT_EQ(filter.Layer, 3);
    for (const char* bad : {"", "0", "00", "0-", "G-1", "1-G", "1_2", "01-2", "1-2 "}) {
        TRenderFilter untouched;
        EXPECT_FALSE(ParseLayerName(bad, untouched)) << bad;
        EXPECT_FALSE(untouched.LayerGroup);
    }
}

TEST(RenderObjects, ShapesThatAreNotFiniteAreLeftOut)
{
    auto doc = EmptyDrawing();
    Add(*doc, KindSen, doc->SenList, Line(0, 0, std::nan(""), 1));
    Add(*doc, KindSen, doc->SenList, Line(0, 0, 1, 1));
    Add(*doc, KindSen, doc->SenList, Line(-1e308, 0, 1e308, 1));
    TEntBlockDef& definition = AddDefinition(*doc, 1);
    Add(definition, KindSen, definition.SenList, Line(0, 0, 1e300, 0));
    Add(*doc, KindBlock, doc->BlockList, Insertion(1, 0, 0, 1e300, 1, 0));
    TEntEnko arc;
    arc.Radius = 1;
    arc.ArcAngle = 1e12;  // many turns: the whole ellipse once
    Add(*doc, KindEnko, doc->EnkoList, arc);

    const TRenderScene scene = Render(*doc);
    ASSERT_EQ(scene.Primitives.size(), 3u);
    EXPECT_EQ(scene.Primitives[0].Source.Position, 1u);
    EXPECT_EQ(scene.Primitives[1].Source.Position, 2u);
    EXPECT_DOUBLE_EQ(scene.Primitives[2].Sweep, 2 * Pi);
    // Bounds wider than any double can measure fall back to a small frame.
    ShowEveryLayer(*doc);
    TDrawingRenderer renderer(*doc);
    const TPictureFrame frame = FrameOf(ShownArea(*doc, StyleOf(*doc), {{}, true}, renderer), 100);
    EXPECT_EQ(frame.Extent.MaxX, 1.0);
    EXPECT_EQ(frame.Width, 100);
}

namespace {

// Definition k inserts definition k + 1 fanOut times, depth deep, the last drawing one line of
// 10; the main list inserts definition 1 once. Spread places each insertion beside the last,
// so that no two of the lines share a place; otherwise all lie on one another.
std::unique_ptr<TJwwDocument> NestedDrawing(int fanOut, int depth, bool spread)
{
    auto doc = EmptyDrawing();
    double width = 11;
    for (int number = depth; number >= 1; --number) {
        TEntBlockDef& definition = AddDefinition(*doc, number);
        if (number == depth) {
            Add(definition, KindSen, definition.SenList, Line(0, 0, 10, 0));
            continue;
        }
        for (int i = 0; i < fanOut; ++i)
            Add(definition, KindBlock, definition.BlockList,
                Insertion(number + 1, spread ? i * width : 0, 0, 1, 1, 0));
        width *= fanOut;
    }
    Add(*doc, KindBlock, doc->BlockList, Insertion(1, 0, 0, 1, 1, 0));
    return doc;
}

}  // namespace

TEST(RenderBlocks, FanOutOfTenTwelveDeepStaysWithinTheBudget)
{
    constexpr uint64_t Budget = 1000;
    for (const bool spread : {false, true}) {
        const auto doc = NestedDrawing(10, 12, spread);
        TDrawingRenderer renderer(*doc, {Budget, 0.0, {}});
        EXPECT_EQ(renderer.Blocks().Summary(0).Primitives, 1u) << "the last definition, measured once";
        EXPECT_EQ(renderer.Blocks().Summary(11).Primitives, 100'000'000'000u);
        TRenderScene scene;
        renderer.RenderObject(0, scene);
        if (!spread) {
            // Lines on one another draw the same pixels once.
            EXPECT_EQ(scene.Primitives.size(), 1u);
            EXPECT_FALSE(renderer.BudgetSpent());
            continue;
        }
        EXPECT_TRUE(renderer.BudgetSpent());
        std::size_t lines = 0, frames = 0;
        for (const TPrimitive& p : scene.Primitives)
            (p.P[1].X - p.P[0].X == 10 && p.P[1].Y == p.P[0].Y ? lines : frames)++;
        EXPECT_EQ(lines, Budget) << "every line the budget holds";
        // The rest are the frames of the insertions that did not fit, four sides each, at most
        // ten at each level.
        EXPECT_EQ(frames % 4, 0u);
        EXPECT_LE(frames, 4u * 10 * 12);
        EXPECT_GT(frames, 0u);
    }
}

TEST(RenderBlocks, InsertionsSmallerThanAPixelAreADotThoseOutsideNothingAndTheBudgetEndsInFrames)
{
    auto doc = EmptyDrawing();
    TEntBlockDef& definition = AddDefinition(*doc, 1);
    for (int i = 0; i < 100; ++i)
        Add(definition, KindSen, definition.SenList, Line(0, i * 0.01, 1, i * 0.01, 7));
    Add(*doc, KindBlock, doc->BlockList, Insertion(1, 20, 30, 1, 1, 0));
    Add(*doc, KindBlock, doc->BlockList, Insertion(1, 20, 30, 10, 10, Pi / 2));

    TDrawingRenderer pictured(*doc, {InsertionBudget, 2.0, {}});
    TRenderScene scene;
    pictured.RenderObject(0, scene);
    ASSERT_EQ(scene.Primitives.size(), 1u);
    EXPECT_EQ(scene.Primitives[0].Kind, TPrimitiveKind::Point);
    ExpectPoint(scene.Primitives[0].P[0], 20.5, 30.495);
    EXPECT_EQ(scene.Primitives[0].PenColor, 7);
    pictured.RenderObject(1, scene);
    EXPECT_EQ(scene.Primitives.size(), 101u) << "ten times larger it is drawn";
    for (const bool inside : {false, true}) {
        TDrawingRenderer framed(*doc, {InsertionBudget, 0.0, {inside ? 15.0 : 21.0, 35, 100, 100}});
        scene.Clear();
        framed.RenderObject(1, scene);
        EXPECT_EQ(scene.Primitives.size(), inside ? 100u : 0u) << "a picture of x from 21 on";
    }

    TDrawingRenderer tight(*doc, {150, 0.0, {}});
    scene.Clear();
    tight.RenderObject(0, scene);
    tight.RenderObject(1, scene);
    ASSERT_EQ(scene.Primitives.size(), 104u);
    EXPECT_TRUE(tight.BudgetSpent());
    // The second insertion's box, turned a quarter: x from 20 - 9.9 to 20, y from 30 to 40.
    const TPrimitive* frame = &scene.Primitives[100];
    ExpectPoint(frame[0].P[0], 20, 30);
    ExpectPoint(frame[1].P[0], 20, 40);
    ExpectPoint(frame[2].P[0], 20 - 9.9, 40);
    ExpectPoint(frame[3].P[0], 20 - 9.9, 30);
    ExpectPoint(frame[3].P[1], 20, 30);
}
