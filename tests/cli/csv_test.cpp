#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/Csv.h"

namespace {

using TFields = std::vector<std::string>;

std::vector<TFields> FieldsOf(std::string_view text)
{
    std::vector<TFields> fields;
    for (const TCsvRecord& record : ParseCsv(text))
        fields.push_back(record.Fields);
    return fields;
}

}  // namespace

TEST(Csv, FieldsAreQuotedOnlyWhenTheyNeedItAndReadBackAsWritten)
{
    // Double-byte characters whose second byte is a backslash or a letter stay as they are.
    EXPECT_EQ(CsvRecord(TFields{"No.", "\x95\\\x8E\x86", " lead", ""}),
              "No.,\x95\\\x8E\x86, lead,\r\n");
    const std::vector<TFields> records = {
        {"a,b", "say \"hi\"", "two\r\nlines"}, {"lf\nonly", "", "\"\""}, {"", "x", ""}};
    std::string text;
    for (const TFields& record : records)
        text += CsvRecord(record);
    EXPECT_EQ(text, "\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\"\r\n\"lf\nonly\",,\"\"\"\"\"\"\r\n"
                    ",x,\r\n");
    EXPECT_EQ(FieldsOf(text), records);
    // Lines are counted in the text, so the quoted line breaks move the count.
    EXPECT_EQ(ParseCsv(text)[2].Line, 5u);
    // Bare line feeds, a missing last line break and empty lines are taken as a spreadsheet
    // may write them; a byte-order mark is a part of the first field.
    EXPECT_EQ(FieldsOf("a,b\r\n\r\n\nc,d"), (std::vector<TFields>{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(FieldsOf(",\r\n,"), (std::vector<TFields>{{"", ""}, {"", ""}}));
    EXPECT_EQ(FieldsOf("\xEF\xBB\xBFNo.,x").front().front(), "\xEF\xBB\xBFNo.");
}

TEST(Csv, MalformedTextIsRefusedNamingTheLine)
{
    const std::pair<const char*, const char*> cases[] = {
        {"a,b\r\nc\r\n", "line 2: the record has 1 field, the first record 2 fields"},
        {"a,b\r\nc,d,e\r\n", "line 2: the record has 3 fields, the first record 2 fields"},
        {"a,b\r\nc,\"open\r\nstill open", "line 2: a quoted field that never ends"},
        {"a,b\r\nc,d\"e\r\n", "line 2: a double quote inside a field that does not start with one"},
        {"a,\"b\"c\r\n", "line 1: text after the closing double quote of a field"},
        {"a,b\rc,d\r\n", "line 1: a carriage return without a line feed"},
        {"a,\"x\r\ny\"z\r\n", "line 2: text after the closing double quote of a field"},
    };
    for (const auto& [text, message] : cases) {
        try {
            ParseCsv(text);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const ECsvError& e) {
            EXPECT_STREQ(e.what(), message);
        }
    }
}
