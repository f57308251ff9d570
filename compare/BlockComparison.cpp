#include "compare/BlockComparison.h"

#include <algorithm>
#include <string_view>
#include <utility>

#include "compare/NamedParts.h"
#include "compare/ObjectRecords.h"

namespace {

// A definition as a save writes it, apart from its name: its own fields, then the records of
// its objects in an order of their own, as objects have no identity.
struct TWrittenBlock {
    std::string Head;
    std::string Objects;
};

// Every definition of the list, written by one writer, as a drawing may hold thousands.
std::vector<TWrittenBlock> WrittenBlocks(const std::vector<TEntBlockDef>& defs)
{
    std::string bytes;
    std::vector<std::size_t> ends;  // of each definition's own fields and each of its records
    {
        TJwwWriter w(&bytes);
        for (const TEntBlockDef& def : defs) {
            CheckObjectCount(def, def.EntityCount);
            WriteEntBase(w, ComparedRecordVersion, KindList, def.Base);
            WriteInt(w, def.Number);
            WriteInt(w, def.Referenced);
            WriteInt(w, def.Time);
            ends.push_back(static_cast<std::size_t>(w.Position()));
            for (int32_t i = 0; i < def.EntityCount; ++i) {
                WriteComparedRecord(w, def, def.EntityOrder[static_cast<std::size_t>(i)]);
                ends.push_back(static_cast<std::size_t>(w.Position()));
            }
        }
        w.Flush();
    }
    std::vector<TWrittenBlock> blocks;
    std::size_t end = 0;
    std::size_t next = 0;
    const auto take = [&] {
        const std::size_t begin = std::exchange(end, ends.at(next++));
        return std::string_view(bytes).substr(begin, end - begin);
    };
    for (const TEntBlockDef& def : defs) {
        TWrittenBlock& block = blocks.emplace_back();
        block.Head = take();
        std::vector<std::string_view> records;
        for (int32_t i = 0; i < def.EntityCount; ++i)
            records.push_back(take());
        std::sort(records.begin(), records.end());
        for (const std::string_view record : records)
            block.Objects.append(record);
    }
    return blocks;
}

std::string SavedName(const TEntBlockDef& def)
{
    return StripControlChars(def.Name);
}

// The objects of two definitions that differ, counted by kind.
TChangeCounts ObjectChanges(const TEntBlockDef& old, const TEntBlockDef& now)
{
    const TObjectRecords oldRecords = WrittenRecords(old, old.EntityCount);
    const TObjectRecords newRecords = WrittenRecords(now, now.EntityCount);
    const TObjectMatch match = MatchObjects(oldRecords, newRecords);
    return {CountKinds(newRecords, match.Added), CountKinds(oldRecords, match.Removed)};
}

}  // namespace

std::vector<TBlockChange> CompareBlocks(const TJwwDocument& old, const TJwwDocument& now)
{
    std::vector<TBlockChange> changes;
    const std::vector<TEntBlockDef>& was = old.BlockDefList;
    const std::vector<TEntBlockDef>& is = now.BlockDefList;
    const std::vector<TWrittenBlock> oldBlocks = WrittenBlocks(was);
    const std::vector<TWrittenBlock> newBlocks = WrittenBlocks(is);
    for (const TNamedPair& pair : PairByName(was, is, SavedName)) {
        if (!pair.Old) {
            changes.push_back({SavedName(is[*pair.New]), TChange::Added, false, {}});
            continue;
        }
        const TEntBlockDef& oldDef = was[*pair.Old];
        if (!pair.New) {
            changes.push_back({SavedName(oldDef), TChange::Removed, false, {}});
            continue;
        }
        const TWrittenBlock& oldBlock = oldBlocks[*pair.Old];
        const TWrittenBlock& newBlock = newBlocks[*pair.New];
        const bool headChanged = oldBlock.Head != newBlock.Head;
        if (!headChanged && oldBlock.Objects == newBlock.Objects)
            continue;
        changes.push_back({SavedName(oldDef), TChange::Changed, headChanged,
                           ObjectChanges(oldDef, is[*pair.New])});
    }
    return changes;
}
