// The SVG picture: arcs, texts, points and fills placed by their transforms with the y axis
// flipped and text made safe for XML; strokes with the pens' widths and the line types' dashes;
// hidden objects left out; the paper as the frame; each definition once with a use per
// insertion.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "render/SvgWriter.h"
#include "tests/render/BuiltDrawing.h"

namespace {

std::string SvgOf(const TJwwDocument& doc, const TPictureOptions& options = {})
{
    std::ostringstream out;
    WriteSvg(doc, options, out);
    return out.str();
}

bool Holds(const std::string& svg, const std::string& part)
{
    return svg.find(part) != std::string::npos;
}

std::size_t Occurrences(const std::string& text, const std::string& part)
{
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

// The numbers written after each occurrence of prefix, up to the next character that is not part
// of a list of numbers. The sine and cosine of each system's library differ in their last bits,
// so numbers near zero are compared with a tolerance.
std::vector<std::vector<double>> NumbersAfter(const std::string& svg, const std::string& prefix)
{
    std::vector<std::vector<double>> lists;
    for (std::size_t at = svg.find(prefix); at != std::string::npos;
         at = svg.find(prefix, at + 1)) {
        std::istringstream numbers(svg.substr(at + prefix.size()));
        std::vector<double> list;
        for (double number = 0; numbers >> number;)
            list.push_back(number);
        lists.push_back(list);
    }
    return lists;
}

bool Near(const std::vector<double>& actual, const std::vector<double>& expected, double tolerance = 1e-12)
{
    if (actual.size() != expected.size())
        return false;
    for (std::size_t i = 0; i < actual.size(); ++i)
        if (!(std::abs(actual[i] - expected[i]) <= tolerance))
            return false;
    return true;
}

void ExpectNear(const std::vector<double>& actual, const std::vector<double>& expected,
                double tolerance = 1e-12)
{
    EXPECT_TRUE(Near(actual, expected, tolerance)) << ::testing::PrintToString(actual);
}

}  // namespace

TEST(SvgWriter, ArcIsTheUnitCirclePlacedOntoItsEllipse)
{
    auto doc = ShownDrawing();
    TEntEnko arc;
    arc.Base.PenColor = 2;
    arc.CenterX = 10;
    arc.CenterY = 20;
    arc.Radius = 4;
    arc.Flatness = 0.5;
    arc.TiltAngle = std::numbers::pi / 2;
    arc.StartAngle = 0;
    arc.ArcAngle = std::numbers::pi * 1.5;
    Add(*doc, KindEnko, doc->EnkoList, arc);
    arc.ArcAngle = -std::numbers::pi / 2;
    Add(*doc, KindEnko, doc->EnkoList, arc);

    const std::string svg = SvgOf(*doc);
    // Major axis (0, 4) and minor axis (-2, 0), both with y flipped.
    const auto matrices = NumbersAfter(svg, "<path transform=\"matrix(");
    ASSERT_EQ(matrices.size(), 2u) << svg;
    for (const auto& matrix : matrices)
        ExpectNear(matrix, {0, -4, -2, 0, 10, -20});
    // The long way round; a negative sweep runs the other way, the short way.
    const auto arcs = NumbersAfter(svg, "d=\"M1 0A");
    ASSERT_EQ(arcs.size(), 2u) << svg;
    ExpectNear(arcs[0], {1, 1, 0, 1, 1, 0, -1});
    ExpectNear(arcs[1], {1, 1, 0, 0, 0, 0, -1});
}

TEST(SvgWriter, TextPointAndFill)
{
    auto doc = ShownDrawing();
    TEntMoji text;
    text.Base.PenColor = 2;
    text.StartX = 1;
    text.StartY = 2;
    text.EndX = 11;
    text.EndY = 2;
    text.SizeY = 5;
    text.Text = "a<b>&\x01\x82\xA0\x81";  // a control byte and a broken character
    Add(*doc, KindMoji, doc->MojiList, text);
    TEntTen point;
    point.X = 3;
    Add(*doc, KindTen, doc->TenList, point);
    TEntSolid solid;
    solid.Base.PenColor = 10;
    solid.RgbColor = 0x123456;
    solid.X2 = 1;
    solid.X3 = 1, solid.Y3 = 1;
    solid.Y4 = 1;
    Add(*doc, KindSolid, doc->SolidList, solid);

    const std::string svg = SvgOf(*doc, {TRenderFilter{{}, {}, {}, 9}, false});
    // Glyphs of size 100 scaled to the height of 5 and stretched to the length of 10.
    EXPECT_TRUE(Holds(svg, "<text transform=\"matrix(0.05 0 0 0.05 1 -2)\" fill=\"#d2d2d2\" "
                           "textLength=\"200\" lengthAdjust=\"spacingAndGlyphs\">"
                           "a&lt;b&gt;&amp;\xE3\x81\x82?</text>"))
        << svg;
    // A dot of 1.5 pixels of the picture, which is 2000 pixels for 11 + 2 x 0.22 units.
    const auto radius = NumbersAfter(svg, "<circle cx=\"3\" cy=\"0\" r=\"");
    ASSERT_EQ(radius.size(), 1u) << svg;
    ExpectNear(radius[0], {1.5 * 11.44 / 2000});
    EXPECT_TRUE(Holds(svg, "<g data-kind=\"solid\" data-layer=\"0-0\" data-index=\"2\">"
                           "<polygon points=\"0 0 1 0 1 -1 0 -1\" stroke=\"none\" "
                           "fill=\"#d2d2d2\"/></g>"))
        << svg;
}

TEST(SvgWriter, StrokesTakeThePensWidthsAndTheLineTypesDashes)
{
    auto doc = ShownDrawing();
    doc->SettingsTableB[0].I1 = 0x203040;  // the background, red in the lowest byte
    doc->SettingsTableB[2] = {0x0000FF, 3, 0, 0, 0.0};
    doc->SettingsTableC[0] = {static_cast<int32_t>(0x99999999), 4, 1, 10};
    doc->ColorExTable[5] = {0x00FF00, 2, "", 0, 0, 0.0};
    doc->LineTypeExTable[3] = {0, 0, 0, 0, "", 2, {2, 1}};
    Add(*doc, KindSen, doc->SenList, Line(0, 0, 100, 0, 2, 2));
    Add(*doc, KindSen, doc->SenList, Line(0, 10, 100, 10, 105, 33));
    Add(*doc, KindSen, doc->SenList, Line(0, 20, 100, 20));

    const std::string svg = SvgOf(*doc);
    EXPECT_TRUE(Holds(svg, "fill=\"#403020\"/>")) << "the background of pen 0";
    EXPECT_EQ(Occurrences(svg, "<rect "), 1u) << "no paper: no frame";
    EXPECT_TRUE(Holds(svg, "<line x1=\"0\" y1=\"0\" x2=\"100\" y2=\"0\" vector-effect=\"non-scaling-stroke\" "
                           "stroke=\"#ff0000\" stroke-width=\"3\" stroke-dasharray=\"2 2\"/>"))
        << svg;
    // SXF pitches of 2 and 1 millimetres, 2000 pixels for 104 millimetres.
    const auto dashes = NumbersAfter(svg, "stroke=\"#00ff00\" stroke-width=\"2\" stroke-dasharray=\"");
    ASSERT_EQ(dashes.size(), 1u) << svg;
    ExpectNear(dashes[0], {2 * 2000 / 104.0, 2000 / 104.0}, 1e-4);
    EXPECT_TRUE(Holds(svg, "x2=\"100\" y2=\"-20\" vector-effect=\"non-scaling-stroke\" stroke=\"#ff0000\" "
                           "stroke-width=\"3\"/>"))
        << "solid";
}

TEST(SvgWriter, HiddenObjectsAreLeftOutUnlessAllLayersAreAsked)
{
    auto doc = ShownDrawing();
    doc->LayerGroupTable[1].Value1 = 0;
    doc->LayerTable[2 * 16 + 3].Value1 = 0;
    const struct {
        uint16_t Group, Layer;
    } layers[] = {{0, 0}, {1, 0}, {2, 3}, {2, 4}};
    for (const auto& layer : layers) {
        TEntSen line = Line(0, 0, 10, 10);
        line.Base.LayerGroup = layer.Group;
        line.Base.Layer = layer.Layer;
        Add(*doc, KindSen, doc->SenList, line);
    }
    const std::string shown = SvgOf(*doc);
    EXPECT_EQ(Occurrences(shown, "<g data-kind"), 2u);
    EXPECT_TRUE(Holds(shown, "data-layer=\"0-0\" data-index=\"0\""));
    EXPECT_TRUE(Holds(shown, "data-layer=\"2-4\" data-index=\"3\""));
    EXPECT_EQ(Occurrences(SvgOf(*doc, {{}, true}), "<g data-kind"), 4u);
}

TEST(SvgWriter, FittedToThePaperWhatEverLiesFarBelowIt)
{
    auto doc = ShownDrawing();
    doc->Header.Settings0[0] = 3;  // A3
    Add(*doc, KindSen, doc->SenList, Line(-100, -50, 100, 50));
    TEntMoji setting;
    setting.StartX = 0;
    setting.StartY = -1000;
    setting.EndX = 100;
    setting.EndY = -1000;
    setting.SizeY = 3;
    setting.Text = "Printer_Orientation = 0";
    Add(*doc, KindMoji, doc->MojiList, setting);
    // 420 by 297 with a margin of 8.4 on every side.
    EXPECT_TRUE(Holds(SvgOf(*doc), "width=\"2000\" height=\"1437\" viewBox=\"-218.4 -156.9 436.8 313.8\""));
    EXPECT_TRUE(
        Holds(SvgOf(*doc), "<rect x=\"-210\" y=\"-148.5\" width=\"420\" height=\"297\" fill=\"none\""));

    // Nothing shown touches the paper: the extent of what is shown, from -1003 to 50 high.
    doc->SenList[0] = Line(1000, -50, 1200, 50);
    const auto viewBox = NumbersAfter(SvgOf(*doc), "viewBox=\"");
    ASSERT_EQ(viewBox.size(), 1u);
    ExpectNear(viewBox[0], {-24, -74, 1248, 1098});
}

TEST(SvgWriter, EachDefinitionOnceAndAUsePerInsertion)
{
    // Definition k inserts definition k + 1 ten times, twelve deep; the last holds one line.
    auto doc = ShownDrawing();
    for (int number = 12; number >= 1; --number) {
        TEntBlockDef& definition = doc->BlockDefList.emplace_back();
        definition.Number = number;
        if (number == 12) {
            Add(definition, KindSen, definition.SenList, Line(0, 0, 10, 0));
            continue;
        }
        for (int i = 0; i < 10; ++i) {
            TEntBlock block;
            block.X = i * 2;
            block.ScaleX = block.ScaleY = 1;
            block.Rotation = i == 1 ? std::numbers::pi / 2 : 0;
            block.BlockNumber = number + 1;
            Add(definition, KindBlock, definition.BlockList, block);
        }
    }
    TEntBlock top;
    top.ScaleX = top.ScaleY = 1;
    top.BlockNumber = 1;
    Add(*doc, KindBlock, doc->BlockList, top);
    top.Base.LayerGroup = 1;
    Add(*doc, KindBlock, doc->BlockList, top);

    const std::string svg = SvgOf(*doc, {TRenderFilter{0, {}, {}, {}}, false});
    EXPECT_LT(svg.size(), 60'000u) << "linear in the drawing, not in its 10^11 lines";
    EXPECT_EQ(Occurrences(svg, "<line "), 2u) << "the one line, in its colours and greyed";
    EXPECT_EQ(Occurrences(svg, "<g id=\"b"), 2u * 12);
    EXPECT_EQ(Occurrences(svg, "<use "), 2u * (11 * 10 + 1));
    EXPECT_EQ(Occurrences(svg, "data-kind"), 2u);
    const std::string defs = svg.substr(svg.find("<defs>"), svg.find("</defs>") - svg.find("<defs>"));
    EXPECT_FALSE(Holds(defs, "data-")) << "what is inside the definitions names no object";
    EXPECT_TRUE(Holds(svg,
                      "<g data-kind=\"block\" data-layer=\"0-0\" data-index=\"0\"><use xlink:href=\"#b11\" "
                      "transform=\"matrix(1 0 0 1 0 0)\"/></g>"))
        << svg.substr(svg.find("</defs>"));
    EXPECT_TRUE(Holds(svg, "<use xlink:href=\"#b11g\""));
    // A quarter turn counter-clockwise turns the other way once y points down.
    const auto placements = NumbersAfter(defs, "transform=\"matrix(");
    EXPECT_EQ(std::count_if(placements.begin(), placements.end(),
                            [](const std::vector<double>& m) { return Near(m, {0, -1, 1, 0, 2, 0}); }),
              2 * 11);
}
