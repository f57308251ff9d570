// What both previews share: lines, dashes and fills drawn into memory, the same pixels in every
// part of a frame; the index, which finds what lies in a box; and frames that leave hidden
// layers out unless a highlight selects them, frame the paper and fill the background of pen 0.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tables/FillTables.h"
#include "tables/TableFrames.h"
#include "tables/TableRules.h"
#include "tables/TableWriteBack.h"
#include "tests/render/BuiltDrawing.h"
#include "ui/preview/CellStyle.h"
#include "ui/preview/CompareMode.h"
#include "ui/preview/FarViews.h"
#include "ui/preview/PreviewPaint.h"

namespace {

constexpr uint32_t Ink = 0x00010203;

struct TPixels {
    int Width, Height;
    std::vector<uint32_t> Memory = std::vector<uint32_t>(static_cast<std::size_t>(Width) * Height, 0);
    TPixelFrame Frame() { return {Memory.data(), Width, Height, 0}; }
    uint32_t At(int x, int y) const { return Memory.at(static_cast<std::size_t>(y) * Width + x); }
    // The marked pixels of a row, '#' for ink.
    std::string Row(int y) const
    {
        std::string row;
        for (int x = 0; x < Width; ++x)
            row += At(x, y) == Ink ? '#' : '.';
        return row;
    }
};

class TMemoryCanvas : public TPreviewCanvas {
public:
    explicit TMemoryCanvas(TPixels& pixels) : Pixels(pixels) {}
    TPixelFrame Frame() override { return Pixels.Frame(); }
    bool Text(const TTextPlacement&, const std::string& cp932, TRgb) override
    {
        Texts.push_back(cp932);
        return true;
    }
    std::vector<std::string> Texts;

private:
    TPixels& Pixels;
};

uint32_t PixelOf(TRgb rgb)
{
    return (uint32_t{rgb.R} << 16) | (uint32_t{rgb.G} << 8) | rgb.B;
}

}  // namespace

TEST(PixelRaster, LinesDashesAndFillsPixelByPixel)
{
    TPixels pixels{12, 6};
    TPixelRaster raster(pixels.Frame(), {0, 0, 12, 6});
    const TRgb ink{1, 2, 3};
    double phase = 0.0;
    raster.Line({0.5, 0.5}, {4.5, 2.5}, {ink, 1, nullptr}, phase);
    EXPECT_EQ(pixels.Row(0), "#...........");
    EXPECT_EQ(pixels.Row(1), ".##.........");
    EXPECT_EQ(pixels.Row(2), "...##.......");

    const TDashes dashes = PatternDashes(static_cast<int32_t>(0x99999999), 4, 1);  // two on, two off
    raster.Line({0.5, 4.5}, {6.5, 4.5}, {ink, 1, &dashes}, phase);
    // The pattern goes on where the last line left it, six pixels in.
    raster.Line({6.5, 4.5}, {11.5, 4.5}, {ink, 1, &dashes}, phase);
    EXPECT_EQ(pixels.Row(4), "##..##..##..");

    TPixels filled{6, 4};
    TPixelRaster(filled.Frame(), {0, 0, 6, 4}).Fill({{1, 0.2}, {5, 0.2}, {5, 3}, {1, 3}}, ink);
    EXPECT_EQ(filled.Row(0), ".####.");
    EXPECT_EQ(filled.Row(2), ".####.");
    EXPECT_EQ(filled.Row(3), "......");
}

TEST(PixelRaster, EveryPartOfAFrameDrawsTheSamePixels)
{
    const TRgb ink{1, 2, 3};
    const TDashes dashes = PatternDashes(static_cast<int32_t>(0xF24FF24F), 16, 1);
    const auto draw = [&](TPixelRaster& raster) {
        double phase = 0.0;
        raster.Line({-30, 5}, {90, 57}, {ink, 1, nullptr}, phase);
        raster.Line({3, 60}, {61, 1}, {ink, 3, &dashes}, phase);
        raster.Line({17, -40}, {19, 200}, {ink, 2, nullptr}, phase);
        raster.Dot({31.5, 31.5}, 2, ink);
        raster.Curve({32, 32}, {20, 0}, {0, -12}, 0.3, 4.5, ink);
        raster.Fill({{10, 10}, {50, 14}, {40, 50}, {8, 30}}, ink);
    };
    TPixels whole{64, 64};
    TPixelRaster all(whole.Frame(), {0, 0, 64, 64});
    draw(all);
    TPixels parts{64, 64};
    for (int top = 0; top < 64; top += 13)
        for (int left = 0; left < 64; left += 17) {
            TPixelRaster part(parts.Frame(), {left, top, left + 17, top + 13});
            draw(part);
        }
    EXPECT_EQ(parts.Memory, whole.Memory);
    EXPECT_GT(std::count(whole.Memory.begin(), whole.Memory.end(), Ink), 600);
}

TEST(PreviewIndex, FindsWhatLiesInABoxOrNearAPoint)
{
    auto doc = ShownDrawing();
    for (int i = 0; i < 1000; ++i)
        Add(*doc, KindSen, doc->SenList, Line(i % 40 * 10, i / 40 * 10, i % 40 * 10 + 3, i / 40 * 10 + 1, 2));
    TPreviewScene scene;
    scene.Show(*doc);
    std::vector<uint32_t> found;
    scene.Strokes.Visit({95, 95, 121, 105}, [&](const TIndexEntry& entry) {
        found.push_back(scene.Primitives.Primitives[entry.Primitive].Source.Position);
    });
    std::sort(found.begin(), found.end());
    // The lines from (100, 100), (110, 100) and (120, 100), whose boxes reach the box; the row
    // below ends at y 91.
    EXPECT_EQ(found, (std::vector<uint32_t>{410, 411, 412}));
    found.clear();
    scene.Strokes.Visit({202.5, 150.5, 202.5, 150.5}, [&](const TIndexEntry& entry) {
        found.push_back(scene.Primitives.Primitives[entry.Primitive].Source.Position);
    });
    EXPECT_EQ(found, (std::vector<uint32_t>{15 * 40 + 20})) << "what lies at a point";
}

TEST(PreviewPaint, HiddenLayersPaperBackgroundAndHighlight)
{
    auto doc = ShownDrawing();
    doc->Header.Settings0[0] = 4;  // A4, 297 by 210
    doc->SettingsTableB[0].I1 = 0x102030;
    doc->SettingsTableB[3] = {0x0000FF, 3, 0, 0, 0.0};  // red, three pixels wide
    doc->LayerTable[2 * 16 + 1].Value1 = 0;             // layer 2-1 hidden
    Add(*doc, KindSen, doc->SenList, Line(-100, 0, 100, 0, 3));
    TEntSen hidden = Line(0, -50, 0, 50);
    hidden.Base.LayerGroup = 2;
    hidden.Base.Layer = 1;
    Add(*doc, KindSen, doc->SenList, hidden);
    TPreviewScene scene;
    scene.Show(*doc);
    EXPECT_EQ(scene.ShownArea.MaxX, 148.5) << "fitted to the paper";

    TPixels pixels{400, 300};
    TPreviewView view;
    view.Width = 400;
    view.Height = 300;
    view.Fit(scene.ShownArea);
    const auto paint = [&](const std::optional<TRenderFilter>& filter) {
        TMemoryCanvas canvas(pixels);
        EXPECT_TRUE(PaintPreview(scene, view, filter, canvas, [] { return true; }));
    };
    const auto at = [&](TVec2 point, int dy = 0) {
        const TVec2 p = view.Pixel(point);
        return pixels.At(static_cast<int>(p.X), static_cast<int>(p.Y) + dy);
    };
    paint(std::nullopt);
    EXPECT_EQ(at({-140, 90}), 0x302010u) << "the background of pen 0";
    EXPECT_EQ(at({50, 0}), 0xFF0000u);
    EXPECT_EQ(at({50, 0}, 1), 0xFF0000u) << "three pixels wide";
    EXPECT_EQ(at({0, 30}), 0x302010u) << "layer 2-1 is hidden";
    const TVec2 corner = view.Pixel({-148.5, 105});
    EXPECT_EQ(pixels.At(static_cast<int>(corner.X) + 5, static_cast<int>(corner.Y)),
              PixelOf(PaperFrameRgb({0x30, 0x20, 0x10})));

    paint(TRenderFilter{2, 1, {}, {}});
    EXPECT_EQ(at({0, 30}), PixelOf(scene.Style.PenOf(2).Color)) << "a highlight shows what it selects";
    EXPECT_EQ(at({50, 0}), PixelOf(GreyedRgb));
}

// A frame from the far views shows the lines a frame from the objects shows, unbroken, each
// within two pixels of where the objects put it, at the finest level's own scale and from a
// coarser level; and only while the view is no closer than the finest level, inside its extent
// and in the style it was drawn in.
TEST(FarViews, ShowWhatTheObjectsShowAndOnlyWhereTheyMay)
{
    auto doc = ShownDrawing();
    doc->Header.Settings0[0] = 4;  // A4, 297 by 210
    for (int i = 0; i < 12; ++i) {
        Add(*doc, KindSen, doc->SenList, Line(-140 + 20 * i, -100, -120 + 15 * i, 100, 2));
        Add(*doc, KindSen, doc->SenList, Line(-140, -90 + 15 * i, 140, -80 + 14 * i, 3, i % 2 ? 2 : 1));
    }
    TPreviewScene scene;
    scene.Show(*doc);
    ASSERT_EQ(scene.FarViews(), nullptr) << "a sparse drawing is drawn from its objects";
    const std::shared_ptr<const TFarViews> far = TFarViews::Draw(scene, 1 << 20, [] { return true; });
    ASSERT_TRUE(far && far->Levels().size() >= 2);
    const double finest = far->Levels().front().View.Scale;

    // Near the frame's edges a line may go on beyond them in one frame and not yet in the other.
    const int edge = 3;
    const auto inked = [&](const TPixels& pixels) {
        std::vector<std::pair<int, int>> ink;
        for (int y = edge; y < pixels.Height - edge; ++y)
            for (int x = edge; x < pixels.Width - edge; ++x)
                if (pixels.At(x, y) != PixelOf(scene.Style.Background) &&
                    pixels.At(x, y) != PixelOf(PaperFrameRgb(scene.Style.Background)))
                    ink.emplace_back(x, y);
        return ink;
    };
    const auto near = [](const TPixels& pixels, std::pair<int, int> at, int reach, uint32_t background) {
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx) {
                const int x = at.first + dx, y = at.second + dy;
                if (x >= 0 && y >= 0 && x < pixels.Width && y < pixels.Height && pixels.At(x, y) != background)
                    return true;
            }
        return false;
    };
    for (const double zoom : {1.0, 0.7, 0.4}) {
        TPixels direct{400, 300}, taken{400, 300};
        TPreviewView view{finest * zoom, {3, -2}, 400, 300};
        TMemoryCanvas objects(direct);
        ASSERT_TRUE(PaintObjects(scene, view, std::nullopt, objects, [] { return true; }));
        ASSERT_TRUE(far->Paint(scene.Style, view, taken.Frame())) << zoom;
        const uint32_t background = PixelOf(scene.Style.Background);
        // Lines cut to a frame's edges step through pixels a little apart from the whole line's.
        const int reach = 2;
        for (const auto& [x, y] : inked(direct))
            ASSERT_TRUE(near(taken, {x, y}, reach, background)) << "missing at " << x << "," << y << " ×" << zoom;
        for (const auto& [x, y] : inked(taken))
            ASSERT_TRUE(near(direct, {x, y}, reach, background)) << "stray at " << x << "," << y << " ×" << zoom;
    }

    TPixels pixels{400, 300};
    EXPECT_FALSE(far->Paint(scene.Style, {finest * 1.01, {0, 0}, 400, 300}, pixels.Frame())) << "closer";
    EXPECT_FALSE(far->Paint(scene.Style, {finest / 2, {400, 0}, 400, 300}, pixels.Frame())) << "outside";
    TDrawingStyle edited = scene.Style;
    edited.Pens[2].Color = {9, 9, 9};
    EXPECT_FALSE(far->Paint(edited, {finest / 2, {0, 0}, 400, 300}, pixels.Frame())) << "another style";
}

// An edit of each SXF column that changes the picture redraws the same primitives as the drawing
// that a save of the cells writes looks, while the document keeps what it had.
TEST(PreviewPaint, RestyledFromEditedCellsAsASaveWouldWriteThem)
{
    auto doc = ShownDrawing();
    doc->ColorExTable[1].ScreenColor = 0xFF0000;
    doc->ColorExTable[1].ScreenWidth = 1;
    doc->LineTypeExTable[1].Pattern = static_cast<int32_t>(0xF0F0F0F0);
    doc->LineTypeExTable[1].DotsPerUnit = 32;
    doc->LineTypeExTable[1].ScreenPitch = 2;
    doc->LineTypeExTable[2].SegmentCount = 2;
    doc->LineTypeExTable[2].Pitches = {4.0, 2.0};
    Add(*doc, KindSen, doc->SenList, Line(-100, 10, 100, 10, 101, 31));
    Add(*doc, KindSen, doc->SenList, Line(-100, -10, 100, -10, 101, 32));

    TPreviewView view;
    view.Width = 400;
    view.Height = 300;
    // The pixels of the rows around both lines.
    const auto lines = [&](const TPreviewScene& scene) {
        TPixels pixels{400, 300};
        TMemoryCanvas canvas(pixels);
        EXPECT_TRUE(PaintPreview(scene, view, std::nullopt, canvas, [] { return true; }));
        std::vector<uint32_t> shown;
        for (const double y : {10.0, -10.0})
            for (int dy = -3; dy <= 3; ++dy)
                for (int x = 0; x < pixels.Width; ++x)
                    shown.push_back(pixels.At(x, static_cast<int>(view.Pixel({0, y}).Y) + dy));
        return shown;
    };
    TPreviewScene scene;
    scene.Show(*doc);
    view.Fit(scene.ShownArea);
    const std::vector<uint32_t> own = lines(scene);

    struct TCase {
        TTableKind Kind;
        int Row;
        std::vector<std::pair<int, std::string>> Cells;
    };
    const TCase cases[] = {
        {TTableKind::Colors, 1, {{ScreenColorCol, "65280"}}},
        {TTableKind::Colors, 1, {{ScreenWidthCol, "4"}}},
        {TTableKind::LineTypes, 1, {{PatternCol, "FF00FF00"}}},
        {TTableKind::LineTypes, 1, {{SegmentCountCol, "2"}, {FirstPitchCol, "3"}, {FirstPitchCol + 1, "1"}}},
        {TTableKind::LineTypes, 2, {{FirstPitchCol + 1, "6"}}},
    };
    for (const TCase& edit : cases) {
        TCellTable groups = NewTable(TTableKind::LayerGroups), layers = NewTable(TTableKind::Layers);
        TCellTable colors = NewTable(TTableKind::Colors), lineTypes = NewTable(TTableKind::LineTypes);
        FillTables(*doc, groups, layers, colors, lineTypes);
        TCellTable& table = edit.Kind == TTableKind::Colors ? colors : lineTypes;
        for (const auto& [col, text] : edit.Cells) {
            table.TypeCell(col, edit.Row, text);
            if (edit.Kind == TTableKind::Colors)
                NormaliseColorCell(colors, col, edit.Row);
            else
                NormaliseLineTypeCell(lineTypes, col, edit.Row);
        }
        scene.Restyle(StyleOfCells(*doc, colors, lineTypes), 1);
        const std::vector<uint32_t> restyled = lines(scene);
        EXPECT_NE(restyled, own) << edit.Cells.front().second;

        auto saved = std::make_unique<TJwwDocument>(*doc);
        WriteBackColors(colors, *saved);
        WriteBackLineTypes(lineTypes, *saved);
        TPreviewScene ofSaved;
        ofSaved.Show(*saved);
        EXPECT_EQ(restyled, lines(ofSaved)) << edit.Cells.front().second;
    }
    TPreviewScene again;
    again.Show(*doc);
    EXPECT_EQ(lines(again), own) << "the document keeps its own tables";
}

// The earlier drawing holds the shared line at y = 0, a removed one up to y = 80, beyond the
// later drawing, and a removed one on its hidden layer 2-1; the later one adds a line at y = 30.
TEST(PreviewPaint, CompareDrawsEachChangeWhateverTheHighlight)
{
    auto old = std::make_unique<TJwwDocument>(HeaderFields(700));
    old->Header.SettingsG.TensPart = 1;
    ShowEveryLayer(*old);
    old->LayerTable[2 * 16 + 1].Value1 = 0;
    Add(*old, KindSen, old->SenList, Line(-50, 0, 50, 0));
    Add(*old, KindSen, old->SenList, Line(-20, -40, -20, 80));
    TEntSen hidden = Line(-40, -20, 40, -20);
    hidden.Base.LayerGroup = 2;
    hidden.Base.Layer = 1;
    Add(*old, KindSen, old->SenList, hidden);
    old->Header.EntityCount = 3;
    const char* folder = std::getenv("ZELVANE_TEST_TMP");
    const std::filesystem::path tmp = folder ? std::filesystem::path(folder) : std::filesystem::temp_directory_path();
    std::filesystem::create_directories(tmp);
    const std::string oldPath = (tmp / "preview-compare-old.jww").string();
    ASSERT_TRUE(SaveJww(*old, oldPath, 700));
    const TCompareMode mode(oldPath);
    std::filesystem::remove(oldPath);
    ASSERT_TRUE(mode.Readable()) << mode.Failure();

    auto now = ShownDrawing();
    Add(*now, KindSen, now->SenList, Line(-50, 30, 50, 30));
    Add(*now, KindSen, now->SenList, Line(-50, 0, 50, 0));
    now->Header.EntityCount = 2;
    const TChangeMarks marks = mode.MarksFor(*now);
    EXPECT_EQ(marks.Removed(), (std::vector<std::size_t>{1, 2}));
    TPreviewScene scene;
    scene.Show(*now, &marks);
    EXPECT_EQ(scene.ShownArea.MaxY, 80) << "grown to hold what was removed";

    TPixels pixels{300, 300};
    TPreviewView view;
    view.Width = view.Height = 300;
    view.Fit(scene.ShownArea);
    const auto at = [&](TVec2 point) {
        const TVec2 p = view.Pixel(point);
        return pixels.At(static_cast<int>(p.X), static_cast<int>(p.Y));
    };
    for (const std::optional<TRenderFilter>& highlight :
         {std::optional<TRenderFilter>{}, std::optional<TRenderFilter>{TRenderFilter{2, 1, {}, {}}}}) {
        TMemoryCanvas canvas(pixels);
        ASSERT_TRUE(PaintPreview(scene, view, highlight, canvas, [] { return true; }));
        EXPECT_EQ(at({30, 0}), PixelOf(GreyedRgb)) << "same";
        EXPECT_EQ(at({30, 30}), PixelOf(AddedRgb)) << "added";
        EXPECT_EQ(at({-20, 60}), PixelOf(RemovedRgb)) << "removed";
        EXPECT_EQ(at({30, -20}), 0xFFFFFFu) << "removed, but hidden where it was";
    }

    const TCompareMode missing(oldPath);
    EXPECT_FALSE(missing.Readable());
    EXPECT_NE(missing.Failure().find(oldPath), std::string::npos) << missing.Failure();
    EXPECT_EQ(CompareTitle("/a/plan-1.jww", "/b/plan-2.jww"), "plan-1.jww \u2192 plan-2.jww - Zelvane Ver.1.02");
}
