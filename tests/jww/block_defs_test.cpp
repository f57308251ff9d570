#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/jww/ObjectBytes.h"

namespace {

const std::string ListClass = Hex("FF FF BC 02 09 00") + "CDataList";
const std::string LineClass = Hex("FF FF BC 02 08 00") + "CDataSen";
const std::string Line = RecordBytes(SampleLine(1), 700);

std::string Def(const TEntBlockDef& def)
{
    return RecordBytes(def, 700);
}

}  // namespace

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
    const TListsRead empty = ReadLists(Hex("00 00 00 00") + "images", 700);
    EXPECT_EQ(empty.Consumed, 4u);
    EXPECT_EQ(WriteLists(empty.Doc, 700), Hex("00 00 00 00"));
}

TEST(BlockDefList, AnyTagIsFollowedByADefinition)
{
    const std::string bytes = Hex("00 00 03 00 FF FF 01 00 05 00") + "Other" + Def(SampleDef(1)) +
                              Hex("00 00 FF 7F 44 33 22 91") + Def(SampleDef(2)) + Hex("00 00") +
                              Hex("07 00") + Def(SampleDef(3)) + Hex("00 00");
    const TListsRead read = ReadLists(bytes, 700);
    EXPECT_EQ(read.Consumed, bytes.size());
    EXPECT_EQ(WriteLists(read.Doc, 700), Hex("00 00 03 00") + ListClass + Def(SampleDef(1)) +
                                             Hex("00 00 01 80") + Def(SampleDef(2)) +
                                             Hex("00 00 01 80") + Def(SampleDef(3)) + Hex("00 00"));
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
    TListsRead read = ReadLists(head + Def(SampleDef(2)) + Hex("03 00") + LineClass + Line +
                                    Hex("04 80") + Line.substr(0, 20), 700);
    EXPECT_EQ(read.Failure, TFailure::IO);
    EXPECT_EQ(read.Doc.Header.BlockDefCount, 3);
    EXPECT_EQ(read.Doc.BlockDefList.at(1).EntityCount, 3);
    EXPECT_EQ(read.Doc.BlockDefList[1].EntityOrder.size(), 1u);
    EXPECT_THROW(WriteLists(read.Doc, 700), EJwwRangeError);

    // Inside a definition's fields: those read before stay, and the definitions after it are
    // there and empty, as many as the bytes left could hold.
    read = ReadLists(head + Def(longName).substr(0, 150), 700);
    ASSERT_EQ(read.Doc.BlockDefList.size(), 3u);
    EXPECT_EQ(read.Doc.BlockDefList[1].Number, 2);
    EXPECT_EQ(Def(read.Doc.BlockDefList[2]), Def(TEntBlockDef{}));
    read = ReadLists(head + Def(SampleDef(2)).substr(0, 20), 700);
    EXPECT_EQ(read.Doc.BlockDefList.size(), 2u);
    EXPECT_THROW(WriteLists(read.Doc, 700), EJwwRangeError);
}

TEST(BlockDefList, HugeCountsInAShortFileFailWithoutAllocatingForThem)
{
    TListBuilder defs(700);
    defs.Count(0).Count(INT32_MAX);
    defs.Object(SampleDef(1)).Count(0);
    defs.Object(SampleDef(2)).Count(0);
    TListsRead read = ReadLists(defs.Bytes(), 700);
    EXPECT_EQ(read.Failure, TFailure::IO);
    EXPECT_EQ(read.Doc.BlockDefList.size(), 3u);  // the two read and the one being read
    EXPECT_LE(read.Doc.BlockDefList.capacity(), 4u);

    TListBuilder nested(700);
    nested.Count(0).Count(1);
    nested.Object(SampleDef(1)).Count(INT32_MAX);
    nested.Object(SampleLine(1));
    read = ReadLists(nested.Bytes(), 700);
    EXPECT_EQ(read.Failure, TFailure::IO);
    EXPECT_EQ(read.Doc.BlockDefList.at(0).EntityCount, INT32_MAX);
    EXPECT_LE(read.Doc.BlockDefList[0].EntityOrder.capacity(), 4u);
}
