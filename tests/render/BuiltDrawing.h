// Documents built in memory for the renderer's tests.
#pragma once

#include <memory>
#include <vector>

#include "jww/jwwunit.h"

// A document with every header table and no objects.
inline std::unique_ptr<TJwwDocument> EmptyDrawing()
{
    auto doc = std::make_unique<TJwwDocument>();
    CreateHeaderTables(*doc);
    return doc;
}

// Appends the record to the list and its entry to the list's order.
template <class TRecord>
void Add(TEntityCollections& list, int32_t kind, std::vector<TRecord>& records, TRecord record)
{
    list.EntityOrder.push_back({kind, static_cast<int32_t>(records.size())});
    records.push_back(std::move(record));
}
