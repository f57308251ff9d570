#include "render/RenderDrawing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "render/PenColors.h"

namespace {

constexpr double DegreesToRadians = std::numbers::pi / 180.0;

// The base record of the object at ref, or nothing when ref selects no record.
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

bool IsFinite(const TPrimitive& p)
{
    for (const TVec2& point : p.P)
        if (!std::isfinite(point.X) || !std::isfinite(point.Y))
            return false;
    return std::isfinite(p.Start) && std::isfinite(p.Sweep);
}

}  // namespace

// Where the primitives of one main-list object go, and how its block nesting places them.
struct TDrawingRenderer::TTarget {
    TRenderScene& Scene;
    TRenderSource Source;
    TAffine Place;

    TPrimitive& Add(TPrimitiveKind kind, TRgb color)
    {
        TPrimitive& primitive = Scene.Primitives.emplace_back();
        primitive.Kind = kind;
        primitive.Color = color;
        primitive.Source = Source;
        return primitive;
    }

    void Line(const TJwwDocument& doc, const TEntSen& line)
    {
        TPrimitive& p = Add(TPrimitiveKind::Line, PenColorRgb(doc, line.Base.PenColor));
        p.P[0] = Place.Point({line.StartX, line.StartY});
        p.P[1] = Place.Point({line.EndX, line.EndY});
    }

    void Arc(const TJwwDocument& doc, const TEntEnko& arc)
    {
        TPrimitive& p = Add(TPrimitiveKind::Arc, PenColorRgb(doc, arc.Base.PenColor));
        const double cosine = std::cos(arc.TiltAngle);
        const double sine = std::sin(arc.TiltAngle);
        const double minor = arc.Radius * arc.Flatness;
        p.P[0] = Place.Point({arc.CenterX, arc.CenterY});
        p.P[1] = Place.Vector({arc.Radius * cosine, arc.Radius * sine});
        p.P[2] = Place.Vector({-minor * sine, minor * cosine});
        // More than one turn draws the whole ellipse once.
        if (arc.FullCircle != 0 || std::abs(arc.ArcAngle) >= 2 * std::numbers::pi) {
            p.Start = 0.0;
            p.Sweep = 2 * std::numbers::pi;
        } else {
            p.Start = arc.StartAngle;
            p.Sweep = arc.ArcAngle;
        }
    }

    void Point(const TJwwDocument& doc, const TEntTen& point)
    {
        TPrimitive& p = Add(TPrimitiveKind::Point, PenColorRgb(doc, point.Base.PenColor));
        p.P[0] = Place.Point({point.X, point.Y});
    }

    void Text(const TJwwDocument& doc, const TEntMoji& text)
    {
        TPrimitive& p = Add(TPrimitiveKind::Text, PenColorRgb(doc, text.Base.PenColor));
        const double radians = text.Angle * DegreesToRadians;
        const TVec2 along{std::cos(radians), std::sin(radians)};
        const double length = std::hypot(text.EndX - text.StartX, text.EndY - text.StartY);
        p.P[0] = Place.Point({text.StartX, text.StartY});
        p.P[1] = Place.Vector({along.X * length, along.Y * length});
        p.P[2] = Place.Vector({-along.Y * text.SizeY, along.X * text.SizeY});
        p.P[3] = Place.Vector(along);
        p.TextIndex = static_cast<uint32_t>(Scene.Texts.size());
        Scene.Texts.push_back(text.Text);
    }

    void Fill(const TJwwDocument& doc, const TEntSolid& solid)
    {
        TPrimitive& p = Add(TPrimitiveKind::Fill, SolidRgb(doc, solid));
        p.P[0] = Place.Point({solid.X1, solid.Y1});
        p.P[1] = Place.Point({solid.X2, solid.Y2});
        p.P[2] = Place.Point({solid.X3, solid.Y3});
        p.P[3] = Place.Point({solid.X4, solid.Y4});
    }

    void Dimension(const TJwwDocument& doc, const TEntSunpo& dim)
    {
        Line(doc, dim.DimLine);
        // Extension lines that were never drawn are held as one point.
        for (const TEntSen* ext : {&dim.ExtLine1, &dim.ExtLine2})
            if (ext->StartX != ext->EndX || ext->StartY != ext->EndY)
                Line(doc, *ext);
        Text(doc, dim.DimText);
    }
};

TDrawingRenderer::TDrawingRenderer(const TJwwDocument& doc)
    : Doc(doc), Expanding(doc.BlockDefList.size(), false)
{
    for (std::size_t i = 0; i < doc.BlockDefList.size(); ++i)
        DefinitionOfNumber.try_emplace(doc.BlockDefList[i].Number, i);
}

std::optional<TRenderSource> TDrawingRenderer::SourceOf(std::size_t position) const
{
    const TEntRef& ref = Doc.EntityOrder.at(position);
    const TEntBase* base = BaseOf(Doc, ref);
    if (!base)
        return std::nullopt;
    return TRenderSource{ref.Kind,       static_cast<uint32_t>(position), base->LayerGroup,
                         base->Layer,    base->PenColor,                  base->PenStyle};
}

void TDrawingRenderer::RenderObject(std::size_t position, TRenderScene& scene)
{
    const std::optional<TRenderSource> source = SourceOf(position);
    if (!source)
        return;
    TTarget target{scene, *source, {}};
    const std::size_t first = scene.Primitives.size();
    RenderEntry(Doc, Doc.EntityOrder[position], target);
    // A damaged drawing may hold numbers that are not finite, or a placement may overflow;
    // such a shape has no place in any picture.
    const auto kept = std::remove_if(scene.Primitives.begin() + static_cast<std::ptrdiff_t>(first),
                                     scene.Primitives.end(),
                                     [](const TPrimitive& p) { return !IsFinite(p); });
    scene.Primitives.erase(kept, scene.Primitives.end());
}

void TDrawingRenderer::RenderEntry(const TEntityCollections& list, const TEntRef& ref,
                                   TTarget& target)
{
    if (!BaseOf(list, ref))
        return;
    const auto index = static_cast<std::size_t>(ref.Index);
    switch (ref.Kind) {
    case KindSen: target.Line(Doc, list.SenList[index]); break;
    case KindEnko: target.Arc(Doc, list.EnkoList[index]); break;
    case KindTen: target.Point(Doc, list.TenList[index]); break;
    case KindMoji: target.Text(Doc, list.MojiList[index]); break;
    case KindSunpo: target.Dimension(Doc, list.SunpoList[index]); break;
    case KindSolid: target.Fill(Doc, list.SolidList[index]); break;
    case KindBlock: RenderInsertion(list.BlockList[index], target); break;
    default: break;
    }
}

void TDrawingRenderer::RenderList(const TEntityCollections& list, TTarget& target)
{
    for (const TEntRef& ref : list.EntityOrder)
        RenderEntry(list, ref, target);
}

void TDrawingRenderer::RenderInsertion(const TEntBlock& block, TTarget& target)
{
    const auto found = DefinitionOfNumber.find(block.BlockNumber);
    if (found == DefinitionOfNumber.end() || Nesting >= MaxBlockNesting)
        return;
    const std::size_t definition = found->second;
    if (Expanding[definition])
        return;
    const TAffine outer = target.Place;
    target.Place = outer.After(Placement(block.X, block.Y, block.ScaleX, block.ScaleY, block.Rotation));
    Expanding[definition] = true;
    ++Nesting;
    RenderList(Doc.BlockDefList[definition], target);
    --Nesting;
    Expanding[definition] = false;
    target.Place = outer;
}

void RenderDrawing(const TJwwDocument& doc, TRenderScene& scene)
{
    TDrawingRenderer renderer(doc);
    for (std::size_t position = 0; position < doc.EntityOrder.size(); ++position)
        renderer.RenderObject(position, scene);
}
