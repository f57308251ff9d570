// A picture of what changed between two drawings: the later drawing with each of its objects
// marked added or the same, and the objects of the earlier drawing that it no longer holds,
// drawn too, each in the colour of its change.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "jww/jwwunit.h"
#include "render/Primitives.h"

enum class TObjectChange : uint8_t { Same, Removed, Added };

// Red, blue and the light grey of what a filter does not show.
constexpr TRgb RemovedRgb{220, 30, 30};
constexpr TRgb AddedRgb{30, 80, 230};

TRgb ChangeRgb(TObjectChange change);
// The change as an SVG element names it in data-change: "same", "removed", "added".
std::string_view ChangeName(TObjectChange change);

class TChangeMarks {
public:
    // Positions in each drawing's main list: removed ones in old's, added ones in the later
    // drawing's, which holds newCount objects. Positions beyond the lists are left out.
    TChangeMarks(const TJwwDocument& old, const std::vector<int32_t>& removed,
                 const std::vector<int32_t>& added, std::size_t newCount);

    const TJwwDocument& Old() const { return *OldDoc; }
    // Ascending places in the earlier drawing's main list.
    const std::vector<std::size_t>& Removed() const { return RemovedPositions; }
    // The change of the later drawing's object at that place of its main list.
    TObjectChange ChangeOf(std::size_t position) const
    {
        return position < AddedByPosition.size() && AddedByPosition[position] ? TObjectChange::Added
                                                                              : TObjectChange::Same;
    }

private:
    const TJwwDocument* OldDoc;
    std::vector<std::size_t> RemovedPositions;
    std::vector<bool> AddedByPosition;
};
