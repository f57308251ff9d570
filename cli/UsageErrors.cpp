#include "cli/UsageErrors.h"

#include <CLI/CLI.hpp>

#include <array>
#include <regex>

#include "cli/CliText.h"

namespace {

using TMatch = std::smatch;

struct TParserMessage {
    std::regex Form;
    std::string (*Text)(const TMatch& match);
};

// The parser's messages, as its version writes them; one that none of these describes is
// told as it stands, inside a sentence of ours.
const std::array<TParserMessage, 7>& ParserMessages()
{
    static const std::array<TParserMessage, 7> messages{{
        {std::regex("(.+) is required"),
         [](const TMatch& m) { return CliText<"UsageRequired">(m.str(1)); }},
        {std::regex("The following arguments? (?:was|were) not expected: (.+)"),
         [](const TMatch& m) { return CliText<"UsageNotExpected">(m.str(1)); }},
        {std::regex("(.+): (.*) not in (\\{.*\\})"),
         [](const TMatch& m) { return CliText<"UsageNotAChoice">(m.str(1), m.str(2), m.str(3)); }},
        {std::regex("(.+): Value (.*) not in range (.+) to (.+)"),
         [](const TMatch& m) {
             return CliText<"UsageOutOfRange">(m.str(1), m.str(2), m.str(3), m.str(4));
         }},
        {std::regex("(.+): [0-9]+ required \\S+ missing"),
         [](const TMatch& m) { return CliText<"UsageValueMissing">(m.str(1)); }},
        {std::regex("(.+): At Most [0-9]+ required but received [0-9]+"),
         [](const TMatch& m) { return CliText<"UsageGivenTwice">(m.str(1)); }},
        {std::regex("Could not convert: (.+) = (.*)"),
         [](const TMatch& m) { return CliText<"UsageNotConvertible">(m.str(1), m.str(2)); }},
    }};
    return messages;
}

std::string SubcommandNames(const CLI::App& app)
{
    std::string names;
    for (const CLI::App* command : app.get_subcommands({}))
        names += (names.empty() ? "" : ", ") + command->get_name();
    return names;
}

}  // namespace

std::string UsageErrorText(const CLI::Error& error, const CLI::App& app)
{
    const std::string message = error.what();
    if (message == "A subcommand is required") {
        const std::vector<std::string> stray = app.remaining();
        if (stray.empty())
            return CliText<"UsageSubcommandMissing">(SubcommandNames(app));
        if (stray.front().starts_with('-'))
            return CliText<"UsageNotExpected">(stray.front());
        return CliText<"UsageNoSuchSubcommand">(stray.front(), SubcommandNames(app));
    }
    for (const TParserMessage& known : ParserMessages()) {
        TMatch match;
        if (std::regex_match(message, match, known.Form))
            return known.Text(match);
    }
    return CliText<"UsageOther">(message);
}
