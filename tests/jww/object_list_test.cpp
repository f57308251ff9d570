#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "tests/jww/ObjectBytes.h"

namespace {

using TOrder = std::vector<std::pair<int32_t, int32_t>>;

TOrder Order(const TEntityCollections& list)
{
    TOrder order;
    for (const TEntRef& ref : list.EntityOrder)
        order.emplace_back(ref.Kind, ref.Index);
    return order;
}

// Lines in the entity list, and the same lines in a block definition.
TJwwDocument DocumentWithLines(int lines)
{
    TJwwDocument doc;
    doc.Header.Version = 700;
    for (int i = 0; i < lines; ++i) {
        doc.SenList.push_back({PlainBase(static_cast<uint32_t>(i)), 1.0 * i});
        doc.EntityOrder.push_back({KindSen, i});
    }
    doc.Header.EntityCount = lines;
    TEntBlockDef& def = doc.BlockDefList.emplace_back(SampleDef(1));
    static_cast<TEntityCollections&>(def) = doc;
    def.EntityCount = lines;
    doc.Header.BlockDefCount = 1;
    return doc;
}

// Every kind, interleaved, with the optional fields and the long string form among them.
void AddEveryKind(TListBuilder& b, int seed)
{
    TEntSunpo withoutMode = SampleDimension(seed + 9);
    withoutMode.SxfMode = 0;
    b.Object(SampleLine(seed)).Object(SampleText(seed + 1)).Object(SampleLine(seed + 2));
    b.Object(SampleArc(seed + 3)).Object(SampleText(seed + 4)).Object(SampleSolid(seed + 5, true));
    b.Object(SampleBlock(seed + 6)).Object(SamplePoint(seed + 7)).Object(SamplePoint(seed + 8, true));
    b.Object(withoutMode).Object(SampleDimension(seed + 10)).Object(SampleSolid(seed + 11));
}

}  // namespace

TEST(EntityList, NumbersClassesAndObjectsWithOneRunningIndex)
{
    const std::string point = RecordBytes(SamplePoint(4, true), 700);
    const std::string bytes =
        Hex("04 00 FF FF BC 02 08 00") + "CDataSen" + RecordBytes(SampleLine(1), 700) +  // 1, 2
        Hex("01 80") + RecordBytes(SampleLine(2), 700) +                                // 3
        Hex("FF FF BC 02 08 00") + "CDataTen" + point + Hex("04 80") + point;           // 4 to 6
    const TListsRead read = ReadLists(bytes + "next", 700, false);
    EXPECT_EQ(read.Consumed, bytes.size());
    EXPECT_EQ(Order(read.Doc), (TOrder{{1, 0}, {1, 1}, {3, 0}, {3, 1}}));
    EXPECT_EQ(read.Registry.RunningIndex, 7);
    EXPECT_EQ(WriteLists(read.Doc, 700, false), bytes);

    const TListsRead empty = ReadLists(Hex("00 00") + "next", 700, false);
    EXPECT_EQ(empty.Consumed, 2u);
    EXPECT_EQ(WriteLists(empty.Doc, 700, false), Hex("00 00"));

    // The schema written is the target version, whatever was read.
    const std::string line = RecordBytes(PlainBase(1), 420) + std::string(32, '\0');
    const TListsRead other = ReadLists(Hex("01 00 FF FF 34 12 08 00") + "CDataSen" + line, 420, false);
    EXPECT_EQ(WriteLists(other.Doc, 420, false), Hex("01 00 FF FF A4 01 08 00") + "CDataSen" + line);
}

TEST(EntityList, EveryKindHereAndInsideDefinitionsComesBackInItsOrder)
{
    TListBuilder b(700);
    b.Count(12);
    AddEveryKind(b, 0);
    b.Count(3);
    b.Object(SampleDef(1)).Count(12);
    AddEveryKind(b, 20);
    b.Object(SampleDef(2)).Count(0);  // the next definition's tag follows at once
    b.Object(SampleDef(3)).Count(1);
    b.Object(SampleLine(40));
    const TListsRead read = ReadLists(b.Bytes(), 700);
    EXPECT_EQ(read.Consumed, b.Size());
    EXPECT_EQ(Order(read.Doc), (TOrder{{1, 0}, {4, 0}, {1, 1}, {2, 0}, {4, 1}, {6, 0}, {7, 0},
                                       {3, 0}, {3, 1}, {5, 0}, {5, 1}, {6, 1}}));
    EXPECT_EQ(Order(read.Doc.BlockDefList.at(0)), Order(read.Doc));
    EXPECT_EQ(read.Registry.RunningIndex, b.Running);
    EXPECT_EQ(WriteLists(read.Doc, 700), b.Bytes());
}

TEST(EntityList, CountsFrom0xFFFFAndClassIndicesFrom0x7FFFTakeTheLongForms)
{
    for (int32_t count : {0xFFFE, 0xFFFF}) {
        TListBuilder b(700);
        b.Count(count);
        for (int32_t i = 0; i < count; ++i)
            b.Object(SamplePoint(i % 7));
        const TListsRead read = ReadLists(b.Bytes(), 700, false);
        EXPECT_EQ(read.Doc.TenList.size(), static_cast<std::size_t>(count));
        EXPECT_EQ(WriteLists(read.Doc, 700, false), b.Bytes());
    }
    // 32765 lines bring the running index to 0x7FFF for the point class.
    TListBuilder b(700);
    b.Count(0x7FFF - 2 + 5);
    for (int32_t i = 0; i < 0x7FFF - 2; ++i)
        b.Object(SampleLine(i % 50));
    b.Object(SamplePoint(1)).Object(SamplePoint(2));  // class 0x7FFF, then referred to as such
    b.Object(SampleLine(3)).Object(SampleArc(4)).Object(SampleArc(5));  // class 0x8003
    ASSERT_NE(b.Bytes().find(Hex("FF 7F FF 7F 00 80") + RecordBytes(SamplePoint(2), 700)),
              std::string::npos);
    ASSERT_NE(b.Bytes().find(Hex("FF 7F 03 80 00 80") + RecordBytes(SampleArc(5), 700)),
              std::string::npos);
    EXPECT_EQ(WriteLists(ReadLists(b.Bytes(), 700, false).Doc, 700, false), b.Bytes());
}

TEST(EntityList, TagsOfUnknownClassesIndexZeroOrObjectsSelectNothing)
{
    const std::string line = RecordBytes(PlainBase(1), 700) + std::string(32, '\x11');
    TJwwBuilder b;
    b.Count(2).NewClass(700, "CDataFoo");   // 1, no record follows
    b.NewClass(700, "cdatasen");            // 2, names are compared with their case
    b.NewClass(700, "CDataSen").Raw(line);  // 3, the line 4
    // An unknown class, an object, index 0 (every kind's index before its class is named) in
    // both forms, and negative indices.
    b.ClassRef(1).ClassRef(4).Raw(Hex("00 80 FF 7F 00 00 00 80 05 00 00 00"));
    b.ClassRef(3).Raw(line);
    const TListsRead read = ReadLists(b.Bytes(), 700, false);
    EXPECT_EQ(read.Consumed, b.Size());
    EXPECT_EQ(Order(read.Doc), (TOrder{{1, 0}, {1, 1}}));
    EXPECT_EQ(read.Registry.RunningIndex, 6);
    EXPECT_EQ(WriteLists(read.Doc, 700, false),
              Hex("02 00 FF FF BC 02 08 00") + "CDataSen" + line + Hex("01 80") + line);
}

TEST(EntityList, NegativeOrHugeCountsFailWithoutAllocatingForThem)
{
    TListsRead read = ReadLists(Hex("FF FF 00 00 00 80") + std::string(100, '\0'), 700, false);
    EXPECT_EQ(read.Failure, TFailure::Range);
    EXPECT_EQ(read.Doc.Header.EntityCount, INT32_MIN);
    EXPECT_THROW(WriteLists(read.Doc, 700, false), EJwwRangeError);

    TListBuilder b(700);
    b.Count(INT32_MAX);
    for (int i = 0; i < 10; ++i)
        b.Object(SampleLine(i));
    read = ReadLists(b.Bytes(), 700, false);
    EXPECT_EQ(read.Failure, TFailure::IO);
    EXPECT_EQ(read.Doc.Header.EntityCount, INT32_MAX);
    EXPECT_EQ(read.Doc.EntityOrder.size(), 10u);
    EXPECT_LE(read.Doc.EntityOrder.capacity(), b.Size() / 15);
    EXPECT_LE(read.Doc.SenList.capacity(), 16u);

    TClassRegistry registry;
    registry.RunningIndex = INT32_MAX;
    EXPECT_THROW(registry.Advance(), EJwwRangeError);
}

TEST(EntityList, OrderTablesThatDoNotMatchTheirCollectionsAreNotWritten)
{
    const std::pair<const char*, void (*)(TJwwDocument&)> mismatches[] = {
        {"count beyond the order", [](TJwwDocument& d) { d.Header.EntityCount = 3; }},
        {"index beyond the lines", [](TJwwDocument& d) { d.EntityOrder[1].Index = 2; }},
        {"negative index", [](TJwwDocument& d) { d.EntityOrder[1].Index = -1; }},
        {"no dimension held", [](TJwwDocument& d) { d.EntityOrder[1].Kind = KindSunpo; }},
        {"no kind", [](TJwwDocument& d) { d.EntityOrder[0].Kind = 0; }},
        {"a definition", [](TJwwDocument& d) { d.EntityOrder[0].Kind = KindList; }},
        // A load that failed before or inside the definitions keeps the counts it read.
        {"definitions", [](TJwwDocument& d) { d.Header.BlockDefCount = 2; }},
        {"definition's count", [](TJwwDocument& d) { d.BlockDefList[0].EntityCount = 3; }},
        {"definition's index", [](TJwwDocument& d) { d.BlockDefList[0].EntityOrder[0].Index = 2; }}};
    for (const auto& [what, mismatch] : mismatches) {
        TJwwDocument doc = DocumentWithLines(2);
        ASSERT_NO_THROW(WriteLists(doc, 700));
        mismatch(doc);
        EXPECT_THROW(WriteLists(doc, 700), EJwwRangeError) << what;
        EXPECT_THROW(WriteLists(doc, 400), EJwwRangeError) << what;
    }
    // Fewer objects announced than held: the first ones are written, and the count agrees.
    TJwwDocument doc = DocumentWithLines(3);
    doc.Header.EntityCount = 2;
    EXPECT_EQ(ReadLists(WriteLists(doc, 700), 700).Doc.SenList.size(), 2u);
}
