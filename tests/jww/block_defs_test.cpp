#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "jww/records.h"
#include "tests/jww/ObjectBytes.h"

namespace {

struct TListsRead {
    TJwwDocument Doc;
    TClassRegistry Registry;
    uint64_t Consumed = 0;
};

// Reads the entity list and the block-definition list at the start of bytes.
TListsRead ReadLists(const std::string& bytes, int32_t version)
{
    TListsRead read;
    read.Doc.Header.Version = version;
    TJwwReader r = TJwwReader::FromBytes(bytes);
    ReadEntityList(r, read.Doc, read.Registry);
    ReadBlockDefList(r, read.Doc, read.Registry, version);
    read.Consumed = r.Position();
    return read;
}

std::string WriteLists(const TJwwDocument& doc, int32_t targetVersion)
{
    TClassRegistry registry;
    return WrittenBytes([&](TJwwWriter& w) {
        WriteEntityList(w, doc, targetVersion, registry);
        WriteBlockDefList(w, doc, targetVersion, registry);
    });
}

// Reading must fail; what was read stays in the returned document.
TJwwDocument ReadListsExpectingFailure(const std::string& bytes, int32_t version)
{
    TJwwDocument doc;
    doc.Header.Version = version;
    TClassRegistry registry;
    TJwwReader r = TJwwReader::FromBytes(bytes);
    EXPECT_THROW(
        {
            ReadEntityList(r, doc, registry);
            ReadBlockDefList(r, doc, registry, version);
        },
        EJwwIOError);
    return doc;
}

TEntBlockDef SampleDef(int seed)
{
    TEntBlockDef def;
    def.Base = PlainBase(static_cast<uint32_t>(900 + seed));
    def.Base.PenColor = static_cast<uint16_t>(500 + seed);  // definitions keep any colour
    def.Number = seed;
    def.Referenced = -seed;
    def.Time = 0x12345600 + seed;
    def.Name = "Block " + std::to_string(seed);
    return def;
}

std::string DefFields(const TEntBlockDef& def, int32_t version = 700)
{
    TJwwBuilder b;
    AddBlockDefFields(b, def, version);
    return b.Bytes();
}

TEntSen PlainLine(int seed)
{
    TEntSen line = SampleLine(seed);
    line.Base = PlainBase(static_cast<uint32_t>(seed));
    return line;
}

const std::string ListClass = Hex("FF FF BC 02 09 00") + "CDataList";
const std::string LineClass = Hex("FF FF BC 02 08 00") + "CDataSen";

}  // namespace

TEST(BlockDefList, EmptyListIsTwoBytes)
{
    const TListsRead read = ReadLists(Hex("00 00 00 00") + "images", 700);
    EXPECT_EQ(read.Consumed, 4u);
    EXPECT_EQ(read.Doc.Header.BlockDefCount, 0);
    EXPECT_TRUE(read.Doc.BlockDefList.empty());
    EXPECT_EQ(WriteLists(read.Doc, 700), Hex("00 00 00 00"));
}

TEST(BlockDefNumbering, TwoDefinitionsWithOneLineEach)
{
    const TEntBlockDef def1 = SampleDef(1);
    const TEntBlockDef def2 = SampleDef(2);
    const std::string line1 = RecordBytes(SampleLine(1), 700);
    const std::string line2 = RecordBytes(SampleLine(2), 700);
    const std::string bytes = Hex("00 00") + Hex("02 00") +                                  //
                              ListClass + DefFields(def1) + Hex("01 00") + LineClass + line1 +  //
                              Hex("01 80") + DefFields(def2) + Hex("01 00") + Hex("03 80") + line2;
    const TListsRead read = ReadLists(bytes, 700);
    EXPECT_EQ(read.Consumed, bytes.size());
    EXPECT_EQ(read.Registry.ClassIndex[KindList], 1);
    EXPECT_EQ(read.Registry.ClassIndex[KindSen], 3);
    EXPECT_EQ(read.Registry.RunningIndex, 7);
    ASSERT_EQ(read.Doc.BlockDefList.size(), 2u);
    const TEntBlockDef& second = read.Doc.BlockDefList[1];
    EXPECT_EQ(DefFields(second), DefFields(def2));
    EXPECT_EQ(second.EntityCount, 1);
    ASSERT_EQ(second.SenList.size(), 1u);
    EXPECT_EQ(RecordBytes(second.SenList[0], 700), line2);
    EXPECT_TRUE(read.Doc.SenList.empty());
    EXPECT_EQ(WriteLists(read.Doc, 700), bytes);
}

TEST(BlockDefNumbering, DefinitionsContinueTheEntityListsNumbering)
{
    const std::string line = RecordBytes(SampleLine(1), 700);
    const std::string bytes = Hex("01 00") + LineClass + line +  // class 1, line 2
                              Hex("01 00") + ListClass + DefFields(SampleDef(1)) +  // class 3, def 4
                              Hex("01 00 01 80") + line;                            // line 5
    const TListsRead read = ReadLists(bytes, 700);
    EXPECT_EQ(read.Consumed, bytes.size());
    EXPECT_EQ(read.Registry.ClassIndex[KindList], 3);
    EXPECT_EQ(read.Registry.RunningIndex, 6);
    EXPECT_EQ(read.Doc.BlockDefList.at(0).SenList.size(), 1u);
    EXPECT_EQ(WriteLists(read.Doc, 700), bytes);
}

TEST(BlockDefNumbering, ClassFirstNamedInADefinitionServesLaterOnes)
{
    const std::string arc1 = RecordBytes(SampleArc(1), 700);
    const std::string arc2 = RecordBytes(SampleArc(2), 700);
    const std::string block = RecordBytes(SampleBlock(3), 700);
    const std::string bytes = Hex("00 00 02 00") +                                               //
                              ListClass + DefFields(SampleDef(1)) + Hex("01 00") +              // 1, 2
                              Hex("FF FF BC 02 09 00") + "CDataEnko" + arc1 +                   // 3, 4
                              Hex("01 80") + DefFields(SampleDef(2)) + Hex("02 00") +           // 5
                              Hex("03 80") + arc2 +                                             // 6
                              Hex("FF FF BC 02 0A 00") + "CDataBlock" + block;                  // 7, 8
    const TListsRead read = ReadLists(bytes, 700);
    EXPECT_EQ(read.Consumed, bytes.size());
    const TEntBlockDef& second = read.Doc.BlockDefList.at(1);
    ASSERT_EQ(second.EntityOrder.size(), 2u);
    EXPECT_EQ(second.EntityOrder[0].Kind, KindEnko);
    EXPECT_EQ(second.EntityOrder[1].Kind, KindBlock);
    EXPECT_EQ(RecordBytes(second.BlockList.at(0), 700), block);
    EXPECT_EQ(WriteLists(read.Doc, 700), bytes);
}

TEST(BlockDefTags, AnyTagIsFollowedByADefinition)
{
    const std::string bytes = Hex("00 00 03 00") +                                          //
                              Hex("FF FF 01 00 05 00") + "Other" + DefFields(SampleDef(1)) +  //
                              Hex("00 00") +                                                //
                              Hex("FF 7F 44 33 22 91") + DefFields(SampleDef(2)) + Hex("00 00") +
                              Hex("07 00") + DefFields(SampleDef(3)) + Hex("00 00");
    const TListsRead read = ReadLists(bytes, 700);
    EXPECT_EQ(read.Consumed, bytes.size());
    ASSERT_EQ(read.Doc.BlockDefList.size(), 3u);
    EXPECT_EQ(DefFields(read.Doc.BlockDefList[2]), DefFields(SampleDef(3)));
    EXPECT_EQ(WriteLists(read.Doc, 700), Hex("00 00 03 00") + ListClass + DefFields(SampleDef(1)) +
                                             Hex("00 00 01 80") + DefFields(SampleDef(2)) +
                                             Hex("00 00 01 80") + DefFields(SampleDef(3)) +
                                             Hex("00 00"));
}

TEST(BlockDefTime, LongFormBecomesThePositionAndIsWrittenShort)
{
    TEntBlockDef longForm = SampleDef(3);
    longForm.Time = static_cast<int32_t>(0x80000005u);
    const std::string tail = "8 bytes!";
    TJwwBuilder b;
    b.Count(0).Count(3);
    b.Raw(ListClass).Raw(DefFields(SampleDef(1))).Count(0);
    b.ClassRef(1).Raw(DefFields(SampleDef(2))).Count(0);
    b.ClassRef(1);
    AddRecord(b, longForm.Base, 700);
    b.Int(longForm.Number).Int(longForm.Referenced).Int(longForm.Time).Raw(tail);
    b.String(longForm.Name).Count(1).Raw(LineClass);
    AddRecord(b, SampleLine(1), 700);

    const TListsRead read = ReadLists(b.Bytes(), 700);
    EXPECT_EQ(read.Consumed, b.Size());
    const TEntBlockDef& third = read.Doc.BlockDefList.at(2);
    EXPECT_EQ(third.Time, 3);
    EXPECT_EQ(third.Name, longForm.Name);
    EXPECT_EQ(third.SenList.size(), 1u);

    const std::string written = WriteLists(read.Doc, 700);
    EXPECT_EQ(written.size(), b.Size() - 8);
    TEntBlockDef shortForm = longForm;
    shortForm.Time = 3;
    EXPECT_NE(written.find(Hex("01 80") + DefFields(shortForm) + Hex("01 00")), std::string::npos);
}

TEST(BlockDefCounts, NestedCountsOfZeroAndOfTheLongForm)
{
    TTagNumbering tags(700);
    TJwwBuilder b;
    b.Count(0).Count(3);
    tags.Tag(b, "CDataList");
    b.Raw(DefFields(SampleDef(1))).Count(0);  // the next definition's tag follows at once
    tags.Object();
    tags.Tag(b, "CDataList");
    b.Raw(DefFields(SampleDef(2))).Count(0xFFFF);
    tags.Object();
    for (int i = 0; i < 0xFFFF; ++i) {
        tags.Tag(b, "CDataTen");
        AddRecord(b, SamplePoint(i % 5), 700);
        tags.Object();
    }
    tags.Tag(b, "CDataList");
    b.Raw(DefFields(SampleDef(3))).Count(0);
    ASSERT_NE(b.Bytes().find(DefFields(SampleDef(1)) + Hex("00 00 01 80")), std::string::npos);
    ASSERT_NE(b.Bytes().find(DefFields(SampleDef(2)) + Hex("FF FF FF FF 00 00")), std::string::npos);

    const TListsRead read = ReadLists(b.Bytes(), 700);
    EXPECT_EQ(read.Doc.BlockDefList.at(0).EntityCount, 0);
    EXPECT_EQ(read.Doc.BlockDefList.at(1).EntityCount, 0xFFFF);
    EXPECT_EQ(read.Doc.BlockDefList.at(1).TenList.size(), 0xFFFFu);
    EXPECT_EQ(WriteLists(read.Doc, 700), b.Bytes());
}

TEST(BlockDefWrite, NamesAreCleanedAndTheBaseCheckedAsKind8)
{
    TJwwDocument doc;
    doc.Header.Version = 700;
    doc.BlockDefList = {SampleDef(1), SampleDef(2), SampleDef(3)};
    doc.BlockDefList[0].Name = "\r\n\t";
    doc.BlockDefList[1].Name = "";
    doc.BlockDefList[2].Name = "a^mb";
    doc.BlockDefList[2].Base.Layer = 20;
    doc.BlockDefList[2].Base.LayerGroup = 16;
    doc.BlockDefList[2].Base.PenWidth = 30001;
    doc.BlockDefList[2].Base.PenColor = 500;
    doc.BlockDefList[2].Base.PenStyle = 0;
    doc.Header.BlockDefCount = 3;

    TEntBlockDef first = doc.BlockDefList[0];
    first.Name = " ";
    TEntBlockDef third = doc.BlockDefList[2];
    third.Name = "ab";
    third.Base.Layer = 0;
    third.Base.LayerGroup = 0;
    third.Base.PenWidth = 0;
    EXPECT_EQ(WriteLists(doc, 700), Hex("00 00 03 00") + ListClass + DefFields(first) +
                                        Hex("00 00 01 80") + DefFields(doc.BlockDefList[1]) +
                                        Hex("00 00 01 80") + DefFields(third) + Hex("00 00"));
    EXPECT_EQ(DefFields(first).substr(27, 2), Hex("01 20"));
    EXPECT_EQ(doc.BlockDefList[0].Name, "\r\n\t");
    EXPECT_EQ(doc.BlockDefList[2].Base.Layer, 20);
}

TEST(BlockDefWrite, NestedDimensionsSplitDownLevelWithTheirCount)
{
    TEntSunpo dimension = SampleDimension(1);
    dimension.SxfMode = 2;
    TJwwDocument doc;
    doc.Header.Version = 420;
    doc.BlockDefList = {SampleDef(1)};
    doc.BlockDefList[0].SunpoList = {dimension};
    doc.BlockDefList[0].EntityOrder = {{KindSunpo, 0}};
    doc.BlockDefList[0].EntityCount = 1;
    doc.Header.BlockDefCount = 1;
    const std::string written = WriteLists(doc, 400);
    EXPECT_EQ(written.substr(0, 15), Hex("00 00 01 00 FF FF 90 01 09 00") + "CData");
    EXPECT_NE(written.find(DefFields(SampleDef(1), 400) + Hex("07 00 FF FF 90 01 0B 00") + "CDataSunpou"),
              std::string::npos);

    TJwwDocument back;
    back.Header.Version = 400;
    TClassRegistry registry;
    TJwwReader r = TJwwReader::FromBytes(written);
    ReadEntityList(r, back, registry);
    ReadBlockDefList(r, back, registry, 400);
    EXPECT_EQ(r.BytesLeft(), 0u);
    const TEntBlockDef& def = back.BlockDefList.at(0);
    EXPECT_EQ(def.EntityCount, 7);
    EXPECT_EQ(def.SenList.size(), 2u);
    ASSERT_EQ(def.TenList.size(), 4u);
    EXPECT_EQ(def.TenList[3].Temporary, 1);
}

TEST(BlockDefFailure, ShortNestedListKeepsWhatWasReadAndCannotBeSaved)
{
    const std::string line = RecordBytes(PlainLine(1), 700);
    const std::string bytes = Hex("00 00 02 00") + ListClass + DefFields(SampleDef(1)) +
                              Hex("00 00 01 80") + DefFields(SampleDef(2)) + Hex("03 00") +
                              LineClass + line + Hex("03 80") + line.substr(0, 20);
    const TJwwDocument doc = ReadListsExpectingFailure(bytes, 700);
    EXPECT_EQ(doc.Header.BlockDefCount, 2);
    ASSERT_EQ(doc.BlockDefList.size(), 2u);
    const TEntBlockDef& second = doc.BlockDefList[1];
    EXPECT_EQ(DefFields(second), DefFields(SampleDef(2)));
    EXPECT_EQ(second.EntityCount, 3);
    ASSERT_EQ(second.EntityOrder.size(), 1u);
    EXPECT_EQ(RecordBytes(second.SenList.at(0), 700), line);
    EXPECT_THROW(WriteLists(doc, 700), EJwwRangeError);
}

TEST(BlockDefFailure, DefinitionsNotYetReadStayEmpty)
{
    const std::string bytes = Hex("00 00 03 00") + ListClass + DefFields(SampleDef(1)) +
                              Hex("00 00 01 80") + DefFields(SampleDef(2)).substr(0, 20);
    TEntBlockDef longName = SampleDef(2);
    longName.Name = std::string(200, 'n');
    // Enough bytes are left for three definitions, so all three are there from the start.
    const std::string longBytes = Hex("00 00 03 00") + ListClass + DefFields(SampleDef(1)) +
                                  Hex("00 00 01 80") + DefFields(longName).substr(0, 150);
    const TJwwDocument doc = ReadListsExpectingFailure(longBytes, 700);
    EXPECT_EQ(doc.Header.BlockDefCount, 3);
    ASSERT_EQ(doc.BlockDefList.size(), 3u);
    EXPECT_EQ(doc.BlockDefList[1].Number, 2);  // fields read before the end
    EXPECT_EQ(doc.BlockDefList[2].Number, 0);
    EXPECT_TRUE(doc.BlockDefList[2].Name.empty());
    EXPECT_EQ(doc.BlockDefList[2].EntityCount, 0);

    // With fewer bytes left, only as many as they could hold.
    const TJwwDocument shortDoc = ReadListsExpectingFailure(bytes, 700);
    EXPECT_EQ(shortDoc.Header.BlockDefCount, 3);
    EXPECT_EQ(shortDoc.BlockDefList.size(), 2u);
    EXPECT_THROW(WriteLists(shortDoc, 700), EJwwRangeError);
}

TEST(BlockDefFailure, HugeCountsInAShortFileFailWithoutAllocatingForThem)
{
    TJwwBuilder defs;
    defs.Count(0).Count(INT32_MAX).Raw(ListClass).Raw(DefFields(SampleDef(1))).Count(0);
    defs.ClassRef(1).Raw(DefFields(SampleDef(2))).Count(0);
    const TJwwDocument doc = ReadListsExpectingFailure(defs.Bytes(), 700);
    EXPECT_EQ(doc.Header.BlockDefCount, INT32_MAX);
    EXPECT_EQ(doc.BlockDefList.size(), 3u);  // the two read and the one being read
    EXPECT_LE(doc.BlockDefList.capacity(), 4u);

    TJwwBuilder nested;
    nested.Count(0).Count(1).Raw(ListClass).Raw(DefFields(SampleDef(1))).Count(INT32_MAX);
    nested.Raw(LineClass);
    AddRecord(nested, PlainLine(1), 700);
    const TJwwDocument nestedDoc = ReadListsExpectingFailure(nested.Bytes(), 700);
    const TEntBlockDef& def = nestedDoc.BlockDefList.at(0);
    EXPECT_EQ(def.EntityCount, INT32_MAX);
    EXPECT_EQ(def.EntityOrder.size(), 1u);
    EXPECT_LE(def.EntityOrder.capacity(), 4u);
}

TEST(BlockDefFailure, NegativeCountsAreRangeErrors)
{
    for (const std::string& bytes :
         {Hex("00 00 FF FF FE FF FF FF"),
          Hex("00 00 01 00") + ListClass + DefFields(SampleDef(1)) + Hex("FF FF 00 00 00 80")}) {
        TJwwDocument doc;
        doc.Header.Version = 700;
        TClassRegistry registry;
        TJwwReader r = TJwwReader::FromBytes(bytes + std::string(200, '\0'));
        ReadEntityList(r, doc, registry);
        EXPECT_THROW(ReadBlockDefList(r, doc, registry, 700), EJwwRangeError);
        EXPECT_THROW(WriteLists(doc, 700), EJwwRangeError);
    }
}

TEST(BlockDefWrite, CountsBeyondTheTablesAreRefused)
{
    TJwwDocument doc;
    doc.Header.Version = 700;
    doc.BlockDefList = {SampleDef(1)};
    doc.Header.BlockDefCount = 2;  // a load that failed before the list keeps the old count
    EXPECT_THROW(WriteLists(doc, 700), EJwwRangeError);

    doc.Header.BlockDefCount = 1;
    doc.BlockDefList[0].EntityCount = 1;
    EXPECT_THROW(WriteLists(doc, 700), EJwwRangeError);

    doc.BlockDefList[0].EntityOrder = {{KindSen, 0}};
    EXPECT_THROW(WriteLists(doc, 700), EJwwRangeError);
    doc.BlockDefList[0].SenList = {PlainLine(1)};
    EXPECT_EQ(ReadLists(WriteLists(doc, 700), 700).Doc.BlockDefList.at(0).SenList.size(), 1u);
}
