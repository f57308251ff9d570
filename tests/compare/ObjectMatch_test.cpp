// Pairing the objects of two lists: every object that has an equal one in the other list left
// to pair with is shared, whatever the order, and the pairs follow the lists where they can.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <vector>

#include "compare/ObjectMatch.h"

namespace {

// Lines told apart by their start point's X.
TEntityCollections Lines(const std::vector<int>& xs)
{
    TEntityCollections list;
    for (const int x : xs) {
        list.SenList.push_back({{}, static_cast<double>(x), 0.0, 1.0, 1.0});
        list.EntityOrder.push_back({KindSen, static_cast<int32_t>(list.SenList.size() - 1)});
    }
    return list;
}

std::vector<int> Range(int from, int count)
{
    std::vector<int> xs;
    for (int x = from; x < from + count; ++x)
        xs.push_back(x);
    return xs;
}

std::vector<int> Reversed(std::vector<int> xs)
{
    std::reverse(xs.begin(), xs.end());
    return xs;
}

std::vector<int> Joined(std::initializer_list<std::vector<int>> parts)
{
    std::vector<int> xs;
    for (const std::vector<int>& part : parts)
        xs.insert(xs.end(), part.begin(), part.end());
    return xs;
}

struct TMatchCase {
    const char* Name;
    std::vector<int> Old;
    std::vector<int> New;
    std::vector<int32_t> Removed;
    std::vector<int32_t> Added;
    bool InOrder;
};

}  // namespace

TEST(ObjectMatch, EqualRecordsPairWhateverTheirPlaceAndTheRestIsRemovedOrAdded)
{
    const std::vector<int> many = Range(0, 3000);
    // Enough objects left after the walk in step for the sort of many, on two threads.
    const std::vector<int> most = Range(0, 600'000);
    const std::vector<TMatchCase> cases = {
        {"the same", {1, 2, 3}, {1, 2, 3}, {}, {}, true},
        {"one removed, one added", {1, 2, 3, 4}, {1, 3, 4, 5}, {1}, {3}, true},
        {"one changed in place", {1, 2, 3}, {1, 9, 3}, {1}, {1}, true},
        {"moved to the front", {1, 2, 3}, {3, 1, 2}, {}, {}, false},
        {"swapped far apart", Joined({{7}, many, {8}}), Joined({{8}, many, {7}}), {}, {}, false},
        {"a twin removed", {7, 7, 8}, {7, 8}, {1}, {}, true},
        {"beyond the look-ahead", {1, 2, 3}, Joined({Range(100, 100), {1, 2, 3}}), {},
         Range(0, 100), true},
        {"twins among the rest", {9, 5, 5, 5}, Joined({Range(100, 40), {5, 5}}), {0, 3},
         Range(0, 40), true},
        {"nothing in common", {1, 2}, {3, 4, 5}, {0, 1}, {0, 1, 2}, true},
        {"an empty old list", {}, {1}, {}, {0}, true},
        {"large lists with one change", many, Joined({Range(0, 1500), {-1}, Range(1501, 1499)}),
         {1500}, {1500}, true},
        {"most of them reversed", most, Joined({{-1}, Reversed(Range(0, 599'999))}), {599'999},
         {0}, false},
    };
    for (const TMatchCase& c : cases) {
        const TEntityCollections old = Lines(c.Old);
        const TEntityCollections now = Lines(c.New);
        const TObjectMatch match =
            MatchObjects(WrittenRecords(old, static_cast<int32_t>(c.Old.size())),
                         WrittenRecords(now, static_cast<int32_t>(c.New.size())));
        EXPECT_EQ(match.Removed, c.Removed) << c.Name;
        EXPECT_EQ(match.Added, c.Added) << c.Name;
        EXPECT_EQ(match.SharedInOrder, c.InOrder) << c.Name;
        ASSERT_EQ(match.OldShared.size(), c.Old.size()) << c.Name;
        for (const int32_t removed : c.Removed)
            EXPECT_FALSE(match.OldShared[static_cast<std::size_t>(removed)]) << c.Name;
        EXPECT_EQ(std::count(match.NewShared.begin(), match.NewShared.end(), true),
                  static_cast<std::ptrdiff_t>(c.New.size() - c.Added.size()))
            << c.Name;
    }
}

TEST(ObjectMatch, ACountBeyondTheOrderTableIsRefused)
{
    EXPECT_THROW(WrittenRecords(Lines({1}), 2), EJwwRangeError);
}
