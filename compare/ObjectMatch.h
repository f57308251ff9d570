// Objects have no identity in a drawing, so two lists are compared as collections of records:
// each object of one list pairs with an equal object of the other, as long as one is left.
#pragma once

#include <cstdint>
#include <vector>

#include "compare/ObjectRecords.h"

struct TObjectMatch {
    // By position in each list: whether the object has an equal partner in the other.
    std::vector<bool> OldShared;
    std::vector<bool> NewShared;
    // The positions without a partner, ascending: objects only in the old list, only in the new.
    std::vector<int32_t> Removed;
    std::vector<int32_t> Added;
    // Whether the objects both lists hold stand in the same order in each.
    bool SharedInOrder = true;
};

// As many objects pair as there are equal records on both sides. Objects that keep their place
// among their neighbours pair with each other; the rest pair in list order, the first of
// several equal objects with the first of them in the other list.
TObjectMatch MatchObjects(const TObjectRecords& old, const TObjectRecords& now);
