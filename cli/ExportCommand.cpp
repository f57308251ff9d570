// zelvane-cli export FILE: the four tables of a drawing as CSV or JSON.
#include <CLI/CLI.hpp>

#include <memory>

#include "cli/AtomicFile.h"
#include "cli/CliCommands.h"
#include "cli/CliText.h"
#include "cli/DrawingLoad.h"
#include "cli/TableExport.h"

namespace {

struct TExportArguments {
    std::string Input;
    std::string Table = "all";
    std::string Format = "csv";
    std::string Encoding = "utf-8";
    std::string Output;
    bool Force = false;
};

std::vector<TTableKind> RequestedTables(const std::string& name)
{
    if (const std::optional<TTableKind> kind = TableNamed(name))
        return {*kind};
    return {AllTables.begin(), AllTables.end()};
}

int RunExport(const TExportArguments& arguments, std::ostream& out, std::ostream& err)
{
    const auto fail = [&err](int code, const std::string& message) {
        err << "zelvane-cli export: " << message << '\n';
        return code;
    };
    TExportRequest request;
    request.Tables = RequestedTables(arguments.Table);
    request.Format = arguments.Format == "json" ? TTableFormat::Json : TTableFormat::Csv;
    request.Encoding = arguments.Encoding == "cp932" ? TTextEncoding::Cp932 : TTextEncoding::Utf8;
    if (request.Format == TTableFormat::Json && request.Encoding != TTextEncoding::Utf8)
        return fail(ExitUsage, CliText<"ExportJsonIsUtf8">());
    if (!arguments.Output.empty() && IsSameFile(arguments.Input, arguments.Output))
        return fail(ExitFailure, CliText<"ExportIsInput">(arguments.Output));
    if (const std::string refusal = ExistingOutputRefusal(arguments.Output, arguments.Force);
        !arguments.Output.empty() && !refusal.empty())
        return fail(ExitFailure, CliText<"NothingWritten">(refusal));

    try {
        const auto doc = std::make_unique<TJwwDocument>();
        const TImageListOnly images;
        std::string whyNot;
        if (!LoadWholeDrawing(*doc, arguments.Input, whyNot))
            return fail(ExitFailure, whyNot);
        const std::string text = ExportTables(*doc, request);
        if (arguments.Output.empty()) {
            if (!(out << text << std::flush))
                return fail(ExitFailure, CliText<"StandardOutputUnwritable">());
        } else {
            try {
                WriteFileAtomically(arguments.Output, text, arguments.Force);
            } catch (const std::exception& e) {
                return fail(ExitFailure, CliText<"OutputNotWritten">(arguments.Output, e.what()));
            }
        }
    } catch (const std::exception& e) {
        // A drawing that cannot be opened, or a cell with no UTF-8 form.
        return fail(ExitFailure, e.what());
    }
    return ExitSuccess;
}

}  // namespace

TCliAction DefineExportCommand(CLI::App& command)
{
    const auto arguments = std::make_shared<TExportArguments>();
    command.add_option("FILE", arguments->Input, CliText<"DrawingToRead">())->required();
    command.add_option("--table", arguments->Table, CliText<"ExportTableOption">())
        ->check(CLI::IsMember({"groups", "layers", "colors", "linetypes", "all"}))
        ->capture_default_str();
    command.add_option("--format", arguments->Format, CliText<"ExportFormatOption">())
        ->check(CLI::IsMember({"csv", "json"}))
        ->capture_default_str();
    command.add_option("--encoding", arguments->Encoding, CliText<"ExportEncodingOption">())
        ->check(CLI::IsMember({"utf-8", "cp932"}))
        ->capture_default_str();
    command.add_option("-o,--output", arguments->Output, CliText<"ExportOutputOption">());
    AddForceFlag(command, arguments->Force);
    command.footer(CliText<"ExportLayout">());
    return [arguments](std::ostream& out, std::ostream& err) {
        return RunExport(*arguments, out, err);
    };
}
