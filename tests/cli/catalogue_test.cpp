#include <gtest/gtest.h>

#include <set>
#include <span>
#include <string>
#include <vector>

#include "cli/CliText.h"
#include "cli/DrawingLoad.h"
#include "tables/TableMessages.h"

namespace {

// Whether the text holds a kana, a kanji or a full-width sign (U+3000 to U+9FFF, U+FF00 to
// U+FFEF), which an English text put in a Japanese one's place does not.
bool HoldsJapanese(std::string_view utf8)
{
    for (std::size_t i = 0; i + 2 < utf8.size(); ++i) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if ((lead >= 0xE3 && lead <= 0xE9) || lead == 0xEF)
            return true;
    }
    return false;
}

std::set<char> ValuesPlaced(std::string_view text)
{
    std::set<char> values;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (IsPlaceholderAt(text, i))
            values.insert(text[i + 1]);
    return values;
}

// What makes a catalogue unfit to speak from: a name given twice, a message without Japanese
// text, and texts of one message that place other values.
std::vector<std::string> CatalogueFaults(std::span<const TCliMessage> catalogue)
{
    std::vector<std::string> faults;
    std::set<std::string_view> names;
    for (const TCliMessage& message : catalogue) {
        const std::string name(message.Name);
        if (!names.insert(message.Name).second)
            faults.push_back(name + ": named twice");
        if (!HoldsJapanese(message.Japanese))
            faults.push_back(name + ": no Japanese text");
        const std::set<char> values = ValuesPlaced(message.English);
        if (ValuesPlaced(message.Japanese) != values ||
            (!message.EnglishOne.empty() && ValuesPlaced(message.EnglishOne) != values))
            faults.push_back(name + ": its texts place other values");
    }
    return faults;
}

}  // namespace

TEST(CliCatalogue, EveryMessageHasItsJapaneseTextPlacingTheSameValues)
{
    EXPECT_EQ(CatalogueFaults(CliMessages), std::vector<std::string>{});

    const TCliMessage faulty[] = {
        {.Name = "Missing", .English = "gone", .Japanese = ""},
        {.Name = "Copied", .English = "{0}: gone", .Japanese = "{0}: gone"},
        {.Name = "Dropped", .English = "{0}: {1} gone", .Japanese = "{0}: ありません。"},
        {.Name = "One", .English = "{0} files", .Japanese = "{0} 個", .EnglishOne = "a file"},
        {.Name = "Missing", .English = "gone", .Japanese = "ありません。"},
    };
    EXPECT_EQ(CatalogueFaults(faulty),
              (std::vector<std::string>{"Missing: no Japanese text", "Copied: no Japanese text",
                                        "Dropped: its texts place other values",
                                        "One: its texts place other values",
                                        "Missing: named twice"}));
}

TEST(CliCatalogue, TheRefusalsOfADrawingSayInJapaneseWhatTheWindowSays)
{
    const std::pair<std::string, std::string_view> refusals[] = {
        {CliTextIn<"NotJwwFile">(TLanguage::Japanese, "a.jww"), MsgNotJwwFile},
        {CliTextIn<"HeaderUnreadable">(TLanguage::Japanese, "a.jww"), MsgHeaderUnreadable},
        {CliTextIn<"VersionTooOld">(TLanguage::Japanese, "a.jww"), MsgVersionTooOld},
        {"a.jww: " + CliTextIn<"LossyStrings">(TLanguage::Japanese), MsgLossyStrings},
    };
    for (const auto& [said, window] : refusals)
        EXPECT_EQ(said, "a.jww: " + WindowText(window));
}

TEST(CliCatalogue, ValuesFillTheirPlacesAndACountOfOneReadsSoInEnglish)
{
    EXPECT_EQ(CliTextIn<"ApplyWouldBeWritten">(TLanguage::English, 1, "a.jww", "out/a.jww"),
              "a.jww: would be written to out/a.jww, 1 cell changed");
    EXPECT_EQ(CliTextIn<"ApplyWouldBeWritten">(TLanguage::English, 12, "a.jww", "out/a.jww"),
              "a.jww: would be written to out/a.jww, 12 cells changed");
    EXPECT_EQ(CliTextIn<"ApplyWouldBeWritten">(TLanguage::Japanese, 1, "a.jww", "out/a.jww"),
              "a.jww: 書き込み先 out/a.jww、変わるセル 1 個");
    // A value that looks like a place is not filled again, and a brace of the text stays.
    EXPECT_EQ(CliTextIn<"UsageNotAChoice">(TLanguage::English, "--table", "{1}", "{a,b}"),
              "--table: {1} is not one of {a,b}");
}
