#include "render/SvgWriter.h"

#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

#include "render/PictureFrame.h"
#include "render/RenderDrawing.h"
#include "text/Cp932.h"

namespace {

// A point is a dot of this share of the picture's larger side.
constexpr double PointShare = 0.0015;
// Texts are laid out at this size and scaled down to their height, since some SVG readers
// round small font sizes.
constexpr double TextLayoutSize = 100.0;
// Not inherited, so every stroked element names it.
constexpr std::string_view NonScalingStroke = " vector-effect=\"non-scaling-stroke\"";

class TSvgOut {
public:
    explicit TSvgOut(std::ostream& out) : Out(out) {}

    TSvgOut& operator<<(std::string_view text)
    {
        Out << text;
        return *this;
    }

    // The shortest text that reads back as the same double; a flipped 0 is written as 0.
    TSvgOut& operator<<(double value)
    {
        if (value == 0.0)
            value = 0.0;
        std::array<char, 32> digits;
        const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
        Out.write(digits.data(), result.ptr - digits.data());
        return *this;
    }

    TSvgOut& operator<<(uint32_t value)
    {
        Out << value;
        return *this;
    }

    TSvgOut& Color(TRgb rgb)
    {
        char text[8];
        std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.R, rgb.G, rgb.B);
        Out << text;
        return *this;
    }

    // SVG's y axis points down.
    TSvgOut& Point(TVec2 p)
    {
        return *this << p.X << " " << -p.Y;
    }

    // Text content: the markup characters escaped, control characters left out, since XML
    // cannot hold them.
    TSvgOut& Escaped(std::string_view utf8)
    {
        for (const char c : utf8) {
            switch (c) {
            case '&': Out << "&amp;"; break;
            case '<': Out << "&lt;"; break;
            case '>': Out << "&gt;"; break;
            default:
                if (static_cast<unsigned char>(c) >= 0x20)
                    Out << c;
                break;
            }
        }
        return *this;
    }

private:
    std::ostream& Out;
};

double Length(TVec2 v)
{
    return std::hypot(v.X, v.Y);
}

// An arc of the unit circle placed by the transform that maps it onto the ellipse.
void WriteArc(TSvgOut& svg, const TPrimitive& arc)
{
    const TVec2* p = arc.P;
    svg << "<path transform=\"matrix(" << p[1].X << " " << -p[1].Y << " " << p[2].X << " "
        << -p[2].Y << " " << p[0].X << " " << -p[0].Y << ")\" d=\"";
    const auto unit = [&svg](double t) { svg << std::cos(t) << " " << std::sin(t); };
    if (std::abs(arc.Sweep) >= 2 * std::numbers::pi) {
        svg << "M1 0A1 1 0 1 1 -1 0A1 1 0 1 1 1 0Z";
    } else {
        svg << "M";
        unit(arc.Start);
        svg << "A1 1 0 " << (std::abs(arc.Sweep) > std::numbers::pi ? "1" : "0")
            << (arc.Sweep > 0 ? " 1 " : " 0 ");
        unit(arc.Start + arc.Sweep);
    }
    svg << "\"" << NonScalingStroke << " stroke=\"";
    svg.Color(arc.Color) << "\"/>";
}

void WriteText(TSvgOut& svg, const TPrimitive& text, const std::string& cp932)
{
    const TVec2* p = text.P;
    const double height = Length(p[2]);
    const double along = Length(p[3]);
    if (height == 0.0 || along == 0.0)
        return;
    // The glyphs' x axis runs along the baseline, their y axis down across it.
    const TVec2 x{p[3].X / along * height / TextLayoutSize, p[3].Y / along * height / TextLayoutSize};
    svg << "<text transform=\"matrix(" << x.X << " " << -x.Y << " " << -p[2].X / TextLayoutSize
        << " " << p[2].Y / TextLayoutSize << " " << p[0].X << " " << -p[0].Y << ")\" fill=\"";
    svg.Color(text.Color) << "\"";
    const double length = Length(p[1]);
    if (length > 0.0)
        svg << " textLength=\"" << length / height * TextLayoutSize
            << "\" lengthAdjust=\"spacingAndGlyphs\"";
    svg << ">";
    svg.Escaped(Cp932ToUtf8Lossy(cp932)) << "</text>";
}

void WritePrimitive(TSvgOut& svg, const TPrimitive& primitive, const TRenderScene& scene,
                    double pointRadius)
{
    const TVec2* p = primitive.P;
    switch (primitive.Kind) {
    case TPrimitiveKind::Line:
        svg << "<line x1=\"" << p[0].X << "\" y1=\"" << -p[0].Y << "\" x2=\"" << p[1].X
            << "\" y2=\"" << -p[1].Y << "\"" << NonScalingStroke << " stroke=\"";
        svg.Color(primitive.Color) << "\"/>";
        break;
    case TPrimitiveKind::Arc:
        WriteArc(svg, primitive);
        break;
    case TPrimitiveKind::Point:
        svg << "<circle cx=\"" << p[0].X << "\" cy=\"" << -p[0].Y << "\" r=\"" << pointRadius
            << "\" stroke=\"none\" fill=\"";
        svg.Color(primitive.Color) << "\"/>";
        break;
    case TPrimitiveKind::Text:
        WriteText(svg, primitive, scene.Texts.at(primitive.TextIndex));
        break;
    case TPrimitiveKind::Fill:
        svg << "<polygon points=\"";
        for (int i = 0; i < 4; ++i)
            svg.Point(p[i]) << (i < 3 ? " " : "");
        svg << "\" stroke=\"none\" fill=\"";
        svg.Color(primitive.Color) << "\"/>";
        break;
    }
}

}  // namespace

std::string_view KindName(int32_t kind)
{
    switch (kind) {
    case KindSen: return "sen";
    case KindEnko: return "enko";
    case KindTen: return "ten";
    case KindMoji: return "moji";
    case KindSunpo: return "sunpou";
    case KindSolid: return "solid";
    case KindBlock: return "block";
    default: return "";
    }
}

void WriteSvg(const TJwwDocument& doc, const TRenderFilter& filter, std::ostream& out)
{
    const TPictureFrame frame = PictureFrame(doc, PictureLongerSide);
    const TBounds& bounds = frame.Extent;
    const double width = bounds.MaxX - bounds.MinX;
    const double height = bounds.MaxY - bounds.MinY;

    TSvgOut svg(out);
    svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\""
        << " width=\"" << static_cast<uint32_t>(frame.Width) << "\" height=\""
        << static_cast<uint32_t>(frame.Height) << "\" viewBox=\"" << bounds.MinX
        << " " << -bounds.MaxY << " " << width << " " << height << "\">\n";
    svg << "<rect x=\"" << bounds.MinX << "\" y=\"" << -bounds.MaxY << "\" width=\"" << width
        << "\" height=\"" << height << "\" fill=\"#ffffff\"/>\n";
    svg << "<g fill=\"none\" stroke-width=\"1\" font-family=\"Noto Sans CJK JP, sans-serif\">\n";

    const double pointRadius = std::max(width, height) * PointShare;
    TDrawingRenderer renderer(doc);
    TRenderScene scene;
    for (std::size_t position = 0; position < doc.EntityOrder.size(); ++position) {
        const std::optional<TRenderSource> source = renderer.SourceOf(position);
        if (!source)
            continue;
        scene.Clear();
        renderer.RenderObject(position, scene);
        svg << "<g data-kind=\"" << KindName(source->Kind) << "\" data-layer=\""
            << LayerName(source->LayerGroup, source->Layer) << "\" data-index=\""
            << static_cast<uint32_t>(position) << "\">";
        GreyOut(filter, scene);
        for (const TPrimitive& primitive : scene.Primitives)
            WritePrimitive(svg, primitive, scene, pointRadius);
        svg << "</g>\n";
    }
    svg << "</g>\n</svg>\n";
}
