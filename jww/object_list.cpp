// The object-list framing: a count, then every object as a class tag and its record. Classes
// are named in full once and referred to by number afterwards; every class and every object
// takes the next value of one running index, which runs on through the block definitions.
// The main entity list and the nested lists of block definitions share this reader and writer.
#include <algorithm>
#include <limits>
#include <string>

#include "jww/huge_pages.h"
#include "jww/records.h"

namespace {

// The kind a tag selects. A new class takes the running index whether or not its name is one
// of ours; a reference selects the kind whose class received that index. Index 0 and negative
// indices are never given, so they select nothing.
int32_t KindOfTag(const TClassTag& tag, TClassRegistry& registry)
{
    if (tag.IsNewClass) {
        int32_t kind = 0;
        for (int32_t k = KindSen; k <= KindBlock; ++k) {
            if (tag.ClassName == KindClassNames[k]) {
                registry.ClassIndex[k] = registry.RunningIndex;
                kind = k;
                break;
            }
        }
        registry.Advance();
        return kind;
    }
    if (tag.ClassIndex < 1)
        return 0;
    for (int32_t k = KindSen; k <= KindBlock; ++k) {
        if (registry.ClassIndex[k] == tag.ClassIndex)
            return k;
    }
    return 0;
}

// How far a list has come, which tells how large each kind's collection will grow.
struct TListProgress {
    int32_t Count;  // the objects the list announces
    int32_t Read;   // the objects read before this one
};

// The fewest bytes an object of each kind takes on disk: the least any object takes (its tag
// word and a base record without the pen width) and the record's fixed fields (empty texts, no
// optional fields).
constexpr std::array<uint64_t, 8> KindMinBytes = {
    0, MinObjectBytes + 32, MinObjectBytes + 60, MinObjectBytes + 20, MinObjectBytes + 70,
    MinObjectBytes + 45 + 83, MinObjectBytes + 64, MinObjectBytes + 44};

// A collection's capacity once it is full. Growing by doubling copies every record about once
// more and touches twice the memory it keeps, which on a large drawing costs more than reading
// it. So a full collection is sized for the share of the remaining objects its kind has had so
// far, with a margin, and grows by at least half its size should that share change; it never
// grows beyond what the objects still announced and the bytes still in the file can hold.
template <class Rec>
std::size_t GrownCapacity(const TJwwReader& r, const std::vector<Rec>& list,
                          const TListProgress& progress, int32_t kind)
{
    constexpr uint64_t ProjectionSample = 4096;
    const uint64_t size = list.size();
    const uint64_t read = static_cast<uint64_t>(progress.Read);
    const uint64_t remaining = static_cast<uint64_t>(progress.Count - progress.Read);
    uint64_t grow = std::max<uint64_t>(size / 2, 4);
    if (read >= ProjectionSample) {
        const uint64_t projected = size * remaining / read;
        grow = std::max(grow, projected + projected / 8);
    }
    const uint64_t fits = r.BytesLeft() / KindMinBytes[static_cast<std::size_t>(kind)] + 1;
    grow = std::min({grow, remaining, fits});
    return static_cast<std::size_t>(size + std::max<uint64_t>(grow, 1));
}

template <class Rec>
int32_t AppendRecord(TJwwReader& r, int32_t version, std::vector<Rec>& list,
                     const TListProgress& progress, int32_t kind)
{
    if (list.size() == list.capacity()) {
        list.reserve(GrownCapacity(r, list, progress, kind));
        // Taking the memory of a large drawing a small page at a time costs the system more
        // than reading the drawing does.
        AdviseHugePages(list.data() + list.size(), (list.capacity() - list.size()) * sizeof(Rec));
    }
    ReadRecord(r, version, list.emplace_back());
    return static_cast<int32_t>(list.size() - 1);
}

// What a short read names, by kind code.
constexpr std::array<const char*, 8> KindRecordNames = {
    "object list",  "line record",      "arc record",  "point record",
    "text record",  "dimension record", "solid record", "block insertion record"};

int32_t ReadRecordOfKind(TJwwReader& r, int32_t version, int32_t kind,
                         const TListProgress& progress, TEntityCollections& into)
{
    TReadContext context(r, KindRecordNames[static_cast<std::size_t>(kind)]);
    switch (kind) {
    case KindSen:
        return AppendRecord(r, version, into.SenList, progress, kind);
    case KindEnko:
        return AppendRecord(r, version, into.EnkoList, progress, kind);
    case KindTen:
        return AppendRecord(r, version, into.TenList, progress, kind);
    case KindMoji:
        return AppendRecord(r, version, into.MojiList, progress, kind);
    case KindSunpo:
        return AppendRecord(r, version, into.SunpoList, progress, kind);
    case KindSolid:
        return AppendRecord(r, version, into.SolidList, progress, kind);
    default:
        return AppendRecord(r, version, into.BlockList, progress, kind);
    }
}

// The first count entries of the order table; a count beyond the table (a drawing whose load
// failed part-way) must not be written, as the objects it announces do not exist.
const TEntRef* OrderEntries(const TEntityCollections& from, int32_t count)
{
    if (count < 0 || static_cast<std::size_t>(count) > from.EntityOrder.size())
        throw EJwwRangeError("object count " + std::to_string(count) + " exceeds the " +
                             std::to_string(from.EntityOrder.size()) + " objects held");
    return from.EntityOrder.data();
}

}  // namespace

void WriteObjectRecord(TJwwWriter& w, int32_t targetVersion, int32_t docVersion,
                       TClassRegistry& registry, const TEntRef& ref, const TEntityCollections& from)
{
    VisitObject(from, ref, [&](const auto& rec) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(rec)>, TEntSunpo>)
            WriteRecord(w, targetVersion, docVersion, registry, rec);
        else
            WriteRecord(w, targetVersion, rec);
    });
}

void WriteObjectTag(TJwwWriter& w, int32_t targetVersion, TClassRegistry& registry, int32_t kind)
{
    int32_t& classIndex = registry.ClassIndex.at(static_cast<std::size_t>(kind));
    if (classIndex != 0) {
        WriteClassRef(w, classIndex);
        return;
    }
    WriteNewClass(w, targetVersion, KindClassNames.at(static_cast<std::size_t>(kind)));
    classIndex = registry.RunningIndex;
    registry.Advance();
}

std::size_t ReservableEntries(const TJwwReader& r, int32_t count, uint64_t minBytesEach)
{
    return static_cast<std::size_t>(
        std::min<uint64_t>(static_cast<uint64_t>(count), r.BytesLeft() / minBytesEach));
}

void ReadObjectCount(TJwwReader& r, int32_t& count)
{
    count = ReadJwwCount(r);
    if (count < 0)
        throw EJwwRangeError("negative object count " + std::to_string(count));
}

void ReadObjects(TJwwReader& r, int32_t version, TClassRegistry& registry, int32_t count,
                 TEntityCollections& into)
{
    TReadContext context(r, "object list");
    into.EntityOrder.reserve(ReservableEntries(r, count, MinObjectBytes));
    AdviseHugePages(into.EntityOrder.data(), into.EntityOrder.capacity() * sizeof(TEntRef));
    int32_t read = 0;
    while (read < count) {
        const int32_t kind = KindOfTag(ReadClassTag(r), registry);
        // A tag of no known class carries no record we could skip; the next tag follows.
        if (kind == 0)
            continue;
        const int32_t index = ReadRecordOfKind(r, version, kind, {count, read}, into);
        into.EntityOrder.push_back({kind, index});
        ++read;
        registry.Advance();
    }
}

int32_t WrittenObjectCount(const TEntityCollections& from, int32_t count, int32_t targetVersion,
                           int32_t docVersion)
{
    const TEntRef* entries = OrderEntries(from, count);
    if (targetVersion >= SxfVersion || docVersion < SxfVersion)
        return count;
    int64_t written = count;
    for (int32_t i = 0; i < count; ++i) {
        if (entries[i].Kind == KindSunpo && ObjectAt(from.SunpoList, entries[i].Index).SxfMode != 0)
            written += 6;
    }
    if (written > std::numeric_limits<int32_t>::max())
        throw EJwwRangeError("object count overflows 32 bits");
    return static_cast<int32_t>(written);
}

void WriteObjects(TJwwWriter& w, int32_t targetVersion, int32_t docVersion,
                  TClassRegistry& registry, int32_t count, const TEntityCollections& from)
{
    const TEntRef* entries = OrderEntries(from, count);
    for (int32_t i = 0; i < count; ++i) {
        const TEntRef& ref = entries[i];
        // An entry of no kind would leave the count word announcing an object that is not there.
        if (ref.Kind < KindSen || ref.Kind > KindBlock)
            throw EJwwRangeError("object order holds kind " + std::to_string(ref.Kind));
        WriteObjectTag(w, targetVersion, registry, ref.Kind);
        WriteObjectRecord(w, targetVersion, docVersion, registry, ref, from);
        registry.Advance();
    }
}

void ReadEntityList(TJwwReader& r, TJwwDocument& doc, TClassRegistry& registry)
{
    registry = TClassRegistry{};
    ReadObjectCount(r, doc.Header.EntityCount);
    ReadObjects(r, doc.Header.Version, registry, doc.Header.EntityCount, doc);
}

void WriteEntityList(TJwwWriter& w, const TJwwDocument& doc, int32_t targetVersion,
                     TClassRegistry& registry)
{
    const int32_t count = doc.Header.EntityCount;
    WriteJwwCount(w, WrittenObjectCount(doc, count, targetVersion, doc.Header.Version));
    registry = TClassRegistry{};
    WriteObjects(w, targetVersion, doc.Header.Version, registry, count, doc);
}
