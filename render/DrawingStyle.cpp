#include "render/DrawingStyle.h"

#include <algorithm>

namespace {

constexpr int LayersPerGroup = 16;
// A layer or a group of this state is not shown; 1 shows it for display only, 2 for editing and
// 3 is the one written to.
constexpr int32_t HiddenState = 0;
constexpr uint16_t FallbackPen = 2;
// Screen widths beyond this are damaged values.
constexpr int WidestPen = 16;

constexpr float ShortestPeriodPixels = 2.0f;

constexpr uint8_t FirstLineType = 2;
constexpr uint8_t FirstDoubleLineType = 16;

// The paper codes 0 .. 4 are the sizes A0 .. A4, landscape, in millimetres.
constexpr std::array<TVec2, 5> PaperSizes{{{1189, 841}, {841, 594}, {594, 420}, {420, 297}, {297, 210}}};

TPen PenFrom(int32_t color, int32_t width)
{
    return {RgbFromDrawing(color), std::clamp(width, 1, WidestPen)};
}

}  // namespace

TRgb RgbFromDrawing(int32_t value)
{
    const auto bits = static_cast<uint32_t>(value);
    return {static_cast<uint8_t>(bits & 0xFF), static_cast<uint8_t>((bits >> 8) & 0xFF),
            static_cast<uint8_t>((bits >> 16) & 0xFF)};
}

namespace {

bool IsLight(TRgb colour)
{
    return colour.R * 3 + colour.G * 6 + colour.B >= 1280;
}

}  // namespace

TRgb PaperFrameRgb(TRgb background)
{
    return IsLight(background) ? TRgb{150, 150, 150} : TRgb{120, 120, 120};
}

TRgb NoteRgb(TRgb background)
{
    return IsLight(background) ? TRgb{0, 0, 0} : TRgb{255, 255, 255};
}

std::size_t LayerEntry(uint16_t layerGroup, uint16_t layer)
{
    const auto group = layerGroup < LayersPerGroup ? layerGroup : 0;
    const auto inGroup = layer < LayersPerGroup ? layer : 0;
    return static_cast<std::size_t>(group * LayersPerGroup + inGroup);
}

TDashes DashesInPixels(const TDashes& dashes, double pixelsPerUnit)
{
    if (dashes.Unit == TDashUnit::Pixels)
        return dashes;
    TDashes pixels = dashes;
    pixels.Unit = TDashUnit::Pixels;
    for (float& run : pixels.Runs)
        run = static_cast<float>(run * pixelsPerUnit);
    if (!(pixels.Period() >= ShortestPeriodPixels))
        return {};
    return pixels;
}

TStroke StrokeOf(const TDrawingStyle& style, const TPrimitive& primitive, double pixelsPerUnit,
                 std::optional<TRgb> color)
{
    const TPen& pen = style.PenOf(primitive.PenColor);
    TStroke stroke{color.value_or(style.ColorOf(primitive)), pen.Width, {}};
    if (primitive.Kind == TPrimitiveKind::Line || primitive.Kind == TPrimitiveKind::Arc)
        stroke.Dashes = DashesInPixels(style.DashesOf(primitive.PenStyle), pixelsPerUnit);
    return stroke;
}

double PointRadius(int penWidth)
{
    return 1.0 + penWidth / 2.0;
}

const TPen& TDrawingStyle::PenOf(uint16_t penColor) const
{
    if (IsSxfPenColor(penColor))
        return SxfPens[penColor - FirstExtendedPenColor];
    return Pens[penColor >= 1 && penColor < Pens.size() ? penColor : FallbackPen];
}

const TDashes& TDrawingStyle::DashesOf(uint8_t penStyle) const
{
    static const TDashes solid;
    if (penStyle >= FirstLineType && penStyle < FirstLineType + LineTypes.size())
        return LineTypes[penStyle - FirstLineType];
    if (penStyle >= FirstDoubleLineType && penStyle < FirstDoubleLineType + DoubleLineTypes.size())
        return DoubleLineTypes[penStyle - FirstDoubleLineType];
    if (IsSxfPenStyle(penStyle))
        return SxfLineTypes[penStyle - FirstExtendedPenStyle];
    return solid;
}

TRgb TDrawingStyle::ColorOf(const TPrimitive& primitive) const
{
    if (primitive.Kind == TPrimitiveKind::Fill && primitive.PenColor == SolidOwnColor)
        return primitive.OwnColor;
    return PenOf(primitive.PenColor).Color;
}

bool TDrawingStyle::Shows(const TRenderSource& source) const
{
    return LayerShown[LayerEntry(source.LayerGroup, source.Layer)];
}

TDrawingStyle StyleOf(const TJwwDocument& doc)
{
    return StyleOf(doc, doc.ColorExTable, doc.LineTypeExTable);
}

TDrawingStyle StyleOf(const TJwwDocument& doc, const std::vector<TColorExNo>& colors,
                      const std::vector<TLineTypeExNo>& lineTypes)
{
    TDrawingStyle style;
    for (std::size_t pen = 0; pen < style.Pens.size() && pen < doc.SettingsTableB.size(); ++pen)
        style.Pens[pen] = PenFrom(doc.SettingsTableB[pen].I1, doc.SettingsTableB[pen].I2);
    style.Background = style.Pens[0].Color;
    for (std::size_t i = 0; i < style.SxfPens.size(); ++i) {
        style.SxfPens[i] = style.Pens[FallbackPen];
        if (i + 1 < colors.size())
            style.SxfPens[i] = PenFrom(colors[i + 1].ScreenColor, colors[i + 1].ScreenWidth);
    }
    const auto patternOf = [](const TSettingsEntryC& entry) {
        return PatternDashes(entry[0], entry[1], entry[2]);
    };
    for (std::size_t i = 0; i < style.LineTypes.size() && i < doc.SettingsTableC.size(); ++i)
        style.LineTypes[i] = patternOf(doc.SettingsTableC[i]);
    for (std::size_t i = 0; i < style.DoubleLineTypes.size() && i < doc.SettingsTableE.size(); ++i)
        style.DoubleLineTypes[i] = patternOf(doc.SettingsTableE[i]);
    for (std::size_t i = 0; i < style.SxfLineTypes.size() && i + 1 < lineTypes.size(); ++i)
        style.SxfLineTypes[i] = SxfDashes(lineTypes[i + 1]);

    for (std::size_t entry = 0; entry < style.LayerShown.size(); ++entry) {
        const std::size_t group = entry / LayersPerGroup;
        style.LayerShown[entry] = group < doc.LayerGroupTable.size() && entry < doc.LayerTable.size() &&
                                  doc.LayerGroupTable[group].Value1 != HiddenState &&
                                  doc.LayerTable[entry].Value1 != HiddenState;
    }
    const int32_t paper = doc.Header.Settings0[0];
    if (paper >= 0 && static_cast<std::size_t>(paper) < PaperSizes.size()) {
        const TVec2 size = PaperSizes[static_cast<std::size_t>(paper)];
        style.Paper = TBounds{-size.X / 2, -size.Y / 2, size.X / 2, size.Y / 2};
    }
    return style;
}
