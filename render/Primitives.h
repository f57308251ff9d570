// Drawing primitives in drawing coordinates (millimetres, y up), each tied to the object of the
// main entity list it came from. Every shape is given by points and vectors only, so that any
// affine placement of a block maps it exactly by mapping those.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TVec2 {
    double X = 0.0;
    double Y = 0.0;
};

// An affine map: (x, y) -> (A x + C y + E, B x + D y + F).
struct TAffine {
    double A = 1.0, B = 0.0, C = 0.0, D = 1.0, E = 0.0, F = 0.0;

    TVec2 Point(TVec2 p) const { return {A * p.X + C * p.Y + E, B * p.X + D * p.Y + F}; }
    TVec2 Vector(TVec2 v) const { return {A * v.X + C * v.Y, B * v.X + D * v.Y}; }
    // This map applied after inner.
    TAffine After(const TAffine& inner) const;
};

// Translation by (x, y) after rotation by the angle in radians (counter-clockwise) after
// scaling.
TAffine Placement(double x, double y, double scaleX, double scaleY, double radians);

struct TRgb {
    uint8_t R = 0, G = 0, B = 0;
    friend bool operator==(TRgb, TRgb) = default;
};

// The object of the main entity list a primitive came from, with its attributes. Primitives of
// a block insertion carry the insertion's, so that filters and the elements of an SVG agree.
struct TRenderSource {
    int32_t Kind = 0;       // KindSen .. KindBlock
    uint32_t Position = 0;  // the object's place in the main entity list's order
    uint16_t LayerGroup = 0;
    uint16_t Layer = 0;
    uint16_t PenColor = 0;
    uint8_t PenStyle = 0;
    // Of the earlier drawing in a picture of a change, whose main list Position counts in.
    bool FromEarlier = false;
};

enum class TPrimitiveKind : uint8_t { Line, Arc, Point, Text, Fill };

// The points a kind uses:
// - Line: P[0] to P[1].
// - Arc: centre P[0]; the points P[0] + P[1] cos t + P[2] sin t for t from Start to
//   Start + Sweep (radians); a circle has P[1] and P[2] of equal length at right angles.
// - Point: P[0].
// - Text: P[0] the start of its baseline, P[1] the baseline to its end, P[2] the character
//   height across the baseline, P[3] the baseline's direction, which a text of no length
//   keeps too; the text is Texts[TextIndex] in code page 932.
// - Fill: the quadrilateral P[0] P[1] P[2] P[3], filled.
// PenColor and PenStyle are the shape's own, also inside a block; a picture looks up their
// colour, width and dashes in the drawing's style while it draws. OwnColor is the colour of a
// fill whose pen colour says it has one.
struct TPrimitive {
    TPrimitiveKind Kind = TPrimitiveKind::Line;
    uint8_t PenStyle = 1;
    uint16_t PenColor = 0;
    TRgb OwnColor;
    TRenderSource Source;
    TVec2 P[4];
    double Start = 0.0;
    double Sweep = 0.0;
    uint32_t TextIndex = 0;
};

struct TBounds {
    double MinX = 0.0, MinY = 0.0, MaxX = -1.0, MaxY = -1.0;

    bool Empty() const { return MaxX < MinX || MaxY < MinY; }
    void Add(TVec2 p);
    void Add(const TBounds& other);
    bool Intersects(const TBounds& other) const;
    double Width() const { return MaxX - MinX; }
    double Height() const { return MaxY - MinY; }
    friend bool operator==(const TBounds&, const TBounds&) = default;
};

// The box that holds the box mapped by the placement.
TBounds Mapped(const TAffine& place, const TBounds& box);

// The primitives of a drawing in the order of the main entity list.
struct TRenderScene {
    std::vector<TPrimitive> Primitives;
    std::vector<std::string> Texts;

    void Clear();
};

// A rectangle in pixels, which may reach beyond a picture or a view.
struct TPixelRect {
    double Left = 0.0, Top = 0.0, Right = 0.0, Bottom = 0.0;
};

// Cuts the segment to the rectangle; false when nothing of it lies inside.
bool ClipSegment(TVec2& from, TVec2& to, const TPixelRect& box);

// A box that holds the primitive; for arcs and texts it may be larger than the shape.
TBounds BoundsOf(const TPrimitive& primitive);
TBounds BoundsOf(const TRenderScene& scene);

// The angle of a text's baseline in degrees, counter-clockwise from the x axis.
double BaselineDegrees(const TPrimitive& text);
