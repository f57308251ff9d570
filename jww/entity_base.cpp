// The base record that starts every object, with the attribute corrections applied when it is
// written, and the records of the geometric kinds: line, arc, point, solid, block insertion.
#include "jww/records.h"

namespace {

constexpr std::size_t BaseRecordBytes = 15;
constexpr std::size_t NarrowBaseRecordBytes = 13;

// Older versions know only the first line types and colours; the extended SXF numbers are
// written as the nearest of those. These tables are part of the file format.
constexpr std::array<uint8_t, 32> DownLevelPenStyle = {
    1, 4, 3, 6, 8, 8, 2, 5, 7, 6, 6, 8, 8, 17, 17,       // 31 .. 45
    1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};  // 46 .. 62
static_assert(DownLevelPenStyle.size() == LastExtendedPenStyle - FirstExtendedPenStyle + 1);
constexpr std::array<uint8_t, 16> DownLevelPenColor = {
    2, 8, 3, 6, 4, 5, 1, 2, 5, 8, 4, 3, 6, 5, 2, 2};  // 101 .. 116
constexpr uint16_t DownLevelLaterPenColor = 2;         // 117 .. 356

constexpr uint8_t DefaultPenStyle = 1;
constexpr uint16_t DefaultPenColor = 2;
constexpr uint16_t MaxLayer = 15;
constexpr uint16_t MaxPenWidth = 30000;

constexpr bool Within(int32_t value, int32_t low, int32_t high)
{
    return value >= low && value <= high;
}

void MapDownLevel(int32_t kind, TEntBase& base)
{
    if ((kind == KindSen || kind == KindEnko) && IsSxfPenStyle(base.PenStyle))
        base.PenStyle = DownLevelPenStyle[base.PenStyle - FirstExtendedPenStyle];
    if (Within(kind, KindSen, KindSolid) && IsSxfPenColor(base.PenColor)) {
        const std::size_t offset = base.PenColor - FirstExtendedPenColor;
        base.PenColor = offset < DownLevelPenColor.size() ? DownLevelPenColor[offset]
                                                          : DownLevelLaterPenColor;
    }
}

constexpr bool IsValidPenStyle(int32_t kind, uint8_t style)
{
    switch (kind) {
    case KindSen:
    case KindEnko:
        return Within(style, 1, 9) || Within(style, 11, 19) || IsSxfPenStyle(style);
    case KindTen:
        return style == 1 || style == PointWithCode;
    case KindMoji:
        return Within(style, 1, 9);
    default:
        return true;
    }
}

// The styles accepted by kind, looked up rather than tested: the kinds of a drawing come in no
// order that the processor could learn to predict.
constexpr auto ValidPenStyles = [] {
    std::array<std::array<bool, 256>, KindClassNames.size()> valid{};
    for (int32_t kind = 0; kind < static_cast<int32_t>(valid.size()); ++kind) {
        for (int style = 0; style < 256; ++style)
            valid[kind][style] = IsValidPenStyle(kind, static_cast<uint8_t>(style));
    }
    return valid;
}();

bool AcceptsPenStyle(int32_t kind, uint8_t style)
{
    return !Within(kind, 0, KindList) || ValidPenStyles[kind][style];
}

bool IsValidPenColor(int32_t kind, uint16_t color)
{
    if (Within(kind, KindSen, KindSunpo))
        return Within(color, 1, 9) || IsSxfPenColor(color);
    if (kind == KindSolid)
        return Within(color, 1, SolidWithColor) || IsSxfPenColor(color);
    return true;
}

// What a reader of the target version accepts; out-of-range values are not errors in the
// drawing and stay in memory as read.
TEntBase CorrectedBase(int32_t targetVersion, int32_t kind, TEntBase base)
{
    if (targetVersion < SxfVersion)
        MapDownLevel(kind, base);
    if (!AcceptsPenStyle(kind, base.PenStyle))
        base.PenStyle = DefaultPenStyle;
    if (!IsValidPenColor(kind, base.PenColor))
        base.PenColor = DefaultPenColor;
    if (base.Layer > MaxLayer)
        base.Layer = 0;
    if (base.LayerGroup > MaxLayer)
        base.LayerGroup = 0;
    if (base.PenWidth > MaxPenWidth)
        base.PenWidth = 0;
    return base;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Base record
// ---------------------------------------------------------------------------------------------

TEntBase ReadEntBase(TJwwReader& r, int32_t version)
{
    const bool withWidth = version >= PenWidthVersion;
    char scratch[BaseRecordBytes];
    const char* bytes = r.Take(withWidth ? BaseRecordBytes : NarrowBaseRecordBytes, scratch);
    TEntBase base;
    base.Group = DecodeFixed32(bytes);
    base.PenStyle = static_cast<uint8_t>(bytes[4]);
    base.PenColor = DecodeFixed16(bytes + 5);
    const char* rest = bytes + 7;
    if (withWidth) {
        base.PenWidth = DecodeFixed16(rest);
        rest += 2;
    }
    base.Layer = DecodeFixed16(rest);
    base.LayerGroup = DecodeFixed16(rest + 2);
    base.Flags = DecodeFixed16(rest + 4);
    return base;
}

void CopyEntBase(const TEntBase& source, TEntBase& dest)
{
    dest = source;
}

TEntBase CorrectedEntBase(int32_t targetVersion, int32_t kind, const TEntBase& base)
{
    return CorrectedBase(targetVersion, kind, base);
}

void WriteEntBase(TJwwWriter& w, int32_t targetVersion, int32_t kind, const TEntBase& base)
{
    const TEntBase out = CorrectedBase(targetVersion, kind, base);
    const bool withWidth = targetVersion >= PenWidthVersion;
    char* bytes = w.Claim(withWidth ? BaseRecordBytes : NarrowBaseRecordBytes);
    EncodeFixed32(bytes, out.Group);
    bytes[4] = static_cast<char>(out.PenStyle);
    EncodeFixed16(bytes + 5, out.PenColor);
    char* rest = bytes + 7;
    if (withWidth) {
        EncodeFixed16(rest, out.PenWidth);
        rest += 2;
    }
    EncodeFixed16(rest, out.Layer);
    EncodeFixed16(rest + 2, out.LayerGroup);
    EncodeFixed16(rest + 4, out.Flags);
}

// ---------------------------------------------------------------------------------------------
// Record layouts
// ---------------------------------------------------------------------------------------------

namespace {

template <class IO, RecordOf<TEntSen> R>
void Fields(IO& io, R& rec)
{
    io.Base(rec.Base, KindSen);
    io.Field(rec.StartX);
    io.Field(rec.StartY);
    io.Field(rec.EndX);
    io.Field(rec.EndY);
}

template <class IO, RecordOf<TEntEnko> R>
void Fields(IO& io, R& rec)
{
    io.Base(rec.Base, KindEnko);
    io.Field(rec.CenterX);
    io.Field(rec.CenterY);
    io.Field(rec.Radius);
    io.Field(rec.StartAngle);
    io.Field(rec.ArcAngle);
    io.Field(rec.TiltAngle);
    io.Field(rec.Flatness);
    io.Field(rec.FullCircle);
}

// The code fields follow the stored PenStyle, which the reader has just read with the base and
// which the base-record corrections never take from or give to a point.
template <class IO, RecordOf<TEntTen> R>
void Fields(IO& io, R& rec)
{
    io.Base(rec.Base, KindTen);
    io.Field(rec.X);
    io.Field(rec.Y);
    io.Field(rec.Temporary);
    if (rec.Base.PenStyle == PointWithCode) {
        io.Field(rec.Code);
        io.Field(rec.Rotation);
        io.Field(rec.Scale);
    }
}

template <class IO, RecordOf<TEntSolid> R>
void Fields(IO& io, R& rec)
{
    io.Base(rec.Base, KindSolid);
    io.Field(rec.X1);
    io.Field(rec.Y1);
    io.Field(rec.X2);
    io.Field(rec.Y2);
    io.Field(rec.X3);
    io.Field(rec.Y3);
    io.Field(rec.X4);
    io.Field(rec.Y4);
    if (rec.Base.PenColor == SolidWithColor)
        io.Field(rec.RgbColor);
}

template <class IO, RecordOf<TEntBlock> R>
void Fields(IO& io, R& rec)
{
    io.Base(rec.Base, KindBlock);
    io.Field(rec.X);
    io.Field(rec.Y);
    io.Field(rec.ScaleX);
    io.Field(rec.ScaleY);
    io.Field(rec.Rotation);
    io.Field(rec.BlockNumber);
}

template <class Rec>
void ReadWithLayout(TJwwReader& r, int32_t version, Rec& rec)
{
    TRecordReader io{r, version};
    Fields(io, rec);
}

template <class Rec>
void WriteWithLayout(TJwwWriter& w, int32_t targetVersion, const Rec& rec)
{
    TRecordWriter io{w, targetVersion};
    Fields(io, rec);
}

}  // namespace

void ReadRecord(TJwwReader& r, int32_t version, TEntSen& rec)
{
    ReadWithLayout(r, version, rec);
}

void WriteRecord(TJwwWriter& w, int32_t targetVersion, const TEntSen& rec)
{
    WriteWithLayout(w, targetVersion, rec);
}

void ReadRecord(TJwwReader& r, int32_t version, TEntEnko& rec)
{
    ReadWithLayout(r, version, rec);
}

void WriteRecord(TJwwWriter& w, int32_t targetVersion, const TEntEnko& rec)
{
    WriteWithLayout(w, targetVersion, rec);
}

void ReadRecord(TJwwReader& r, int32_t version, TEntTen& rec)
{
    ReadWithLayout(r, version, rec);
}

void WriteRecord(TJwwWriter& w, int32_t targetVersion, const TEntTen& rec)
{
    WriteWithLayout(w, targetVersion, rec);
}

void ReadRecord(TJwwReader& r, int32_t version, TEntSolid& rec)
{
    ReadWithLayout(r, version, rec);
}

void WriteRecord(TJwwWriter& w, int32_t targetVersion, const TEntSolid& rec)
{
    WriteWithLayout(w, targetVersion, rec);
}

void ReadRecord(TJwwReader& r, int32_t version, TEntBlock& rec)
{
    ReadWithLayout(r, version, rec);
}

void WriteRecord(TJwwWriter& w, int32_t targetVersion, const TEntBlock& rec)
{
    WriteWithLayout(w, targetVersion, rec);
}
