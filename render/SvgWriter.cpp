#include "render/SvgWriter.h"

#include <array>
#include <charconv>
#include <cmath>
#include <numbers>

#include <optional>
#include <string>
#include <vector>

#include "render/ObjectShapes.h"
#include "text/Cp932.h"

namespace {

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

    TSvgOut& operator<<(int value)
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

// A placement in SVG's coordinates, whose y axis points down.
void WriteMatrix(TSvgOut& svg, const TAffine& m)
{
    svg << "matrix(" << m.A << " " << -m.B << " " << -m.C << " " << m.D << " " << m.E << " "
        << -m.F << ")";
}

class TSvgPicture {
public:
    TSvgPicture(const TJwwDocument& doc, const TPictureOptions& options, std::ostream& out)
        : Doc(doc), Options(options), Svg(out), Style(StyleOf(doc)), Renderer(doc),
          Frame(FrameOf(ShownArea(doc, Style, options, Renderer), PictureLongerSide)),
          Needed(doc.BlockDefList.size())
    {
    }

    void Write()
    {
        const TBounds& bounds = Frame.Extent;
        const double width = bounds.Width();
        const double height = bounds.Height();
        Svg << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            << "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\""
            << " width=\"" << Frame.Width << "\" height=\"" << Frame.Height << "\" viewBox=\""
            << bounds.MinX << " " << -bounds.MaxY << " " << width << " " << height << "\">\n";
        Svg << "<rect x=\"" << bounds.MinX << "\" y=\"" << -bounds.MaxY << "\" width=\"" << width
            << "\" height=\"" << height << "\" fill=\"";
        Svg.Color(Style.Background) << "\"/>\n";
        if (Style.Paper) {
            const TBounds& paper = *Style.Paper;
            Svg << "<rect x=\"" << paper.MinX << "\" y=\"" << -paper.MaxY << "\" width=\""
                << paper.Width() << "\" height=\"" << paper.Height() << "\" fill=\"none\" stroke=\"";
            Svg.Color(PaperFrameRgb(Style.Background)) << "\"" << NonScalingStroke << "/>\n";
        }
        Svg << "<g fill=\"none\" stroke-width=\"1\" font-family=\"Noto Sans CJK JP, sans-serif\">\n";
        WriteDefinitions();
        for (std::size_t position = 0; position < Doc.EntityOrder.size(); ++position)
            WriteObject(position);
        Svg << "</g>\n</svg>\n";
    }

private:
    enum TColouring : std::size_t { OwnColours, Greyed, Colourings };

    // A main-list object is drawn greyed when the filter does not show it.
    std::optional<TRgb> ColourOf(TColouring colouring) const
    {
        return colouring == Greyed ? std::optional<TRgb>(GreyedRgb) : std::nullopt;
    }

    void WriteObject(std::size_t position)
    {
        const std::optional<TRenderSource> source = Renderer.SourceOf(position);
        if (!source || !Options.Draws(Style, *source))
            return;
        const TColouring colouring = Options.Filter.Shows(*source) ? OwnColours : Greyed;
        Svg << "<g data-kind=\"" << KindName(source->Kind) << "\" data-layer=\""
            << LayerName(source->LayerGroup, source->Layer) << "\" data-index=\""
            << static_cast<uint32_t>(position) << "\">";
        const TEntRef& ref = Doc.EntityOrder[position];
        if (ref.Kind == KindBlock) {
            const TEntBlock& block = Doc.BlockList[static_cast<std::size_t>(ref.Index)];
            WriteUse(Renderer.Blocks().DefinitionOf(block), block, colouring);
        } else {
            Scene.Clear();
            AddShapes(Doc, ref, {Scene, *source, {}});
            WriteShapes(colouring);
        }
        Svg << "</g>\n";
    }

    void WriteUse(int32_t definition, const TEntBlock& block, TColouring colouring)
    {
        if (definition == NoDefinition)
            return;
        Svg << "<use xlink:href=\"#";
        WriteDefinitionId(static_cast<std::size_t>(definition), colouring);
        Svg << "\" transform=\"";
        WriteMatrix(Svg, InsertionPlacement(block));
        Svg << "\"/>";
    }

    void WriteDefinitionId(std::size_t definition, TColouring colouring)
    {
        Svg << "b" << static_cast<uint32_t>(definition) << (colouring == Greyed ? "g" : "");
    }

    // Every definition that an insertion drawn reaches, once for each colouring it is drawn in.
    void WriteDefinitions()
    {
        const TBlockGraph& graph = Renderer.Blocks();
        std::vector<std::pair<std::size_t, TColouring>> open;
        const auto need = [&](int32_t definition, TColouring colouring) {
            if (definition == NoDefinition || Needed[static_cast<std::size_t>(definition)][colouring])
                return;
            Needed[static_cast<std::size_t>(definition)][colouring] = true;
            open.emplace_back(static_cast<std::size_t>(definition), colouring);
        };
        for (std::size_t position = 0; position < Doc.EntityOrder.size(); ++position) {
            const std::optional<TRenderSource> source = Renderer.SourceOf(position);
            if (source && source->Kind == KindBlock && Options.Draws(Style, *source))
                need(graph.DefinitionOf(
                         Doc.BlockList[static_cast<std::size_t>(Doc.EntityOrder[position].Index)]),
                     Options.Filter.Shows(*source) ? OwnColours : Greyed);
        }
        while (!open.empty()) {
            const auto [definition, colouring] = open.back();
            open.pop_back();
            for (std::size_t insertion = 0; insertion < Doc.BlockDefList[definition].BlockList.size();
                 ++insertion)
                need(graph.ChildOf(definition, insertion), colouring);
        }
        Svg << "<defs>\n";
        for (std::size_t definition = 0; definition < Needed.size(); ++definition)
            for (const TColouring colouring : {OwnColours, Greyed})
                if (Needed[definition][colouring])
                    WriteDefinition(definition, colouring);
        Svg << "</defs>\n";
    }

    void WriteDefinition(std::size_t definition, TColouring colouring)
    {
        const TEntBlockDef& list = Doc.BlockDefList[definition];
        Svg << "<g id=\"";
        WriteDefinitionId(definition, colouring);
        Svg << "\">";
        for (const TEntRef& ref : list.EntityOrder) {
            if (ref.Kind != KindBlock) {
                Scene.Clear();
                AddShapes(list, ref, {Scene, {}, {}});
                WriteShapes(colouring);
            } else if (BaseOf(list, ref)) {
                const auto insertion = static_cast<std::size_t>(ref.Index);
                WriteUse(Renderer.Blocks().ChildOf(definition, insertion), list.BlockList[insertion],
                         colouring);
            }
        }
        Svg << "</g>\n";
    }

    void WriteShapes(TColouring colouring)
    {
        for (const TPrimitive& primitive : Scene.Primitives)
            WritePrimitive(primitive, StrokeOf(Style, primitive, Frame.PixelsPerUnit, ColourOf(colouring)));
    }

    void WriteStroke(const TStroke& stroke)
    {
        Svg << NonScalingStroke << " stroke=\"";
        Svg.Color(stroke.Color) << "\"";
        if (stroke.Width != 1)
            Svg << " stroke-width=\"" << stroke.Width << "\"";
        if (!stroke.Dashes.Solid()) {
            Svg << " stroke-dasharray=\"";
            for (int i = 0; i < stroke.Dashes.Count; ++i)
                Svg << (i > 0 ? " " : "") << double{stroke.Dashes.Runs[static_cast<std::size_t>(i)]};
            Svg << "\"";
        }
    }

    // An arc of the unit circle placed by the transform that maps it onto the ellipse.
    void WriteArc(const TPrimitive& arc, const TStroke& stroke)
    {
        const TVec2* p = arc.P;
        Svg << "<path transform=\"matrix(" << p[1].X << " " << -p[1].Y << " " << p[2].X << " "
            << -p[2].Y << " " << p[0].X << " " << -p[0].Y << ")\" d=\"";
        const auto unit = [this](double t) { Svg << std::cos(t) << " " << std::sin(t); };
        if (std::abs(arc.Sweep) >= 2 * std::numbers::pi) {
            Svg << "M1 0A1 1 0 1 1 -1 0A1 1 0 1 1 1 0Z";
        } else {
            Svg << "M";
            unit(arc.Start);
            Svg << "A1 1 0 " << (std::abs(arc.Sweep) > std::numbers::pi ? "1" : "0")
                << (arc.Sweep > 0 ? " 1 " : " 0 ");
            unit(arc.Start + arc.Sweep);
        }
        Svg << "\"";
        WriteStroke(stroke);
        Svg << "/>";
    }

    void WriteText(const TPrimitive& text, TRgb color)
    {
        const TVec2* p = text.P;
        const double height = Length(p[2]);
        const double along = Length(p[3]);
        if (height == 0.0 || along == 0.0)
            return;
        // The glyphs' x axis runs along the baseline, their y axis down across it.
        const TVec2 x{p[3].X / along * height / TextLayoutSize, p[3].Y / along * height / TextLayoutSize};
        Svg << "<text transform=\"matrix(" << x.X << " " << -x.Y << " " << -p[2].X / TextLayoutSize
            << " " << p[2].Y / TextLayoutSize << " " << p[0].X << " " << -p[0].Y << ")\" fill=\"";
        Svg.Color(color) << "\"";
        const double length = Length(p[1]);
        if (length > 0.0)
            Svg << " textLength=\"" << length / height * TextLayoutSize
                << "\" lengthAdjust=\"spacingAndGlyphs\"";
        Svg << ">";
        Svg.Escaped(Cp932ToUtf8Lossy(Scene.Texts.at(text.TextIndex))) << "</text>";
    }

    void WritePrimitive(const TPrimitive& primitive, const TStroke& stroke)
    {
        const TVec2* p = primitive.P;
        switch (primitive.Kind) {
        case TPrimitiveKind::Line:
            Svg << "<line x1=\"" << p[0].X << "\" y1=\"" << -p[0].Y << "\" x2=\"" << p[1].X
                << "\" y2=\"" << -p[1].Y << "\"";
            WriteStroke(stroke);
            Svg << "/>";
            break;
        case TPrimitiveKind::Arc:
            WriteArc(primitive, stroke);
            break;
        case TPrimitiveKind::Point:
            Svg << "<circle cx=\"" << p[0].X << "\" cy=\"" << -p[0].Y << "\" r=\""
                << PointRadius(stroke.Width) / Frame.PixelsPerUnit
                << "\" stroke=\"none\" fill=\"";
            Svg.Color(stroke.Color) << "\"/>";
            break;
        case TPrimitiveKind::Text:
            WriteText(primitive, stroke.Color);
            break;
        case TPrimitiveKind::Fill:
            Svg << "<polygon points=\"";
            for (int i = 0; i < 4; ++i)
                Svg.Point(p[i]) << (i < 3 ? " " : "");
            Svg << "\" stroke=\"none\" fill=\"";
            Svg.Color(stroke.Color) << "\"/>";
            break;
        }
    }

    const TJwwDocument& Doc;
    const TPictureOptions& Options;
    TSvgOut Svg;
    const TDrawingStyle Style;
    TDrawingRenderer Renderer;
    const TPictureFrame Frame;
    std::vector<std::array<bool, Colourings>> Needed;
    TRenderScene Scene;
};

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

void WriteSvg(const TJwwDocument& doc, const TPictureOptions& options, std::ostream& out)
{
    TSvgPicture(doc, options, out).Write();
}
