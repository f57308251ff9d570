// What a picture of a drawing shows and how, as the drawing's header says: which layers are
// hidden, the pens with their screen colours and widths, the line types, the background and the
// paper. Primitives keep the pen colour and line type numbers of their shapes, and a picture
// looks them up here while it draws, so that another style redraws the same primitives.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "jww/jwwunit.h"
#include "render/LineTypes.h"
#include "render/Primitives.h"

// A solid of this pen colour carries its own colour.
constexpr uint16_t SolidOwnColor = 10;

struct TPen {
    TRgb Color;
    int Width = 1;  // in screen pixels
    friend bool operator==(const TPen&, const TPen&) = default;
};

struct TDrawingStyle {
    TRgb Background{255, 255, 255};
    std::array<TPen, 10> Pens{};      // pen colours 0 .. 9; pen 0 is the background
    std::array<TPen, 256> SxfPens{};  // the SXF colours 101 .. 356
    std::array<TDashes, 8> LineTypes{};        // line types 2 .. 9
    std::array<TDashes, 4> DoubleLineTypes{};  // line types 16 .. 19
    std::array<TDashes, 32> SxfLineTypes{};    // line types 31 .. 62
    // Entry g * 16 + l: layer l of group g is shown, neither it nor its group being hidden.
    std::array<bool, 256> LayerShown{};
    // The sheet, centred on the origin, when the drawing names one of the sizes known here.
    std::optional<TBounds> Paper;

    // Numbers that no pen has are drawn with pen 2, as a save of the drawing would store them.
    const TPen& PenOf(uint16_t penColor) const;
    // Line type 1, the random line types 11 .. 15 and numbers without a line type are solid.
    const TDashes& DashesOf(uint8_t penStyle) const;
    TRgb ColorOf(const TPrimitive& primitive) const;
    bool Shows(const TRenderSource& source) const;
    friend bool operator==(const TDrawingStyle&, const TDrawingStyle&) = default;
};

// The style of the drawing, with its own SXF tables.
TDrawingStyle StyleOf(const TJwwDocument& doc);
// The same with other SXF tables, such as edited ones: entry 0 and the colours 1 .. 256, entry 0
// and the line types 1 .. 32.
TDrawingStyle StyleOf(const TJwwDocument& doc, const std::vector<TColorExNo>& colors,
                      const std::vector<TLineTypeExNo>& lineTypes);

// How a primitive's line is drawn: colour, width in pixels and dashes in pixels.
struct TStroke {
    TRgb Color;
    int Width = 1;
    TDashes Dashes;
};

// The stroke of the primitive at a scale of so many pixels per drawing unit, in the colour
// given instead of its own when there is one.
TStroke StrokeOf(const TDrawingStyle& style, const TPrimitive& primitive, double pixelsPerUnit,
                 std::optional<TRgb> color = std::nullopt);

// The dashes in pixels at a scale of so many pixels per drawing unit; solid when a period would
// be shorter than two pixels, which no screen or picture can show.
TDashes DashesInPixels(const TDashes& dashes, double pixelsPerUnit);

// The radius in pixels of the dot that a point is drawn as with a pen of that width.
double PointRadius(int penWidth);

// The layer an object's base record names, as the entry g * 16 + l; numbers beyond 15 count as
// 0, as a save of the drawing would store them.
std::size_t LayerEntry(uint16_t layerGroup, uint16_t layer);

// Colours in the drawing hold red in the lowest byte.
TRgb RgbFromDrawing(int32_t value);

// The thin frame of the paper: grey, darker on a light background.
TRgb PaperFrameRgb(TRgb background);
// Notes on a picture: black on a light background, white on a dark one.
TRgb NoteRgb(TRgb background);
