// The records that carry text: the text object and the dimension, which embeds a line, a text
// and, from version 420 on, two extension lines, four points and its SXF mode.
#include "jww/records.h"

namespace {

// Whether the cleaner would leave the text as it is: it holds no control character and no "^m".
// One pass over the bytes, as most texts are short and clean.
bool IsClean(std::string_view text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c < 0x20 || (c == '^' && i + 1 < text.size() && text[i + 1] == 'm'))
            return false;
    }
    return true;
}

}  // namespace

void WriteCleanText(TJwwWriter& w, std::string_view text)
{
    // Writing a clean text as it is spares a copy.
    if (IsClean(text))
        WriteJwwString(w, text);
    else
        WriteJwwString(w, StripControlChars(text));
}

namespace {

template <class IO, RecordOf<TEntMoji> R>
void Fields(IO& io, R& rec)
{
    io.Base(rec.Base, KindMoji);
    io.Field(rec.StartX);
    io.Field(rec.StartY);
    io.Field(rec.EndX);
    io.Field(rec.EndY);
    io.Field(rec.TextKind);
    io.Field(rec.SizeX);
    io.Field(rec.SizeY);
    io.Field(rec.Spacing);
    io.Field(rec.Angle);
    io.Text(rec.FontName);
    io.Text(rec.Text);
}

template <class IO, RecordOf<TEntSunpo> R>
void Fields(IO& io, R& rec)
{
    io.Base(rec.Base, KindSunpo);
    io.Record(rec.DimLine);
    io.Record(rec.DimText);
    if (io.Version < SxfVersion)
        return;
    io.Field(rec.SxfMode);
    io.Record(rec.ExtLine1);
    io.Record(rec.ExtLine2);
    io.Record(rec.Point1);
    io.Record(rec.Point2);
    io.Record(rec.ExtPoint1);
    io.Record(rec.ExtPoint2);
}

// A dimension of an older file has no extension records; they take the dimension's own
// attributes so that they look like the rest of it.
void FillExtensionsFromBase(TEntSunpo& rec)
{
    for (TEntSen* line : {&rec.ExtLine1, &rec.ExtLine2})
        CopyEntBase(rec.Base, line->Base);
    for (TEntTen* point : {&rec.Point1, &rec.Point2, &rec.ExtPoint1, &rec.ExtPoint2}) {
        CopyEntBase(rec.Base, point->Base);
        point->Base.PenStyle = 0;
    }
}

void WriteSplitObject(TJwwWriter& w, int32_t targetVersion, TClassRegistry& registry,
                      const TEntSen& line)
{
    WriteObjectTag(w, targetVersion, registry, KindSen);
    WriteRecord(w, targetVersion, line);
}

void WriteSplitObject(TJwwWriter& w, int32_t targetVersion, TClassRegistry& registry,
                      const TEntTen& point)
{
    WriteObjectTag(w, targetVersion, registry, KindTen);
    WriteRecord(w, targetVersion, point);
}

TEntTen AsTemporary(TEntTen point)
{
    point.Temporary = 1;
    return point;
}

// Older readers know no extension records; they receive them as stand-alone lines and points,
// the extension-line points marked temporary.
void WriteExtensionsAsObjects(TJwwWriter& w, int32_t targetVersion, TClassRegistry& registry,
                              const TEntSunpo& rec)
{
    registry.Advance();  // the number of the dimension itself
    WriteSplitObject(w, targetVersion, registry, rec.ExtLine1);
    registry.Advance();
    WriteSplitObject(w, targetVersion, registry, rec.ExtLine2);
    registry.Advance();
    WriteSplitObject(w, targetVersion, registry, rec.Point1);
    registry.Advance();
    WriteSplitObject(w, targetVersion, registry, rec.Point2);
    registry.Advance();
    WriteSplitObject(w, targetVersion, registry, AsTemporary(rec.ExtPoint1));
    registry.Advance();
    // The list writer numbers this last object, as it numbers every entry.
    WriteSplitObject(w, targetVersion, registry, AsTemporary(rec.ExtPoint2));
}

}  // namespace

void ReadRecord(TJwwReader& r, int32_t version, TEntMoji& rec)
{
    TRecordReader io{r, version};
    Fields(io, rec);
}

void WriteRecord(TJwwWriter& w, int32_t targetVersion, const TEntMoji& rec)
{
    TRecordWriter io{w, targetVersion};
    Fields(io, rec);
}

void ReadRecord(TJwwReader& r, int32_t version, TEntSunpo& rec)
{
    TRecordReader io{r, version};
    Fields(io, rec);
    if (version < SxfVersion)
        FillExtensionsFromBase(rec);
}

void WriteRecord(TJwwWriter& w, int32_t targetVersion, int32_t docVersion,
                 TClassRegistry& registry, const TEntSunpo& rec)
{
    TRecordWriter io{w, targetVersion};
    Fields(io, rec);
    if (targetVersion < SxfVersion && docVersion >= SxfVersion && rec.SxfMode != 0)
        WriteExtensionsAsObjects(w, targetVersion, registry, rec);
}
