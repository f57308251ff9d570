// zelvane-cli info FILE: what a drawing holds, for a person or, with --json, for a script.
#include <CLI/CLI.hpp>

#include <nlohmann/json.hpp>

#include <array>
#include <memory>

#include "cli/CliCommands.h"
#include "cli/DrawingLoad.h"
#include "cli/ReportNames.h"
#include "cli/TextEncoding.h"
#include "tables/TableMessages.h"

namespace {

constexpr std::string_view InfoNotes = R"(Reports the format version, the memo, the string form, the objects of each kind in the
drawing and inside its block definitions, the block definitions, the embedded images with
their sizes, and whether the whole file could be read (bytes after the last section are not,
and a saved copy would lack them). Text of the drawing is shown as
UTF-8; a byte that belongs to no code page 932 character is shown as \xNN. Drawings of any
version from 2.20 on are reported, also those the window does not open.
Exit status: 0 read completely, 1 not a drawing or not read completely (what could be read is
still reported), 2 usage.
)";

struct TInfoArguments {
    std::string Input;
    bool Json = false;
};

// Objects per kind, in the order of the kind codes.
using TKindCounts = std::array<std::size_t, 7>;

TKindCounts CountsOf(const TEntityCollections& list)
{
    return {list.SenList.size(),   list.EnkoList.size(),  list.TenList.size(),
            list.MojiList.size(),  list.SunpoList.size(), list.SolidList.size(),
            list.BlockList.size()};
}

// The objects of every block definition together.
TKindCounts BlockDefinitionCounts(const TJwwDocument& doc)
{
    TKindCounts total{};
    for (const TEntBlockDef& blockDef : doc.BlockDefList) {
        const TKindCounts counts = CountsOf(blockDef);
        for (std::size_t k = 0; k < total.size(); ++k)
            total[k] += counts[k];
    }
    return total;
}

struct TDrawingInfo {
    std::string Path;
    bool Complete = false;
    std::string Failure;
};

void WriteJson(const TDrawingInfo& info, const TJwwDocument& doc, std::ostream& out)
{
    nlohmann::ordered_json json;
    json["file"] = info.Path;
    json["version"] = doc.Header.Version;
    json["complete"] = info.Complete;
    if (!info.Complete)
        json["failure"] = info.Failure;
    json["trailingBytes"] = doc.TrailingBytes;
    json["memo"] = ReadableText(doc.Header.Memo);
    json["stringForm"] = StringFormName(doc.StringForm);
    json["charactersReplaced"] = doc.LossyStrings;
    const auto counts = [](const TKindCounts& kindCounts) {
        nlohmann::ordered_json object = nlohmann::ordered_json::object();
        for (std::size_t k = 0; k < ObjectKindNames.size(); ++k)
            object[std::string(ObjectKindNames[k].CountKey)] = kindCounts[k];
        return object;
    };
    json["objects"] = counts(CountsOf(doc));
    json["blockDefinitions"] = doc.BlockDefList.size();
    json["blockDefinitionObjects"] = counts(BlockDefinitionCounts(doc));
    json["images"] = nlohmann::ordered_json::array();
    for (const TBindImageType& image : TempImageList)
        json["images"].push_back({{"name", ReadableText(image.FileName)}, {"bytes", image.ByteSize}});
    // A file name need not be UTF-8 on this system; it is shown with replacement characters.
    out << json.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << '\n';
}

std::string CountsText(const TKindCounts& counts)
{
    std::size_t total = 0;
    std::string parts;
    for (std::size_t k = 0; k < ObjectKindNames.size(); ++k) {
        total += counts[k];
        parts += (parts.empty() ? "" : ", ") + std::string(ObjectKindNames[k].Many) + " " +
                 std::to_string(counts[k]);
    }
    return std::to_string(total) + " (" + parts + ")";
}

void WriteText(const TDrawingInfo& info, const TJwwDocument& doc, std::ostream& out)
{
    out << "file: " << info.Path << '\n';
    out << "format version: " << doc.Header.Version << '\n';
    out << "loaded completely: " << (info.Complete ? "yes" : "no (" + info.Failure + ")") << '\n';
    out << "memo: " << OneLine(ReadableText(doc.Header.Memo)) << '\n';
    out << "string form: " << StringFormName(doc.StringForm) << '\n';
    if (doc.LossyStrings)
        out << "characters replaced: yes (characters that code page 932 cannot hold became ?)\n";
    out << "objects: " << CountsText(CountsOf(doc)) << '\n';
    out << "block definitions: " << doc.BlockDefList.size() << '\n';
    out << "objects in block definitions: " << CountsText(BlockDefinitionCounts(doc)) << '\n';
    out << "embedded images: " << TempImageList.size() << '\n';
    for (const TBindImageType& image : TempImageList)
        out << "  " << ReadableText(image.FileName) << ": " << image.ByteSize << " bytes\n";
}

int RunInfo(const TInfoArguments& arguments, std::ostream& out, std::ostream& err)
{
    const auto fail = [&err](const std::string& message) {
        err << "zelvane-cli info: " << message << '\n';
        return ExitFailure;
    };
    try {
        const std::string& path = arguments.Input;
        if (const std::string missing = MissingFileRefusal(path); !missing.empty())
            return fail(missing);
        if (!IsJwwFile(path))
            return fail(path + ": " + WindowText(MsgNotJwwFile));
        const auto doc = std::make_unique<TJwwDocument>();
        if (!ReadJwwHeader(*doc, path))
            return fail(path + ": " + WindowText(MsgHeaderUnreadable));
        const TImageListOnly images;
        TDrawingInfo info{path, false, {}};
        info.Complete = LoadJww(*doc, path, &info.Failure);
        // The sections were read, but not the whole file: a save would be shorter.
        if (info.Complete && doc->TrailingBytes > 0) {
            info.Complete = false;
            info.Failure = TrailingBytesText(*doc);
        }
        if (arguments.Json)
            WriteJson(info, *doc, out);
        else
            WriteText(info, *doc, out);
        if (!info.Complete)
            return fail(path + ": the drawing could not be read completely (" + info.Failure + ")");
    } catch (const std::exception& e) {
        return fail(e.what());
    }
    return ExitSuccess;
}

}  // namespace

TCliAction DefineInfoCommand(CLI::App& command)
{
    const auto arguments = std::make_shared<TInfoArguments>();
    command.add_option("FILE", arguments->Input, "The drawing to read")->required();
    command.add_flag("--json", arguments->Json, "Report as a JSON object");
    command.footer(std::string(InfoNotes));
    return [arguments](std::ostream& out, std::ostream& err) {
        return RunInfo(*arguments, out, err);
    };
}
