// The header section: its layout, described once and walked by both the reader and the writer,
// and the two checks that recognise a drawing before it is loaded.
#include <cstring>
#include <filesystem>
#include <optional>

#include "jww/jwwunit.h"
#include "jww/system_files.h"

namespace {

// The signature every drawing starts with; part of the file format and must not change.
constexpr char JwwSignature[] = {'J', 'w', 'w', 'D', 'a', 't', 'a', '.'};
constexpr std::size_t SignatureSize = sizeof JwwSignature;

// Below this version the layout of the rest of the header is unknown.
constexpr int32_t OldestReadableVersion = 220;

// A table entry by index; a document without its header tables fails instead of overrunning.
template <class TTable>
auto& Entry(TTable& table, std::size_t index)
{
    if (index >= table.size())
        throw EJwwRangeError("header table entry " + std::to_string(index) + " of " +
                             std::to_string(table.size()));
    return table[index];
}

// ---------------------------------------------------------------------------------------------
// The two sides of the walk. Each field of the layout goes through one call, so the reader and
// the writer always agree on what comes where; the writer's normalisations live in its own
// methods, keyed by the kind of field the layout names.
// ---------------------------------------------------------------------------------------------

class THeaderFieldReader {
public:
    explicit THeaderFieldReader(TJwwReader& r) : R(r) {}

    template <class TBody>
    void Part(const char* what, TBody body)
    {
        const TReadContext named(R, what);
        body();
    }

    void Signature(std::string& magic)
    {
        char bytes[SignatureSize];
        R.Read(bytes, SignatureSize);
        magic.assign(bytes, SignatureSize);
    }

    int32_t Version(int32_t& version)
    {
        version = ReadInt(R);
        return version;
    }

    void Field(int32_t& value) { value = ReadInt(R); }
    void Field(double& value) { value = ReadDouble(R); }
    void Memo(std::string& memo) { memo = ReadJwwString(R); }
    void Name(std::string& name) { name = ReadJwwString(R); }
    void WrittenAsZero(int32_t& value) { Field(value); }
    void ClampedForOldTargets(int32_t& value) { Field(value); }

    // The file holds one integer; the document keeps its tens and its last digit, both
    // truncated toward zero so that the digit carries the value's sign.
    void SplitInteger(int32_t& tensPart, int32_t& unitsPart)
    {
        const int32_t value = ReadInt(R);
        tensPart = value / 10;
        unitsPart = value % 10;
    }

private:
    TJwwReader& R;
};

class THeaderFieldWriter {
public:
    THeaderFieldWriter(TJwwWriter& w, int32_t targetVersion) : W(w), Target(targetVersion) {}

    template <class TBody>
    void Part(const char*, TBody body)
    {
        body();
    }

    void Signature(const std::string& magic)
    {
        // A signature of any other length would shift every later field of the file.
        if (magic.size() != SignatureSize)
            throw EJwwRangeError("file signature of " + std::to_string(magic.size()) + " bytes");
        W.Write(magic.data(), SignatureSize);
    }

    int32_t Version(int32_t)
    {
        WriteInt(W, Target);
        return Target;
    }

    void Field(int32_t value) { WriteInt(W, value); }
    void Field(double value) { WriteDouble(W, value); }
    void Memo(const std::string& memo) { WriteJwwString(W, memo); }
    void Name(const std::string& name) { WriteJwwString(W, StripControlChars(name)); }
    void WrittenAsZero(int32_t) { WriteInt(W, 0); }

    void ClampedForOldTargets(int32_t value)
    {
        constexpr int32_t OldTargetLimit = -101;
        WriteInt(W, Target <= 420 && value < OldTargetLimit ? OldTargetLimit : value);
    }

    // From version 600 on the value is put together again with a tens part below one written
    // as one; older versions store the last digit alone.
    void SplitInteger(int32_t tensPart, int32_t unitsPart)
    {
        int64_t value = unitsPart;
        if (Target >= 600)
            value += tensPart > 0 ? int64_t{10} * tensPart : 10;
        if (value < INT32_MIN || value > INT32_MAX)
            throw EJwwRangeError("split header integer overflows 32 bits");
        WriteInt(W, static_cast<int32_t>(value));
    }

private:
    TJwwWriter& W;
    const int32_t Target;
};

template <class TVisitor, class TValues>
void Fields(TVisitor& v, TValues& values)
{
    for (auto& value : values)
        v.Field(value);
}

// ---------------------------------------------------------------------------------------------
// The layout. TDoc is a document when reading and a const document when writing; the version is
// the one read from the file or the target version, and the same conditions hold for both.
// ---------------------------------------------------------------------------------------------

template <class TDoc, class TVisitor>
int32_t WalkSignatureAndVersion(TDoc& doc, TVisitor& v)
{
    int32_t version = 0;
    v.Part("header start", [&] {
        v.Signature(doc.Header.Magic);
        version = v.Version(doc.Header.Version);
    });
    return version;
}

template <class TDoc, class TVisitor>
void WalkLayers(TDoc& doc, TVisitor& v)
{
    auto& h = doc.Header;
    v.Part("header memo", [&] { v.Memo(h.Memo); });
    v.Part("header settings", [&] { Fields(v, h.Settings0); });
    v.Part("layer groups", [&] {
        for (std::size_t g = 0; g < 16; ++g) {
            auto& group = Entry(doc.LayerGroupTable, g);
            v.Field(group.Value1);
            v.Field(group.Value2);
            v.Field(group.Value3);
            v.Field(group.Value4);
            for (std::size_t l = 0; l < 16; ++l) {
                auto& layer = Entry(doc.LayerTable, g * 16 + l);
                v.Field(layer.Value1);
                v.Field(layer.Value2);
            }
        }
    });
    v.Part("header settings", [&] {
        for (auto& value : h.SettingsA)
            v.WrittenAsZero(value);
        for (std::size_t i = 0; i < 5; ++i)
            v.Field(h.SettingsB[i]);
        v.WrittenAsZero(h.SettingsB[5]);
        v.ClampedForOldTargets(h.SettingsB[6]);
        Fields(v, h.SettingsC.Lead);
        Fields(v, h.SettingsC.Ints);
        Fields(v, h.SettingsC.Tail);
    });
    v.Part("layer names", [&] {
        for (std::size_t i = 0; i < 256; ++i)
            v.Name(Entry(doc.LayerTable, i).Name);
    });
    v.Part("layer-group names", [&] {
        for (std::size_t g = 0; g < 16; ++g)
            v.Name(Entry(doc.LayerGroupTable, g).Name);
    });
}

template <class TDoc, class TVisitor>
void WalkSettings(TDoc& doc, TVisitor& v, int32_t version)
{
    auto& h = doc.Header;
    v.Part("header settings", [&] {
        Fields(v, h.SettingsD.Lead);
        v.Field(h.SettingsD.Int);
        v.Field(h.SettingsD.Tail[0]);
        // Versions 231 to 299 are read as they are written, without these two doubles, so
        // that every version reads back what it writes.
        if (version >= 300) {
            v.Field(h.SettingsD.Tail[1]);
            v.Field(h.SettingsD.Tail[2]);
        }
        v.Field(h.SettingsE.Int);
        Fields(v, h.SettingsE.Doubles);
        if (version >= 231) {
            for (auto& entry : h.SettingsTableA) {
                v.Field(entry.D1);
                v.Field(entry.D2);
                v.Field(entry.D3);
                v.Field(entry.I1);
            }
        } else {
            for (std::size_t e = 0; e < 4; ++e) {
                v.Field(h.SettingsTableA[e].D1);
                v.Field(h.SettingsTableA[e].D2);
                v.Field(h.SettingsTableA[e].D3);
            }
        }
        Fields(v, h.SettingsF);
        for (std::size_t e = 0; e < 10; ++e) {
            auto& entry = Entry(doc.SettingsTableB, e);
            v.Field(entry.I1);
            v.Field(entry.I2);
        }
        for (std::size_t e = 0; e < 10; ++e) {
            auto& entry = Entry(doc.SettingsTableB, e);
            v.Field(entry.I3);
            v.Field(entry.I4);
            v.Field(entry.D5);
        }
        for (std::size_t e = 0; e < 8; ++e)
            Fields(v, Entry(doc.SettingsTableC, e));
        for (std::size_t e = 0; e < 5; ++e)
            Fields(v, Entry(doc.SettingsTableD, e));
        for (std::size_t e = 0; e < 4; ++e)
            Fields(v, Entry(doc.SettingsTableE, e));
        Fields(v, h.SettingsG.Ints);
        v.SplitInteger(h.SettingsG.TensPart, h.SettingsG.UnitsPart);
        if (version >= 223) {
            Fields(v, h.SettingsG.Ints2);
            Fields(v, h.SettingsG.Doubles);
        }
        if (version >= 225)
            Fields(v, h.SettingsG.Doubles2);
        if (version >= 230)
            Fields(v, h.SettingsG.Ints3);
    });
}

template <class TDoc, class TVisitor>
void WalkSxfTables(TDoc& doc, TVisitor& v)
{
    v.Part("SXF line colours", [&] {
        for (std::size_t i = 0; i < 257; ++i) {
            auto& colour = Entry(doc.ColorExTable, i);
            v.Field(colour.ScreenColor);
            v.Field(colour.ScreenWidth);
        }
        for (std::size_t i = 0; i < 257; ++i) {
            auto& colour = Entry(doc.ColorExTable, i);
            v.Name(colour.Name);
            v.Field(colour.PrintColor);
            v.Field(colour.PrintWidth);
            v.Field(colour.PointRadius);
        }
    });
    v.Part("SXF line types", [&] {
        for (std::size_t i = 0; i < 33; ++i) {
            auto& lineType = Entry(doc.LineTypeExTable, i);
            v.Field(lineType.Pattern);
            v.Field(lineType.DotsPerUnit);
            v.Field(lineType.ScreenPitch);
            v.Field(lineType.PrintPitch);
        }
        for (std::size_t i = 0; i < 33; ++i) {
            auto& lineType = Entry(doc.LineTypeExTable, i);
            v.Name(lineType.Name);
            v.Field(lineType.SegmentCount);
            Fields(v, lineType.Pitches);
        }
    });
}

template <class TDoc, class TVisitor>
void WalkTail(TDoc& doc, TVisitor& v)
{
    v.Part("header settings", [&] {
        for (std::size_t e = 0; e < 10; ++e) {
            auto& entry = Entry(doc.SettingsTableF, e);
            v.Field(entry.D1);
            v.Field(entry.D2);
            v.Field(entry.D3);
            v.Field(entry.I1);
        }
        auto& s = doc.Header.SettingsH;
        Fields(v, s.Lead);
        Fields(v, s.Ints);
        Fields(v, s.Mid);
        v.Field(s.Int);
        Fields(v, s.Tail);
    });
}

// Everything up to the SXF tables: the part that the header check reads.
template <class TDoc, class TVisitor>
void WalkPrefix(TDoc& doc, TVisitor& v, int32_t version)
{
    WalkLayers(doc, v);
    WalkSettings(doc, v, version);
}

template <class TDoc, class TVisitor>
void WalkRest(TDoc& doc, TVisitor& v, int32_t version)
{
    if (version >= SxfVersion)
        WalkSxfTables(doc, v);
    WalkTail(doc, v);
}

// A missing file is simply not a drawing; one that exists but cannot be opened is an error
// worth telling, which the reader's constructor raises.
std::optional<TJwwReader> OpenIfExists(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::status(FsPath(path), error).type() == std::filesystem::file_type::not_found)
        return std::nullopt;
    return std::optional<TJwwReader>(std::in_place, path);
}

}  // namespace

bool ReadHeaderSection(TJwwReader& r, TJwwDocument& doc)
{
    THeaderFieldReader reader(r);
    const int32_t version = WalkSignatureAndVersion(doc, reader);
    if (version < OldestReadableVersion)
        return false;
    WalkPrefix(doc, reader, version);
    WalkRest(doc, reader, version);
    return true;
}

void WriteHeaderSection(TJwwWriter& w, const TJwwDocument& doc, int32_t targetVersion)
{
    // Nothing can read such a file back, this program included.
    if (targetVersion < OldestReadableVersion)
        throw EJwwRangeError("format version " + std::to_string(targetVersion) +
                             " cannot be written");
    THeaderFieldWriter writer(w, targetVersion);
    const int32_t version = WalkSignatureAndVersion(doc, writer);
    WalkPrefix(doc, writer, version);
    WalkRest(doc, writer, version);
}

bool IsJwwFile(const std::string& path)
{
    std::optional<TJwwReader> r = OpenIfExists(path);
    if (!r)
        return false;
    char head[SignatureSize];
    try {
        return r->ReadSome(head, SignatureSize) == SignatureSize &&
               std::memcmp(head, JwwSignature, SignatureSize) == 0;
    } catch (const EJwwIOError&) {
        return false;
    }
}

bool ReadJwwHeader(const std::string& path)
{
    return ReadJwwHeader(JwwDoc, path);
}

bool ReadJwwHeader(TJwwDocument& doc, const std::string& path)
{
    ClearJww(doc);
    std::optional<TJwwReader> r = OpenIfExists(path);
    if (!r)
        return false;

    // The prefix is read whole into a scratch document, so that only the fields the window
    // needs reach the caller's document and its tables stay empty.
    TJwwDocument scratch;
    CreateHeaderTables(scratch);
    bool complete = true;
    try {
        THeaderFieldReader reader(*r);
        const int32_t version = WalkSignatureAndVersion(scratch, reader);
        WalkPrefix(scratch, reader, version);
    } catch (const EJwwIOError&) {
        complete = false;
    }

    // Fields the file did not reach, or whose version lacks them, still hold their reset values
    // in the scratch document, so copying them changes nothing.
    const THeader& read = scratch.Header;
    THeader& kept = doc.Header;
    kept.Magic = read.Magic;
    kept.Version = read.Version;
    kept.Memo = read.Memo;
    kept.Settings0[0] = read.Settings0[0];
    kept.SettingsC.Lead[2] = read.SettingsC.Lead[2];
    kept.SettingsC.Ints[0] = read.SettingsC.Ints[0];
    kept.SettingsG.Ints2[0] = read.SettingsG.Ints2[0];
    return complete;
}
