#include "cli/Csv.h"

#include <algorithm>

#include "cli/CliText.h"

namespace {

bool NeedsQuotes(std::string_view field)
{
    return field.find_first_of(",\"\r\n") != std::string_view::npos;
}

class TCsvParser {
public:
    explicit TCsvParser(std::string_view text) : Text(text) {}

    std::vector<TCsvRecord> Records()
    {
        std::vector<TCsvRecord> records;
        while (Pos < Text.size()) {
            if (AtLineBreak()) {
                SkipLineBreak();
                continue;
            }
            records.push_back(Record());
            const std::size_t expected = records.front().Fields.size();
            if (records.back().Fields.size() != expected)
                Fail(records.back().Line,
                     CliText<"CsvFieldCount">(CliText<"CsvFields">(records.back().Fields.size()),
                                              CliText<"CsvFields">(expected)));
        }
        return records;
    }

private:
    [[noreturn]] static void Fail(std::size_t line, const std::string& what)
    {
        throw ECsvError(CliText<"CsvLine">(line, what));
    }

    bool AtLineBreak() const
    {
        return Text[Pos] == '\n' || (Text[Pos] == '\r' && Pos + 1 < Text.size() &&
                                     Text[Pos + 1] == '\n');
    }

    void SkipLineBreak()
    {
        Pos += Text[Pos] == '\r' ? 2 : 1;
        ++Line;
    }

    TCsvRecord Record()
    {
        TCsvRecord record;
        record.Line = Line;
        for (;;) {
            record.Fields.push_back(Field());
            if (Pos >= Text.size())
                return record;
            if (Text[Pos] == ',') {
                ++Pos;
                continue;
            }
            if (AtLineBreak()) {
                SkipLineBreak();
                return record;
            }
            Fail(Line, CliText<"CsvLoneCarriageReturn">());
        }
    }

    std::string Field()
    {
        if (Pos < Text.size() && Text[Pos] == '"')
            return QuotedField();
        const std::size_t end = std::min(Text.find_first_of(",\"\r\n", Pos), Text.size());
        if (end < Text.size() && Text[end] == '"')
            Fail(Line, CliText<"CsvStrayQuote">());
        std::string field(Text.substr(Pos, end - Pos));
        Pos = end;
        return field;
    }

    std::string QuotedField()
    {
        const std::size_t openedOn = Line;
        std::string field;
        ++Pos;
        for (;;) {
            if (Pos >= Text.size())
                Fail(openedOn, CliText<"CsvUnendedQuote">());
            const char c = Text[Pos++];
            if (c == '"') {
                if (Pos < Text.size() && Text[Pos] == '"') {
                    field.push_back('"');
                    ++Pos;
                    continue;
                }
                break;
            }
            if (c == '\n')
                ++Line;
            field.push_back(c);
        }
        if (Pos < Text.size() && Text[Pos] != ',' && Text[Pos] != '\r' && Text[Pos] != '\n')
            Fail(Line, CliText<"CsvTextAfterQuote">());
        return field;
    }

    std::string_view Text;
    std::size_t Pos = 0;
    std::size_t Line = 1;
};

}  // namespace

std::string CsvRecord(std::span<const std::string> fields)
{
    std::string record;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            record.push_back(',');
        const std::string& field = fields[i];
        if (!NeedsQuotes(field)) {
            record += field;
            continue;
        }
        record.push_back('"');
        for (const char c : field) {
            if (c == '"')
                record.push_back('"');
            record.push_back(c);
        }
        record.push_back('"');
    }
    return record + "\r\n";
}

std::vector<TCsvRecord> ParseCsv(std::string_view text)
{
    return TCsvParser(text).Records();
}
