#include "render/Primitives.h"

#include <algorithm>
#include <cmath>
#include <numbers>

TAffine TAffine::After(const TAffine& inner) const
{
    return {A * inner.A + C * inner.B, B * inner.A + D * inner.B,
            A * inner.C + C * inner.D, B * inner.C + D * inner.D,
            A * inner.E + C * inner.F + E, B * inner.E + D * inner.F + F};
}

TAffine Placement(double x, double y, double scaleX, double scaleY, double radians)
{
    const double cosine = std::cos(radians);
    const double sine = std::sin(radians);
    return {cosine * scaleX, sine * scaleX, -sine * scaleY, cosine * scaleY, x, y};
}

void TBounds::Add(TVec2 p)
{
    if (Empty()) {
        MinX = MaxX = p.X;
        MinY = MaxY = p.Y;
        return;
    }
    MinX = std::min(MinX, p.X);
    MinY = std::min(MinY, p.Y);
    MaxX = std::max(MaxX, p.X);
    MaxY = std::max(MaxY, p.Y);
}

void TBounds::Add(const TBounds& other)
{
    if (other.Empty())
        return;
    Add(TVec2{other.MinX, other.MinY});
    Add(TVec2{other.MaxX, other.MaxY});
}

bool TBounds::Intersects(const TBounds& other) const
{
    return !Empty() && !other.Empty() && MinX <= other.MaxX && other.MinX <= MaxX &&
           MinY <= other.MaxY && other.MinY <= MaxY;
}

TBounds Mapped(const TAffine& place, const TBounds& box)
{
    TBounds mapped;
    if (box.Empty())
        return mapped;
    for (const TVec2 corner : {TVec2{box.MinX, box.MinY}, TVec2{box.MaxX, box.MinY},
                               TVec2{box.MinX, box.MaxY}, TVec2{box.MaxX, box.MaxY}}) {
        const TVec2 p = place.Point(corner);
        // A placement that overflows has no box to show.
        if (!std::isfinite(p.X) || !std::isfinite(p.Y))
            return {};
        mapped.Add(p);
    }
    return mapped;
}

bool ClipSegment(TVec2& from, TVec2& to, const TPixelRect& box)
{
    // Liang and Barsky: the part of the segment's parameter range inside all four edges.
    const double dx = to.X - from.X;
    const double dy = to.Y - from.Y;
    if (!std::isfinite(dx) || !std::isfinite(dy))
        return false;
    const double towards[4] = {-dx, dx, -dy, dy};
    const double room[4] = {from.X - box.Left, box.Right - from.X, from.Y - box.Top, box.Bottom - from.Y};
    double enter = 0.0;
    double leave = 1.0;
    for (int edge = 0; edge < 4; ++edge) {
        if (towards[edge] == 0.0) {
            if (room[edge] < 0.0)
                return false;
            continue;
        }
        const double t = room[edge] / towards[edge];
        if (towards[edge] < 0.0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    if (!(enter <= leave))
        return false;
    const TVec2 start = from;
    from = {start.X + enter * dx, start.Y + enter * dy};
    to = {start.X + leave * dx, start.Y + leave * dy};
    return true;
}

void TRenderScene::Clear()
{
    Primitives.clear();
    Texts.clear();
}

namespace {

TVec2 Sum(TVec2 a, TVec2 b)
{
    return {a.X + b.X, a.Y + b.Y};
}

}  // namespace

TBounds BoundsOf(const TPrimitive& primitive)
{
    const TVec2* p = primitive.P;
    TBounds bounds;
    switch (primitive.Kind) {
    case TPrimitiveKind::Line:
        bounds.Add(p[0]);
        bounds.Add(p[1]);
        break;
    case TPrimitiveKind::Arc: {
        // The box of the whole ellipse.
        const double halfWidth = std::hypot(p[1].X, p[2].X);
        const double halfHeight = std::hypot(p[1].Y, p[2].Y);
        bounds.Add(TVec2{p[0].X - halfWidth, p[0].Y - halfHeight});
        bounds.Add(TVec2{p[0].X + halfWidth, p[0].Y + halfHeight});
        break;
    }
    case TPrimitiveKind::Point:
        bounds.Add(p[0]);
        break;
    case TPrimitiveKind::Text: {
        const TVec2 end = Sum(p[0], p[1]);
        bounds.Add(p[0]);
        bounds.Add(end);
        bounds.Add(Sum(p[0], p[2]));
        bounds.Add(Sum(end, p[2]));
        break;
    }
    case TPrimitiveKind::Fill:
        for (int i = 0; i < 4; ++i)
            bounds.Add(p[i]);
        break;
    }
    return bounds;
}

TBounds BoundsOf(const TRenderScene& scene)
{
    TBounds bounds;
    for (const TPrimitive& primitive : scene.Primitives)
        bounds.Add(BoundsOf(primitive));
    return bounds;
}

double BaselineDegrees(const TPrimitive& text)
{
    return std::atan2(text.P[3].Y, text.P[3].X) * 180.0 / std::numbers::pi;
}
