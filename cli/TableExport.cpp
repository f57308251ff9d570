#include "cli/TableExport.h"

#include <nlohmann/json.hpp>

#include <algorithm>

#include "cli/CliText.h"
#include "cli/Csv.h"
#include "cli/SpreadsheetGuard.h"
#include "tables/WindowTables.h"

namespace {

std::string RowNumberText(const TCellTable& table, int row)
{
    // The window pads the number column for its right alignment; a file has no use for that.
    const std::string& text = table.Cell(0, row);
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

int ShownRows(TTableKind kind)
{
    return LastTableEntry(kind) - FirstTableEntry(kind) + 1;
}

class TExporter {
public:
    TExporter(const TJwwDocument& doc, const TExportRequest& request)
        : Tables(doc), Request(request)
    {
    }

    std::string Csv() const
    {
        const bool severalTables = Request.Tables.size() > 1;
        std::vector<std::string> headers;
        if (severalTables)
            headers.emplace_back(TableColumnHeader);
        for (TTableKind kind : Request.Tables)
            for (const TTableColumn& column : TableColumns(kind))
                if (std::find(headers.begin(), headers.end(), ColumnHeader(kind, column.Col)) ==
                    headers.end())
                    headers.push_back(ColumnHeader(kind, column.Col));

        std::string csv;
        if (Request.Encoding == TTextEncoding::Utf8)
            csv += Utf8ByteOrderMark;
        std::vector<std::string> fields;
        for (const std::string& header : headers)
            fields.push_back(Encoded(header, CliText<"ExportHeaderPlace">(header)));
        csv += CsvRecord(fields);

        for (TTableKind kind : Request.Tables) {
            for (int row = 1; row <= ShownRows(kind); ++row) {
                fields.assign(headers.size(), std::string());
                if (severalTables)
                    fields[0] = TableName(kind);
                for (const TTableColumn& column : TableColumns(kind)) {
                    const auto at = std::find(headers.begin(), headers.end(),
                                              ColumnHeader(kind, column.Col));
                    fields[static_cast<std::size_t>(at - headers.begin())] =
                        GuardedCell(CellText(kind, row, column));
                }
                csv += CsvRecord(fields);
            }
        }
        return csv;
    }

    std::string Json() const
    {
        nlohmann::ordered_json json = nlohmann::ordered_json::object();
        for (TTableKind kind : Request.Tables) {
            nlohmann::ordered_json rows = nlohmann::ordered_json::array();
            for (int row = 1; row <= ShownRows(kind); ++row) {
                nlohmann::ordered_json object = nlohmann::ordered_json::object();
                for (const TTableColumn& column : TableColumns(kind)) {
                    const std::string text = CellText(kind, row, column);
                    if (column.Kind == TCellKind::Number || column.Kind == TCellKind::Count)
                        object[std::string(column.Key)] = std::stoll(text);
                    else
                        object[std::string(column.Key)] = text;
                }
                rows.push_back(std::move(object));
            }
            json[std::string(TableName(kind))] = std::move(rows);
        }
        return json.dump(2) + "\n";
    }

private:
    std::string CellText(TTableKind kind, int row, const TTableColumn& column) const
    {
        const TCellTable& table = Tables.Of(kind);
        if (column.Col == 0)
            return RowNumberText(table, row);
        return Encoded(table.Cell(column.Col, row),
                       CliText<"ExportCellPlace">(TableName(kind), RowNumberText(table, row),
                                                  ReadableText(ColumnHeader(kind, column.Col))));
    }

    std::string Encoded(const std::string& cp932, const std::string& where) const
    {
        const TTextEncoding encoding =
            Request.Format == TTableFormat::Json ? TTextEncoding::Utf8 : Request.Encoding;
        std::optional<std::string> text = Cp932InEncoding(cp932, encoding);
        if (!text)
            throw ETableTextError(CliText<"ExportNoUtf8Form">(where, ReadableText(cp932)));
        return *text;
    }

    TWindowTables Tables;
    const TExportRequest& Request;
};

}  // namespace

std::string ExportTables(const TJwwDocument& doc, const TExportRequest& request)
{
    const TExporter exporter(doc, request);
    return request.Format == TTableFormat::Json ? exporter.Json() : exporter.Csv();
}
