// The drawing document, the encodings of the JWW format and the readers and writers of its
// sections. A JWW file is: header section, entity object list, block-definition list and, from
// version 700 on, the image section; nothing follows the last section.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "jww/jwtype.h"
#include "jww/stream.h"
#include "text/Func_.h"

// ---------------------------------------------------------------------------------------------
// Format versions
// ---------------------------------------------------------------------------------------------

// Versions at which a drawing gains data; they are part of the file format.
constexpr int32_t PenWidthVersion = 351;      // the line width of every object
constexpr int32_t SxfVersion = 420;           // SXF tables, line types, colours, dimension parts
constexpr int32_t ImageSectionVersion = 700;  // embedded images

// The SXF extended line types and colours, which older versions do not know.
constexpr uint8_t FirstExtendedPenStyle = 31;
constexpr uint8_t LastExtendedPenStyle = 62;
constexpr uint16_t FirstExtendedPenColor = 101;
constexpr uint16_t LastExtendedPenColor = 356;

constexpr bool IsSxfPenStyle(uint8_t style)
{
    return style >= FirstExtendedPenStyle && style <= LastExtendedPenStyle;
}

constexpr bool IsSxfPenColor(uint16_t color)
{
    return color >= FirstExtendedPenColor && color <= LastExtendedPenColor;
}

// ---------------------------------------------------------------------------------------------
// Document
// ---------------------------------------------------------------------------------------------

// A settings entry of three doubles and an integer (SettingsTableA and SettingsTableF).
struct TSettingsEntry3D1I {
    double D1 = 0.0;
    double D2 = 0.0;
    double D3 = 0.0;
    int32_t I1 = 0;
};

struct TSettingsEntryB {
    int32_t I1 = 0;
    int32_t I2 = 0;
    int32_t I3 = 0;
    int32_t I4 = 0;
    double D5 = 0.0;
};

using TSettingsEntryC = std::array<int32_t, 4>;
using TSettingsEntryD = std::array<int32_t, 5>;
using TSettingsEntryE = std::array<int32_t, 4>;

// double, double, double, integer, integer, then five doubles.
struct TSettingsC {
    std::array<double, 3> Lead{0.0, 0.0, 1.0};
    std::array<int32_t, 2> Ints{0, 0};
    std::array<double, 5> Tail{1.0, 1.0, 1.0, 0.0, 0.0};
};

// double, double, integer, double, then (from version 300) two more doubles.
struct TSettingsD {
    std::array<double, 2> Lead{};
    int32_t Int = 0;
    std::array<double, 3> Tail{};
};

// integer, then six doubles.
struct TSettingsE {
    int32_t Int = 0;
    std::array<double, 6> Doubles{1.0, 0.0, 0.0, 1.0, 0.0, 0.0};
};

// Ten integers, the split integer, five integers, five doubles, four doubles, two integers.
struct TSettingsG {
    std::array<int32_t, 10> Ints{};
    int32_t UnitsPart = 0;
    int32_t TensPart = 0;
    std::array<int32_t, 5> Ints2{};
    std::array<double, 5> Doubles{};
    std::array<double, 4> Doubles2{};
    std::array<int32_t, 2> Ints3{};
};

// double, double, double, integer, integer, double, double, integer, then six doubles.
struct TSettingsH {
    std::array<double, 3> Lead{};
    std::array<int32_t, 2> Ints{};
    std::array<double, 2> Mid{};
    int32_t Int = 0;
    std::array<double, 6> Tail{};
};

std::array<TSettingsEntry3D1I, 10> ResetSettingsTableA();

struct THeader {
    std::string Magic;
    int32_t Version = 0;
    std::string Memo;
    std::array<int32_t, 2> Settings0{};
    std::array<int32_t, 14> SettingsA{};
    std::array<int32_t, 7> SettingsB{};
    TSettingsC SettingsC;
    TSettingsD SettingsD;
    TSettingsE SettingsE;
    std::array<TSettingsEntry3D1I, 10> SettingsTableA = ResetSettingsTableA();
    std::array<double, 11> SettingsF{};
    TSettingsG SettingsG;
    TSettingsH SettingsH;
    // Set by a load when it reaches each list's count word; clearing leaves them.
    int32_t EntityCount = 0;
    int32_t BlockDefCount = 0;
};

struct TJwwDocument : TEntityCollections {
    THeader Header;
    std::vector<TLayerGroup> LayerGroupTable;
    std::vector<TLayer> LayerTable;  // the layer l of group g is entry g * 16 + l
    std::vector<TSettingsEntryB> SettingsTableB;
    std::vector<TSettingsEntryC> SettingsTableC;
    std::vector<TSettingsEntryD> SettingsTableD;
    std::vector<TSettingsEntryE> SettingsTableE;
    std::vector<TColorExNo> ColorExTable;        // entry 0 and the colours 1 .. 256
    std::vector<TLineTypeExNo> LineTypeExTable;  // entry 0 and the line types 1 .. 32
    std::vector<TSettingsEntry3D1I> SettingsTableF;
    std::vector<TEntBlockDef> BlockDefList;
    // How the drawing's strings are stored; a save writes this form.
    TStringForm StringForm = TStringForm::Byte;
    // Set by a load when a wide string held characters that code page 932 cannot hold.
    bool LossyStrings = false;
    // Set by a load that failed part-way. Such a document lacks the rest of its drawing, and
    // not every gap shows in its counts, so a save of it is refused rather than silently short.
    bool LoadedPartly = false;
    // Set by a complete load: the bytes that follow the last section. No reader takes them, so
    // a save of the drawing leaves them out.
    uint64_t TrailingBytes = 0;
};

// The one drawing the program holds.
extern TJwwDocument JwwDoc;

// Empties every collection and resets every header field; EntityCount and BlockDefCount stay.
void ClearJww();
void ClearJww(TJwwDocument& doc);

// Gives every header table its fixed length with every element zero.
void CreateHeaderTables(TJwwDocument& doc);

// ---------------------------------------------------------------------------------------------
// Stream encodings
// ---------------------------------------------------------------------------------------------

std::string ReadJwwString(TJwwReader& r);
void WriteJwwString(TJwwWriter& w, std::string_view s);

int32_t ReadJwwCount(TJwwReader& r);
void WriteJwwCount(TJwwWriter& w, int32_t n);

// A decoded class tag: either a new class with its name, or a reference to a class index.
struct TClassTag {
    bool IsNewClass = false;
    std::string ClassName;
    int32_t ClassIndex = 0;
};

// The longest class name a tag may carry; a longer one marks the file as corrupt.
constexpr std::size_t MaxClassNameLength = 2048;

TClassTag ReadClassTag(TJwwReader& r);
void WriteNewClass(TJwwWriter& w, int32_t version, std::string_view className);
void WriteClassRef(TJwwWriter& w, int32_t classIndex);

// ---------------------------------------------------------------------------------------------
// Header section
// ---------------------------------------------------------------------------------------------

// Reads the header into a document that was just cleared and given its header tables. Returns
// false, right after the version, for a version below 220, whose layout is not known; the
// signature and the version are then the only fields read.
bool ReadHeaderSection(TJwwReader& r, TJwwDocument& doc);
void WriteHeaderSection(TJwwWriter& w, const TJwwDocument& doc, int32_t targetVersion);

bool IsJwwFile(const std::string& path);
bool ReadJwwHeader(const std::string& path);
bool ReadJwwHeader(TJwwDocument& doc, const std::string& path);

// ---------------------------------------------------------------------------------------------
// Objects
// ---------------------------------------------------------------------------------------------

// Class indices and the running index of one load or one save.
struct TClassRegistry {
    std::array<int32_t, 9> ClassIndex{};  // by kind code 1 .. 8
    int32_t RunningIndex = 1;

    // Gives the next number; raises EJwwRangeError when the numbers run out. Inline, as it runs
    // for every object read or written.
    void Advance()
    {
        if (RunningIndex == INT32_MAX)
            FailNumbering();
        ++RunningIndex;
    }

private:
    [[noreturn]] static void FailNumbering();
};

TEntBase ReadEntBase(TJwwReader& r, int32_t version);
void CopyEntBase(const TEntBase& source, TEntBase& dest);
void WriteEntBase(TJwwWriter& w, int32_t targetVersion, int32_t kind, const TEntBase& base);
// The base record as WriteEntBase writes it for an object of the kind.
TEntBase CorrectedEntBase(int32_t targetVersion, int32_t kind, const TEntBase& base);

// The record at index of a collection. An order table need not match its collections (a
// drawing whose load failed, or one built in memory), so the index is checked.
template <class Rec>
const Rec& ObjectAt(const std::vector<Rec>& list, int32_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= list.size())
        throw EJwwRangeError("object order refers to entry " + std::to_string(index) + " of " +
                             std::to_string(list.size()));
    return list[static_cast<std::size_t>(index)];
}

// Calls visit with the record of the object that ref selects and returns what it returns;
// raises EJwwRangeError when ref selects no record.
template <class TVisit>
decltype(auto) VisitObject(const TEntityCollections& list, const TEntRef& ref, TVisit&& visit)
{
    switch (ref.Kind) {
    case KindSen:
        return visit(ObjectAt(list.SenList, ref.Index));
    case KindEnko:
        return visit(ObjectAt(list.EnkoList, ref.Index));
    case KindTen:
        return visit(ObjectAt(list.TenList, ref.Index));
    case KindMoji:
        return visit(ObjectAt(list.MojiList, ref.Index));
    case KindSunpo:
        return visit(ObjectAt(list.SunpoList, ref.Index));
    case KindSolid:
        return visit(ObjectAt(list.SolidList, ref.Index));
    case KindBlock:
        return visit(ObjectAt(list.BlockList, ref.Index));
    default:
        throw EJwwRangeError("object order holds kind " + std::to_string(ref.Kind));
    }
}

void ReadEntityList(TJwwReader& r, TJwwDocument& doc, TClassRegistry& registry);
void WriteEntityList(TJwwWriter& w, const TJwwDocument& doc, int32_t targetVersion,
                     TClassRegistry& registry);

void ReadBlockDefList(TJwwReader& r, TJwwDocument& doc, TClassRegistry& registry, int32_t version);
void WriteBlockDefList(TJwwWriter& w, const TJwwDocument& doc, int32_t targetVersion,
                       TClassRegistry& registry);

// ---------------------------------------------------------------------------------------------
// Images and drivers
// ---------------------------------------------------------------------------------------------

void ReadImageSection(TJwwReader& r, int32_t version);
void MarkImagesInUse(const TJwwDocument& doc);
void WriteImageSection(TJwwWriter& w, const TJwwDocument& doc, int32_t targetVersion);

// The overloads that take a document tell why a load or save did not complete in *failure.
bool LoadJww(const std::string& path);
bool LoadJww(TJwwDocument& doc, const std::string& path, std::string* failure = nullptr);
bool SaveJww(const std::string& path, int32_t version);
bool SaveJww(const TJwwDocument& doc, const std::string& path, int32_t version,
             std::string* failure = nullptr);
// As SaveJww, but never replaces a file: one that exists at path, or appears there while the
// drawing is written, fails the save and stays as it is.
bool SaveJwwAsNewFile(const TJwwDocument& doc, const std::string& path, int32_t version,
                      std::string* failure = nullptr);
// The same over a stream that is already open, such as bytes held in memory. The reader is
// read from where it stands; the writer is flushed but not closed.
bool LoadJww(TJwwDocument& doc, TJwwReader& r, std::string* failure = nullptr);
bool SaveJww(const TJwwDocument& doc, TJwwWriter& w, int32_t version,
             std::string* failure = nullptr);
