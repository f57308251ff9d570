#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/Csv.h"

namespace {

using TFields = std::vector<std::string>;

std::vector<TFields> FieldsOf(std::string_view text)
{
    std::vector<TFields> fields;
    for (const TCsvRecord& record : ParseCsv(text))
        fields.push_back(record.Fields);
    return fields;
}

std::string CsvError(std::string_view text)
{
    try {
        ParseCsv(text);
    } catch (const ECsvError& e) {
        return e.what();
    }
    return "no error";
}

}  // namespace

TEST(CsvRecord, QuotesOnlyFieldsThatNeedIt)
{
    EXPECT_EQ(CsvRecord(TFields{"No.", "name", "12"}), "No.,name,12\r\n");
    EXPECT_EQ(CsvRecord(TFields{"a,b", "say \"hi\"", "two\r\nlines", "lf\nonly", ""}),
              "\"a,b\",\"say \"\"hi\"\"\",\"two\r\nlines\",\"lf\nonly\",\r\n");
    EXPECT_EQ(CsvRecord(TFields{"", ""}), ",\r\n");
    // Double-byte characters whose second byte is a backslash or a letter stay as they are.
    EXPECT_EQ(CsvRecord(TFields{"\x95\\\x8E\x86", " lead"}), "\x95\\\x8E\x86, lead\r\n");
}

TEST(ParseCsv, ReadsBackWhatTheWriterWrote)
{
    const std::vector<TFields> records = {
        {"No.", "name", "value"},
        {"1", "a,b", "say \"hi\""},
        {"2", "two\r\nlines", ""},
        {"3", "", "\"\""},
    };
    std::string text;
    for (const TFields& record : records)
        text += CsvRecord(record);
    EXPECT_EQ(FieldsOf(text), records);

    const std::vector<TCsvRecord> parsed = ParseCsv(text);
    EXPECT_EQ(parsed[2].Line, 3u);
    EXPECT_EQ(parsed[3].Line, 5u) << "the quoted line break moves the line count";
}

TEST(ParseCsv, AcceptsBareLineFeedsAMissingLastBreakAndEmptyLines)
{
    EXPECT_EQ(FieldsOf("a,b\nc,d"), (std::vector<TFields>{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(FieldsOf("a,b\r\n\r\n\nc,d\r\n\r\n"), (std::vector<TFields>{{"a", "b"}, {"c", "d"}}));
    EXPECT_EQ(FieldsOf(",\r\n,"), (std::vector<TFields>{{"", ""}, {"", ""}}));
    EXPECT_EQ(FieldsOf("\"\",x"), (std::vector<TFields>{{"", "x"}}));
    EXPECT_TRUE(FieldsOf("").empty());
    // A byte-order mark is not the parser's business: it is a part of the first field.
    EXPECT_EQ(FieldsOf("\xEF\xBB\xBFNo.,x").front().front(), "\xEF\xBB\xBFNo.");
}

TEST(ParseCsv, RefusesMalformedTextNamingTheLine)
{
    EXPECT_EQ(CsvError("a,b\r\nc\r\n"), "line 2: the record has 1 field, the first record 2 fields");
    EXPECT_EQ(CsvError("a,b\r\nc,d,e\r\n"), "line 2: the record has 3 fields, the first record 2 fields");
    EXPECT_EQ(CsvError("a,b\r\nc,\"open\r\nstill open"),
              "line 2: a quoted field that never ends");
    EXPECT_EQ(CsvError("a,b\r\nc,d\"e\r\n"),
              "line 2: a double quote inside a field that does not start with one");
    EXPECT_EQ(CsvError("a,\"b\"c\r\n"), "line 1: text after the closing double quote of a field");
    EXPECT_EQ(CsvError("a,b\rc,d\r\n"), "line 1: a carriage return without a line feed");
    EXPECT_EQ(CsvError("a,\"x\r\ny\"z\r\n"),
              "line 2: text after the closing double quote of a field");
}
