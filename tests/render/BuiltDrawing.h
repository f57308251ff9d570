// Documents built in memory for the renderer's tests.
#pragma once

#include <memory>
#include <vector>

#include "jww/jwwunit.h"
#include "tests/support/HeaderBuilder.h"

// A document with every header table and no objects.
inline std::unique_ptr<TJwwDocument> EmptyDrawing()
{
    auto doc = std::make_unique<TJwwDocument>();
    CreateHeaderTables(*doc);
    return doc;
}

// A document whose every layer group and layer is shown, on white, with pens of their own
// colours one pixel wide, on no paper of a known size.
inline std::unique_ptr<TJwwDocument> ShownDrawing()
{
    auto doc = EmptyDrawing();
    ShowEveryLayer(*doc);
    return doc;
}

// A line from (x1, y1) to (x2, y2) of the pen colour and line type.
inline TEntSen Line(double x1, double y1, double x2, double y2, uint16_t penColor = 2, uint8_t penStyle = 1)
{
    TEntSen line;
    line.Base.PenColor = penColor;
    line.Base.PenStyle = penStyle;
    line.StartX = x1;
    line.StartY = y1;
    line.EndX = x2;
    line.EndY = y2;
    return line;
}

// Appends the record to the list and its entry to the list's order.
template <class TRecord>
void Add(TEntityCollections& list, int32_t kind, std::vector<TRecord>& records, TRecord record)
{
    list.EntityOrder.push_back({kind, static_cast<int32_t>(records.size())});
    records.push_back(std::move(record));
}
