// What changed among the objects of two lists: which objects are only in one of them, counted
// by kind and by the layer group and layer a save puts them on.
#pragma once

#include <array>
#include <cstdint>

#include "compare/ObjectMatch.h"

// Objects by kind code (1 .. 7; entry 0 is unused).
struct TKindCounts {
    std::array<int64_t, 8> ByKind{};

    int64_t Total() const;
    bool operator==(const TKindCounts&) const = default;
};

struct TChangeCounts {
    TKindCounts Added;
    TKindCounts Removed;

    bool Any() const { return Added.Total() + Removed.Total() > 0; }
};

struct TObjectChanges {
    TObjectMatch Match;
    // The layer of each object of Match.Removed and Match.Added, as group × 16 + layer.
    std::vector<uint8_t> RemovedLayers;
    std::vector<uint8_t> AddedLayers;
    TChangeCounts All;
    std::array<TChangeCounts, 16> ByGroup;
    std::array<TChangeCounts, 256> ByLayer;  // group × 16 + layer

    bool Any() const { return All.Any(); }
};

// The kinds of the objects at the positions.
TKindCounts CountKinds(const TObjectRecords& records, const std::vector<int32_t>& positions);

// Compares two lists by their records, counting by the layer group and layer a save writes.
TObjectChanges CompareObjects(const TObjectRecords& old, const TObjectRecords& now);
