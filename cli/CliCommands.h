// The subcommands of zelvane-cli. Each one lives in a file of its own and is listed once in
// the table of CliCommands.cpp, which is all a new subcommand has to touch.
#pragma once

#include <functional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>

#include "cli/CliText.h"

namespace CLI {
class App;
}

// Exit codes of zelvane-cli.
constexpr int ExitSuccess = 0;
constexpr int ExitFailure = 1;
constexpr int ExitUsage = 2;

// Runs a subcommand whose arguments were parsed; returns its exit code.
using TCliAction = std::function<int(std::ostream& out, std::ostream& err)>;

struct TCliCommand {
    std::string_view Name;
    // The line the program's help shows for it, in the user's language.
    std::string (*Summary)();
    // Declares the subcommand's arguments on its parser and returns the action that runs it
    // with the values the parser fills in.
    TCliAction (*Define)(CLI::App& command);
};

std::span<const TCliCommand> CliCommands();

// The --force flag of a subcommand that writes a new file, which lets it replace one that exists.
void AddForceFlag(CLI::App& command, bool& force);

// Parses the command line and runs the subcommand it names, telling what it has to tell in the
// language given.
int RunZelvaneCli(int argc, const char* const* argv, std::ostream& out, std::ostream& err,
                  TLanguage language = TLanguage::English);

TCliAction DefineCopyCommand(CLI::App& command);
TCliAction DefineInfoCommand(CLI::App& command);
TCliAction DefineExportCommand(CLI::App& command);
TCliAction DefineImportCommand(CLI::App& command);
TCliAction DefineConvertCommand(CLI::App& command);
TCliAction DefineRenderCommand(CLI::App& command);
TCliAction DefineApplyCommand(CLI::App& command);
TCliAction DefineDiffCommand(CLI::App& command);
