#include "cli/HelpTexts.h"

#include <CLI/CLI.hpp>

#include <regex>

#include "cli/CliText.h"
#include "cli/TextEncoding.h"

namespace {

// The parser's own layout, with the columns counted as a terminal shows them, so that an
// option named in Japanese lines up with the others.
class THelpFormatter : public CLI::Formatter {
public:
    std::string make_option(const CLI::Option* option, bool isPositional) const override
    {
        const std::string name =
            "  " + make_option_name(option, isPositional) + make_option_opts(option);
        const std::string description = make_option_desc(option);
        std::string line = name;
        const std::size_t width = TerminalWidth(name);
        if (!description.empty()) {
            const std::string indent(column_width_, ' ');
            line += width >= column_width_ ? "\n" + indent
                                           : std::string(column_width_ - width, ' ');
            for (const char c : description)
                line += c == '\n' ? "\n" + indent : std::string(1, c);
        }
        return line + "\n";
    }
};

std::string ValueKindWord(const std::string& kind)
{
    if (kind == "TEXT")
        return CliText<"HelpText">();
    if (kind == "INT" || kind == "UINT")
        return CliText<"HelpWholeNumber">();
    return kind;
}

// The parser names an option's value as its kind and what its check admits, "UINT:UINT in
// [1 - 1024]" or "TEXT:{csv,json}"; the help shows what the check admits, or else the kind.
std::string ValueKindText(const std::string& typeName)
{
    const std::size_t colon = typeName.find(':');
    const std::string word = ValueKindWord(typeName.substr(0, colon));
    if (colon == std::string::npos)
        return word;
    const std::string check = typeName.substr(colon + 1);
    static const std::regex range("\\w+ in \\[(.+) - (.+)\\]");
    std::smatch match;
    if (std::regex_match(check, match, range))
        return CliText<"HelpRange">(word, match.str(1), match.str(2));
    return check;
}

}  // namespace

void PrepareHelp(CLI::App& app)
{
    app.formatter(std::make_shared<THelpFormatter>());
    CLI::FormatterBase& formatter = *app.get_formatter();
    formatter.label("Usage", CliText<"HelpUsage">());
    formatter.label("OPTIONS", CliText<"HelpOptionsBadge">());
    formatter.label("SUBCOMMAND", CliText<"HelpSubcommandBadge">());
    formatter.label("Positionals", CliText<"HelpPositionals">());
    formatter.label("REQUIRED", CliText<"HelpRequired">());
    app.option_defaults()->group(CliText<"HelpOptions">());
    app.set_help_flag("-h,--help", CliText<"HelpFlag">());
    app.group(CliText<"HelpSubcommands">());
}

void FinishHelp(CLI::App& app)
{
    CLI::FormatterBase& formatter = *app.get_formatter();
    for (CLI::App* command : app.get_subcommands({})) {
        // A subcommand makes its help flag before it takes over the options' group.
        command->get_help_ptr()->group(CliText<"HelpOptions">());
        for (const CLI::Option* option : command->get_options())
            formatter.label(option->get_type_name(), ValueKindText(option->get_type_name()));
    }
}
