#include "render/ObjectShapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/DrawingStyle.h"

namespace {

constexpr double DegreesToRadians = std::numbers::pi / 180.0;

bool IsFinite(const TPrimitive& p)
{
    for (const TVec2& point : p.P)
        if (!std::isfinite(point.X) || !std::isfinite(point.Y))
            return false;
    return std::isfinite(p.Start) && std::isfinite(p.Sweep);
}

class TShapeWriter {
public:
    explicit TShapeWriter(const TShapeTarget& target) : Target(target) {}

    void Line(const TEntSen& line)
    {
        TPrimitive& p = Add(TPrimitiveKind::Line, line.Base);
        p.P[0] = Target.Place.Point({line.StartX, line.StartY});
        p.P[1] = Target.Place.Point({line.EndX, line.EndY});
    }

    void Arc(const TEntEnko& arc)
    {
        TPrimitive& p = Add(TPrimitiveKind::Arc, arc.Base);
        const double cosine = std::cos(arc.TiltAngle);
        const double sine = std::sin(arc.TiltAngle);
        const double minor = arc.Radius * arc.Flatness;
        p.P[0] = Target.Place.Point({arc.CenterX, arc.CenterY});
        p.P[1] = Target.Place.Vector({arc.Radius * cosine, arc.Radius * sine});
        p.P[2] = Target.Place.Vector({-minor * sine, minor * cosine});
        // More than one turn draws the whole ellipse once.
        if (arc.FullCircle != 0 || std::abs(arc.ArcAngle) >= 2 * std::numbers::pi) {
            p.Start = 0.0;
            p.Sweep = 2 * std::numbers::pi;
        } else {
            p.Start = arc.StartAngle;
            p.Sweep = arc.ArcAngle;
        }
    }

    void Point(const TEntTen& point)
    {
        TPrimitive& p = Add(TPrimitiveKind::Point, point.Base);
        p.P[0] = Target.Place.Point({point.X, point.Y});
    }

    void Text(const TEntMoji& text)
    {
        TPrimitive& p = Add(TPrimitiveKind::Text, text.Base);
        const double radians = text.Angle * DegreesToRadians;
        const TVec2 along{std::cos(radians), std::sin(radians)};
        const double length = std::hypot(text.EndX - text.StartX, text.EndY - text.StartY);
        p.P[0] = Target.Place.Point({text.StartX, text.StartY});
        p.P[1] = Target.Place.Vector({along.X * length, along.Y * length});
        p.P[2] = Target.Place.Vector({-along.Y * text.SizeY, along.X * text.SizeY});
        p.P[3] = Target.Place.Vector(along);
        p.TextIndex = static_cast<uint32_t>(Target.Scene.Texts.size());
        Target.Scene.Texts.push_back(text.Text);
    }

    void Fill(const TEntSolid& solid)
    {
        TPrimitive& p = Add(TPrimitiveKind::Fill, solid.Base);
        p.OwnColor = RgbFromDrawing(solid.RgbColor);
        p.P[0] = Target.Place.Point({solid.X1, solid.Y1});
        p.P[1] = Target.Place.Point({solid.X2, solid.Y2});
        p.P[2] = Target.Place.Point({solid.X3, solid.Y3});
        p.P[3] = Target.Place.Point({solid.X4, solid.Y4});
    }

    void Dimension(const TEntSunpo& dim)
    {
        Line(dim.DimLine);
        // Extension lines that were never drawn are held as one point.
        for (const TEntSen* ext : {&dim.ExtLine1, &dim.ExtLine2})
            if (ext->StartX != ext->EndX || ext->StartY != ext->EndY)
                Line(*ext);
        Text(dim.DimText);
    }

private:
    TPrimitive& Add(TPrimitiveKind kind, const TEntBase& base)
    {
        TPrimitive& primitive = Target.Scene.Primitives.emplace_back();
        primitive.Kind = kind;
        primitive.PenColor = base.PenColor;
        primitive.PenStyle = base.PenStyle;
        primitive.Source = Target.Source;
        return primitive;
    }

    const TShapeTarget& Target;
};

}  // namespace

const TEntBase* BaseOf(const TEntityCollections& list, const TEntRef& ref)
{
    const auto at = [&ref](const auto& records) -> const TEntBase* {
        if (ref.Index < 0 || static_cast<std::size_t>(ref.Index) >= records.size())
            return nullptr;
        return &records[static_cast<std::size_t>(ref.Index)].Base;
    };
    switch (ref.Kind) {
    case KindSen: return at(list.SenList);
    case KindEnko: return at(list.EnkoList);
    case KindTen: return at(list.TenList);
    case KindMoji: return at(list.MojiList);
    case KindSunpo: return at(list.SunpoList);
    case KindSolid: return at(list.SolidList);
    case KindBlock: return at(list.BlockList);
    default: return nullptr;
    }
}

void AddShapes(const TEntityCollections& list, const TEntRef& ref, const TShapeTarget& target)
{
    if (!BaseOf(list, ref))
        return;
    const auto index = static_cast<std::size_t>(ref.Index);
    std::vector<TPrimitive>& primitives = target.Scene.Primitives;
    const std::size_t first = primitives.size();
    TShapeWriter shapes(target);
    switch (ref.Kind) {
    case KindSen: shapes.Line(list.SenList[index]); break;
    case KindEnko: shapes.Arc(list.EnkoList[index]); break;
    case KindTen: shapes.Point(list.TenList[index]); break;
    case KindMoji: shapes.Text(list.MojiList[index]); break;
    case KindSunpo: shapes.Dimension(list.SunpoList[index]); break;
    case KindSolid: shapes.Fill(list.SolidList[index]); break;
    default: break;
    }
    // A damaged drawing may hold numbers that are not finite, or a placement may overflow;
    // such a shape has no place in any picture.
    const auto kept = std::remove_if(primitives.begin() + static_cast<std::ptrdiff_t>(first),
                                     primitives.end(), [](const TPrimitive& p) { return !IsFinite(p); });
    primitives.erase(kept, primitives.end());
}
