// The SVG markup of arcs, texts, points and fills: placed by their transforms with the y axis
// flipped, and text made safe for XML.
#include <gtest/gtest.h>

#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "render/SvgWriter.h"
#include "tests/render/BuiltDrawing.h"

namespace {

std::string SvgOf(const TJwwDocument& doc, const TRenderFilter& filter = {})
{
    std::ostringstream out;
    WriteSvg(doc, filter, out);
    return out.str();
}

bool Holds(const std::string& svg, const std::string& part)
{
    return svg.find(part) != std::string::npos;
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

void ExpectNear(const std::vector<double>& actual, const std::vector<double>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < actual.size(); ++i)
        EXPECT_NEAR(actual[i], expected[i], 1e-12) << "number " << i;
}

}  // namespace

TEST(SvgWriter, ArcIsTheUnitCirclePlacedOntoItsEllipse)
{
    auto doc = EmptyDrawing();
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
    auto doc = EmptyDrawing();
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

    const std::string svg = SvgOf(*doc, TRenderFilter{{}, {}, {}, 9});
    // Glyphs of size 100 scaled to the height of 5 and stretched to the length of 10.
    EXPECT_TRUE(Holds(svg, "<text transform=\"matrix(0.05 0 0 0.05 1 -2)\" fill=\"#d2d2d2\" "
                           "textLength=\"200\" lengthAdjust=\"spacingAndGlyphs\">"
                           "a&lt;b&gt;&amp;\xE3\x81\x82?</text>"))
        << svg;
    EXPECT_TRUE(Holds(svg, "<circle cx=\"3\" cy=\"0\""));
    EXPECT_TRUE(Holds(svg, "<g data-kind=\"solid\" data-layer=\"0-0\" data-index=\"2\">"
                           "<polygon points=\"0 0 1 0 1 -1 0 -1\" stroke=\"none\" "
                           "fill=\"#d2d2d2\"/></g>"))
        << svg;
}
