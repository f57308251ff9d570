#include "compare/ObjectMatch.h"

#include <algorithm>
#include <bit>
#include <exception>
#include <thread>
#include <utility>

namespace {

// How far along either list the walk in step looks for the place where both lists go on alike,
// past objects removed, added or changed.
constexpr std::size_t LookAhead = 32;

// From how many objects on both sides together the rest is sorted on two threads.
constexpr std::size_t SideBySideObjects = 1 << 20;

// Where an unpaired object stands among the others sorted by hash.
struct TRecordKey {
    uint32_t Hash;
    uint32_t Position;
};

// Sorts the keys by hash, keys of equal hash in the order of their positions, in which they
// come. Millions of keys take two passes of a radix sort, which is stable; fewer take less
// than the sort's fixed cost.
void SortByHash(std::vector<TRecordKey>& keys)
{
    constexpr int DigitBits = 16;
    constexpr std::size_t Digits = std::size_t{1} << DigitBits;
    if (keys.size() < Digits) {
        std::stable_sort(keys.begin(), keys.end(),
                         [](const TRecordKey& a, const TRecordKey& b) { return a.Hash < b.Hash; });
        return;
    }
    std::vector<TRecordKey> sorted(keys.size());
    std::vector<std::size_t> starts(Digits);
    for (int shift = 0; shift < 32; shift += DigitBits) {
        const auto digit = [shift](const TRecordKey& key) {
            return static_cast<std::size_t>(key.Hash >> shift) & (Digits - 1);
        };
        std::fill(starts.begin(), starts.end(), 0);
        for (const TRecordKey& key : keys)
            ++starts[digit(key)];
        std::size_t start = 0;
        for (std::size_t& count : starts)
            start += std::exchange(count, start);
        for (const TRecordKey& key : keys)
            sorted[starts[digit(key)]++] = key;
        keys.swap(sorted);
    }
}

// The end of the run of keys that share the hash of the one at begin.
std::size_t HashRunEnd(const std::vector<TRecordKey>& keys, std::size_t begin)
{
    std::size_t end = begin + 1;
    while (end < keys.size() && keys[end].Hash == keys[begin].Hash)
        ++end;
    return end;
}

// Within each run of equal hashes, which is short unless records repeat, orders by bytes and
// then by position.
void SortEqualHashesByBytes(const TObjectRecords& records, std::vector<TRecordKey>& keys)
{
    const auto byBytes = [&records](const TRecordKey& a, const TRecordKey& b) {
        if (const int order = records.Record(a.Position).compare(records.Record(b.Position));
            order != 0)
            return order < 0;
        return a.Position < b.Position;
    };
    for (std::size_t begin = 0; begin < keys.size();) {
        const std::size_t end = HashRunEnd(keys, begin);
        if (end - begin > 1)
            std::sort(keys.begin() + static_cast<std::ptrdiff_t>(begin),
                      keys.begin() + static_cast<std::ptrdiff_t>(end), byBytes);
        begin = end;
    }
}

std::vector<int32_t> Unshared(const std::vector<bool>& shared)
{
    std::vector<int32_t> positions;
    for (std::size_t i = 0; i < shared.size(); ++i)
        if (!shared[i])
            positions.push_back(static_cast<int32_t>(i));
    return positions;
}

class TMatcher {
public:
    TMatcher(const TObjectRecords& old, const TObjectRecords& now) : Old(old), New(now)
    {
        Match.OldShared.assign(old.Count(), false);
        Match.NewShared.assign(now.Count(), false);
        PartnerOfOld.assign(old.Count(), -1);
    }

    // Walks both lists in step, as a revision keeps most objects in their order: equal objects
    // pair, and past a difference the walk goes on where the lists meet again nearby, or, where
    // they do not, past one object of each. Along a stretch that differs throughout it looks
    // ahead ever more rarely, so that lists with nothing in common cost one step each.
    void PairInStep()
    {
        std::size_t i = 0;
        std::size_t j = 0;
        std::size_t misses = 0;
        while (i < Old.Count() && j < New.Count()) {
            if (Old.SameRecord(i, New, j)) {
                Pair(i, j);
                ++i;
                ++j;
                misses = 0;
                continue;
            }
            const auto [skipOld, skipNew] =
                std::has_single_bit(++misses) ? NextMeeting(i, j) : std::pair<std::size_t, std::size_t>{1, 1};
            i += skipOld;
            j += skipNew;
        }
    }

    // Pairs the objects left by their records: sorted by hash, an object that is alone with
    // its hash on both sides pairs at once, its bytes checked later in list order, where they
    // lie together; hashes that several objects share are paired by their bytes.
    void PairTheRest()
    {
        std::vector<TRecordKey> oldKeys;
        std::vector<TRecordKey> newKeys;
        SortSideBySide([&] { oldKeys = UnpairedKeys(Old, Match.OldShared); },
                       [&] { newKeys = UnpairedKeys(New, Match.NewShared); });
        std::vector<bool> unchecked(Old.Count(), false);
        std::size_t i = 0;
        std::size_t j = 0;
        while (i < oldKeys.size() && j < newKeys.size()) {
            if (oldKeys[i].Hash != newKeys[j].Hash) {
                (oldKeys[i].Hash < newKeys[j].Hash ? i : j)++;
                continue;
            }
            const std::size_t oldEnd = HashRunEnd(oldKeys, i);
            const std::size_t newEnd = HashRunEnd(newKeys, j);
            if (oldEnd - i == 1 && newEnd - j == 1) {
                Pair(oldKeys[i].Position, newKeys[j].Position);
                unchecked[oldKeys[i].Position] = true;
            } else
                PairByBytes(oldKeys, i, oldEnd, newKeys, j, newEnd);
            i = oldEnd;
            j = newEnd;
        }
        UnpairDifferentBytes(unchecked);
    }

    TObjectMatch Take()
    {
        Match.Removed = Unshared(Match.OldShared);
        Match.Added = Unshared(Match.NewShared);
        int32_t lastPartner = -1;
        for (const int32_t partner : PartnerOfOld) {
            if (partner < 0)
                continue;
            if (partner < lastPartner)
                Match.SharedInOrder = false;
            lastPartner = partner;
        }
        return std::move(Match);
    }

private:
    // Runs both, on two threads when the lists are long enough to gain from it: those of two
    // drawings with little in common.
    template <class TSortOld, class TSortNew>
    void SortSideBySide(TSortOld sortOld, TSortNew sortNew) const
    {
        if (Old.Count() + New.Count() < SideBySideObjects) {
            sortOld();
            sortNew();
            return;
        }
        std::exception_ptr failure;
        {
            const std::jthread oldSorter([&] {
                try {
                    sortOld();
                } catch (...) {
                    failure = std::current_exception();
                }
            });
            sortNew();
        }
        if (failure)
            std::rethrow_exception(failure);
    }

    void Pair(std::size_t oldPosition, std::size_t newPosition)
    {
        Match.OldShared[oldPosition] = true;
        Match.NewShared[newPosition] = true;
        PartnerOfOld[oldPosition] = static_cast<int32_t>(newPosition);
    }

    // How far to move along each list from a difference at i and j: to the nearest place
    // within the look-ahead where an object of one list equals the other's current one.
    std::pair<std::size_t, std::size_t> NextMeeting(std::size_t i, std::size_t j) const
    {
        for (std::size_t d = 1; d <= LookAhead; ++d) {
            if (i + d < Old.Count() && Old.SameRecord(i + d, New, j))
                return {d, 0};
            if (j + d < New.Count() && Old.SameRecord(i, New, j + d))
                return {0, d};
        }
        return {1, 1};
    }

    static std::vector<TRecordKey> UnpairedKeys(const TObjectRecords& records,
                                                const std::vector<bool>& shared)
    {
        std::vector<TRecordKey> keys;
        keys.reserve(static_cast<std::size_t>(std::count(shared.begin(), shared.end(), false)));
        for (std::size_t position = 0; position < shared.size(); ++position)
            if (!shared[position])
                keys.push_back({records.Hashes.at(position), static_cast<uint32_t>(position)});
        SortByHash(keys);
        SortEqualHashesByBytes(records, keys);
        return keys;
    }

    // Within runs of one hash, sorted by bytes and then position, equal records pair in order.
    void PairByBytes(const std::vector<TRecordKey>& oldKeys, std::size_t i, std::size_t oldEnd,
                     const std::vector<TRecordKey>& newKeys, std::size_t j, std::size_t newEnd)
    {
        while (i < oldEnd && j < newEnd) {
            const int order =
                Old.Record(oldKeys[i].Position).compare(New.Record(newKeys[j].Position));
            if (order == 0)
                Pair(oldKeys[i].Position, newKeys[j].Position);
            if (order <= 0)
                ++i;
            if (order >= 0)
                ++j;
        }
    }

    // Two objects alone with a hash whose bytes differ share it by chance; as no other object
    // left has their hash, neither has an equal partner.
    void UnpairDifferentBytes(const std::vector<bool>& unchecked)
    {
        for (std::size_t position = 0; position < unchecked.size(); ++position) {
            if (!unchecked[position])
                continue;
            const auto partner = static_cast<std::size_t>(PartnerOfOld[position]);
            if (Old.Record(position) != New.Record(partner)) {
                Match.OldShared[position] = false;
                Match.NewShared[partner] = false;
                PartnerOfOld[position] = -1;
            }
        }
    }

    const TObjectRecords& Old;
    const TObjectRecords& New;
    TObjectMatch Match;
    std::vector<int32_t> PartnerOfOld;
};

}  // namespace

TObjectMatch MatchObjects(const TObjectRecords& old, const TObjectRecords& now)
{
    TMatcher matcher(old, now);
    matcher.PairInStep();
    matcher.PairTheRest();
    return matcher.Take();
}
