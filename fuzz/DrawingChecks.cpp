// Checks of the whole-file load and of the load-save-load round trip, on drawings in memory.
#include <memory>
#include <string>

#include "cli/DrawingLoad.h"
#include "fuzz/FuzzChecks.h"
#include "jww/jwwunit.h"
#include "jww/private_image_folder.h"

namespace {

// Saves after which a drawing that went through every normalisation of the writers must
// come back as the same bytes.
constexpr int MaxSavesToSettle = 6;

bool LoadFromMemory(TJwwDocument& doc, std::string_view bytes, std::string& failure)
{
    TJwwReader r = TJwwReader::FromBytes(std::string(bytes));
    return LoadJww(doc, r, &failure);
}

bool SaveToMemory(const TJwwDocument& doc, std::string& bytes, std::string& failure)
{
    TJwwWriter w(&bytes);
    return SaveJww(doc, w, doc.Header.Version, &failure);
}

void ExpectHeaderTables(const TJwwDocument& doc)
{
    Expect(doc.LayerGroupTable.size() == 16 && doc.LayerTable.size() == 256 &&
               doc.SettingsTableB.size() == 10 && doc.SettingsTableC.size() == 8 &&
               doc.SettingsTableD.size() == 5 && doc.SettingsTableE.size() == 4 &&
               doc.SettingsTableF.size() == 10 && doc.ColorExTable.size() == 257 &&
               doc.LineTypeExTable.size() == 33,
           "a header table lacks its fixed length after a load");
}

// Every order entry selects an existing record, the entries of one kind count up from 0 and
// every record is selected once: what the writers and the window's counts rely on.
void ExpectConsistentList(const TEntityCollections& list, int32_t count, const char* which)
{
    const std::string where = std::string(" in ") + which;
    Expect(count >= 0 && list.EntityOrder.size() == static_cast<std::size_t>(count),
           "order table length differs from the object count" + where);
    const std::size_t sizes[] = {list.SenList.size(),   list.EnkoList.size(),
                                 list.TenList.size(),   list.MojiList.size(),
                                 list.SunpoList.size(), list.SolidList.size(),
                                 list.BlockList.size()};
    std::size_t next[std::size(sizes)] = {};
    for (const TEntRef& ref : list.EntityOrder) {
        Expect(ref.Kind >= KindSen && ref.Kind <= KindBlock, "order entry of no kind" + where);
        const auto kind = static_cast<std::size_t>(ref.Kind - KindSen);
        Expect(ref.Index >= 0 && static_cast<std::size_t>(ref.Index) == next[kind],
               "order entries of one kind out of sequence" + where);
        ++next[kind];
    }
    for (std::size_t kind = 0; kind < std::size(sizes); ++kind)
        Expect(next[kind] == sizes[kind], "a record that no order entry selects" + where);
}

void ExpectConsistentDocument(const TJwwDocument& doc)
{
    ExpectConsistentList(doc, doc.Header.EntityCount, "the entity list");
    Expect(doc.Header.BlockDefCount >= 0 &&
               doc.BlockDefList.size() == static_cast<std::size_t>(doc.Header.BlockDefCount),
           "block definition list length differs from its count");
    for (const TEntBlockDef& blockDef : doc.BlockDefList)
        ExpectConsistentList(blockDef, blockDef.EntityCount, "a block definition");
    Expect(TempImageCount <= 0 || TempImageList.size() == static_cast<std::size_t>(TempImageCount),
           "image list length differs from the image count");
}

}  // namespace

TLoadOutcome CheckLoad(std::string_view bytes)
{
    const TImageListOnly scanOnly;
    const auto doc = std::make_unique<TJwwDocument>();
    std::string failure;
    const bool complete = LoadFromMemory(*doc, bytes, failure);
    ExpectHeaderTables(*doc);
    if (!complete)
        return TLoadOutcome::Incomplete;
    ExpectConsistentDocument(*doc);
    return TLoadOutcome::Complete;
}

TRoundTripOutcome CheckRoundTrip(std::string_view bytes)
{
    const TPrivateImageFolder images;
    const auto doc = std::make_unique<TJwwDocument>();
    std::string failure;
    const bool complete = LoadFromMemory(*doc, bytes, failure);

    // The window saves whatever a load left, so a partial document must save cleanly or not at
    // all; what it writes must be a drawing like any other.
    std::string saved;
    const bool savedFirst = SaveToMemory(*doc, saved, failure);
    Expect(savedFirst || !complete, "a drawing that loaded completely was not saved: " + failure);
    if (!savedFirst)
        return TRoundTripOutcome::NotSaved;

    // A few normalisations of the writers settle only over several saves: a negative split
    // integer first becomes its remainder plus 10 and then that plus 10; cleaning a text of its
    // caret-m pairs can join a new pair from the neighbours of one it removed. So the saved
    // bytes must become stable within a few rounds, each saved file loading completely.
    std::string previous = std::move(saved);
    for (int round = 1;; ++round) {
        const auto reloaded = std::make_unique<TJwwDocument>();
        const bool reloadedComplete = LoadFromMemory(*reloaded, previous, failure);
        Expect(reloadedComplete, "a saved drawing did not load completely: " + failure);
        ExpectConsistentDocument(*reloaded);
        std::string next;
        const bool savedAgain = SaveToMemory(*reloaded, next, failure);
        Expect(savedAgain, "a reloaded drawing was not saved: " + failure);
        if (next == previous)
            break;
        Expect(round < MaxSavesToSettle, "saving a reloaded drawing keeps giving other bytes");
        previous = std::move(next);
    }
    return TRoundTripOutcome::RoundTripped;
}
