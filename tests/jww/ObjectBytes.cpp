#include "tests/jww/ObjectBytes.h"

#include <bit>

namespace {

void AddLineTail(TJwwBuilder& b, const TEntSen& line)
{
    b.Double(line.StartX).Double(line.StartY).Double(line.EndX).Double(line.EndY);
}

// Doubles whose bits must survive unchanged: NaN with a payload, negative zero, a denormal.
double Unusual(int seed, int field)
{
    switch ((seed + field) % 5) {
    case 0:
        return std::bit_cast<double>(0x7FF8000000000123ull + static_cast<uint64_t>(seed));
    case 1:
        return -0.0;
    case 2:
        return std::bit_cast<double>(uint64_t{1} + static_cast<uint64_t>(field));
    default:
        return seed * 1000.25 + field * 0.125 - 7.0;
    }
}

}  // namespace

void AddRecord(TJwwBuilder& b, const TEntBase& base, int32_t version)
{
    b.Base(base.Group, base.PenStyle, base.PenColor, base.PenWidth, base.Layer, base.LayerGroup,
           base.Flags, version >= 351);
}

void AddRecord(TJwwBuilder& b, const TEntSen& line, int32_t version)
{
    AddRecord(b, line.Base, version);
    AddLineTail(b, line);
}

void AddRecord(TJwwBuilder& b, const TEntEnko& arc, int32_t version)
{
    AddRecord(b, arc.Base, version);
    b.Double(arc.CenterX).Double(arc.CenterY).Double(arc.Radius).Double(arc.StartAngle);
    b.Double(arc.ArcAngle).Double(arc.TiltAngle).Double(arc.Flatness).Int(arc.FullCircle);
}

void AddRecord(TJwwBuilder& b, const TEntTen& point, int32_t version)
{
    AddRecord(b, point.Base, version);
    b.Double(point.X).Double(point.Y).Int(point.Temporary);
    if (point.Base.PenStyle == 100)
        b.Int(point.Code).Double(point.Rotation).Double(point.Scale);
}

void AddRecord(TJwwBuilder& b, const TEntMoji& text, int32_t version)
{
    AddRecord(b, text.Base, version);
    b.Double(text.StartX).Double(text.StartY).Double(text.EndX).Double(text.EndY);
    b.Int(text.TextKind).Double(text.SizeX).Double(text.SizeY).Double(text.Spacing);
    b.Double(text.Angle).String(text.FontName).String(text.Text);
}

void AddRecord(TJwwBuilder& b, const TEntSunpo& dimension, int32_t version)
{
    AddRecord(b, dimension.Base, version);
    AddRecord(b, dimension.DimLine, version);
    AddRecord(b, dimension.DimText, version);
    if (version < 420)
        return;
    b.Word(dimension.SxfMode);
    AddRecord(b, dimension.ExtLine1, version);
    AddRecord(b, dimension.ExtLine2, version);
    AddRecord(b, dimension.Point1, version);
    AddRecord(b, dimension.Point2, version);
    AddRecord(b, dimension.ExtPoint1, version);
    AddRecord(b, dimension.ExtPoint2, version);
}

void AddRecord(TJwwBuilder& b, const TEntSolid& solid, int32_t version)
{
    AddRecord(b, solid.Base, version);
    b.Double(solid.X1).Double(solid.Y1).Double(solid.X2).Double(solid.Y2);
    b.Double(solid.X3).Double(solid.Y3).Double(solid.X4).Double(solid.Y4);
    if (solid.Base.PenColor == 10)
        b.Int(solid.RgbColor);
}

void AddRecord(TJwwBuilder& b, const TEntBlock& block, int32_t version)
{
    AddRecord(b, block.Base, version);
    b.Double(block.X).Double(block.Y).Double(block.ScaleX).Double(block.ScaleY);
    b.Double(block.Rotation).Int(block.BlockNumber);
}

void AddBlockDefFields(TJwwBuilder& b, const TEntBlockDef& def, int32_t version)
{
    AddRecord(b, def.Base, version);
    b.Int(def.Number).Int(def.Referenced).Int(def.Time).String(def.Name);
}

TEntBase PlainBase(uint32_t group)
{
    TEntBase base;
    base.Group = group;
    base.PenStyle = 1;
    base.PenColor = 1;
    base.PenWidth = static_cast<uint16_t>(group % 30001);
    base.Layer = static_cast<uint16_t>(group % 16);
    base.LayerGroup = static_cast<uint16_t>((group / 16) % 16);
    base.Flags = static_cast<uint16_t>(0xA5A5 ^ group);
    return base;
}

TEntSen SampleLine(int seed)
{
    TEntSen line;
    line.Base = PlainBase(static_cast<uint32_t>(100 + seed));
    line.Base.PenStyle = static_cast<uint8_t>(31 + seed % 32);  // an SXF line type
    line.Base.PenColor = static_cast<uint16_t>(101 + seed % 256);  // an SXF colour
    line.StartX = Unusual(seed, 0);
    line.StartY = Unusual(seed, 1);
    line.EndX = Unusual(seed, 2);
    line.EndY = Unusual(seed, 3);
    return line;
}

TEntEnko SampleArc(int seed)
{
    TEntEnko arc;
    arc.Base = PlainBase(static_cast<uint32_t>(200 + seed));
    arc.Base.PenStyle = static_cast<uint8_t>(11 + seed % 9);
    arc.CenterX = Unusual(seed, 0);
    arc.CenterY = Unusual(seed, 1);
    arc.Radius = Unusual(seed, 2);
    arc.StartAngle = Unusual(seed, 3);
    arc.ArcAngle = Unusual(seed, 4);
    arc.TiltAngle = 0.5 * seed;
    arc.Flatness = 1.0;
    arc.FullCircle = seed % 2;
    return arc;
}

TEntTen SamplePoint(int seed)
{
    TEntTen point;
    point.Base = PlainBase(static_cast<uint32_t>(300 + seed));
    point.X = Unusual(seed, 0);
    point.Y = Unusual(seed, 1);
    point.Temporary = seed % 2;
    return point;
}

TEntTen SampleCodePoint(int seed)
{
    TEntTen point = SamplePoint(seed);
    point.Base.PenStyle = 100;
    point.Code = 40 + seed;
    point.Rotation = Unusual(seed, 2);
    point.Scale = Unusual(seed, 3);
    return point;
}

TEntMoji SampleText(int seed)
{
    TEntMoji text;
    text.Base = PlainBase(static_cast<uint32_t>(400 + seed));
    text.Base.PenStyle = static_cast<uint8_t>(1 + seed % 9);
    text.StartX = Unusual(seed, 0);
    text.StartY = Unusual(seed, 1);
    text.EndX = Unusual(seed, 2);
    text.EndY = Unusual(seed, 3);
    text.TextKind = seed;
    text.SizeX = 2.5;
    text.SizeY = 3.0;
    text.Spacing = 0.0;
    text.Angle = Unusual(seed, 4);
    text.FontName = "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E";  // two-byte characters
    text.Text = "Text " + std::to_string(seed) + std::string(seed % 3 == 0 ? 300 : 0, 'x');
    return text;
}

TEntSunpo SampleDimension(int seed)
{
    TEntSunpo dimension;
    dimension.Base = PlainBase(static_cast<uint32_t>(500 + seed));
    dimension.DimLine = SampleLine(seed + 1);
    dimension.DimText = SampleText(seed + 2);
    dimension.SxfMode = 1;
    dimension.ExtLine1 = SampleLine(seed + 3);
    dimension.ExtLine2 = SampleLine(seed + 4);
    dimension.Point1 = SampleCodePoint(seed + 5);
    dimension.Point2 = SamplePoint(seed + 6);
    dimension.ExtPoint1 = SamplePoint(seed + 7);
    dimension.ExtPoint2 = SamplePoint(seed + 8);
    return dimension;
}

TEntSolid SampleSolid(int seed)
{
    TEntSolid solid;
    solid.Base = PlainBase(static_cast<uint32_t>(600 + seed));
    solid.Base.PenColor = 3;
    solid.X1 = Unusual(seed, 0);
    solid.Y1 = Unusual(seed, 1);
    solid.X2 = Unusual(seed, 2);
    solid.Y2 = Unusual(seed, 3);
    solid.X3 = Unusual(seed, 4);
    solid.Y3 = 3.0;
    solid.X4 = 4.0;
    solid.Y4 = -4.0;
    return solid;
}

TEntSolid SampleColorSolid(int seed)
{
    TEntSolid solid = SampleSolid(seed);
    solid.Base.PenColor = 10;
    solid.RgbColor = 0x00123456 + seed;
    return solid;
}

TEntBlock SampleBlock(int seed)
{
    TEntBlock block;
    block.Base = PlainBase(static_cast<uint32_t>(700 + seed));
    block.Base.PenStyle = 77;   // insertions keep any line type
    block.Base.PenColor = 999;  // and any colour
    block.X = Unusual(seed, 0);
    block.Y = Unusual(seed, 1);
    block.ScaleX = 1.0;
    block.ScaleY = Unusual(seed, 2);
    block.Rotation = Unusual(seed, 3);
    block.BlockNumber = seed;
    return block;
}

void TTagNumbering::Tag(TJwwBuilder& b, std::string_view className)
{
    const auto found = Classes.find(className);
    if (found != Classes.end()) {
        b.ClassRef(found->second);
        return;
    }
    b.NewClass(Schema, className);
    Classes.emplace(std::string(className), Running++);
}

void TTagNumbering::UnknownClass(TJwwBuilder& b, std::string_view className)
{
    b.NewClass(Schema, className);
    ++Running;
}
