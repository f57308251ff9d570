#include "ui/preview/PreviewPick.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

TVec2 Difference(TVec2 a, TVec2 b)
{
    return {a.X - b.X, a.Y - b.Y};
}

TVec2 Sum(TVec2 a, TVec2 b)
{
    return {a.X + b.X, a.Y + b.Y};
}

double CrossProduct(TVec2 a, TVec2 b)
{
    return a.X * b.Y - a.Y * b.X;
}

double SegmentDistance(TVec2 point, TVec2 from, TVec2 to)
{
    const TVec2 along = Difference(to, from);
    const TVec2 toPoint = Difference(point, from);
    const double lengthSquared = along.X * along.X + along.Y * along.Y;
    const double t =
        lengthSquared > 0.0 ? std::clamp((toPoint.X * along.X + toPoint.Y * along.Y) / lengthSquared, 0.0, 1.0) : 0.0;
    return std::hypot(toPoint.X - t * along.X, toPoint.Y - t * along.Y);
}

// Zero inside the quadrilateral, whichever way round its corners go, else the distance to its
// nearest edge.
double QuadDistance(TVec2 point, const std::array<TVec2, 4>& corners)
{
    bool left = false;
    bool right = false;
    double nearest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const TVec2 from = corners[i];
        const TVec2 to = corners[(i + 1) % corners.size()];
        const double side = CrossProduct(Difference(to, from), Difference(point, from));
        left = left || side > 0.0;
        right = right || side < 0.0;
        nearest = std::min(nearest, SegmentDistance(point, from, to));
    }
    return left && right ? nearest : 0.0;
}

// An ellipse's arc as chords that stray from the curve by no more than the precision, and
// never more chords than a pick can afford.
double ArcDistance(const TPrimitive& arc, TVec2 point, double precision)
{
    constexpr double MostChords = 4096;
    const double radius = std::max(std::hypot(arc.P[1].X, arc.P[1].Y), std::hypot(arc.P[2].X, arc.P[2].Y));
    const double chordAngle = precision < radius ? 2 * std::acos(1 - precision / radius) : std::numbers::pi / 2;
    const int chords = static_cast<int>(std::clamp(std::ceil(std::abs(arc.Sweep) / chordAngle), 1.0, MostChords));
    const auto at = [&](int i) {
        const double t = arc.Start + arc.Sweep * i / chords;
        return Sum(arc.P[0], Sum(TVec2{arc.P[1].X * std::cos(t), arc.P[1].Y * std::cos(t)},
                                   TVec2{arc.P[2].X * std::sin(t), arc.P[2].Y * std::sin(t)}));
    };
    double nearest = std::numeric_limits<double>::infinity();
    TVec2 from = at(0);
    for (int i = 1; i <= chords; ++i) {
        const TVec2 to = at(i);
        nearest = std::min(nearest, SegmentDistance(point, from, to));
        from = to;
    }
    return nearest;
}

// The distance from the point to the primitive's shape; zero inside a fill or a text's frame.
double DistanceTo(const TPrimitive& primitive, TVec2 point, double precision)
{
    const TVec2* p = primitive.P;
    switch (primitive.Kind) {
    case TPrimitiveKind::Line: return SegmentDistance(point, p[0], p[1]);
    case TPrimitiveKind::Arc: return ArcDistance(primitive, point, precision);
    case TPrimitiveKind::Point: return std::hypot(point.X - p[0].X, point.Y - p[0].Y);
    case TPrimitiveKind::Text:
        return QuadDistance(point, {p[0], Sum(p[0], p[1]), Sum(Sum(p[0], p[1]), p[2]), Sum(p[0], p[2])});
    case TPrimitiveKind::Fill: return QuadDistance(point, {p[0], p[1], p[2], p[3]});
    }
    return std::numeric_limits<double>::infinity();
}

struct TNearest {
    double Distance = std::numeric_limits<double>::infinity();
    const TPrimitive* Primitive = nullptr;
};

// The nearest shape of the index within the reach, of those the frame draws; of shapes equally
// near, the one drawn last, which lies on top.
TNearest NearestIn(const TPreviewScene& scene, const TPreviewIndex& index, TVec2 point, double reach,
                   const std::optional<TRenderFilter>& filter)
{
    TNearest nearest;
    const TBounds area{point.X - reach, point.Y - reach, point.X + reach, point.Y + reach};
    index.Visit(area, [&](const TIndexEntry& entry) {
        if (scene.DrawnAs(entry, filter) == TDrawnAs::Hidden)
            return;
        const TPrimitive& primitive = scene.Primitives.Primitives[entry.Primitive];
        const double distance = DistanceTo(primitive, point, reach / 4);
        if (distance > reach || distance > nearest.Distance)
            return;
        if (distance == nearest.Distance && nearest.Primitive &&
            nearest.Primitive->Source.Position > primitive.Source.Position)
            return;
        nearest = {distance, &primitive};
    });
    return nearest;
}

}  // namespace

std::optional<TRenderSource> PickAt(const TPreviewScene& scene, const TPreviewView& view, TVec2 pixel,
                                    double tolerancePixels, const std::optional<TRenderFilter>& filter)
{
    const TVec2 point = view.DrawingPoint(pixel);
    const double reach = tolerancePixels / view.Scale;
    TNearest nearest = NearestIn(scene, scene.Strokes, point, reach, filter);
    if (!nearest.Primitive)
        nearest = NearestIn(scene, scene.Fills, point, reach, filter);
    if (!nearest.Primitive)
        return std::nullopt;
    return nearest.Primitive->Source;
}
