#include "render/ChangeMarks.h"

#include "render/RenderFilter.h"

TRgb ChangeRgb(TObjectChange change)
{
    switch (change) {
    case TObjectChange::Removed: return RemovedRgb;
    case TObjectChange::Added: return AddedRgb;
    case TObjectChange::Same: break;
    }
    return GreyedRgb;
}

std::string_view ChangeName(TObjectChange change)
{
    switch (change) {
    case TObjectChange::Removed: return "removed";
    case TObjectChange::Added: return "added";
    case TObjectChange::Same: break;
    }
    return "same";
}

TChangeMarks::TChangeMarks(const TJwwDocument& old, const std::vector<int32_t>& removed,
                           const std::vector<int32_t>& added, std::size_t newCount)
    : OldDoc(&old), AddedByPosition(newCount, false)
{
    for (const int32_t position : removed)
        if (position >= 0 && static_cast<std::size_t>(position) < old.EntityOrder.size())
            RemovedPositions.push_back(static_cast<std::size_t>(position));
    for (const int32_t position : added)
        if (position >= 0 && static_cast<std::size_t>(position) < newCount)
            AddedByPosition[static_cast<std::size_t>(position)] = true;
}
