// The help of zelvane-cli and its subcommands in the user's language: the parser's own words
// (usage, options, required, the kinds of values) are taken from the catalogue.
#pragma once

namespace CLI {
class App;
}

// Before any subcommand is added, which takes these over from the program's parser.
void PrepareHelp(CLI::App& app);

// Once every subcommand and option is defined.
void FinishHelp(CLI::App& app);
