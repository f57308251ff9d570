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

// The colours a block definition is written in: its own, or one of the override colours, each
// a definition of its own so that an insertion can refer to it.
enum TColouring : std::size_t { OwnColours, Greyed, Removed, Added, Colourings };

TColouring ColouringOf(std::optional<TRgb> colour)
{
    if (!colour)
        return OwnColours;
    if (*colour == RemovedRgb)
        return Removed;
    return *colour == AddedRgb ? Added : Greyed;
}

std::optional<TRgb> ColourOf(TColouring colouring)
{
    switch (colouring) {
    case Greyed: return GreyedRgb;
    case Removed: return RemovedRgb;
    case Added: return AddedRgb;
    default: return std::nullopt;
    }
}

// One drawing that a picture draws objects of, with its style and its block definitions, whose
// ids begin with its own prefix.
struct TSvgDrawing {
    TSvgDrawing(const TJwwDocument& doc, std::string_view prefix)
        : Doc(doc), Style(StyleOf(doc)), Renderer(doc), Prefix(prefix), Needed(doc.BlockDefList.size())
    {
    }

    const TJwwDocument& Doc;
    const TDrawingStyle Style;
    TDrawingRenderer Renderer;
    std::string_view Prefix;
    std::vector<std::array<bool, Colourings>> Needed;
};

// An object to draw: its place in its drawing's main list and its colouring.
struct TDrawnObject {
    std::size_t Position;
    TColouring Colouring;
};

class TSvgPicture {
public:
    TSvgPicture(const TJwwDocument& doc, const TPictureOptions& options, std::ostream& out)
        : Options(options), Svg(out), Now(doc, "b"),
          Frame(FrameOf(PictureArea(doc, Now.Style, options, Now.Renderer), PictureLongerSide))
    {
        if (options.Changes)
            Was.emplace(options.Changes->Old(), "o");
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
        Svg.Color(Now.Style.Background) << "\"/>\n";
        if (Now.Style.Paper) {
            const TBounds& paper = *Now.Style.Paper;
            Svg << "<rect x=\"" << paper.MinX << "\" y=\"" << -paper.MaxY << "\" width=\""
                << paper.Width() << "\" height=\"" << paper.Height() << "\" fill=\"none\" stroke=\"";
            Svg.Color(PaperFrameRgb(Now.Style.Background)) << "\"" << NonScalingStroke << "/>\n";
        }
        Svg << "<g fill=\"none\" stroke-width=\"1\" font-family=\"Noto Sans CJK JP, sans-serif\">\n";
        const std::vector<TDrawnObject> nowObjects = ObjectsOfNow();
        const std::vector<TDrawnObject> wasObjects = Was ? RemovedObjects(*Was) : std::vector<TDrawnObject>{};
        Svg << "<defs>\n";
        WriteDefinitions(Now, nowObjects);
        if (Was)
            WriteDefinitions(*Was, wasObjects);
        Svg << "</defs>\n";
        for (const TDrawnObject& object : nowObjects)
            WriteObject(Now, object);
        if (Was)
            for (const TDrawnObject& object : wasObjects)
                WriteObject(*Was, object);
        Svg << "</g>\n</svg>\n";
    }

private:
    // The objects of the drawing that the picture draws, in their order.
    std::vector<TDrawnObject> ObjectsOfNow()
    {
        std::vector<TDrawnObject> objects;
        for (std::size_t position = 0; position < Now.Doc.EntityOrder.size(); ++position) {
            const std::optional<TRenderSource> source = Now.Renderer.SourceOf(position);
            if (source && Options.Draws(Now.Style, *source))
                objects.push_back({position, ColouringOf(Options.ColourOf(*source))});
        }
        return objects;
    }

    // The earlier drawing's objects that the later one no longer holds, as its own layer
    // states show them.
    std::vector<TDrawnObject> RemovedObjects(TSvgDrawing& was)
    {
        std::vector<TDrawnObject> objects;
        for (const std::size_t position : Options.Changes->Removed()) {
            const std::optional<TRenderSource> source = was.Renderer.SourceOf(position);
            if (source && Options.Draws(was.Style, *source))
                objects.push_back({position, Removed});
        }
        return objects;
    }

    void WriteObject(TSvgDrawing& drawing, const TDrawnObject& object)
    {
        const std::optional<TRenderSource> source = drawing.Renderer.SourceOf(object.Position);
        Svg << "<g data-kind=\"" << KindName(source->Kind) << "\" data-layer=\""
            << LayerName(source->LayerGroup, source->Layer) << "\" data-index=\""
            << static_cast<uint32_t>(object.Position) << "\"";
        if (Options.Changes)
            Svg << " data-change=\""
                << ChangeName(&drawing == &Now ? Options.Changes->ChangeOf(object.Position) : TObjectChange::Removed)
                << "\"";
        Svg << ">";
        const TEntRef& ref = drawing.Doc.EntityOrder[object.Position];
        if (ref.Kind == KindBlock) {
            const TEntBlock& block = drawing.Doc.BlockList[static_cast<std::size_t>(ref.Index)];
            WriteUse(drawing, drawing.Renderer.Blocks().DefinitionOf(block), block, object.Colouring);
        } else {
            Scene.Clear();
            AddShapes(drawing.Doc, ref, {Scene, *source, {}});
            WriteShapes(drawing.Style, object.Colouring);
        }
        Svg << "</g>\n";
    }

    void WriteUse(const TSvgDrawing& drawing, int32_t definition, const TEntBlock& block,
                  TColouring colouring)
    {
        if (definition == NoDefinition)
            return;
        Svg << "<use xlink:href=\"#";
        WriteDefinitionId(drawing, static_cast<std::size_t>(definition), colouring);
        Svg << "\" transform=\"";
        WriteMatrix(Svg, InsertionPlacement(block));
        Svg << "\"/>";
    }

    void WriteDefinitionId(const TSvgDrawing& drawing, std::size_t definition, TColouring colouring)
    {
        static constexpr std::string_view Suffixes[Colourings] = {"", "g", "r", "a"};
        Svg << drawing.Prefix << static_cast<uint32_t>(definition) << Suffixes[colouring];
    }

    // Every definition that an insertion drawn reaches, once for each colouring it is drawn in.
    void WriteDefinitions(TSvgDrawing& drawing, const std::vector<TDrawnObject>& objects)
    {
        const TJwwDocument& doc = drawing.Doc;
        const TBlockGraph& graph = drawing.Renderer.Blocks();
        std::vector<std::pair<std::size_t, TColouring>> open;
        const auto need = [&](int32_t definition, TColouring colouring) {
            if (definition == NoDefinition || drawing.Needed[static_cast<std::size_t>(definition)][colouring])
                return;
            drawing.Needed[static_cast<std::size_t>(definition)][colouring] = true;
            open.emplace_back(static_cast<std::size_t>(definition), colouring);
        };
        for (const TDrawnObject& object : objects) {
            const TEntRef& ref = doc.EntityOrder[object.Position];
            if (ref.Kind == KindBlock)
                need(graph.DefinitionOf(doc.BlockList[static_cast<std::size_t>(ref.Index)]),
                     object.Colouring);
        }
        while (!open.empty()) {
            const auto [definition, colouring] = open.back();
            open.pop_back();
            for (std::size_t insertion = 0; insertion < doc.BlockDefList[definition].BlockList.size();
                 ++insertion)
                need(graph.ChildOf(definition, insertion), colouring);
        }
        for (std::size_t definition = 0; definition < drawing.Needed.size(); ++definition)
            for (std::size_t colouring = 0; colouring < Colourings; ++colouring)
                if (drawing.Needed[definition][colouring])
                    WriteDefinition(drawing, definition, static_cast<TColouring>(colouring));
    }

    void WriteDefinition(const TSvgDrawing& drawing, std::size_t definition, TColouring colouring)
    {
        const TEntBlockDef& list = drawing.Doc.BlockDefList[definition];
        Svg << "<g id=\"";
        WriteDefinitionId(drawing, definition, colouring);
        Svg << "\">";
        for (const TEntRef& ref : list.EntityOrder) {
            if (ref.Kind != KindBlock) {
                Scene.Clear();
                AddShapes(list, ref, {Scene, {}, {}});
                WriteShapes(drawing.Style, colouring);
            } else if (BaseOf(list, ref)) {
                const auto insertion = static_cast<std::size_t>(ref.Index);
                WriteUse(drawing, drawing.Renderer.Blocks().ChildOf(definition, insertion),
                         list.BlockList[insertion], colouring);
            }
        }
        Svg << "</g>\n";
    }

    void WriteShapes(const TDrawingStyle& style, TColouring colouring)
    {
        for (const TPrimitive& primitive : Scene.Primitives)
            WritePrimitive(primitive, StrokeOf(style, primitive, Frame.PixelsPerUnit, ColourOf(colouring)));
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

    const TPictureOptions& Options;
    TSvgOut Svg;
    TSvgDrawing Now;
    std::optional<TSvgDrawing> Was;  // the earlier drawing of a picture of a change
    const TPictureFrame Frame;
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
