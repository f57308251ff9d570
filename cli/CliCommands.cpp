#include "cli/CliCommands.h"

#include <CLI/CLI.hpp>

#include <array>
#include <string>
#include <vector>

#include "cli/HelpTexts.h"
#include "cli/UsageErrors.h"

std::span<const TCliCommand> CliCommands()
{
    static constexpr std::array Commands{
        TCliCommand{"copy", CliText<"CopySummary">, DefineCopyCommand},
        TCliCommand{"info", CliText<"InfoSummary">, DefineInfoCommand},
        TCliCommand{"export", CliText<"ExportSummary">, DefineExportCommand},
        TCliCommand{"import", CliText<"ImportSummary">, DefineImportCommand},
        TCliCommand{"convert", CliText<"ConvertSummary">, DefineConvertCommand},
        TCliCommand{"render", CliText<"RenderSummary">, DefineRenderCommand},
        TCliCommand{"apply", CliText<"ApplySummary">, DefineApplyCommand},
        TCliCommand{"diff", CliText<"DiffSummary">, DefineDiffCommand},
    };
    return Commands;
}

void AddForceFlag(CLI::App& command, bool& force)
{
    command.add_flag("--force", force, CliText<"ForceFlag">());
}

int RunZelvaneCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                  TLanguage language)
{
    SetCliLanguage(language);
    CLI::App app{CliText<"ProgramDescription">(), "zelvane-cli"};
    app.require_subcommand(1);
    // A Windows path such as /data/a.jww is a file, never an option; the subcommands inherit this.
    app.allow_windows_style_options(false);
    PrepareHelp(app);

    struct TDefined {
        CLI::App* Parser;
        TCliAction Action;
    };
    std::vector<TDefined> defined;
    for (const TCliCommand& command : CliCommands()) {
        CLI::App* parser = app.add_subcommand(std::string(command.Name), command.Summary());
        defined.push_back({parser, command.Define(*parser)});
    }
    FinishHelp(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& e) {
        // A request for help prints it and succeeds; anything else is a usage error.
        if (e.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
            return app.exit(e, out, err) == 0 ? ExitSuccess : ExitUsage;
        std::string command = app.get_name();
        for (const TDefined& subcommand : defined)
            if (subcommand.Parser->parsed())
                command += " " + subcommand.Parser->get_name();
        err << CliText<"UsageError">(command, UsageErrorText(e, app)) << '\n';
        return ExitUsage;
    }
    for (const TDefined& command : defined) {
        if (command.Parser->parsed())
            return command.Action(out, err);
    }
    return ExitUsage;
}
