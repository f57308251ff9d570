// zelvane-cli import FILE EDITS OUT: applies edited tables to a drawing and saves it anew.
#include <CLI/CLI.hpp>

#include <memory>

#include "cli/CliCommands.h"
#include "cli/DrawingLoad.h"
#include "cli/EditsFile.h"
#include "cli/TableImport.h"
#include "jww/private_image_folder.h"

namespace {

constexpr std::string_view ImportRules = R"(Edits:
  EDITS has the form that export writes: CSV of one table, CSV of several tables with a first
  column "table", or JSON. Any subset of rows and columns may be given; the "No." column (in
  JSON "no") is required, element counts are ignored. Rows and columns that are absent keep
  the drawing's values as loaded.
  JSON is always UTF-8. CSV is UTF-8 when --encoding says so or it starts with a byte-order
  mark; without either it is UTF-8 when it is valid UTF-8 and code page 932 otherwise.
  The apostrophe that export puts before a CSV cell a spreadsheet would run as a formula is
  taken off again.
  Every given cell passes the rule of its column in the window's save, unchanged or not:
  names are cut to 256 bytes, colours are clamped to 0-16777215, widths, dots per unit and
  pitches to 0-1000, point radius and P0-P7 to 0-1000, the segment count to 0-8 and raised to
  even. The segment count is stored only when its text differs from the stored count; a
  pitch beyond it is stored as 0, and a given segment count sets the pitches beyond it to 0.
  A value changed by a rule is reported on standard error.
  Refused, with nothing written: a character that code page 932 cannot hold, a number cell
  that holds no number, a pattern other than 1 to 8 hexadecimal digits, a row outside its
  table or given twice, an unknown table or column, malformed CSV or JSON.
Exit status: 0 saved, 1 a file could not be read or saved, OUT is FILE or EDITS, or OUT
exists and --force was not given, 2 usage or unusable EDITS.
)";

struct TImportArguments {
    std::string Input;
    std::string Edits;
    std::string Output;
    std::string Encoding;
    bool AllowLoss = false;
    bool Force = false;
};

int RunImport(const TImportArguments& arguments, std::ostream& err)
{
    const auto fail = [&err](int code, const std::string& message) {
        err << "zelvane-cli import: " << message << '\n';
        return code;
    };
    if (IsSameFile(arguments.Input, arguments.Output))
        return fail(ExitFailure, arguments.Output + ": is the input file; the import needs a new file");
    if (IsSameFile(arguments.Edits, arguments.Output))
        return fail(ExitFailure, arguments.Output + ": is the edits file; the import needs a new file");
    if (const std::string refusal = ExistingOutputRefusal(arguments.Output, arguments.Force);
        !refusal.empty())
        return fail(ExitFailure, refusal + "; nothing was written");

    try {
        std::vector<TCellEdit> edits;
        const std::string content = ReadWholeFile(arguments.Edits);
        try {
            edits = ReadTableEdits(content, EncodingNamed(arguments.Encoding));
        } catch (const ETableTextError& e) {
            return fail(ExitUsage, arguments.Edits + ": " + e.what() + "; nothing was written");
        }

        const auto doc = std::make_unique<TJwwDocument>();
        const TPrivateImageFolder imageFolder;
        std::string whyNot;
        if (!LoadWholeDrawing(*doc, arguments.Input, whyNot))
            return fail(ExitFailure, whyNot + "; nothing was written");
        if (!AcceptWhatASaveLoses(*doc, arguments.Input, arguments.AllowLoss, "import", err,
                                  whyNot))
            return fail(ExitFailure, whyNot + "; nothing was written");
        for (const std::string& change : ApplyTableEdits(edits, *doc))
            err << "zelvane-cli import: " << arguments.Edits << ": " << change << '\n';
        if (!SaveWholeDrawing(*doc, arguments.Output, doc->Header.Version, whyNot, arguments.Force))
            return fail(ExitFailure, whyNot);
    } catch (const std::exception& e) {
        // An edits file or a drawing that cannot be opened, or no temp image folder.
        return fail(ExitFailure, e.what());
    }
    return ExitSuccess;
}

}  // namespace

TCliAction DefineImportCommand(CLI::App& command)
{
    const auto arguments = std::make_shared<TImportArguments>();
    command.add_option("FILE", arguments->Input, "The drawing to read")->required();
    command.add_option("EDITS", arguments->Edits, "The edited tables, CSV or JSON")->required();
    command.add_option("OUT", arguments->Output, "The new drawing to write")->required();
    command.add_option("--encoding", arguments->Encoding, "Encoding of CSV edits")
        ->check(CLI::IsMember({"utf-8", "cp932"}));
    AddAllowLossFlag(command, arguments->AllowLoss);
    AddForceFlag(command, arguments->Force);
    command.footer(std::string(ImportRules));
    return [arguments](std::ostream&, std::ostream& err) { return RunImport(*arguments, err); };
}
