#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "jww/records.h"
#include "tests/jww/ObjectBytes.h"

namespace {

// Reads an entity list at the start of bytes; the reader stays open for what follows.
struct TListRead {
    TJwwDocument Doc;
    TClassRegistry Registry;
    uint64_t Consumed = 0;
};

TListRead ReadList(const std::string& bytes, int32_t version)
{
    TListRead read;
    read.Doc.Header.Version = version;
    TJwwReader r = TJwwReader::FromBytes(bytes);
    ReadEntityList(r, read.Doc, read.Registry);
    read.Consumed = r.Position();
    return read;
}

std::string WriteList(const TJwwDocument& doc, int32_t targetVersion)
{
    TClassRegistry registry;
    return WrittenBytes([&](TJwwWriter& w) { WriteEntityList(w, doc, targetVersion, registry); });
}

std::vector<std::pair<int32_t, int32_t>> Order(const TEntityCollections& list)
{
    std::vector<std::pair<int32_t, int32_t>> order;
    for (const TEntRef& ref : list.EntityOrder)
        order.emplace_back(ref.Kind, ref.Index);
    return order;
}

TEntSen PlainLine(int seed)
{
    TEntSen line = SampleLine(seed);
    line.Base = PlainBase(static_cast<uint32_t>(seed));
    return line;
}

TJwwDocument DocumentWithLines(int lines)
{
    TJwwDocument doc;
    doc.Header.Version = 700;
    for (int i = 0; i < lines; ++i) {
        doc.SenList.push_back(PlainLine(i));
        doc.EntityOrder.push_back({KindSen, i});
    }
    doc.Header.EntityCount = lines;
    return doc;
}

}  // namespace

TEST(EntityListRead, EmptyListIsTwoBytes)
{
    const TListRead read = ReadList(Hex("00 00") + "next section", 700);
    EXPECT_EQ(read.Consumed, 2u);
    EXPECT_EQ(read.Doc.Header.EntityCount, 0);
    EXPECT_TRUE(read.Doc.EntityOrder.empty());
    EXPECT_TRUE(read.Doc.SenList.empty());
    EXPECT_EQ(WriteList(read.Doc, 700), Hex("00 00"));
}

TEST(EntityListNumbering, LineLinePointAndALaterPoint)
{
    const std::string line1 = RecordBytes(SampleLine(1), 700);
    const std::string line2 = RecordBytes(SampleLine(2), 700);
    const std::string point1 = RecordBytes(SamplePoint(3), 700);
    const std::string point2 = RecordBytes(SampleCodePoint(4), 700);
    const std::string bytes = Hex("04 00") +                                             //
                              Hex("FF FF BC 02 08 00") + "CDataSen" + line1 +            //
                              Hex("01 80") + line2 +                                     //
                              Hex("FF FF BC 02 08 00") + "CDataTen" + point1 +           //
                              Hex("04 80") + point2;
    const TListRead read = ReadList(bytes, 700);
    EXPECT_EQ(read.Consumed, bytes.size());
    EXPECT_EQ(read.Doc.Header.EntityCount, 4);
    EXPECT_EQ(Order(read.Doc), (std::vector<std::pair<int32_t, int32_t>>{{1, 0}, {1, 1}, {3, 0}, {3, 1}}));
    EXPECT_EQ(RecordBytes(read.Doc.TenList.at(1), 700), point2);
    EXPECT_EQ(read.Registry.ClassIndex[KindSen], 1);
    EXPECT_EQ(read.Registry.ClassIndex[KindTen], 4);
    EXPECT_EQ(read.Registry.RunningIndex, 7);
    EXPECT_EQ(WriteList(read.Doc, 700), bytes);
}

TEST(EntityListNumbering, InterleavedKindsAreWrittenInTheirInterleaving)
{
    TTagNumbering tags(700);
    TJwwBuilder b;
    b.Count(7);
    auto add = [&](std::string_view className, const auto& rec) {
        tags.Tag(b, className);
        AddRecord(b, rec, 700);
        tags.Object();
    };
    add("CDataSen", SampleLine(1));
    add("CDataMoji", SampleText(2));
    add("CDataSen", SampleLine(3));
    add("CDataEnko", SampleArc(4));
    add("CDataMoji", SampleText(5));
    add("CDataSolid", SampleColorSolid(6));
    add("CDataBlock", SampleBlock(7));
    const TListRead read = ReadList(b.Bytes(), 700);
    EXPECT_EQ(Order(read.Doc), (std::vector<std::pair<int32_t, int32_t>>{
                                   {1, 0}, {4, 0}, {1, 1}, {2, 0}, {4, 1}, {6, 0}, {7, 0}}));
    EXPECT_EQ(WriteList(read.Doc, 700), b.Bytes());
}

TEST(EntityListNumbering, SchemaIsTheWrittenVersionWhateverWasRead)
{
    const std::string line = RecordBytes(PlainLine(1), 420);
    const TListRead read = ReadList(Hex("01 00 FF FF 34 12 08 00") + "CDataSen" + line, 420);
    EXPECT_EQ(WriteList(read.Doc, 420), Hex("01 00 FF FF A4 01 08 00") + "CDataSen" + line);
}

TEST(EntityListCount, CountsFrom0xFFFFTakeTheLongForm)
{
    for (int32_t count : {0xFFFE, 0xFFFF}) {
        TTagNumbering tags(700);
        TJwwBuilder b;
        b.Count(count);
        for (int32_t i = 0; i < count; ++i) {
            tags.Tag(b, "CDataTen");
            AddRecord(b, SamplePoint(i % 7), 700);
            tags.Object();
        }
        const TListRead read = ReadList(b.Bytes(), 700);
        EXPECT_EQ(read.Doc.Header.EntityCount, count);
        EXPECT_EQ(read.Doc.TenList.size(), static_cast<std::size_t>(count));
        const std::string written = WriteList(read.Doc, 700);
        EXPECT_EQ(written, b.Bytes());
        EXPECT_EQ(written.substr(0, 6), count == 0xFFFF ? Hex("FF FF FF FF 00 00") : Hex("FE FF FF FF BC 02"));
    }
}

TEST(EntityListNumbering, ClassIndicesFrom0x7FFFTakeTheLongReference)
{
    // 32765 lines bring the running index to 0x7FFF for the point class.
    TTagNumbering tags(700);
    TJwwBuilder b;
    const int32_t lines = 0x7FFF - 2;
    b.Count(lines + 5);
    for (int32_t i = 0; i < lines; ++i) {
        tags.Tag(b, "CDataSen");
        AddRecord(b, PlainLine(i), 700);
        tags.Object();
    }
    auto add = [&](std::string_view className, const auto& rec) {
        tags.Tag(b, className);
        AddRecord(b, rec, 700);
        tags.Object();
    };
    add("CDataTen", SamplePoint(1));  // class 0x7FFF, object 0x8000
    add("CDataTen", SamplePoint(2));  // tagged 7F FF with 0x80007FFF
    add("CDataSen", PlainLine(3));    // 01 80
    add("CDataEnko", SampleArc(4));   // class 0x8003
    add("CDataEnko", SampleArc(5));   // tagged 7F FF with 0x80008003
    const std::string& bytes = b.Bytes();
    const std::string point2 = RecordBytes(SamplePoint(2), 700);
    ASSERT_NE(bytes.find(Hex("FF 7F FF 7F 00 80") + point2), std::string::npos);
    ASSERT_NE(bytes.find(Hex("FF 7F 03 80 00 80") + RecordBytes(SampleArc(5), 700)), std::string::npos);

    const TListRead read = ReadList(bytes, 700);
    EXPECT_EQ(read.Registry.ClassIndex[KindTen], 0x7FFF);
    EXPECT_EQ(read.Registry.ClassIndex[KindEnko], 0x8003);
    EXPECT_EQ(read.Doc.TenList.size(), 2u);
    EXPECT_EQ(read.Doc.EnkoList.size(), 2u);
    EXPECT_EQ(RecordBytes(read.Doc.TenList.at(1), 700), point2);
    EXPECT_EQ(WriteList(read.Doc, 700), bytes);
}

TEST(EntityListTags, UnknownClassesTakeANumberAndSelectNothing)
{
    const TEntSen line1 = PlainLine(1);
    const TEntSen line2 = PlainLine(2);
    TJwwBuilder b;
    b.Count(2);
    b.NewClass(700, "CDataFoo");  // 1, no record follows
    b.NewClass(700, "cdatasen");  // 2, names are compared with their case
    b.NewClass(700, "CDataSen");  // 3
    AddRecord(b, line1, 700);    // 4
    b.ClassRef(1);               // an unknown class
    b.ClassRef(4);               // an object, not a class
    b.ClassRef(3);
    AddRecord(b, line2, 700);
    const TListRead read = ReadList(b.Bytes(), 700);
    EXPECT_EQ(read.Consumed, b.Size());
    EXPECT_EQ(read.Doc.Header.EntityCount, 2);
    EXPECT_EQ(Order(read.Doc), (std::vector<std::pair<int32_t, int32_t>>{{1, 0}, {1, 1}}));
    EXPECT_EQ(read.Registry.RunningIndex, 6);
    // Written back without them and numbered afresh.
    EXPECT_EQ(WriteList(read.Doc, 700), Hex("02 00 FF FF BC 02 08 00") + "CDataSen" +
                                            RecordBytes(line1, 700) + Hex("01 80") +
                                            RecordBytes(line2, 700));
}

TEST(EntityListTags, IndexZeroAndNegativeIndicesSelectNothing)
{
    // Before any class is named every kind's index is 0, so index 0 must not match one.
    const TEntSen line = PlainLine(1);
    for (const std::string& tag : {Hex("00 80"), Hex("FF 7F 00 00 00 80"), Hex("05 00"), Hex("00 00")}) {
        TJwwBuilder b;
        b.Count(1).Raw(tag).NewClass(700, "CDataSen");
        AddRecord(b, line, 700);
        const TListRead read = ReadList(b.Bytes(), 700);
        EXPECT_EQ(read.Consumed, b.Size());
        EXPECT_EQ(Order(read.Doc), (std::vector<std::pair<int32_t, int32_t>>{{1, 0}}));
        EXPECT_EQ(RecordBytes(read.Doc.SenList.at(0), 700), RecordBytes(line, 700));
    }
}

TEST(EntityListTags, ClassNamesBeyond2048BytesMarkACorruptFile)
{
    TJwwBuilder atLimit;
    atLimit.Count(1).NewClass(700, std::string(2048, 'C')).NewClass(700, "CDataSen");
    AddRecord(atLimit, PlainLine(1), 700);
    EXPECT_EQ(ReadList(atLimit.Bytes(), 700).Doc.SenList.size(), 1u);

    TJwwBuilder beyond;
    beyond.Count(1).NewClass(700, std::string(2049, 'C')).NewClass(700, "CDataSen");
    AddRecord(beyond, PlainLine(1), 700);
    EXPECT_THROW(ReadList(beyond.Bytes(), 700), EJwwIOError);
}

TEST(EntityListFailure, ObjectsReadBeforeTheEndStayVisible)
{
    TJwwDocument doc = DocumentWithLines(3);
    const std::string bytes = WriteList(doc, 700);
    TJwwDocument read;
    read.Header.Version = 700;
    TClassRegistry registry;
    TJwwReader r = TJwwReader::FromBytes(bytes.substr(0, bytes.size() - 10));
    try {
        ReadEntityList(r, read, registry);
        FAIL() << "a short list must fail";
    } catch (const EJwwIOError& e) {
        EXPECT_STREQ(e.what(), "unexpected end of file in line record");
    }
    EXPECT_EQ(read.Header.EntityCount, 3);
    EXPECT_EQ(Order(read), (std::vector<std::pair<int32_t, int32_t>>{{1, 0}, {1, 1}}));
    EXPECT_EQ(RecordBytes(read.SenList.at(1), 700), RecordBytes(doc.SenList[1], 700));
    // What was read cannot be saved as a whole drawing.
    EXPECT_THROW(WriteList(read, 700), EJwwRangeError);
}

TEST(EntityListFailure, HugeCountInAShortFileFailsWithoutAllocatingForIt)
{
    TJwwBuilder b;
    b.Count(INT32_MAX);
    TTagNumbering tags(700);
    for (int i = 0; i < 10; ++i) {
        tags.Tag(b, "CDataSen");
        AddRecord(b, PlainLine(i), 700);
        tags.Object();
    }
    TJwwDocument doc;
    doc.Header.Version = 700;
    TClassRegistry registry;
    TJwwReader r = TJwwReader::FromBytes(b.Bytes());
    EXPECT_THROW(ReadEntityList(r, doc, registry), EJwwIOError);
    EXPECT_EQ(doc.Header.EntityCount, INT32_MAX);
    EXPECT_EQ(doc.EntityOrder.size(), 10u);
    EXPECT_LE(doc.EntityOrder.capacity(), b.Size() / 15);
    EXPECT_LE(doc.SenList.capacity(), 16u);
}

TEST(EntityListFailure, NegativeCountIsARangeError)
{
    TJwwDocument doc;
    doc.Header.Version = 700;
    TClassRegistry registry;
    TJwwReader r = TJwwReader::FromBytes(Hex("FF FF 00 00 00 80") + std::string(100, '\0'));
    EXPECT_THROW(ReadEntityList(r, doc, registry), EJwwRangeError);
    EXPECT_EQ(doc.Header.EntityCount, INT32_MIN);
    EXPECT_THROW(WriteList(doc, 700), EJwwRangeError);
}

TEST(EntityListWrite, CountsBeyondTheTablesAreRefused)
{
    TJwwDocument doc = DocumentWithLines(2);
    doc.Header.EntityCount = 3;
    EXPECT_THROW(WriteList(doc, 700), EJwwRangeError);

    doc = DocumentWithLines(2);
    doc.EntityOrder[1].Index = 2;
    EXPECT_THROW(WriteList(doc, 700), EJwwRangeError);
    doc.EntityOrder[1].Index = -1;
    EXPECT_THROW(WriteList(doc, 700), EJwwRangeError);

    doc = DocumentWithLines(2);
    doc.EntityOrder[1].Kind = KindSunpo;  // no dimension held
    EXPECT_THROW(WriteList(doc, 400), EJwwRangeError);
    EXPECT_THROW(WriteList(doc, 700), EJwwRangeError);

    // An entry of no kind would leave the count announcing an object that is not written.
    doc = DocumentWithLines(2);
    doc.EntityOrder[0].Kind = 0;
    EXPECT_THROW(WriteList(doc, 700), EJwwRangeError);
    doc.EntityOrder[0].Kind = KindList;
    EXPECT_THROW(WriteList(doc, 700), EJwwRangeError);

    // Fewer objects announced than held: the first ones are written, and the count agrees.
    doc = DocumentWithLines(3);
    doc.Header.EntityCount = 2;
    const TListRead read = ReadList(WriteList(doc, 700), 700);
    EXPECT_EQ(read.Doc.SenList.size(), 2u);
}

TEST(EntityListNumbering, RunningIndexOverflowIsARangeError)
{
    TJwwBuilder b;
    b.NewClass(700, "CDataSen");
    AddRecord(b, PlainLine(1), 700);
    TEntityCollections into;
    TClassRegistry registry;
    registry.RunningIndex = INT32_MAX;
    TJwwReader r = TJwwReader::FromBytes(b.Bytes());
    EXPECT_THROW(ReadObjects(r, 700, registry, 1, into), EJwwRangeError);

    const TJwwDocument doc = DocumentWithLines(1);
    TClassRegistry nearTheEnd;
    nearTheEnd.RunningIndex = INT32_MAX - 1;  // the class takes it, the line cannot
    std::string out;
    TJwwWriter w(&out);
    EXPECT_THROW(WriteObjects(w, 700, 700, nearTheEnd, 1, doc), EJwwRangeError);
}
