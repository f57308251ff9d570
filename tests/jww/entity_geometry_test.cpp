#include <gtest/gtest.h>

#include <string>

#include "jww/records.h"
#include "tests/jww/ObjectBytes.h"

namespace {

template <class Rec>
Rec ReadBack(const std::string& bytes, int32_t version, uint64_t* consumed = nullptr)
{
    TJwwReader r = TJwwReader::FromBytes(bytes);
    Rec rec;
    ReadRecord(r, version, rec);
    if (consumed)
        *consumed = r.Position();
    return rec;
}

template <class Rec>
std::string Written(const Rec& rec, int32_t targetVersion)
{
    return WrittenBytes([&](TJwwWriter& w) { WriteRecord(w, targetVersion, rec); });
}

// Reads the record's bytes, checks every byte was taken and every field arrived, and that
// writing it back gives the same bytes.
template <class Rec>
void ExpectRoundTrip(const Rec& rec, int32_t version, std::size_t size)
{
    const std::string bytes = RecordBytes(rec, version);
    ASSERT_EQ(bytes.size(), size);
    uint64_t consumed = 0;
    const Rec read = ReadBack<Rec>(bytes + "next", version, &consumed);
    EXPECT_EQ(consumed, size);
    EXPECT_EQ(RecordBytes(read, version), bytes);
    EXPECT_EQ(Written(read, version), bytes);
}

}  // namespace

TEST(GeometryRecords, EachKindTakesItsSizeAndKeepsEveryBit)
{
    ExpectRoundTrip(SampleLine(1), 420, 47);
    ExpectRoundTrip(SampleArc(2), 420, 75);
    ExpectRoundTrip(SamplePoint(3), 420, 35);
    ExpectRoundTrip(SampleCodePoint(4), 420, 55);
    ExpectRoundTrip(SampleSolid(5), 420, 79);
    ExpectRoundTrip(SampleColorSolid(6), 420, 83);
    ExpectRoundTrip(SampleBlock(7), 700, 59);
}

TEST(GeometryRecords, BaseRecordsBelow351AreThirteenBytes)
{
    // Older versions have no SXF line types or colours to map.
    TEntSen line = SampleLine(1);
    line.Base = PlainBase(1);
    ExpectRoundTrip(line, 300, 45);
    ExpectRoundTrip(SampleArc(2), 300, 73);
    ExpectRoundTrip(SampleCodePoint(4), 300, 53);
    ExpectRoundTrip(SampleColorSolid(6), 350, 81);
    ExpectRoundTrip(SampleBlock(7), 350, 57);

    const std::string bytes = RecordBytes(line, 350);
    line.Base.PenWidth = 0;  // not in the file
    EXPECT_EQ(RecordBytes(ReadBack<TEntSen>(bytes, 350), 420), RecordBytes(line, 420));
}

TEST(GeometryRecords, PointCodeFieldsFollowPenStyle100)
{
    TEntTen plain = SampleCodePoint(1);
    plain.Base.PenStyle = 5;
    // The code fields are not in the file, so they read as 0 and the next bytes stay unread.
    TEntTen expected = plain;
    expected.Code = 0;
    expected.Rotation = 0.0;
    expected.Scale = 0.0;
    uint64_t consumed = 0;
    const auto read = ReadBack<TEntTen>(RecordBytes(plain, 420) + std::string(20, '\x7F'), 420, &consumed);
    EXPECT_EQ(consumed, 35u);
    EXPECT_EQ(read.Code, 0);
    EXPECT_EQ(read.Rotation, 0.0);
    EXPECT_EQ(read.Scale, 0.0);
    // Written with PenStyle 1 and still without them.
    TEntTen corrected = expected;
    corrected.Base.PenStyle = 1;
    EXPECT_EQ(Written(read, 420), RecordBytes(corrected, 420));

    const TEntTen coded = SampleCodePoint(2);
    const auto readCoded = ReadBack<TEntTen>(RecordBytes(coded, 420), 420);
    EXPECT_EQ(readCoded.Code, coded.Code);
    EXPECT_EQ(Written(readCoded, 420), RecordBytes(coded, 420));
    EXPECT_EQ(Written(readCoded, 400), RecordBytes(coded, 400));  // no map touches 100
}

TEST(GeometryRecords, SolidColourValueFollowsPenColor10)
{
    const TEntSolid colored = SampleColorSolid(1);
    const auto read = ReadBack<TEntSolid>(RecordBytes(colored, 420), 420);
    EXPECT_EQ(read.RgbColor, colored.RgbColor);
    EXPECT_EQ(Written(read, 420), RecordBytes(colored, 420));
    EXPECT_EQ(Written(read, 400), RecordBytes(colored, 400));

    TEntSolid uncolored = SampleColorSolid(2);
    uncolored.Base.PenColor = 0;
    uint64_t consumed = 0;
    const auto readPlain = ReadBack<TEntSolid>(RecordBytes(uncolored, 420) + "\x01\x02\x03\x04", 420, &consumed);
    EXPECT_EQ(consumed, 79u);
    EXPECT_EQ(readPlain.RgbColor, 0);
    TEntSolid corrected = readPlain;
    corrected.Base.PenColor = 2;
    EXPECT_EQ(Written(readPlain, 420), RecordBytes(corrected, 420));
    EXPECT_EQ(Written(readPlain, 420).size(), 79u);
}

TEST(GeometryRecords, InsertionsKeepAnyStyleButNotAnyLayerOrWidth)
{
    TEntBlock block = SampleBlock(1);
    block.Base.Layer = 16;
    block.Base.PenWidth = 40000;
    TEntBlock corrected = block;
    corrected.Base.Layer = 0;
    corrected.Base.PenWidth = 0;
    const std::string first = Written(block, 420);
    EXPECT_EQ(first, RecordBytes(corrected, 420));  // keeps PenStyle 77 and PenColor 999
    EXPECT_EQ(block.Base.Layer, 16);
    EXPECT_EQ(Written(block, 420), first);
}

TEST(GeometryRecords, ShortRecordFails)
{
    const std::string bytes = RecordBytes(SampleArc(1), 420);
    for (std::size_t cut : {std::size_t{0}, std::size_t{14}, std::size_t{15}, bytes.size() - 1}) {
        TJwwReader r = TJwwReader::FromBytes(bytes.substr(0, cut));
        TEntEnko arc;
        EXPECT_THROW(ReadRecord(r, 420, arc), EJwwIOError) << cut;
    }
}
