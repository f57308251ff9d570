#include "cli/TableEdits.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <utility>

#include "cli/Csv.h"
#include "cli/SpreadsheetGuard.h"
#include "cli/TableExport.h"
#include "text/Func_.h"

namespace {

[[noreturn]] void Refuse(const std::string& place, const std::string& what)
{
    throw ETableTextError(place + ": " + what);
}

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

std::string_view WithoutLeadingSpaces(std::string_view text)
{
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

bool AllZeros(std::string_view digits)
{
    return !digits.empty() && digits.find_first_not_of('0') == std::string_view::npos;
}

// The lenient parsers read unreadable text as 0, so a cell that reads as 0 must spell zero.
bool SpellsIntegerZero(std::string_view text)
{
    std::string_view t = WithoutLeadingSpaces(text);
    if (t.starts_with('$') || t.starts_with('x') || t.starts_with('X'))
        return AllZeros(t.substr(1));
    if (t.starts_with("0x") || t.starts_with("0X"))
        return AllZeros(t.substr(2));
    if (t.starts_with('+') || t.starts_with('-'))
        t.remove_prefix(1);
    return AllZeros(t);
}

bool SpellsFloatZero(std::string_view text)
{
    std::string_view t = WithoutLeadingSpaces(text);
    if (t.starts_with('+') || t.starts_with('-'))
        t.remove_prefix(1);
    const std::size_t exponent = std::min(t.find_first_of("eE"), t.size());
    std::string mantissa(t.substr(0, exponent));
    if (const std::size_t point = mantissa.find('.'); point != std::string::npos)
        mantissa.erase(point, 1);
    if (!AllZeros(mantissa))
        return false;
    if (exponent == t.size())
        return true;
    std::string_view power = t.substr(exponent + 1);
    if (power.starts_with('+') || power.starts_with('-'))
        power.remove_prefix(1);
    return !power.empty() && power.find_first_not_of("0123456789") == std::string_view::npos;
}

void CheckValue(const TTableColumn& column, const std::string& text, const std::string& place)
{
    switch (column.Kind) {
    case TCellKind::Integer:
        if (StrToIntZero(text) == 0 && !SpellsIntegerZero(text))
            Refuse(place, "\"" + ReadableText(text) + "\" is not a whole number");
        break;
    case TCellKind::Float:
        if (StrToFloatZero(text) == 0.0 && !SpellsFloatZero(text))
            Refuse(place, "\"" + ReadableText(text) + "\" is not a number");
        break;
    case TCellKind::Pattern:
        if (text.empty() || text.size() > 8 || !std::all_of(text.begin(), text.end(), IsHexDigit))
            Refuse(place, "\"" + ReadableText(text) + "\" is not 1 to 8 hexadecimal digits");
        break;
    case TCellKind::Number:
    case TCellKind::Name:
    case TCellKind::Count:
        break;
    }
}

int EntryFromText(TTableKind kind, std::string_view text, const std::string& place)
{
    const std::string_view digits = WithoutLeadingSpaces(text);
    const int first = FirstTableEntry(kind);
    const int last = LastTableEntry(kind);
    const std::string range = std::to_string(first) + " to " + std::to_string(last);
    if (digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos)
        Refuse(place, "the row number \"" + std::string(text) + "\" is not a number from " + range);
    const int entry = std::stoi(std::string(digits));
    if (entry < first || entry > last)
        Refuse(place, std::string(TableName(kind)) + " has no row " + std::to_string(entry) +
                          "; its rows are " + range);
    return entry;
}

// Collects the edits and refuses a row given twice.
class TEditList {
public:
    void AddRow(TTableKind kind, int entry, const std::string& place)
    {
        const auto [at, added] = Rows.try_emplace({kind, entry}, place);
        if (!added)
            Refuse(place, std::string(TableName(kind)) + " row " + std::to_string(entry) +
                              " is given a second time (first at " + at->second + ")");
    }

    // text is in the edits' encoding.
    void AddCell(TTableKind kind, int entry, const TTableColumn& column, std::string_view text,
                 TTextEncoding encoding, const std::string& place)
    {
        if (column.Kind == TCellKind::Count || column.Kind == TCellKind::Number)
            return;
        std::optional<std::string> cp932 = Cp932FromEncoding(text, encoding);
        if (!cp932)
            Refuse(place, FirstCharacterWithoutCp932(text) + " has no code page 932 form");
        CheckValue(column, *cp932, place);
        Edits.push_back({kind, entry, column.Col, std::move(*cp932), place});
    }

    std::vector<TCellEdit> Edits;

private:
    std::map<std::pair<TTableKind, int>, std::string> Rows;
};

// ---- CSV ----

std::string CellPlace(std::size_t line, TTableKind kind, int entry, const std::string& header)
{
    return "line " + std::to_string(line) + ", " + std::string(TableName(kind)) + " row " +
           std::to_string(entry) + ", column " + header;
}

// What one header of a CSV file stands for.
struct THeaderColumn {
    std::string Text;       // as read, for messages
    bool IsTable = false;   // the "table" column
    std::map<TTableKind, TTableColumn> Columns;  // the tables that have this column
};

class TCsvEdits {
public:
    TCsvEdits(std::string_view content, TTextEncoding encoding) : Encoding(encoding)
    {
        try {
            Records = ParseCsv(content);
        } catch (const ECsvError& e) {
            throw ETableTextError(std::string("malformed CSV: ") + e.what());
        }
        if (Records.empty())
            throw ETableTextError("no header row: the edits are empty");
        ReadHeader();
    }

    std::vector<TCellEdit> Edits()
    {
        TEditList list;
        for (std::size_t r = 1; r < Records.size(); ++r) {
            const TCsvRecord& record = Records[r];
            const std::string linePlace = "line " + std::to_string(record.Line);
            const TTableKind kind = RowTable(record, linePlace);
            const int entry = EntryFromText(kind, record.Fields[NumberIndex], linePlace);
            list.AddRow(kind, entry, linePlace);
            for (std::size_t i = 0; i < Headers.size(); ++i) {
                const THeaderColumn& header = Headers[i];
                if (header.IsTable || i == NumberIndex)
                    continue;
                const std::string& field = record.Fields[i];
                const auto column = header.Columns.find(kind);
                if (column == header.Columns.end()) {
                    if (!field.empty())
                        Refuse(CellPlace(record.Line, kind, entry, header.Text),
                               "the column belongs to another table; leave it empty");
                    continue;
                }
                list.AddCell(kind, entry, column->second, UnguardedCell(field), Encoding,
                             CellPlace(record.Line, kind, entry, header.Text));
            }
        }
        return std::move(list.Edits);
    }

private:
    void ReadHeader()
    {
        const TCsvRecord& header = Records.front();
        for (std::size_t i = 0; i < header.Fields.size(); ++i) {
            const std::string& field = header.Fields[i];
            THeaderColumn column;
            column.Text = Encoding == TTextEncoding::Utf8 ? field : ReadableText(field);
            column.IsTable = field == TableColumnHeader;
            const std::optional<std::string> cp932 = Cp932FromEncoding(field, Encoding);
            for (TTableKind kind : AllTables)
                for (const TTableColumn& tableColumn : TableColumns(kind))
                    if (cp932 && *cp932 == ColumnHeader(kind, tableColumn.Col))
                        column.Columns.emplace(kind, tableColumn);
            const std::string place = "line 1, column " + std::to_string(i + 1);
            if (!column.IsTable && column.Columns.empty())
                Refuse(place, "\"" + column.Text + "\" is no column of the tables");
            for (const THeaderColumn& earlier : Headers)
                if (earlier.Text == column.Text)
                    Refuse(place, "the column \"" + column.Text + "\" is given twice");
            if (column.IsTable)
                TableIndex = i;
            else if (column.Columns.begin()->second.Kind == TCellKind::Number)
                NumberIndex = i;
            Headers.push_back(std::move(column));
        }
        if (NumberIndex == NoIndex)
            Refuse("line 1", "the row number column \"No.\" is missing");
        if (TableIndex == NoIndex)
            OnlyTable = SingleTable();
    }

    // Without a "table" column every column must belong to one and the same table.
    TTableKind SingleTable() const
    {
        std::vector<TTableKind> candidates;
        for (TTableKind kind : AllTables)
            if (std::all_of(Headers.begin(), Headers.end(), [kind](const THeaderColumn& header) {
                    return header.Columns.contains(kind);
                }))
                candidates.push_back(kind);
        if (candidates.size() != 1)
            Refuse("line 1", candidates.empty()
                                 ? "the columns belong to different tables; add a first column "
                                   "\"table\" naming each row's table"
                                 : "the columns do not tell which table they belong to; add a "
                                   "name column or a first column \"table\"");
        return candidates.front();
    }

    TTableKind RowTable(const TCsvRecord& record, const std::string& place) const
    {
        if (TableIndex == NoIndex)
            return OnlyTable;
        const std::string& name = record.Fields[TableIndex];
        if (const std::optional<TTableKind> kind = TableNamed(name))
            return *kind;
        Refuse(place, "unknown table \"" + ReadableText(name) +
                          "\"; the tables are groups, layers, colors and linetypes");
    }

    static constexpr std::size_t NoIndex = static_cast<std::size_t>(-1);

    TTextEncoding Encoding;
    std::vector<TCsvRecord> Records;
    std::vector<THeaderColumn> Headers;
    std::size_t TableIndex = NoIndex;
    std::size_t NumberIndex = NoIndex;
    TTableKind OnlyTable = TTableKind::LayerGroups;
};

// ---- JSON ----

std::string JsonText(const nlohmann::json& value, const std::string& place)
{
    if (value.is_string())
        return value.get<std::string>();
    if (value.is_number())
        return value.dump();
    Refuse(place, "must be a string or a number, not " + value.dump());
}

std::vector<TCellEdit> JsonEdits(std::string_view content)
{
    nlohmann::json json;
    try {
        json = nlohmann::json::parse(content);
    } catch (const nlohmann::json::parse_error& e) {
        throw ETableTextError(std::string("malformed JSON: ") + e.what());
    }
    if (!json.is_object())
        throw ETableTextError("the JSON edits must be an object with one member per table");
    TEditList list;
    for (const auto& [tableName, rows] : json.items()) {
        const std::optional<TTableKind> kind = TableNamed(tableName);
        if (!kind)
            Refuse("member \"" + tableName + "\"",
                   "unknown table; the tables are groups, layers, colors and linetypes");
        if (!rows.is_array())
            Refuse("member \"" + tableName + "\"", "must be an array of rows");
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const nlohmann::json& row = rows[r];
            const std::string rowPlace = tableName + "[" + std::to_string(r) + "]";
            if (!row.is_object())
                Refuse(rowPlace, "a row must be an object");
            if (!row.contains("no"))
                Refuse(rowPlace, "the row has no \"no\"");
            const int entry = EntryFromText(*kind, JsonText(row["no"], rowPlace + ".no"), rowPlace);
            list.AddRow(*kind, entry, rowPlace);
            const std::span<const TTableColumn> columns = TableColumns(*kind);
            for (const auto& [key, value] : row.items()) {
                const std::string place = rowPlace + " (" + tableName + " row " +
                                          std::to_string(entry) + "), key " + key;
                const auto column = std::find_if(columns.begin(), columns.end(),
                                                 [&key = key](const TTableColumn& c) {
                                                     return c.Key == key;
                                                 });
                if (column == columns.end())
                    Refuse(place, "no column of " + tableName + " has this key");
                list.AddCell(*kind, entry, *column, JsonText(value, place), TTextEncoding::Utf8,
                             place);
            }
        }
    }
    return std::move(list.Edits);
}

bool LooksLikeJson(std::string_view content)
{
    const std::size_t first = content.find_first_not_of(" \t\r\n");
    return first != std::string_view::npos && content[first] == '{';
}

}  // namespace

std::vector<TCellEdit> ReadTableEdits(std::string_view content,
                                      std::optional<TTextEncoding> encoding)
{
    const bool byteOrderMark = content.starts_with(Utf8ByteOrderMark);
    if (byteOrderMark)
        content.remove_prefix(Utf8ByteOrderMark.size());
    if (byteOrderMark && encoding == TTextEncoding::Cp932)
        throw ETableTextError("the edits start with a UTF-8 byte-order mark, but --encoding "
                              "cp932 was given");
    if (LooksLikeJson(content)) {
        if (encoding == TTextEncoding::Cp932)
            throw ETableTextError("JSON edits are always UTF-8; --encoding cp932 applies to CSV");
        return JsonEdits(content);
    }
    TTextEncoding csvEncoding = TTextEncoding::Cp932;
    if (encoding)
        csvEncoding = *encoding;
    else if (byteOrderMark || IsValidUtf8(content))
        csvEncoding = TTextEncoding::Utf8;
    if (csvEncoding == TTextEncoding::Utf8 && !IsValidUtf8(content))
        throw ETableTextError("the edits are not valid UTF-8; give --encoding cp932 for code "
                              "page 932 text");
    return TCsvEdits(content, csvEncoding).Edits();
}
