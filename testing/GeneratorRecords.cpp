// Object records of a generated drawing. Every attribute lies in the range that the base-record
// writer keeps for the record's kind, so saving never has to correct a generated object.
#include <cmath>
#include <iterator>

#include "testing/GeneratorParts.h"

namespace {

const char* const Words[] = {
    "\x93S\x8B\xD8\x83R\x83\x93\x83N\x83\x8A\x81[\x83g\x91\xA2",  // 鉄筋コンクリート造
    "\x96\xD8\x91\xA2\x8E\xB2\x91g",                              // 木造軸組
    "\x8Fk\x8E\xDA",                                              // 縮尺
    "\xC3\xB7\xBD\xC4",                                           // ﾃｷｽﾄ (half-width)
    "\x95\\\x8E\xA6",                                             // 表示
    "\x83\\\x83t\x83@",                                           // ソファ
    "\x90\xAB\x94\\",                                             // 性能
    "\x83^m",                                                     // タm (a caret byte, then m)
    "\x8C\xBA\x8A\xD6",                                           // 玄関
    "\x8B\x8F\x8A\xD4",                                           // 居間
    "\x91\xE4\x8F\x8A",                                           // 台所
    "\x97\x81\x8E\xBA",                                           // 浴室
    "\x90Q\x8E\xBA",                                              // 寝室
    "\x98\x61\x8E\xBA",                                           // 和室
    "\x97m\x8E\xBA",                                              // 洋室
    "\x98L\x89\xBA",                                              // 廊下
    "\x8E\xFB\x94[",                                              // 収納
    "\x95\x94\x95i",                                              // 部品
    "\x8BL\x8D\x86",                                              // 記号
    "W=900",
    "H=2100",
    "FL+450",
    "S=1/100",
    "6\x8F\xF4",  // 6畳
};

const char* const FontNames[] = {
    "\x82l\x82r \x83S\x83V\x83\x62\x83N",  // ＭＳ ゴシック
    "\x82l\x82r \x96\xBE\x92\xA9",         // ＭＳ 明朝
    "Arial",
    "",
};

// The text heights of drawings, in millimetres, the smaller ones more often.
const double TextSizes[] = {2.5, 2.5, 3.5, 3.5, 5.0, 7.0};

constexpr double Pi = 3.14159265358979323846;

const char* const BlockNames[] = {
    "\x8C\xBA\x8A\xD6\x83h\x83\x41",  // 玄関ドア
    "\x95\x94\x95i",                // 部品
    "\x8BL\x8D\x86",                // 記号
    "\x83\\\x83t\x83@",             // ソファ
    "WINDOW",
};

// Line types that the writer keeps on lines and arcs: 1..9, 11..19 and the SXF types 31..62.
uint8_t LineStyle(TGeneratorRandom& random)
{
    if (random.Percent(80))
        return 1;
    switch (random.Below(3)) {
    case 0: return static_cast<uint8_t>(random.Between(2, 9));
    case 1: return static_cast<uint8_t>(random.Between(11, 19));
    default: return static_cast<uint8_t>(random.Between(31, 62));
    }
}

// Colours that the writer keeps on kinds 1 to 6: 1..9 and the SXF colours 101..356.
uint16_t PenColorOf(TGeneratorRandom& random)
{
    if (random.Percent(90))
        return static_cast<uint16_t>(random.Between(1, 9));
    return static_cast<uint16_t>(random.Between(101, 356));
}

uint64_t StringFileBytes(const std::string& s)
{
    if (s.size() < 0xFF)
        return 1 + s.size();
    if (s.size() < 0xFFFE)
        return 3 + s.size();
    return 7 + s.size();
}

constexpr uint64_t TagBytes = 2;
constexpr uint64_t BaseBytes = 15;
constexpr uint64_t SenBytes = BaseBytes + 4 * 8;

uint64_t TenBytes(const TEntTen& record)
{
    return BaseBytes + 2 * 8 + 4 + (record.Base.PenStyle == 100 ? 4 + 2 * 8 : 0);
}

uint64_t MojiBytes(const TEntMoji& record)
{
    return BaseBytes + 4 * 8 + 4 + 4 * 8 + StringFileBytes(record.FontName) +
           StringFileBytes(record.Text);
}

}  // namespace

TEntBase RandomBase(TGeneratorRandom& random, int32_t kind)
{
    TEntBase base;
    base.Group = random.Percent(80) ? 0 : static_cast<uint32_t>(random.Between(1, 500));
    switch (kind) {
    case KindSen:
    case KindEnko: base.PenStyle = LineStyle(random); break;
    case KindTen: base.PenStyle = 1; break;
    case KindMoji:
        base.PenStyle = random.Percent(90) ? 1 : static_cast<uint8_t>(random.Between(2, 9));
        break;
    // Dimensions, solids, insertions and definitions keep any line type.
    default:
        base.PenStyle = random.Percent(90) ? 1 : static_cast<uint8_t>(random.Below(256));
        break;
    }
    // Insertions and definitions keep any colour as well.
    const bool anyColor = (kind == KindBlock || kind == KindList) && random.Percent(5);
    base.PenColor = anyColor ? static_cast<uint16_t>(random.Below(0x10000)) : PenColorOf(random);
    if (random.Percent(10))
        base.PenWidth = static_cast<uint16_t>(random.Percent(10) ? 30000 : random.Between(1, 30000));
    base.Layer = static_cast<uint16_t>(random.Below(16));
    base.LayerGroup = static_cast<uint16_t>(random.Below(16));
    base.Flags = random.Percent(90) ? 0 : static_cast<uint16_t>(random.Below(0x10000));
    return base;
}

TEntSen RandomSen(TGeneratorRandom& random, const TGeneratorArea& area)
{
    TEntSen line;
    line.Base = RandomBase(random, KindSen);
    line.StartX = area.X(random);
    line.StartY = area.Y(random);
    // Most lines of a plan are horizontal or vertical.
    switch (random.Below(3)) {
    case 0:
        line.EndX = line.StartX + area.Run(random);
        line.EndY = line.StartY;
        break;
    case 1:
        line.EndX = line.StartX;
        line.EndY = line.StartY + area.Run(random);
        break;
    default:
        line.EndX = line.StartX + area.Run(random);
        line.EndY = line.StartY + area.Run(random);
        break;
    }
    return line;
}

TEntEnko RandomEnko(TGeneratorRandom& random, const TGeneratorArea& area)
{
    TEntEnko arc;
    arc.Base = RandomBase(random, KindEnko);
    arc.CenterX = area.X(random);
    arc.CenterY = area.Y(random);
    arc.Radius = area.Size(random, 0.7);
    arc.Flatness = 1.0;
    if (random.Percent(30)) {
        arc.ArcAngle = 2 * Pi;
        arc.FullCircle = 1;
    } else {
        arc.StartAngle = random.Between(0, 359) * Pi / 180;
        arc.ArcAngle = random.Between(1, 359) * Pi / 180;
    }
    if (random.Percent(15)) {
        arc.Flatness = random.Between(10, 99) / 100.0;
        arc.TiltAngle = random.Between(0, 179) * Pi / 180;
    }
    return arc;
}

TEntTen RandomTen(TGeneratorRandom& random, const TGeneratorArea& area, bool withCode)
{
    TEntTen point;
    point.Base = RandomBase(random, KindTen);
    point.X = area.X(random);
    point.Y = area.Y(random);
    point.Temporary = random.Percent(10) ? 1 : 0;
    if (withCode) {
        point.Base.PenStyle = 100;
        point.Code = random.Between(1, 20);
        point.Rotation = random.Between(0, 359) * 1.0;
        point.Scale = random.Between(1, 40) * 0.25;
    }
    return point;
}

TEntMoji MojiWithText(TGeneratorRandom& random, const TGeneratorArea& area, std::string text)
{
    TEntMoji moji;
    moji.Base = RandomBase(random, KindMoji);
    moji.StartX = area.X(random);
    moji.StartY = area.Y(random);
    moji.SizeX = random.Pick(TextSizes);
    moji.SizeY = moji.SizeX;
    moji.Spacing = random.Percent(80) ? 0.0 : random.Between(1, 8) / 4.0;
    moji.Angle = random.Percent(85) ? 0.0 : random.Between(0, 359) * 1.0;
    // A character of two bytes is as wide as the size says, one of one byte half as wide.
    moji.EndX = moji.StartX + moji.SizeX * static_cast<double>(text.size()) / 2;
    moji.EndY = moji.StartY;
    moji.TextKind = random.Between(1, 10);
    moji.FontName = random.Pick(FontNames);
    moji.Text = std::move(text);
    return moji;
}

TEntMoji RandomMoji(TGeneratorRandom& random, const TGeneratorArea& area)
{
    return MojiWithText(random, area, JapaneseText(random));
}

TEntSunpo RandomSunpo(TGeneratorRandom& random, const TGeneratorArea& area, uint16_t sxfMode)
{
    TEntSunpo dim;
    dim.Base = RandomBase(random, KindSunpo);
    dim.DimLine = RandomSen(random, area);
    const double length = std::abs(dim.DimLine.EndX - dim.DimLine.StartX) +
                          std::abs(dim.DimLine.EndY - dim.DimLine.StartY);
    const auto whole = static_cast<int64_t>(length);
    std::string value = std::to_string(whole);
    if (whole >= 1000 && random.Percent(50))
        value.insert(value.size() - 3, 1, ',');
    dim.DimText = MojiWithText(random, area, std::move(value));
    dim.SxfMode = sxfMode;
    dim.ExtLine1 = RandomSen(random, area);
    dim.ExtLine2 = RandomSen(random, area);
    dim.Point1 = RandomTen(random, area, random.Percent(10));
    dim.Point2 = RandomTen(random, area, false);
    dim.ExtPoint1 = RandomTen(random, area, false);
    dim.ExtPoint2 = RandomTen(random, area, random.Percent(10));
    return dim;
}

TEntSolid RandomSolid(TGeneratorRandom& random, const TGeneratorArea& area, bool ownColor)
{
    TEntSolid solid;
    solid.Base = RandomBase(random, KindSolid);
    solid.X1 = area.X(random);
    solid.Y1 = area.Y(random);
    solid.X2 = solid.X1 + area.Size(random, 0.7);
    solid.Y2 = solid.Y1;
    solid.X3 = solid.X2;
    solid.Y3 = solid.Y1 + area.Size(random, 0.7);
    solid.X4 = solid.X1;
    solid.Y4 = solid.Y3;
    if (ownColor) {
        solid.Base.PenColor = 10;
        solid.RgbColor = random.Between(0, 0xFFFFFF);
    }
    return solid;
}

TEntBlock RandomBlock(TGeneratorRandom& random, const TGeneratorArea& area, int32_t blockNumber)
{
    TEntBlock block;
    block.Base = RandomBase(random, KindBlock);
    block.X = area.X(random);
    block.Y = area.Y(random);
    block.ScaleX = random.Percent(80) ? 1.0 : random.Between(1, 20) / 4.0;
    block.ScaleY = block.ScaleX;
    // In radians, in whole degrees.
    block.Rotation = random.Percent(70) ? 0.0 : random.Between(0, 359) * Pi / 180;
    block.BlockNumber = blockNumber;
    return block;
}

std::string RandomBlockName(TGeneratorRandom& random, int32_t number)
{
    return random.Pick(BlockNames) + std::to_string(number);
}

std::string JapaneseText(TGeneratorRandom& random)
{
    std::string text = random.Pick(Words);
    const uint32_t more = random.Below(3);
    for (uint32_t i = 0; i < more; ++i) {
        if (random.Percent(30))
            text += ' ';
        text += random.Pick(Words);
    }
    return text;
}

std::string LongJapaneseText(std::size_t minimumBytes)
{
    std::string text;
    for (std::size_t i = 0; text.size() < minimumBytes; ++i)
        text += Words[i % std::size(Words)];
    return text;
}

std::string DirtyText(TGeneratorRandom& random)
{
    // One statement per word: the operands of + may be evaluated in any order, and the drawing
    // must not depend on the compiler.
    std::string text = random.Pick(Words);
    text += "\r\n";
    text += random.Pick(Words);
    text += "\tA^mB";
    text += random.Pick(Words);
    return text;
}

std::string ControlOnlyText()
{
    return "\x01\x02\x1B";
}

uint64_t FileBytes(const TEntSen&)
{
    return TagBytes + SenBytes;
}

uint64_t FileBytes(const TEntEnko&)
{
    return TagBytes + BaseBytes + 7 * 8 + 4;
}

uint64_t FileBytes(const TEntTen& record)
{
    return TagBytes + TenBytes(record);
}

uint64_t FileBytes(const TEntMoji& record)
{
    return TagBytes + MojiBytes(record);
}

uint64_t FileBytes(const TEntSunpo& record)
{
    return TagBytes + BaseBytes + SenBytes + MojiBytes(record.DimText) + 2 + 2 * SenBytes +
           TenBytes(record.Point1) + TenBytes(record.Point2) + TenBytes(record.ExtPoint1) +
           TenBytes(record.ExtPoint2);
}

uint64_t FileBytes(const TEntSolid& record)
{
    return TagBytes + BaseBytes + 8 * 8 + (record.Base.PenColor == 10 ? 4 : 0);
}

uint64_t FileBytes(const TEntBlock&)
{
    return TagBytes + BaseBytes + 5 * 8 + 4;
}
