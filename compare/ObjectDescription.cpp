#include "compare/ObjectDescription.h"

#include <numbers>

#include "tables/NumberText.h"

namespace {

// Longer texts are cut there, at a character boundary.
constexpr int DescribedTextBytes = 40;

std::string Point(double x, double y)
{
    return "(" + GeneralNumberText(x) + ", " + GeneralNumberText(y) + ")";
}

std::string Quoted(const std::string& text)
{
    const std::string clean = StripControlChars(text);
    std::string shown = SjisCopy(clean, 1, DescribedTextBytes);
    if (shown.size() < clean.size())
        shown += "...";
    return "\"" + shown + "\"";
}

std::string Degrees(double radians)
{
    return GeneralNumberText(radians * 180.0 / std::numbers::pi) + "\x81\x8B";  // °
}

}  // namespace

TObjectDescriber::TObjectDescriber(const TJwwDocument& doc) : Doc(doc)
{
    for (const TEntBlockDef& def : doc.BlockDefList)
        BlockNames.try_emplace(def.Number, &def.Name);
}

std::string TObjectDescriber::Describe(const TEntRef& ref) const
{
    return VisitObject(Doc, ref, [this](const auto& record) { return Describe(record); });
}

std::string TObjectDescriber::Describe(const TEntSen& line) const
{
    return Point(line.StartX, line.StartY) + "-" + Point(line.EndX, line.EndY);
}

std::string TObjectDescriber::Describe(const TEntEnko& arc) const
{
    std::string text = Point(arc.CenterX, arc.CenterY) + " r=" + GeneralNumberText(arc.Radius);
    if (arc.FullCircle == 0)
        text += " " + Degrees(arc.StartAngle) + "+" + Degrees(arc.ArcAngle);
    return text;
}

std::string TObjectDescriber::Describe(const TEntTen& point) const
{
    return Point(point.X, point.Y);
}

std::string TObjectDescriber::Describe(const TEntMoji& text) const
{
    return Point(text.StartX, text.StartY) + " " + Quoted(text.Text);
}

std::string TObjectDescriber::Describe(const TEntSunpo& dimension) const
{
    return Describe(dimension.DimLine) + " " + Quoted(dimension.DimText.Text);
}

std::string TObjectDescriber::Describe(const TEntSolid& solid) const
{
    return Point(solid.X1, solid.Y1) + " " + Point(solid.X2, solid.Y2) + " " +
           Point(solid.X3, solid.Y3) + " " + Point(solid.X4, solid.Y4);
}

std::string TObjectDescriber::Describe(const TEntBlock& insertion) const
{
    const auto name = BlockNames.find(insertion.BlockNumber);
    return Point(insertion.X, insertion.Y) + " " +
           (name != BlockNames.end() ? Quoted(*name->second)
                                     : "#" + DecimalText(insertion.BlockNumber));
}
