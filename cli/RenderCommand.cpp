// zelvane-cli render FILE -o OUT.svg|OUT.png: a picture of the drawing, for looking at what its
// layers, colours and line types hold.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <cctype>
#include <memory>
#include <optional>
#include <ostream>
#include <streambuf>

#include "cli/AtomicFile.h"
#include "cli/CliCommands.h"
#include "cli/CliText.h"
#include "cli/DrawingLoad.h"
#include "cli/PngPicture.h"
#include "compare/ChangeMarksOf.h"
#include "render/RenderFilter.h"
#include "render/SvgWriter.h"

namespace {

struct TRenderArguments {
    std::string Input;
    std::string Output;
    std::string Compare;  // the earlier drawing of a picture of a change
    std::string Layer;
    std::string Group;
    int Color = -1;
    int LineType = -1;
    bool AllLayers = false;
    bool Force = false;
};

enum class TPictureFormat { Svg, Png };

// Text written into a new file beside a picture in pieces, so that the SVG of a large drawing
// never waits in memory whole. Failures to write are raised by the stream.
class TSiblingBuffer : public std::streambuf {
public:
    explicit TSiblingBuffer(TTempSibling& file) : File(file)
    {
        setp(Piece.data(), Piece.data() + Piece.size());
    }

protected:
    int_type overflow(int_type c) override
    {
        Drain();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }

    int sync() override
    {
        Drain();
        return 0;
    }

private:
    void Drain()
    {
        File.Write({pbase(), static_cast<std::size_t>(pptr() - pbase())});
        setp(Piece.data(), Piece.data() + Piece.size());
    }

    static constexpr std::size_t PieceBytes = 1 << 20;
    TTempSibling& File;
    std::array<char, PieceBytes> Piece;
};

std::optional<TPictureFormat> FormatOf(const std::string& path)
{
    const auto endsWith = [&path](std::string_view suffix) {
        if (path.size() < suffix.size())
            return false;
        const std::string tail = path.substr(path.size() - suffix.size());
        return std::equal(tail.begin(), tail.end(), suffix.begin(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) == b;
        });
    };
    if (endsWith(".svg"))
        return TPictureFormat::Svg;
    if (endsWith(".png"))
        return TPictureFormat::Png;
    return std::nullopt;
}

// The picture the options ask for, or nothing with the reason in whyNot.
std::optional<TPictureOptions> PictureOf(const TRenderArguments& arguments, std::string& whyNot)
{
    if (!arguments.Compare.empty() && (!arguments.Layer.empty() || !arguments.Group.empty() ||
                                       arguments.Color >= 0 || arguments.LineType >= 0)) {
        whyNot = CliText<"RenderCompareAlone">();
        return std::nullopt;
    }
    TRenderFilter filter;
    if (!arguments.Layer.empty() && !ParseLayerName(arguments.Layer, filter)) {
        whyNot = CliText<"RenderLayerForm">();
        return std::nullopt;
    }
    if (!arguments.Group.empty()) {
        TRenderFilter group;
        if (!ParseLayerName(arguments.Group + "-0", group) ||
            (filter.LayerGroup && filter.LayerGroup != group.LayerGroup)) {
            whyNot = CliText<"RenderGroupForm">();
            return std::nullopt;
        }
        filter.LayerGroup = group.LayerGroup;
    }
    if (arguments.Color >= 0)
        filter.PenColor = static_cast<uint16_t>(arguments.Color);
    if (arguments.LineType >= 0)
        filter.PenStyle = static_cast<uint8_t>(arguments.LineType);
    return TPictureOptions{filter, arguments.AllLayers};
}

int RunRender(const TRenderArguments& arguments, std::ostream& err)
{
    const auto fail = [&err](int code, const std::string& message) {
        err << "zelvane-cli render: " << message << '\n';
        return code;
    };
    const std::optional<TPictureFormat> format = FormatOf(arguments.Output);
    if (!format)
        return fail(ExitUsage, CliText<"RenderNeedsKind">(arguments.Output));
    std::string whyNot;
    const std::optional<TPictureOptions> picture = PictureOf(arguments, whyNot);
    if (!picture)
        return fail(ExitUsage, whyNot);
    if (IsSameFile(arguments.Input, arguments.Output) ||
        (!arguments.Compare.empty() && IsSameFile(arguments.Compare, arguments.Output)))
        return fail(ExitFailure, CliText<"RenderIsInput">(arguments.Output));
    if (const std::string refusal = ExistingOutputRefusal(arguments.Output, arguments.Force);
        !refusal.empty())
        return fail(ExitFailure, CliText<"NothingWritten">(refusal));

    try {
        const auto doc = std::make_unique<TJwwDocument>();
        const auto old = std::make_unique<TJwwDocument>();
        const TImageListOnly images;
        if (!LoadWholeDrawing(*doc, arguments.Input, whyNot))
            return fail(ExitFailure, whyNot);
        TPictureOptions options = *picture;
        if (!arguments.Compare.empty()) {
            if (!LoadWholeDrawing(*old, arguments.Compare, whyNot))
                return fail(ExitFailure, whyNot);
            options.Changes = ChangeMarksOf(*old, *doc);
        }
        try {
            if (*format == TPictureFormat::Png) {
                WriteFileAtomically(arguments.Output,
                                    PngPicture(*doc, options, PictureLongerSide),
                                    arguments.Force);
            } else {
                TTempSibling file(arguments.Output);
                const auto buffer = std::make_unique<TSiblingBuffer>(file);
                std::ostream svg(buffer.get());
                svg.exceptions(std::ios::badbit);
                WriteSvg(*doc, options, svg);
                svg.flush();
                file.CommitAs(arguments.Output, arguments.Force);
            }
        } catch (const std::exception& e) {
            return fail(ExitFailure, CliText<"OutputNotWritten">(arguments.Output, e.what()));
        }
    } catch (const std::exception& e) {
        return fail(ExitFailure, e.what());
    }
    return ExitSuccess;
}

}  // namespace

TCliAction DefineRenderCommand(CLI::App& command)
{
    const auto arguments = std::make_shared<TRenderArguments>();
    command.add_option("FILE", arguments->Input, CliText<"RenderInput">())->required();
    command.add_option("-o,--output", arguments->Output, CliText<"RenderOutputOption">())
        ->required();
    AddForceFlag(command, arguments->Force);
    command.add_option("--layer", arguments->Layer, CliText<"RenderLayerOption">());
    command.add_option("--group", arguments->Group, CliText<"RenderGroupOption">());
    command.add_option("--color", arguments->Color, CliText<"RenderColorOption">())
        ->check(CLI::Range(0, 0xFFFF));
    command.add_option("--linetype", arguments->LineType, CliText<"RenderLineTypeOption">())
        ->check(CLI::Range(0, 0xFF));
    command.add_option("--compare", arguments->Compare, CliText<"RenderCompareOption">());
    command.add_flag("--all-layers", arguments->AllLayers, CliText<"RenderAllLayersOption">());
    command.footer(CliText<"RenderNotes">());
    return [arguments](std::ostream&, std::ostream& err) { return RunRender(*arguments, err); };
}
