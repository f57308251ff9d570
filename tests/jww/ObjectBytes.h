// The file layout of every object record and of the lists they make up, written out here on its
// own with the byte builder, so that tests compare the library's readers and writers against an
// independent description. Records are encoded exactly as held, no writer rule applied.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "jww/jwwunit.h"
#include "tests/support/JwwBuilder.h"

// The bytes a writer produces in memory.
template <class WriteFn>
std::string WrittenBytes(WriteFn&& write)
{
    std::string out;
    TJwwWriter w(&out);
    write(w);
    w.Flush();
    return out;
}

void AddRecord(TJwwBuilder& b, const TEntBase& base, int32_t version);
void AddRecord(TJwwBuilder& b, const TEntSen& line, int32_t version);
void AddRecord(TJwwBuilder& b, const TEntEnko& arc, int32_t version);
void AddRecord(TJwwBuilder& b, const TEntTen& point, int32_t version);
void AddRecord(TJwwBuilder& b, const TEntMoji& text, int32_t version);
void AddRecord(TJwwBuilder& b, const TEntSunpo& dimension, int32_t version);
void AddRecord(TJwwBuilder& b, const TEntSolid& solid, int32_t version);
void AddRecord(TJwwBuilder& b, const TEntBlock& block, int32_t version);
// A definition's fixed part (base, Number, Referenced, the short Time, Name); no count.
void AddRecord(TJwwBuilder& b, const TEntBlockDef& def, int32_t version);

template <class Rec>
std::string RecordBytes(const Rec& rec, int32_t version)
{
    TJwwBuilder b;
    AddRecord(b, rec, version);
    return b.Bytes();
}

// Records with distinct values, a NaN payload and a negative zero among them, whose attributes
// no writer rule from version 420 on changes; PlainBase no rule of any version changes.
TEntBase PlainBase(uint32_t group);
TEntSen SampleLine(int seed);
TEntEnko SampleArc(int seed);
TEntTen SamplePoint(int seed, bool withCode = false);  // PenStyle 100 carries the code fields
TEntMoji SampleText(int seed);                          // a 300-byte text when seed % 3 == 0
TEntSunpo SampleDimension(int seed);  // SxfMode 1, Point1 with code fields, no SXF attributes
TEntSolid SampleSolid(int seed, bool withColor = false);  // PenColor 10 carries the colour
TEntBlock SampleBlock(int seed);
TEntBlockDef SampleDef(int seed);

// Builds object lists with class tags by the numbering rule: a class named in full takes the
// running index the first time, and every object takes the next one.
class TListBuilder : public TJwwBuilder {
public:
    explicit TListBuilder(int32_t version) : Version(version) {}
    // A tagged object; a definition's count and nested objects follow from the caller.
    template <class Rec>
    TListBuilder& Object(const Rec& rec)
    {
        Tag(ClassName(rec));
        AddRecord(*this, rec, Version);
        return *this;
    }
    int32_t Running = 1;

private:
    void Tag(std::string_view name);
    static std::string_view ClassName(const TEntSen&) { return "CDataSen"; }
    static std::string_view ClassName(const TEntEnko&) { return "CDataEnko"; }
    static std::string_view ClassName(const TEntTen&) { return "CDataTen"; }
    static std::string_view ClassName(const TEntMoji&) { return "CDataMoji"; }
    static std::string_view ClassName(const TEntSunpo&) { return "CDataSunpou"; }
    static std::string_view ClassName(const TEntSolid&) { return "CDataSolid"; }
    static std::string_view ClassName(const TEntBlock&) { return "CDataBlock"; }
    static std::string_view ClassName(const TEntBlockDef&) { return "CDataList"; }
    int32_t Version;
    std::map<std::string, int32_t, std::less<>> Classes;
};

// The entity list and, when asked, the block-definition list, read from the start of bytes as
// a load reads them; a failure is raised, and what was read before it stays in read.
struct TListsRead {
    TJwwDocument Doc;
    TClassRegistry Registry;
    uint64_t Consumed = 0;
};
void ReadListsInto(TListsRead& read, const std::string& bytes, int32_t version,
                   bool withBlockDefs = true);
TListsRead ReadLists(const std::string& bytes, int32_t version, bool withBlockDefs = true);
std::string WriteLists(const TJwwDocument& doc, int32_t targetVersion, bool withBlockDefs = true);
