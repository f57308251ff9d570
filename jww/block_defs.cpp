// The block-definition list: named groups of objects, each a "CDataList" object with a base
// record, three integers, a name and a nested object list. It continues the numbering of the
// entity list, and its nested lists are read and written as the entity list is.
#include <string>

#include "jww/records.h"

namespace {

// A time stamp with bit 31 set is followed by 8 bytes that hold nothing the drawing keeps;
// part of the file format.
constexpr uint32_t LongTimeFlag = 0x80000000u;
constexpr uint64_t LongTimeTailBytes = 8;

struct TBlockDefReader : TRecordReader {
    int32_t Position;  // 1-based, in the list

    // The long form is replaced by the definition's position, as the CAD program does.
    void Time(int32_t& time)
    {
        Field(time);
        if (static_cast<uint32_t>(time) & LongTimeFlag) {
            R.Skip(LongTimeTailBytes);
            time = Position;
        }
    }
};

struct TBlockDefWriter : TRecordWriter {
    // Always the short form, whichever form was read.
    void Time(int32_t time) { Field(time); }
};

template <class IO, RecordOf<TEntBlockDef> D>
void Fields(IO& io, D& def)
{
    io.Base(def.Base, KindList);
    io.Field(def.Number);
    io.Field(def.Referenced);
    io.Time(def.Time);
    io.Text(def.Name);
}

// Whatever class the tag names, a block definition follows it.
void ReadBlockDefTag(TJwwReader& r, TClassRegistry& registry)
{
    if (ReadClassTag(r).IsNewClass) {
        registry.ClassIndex[KindList] = registry.RunningIndex;
        registry.Advance();
    }
}

}  // namespace

void ReadBlockDefList(TJwwReader& r, TJwwDocument& doc, TClassRegistry& registry, int32_t version)
{
    TReadContext context(r, "block definition");
    int32_t& count = doc.Header.BlockDefCount;
    count = 0;
    doc.BlockDefList.clear();
    ReadObjectCount(r, count);
    // The definitions not yet read are there, empty, should the file end early; but never more
    // of them than the bytes left could hold.
    doc.BlockDefList.resize(ReservableEntries(r, count, MinBlockDefBytes));
    for (int32_t p = 0; p < count; ++p) {
        const auto position = static_cast<std::size_t>(p);
        if (position == doc.BlockDefList.size())
            doc.BlockDefList.emplace_back();
        TEntBlockDef& def = doc.BlockDefList[position];
        ReadBlockDefTag(r, registry);
        TBlockDefReader io{{r, version}, p + 1};
        Fields(io, def);
        ReadObjectCount(r, def.EntityCount);
        registry.Advance();  // the number of the definition itself
        ReadObjects(r, version, registry, def.EntityCount, def);
    }
}

void WriteBlockDefList(TJwwWriter& w, const TJwwDocument& doc, int32_t targetVersion,
                       TClassRegistry& registry)
{
    const int32_t count = doc.Header.BlockDefCount;
    // A count beyond the list (a drawing whose load failed before or inside it) announces
    // definitions that do not exist.
    if (count < 0 || static_cast<std::size_t>(count) > doc.BlockDefList.size())
        throw EJwwRangeError("block definition count " + std::to_string(count) + " exceeds the " +
                             std::to_string(doc.BlockDefList.size()) + " definitions held");
    WriteJwwCount(w, count);
    for (int32_t p = 0; p < count; ++p) {
        const TEntBlockDef& def = doc.BlockDefList[static_cast<std::size_t>(p)];
        WriteObjectTag(w, targetVersion, registry, KindList);
        TBlockDefWriter io{{w, targetVersion}};
        Fields(io, def);
        WriteJwwCount(w, WrittenObjectCount(def, def.EntityCount, targetVersion, doc.Header.Version));
        registry.Advance();
        WriteObjects(w, targetVersion, doc.Header.Version, registry, def.EntityCount, def);
    }
}
