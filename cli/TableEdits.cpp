#include "cli/TableEdits.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <map>
#include <utility>

#include "cli/CliText.h"
#include "cli/Csv.h"
#include "cli/SpreadsheetGuard.h"
#include "cli/TableExport.h"
#include "text/Func_.h"

namespace {

// The refusal of the edits' text, given as the message of the catalogue with its place.
[[noreturn]] void Refuse(const std::string& message)
{
    throw ETableTextError(message);
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
            Refuse(CliText<"EditsNotWholeNumber">(place, ReadableText(text)));
        break;
    case TCellKind::Float:
        if (StrToFloatZero(text) == 0.0 && !SpellsFloatZero(text))
            Refuse(CliText<"EditsNotNumber">(place, ReadableText(text)));
        break;
    case TCellKind::Pattern:
        if (text.empty() || text.size() > 8 || !std::all_of(text.begin(), text.end(), IsHexDigit))
            Refuse(CliText<"EditsNotPattern">(place, ReadableText(text)));
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
    if (digits.empty() || digits.size() > 9 ||
        digits.find_first_not_of("0123456789") != std::string_view::npos)
        Refuse(CliText<"EditsRowNotNumber">(place, text, first, last));
    const int entry = std::stoi(std::string(digits));
    if (entry < first || entry > last)
        Refuse(CliText<"EditsNoSuchRow">(place, TableName(kind), entry, first, last));
    return entry;
}

// Collects the edits and refuses a row given twice.
class TEditList {
public:
    void AddRow(TTableKind kind, int entry, const std::string& place)
    {
        const auto [at, added] = Rows.try_emplace({kind, entry}, place);
        if (!added)
            Refuse(CliText<"EditsRowTwice">(place, TableName(kind), entry, at->second));
    }

    // text is in the edits' encoding.
    void AddCell(TTableKind kind, int entry, const TTableColumn& column, std::string_view text,
                 TTextEncoding encoding, const std::string& place)
    {
        if (column.Kind == TCellKind::Count || column.Kind == TCellKind::Number)
            return;
        std::optional<std::string> cp932 = Cp932FromEncoding(text, encoding);
        if (!cp932)
            Refuse(CliText<"EditsNoCp932Form">(place, FirstCharacterWithoutCp932(text)));
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
    return CliText<"EditsCellPlace">(line, TableName(kind), entry, header);
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
            Refuse(CliText<"EditsMalformedCsv">(e.what()));
        }
        if (Records.empty())
            Refuse(CliText<"EditsEmpty">());
        ReadHeader();
    }

    std::vector<TCellEdit> Edits()
    {
        TEditList list;
        for (std::size_t r = 1; r < Records.size(); ++r) {
            const TCsvRecord& record = Records[r];
            const std::string linePlace = CliText<"EditsLinePlace">(record.Line);
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
                        Refuse(CliText<"EditsOtherTablesColumn">(
                            CellPlace(record.Line, kind, entry, header.Text)));
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
            const std::string place = CliText<"EditsHeaderPlace">(i + 1);
            if (!column.IsTable && column.Columns.empty())
                Refuse(CliText<"EditsNoSuchColumn">(place, column.Text));
            for (const THeaderColumn& earlier : Headers)
                if (earlier.Text == column.Text)
                    Refuse(CliText<"EditsColumnTwice">(place, column.Text));
            if (column.IsTable)
                TableIndex = i;
            else if (column.Columns.begin()->second.Kind == TCellKind::Number)
                NumberIndex = i;
            Headers.push_back(std::move(column));
        }
        if (NumberIndex == NoIndex)
            Refuse(CliText<"EditsNoNumberColumn">());
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
            Refuse(candidates.empty() ? CliText<"EditsColumnsOfSeveralTables">()
                                      : CliText<"EditsColumnsOfNoKnownTable">());
        return candidates.front();
    }

    TTableKind RowTable(const TCsvRecord& record, const std::string& place) const
    {
        if (TableIndex == NoIndex)
            return OnlyTable;
        const std::string& name = record.Fields[TableIndex];
        if (const std::optional<TTableKind> kind = TableNamed(name))
            return *kind;
        Refuse(CliText<"EditsUnknownTable">(place, ReadableText(name)));
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
    Refuse(CliText<"EditsJsonValue">(place, value.dump()));
}

std::vector<TCellEdit> JsonEdits(std::string_view content)
{
    nlohmann::json json;
    try {
        json = nlohmann::json::parse(content);
    } catch (const nlohmann::json::parse_error& e) {
        Refuse(CliText<"EditsMalformedJson">(e.what()));
    }
    if (!json.is_object())
        Refuse(CliText<"EditsJsonNotObject">());
    TEditList list;
    for (const auto& [tableName, rows] : json.items()) {
        const std::optional<TTableKind> kind = TableNamed(tableName);
        const std::string member = CliText<"EditsJsonMember">(tableName);
        if (!kind)
            Refuse(CliText<"EditsJsonUnknownTable">(member));
        if (!rows.is_array())
            Refuse(CliText<"EditsJsonNotArray">(member));
        for (std::size_t r = 0; r < rows.size(); ++r) {
            const nlohmann::json& row = rows[r];
            const std::string rowPlace = tableName + "[" + std::to_string(r) + "]";
            if (!row.is_object())
                Refuse(CliText<"EditsJsonRowNotObject">(rowPlace));
            if (!row.contains("no"))
                Refuse(CliText<"EditsJsonRowWithoutNumber">(rowPlace));
            const int entry = EntryFromText(*kind, JsonText(row["no"], rowPlace + ".no"), rowPlace);
            list.AddRow(*kind, entry, rowPlace);
            const std::span<const TTableColumn> columns = TableColumns(*kind);
            for (const auto& [key, value] : row.items()) {
                const std::string place =
                    CliText<"EditsJsonKeyPlace">(rowPlace, tableName, entry, key);
                const auto column = std::find_if(columns.begin(), columns.end(),
                                                 [&key = key](const TTableColumn& c) {
                                                     return c.Key == key;
                                                 });
                if (column == columns.end())
                    Refuse(CliText<"EditsJsonNoSuchKey">(place, tableName));
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
        Refuse(CliText<"EditsMarkAndCp932">());
    if (LooksLikeJson(content)) {
        if (encoding == TTextEncoding::Cp932)
            Refuse(CliText<"EditsJsonAndCp932">());
        return JsonEdits(content);
    }
    TTextEncoding csvEncoding = TTextEncoding::Cp932;
    if (encoding)
        csvEncoding = *encoding;
    else if (byteOrderMark || IsValidUtf8(content))
        csvEncoding = TTextEncoding::Utf8;
    if (csvEncoding == TTextEncoding::Utf8 && !IsValidUtf8(content))
        Refuse(CliText<"EditsNotUtf8">());
    return TCsvEdits(content, csvEncoding).Edits();
}
