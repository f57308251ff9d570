// zelvane-cli info FILE: what a drawing holds, for a person or, with --json, for a script.
#include <CLI/CLI.hpp>

#include <nlohmann/json.hpp>

#include <array>
#include <memory>
#include <numeric>

#include "cli/CliCommands.h"
#include "cli/CliText.h"
#include "cli/DrawingLoad.h"
#include "cli/ReportNames.h"
#include "cli/TextEncoding.h"

namespace {

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
    // Why not: as the JSON report gives it, the same in every language, and as a person reads it.
    std::string Failure;
    std::string ShownFailure;
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

std::string CountsText(const TKindCounts& c)
{
    const std::array<std::string, 7> kinds{
        CliText<"InfoLines">(c[0]),      CliText<"InfoArcs">(c[1]),
        CliText<"InfoPoints">(c[2]),     CliText<"InfoTexts">(c[3]),
        CliText<"InfoDimensions">(c[4]), CliText<"InfoSolids">(c[5]),
        CliText<"InfoBlockInsertions">(c[6])};
    std::string parts;
    for (const std::string& kind : kinds)
        parts += (parts.empty() ? "" : CliText<"ListSeparator">()) + kind;
    return CliText<"InParentheses">(std::accumulate(c.begin(), c.end(), std::size_t{0}), parts);
}

void WriteText(const TDrawingInfo& info, const TJwwDocument& doc, std::ostream& out)
{
    out << CliText<"InfoFile">(info.Path) << '\n';
    out << CliText<"InfoVersion">(doc.Header.Version) << '\n';
    out << (info.Complete ? CliText<"InfoComplete">()
                          : CliText<"InfoIncomplete">(info.ShownFailure))
        << '\n';
    out << CliText<"InfoMemo">(OneLine(ReadableText(doc.Header.Memo))) << '\n';
    out << CliText<"InfoStringForm">(StringFormName(doc.StringForm)) << '\n';
    if (doc.LossyStrings)
        out << CliText<"InfoCharactersReplaced">() << '\n';
    out << CliText<"InfoObjects">(CountsText(CountsOf(doc))) << '\n';
    out << CliText<"InfoBlockDefinitions">(doc.BlockDefList.size()) << '\n';
    out << CliText<"InfoBlockDefinitionObjects">(CountsText(BlockDefinitionCounts(doc))) << '\n';
    out << CliText<"InfoImages">(TempImageList.size()) << '\n';
    for (const TBindImageType& image : TempImageList)
        out << CliText<"InfoImage">(ReadableText(image.FileName), image.ByteSize) << '\n';
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
            return fail(CliText<"NotJwwFile">(path));
        const auto doc = std::make_unique<TJwwDocument>();
        if (!ReadJwwHeader(*doc, path))
            return fail(CliText<"HeaderUnreadable">(path));
        const TImageListOnly images;
        TDrawingInfo info{path, false, {}, {}};
        info.Complete = LoadJww(*doc, path, &info.Failure);
        info.ShownFailure = info.Failure;
        // The sections were read, but not the whole file: a save would be shorter.
        if (info.Complete && doc->TrailingBytes > 0) {
            info.Complete = false;
            info.Failure = CliTextIn<"TrailingBytes">(TLanguage::English, doc->TrailingBytes);
            info.ShownFailure = CliText<"TrailingBytes">(doc->TrailingBytes);
        }
        if (arguments.Json)
            WriteJson(info, *doc, out);
        else
            WriteText(info, *doc, out);
        if (!info.Complete)
            return fail(CliText<"NotReadCompletely">(path, info.ShownFailure));
    } catch (const std::exception& e) {
        return fail(e.what());
    }
    return ExitSuccess;
}

}  // namespace

TCliAction DefineInfoCommand(CLI::App& command)
{
    const auto arguments = std::make_shared<TInfoArguments>();
    command.add_option("FILE", arguments->Input, CliText<"DrawingToRead">())->required();
    command.add_flag("--json", arguments->Json, CliText<"InfoJsonFlag">());
    command.footer(CliText<"InfoNotes">());
    return [arguments](std::ostream& out, std::ostream& err) {
        return RunInfo(*arguments, out, err);
    };
}
