#include "render/PenColors.h"

#include <array>

namespace {

constexpr uint16_t SolidOwnColor = 10;

// Darker than a screen's usual pens, so that every colour reads on white paper.
constexpr std::array<TRgb, 10> FixedColors{{
    {0, 0, 0},        // no colour of its own
    {0, 140, 160},    // 1
    {0, 0, 0},        // 2
    {0, 150, 0},      // 3
    {170, 140, 0},    // 4
    {200, 0, 200},    // 5
    {0, 0, 220},      // 6
    {60, 60, 60},     // 7
    {220, 0, 0},      // 8
    {130, 130, 130},  // 9
}};

}  // namespace

TRgb RgbFromDrawing(int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    return {static_cast<uint8_t>(bits & 0xFF), static_cast<uint8_t>((bits >> 8) & 0xFF),
            static_cast<uint8_t>((bits >> 16) & 0xFF)};
}

TRgb PenColorRgb(const TJwwDocument& doc, uint16_t penColor)
{
    if (IsSxfPenColor(penColor)) {
        const std::size_t entry = penColor - (FirstExtendedPenColor - 1);
        if (entry < doc.ColorExTable.size())
            return RgbFromDrawing(doc.ColorExTable[entry].ScreenColor);
    }
    return penColor < FixedColors.size() ? FixedColors[penColor] : FixedColors[0];
}

TRgb SolidRgb(const TJwwDocument& doc, const TEntSolid& solid)
{
    if (solid.Base.PenColor == SolidOwnColor)
        return RgbFromDrawing(solid.RgbColor);
    return PenColorRgb(doc, solid.Base.PenColor);
}
