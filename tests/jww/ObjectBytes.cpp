#include "tests/jww/ObjectBytes.h"

#include <bit>

namespace {

// Doubles whose bits must survive, a NaN with a payload and a negative zero, among ordinary ones.
double Value(int seed, int field)
{
    const int pick = (seed + field) % 4;
    const double nan = std::bit_cast<double>(0x7FF8000000000123ull + static_cast<uint64_t>(seed));
    return pick == 0 ? nan : pick == 1 ? -0.0 : seed * 1000.25 + field * 0.125;
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
    b.Double(line.StartX).Double(line.StartY).Double(line.EndX).Double(line.EndY);
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
    for (const TEntTen* point : {&dimension.Point1, &dimension.Point2, &dimension.ExtPoint1,
                                 &dimension.ExtPoint2})
        AddRecord(b, *point, version);
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

void AddRecord(TJwwBuilder& b, const TEntBlockDef& def, int32_t version)
{
    AddRecord(b, def.Base, version);
    b.Int(def.Number).Int(def.Referenced).Int(def.Time).String(def.Name);
}

TEntBase PlainBase(uint32_t group)
{
    return {group, 1, 1, static_cast<uint16_t>(group % 30001), static_cast<uint16_t>(group % 16),
            static_cast<uint16_t>(group / 16 % 16), static_cast<uint16_t>(0xA5A5 ^ group)};
}

TEntSen SampleLine(int seed)
{
    TEntBase base = PlainBase(100 + seed);
    base.PenStyle = static_cast<uint8_t>(31 + seed % 32);     // an SXF line type
    base.PenColor = static_cast<uint16_t>(101 + seed % 256);  // an SXF colour
    return {base, Value(seed, 0), Value(seed, 1), Value(seed, 2), 4.0};
}

TEntEnko SampleArc(int seed)
{
    return {PlainBase(200 + seed), Value(seed, 0), Value(seed, 1), Value(seed, 2), Value(seed, 3),
            0.5, 0.25 * seed, 1.0, seed % 2};
}

TEntTen SamplePoint(int seed, bool withCode)
{
    TEntBase base = PlainBase(300 + seed);
    base.PenStyle = withCode ? 100 : 1;
    return {base, Value(seed, 0), Value(seed, 1), seed % 2, withCode ? 40 + seed : 0,
            withCode ? Value(seed, 2) : 0.0, withCode ? 1.5 : 0.0};
}

TEntMoji SampleText(int seed)
{
    return {PlainBase(400 + seed), Value(seed, 0), Value(seed, 1), 2.0, 3.0, seed, 2.5, 3.0, 0.0,
            Value(seed, 2), "\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E",  // two-byte
            "Text " + std::to_string(seed) + std::string(seed % 3 == 0 ? 300 : 0, 'x')};
}

TEntSunpo SampleDimension(int seed)
{
    const auto line = [&](int n) {
        return TEntSen{PlainBase(510u + static_cast<uint32_t>(seed + n)), Value(seed, n), 2.0, 3.0};
    };
    return {PlainBase(500 + seed), line(1), SampleText(seed + 2), 1, line(3), line(4),
            SamplePoint(seed + 5, true), SamplePoint(seed + 6), SamplePoint(seed + 7),
            SamplePoint(seed + 8)};
}

TEntSolid SampleSolid(int seed, bool withColor)
{
    TEntBase base = PlainBase(600 + seed);
    base.PenColor = withColor ? 10 : 3;
    return {base, Value(seed, 0), Value(seed, 1), Value(seed, 2), Value(seed, 3), 3.0, 3.5, 4.0,
            -4.0, withColor ? 0x123456 + seed : 0};
}

TEntBlock SampleBlock(int seed)
{
    // Insertions keep any line type and any colour.
    const TEntBase base{700u + static_cast<uint32_t>(seed), 77, 999, 7, 1, 2, 3};
    return {base, Value(seed, 0), Value(seed, 1), 1.0, Value(seed, 2), Value(seed, 3), seed};
}

TEntBlockDef SampleDef(int seed)
{
    TEntBlockDef def{{}, PlainBase(900 + seed), seed, -seed, 0x12345600 + seed,
                     "Block " + std::to_string(seed)};
    def.Base.PenColor = static_cast<uint16_t>(500 + seed);  // definitions keep any colour
    return def;
}

void TListBuilder::Tag(std::string_view name)
{
    const auto found = Classes.find(name);
    if (found != Classes.end()) {
        ClassRef(found->second);
    } else {
        NewClass(static_cast<uint16_t>(Version), name);
        Classes.emplace(std::string(name), Running++);
    }
    ++Running;  // the object's own number
}

void ReadListsInto(TListsRead& read, const std::string& bytes, int32_t version,
                   bool withBlockDefs)
{
    read.Doc.Header.Version = version;
    TJwwReader r = TJwwReader::FromBytes(bytes);
    ReadEntityList(r, read.Doc, read.Registry);
    if (withBlockDefs)
        ReadBlockDefList(r, read.Doc, read.Registry, version);
    read.Consumed = r.Position();
}

TListsRead ReadLists(const std::string& bytes, int32_t version, bool withBlockDefs)
{
    TListsRead read;
    ReadListsInto(read, bytes, version, withBlockDefs);
    return read;
}

std::string WriteLists(const TJwwDocument& doc, int32_t targetVersion, bool withBlockDefs)
{
    TClassRegistry registry;
    return WrittenBytes([&](TJwwWriter& w) {
        WriteEntityList(w, doc, targetVersion, registry);
        if (withBlockDefs)
            WriteBlockDefList(w, doc, targetVersion, registry);
    });
}
