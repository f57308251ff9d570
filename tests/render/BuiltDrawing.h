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

// Appends the record to the list and its entry to the list's order.
template <class TRecord>
void Add(TEntityCollections& list, int32_t kind, std::vector<TRecord>& records, TRecord record)
{
    list.EntityOrder.push_back({kind, static_cast<int32_t>(records.size())});
    records.push_back(std::move(record));
}
