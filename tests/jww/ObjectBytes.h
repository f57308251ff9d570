// The file layout of every object record, written out here on its own with the byte builder,
// so that tests compare the library's readers and writers against an independent description.
// Records are taken as the in-memory types; each is encoded exactly as held, no rule applied.
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
// The fixed part of a block definition: base, Number, Referenced, Time (short form), Name.
void AddBlockDefFields(TJwwBuilder& b, const TEntBlockDef& def, int32_t version);

template <class Rec>
std::string RecordBytes(const Rec& rec, int32_t version)
{
    TJwwBuilder b;
    AddRecord(b, rec, version);
    return b.Bytes();
}

// A base record that no writer rule changes.
TEntBase PlainBase(uint32_t group);

// Records with distinct values, doubles with unusual bit patterns among them, and attributes
// that no writer rule changes; seed varies the values.
TEntSen SampleLine(int seed);
TEntEnko SampleArc(int seed);
TEntTen SamplePoint(int seed);      // PenStyle 1, no code fields
TEntTen SampleCodePoint(int seed);  // PenStyle 100, with code fields
TEntMoji SampleText(int seed);
TEntSunpo SampleDimension(int seed);  // SxfMode 1, Point1 with code fields
TEntSolid SampleSolid(int seed);      // PenColor 3, no colour value
TEntSolid SampleColorSolid(int seed);  // PenColor 10, with its colour value
TEntBlock SampleBlock(int seed);

// Writes class tags by the numbering rule: a class named in full takes the running index the
// first time, every object takes the next one.
class TTagNumbering {
public:
    explicit TTagNumbering(uint16_t schema) : Schema(schema) {}
    // The tag of one object of the class; the object takes its number with Object().
    void Tag(TJwwBuilder& b, std::string_view className);
    void Object() { ++Running; }
    // A class that takes a number without any object following (an unknown class).
    void UnknownClass(TJwwBuilder& b, std::string_view className);
    int32_t Running = 1;

private:
    uint16_t Schema;
    std::map<std::string, int32_t, std::less<>> Classes;
};
