// What zelvane-cli tells a person, in the language of the user's desktop: every text comes from
// the catalogue of CliMessages.h, looked up by its name when the program is built, so that a
// name without an entry, or a call with another number of values than the text has places for,
// does not compile. Texts are UTF-8; machine-read output (CSV, JSON, SVG, exit codes) never
// passes through here.
#pragma once

#include <algorithm>
#include <array>
#include <concepts>
#include <cstddef>
#include <string>
#include <string_view>

#include "cli/CliMessages.h"

enum class TLanguage { English, Japanese };

// The language the texts are given in, English until it is set; set it before any thread that
// tells something starts.
TLanguage CliLanguage();
void SetCliLanguage(TLanguage language);

// The place for the value n in a text is written {n}, n a single digit; any other brace is text.
constexpr bool IsPlaceholderAt(std::string_view text, std::size_t i)
{
    return i + 2 < text.size() && text[i] == '{' && text[i + 1] >= '0' && text[i + 1] <= '9' &&
           text[i + 2] == '}';
}

// One more than the highest value a text has a place for.
constexpr std::size_t PlaceholderCount(std::string_view text)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (IsPlaceholderAt(text, i))
            count = std::max(count, static_cast<std::size_t>(text[i + 1] - '0') + 1);
    return count;
}

// The text with its places filled in.
std::string FilledText(std::string_view text, const std::string* values, std::size_t count);

// A message's name as a template argument.
template <std::size_t N>
struct TCliMessageName {
    consteval TCliMessageName(const char (&name)[N]) { std::copy_n(name, N, Text); }
    constexpr std::string_view View() const { return {Text, N - 1}; }
    char Text[N]{};
};

consteval const TCliMessage& CliMessageNamed(std::string_view name)
{
    for (const TCliMessage& message : CliMessages)
        if (message.Name == name)
            return message;
    // Not a constant expression: the build stops at the call that names no message.
    throw "no message of this name in the catalogue of CliMessages.h";
}

inline std::string CliValueText(std::string_view text)
{
    return std::string(text);
}

template <std::integral TNumber>
std::string CliValueText(TNumber n)
{
    return std::to_string(n);
}

// The message Name in the given language with its places filled with the values, which are
// texts or whole numbers. A message with an English text for one counts by its first value.
template <TCliMessageName Name, class... TValues>
std::string CliTextIn(TLanguage language, const TValues&... values)
{
    constexpr const TCliMessage& message = CliMessageNamed(Name.View());
    static_assert(PlaceholderCount(message.English) == sizeof...(TValues),
                  "the message has places for another number of values");
    const std::array<std::string, sizeof...(TValues)> texts{CliValueText(values)...};
    std::string_view text = language == TLanguage::Japanese ? message.Japanese : message.English;
    if constexpr (!message.EnglishOne.empty()) {
        static_assert(sizeof...(TValues) > 0, "a message for one counts by its first value");
        if (language == TLanguage::English && texts.front() == "1")
            text = message.EnglishOne;
    }
    return FilledText(text, texts.data(), texts.size());
}

template <TCliMessageName Name, class... TValues>
std::string CliText(const TValues&... values)
{
    return CliTextIn<Name>(CliLanguage(), values...);
}
