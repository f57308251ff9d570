#include "compare/ObjectChanges.h"

#include <numeric>

namespace {

// Counts the objects at the positions into one side of the counts, by kind and layer, and
// keeps the layer of each.
void Tally(const TObjectRecords& records, const std::vector<int32_t>& positions,
           TKindCounts TChangeCounts::*side, std::vector<uint8_t>& layers,
           TObjectChanges& changes)
{
    layers.reserve(positions.size());
    for (const int32_t position : positions) {
        const auto at = static_cast<std::size_t>(position);
        const int layer = records.Layer(at);
        const auto kind = static_cast<std::size_t>(records.Kind(at));
        ++(changes.All.*side).ByKind.at(kind);
        ++(changes.ByGroup.at(static_cast<std::size_t>(layer / 16)).*side).ByKind.at(kind);
        ++(changes.ByLayer.at(static_cast<std::size_t>(layer)).*side).ByKind.at(kind);
        layers.push_back(static_cast<uint8_t>(layer));
    }
}

}  // namespace

int64_t TKindCounts::Total() const
{
    return std::accumulate(ByKind.begin(), ByKind.end(), int64_t{0});
}

TKindCounts CountKinds(const TObjectRecords& records, const std::vector<int32_t>& positions)
{
    TKindCounts counts;
    for (const int32_t position : positions)
        ++counts.ByKind.at(static_cast<std::size_t>(records.Kind(static_cast<std::size_t>(position))));
    return counts;
}

TObjectChanges CompareObjects(const TObjectRecords& old, const TObjectRecords& now)
{
    TObjectChanges changes;
    changes.Match = MatchObjects(old, now);
    Tally(old, changes.Match.Removed, &TChangeCounts::Removed, changes.RemovedLayers, changes);
    Tally(now, changes.Match.Added, &TChangeCounts::Added, changes.AddedLayers, changes);
    return changes;
}
