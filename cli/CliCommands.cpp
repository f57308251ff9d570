#include "cli/CliCommands.h"

#include <CLI/CLI.hpp>

#include <array>
#include <string>
#include <vector>

std::span<const TCliCommand> CliCommands()
{
    static constexpr std::array Commands{
        TCliCommand{"copy", "Load a drawing and save it to a new file in its own format version",
                    DefineCopyCommand},
        TCliCommand{"info", "Report what a drawing holds", DefineInfoCommand},
        TCliCommand{"export", "Write the four tables of a drawing as CSV or JSON",
                    DefineExportCommand},
        TCliCommand{"import", "Apply edited tables to a drawing and save it to a new file",
                    DefineImportCommand},
        TCliCommand{"convert", "Save a drawing to a new file in another format version",
                    DefineConvertCommand},
        TCliCommand{"render", "Draw a drawing as an SVG or PNG picture", DefineRenderCommand},
        TCliCommand{"apply", "Apply edited tables to many drawings, writing each to a folder",
                    DefineApplyCommand},
        TCliCommand{"diff", "Tell what changed between two drawings", DefineDiffCommand},
    };
    return Commands;
}

void AddForceFlag(CLI::App& command, bool& force)
{
    command.add_flag("--force", force, "Replace OUT when it exists; without it OUT must be new");
}

int RunZelvaneCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err)
{
    CLI::App app{"Reads and writes Jw_cad for Windows drawings (.jww).", "zelvane-cli"};
    app.require_subcommand(1);
    // A Windows path such as /data/a.jww is a file, never an option; the subcommands inherit this.
    app.allow_windows_style_options(false);

    struct TDefined {
        CLI::App* Parser;
        TCliAction Action;
    };
    std::vector<TDefined> defined;
    for (const TCliCommand& command : CliCommands()) {
        CLI::App* parser = app.add_subcommand(std::string(command.Name), std::string(command.Summary));
        defined.push_back({parser, command.Define(*parser)});
    }

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // A request for help prints it and succeeds; anything else is a usage error.
        return app.exit(e, out, err) == 0 ? ExitSuccess : ExitUsage;
    }
    for (const TDefined& command : defined) {
        if (command.Parser->parsed())
            return command.Action(out, err);
    }
    return ExitUsage;
}
