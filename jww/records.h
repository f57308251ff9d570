// The per-kind object records and the object-list framing shared by the entity list and the
// nested lists of block definitions. Each record's layout is written once, as a template walked
// by TRecordReader and by TRecordWriter, so reading and writing cannot drift apart.
#pragma once

#include <array>
#include <concepts>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "jww/jwwunit.h"

// Field values that decide whether conditional fields follow; part of the file format.
constexpr uint8_t PointWithCode = 100;
constexpr uint16_t SolidWithColor = 10;

// The class names by kind code, exactly as the file stores them; they must not change.
constexpr std::array<std::string_view, 9> KindClassNames = {
    "", "CDataSen", "CDataEnko", "CDataTen", "CDataMoji", "CDataSunpou", "CDataSolid",
    "CDataBlock", "CDataList"};

// The smallest an object can be on disk (a tag word and a base record without its width), and
// the smallest block definition (tag, base, three integers, an empty name, a count word).
// Counts from a file are weighed against these before anything is allocated for them.
constexpr uint64_t MinObjectBytes = 15;
constexpr uint64_t MinBlockDefBytes = 2 + 15 + 12 + 1 + 2;

// A record's mutable or const form, so one layout serves the reader and the writer.
template <class R, class T>
concept RecordOf = std::same_as<std::remove_const_t<R>, T>;

// ---------------------------------------------------------------------------------------------
// Record readers and writers, one pair per kind
// ---------------------------------------------------------------------------------------------

void ReadRecord(TJwwReader& r, int32_t version, TEntSen& rec);
void WriteRecord(TJwwWriter& w, int32_t targetVersion, const TEntSen& rec);
void ReadRecord(TJwwReader& r, int32_t version, TEntEnko& rec);
void WriteRecord(TJwwWriter& w, int32_t targetVersion, const TEntEnko& rec);
void ReadRecord(TJwwReader& r, int32_t version, TEntTen& rec);
void WriteRecord(TJwwWriter& w, int32_t targetVersion, const TEntTen& rec);
void ReadRecord(TJwwReader& r, int32_t version, TEntSolid& rec);
void WriteRecord(TJwwWriter& w, int32_t targetVersion, const TEntSolid& rec);
void ReadRecord(TJwwReader& r, int32_t version, TEntBlock& rec);
void WriteRecord(TJwwWriter& w, int32_t targetVersion, const TEntBlock& rec);
void ReadRecord(TJwwReader& r, int32_t version, TEntMoji& rec);
void WriteRecord(TJwwWriter& w, int32_t targetVersion, const TEntMoji& rec);
void ReadRecord(TJwwReader& r, int32_t version, TEntSunpo& rec);
// A dimension written below version 420 may become seven objects, which needs the drawing's own
// version and the registry of the list being written.
void WriteRecord(TJwwWriter& w, int32_t targetVersion, int32_t docVersion,
                 TClassRegistry& registry, const TEntSunpo& rec);

// Writes the record of the object at ref, as the list writer does after its tag.
void WriteObjectRecord(TJwwWriter& w, int32_t targetVersion, int32_t docVersion,
                       TClassRegistry& registry, const TEntRef& ref, const TEntityCollections& from);

// Writes a text field as StripControlChars leaves it.
void WriteCleanText(TJwwWriter& w, std::string_view text);

// ---------------------------------------------------------------------------------------------
// The two walkers of a record layout
// ---------------------------------------------------------------------------------------------

struct TRecordReader {
    TJwwReader& R;
    int32_t Version;  // the drawing's own

    void Base(TEntBase& base, int32_t /*kind*/) { base = ReadEntBase(R, Version); }
    void Field(double& value) { value = ReadDouble(R); }
    void Field(int32_t& value) { value = ReadInt(R); }
    void Field(uint16_t& value) { value = ReadWord(R); }
    void Text(std::string& text) { text = ReadJwwString(R); }
    template <class Rec>
    void Record(Rec& rec)
    {
        ReadRecord(R, Version, rec);
    }
};

struct TRecordWriter {
    TJwwWriter& W;
    int32_t Version;  // the target version

    void Base(const TEntBase& base, int32_t kind) { WriteEntBase(W, Version, kind, base); }
    void Field(double value) { WriteDouble(W, value); }
    void Field(int32_t value) { WriteInt(W, value); }
    void Field(uint16_t value) { WriteWord(W, value); }
    void Text(const std::string& text) { WriteCleanText(W, text); }
    template <class Rec>
    void Record(const Rec& rec)
    {
        WriteRecord(W, Version, rec);
    }
};

// ---------------------------------------------------------------------------------------------
// Object lists
// ---------------------------------------------------------------------------------------------

// Writes the tag of an object of the kind: its class named in full the first time, taking the
// running index, and a reference to that index afterwards.
void WriteObjectTag(TJwwWriter& w, int32_t targetVersion, TClassRegistry& registry, int32_t kind);

// How many entries may be allocated ahead for a non-negative count from the file: never more
// than the bytes left could hold, at minBytesEach per entry.
std::size_t ReservableEntries(const TJwwReader& r, int32_t count, uint64_t minBytesEach);

// Reads a list count; a negative one is stored, so a save refuses the document, then raised.
void ReadObjectCount(TJwwReader& r, int32_t& count);

// Reads count objects into the collections, continuing the registry's numbering.
void ReadObjects(TJwwReader& r, int32_t version, TClassRegistry& registry, int32_t count,
                 TEntityCollections& into);

// The count word a list of count objects is written with: down-level, every dimension with an
// SXF mode becomes seven objects.
int32_t WrittenObjectCount(const TEntityCollections& from, int32_t count, int32_t targetVersion,
                           int32_t docVersion);

// Writes the first count objects of the order table, continuing the registry's numbering.
void WriteObjects(TJwwWriter& w, int32_t targetVersion, int32_t docVersion,
                  TClassRegistry& registry, int32_t count, const TEntityCollections& from);
