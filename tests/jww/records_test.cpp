#include <gtest/gtest.h>

#include <string>
#include <tuple>

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

std::string Written(const TEntSunpo& dimension, int32_t targetVersion, int32_t docVersion = 420)
{
    TClassRegistry registry;
    return WrittenBytes(
        [&](TJwwWriter& w) { WriteRecord(w, targetVersion, docVersion, registry, dimension); });
}

// Every byte taken, every field where it belongs, written back the same, and every shorter
// piece of it a clean failure.
template <class Rec>
void ExpectRoundTrip(const Rec& rec, int32_t version, std::size_t size)
{
    const std::string bytes = RecordBytes(rec, version);
    EXPECT_EQ(bytes.size(), size);
    uint64_t consumed = 0;
    const Rec read = ReadBack<Rec>(bytes + "next", version, &consumed);
    EXPECT_EQ(consumed, bytes.size());
    EXPECT_EQ(RecordBytes(read, version), bytes);
    EXPECT_EQ(Written(read, version), bytes);
    for (std::size_t n = 0; n < bytes.size(); ++n)
        EXPECT_THROW(ReadBack<Rec>(bytes.substr(0, n), version), EJwwIOError) << n;
}

TEntBase Base(unsigned style = 1, unsigned color = 7)
{
    return {0xFEDCBA98, static_cast<uint8_t>(style), static_cast<uint16_t>(color), 1234, 14, 9,
            0xBEEF};
}

std::string WrittenBase(int32_t targetVersion, int32_t kind, const TEntBase& base)
{
    return WrittenBytes([&](TJwwWriter& w) { WriteEntBase(w, targetVersion, kind, base); });
}

using TCorrection = std::tuple<int32_t, unsigned, unsigned, unsigned, unsigned>;

}  // namespace

TEST(EntBase, WriterReplacesLineTypesAndColoursTheKindCannotHold)
{
    // Kind, line type held and written, colour held and written. Lines and arcs take the line
    // types 1..9, 11..19 and 31..62, points 1 and 100, texts 1..9; kinds 1 to 5 the colours 1..9
    // and 101..356, solids 1..10 and 101..356; the other kinds keep theirs.
    const TCorrection cases[] = {
        {KindSen, 0, 1, 0, 2},        {KindSen, 1, 1, 1, 1},          {KindSen, 9, 9, 9, 9},
        {KindSen, 10, 1, 10, 2},      {KindSen, 11, 11, 100, 2},      {KindSen, 19, 19, 101, 101},
        {KindSen, 20, 1, 356, 356},   {KindSen, 30, 1, 357, 2},       {KindSen, 31, 31, 65535, 2},
        {KindEnko, 62, 62, 100, 2},   {KindEnko, 63, 1, 356, 356},    {KindEnko, 255, 1, 357, 2},
        {KindEnko, 10, 1, 1, 1},      {KindEnko, 12, 12, 9, 9},       {KindTen, 1, 1, 10, 2},
        {KindTen, 100, 100, 5, 5},    {KindTen, 0, 1, 101, 101},      {KindTen, 2, 1, 1, 1},
        {KindTen, 99, 1, 1, 1},       {KindTen, 101, 1, 1, 1},        {KindMoji, 1, 1, 0, 2},
        {KindMoji, 9, 9, 200, 200},   {KindMoji, 0, 1, 9, 9},         {KindMoji, 10, 1, 1, 1},
        {KindMoji, 35, 1, 1, 1},      {KindSunpo, 0, 0, 0, 2},        {KindSunpo, 200, 200, 50, 2},
        {KindSunpo, 7, 7, 8, 8},      {KindSolid, 0, 0, 10, 10},      {KindSolid, 63, 63, 0, 2},
        {KindSolid, 1, 1, 11, 2},     {KindSolid, 1, 1, 100, 2},      {KindSolid, 1, 1, 356, 356},
        {KindSolid, 1, 1, 357, 2},    {KindBlock, 0, 0, 0, 0},        {KindBlock, 255, 255, 500, 500},
        {KindList, 0, 0, 0, 0},       {KindList, 99, 99, 500, 500}};
    for (const auto& [kind, style, writtenStyle, color, writtenColor] : cases) {
        EXPECT_EQ(WrittenBase(420, kind, Base(style, color)),
                  RecordBytes(Base(writtenStyle, writtenColor), 420))
            << "kind " << kind << " PenStyle " << style << " PenColor " << color;
    }
    // Layers, layer groups and widths beyond their limits become 0 in every kind.
    for (int32_t kind = KindSen; kind <= KindList; ++kind) {
        const TEntBase atLimit{5, 1, 7, 30000, 15, 15, 6};
        EXPECT_EQ(WrittenBase(420, kind, atLimit), RecordBytes(atLimit, 420)) << kind;
        for (uint16_t beyond : {16, 0xFFFF}) {
            EXPECT_EQ(WrittenBase(420, kind, {5, 1, 7, 30001, beyond, beyond, 6}),
                      RecordBytes(TEntBase{5, 1, 7, 0, 0, 0, 6}, 420)) << kind;
        }
    }
}

TEST(EntBase, BelowVersion420SxfLineTypesAndColoursAreMapped)
{
    // The line types of lines and arcs, then checked as usual; the colours of kinds 1 to 6.
    const TCorrection cases[] = {
        {KindSen, 31, 1, 101, 2},    {KindSen, 32, 4, 102, 8},     {KindEnko, 37, 2, 107, 1},
        {KindEnko, 44, 17, 116, 2},  {KindSen, 45, 17, 117, 2},    {KindEnko, 46, 1, 356, 2},
        {KindSen, 63, 1, 357, 2},    {KindMoji, 1, 1, 104, 6},     {KindSunpo, 35, 35, 105, 4},
        {KindSolid, 44, 44, 106, 5}, {KindSolid, 1, 1, 10, 10},    {KindList, 35, 35, 107, 107}};
    for (const auto& [kind, style, mappedStyle, color, mappedColor] : cases) {
        EXPECT_EQ(WrittenBase(419, kind, Base(style, color)),
                  RecordBytes(Base(mappedStyle, mappedColor), 419))
            << "kind " << kind << " PenStyle " << style << " PenColor " << color;
    }
    EXPECT_EQ(WrittenBase(420, KindSen, Base(35, 107)), RecordBytes(Base(35, 107), 420));
    EXPECT_EQ(WrittenBase(300, KindSen, Base(35, 107)), RecordBytes(Base(8, 1), 300));  // 13 bytes
}

TEST(Records, EachKindTakesItsSizeAndKeepsEveryBit)
{
    for (int32_t version : {300, 420}) {
        SCOPED_TRACE(version);
        const std::size_t base = version >= 351 ? 15 : 13;
        TEntSen line = SampleLine(1);
        line.Base = PlainBase(1);  // no SXF line type for the older version to map
        ExpectRoundTrip(line, version, base + 32);
        ExpectRoundTrip(SampleArc(2), version, base + 60);
        ExpectRoundTrip(SamplePoint(3), version, base + 20);
        ExpectRoundTrip(SamplePoint(4, true), version, base + 40);
        ExpectRoundTrip(SampleSolid(5), version, base + 64);
        ExpectRoundTrip(SampleSolid(6, true), version, base + 68);
        ExpectRoundTrip(SampleBlock(7), version, base + 44);
        // Fixed fields, the font name of 13 bytes, then "Text 8", or "Text 9" and 300 bytes.
        ExpectRoundTrip(SampleText(8), version, base + 68 + 14 + 7);
        ExpectRoundTrip(SampleText(9), version, base + 68 + 14 + 3 + 306);
    }
    for (uint16_t mode : {0, 1, 0xFFFF}) {
        TEntSunpo dimension = SampleDimension(2);
        dimension.SxfMode = mode;
        const std::size_t text = RecordBytes(dimension.DimText, 420).size();
        ExpectRoundTrip(dimension, 420, 15 + 47 + text + 2 + 2 * 47 + 55 + 3 * 35);
    }
    // Without PenStyle 100 and PenColor 10 the fields that follow them are not in the file.
    TEntTen point = SamplePoint(1, true);
    point.Base.PenStyle = 5;
    TEntSolid solid = SampleSolid(2, true);
    solid.Base.PenColor = 0;
    uint64_t consumed = 0;
    EXPECT_EQ(ReadBack<TEntTen>(RecordBytes(point, 420) + "next", 420, &consumed).Code, 0);
    EXPECT_EQ(consumed, 35u);
    EXPECT_EQ(ReadBack<TEntSolid>(RecordBytes(solid, 420) + "next", 420, &consumed).RgbColor, 0);
    EXPECT_EQ(consumed, 79u);
}

TEST(Records, EachRecordChecksItsBaseAsItsOwnKind)
{
    // Line type 12 suits lines and arcs only, colour 0 only insertions. The code fields of a
    // point and the colour value of a solid go with the attributes they follow.
    const auto expect = [](const char* kind, auto rec, int style, int color) {
        rec.Base.PenStyle = 12;
        rec.Base.PenColor = 0;
        auto expected = rec;
        expected.Base.PenStyle = static_cast<uint8_t>(style);
        expected.Base.PenColor = static_cast<uint16_t>(color);
        EXPECT_EQ(Written(rec, 420), RecordBytes(expected, 420)) << kind;
    };
    expect("line", SampleLine(1), 12, 2);
    expect("arc", SampleArc(1), 12, 2);
    expect("point", SamplePoint(1, true), 1, 2);
    expect("text", SampleText(1), 1, 2);
    expect("solid", SampleSolid(1, true), 12, 2);
    expect("insertion", SampleBlock(1), 12, 0);
    expect("dimension", SampleDimension(1), 12, 2);
}

TEST(Records, TextStringsAreCleanedWhenWritten)
{
    const std::pair<std::string, std::string> cases[] = {
        {"two\r\nwords^m", "twowords"}, {"\r\n\t\x1F", " "}, {"", ""},
        {std::string(150, 'a') + "\r\n" + std::string(150, 'b'),  // 300 bytes: the long prefix
         std::string(150, 'a') + std::string(150, 'b')}};
    for (const auto& [held, cleaned] : cases) {
        TEntMoji text = SampleText(1);
        text.FontName = text.Text = held;
        TEntMoji expected = text;
        expected.FontName = expected.Text = cleaned;
        EXPECT_EQ(Written(text, 420), RecordBytes(expected, 420)) << testing::PrintToString(held);
    }
}

TEST(Records, DownLevelDimensionsWithAnSxfModeAreSplitIntoSevenObjects)
{
    // The extension points come out temporary, and later objects, those of block definitions
    // too, refer to the classes the split named.
    const TEntSunpo split = SampleDimension(1);
    TEntSunpo plain = SampleDimension(2);
    plain.SxfMode = 0;
    const TEntSen line{PlainBase(3), 1.0};
    TJwwDocument doc;
    doc.Header.Version = 420;
    doc.SunpoList = {split, plain};
    doc.SenList = {line};
    doc.TenList = {SamplePoint(4)};
    doc.EntityOrder = {{KindSunpo, 0}, {KindSen, 0}, {KindSunpo, 1}, {KindTen, 0}};
    doc.Header.EntityCount = 4;
    TEntBlockDef& def = doc.BlockDefList.emplace_back(SampleDef(1));
    def.SunpoList = {split};
    def.EntityOrder = {{KindSunpo, 0}};
    def.EntityCount = doc.Header.BlockDefCount = 1;

    TEntTen extPoint1 = split.ExtPoint1;
    TEntTen extPoint2 = split.ExtPoint2;
    extPoint1.Temporary = extPoint2.Temporary = 1;
    TListBuilder expected(400);
    const auto addSplit = [&] {
        expected.Object(split).Object(split.ExtLine1).Object(split.ExtLine2).Object(split.Point1);
        expected.Object(split.Point2).Object(extPoint1).Object(extPoint2);
    };
    expected.Count(10);
    addSplit();
    expected.Object(line).Object(plain).Object(SamplePoint(4)).Count(1);
    expected.Object(SampleDef(1)).Count(7);
    addSplit();
    EXPECT_EQ(WriteLists(doc, 400), expected.Bytes());
}
