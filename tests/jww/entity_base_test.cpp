#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jww/jwwunit.h"
#include "tests/jww/ObjectBytes.h"

namespace {

TEntBase DistinctBase()
{
    TEntBase base;
    base.Group = 0xFEDCBA98;
    base.PenStyle = 1;  // valid for every kind
    base.PenColor = 7;
    base.PenWidth = 1234;
    base.Layer = 14;
    base.LayerGroup = 9;
    base.Flags = 0xBEEF;
    return base;
}

std::string WrittenBase(int32_t targetVersion, int32_t kind, const TEntBase& base)
{
    return WrittenBytes([&](TJwwWriter& w) { WriteEntBase(w, targetVersion, kind, base); });
}

TEntBase WithStyle(uint8_t style)
{
    TEntBase base = DistinctBase();
    base.PenStyle = style;
    return base;
}

TEntBase WithColor(uint16_t color)
{
    TEntBase base = DistinctBase();
    base.PenColor = color;
    return base;
}

struct TCorrection {
    int32_t Kind;
    unsigned Stored;
    unsigned Written;
};

}  // namespace

TEST(EntBaseRead, FifteenBytesFromVersion351)
{
    TJwwReader r = TJwwReader::FromBytes(RecordBytes(DistinctBase(), 351) + "rest");
    const TEntBase base = ReadEntBase(r, 351);
    EXPECT_EQ(r.Position(), 15u);
    EXPECT_EQ(base.Group, 0xFEDCBA98u);
    EXPECT_EQ(base.PenStyle, 1);
    EXPECT_EQ(base.PenColor, 7);
    EXPECT_EQ(base.PenWidth, 1234);
    EXPECT_EQ(base.Layer, 14);
    EXPECT_EQ(base.LayerGroup, 9);
    EXPECT_EQ(base.Flags, 0xBEEF);
}

TEST(EntBaseRead, ThirteenBytesWithoutWidthBelow351)
{
    TJwwReader r = TJwwReader::FromBytes(RecordBytes(DistinctBase(), 350) + "rest");
    const TEntBase base = ReadEntBase(r, 350);
    EXPECT_EQ(r.Position(), 13u);
    EXPECT_EQ(base.PenWidth, 0);
    EXPECT_EQ(base.Layer, 14);
    EXPECT_EQ(base.LayerGroup, 9);
    EXPECT_EQ(base.Flags, 0xBEEF);
}

TEST(EntBaseRead, ShortRecordFails)
{
    TJwwReader r = TJwwReader::FromBytes(RecordBytes(DistinctBase(), 420).substr(0, 14));
    EXPECT_THROW(ReadEntBase(r, 420), EJwwIOError);
}

TEST(EntBaseCopy, CopiesEveryField)
{
    TEntBase dest;
    CopyEntBase(DistinctBase(), dest);
    EXPECT_EQ(RecordBytes(dest, 420), RecordBytes(DistinctBase(), 420));
}

TEST(EntBaseWrite, ValidValuesAreWrittenAsHeld)
{
    for (int32_t kind = KindSen; kind <= KindList; ++kind)
        EXPECT_EQ(WrittenBase(420, kind, DistinctBase()), RecordBytes(DistinctBase(), 420)) << kind;
}

TEST(EntBaseWrite, ThirteenBytesBelow351)
{
    const std::string written = WrittenBase(350, KindSen, DistinctBase());
    EXPECT_EQ(written.size(), 13u);
    EXPECT_EQ(written, RecordBytes(DistinctBase(), 350));
    EXPECT_EQ(WrittenBase(351, KindSen, DistinctBase()).size(), 15u);
}

TEST(EntBaseWrite, LineTypeIsCheckedByKind)
{
    const std::vector<TCorrection> cases = {
        // Lines and arcs: 1..9, 11..19 and the SXF types 31..62.
        {KindSen, 0, 1}, {KindSen, 1, 1}, {KindSen, 5, 5}, {KindSen, 9, 9}, {KindSen, 10, 1},
        {KindSen, 11, 11}, {KindSen, 15, 15}, {KindSen, 19, 19}, {KindSen, 20, 1},
        {KindSen, 25, 1}, {KindSen, 30, 1}, {KindSen, 31, 31}, {KindSen, 35, 35},
        {KindSen, 62, 62}, {KindSen, 63, 1}, {KindSen, 100, 1}, {KindSen, 255, 1},
        {KindEnko, 0, 1}, {KindEnko, 10, 1}, {KindEnko, 12, 12}, {KindEnko, 62, 62},
        {KindEnko, 63, 1},
        // Points: 1, or 100 for a point with code.
        {KindTen, 1, 1}, {KindTen, 100, 100}, {KindTen, 0, 1}, {KindTen, 2, 1}, {KindTen, 5, 1},
        {KindTen, 99, 1}, {KindTen, 101, 1},
        // Texts: 1..9.
        {KindMoji, 1, 1}, {KindMoji, 9, 9}, {KindMoji, 0, 1}, {KindMoji, 10, 1},
        {KindMoji, 12, 1}, {KindMoji, 35, 1},
        // Dimensions, solids, insertions and definitions keep theirs.
        {KindSunpo, 0, 0}, {KindSunpo, 200, 200}, {KindSolid, 0, 0}, {KindSolid, 63, 63},
        {KindBlock, 0, 0}, {KindBlock, 255, 255}, {KindList, 0, 0}, {KindList, 99, 99}};
    for (const TCorrection& c : cases) {
        EXPECT_EQ(WrittenBase(420, c.Kind, WithStyle(static_cast<uint8_t>(c.Stored))),
                  RecordBytes(WithStyle(static_cast<uint8_t>(c.Written)), 420))
            << "kind " << c.Kind << " PenStyle " << c.Stored;
    }
}

TEST(EntBaseWrite, LineColourIsCheckedByKind)
{
    const std::vector<TCorrection> cases = {
        // Lines, arcs, points, texts and dimensions: 1..9 and the SXF colours 101..356.
        {KindSen, 0, 2}, {KindSen, 1, 1}, {KindSen, 9, 9}, {KindSen, 10, 2}, {KindSen, 100, 2},
        {KindSen, 101, 101}, {KindSen, 356, 356}, {KindSen, 357, 2}, {KindSen, 65535, 2},
        {KindEnko, 100, 2}, {KindEnko, 101, 101}, {KindEnko, 356, 356}, {KindEnko, 357, 2},
        {KindTen, 10, 2}, {KindTen, 5, 5}, {KindMoji, 0, 2}, {KindMoji, 200, 200},
        {KindSunpo, 0, 2}, {KindSunpo, 50, 2}, {KindSunpo, 8, 8},
        // Solids also keep 10, the solid with its own colour value.
        {KindSolid, 10, 10}, {KindSolid, 0, 2}, {KindSolid, 11, 2}, {KindSolid, 100, 2},
        {KindSolid, 356, 356}, {KindSolid, 357, 2},
        // Insertions and definitions keep theirs.
        {KindBlock, 0, 0}, {KindBlock, 500, 500}, {KindList, 500, 500}, {KindList, 0, 0}};
    for (const TCorrection& c : cases) {
        EXPECT_EQ(WrittenBase(420, c.Kind, WithColor(static_cast<uint16_t>(c.Stored))),
                  RecordBytes(WithColor(static_cast<uint16_t>(c.Written)), 420))
            << "kind " << c.Kind << " PenColor " << c.Stored;
    }
}

TEST(EntBaseWrite, LayerGroupAndWidthLimitsHoldForEveryKind)
{
    for (int32_t kind = KindSen; kind <= KindList; ++kind) {
        TEntBase atLimit = DistinctBase();
        atLimit.Layer = 15;
        atLimit.LayerGroup = 15;
        atLimit.PenWidth = 30000;
        EXPECT_EQ(WrittenBase(420, kind, atLimit), RecordBytes(atLimit, 420)) << kind;

        TEntBase beyond = DistinctBase();
        beyond.Layer = 16;
        beyond.LayerGroup = 20;
        beyond.PenWidth = 30001;
        TEntBase corrected = beyond;
        corrected.Layer = 0;
        corrected.LayerGroup = 0;
        corrected.PenWidth = 0;
        EXPECT_EQ(WrittenBase(420, kind, beyond), RecordBytes(corrected, 420)) << kind;

        beyond.PenWidth = 40000;
        beyond.Layer = 0xFFFF;
        EXPECT_EQ(WrittenBase(420, kind, beyond), RecordBytes(corrected, 420)) << kind;
    }
}

TEST(EntBaseWrite, DownLevelMapsSxfLineTypesOfLinesAndArcs)
{
    const unsigned mapped[] = {1, 4, 3, 6, 8, 8, 2, 5, 7, 6, 6, 8, 8, 17, 17};  // 31 .. 45
    for (int32_t kind : {KindSen, KindEnko}) {
        for (unsigned style = 31; style <= 62; ++style) {
            const unsigned expected = style <= 45 ? mapped[style - 31] : 1;
            EXPECT_EQ(WrittenBase(419, kind, WithStyle(static_cast<uint8_t>(style))),
                      RecordBytes(WithStyle(static_cast<uint8_t>(expected)), 419))
                << "kind " << kind << " PenStyle " << style;
        }
        // Other values pass the map unchanged and meet the usual check.
        EXPECT_EQ(WrittenBase(419, kind, WithStyle(15)), RecordBytes(WithStyle(15), 419));
        EXPECT_EQ(WrittenBase(419, kind, WithStyle(63)), RecordBytes(WithStyle(1), 419));
    }
    // Other kinds are not mapped.
    EXPECT_EQ(WrittenBase(419, KindSunpo, WithStyle(35)), RecordBytes(WithStyle(35), 419));
    EXPECT_EQ(WrittenBase(419, KindBlock, WithStyle(44)), RecordBytes(WithStyle(44), 419));
    // From 420 on nothing is mapped.
    EXPECT_EQ(WrittenBase(420, KindSen, WithStyle(35)), RecordBytes(WithStyle(35), 420));
}

TEST(EntBaseWrite, DownLevelMapsSxfColoursOfKinds1To6)
{
    const unsigned mapped[] = {2, 8, 3, 6, 4, 5, 1, 2, 5, 8, 4, 3, 6, 5, 2, 2};  // 101 .. 116
    for (int32_t kind = KindSen; kind <= KindSolid; ++kind) {
        for (unsigned color = 101; color <= 356; ++color) {
            const unsigned expected = color <= 116 ? mapped[color - 101] : 2;
            EXPECT_EQ(WrittenBase(400, kind, WithColor(static_cast<uint16_t>(color))),
                      RecordBytes(WithColor(static_cast<uint16_t>(expected)), 400))
                << "kind " << kind << " PenColor " << color;
        }
        EXPECT_EQ(WrittenBase(400, kind, WithColor(7)), RecordBytes(WithColor(7), 400));
    }
    EXPECT_EQ(WrittenBase(400, KindSolid, WithColor(10)), RecordBytes(WithColor(10), 400));
    EXPECT_EQ(WrittenBase(400, KindBlock, WithColor(107)), RecordBytes(WithColor(107), 400));
    EXPECT_EQ(WrittenBase(400, KindList, WithColor(107)), RecordBytes(WithColor(107), 400));
}

TEST(EntBaseWrite, DownLevelBelow351MapsAndDropsTheWidth)
{
    TEntBase base = WithStyle(35);
    base.PenColor = 107;
    TEntBase expected = base;
    expected.PenStyle = 8;
    expected.PenColor = 1;
    EXPECT_EQ(WrittenBase(300, KindSen, base), RecordBytes(expected, 300));
}
