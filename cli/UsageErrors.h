// What zelvane-cli says of a command line its parser refused, in the user's language.
#pragma once

#include <string>

namespace CLI {
class App;
class Error;
}  // namespace CLI

// The reason the command line was refused, in a sentence of the catalogue: the parser's own
// message is read for the option and the values it names. app is the program's parser.
std::string UsageErrorText(const CLI::Error& error, const CLI::App& app);
