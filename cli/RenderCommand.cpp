// zelvane-cli render FILE -o OUT.svg|OUT.png: a picture of the drawing, for looking at what its
// layers, colours and line types hold, and with --edits at what an import of edits would make
// of them.
#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <memory>
#include <optional>

#include "cli/CliCommands.h"
#include "cli/CliText.h"
#include "cli/DrawingLoad.h"
#include "cli/EditsFile.h"
#include "cli/PictureFile.h"
#include "cli/TableImport.h"
#include "compare/ChangeMarksOf.h"
#include "render/RenderFilter.h"

namespace {

struct TRenderArguments {
    std::string Input;
    std::string Output;
    std::string Compare;  // the earlier drawing of a picture of a change
    std::string Layer;
    std::string Group;
    std::string Edits;
    std::string Encoding;
    int Color = -1;
    int LineType = -1;
    bool AllLayers = false;
    bool Force = false;
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
    const bool withEdits = !arguments.Edits.empty();
    if (withEdits && IsSameFile(arguments.Edits, arguments.Output))
        return fail(ExitFailure, CliText<"RenderIsEdits">(arguments.Output));
    if (const std::string refusal = ExistingOutputRefusal(arguments.Output, arguments.Force);
        !refusal.empty())
        return fail(ExitFailure, CliText<"NothingWritten">(refusal));

    try {
        std::optional<std::vector<TCellEdit>> edits;
        if (withEdits) {
            int refusalCode = ExitFailure;
            edits = ReadEditsFile(arguments.Edits, arguments.Encoding, refusalCode, whyNot);
            if (!edits)
                return fail(refusalCode, whyNot);
        }
        const auto doc = std::make_unique<TJwwDocument>();
        const auto old = std::make_unique<TJwwDocument>();
        const TImageListOnly images;
        if (!LoadWholeDrawing(*doc, arguments.Input, whyNot))
            return fail(ExitFailure, whyNot);
        // The drawing in memory becomes what an import of the edits would write; it is drawn,
        // never saved.
        if (edits)
            for (const std::string& change : ApplyTableEdits(*edits, *doc))
                err << "zelvane-cli render: " << arguments.Edits << ": " << change << '\n';
        TPictureOptions options = *picture;
        if (!arguments.Compare.empty()) {
            if (!LoadWholeDrawing(*old, arguments.Compare, whyNot))
                return fail(ExitFailure, whyNot);
            options.Changes = ChangeMarksOf(*old, *doc);
        }
        try {
            TTempSibling file(arguments.Output);
            WritePicture(*doc, options, *format, file);
            file.CommitAs(arguments.Output, arguments.Force);
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
    CLI::Option* edits =
        command.add_option("--edits", arguments->Edits, CliText<"RenderEditsOption">());
    command.add_option("--encoding", arguments->Encoding, CliText<"EditsEncodingOption">())
        ->check(CLI::IsMember({"utf-8", "cp932"}))
        ->needs(edits);
    command.footer(CliText<"RenderNotes">());
    return [arguments](std::ostream&, std::ostream& err) { return RunRender(*arguments, err); };
}
