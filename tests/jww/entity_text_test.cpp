#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jww/records.h"
#include "tests/jww/ObjectBytes.h"

namespace {

std::string WrittenText(const TEntMoji& text, int32_t targetVersion = 420)
{
    return WrittenBytes([&](TJwwWriter& w) { WriteRecord(w, targetVersion, text); });
}

std::string WrittenDimension(const TEntSunpo& dimension, int32_t targetVersion = 420)
{
    TClassRegistry registry;
    return WrittenBytes(
        [&](TJwwWriter& w) { WriteRecord(w, targetVersion, targetVersion, registry, dimension); });
}

template <class Rec>
Rec ReadBack(const std::string& bytes, int32_t version)
{
    TJwwReader r = TJwwReader::FromBytes(bytes);
    Rec rec;
    ReadRecord(r, version, rec);
    EXPECT_EQ(r.BytesLeft(), 0u);
    return rec;
}

TEntMoji TextOf(std::string fontName, std::string text)
{
    TEntMoji moji = SampleText(1);
    moji.FontName = std::move(fontName);
    moji.Text = std::move(text);
    return moji;
}

// The bytes a text made by TextOf is written as when its strings come out of the cleaner as given.
std::string CleanedTextBytes(std::string fontName, std::string text)
{
    return RecordBytes(TextOf(std::move(fontName), std::move(text)), 420);
}

// A dimension whose every base record passes every writer rule, down-level included.
TEntSunpo PlainDimension(int seed)
{
    TEntSunpo dimension = SampleDimension(seed);
    dimension.Base = PlainBase(static_cast<uint32_t>(seed));
    for (TEntSen* line : {&dimension.DimLine, &dimension.ExtLine1, &dimension.ExtLine2})
        line->Base = PlainBase(static_cast<uint32_t>(seed + 10));
    dimension.DimText.Base = PlainBase(static_cast<uint32_t>(seed + 20));
    for (TEntTen* point : {&dimension.Point2, &dimension.ExtPoint1, &dimension.ExtPoint2})
        point->Base = PlainBase(static_cast<uint32_t>(seed + 30));
    dimension.Point1.Base = PlainBase(static_cast<uint32_t>(seed + 40));
    dimension.Point1.Base.PenStyle = 100;
    return dimension;
}

}  // namespace

TEST(TextRecord, ReadsEveryFieldAndWritesCleanStringsAsHeld)
{
    const TEntMoji text = SampleText(3);  // a 300-byte text among them, in the long string form
    const std::string bytes = RecordBytes(text, 420);
    const TEntMoji read = ReadBack<TEntMoji>(bytes, 420);
    EXPECT_EQ(read.FontName, text.FontName);
    EXPECT_EQ(read.Text, text.Text);
    EXPECT_EQ(RecordBytes(read, 420), bytes);
    EXPECT_EQ(WrittenText(read), bytes);
}

TEST(TextRecord, StringsAreCleanedWhenWritten)
{
    struct TCase {
        std::string Held;
        std::string Written;
    };
    const std::vector<TCase> cases = {
        {"two\r\nwords", "twowords"},
        {"\r\n\t\x1F", " "},                          // nothing left: a single space
        {"", ""},                                    // empty stays empty
        {"a^mb", "ab"},                              // the caret-m pair goes
        {"^", "^"},                                  // a lone caret stays
        {"m^", "m^"},
        {"\x81\x5Em", "\x81\x5Em"},                  // a caret inside a two-byte character stays
        {"\x82\x0A" "x\r", "\x82\x0A" "x"},          // a two-byte character is kept whole
        {"end\x82", "end\x82"},                      // an incomplete character at the end stays
        {std::string("a\0b", 3), "ab"},
        {"\x7F\xFF ok", "\x7F\xFF ok"}};
    for (const TCase& c : cases) {
        TEntMoji text = TextOf(c.Held, c.Held);
        EXPECT_EQ(WrittenText(text), CleanedTextBytes(c.Written, c.Written))
            << "held \"" << c.Held << "\"";
    }
}

TEST(TextRecord, LongTextAfterCleaningTakesTheLongPrefix)
{
    std::string held = std::string(150, 'a') + "\r\n" + std::string(150, 'b');
    const TEntMoji text = TextOf("", held);
    const std::string written = WrittenText(text);
    const std::string cleaned = std::string(150, 'a') + std::string(150, 'b');
    EXPECT_EQ(written, CleanedTextBytes("", cleaned));
    // Empty font name as the single byte 00, then FF 2C 01 and the 300 bytes.
    EXPECT_EQ(written.substr(written.size() - 304, 4), Hex("00 FF 2C 01"));
}

TEST(TextRecord, CleanedTextReadsBackAndSavesTheSameAgain)
{
    const TEntMoji held = TextOf("\x82\x6C\r", "line one\r\nline two^m");
    const std::string first = WrittenText(held);
    const TEntMoji read = ReadBack<TEntMoji>(first, 420);
    EXPECT_EQ(read.FontName, "\x82\x6C");
    EXPECT_EQ(read.Text, "line oneline two");
    EXPECT_EQ(WrittenText(read), first);
    EXPECT_EQ(WrittenText(held), first);
    EXPECT_EQ(held.Text, "line one\r\nline two^m");
}

TEST(TextRecord, TextBaseIsCheckedAsKind4)
{
    TEntMoji text = SampleText(1);
    text.Base.PenStyle = 12;
    text.Base.PenColor = 0;
    TEntMoji expected = text;
    expected.Base.PenStyle = 1;
    expected.Base.PenColor = 2;
    EXPECT_EQ(WrittenText(text), RecordBytes(expected, 420));
}

TEST(DimensionRecord, From420CarriesAllExtensionRecordsWhateverItsMode)
{
    for (uint16_t mode : {uint16_t{0}, uint16_t{1}, uint16_t{0xFFFF}}) {
        TEntSunpo dimension = SampleDimension(2);
        dimension.SxfMode = mode;
        const std::string bytes = RecordBytes(dimension, 420);
        const TEntSunpo read = ReadBack<TEntSunpo>(bytes, 420);
        EXPECT_EQ(read.SxfMode, mode);
        EXPECT_EQ(RecordBytes(read, 420), bytes);
        EXPECT_EQ(WrittenDimension(read), bytes);
    }
}

TEST(DimensionRecord, EachPointCarriesCodeFieldsByItsOwnPenStyle)
{
    const TEntSunpo dimension = SampleDimension(1);  // Point1 alone has PenStyle 100
    const TEntSunpo read = ReadBack<TEntSunpo>(RecordBytes(dimension, 700), 700);
    EXPECT_EQ(read.Point1.Code, dimension.Point1.Code);
    EXPECT_EQ(read.Point2.Code, 0);
    EXPECT_EQ(RecordBytes(read, 700).size(),
              15 + 47 + RecordBytes(dimension.DimText, 700).size() + 2 + 2 * 47 + 55 + 3 * 35);
    EXPECT_EQ(WrittenDimension(read, 700), RecordBytes(dimension, 700));
}

TEST(DimensionRecord, EmbeddedRecordsAreCheckedByTheirOwnKind)
{
    TEntSunpo dimension = SampleDimension(1);
    dimension.Base.PenStyle = 0;         // kind 5 has no line-type check
    dimension.DimLine.Base.PenStyle = 0;  // a line's
    dimension.DimText.Base.PenColor = 0;  // a text's
    dimension.Point2.Base.PenStyle = 7;   // a point's
    TEntSunpo expected = dimension;
    expected.DimLine.Base.PenStyle = 1;
    expected.DimText.Base.PenColor = 2;
    expected.Point2.Base.PenStyle = 1;
    EXPECT_EQ(WrittenDimension(dimension), RecordBytes(expected, 420));
}

TEST(DimensionRecord, BelowVersion420ExtensionsTakeTheDimensionsBase)
{
    TEntSunpo dimension = PlainDimension(4);
    dimension.Base.PenStyle = 7;
    const std::string bytes = RecordBytes(dimension, 400);
    const TEntSunpo read = ReadBack<TEntSunpo>(bytes, 400);
    EXPECT_EQ(read.SxfMode, 0);
    for (const TEntSen* line : {&read.ExtLine1, &read.ExtLine2}) {
        EXPECT_EQ(RecordBytes(line->Base, 420), RecordBytes(dimension.Base, 420));
        EXPECT_EQ(line->StartX, 0.0);
        EXPECT_EQ(line->EndY, 0.0);
    }
    TEntBase pointBase = dimension.Base;
    pointBase.PenStyle = 0;
    for (const TEntTen* point : {&read.Point1, &read.Point2, &read.ExtPoint1, &read.ExtPoint2}) {
        EXPECT_EQ(RecordBytes(point->Base, 420), RecordBytes(pointBase, 420));
        EXPECT_EQ(point->X, 0.0);
        EXPECT_EQ(point->Temporary, 0);
        EXPECT_EQ(point->Code, 0);
    }
    // Written again at its own version it has the old layout, with nothing to split.
    EXPECT_EQ(WrittenDimension(read, 400), bytes);
}

TEST(DimensionRecord, DownLevelSplitNeedsADrawingOf420AndAnSxfMode)
{
    TEntSunpo dimension = PlainDimension(5);
    const std::string oldLayout = RecordBytes(dimension, 400);
    TClassRegistry registry;
    // A drawing older than 420 has nothing to split.
    EXPECT_EQ(WrittenBytes([&](TJwwWriter& w) { WriteRecord(w, 400, 400, registry, dimension); }),
              oldLayout);
    dimension.SxfMode = 0;
    EXPECT_EQ(WrittenBytes([&](TJwwWriter& w) { WriteRecord(w, 400, 700, registry, dimension); }),
              oldLayout);
    EXPECT_EQ(registry.RunningIndex, 1);
}

TEST(DimensionSplit, ListWithOneDimensionIsWrittenAsSevenObjects)
{
    TJwwDocument doc;
    doc.Header.Version = 420;
    doc.SunpoList = {PlainDimension(1)};
    doc.EntityOrder = {{KindSunpo, 0}};
    doc.Header.EntityCount = 1;
    TClassRegistry registry;
    const std::string written =
        WrittenBytes([&](TJwwWriter& w) { WriteEntityList(w, doc, 400, registry); });

    const TEntSunpo& d = doc.SunpoList[0];
    TEntTen extPoint1 = d.ExtPoint1;
    TEntTen extPoint2 = d.ExtPoint2;
    extPoint1.Temporary = 1;
    extPoint2.Temporary = 1;
    TJwwBuilder expected;
    expected.Count(7);
    expected.NewClass(400, "CDataSunpou");  // class 1, the dimension 2
    AddRecord(expected, d, 400);
    expected.NewClass(400, "CDataSen");  // class 3, the line 4
    AddRecord(expected, d.ExtLine1, 400);
    expected.ClassRef(3);  // 5
    AddRecord(expected, d.ExtLine2, 400);
    expected.NewClass(400, "CDataTen");  // class 6, the point 7
    AddRecord(expected, d.Point1, 400);
    expected.ClassRef(6);  // 8
    AddRecord(expected, d.Point2, 400);
    expected.ClassRef(6);  // 9
    AddRecord(expected, extPoint1, 400);
    expected.ClassRef(6);  // 10
    AddRecord(expected, extPoint2, 400);
    EXPECT_EQ(written, expected.Bytes());
    EXPECT_EQ(registry.RunningIndex, 11);
    EXPECT_EQ(doc.SunpoList[0].ExtPoint1.Temporary, d.ExtPoint1.Temporary);
}

TEST(DimensionSplit, NumberingRunsOnThroughTheSplitObjects)
{
    TJwwDocument doc;
    doc.Header.Version = 700;
    doc.SunpoList = {PlainDimension(1), PlainDimension(2)};
    doc.SunpoList[1].SxfMode = 0;
    doc.SenList = {SampleLine(3)};
    doc.SenList[0].Base = PlainBase(3);
    doc.TenList = {SamplePoint(4)};
    doc.EntityOrder = {{KindSunpo, 0}, {KindSen, 0}, {KindSunpo, 1}, {KindTen, 0}};
    doc.Header.EntityCount = 4;
    TClassRegistry registry;
    const std::string written =
        WrittenBytes([&](TJwwWriter& w) { WriteEntityList(w, doc, 400, registry); });
    EXPECT_EQ(written.substr(0, 2), Hex("0A 00"));  // 4 entries, one of them split

    // An older reader sees the split objects as objects of their own.
    TJwwDocument back;
    back.Header.Version = 400;
    TJwwReader r = TJwwReader::FromBytes(written);
    ReadEntityList(r, back, registry);
    EXPECT_EQ(r.BytesLeft(), 0u);
    std::vector<int32_t> kinds;
    for (const TEntRef& ref : back.EntityOrder)
        kinds.push_back(ref.Kind);
    EXPECT_EQ(kinds, (std::vector<int32_t>{5, 1, 1, 3, 3, 3, 3, 1, 5, 3}));
    ASSERT_EQ(back.TenList.size(), 5u);
    ASSERT_EQ(back.SenList.size(), 3u);
    EXPECT_EQ(back.TenList[2].Temporary, 1);
    EXPECT_EQ(back.TenList[3].Temporary, 1);
    EXPECT_EQ(RecordBytes(back.SenList[2], 400), RecordBytes(doc.SenList[0], 400));
    EXPECT_EQ(RecordBytes(back.TenList[4], 400), RecordBytes(doc.TenList[0], 400));
    // The later line and point refer to the classes the split named; the second dimension to its
    // own class.
    EXPECT_NE(written.find(Hex("03 80") + RecordBytes(doc.SenList[0], 400)), std::string::npos);
    EXPECT_NE(written.find(Hex("06 80") + RecordBytes(doc.TenList[0], 400)), std::string::npos);
    EXPECT_NE(written.find(Hex("01 80") + RecordBytes(doc.SunpoList[1], 400)), std::string::npos);
    EXPECT_EQ(registry.RunningIndex, 14);
}
