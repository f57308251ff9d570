// What the drawing's header says about its picture: the pens of H15, the background of pen 0,
// the SXF colours with their widths, the layer states, the paper codes, and the line types of
// H17, H19 and the SXF table as dashes.
#include <gtest/gtest.h>

#include <vector>

#include "render/DrawingStyle.h"
#include "tests/render/BuiltDrawing.h"

namespace {

std::vector<float> RunsOf(const TDashes& dashes)
{
    return {dashes.Runs.begin(), dashes.Runs.begin() + dashes.Count};
}

}  // namespace

TEST(DrawingStyle, PensBackgroundAndSxfColoursFromTheHeader)
{
    auto doc = EmptyDrawing();
    doc->SettingsTableB[0] = {0xFFFFFF, 1, 0, 0, 0.0};
    doc->SettingsTableB[2] = {0x0000FF, 3, 0x00FF00, 50, 0.3};  // screen red, print green
    doc->SettingsTableB[7] = {0x123456, 400, 0, 0, 0.0};
    doc->ColorExTable[1] = {0x00FF00, 2, "", 0, 0, 0.0};
    doc->ColorExTable[256] = {0xFF0000, 0, "", 0, 0, 0.0};
    const TDrawingStyle style = StyleOf(*doc);

    EXPECT_EQ(style.Background, (TRgb{255, 255, 255}));
    struct TCase {
        uint16_t PenColor;
        TRgb Color;
        int Width;
    };
    for (const TCase& c :
         {TCase{2, {255, 0, 0}, 3}, TCase{7, {0x56, 0x34, 0x12}, 16},  // widths kept within 16
          TCase{101, {0, 255, 0}, 2}, TCase{356, {0, 0, 255}, 1},      // and at least 1
          TCase{0, {255, 0, 0}, 3}, TCase{10, {255, 0, 0}, 3},         // no pen: pen 2
          TCase{357, {255, 0, 0}, 3}}) {
        EXPECT_EQ(style.PenOf(c.PenColor).Color, c.Color) << c.PenColor;
        EXPECT_EQ(style.PenOf(c.PenColor).Width, c.Width) << c.PenColor;
    }
    TPrimitive fill;
    fill.Kind = TPrimitiveKind::Fill;
    fill.PenColor = SolidOwnColor;
    fill.OwnColor = {1, 2, 3};
    EXPECT_EQ(style.ColorOf(fill), (TRgb{1, 2, 3}));
    fill.PenColor = 101;
    EXPECT_EQ(style.ColorOf(fill), (TRgb{0, 255, 0}));

    // Edited SXF tables in place of the drawing's.
    std::vector<TColorExNo> colors = doc->ColorExTable;
    colors[1].ScreenColor = 0x0000FF;
    EXPECT_EQ(StyleOf(*doc, colors, doc->LineTypeExTable).PenOf(101).Color, (TRgb{255, 0, 0}));
}

TEST(DrawingStyle, GroupsAndLayersOfStateZeroAreHidden)
{
    auto doc = EmptyDrawing();
    for (TLayerGroup& group : doc->LayerGroupTable)
        group.Value1 = 2;
    for (TLayer& layer : doc->LayerTable)
        layer.Value1 = 1;  // display only, which is shown
    doc->LayerGroupTable[3].Value1 = 0;
    doc->LayerTable[5 * 16 + 2].Value1 = 0;
    doc->LayerGroupTable[0].Value1 = 3;
    const TDrawingStyle style = StyleOf(*doc);
    const auto shows = [&](uint16_t group, uint16_t layer) {
        return style.Shows(TRenderSource{KindSen, 0, group, layer, 2, 1});
    };
    EXPECT_TRUE(shows(0, 0));
    EXPECT_FALSE(shows(3, 0));
    EXPECT_FALSE(shows(3, 15));
    EXPECT_FALSE(shows(5, 2));
    EXPECT_TRUE(shows(5, 3));
    EXPECT_TRUE(shows(20, 2)) << "numbers beyond 15 count as 0, as a save stores them";
    EXPECT_TRUE(shows(5, 0x102)) << "layer 0, not layer 2";
    EXPECT_FALSE(StyleOf(*EmptyDrawing()).Shows(TRenderSource{})) << "a header of zeros hides all";
}

TEST(DrawingStyle, PaperCodesZeroToFourAreA0ToA4Landscape)
{
    auto doc = EmptyDrawing();
    const struct {
        int32_t Code;
        double HalfWidth, HalfHeight;
    } papers[] = {{0, 594.5, 420.5}, {1, 420.5, 297}, {2, 297, 210}, {3, 210, 148.5}, {4, 148.5, 105}};
    for (const auto& paper : papers) {
        doc->Header.Settings0[0] = paper.Code;
        const std::optional<TBounds> sheet = StyleOf(*doc).Paper;
        ASSERT_TRUE(sheet) << paper.Code;
        EXPECT_EQ(sheet->MinX, -paper.HalfWidth);
        EXPECT_EQ(sheet->MaxX, paper.HalfWidth);
        EXPECT_EQ(sheet->MinY, -paper.HalfHeight);
        EXPECT_EQ(sheet->MaxY, paper.HalfHeight);
    }
    for (const int32_t other : {5, 8, -1, 1000}) {
        doc->Header.Settings0[0] = other;
        EXPECT_FALSE(StyleOf(*doc).Paper) << other;
    }
}

TEST(LineTypes, TheBitPatternsOfDrawingsAsDashesInPixels)
{
    const struct {
        uint32_t Pattern;
        int32_t Bits;
        int32_t Pitch;
        std::vector<float> Runs;
    } cases[] = {
        {0x99999999, 4, 1, {2, 2}},
        {0xC3C3C3C3, 8, 1, {4, 4}},
        {0xE7E7E7E7, 8, 1, {6, 2}},
        {0xF99FF99F, 16, 1, {2, 2, 10, 2}},
        {0xFFF99FFF, 32, 1, {2, 2, 26, 2}},
        {0xF24FF24F, 16, 1, {1, 2, 1, 2, 8, 2}},
        {0xFFF24FFF, 32, 1, {1, 2, 1, 2, 24, 2}},
        {0x22222222, 4, 1, {1, 3}},
        {0xC3C3C3C3, 8, 2, {8, 8}},       // a double-length line type
        {0xC3C3C3C3, 0, 1, std::vector<float>(8, 4)},  // a length of no bits reads all 32
        {0xAAAAAAAA, 32, 0, std::vector<float>(32, 1)},
        {0xFFFFFFFF, 32, 1, {}},          // no gap: solid
        {0x00000000, 32, 1, {}},          // no dash: solid rather than nothing
    };
    for (const auto& c : cases) {
        const TDashes dashes = PatternDashes(static_cast<int32_t>(c.Pattern), c.Bits, c.Pitch);
        EXPECT_EQ(RunsOf(dashes), c.Runs) << std::hex << c.Pattern;
        EXPECT_EQ(dashes.Unit, TDashUnit::Pixels);
    }
}

TEST(LineTypes, SxfSegmentsAreMillimetresOtherwiseTheirPattern)
{
    TLineTypeExNo lineType{static_cast<int32_t>(0xC3C3C3C3), 8, 1, 10, "", 4, {3, 1, 0.5, 1}};
    TDashes dashes = SxfDashes(lineType);
    EXPECT_EQ(RunsOf(dashes), (std::vector<float>{3, 1, 0.5, 1}));
    EXPECT_EQ(dashes.Unit, TDashUnit::Millimetres);
    EXPECT_EQ(RunsOf(DashesInPixels(dashes, 2)), (std::vector<float>{6, 2, 1, 2}));
    EXPECT_TRUE(DashesInPixels(dashes, 0.1).Solid()) << "a period under two pixels";

    lineType.SegmentCount = 3;  // odd: its dashes are the gaps the second time
    EXPECT_EQ(RunsOf(SxfDashes(lineType)), (std::vector<float>{3, 1, 0.5, 3, 1, 0.5}));
    lineType.SegmentCount = 2;
    lineType.Pitches = {0, 2};  // a dot keeps a length
    EXPECT_EQ(RunsOf(SxfDashes(lineType)), (std::vector<float>{0.05f, 2}));
    lineType.Pitches = {2, 0};
    EXPECT_TRUE(SxfDashes(lineType).Solid()) << "no gap";
    lineType.SegmentCount = 0;
    EXPECT_EQ(RunsOf(SxfDashes(lineType)), (std::vector<float>{4, 4}));
}

TEST(LineTypes, EachLineTypeNumberFindsItsTable)
{
    auto doc = EmptyDrawing();
    for (std::size_t i = 0; i < doc->SettingsTableC.size(); ++i)
        doc->SettingsTableC[i] = {static_cast<int32_t>(0xF0F0F0F0), 8, static_cast<int32_t>(i + 1), 10};
    for (std::size_t i = 0; i < doc->SettingsTableD.size(); ++i)
        doc->SettingsTableD[i] = {static_cast<int32_t>(0xF0F0F0F0), 8, 1, 10, 3};
    for (std::size_t i = 0; i < doc->SettingsTableE.size(); ++i)
        doc->SettingsTableE[i] = {static_cast<int32_t>(0xF0F0F0F0), 8, static_cast<int32_t>(20 + i), 10};
    for (std::size_t i = 1; i < doc->LineTypeExTable.size(); ++i)
        doc->LineTypeExTable[i] = {0, 0, 0, 0, "", 2, {static_cast<double>(i), 1}};
    const TDrawingStyle style = StyleOf(*doc);
    const auto firstRun = [&](int penStyle) {
        const TDashes& dashes = style.DashesOf(static_cast<uint8_t>(penStyle));
        return dashes.Solid() ? 0.0f : dashes.Runs[0];
    };
    const struct {
        int PenStyle;
        float FirstRun;
    } cases[] = {{1, 0},  {2, 4},  {9, 32},  {10, 0}, {11, 0}, {15, 0}, {16, 80},
                 {19, 92}, {20, 0}, {31, 1}, {62, 32}, {63, 0}, {100, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(firstRun(c.PenStyle), c.FirstRun) << c.PenStyle;
}
