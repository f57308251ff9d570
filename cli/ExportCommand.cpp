// zelvane-cli export FILE: the four tables of a drawing as CSV or JSON.
#include <CLI/CLI.hpp>

#include <memory>

#include "cli/AtomicFile.h"
#include "cli/CliCommands.h"
#include "cli/DrawingLoad.h"
#include "cli/TableExport.h"

namespace {

constexpr std::string_view ExportLayout = R"(Layout:
  CSV of one table: a header row of the window's column headers, "No." first, then one row
  per entry (groups 0-15, layers 0-255, colors 1-256, linetypes 1-32) with the window's texts
  and element counts. The colour swatch columns, which hold no text, are left out.
  CSV of all tables: a first column "table" naming each row's table, then "No." and the
  columns of all four tables, each header once:
    table,No.,<group name>,<element count>,<layer name>,<colour columns>,<line-type columns>
  A row fills the columns of its own table and leaves the others empty.
  CSV is RFC 4180 with CR LF line ends; UTF-8 starts with a byte-order mark, cp932 has none.
  A cell that a spreadsheet would run as a formula (one starting with =, +, -, @, a tab or a
  carriage return, unless it is a plain number) starts with an apostrophe, which import takes
  off again.
  JSON (always UTF-8): {"groups": [...], "layers": [...], "colors": [...], "linetypes": [...]},
  each row an object with "no" and "count" as numbers and the other columns as the window's
  texts under the keys name, screenColor, screenWidth, printColor, printWidth, pointRadius,
  pattern, dotsPerUnit, screenPitch, printPitch, segmentCount, p0 ... p7.
Exit status: 0 written, 1 the drawing could not be read or the output not written, or the
output exists and --force was not given, 2 usage.
)";

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
        return fail(ExitUsage, "JSON is always UTF-8; --encoding cp932 applies to CSV only");
    if (!arguments.Output.empty() && IsSameFile(arguments.Input, arguments.Output))
        return fail(ExitFailure, arguments.Output + ": is the drawing being exported");
    if (const std::string refusal = ExistingOutputRefusal(arguments.Output, arguments.Force);
        !arguments.Output.empty() && !refusal.empty())
        return fail(ExitFailure, refusal + "; nothing was written");

    try {
        const auto doc = std::make_unique<TJwwDocument>();
        const TImageListOnly images;
        std::string whyNot;
        if (!LoadWholeDrawing(*doc, arguments.Input, whyNot))
            return fail(ExitFailure, whyNot);
        const std::string text = ExportTables(*doc, request);
        if (arguments.Output.empty()) {
            if (!(out << text << std::flush))
                return fail(ExitFailure, "standard output could not be written");
        } else
            WriteFileAtomically(arguments.Output, text, arguments.Force);
    } catch (const std::exception& e) {
        // A drawing that cannot be opened, a cell with no UTF-8 form, an output not written.
        return fail(ExitFailure, e.what());
    }
    return ExitSuccess;
}

}  // namespace

TCliAction DefineExportCommand(CLI::App& command)
{
    const auto arguments = std::make_shared<TExportArguments>();
    command.add_option("FILE", arguments->Input, "The drawing to read")->required();
    command.add_option("--table", arguments->Table, "The table to export")
        ->check(CLI::IsMember({"groups", "layers", "colors", "linetypes", "all"}))
        ->capture_default_str();
    command.add_option("--format", arguments->Format, "csv or json")
        ->check(CLI::IsMember({"csv", "json"}))
        ->capture_default_str();
    command.add_option("--encoding", arguments->Encoding, "Encoding of CSV text")
        ->check(CLI::IsMember({"utf-8", "cp932"}))
        ->capture_default_str();
    command.add_option("-o,--output", arguments->Output,
                       "The new file to write; standard output when absent");
    AddForceFlag(command, arguments->Force);
    command.footer(std::string(ExportLayout));
    return [arguments](std::ostream& out, std::ostream& err) {
        return RunExport(*arguments, out, err);
    };
}
