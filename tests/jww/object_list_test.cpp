#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/jww/ObjectBytes.h"

namespace {

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

const std::string ListClass = Hex("FF FF BC 02 09 00") + "CDataList";
const std::string LineClass = Hex("FF FF BC 02 08 00") + "CDataSen";
const std::string Line = RecordBytes(SampleLine(1), 700);

std::string Def(const TEntBlockDef& def)
{
    return RecordBytes(def, 700);
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
    EXPECT_EQ(read.Doc.TenList.size(), 2u);
    EXPECT_EQ(WriteLists(read.Doc, 700, false), bytes);
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
    EXPECT_EQ(read.Registry.RunningIndex, b.Running);
    EXPECT_EQ(WriteLists(read.Doc, 700), b.Bytes());
}

TEST(EntityList, CountsFrom0xFFFFAndClassIndicesFrom0x7FFFTakeTheLongForms)
{
    TListBuilder points(700);
    points.Count(0xFFFF);
    for (int32_t i = 0; i < 0xFFFF; ++i)
        points.Object(SamplePoint(i % 7));
    const TListsRead read = ReadLists(points.Bytes(), 700, false);
    EXPECT_EQ(read.Doc.TenList.size(), 0xFFFFu);
    EXPECT_EQ(WriteLists(read.Doc, 700, false), points.Bytes());

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
    EXPECT_EQ(read.Registry.RunningIndex, 6);
    EXPECT_EQ(WriteLists(read.Doc, 700, false),
              Hex("02 00 FF FF BC 02 08 00") + "CDataSen" + line + Hex("01 80") + line);
}

TEST(EntityList, NegativeOrHugeCountsFailWithoutAllocatingForThem)
{
    TListsRead read;
    EXPECT_THROW(ReadListsInto(read, Hex("FF FF 00 00 00 80") + std::string(100, '\0'), 700),
                 EJwwRangeError);
    EXPECT_EQ(read.Doc.Header.EntityCount, INT32_MIN);
    EXPECT_THROW(WriteLists(read.Doc, 700, false), EJwwRangeError);

    TListBuilder b(700);
    b.Count(INT32_MAX);
    for (int i = 0; i < 10; ++i)
        b.Object(SampleLine(i));
    TListsRead huge;
    EXPECT_THROW(ReadListsInto(huge, b.Bytes(), 700), EJwwIOError);
    EXPECT_EQ(huge.Doc.Header.EntityCount, INT32_MAX);
    EXPECT_EQ(huge.Doc.EntityOrder.size(), 10u);
    EXPECT_LE(huge.Doc.EntityOrder.capacity(), b.Size() / 15);
    EXPECT_LE(huge.Doc.SenList.capacity(), 16u);

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
        // Entries of no object kind, even where an insertion could be taken for them.
        {"no kind", [](TJwwDocument& d) { d.BlockList.resize(1); d.EntityOrder[0] = {0, 0}; }},
        {"a definition", [](TJwwDocument& d) { d.BlockList.resize(1); d.EntityOrder[0] = {8, 0}; }},
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

TEST(BlockDefList, ContinuesTheNumberingOfTheEntityList)
{
    const std::string twoDefinitions = Hex("00 00 02 00") + ListClass + Def(SampleDef(1)) +
                                       Hex("01 00") + LineClass + Line + Hex("01 80") +
                                       Def(SampleDef(2)) + Hex("01 00 03 80") + Line;  // 1 to 6
    const std::string afterALine = Hex("01 00") + LineClass + Line +                   // 1, 2
                                   Hex("01 00") + ListClass + Def(SampleDef(1)) +      // 3, 4
                                   Hex("01 00 01 80") + Line;                          // 5
    for (const auto& [bytes, running] : {std::pair{twoDefinitions, 7}, std::pair{afterALine, 6}}) {
        const TListsRead read = ReadLists(bytes + "images", 700);
        EXPECT_EQ(read.Consumed, bytes.size());
        EXPECT_EQ(read.Registry.RunningIndex, running);
        EXPECT_EQ(read.Doc.BlockDefList.back().SenList.size(), 1u);
        EXPECT_EQ(WriteLists(read.Doc, 700), bytes);
    }
}

TEST(BlockDefList, LongFormTimeBecomesThePositionAndIsWrittenShort)
{
    TEntBlockDef third = SampleDef(3);
    third.Time = static_cast<int32_t>(0x80000005u);
    // Eight bytes follow the long form: after the base, Number, Referenced and Time.
    const std::string longThird = Def(third).insert(15 + 12, "8 bytes!");
    const std::string head = Hex("00 00 03 00") + ListClass + Def(SampleDef(1)) +
                             Hex("00 00 01 80") + Def(SampleDef(2)) + Hex("00 00 01 80");
    const std::string tail = Hex("01 00") + LineClass + Line;
    const TListsRead read = ReadLists(head + longThird + tail, 700);
    EXPECT_EQ(read.Consumed, head.size() + longThird.size() + tail.size());
    third.Time = 3;
    EXPECT_EQ(WriteLists(read.Doc, 700), head + Def(third) + tail);
}

TEST(BlockDefList, NamesAreCleanedAndTheBaseCheckedAsKind8)
{
    TJwwDocument doc;
    doc.Header.Version = 700;
    doc.BlockDefList = {SampleDef(1), SampleDef(2), SampleDef(3)};
    doc.Header.BlockDefCount = 3;
    doc.BlockDefList[0].Name = "\r\n\t";
    doc.BlockDefList[1].Name = "";
    doc.BlockDefList[2].Name = "a^mb";
    doc.BlockDefList[2].Base = {7, 0, 500, 30001, 20, 16, 3};
    std::vector<TEntBlockDef> written = doc.BlockDefList;
    written[0].Name = " ";
    written[2].Name = "ab";
    written[2].Base = {7, 0, 500, 0, 0, 0, 3};
    EXPECT_EQ(WriteLists(doc, 700), Hex("00 00 03 00") + ListClass + Def(written[0]) +
                                        Hex("00 00 01 80") + Def(written[1]) +
                                        Hex("00 00 01 80") + Def(written[2]) + Hex("00 00"));
}

TEST(BlockDefList, AFailedReadKeepsWhatWasReadAndCannotBeSaved)
{
    const std::string head =
        Hex("00 00 03 00") + ListClass + Def(SampleDef(1)) + Hex("00 00 01 80");
    TEntBlockDef longName = SampleDef(2);
    longName.Name = std::string(200, 'n');

    // Inside a nested list: the objects read so far stay.
    TListsRead read;
    EXPECT_THROW(ReadListsInto(read, head + Def(SampleDef(2)) + Hex("03 00") + LineClass + Line +
                                         Hex("04 80") + Line.substr(0, 20), 700),
                 EJwwIOError);
    EXPECT_EQ(read.Doc.BlockDefList.at(1).EntityCount, 3);
    EXPECT_EQ(read.Doc.BlockDefList[1].EntityOrder.size(), 1u);

    // Inside a definition's fields: those read before stay, and the definitions after it are
    // there and empty, as many as the bytes left could hold.
    TListsRead inFields;
    EXPECT_THROW(ReadListsInto(inFields, head + Def(longName).substr(0, 150), 700), EJwwIOError);
    ASSERT_EQ(inFields.Doc.BlockDefList.size(), 3u);
    EXPECT_EQ(inFields.Doc.BlockDefList[1].Number, 2);
    EXPECT_EQ(Def(inFields.Doc.BlockDefList[2]), Def(TEntBlockDef{}));
    TListsRead fewer;
    EXPECT_THROW(ReadListsInto(fewer, head + Def(SampleDef(2)).substr(0, 20), 700), EJwwIOError);
    EXPECT_EQ(fewer.Doc.BlockDefList.size(), 2u);
    EXPECT_THROW(WriteLists(fewer.Doc, 700), EJwwRangeError);
}

TEST(BlockDefList, AHugeCountInAShortFileFailsWithoutAllocatingForIt)
{
    TListBuilder defs(700);
    defs.Count(0).Count(INT32_MAX);
    defs.Object(SampleDef(1)).Count(0);
    defs.Object(SampleDef(2)).Count(0);
    TListsRead read;
    EXPECT_THROW(ReadListsInto(read, defs.Bytes(), 700), EJwwIOError);
    EXPECT_EQ(read.Doc.BlockDefList.size(), 3u);  // the two read and the one being read
    EXPECT_LE(read.Doc.BlockDefList.capacity(), 4u);
}
