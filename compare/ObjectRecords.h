// The objects of a list as a save writes them. Two objects are the same exactly where a save of
// each writes the same record: base records corrected, texts cleaned, and one form of record
// whatever the drawing's version (4.20 on) and string form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "jww/jwwunit.h"

// The version records are written for. Every target from 4.20 on writes a record the same way,
// and older drawings are read into the same fields, so this one form serves every drawing.
constexpr int32_t ComparedRecordVersion = SxfVersion;

struct TObjectRecords {
    // Each object's kind code and record, one after another in list order.
    std::string Bytes;
    // Where each object's bytes end, by position.
    std::vector<std::size_t> Ends;
    // A hash of each object's bytes, by position: equal records have equal hashes, and records
    // of equal hash are mostly equal.
    std::vector<uint32_t> Hashes;

    std::size_t Count() const { return Ends.size(); }
    std::string_view Record(std::size_t position) const
    {
        const std::size_t begin = position == 0 ? 0 : Ends.at(position - 1);
        return std::string_view(Bytes).substr(begin, Ends.at(position) - begin);
    }
    // The kind code of the object at position.
    int32_t Kind(std::size_t position) const { return static_cast<uint8_t>(Record(position)[0]); }
    // The layer group × 16 + layer that its base record is written with.
    int Layer(std::size_t position) const;
    bool SameRecord(std::size_t position, const TObjectRecords& other,
                    std::size_t otherPosition) const
    {
        return Hashes.at(position) == other.Hashes.at(otherPosition) &&
               Record(position) == other.Record(otherPosition);
    }
};

// Raises EJwwRangeError when the order table holds fewer than count objects, which a drawing
// whose load failed part-way may.
void CheckObjectCount(const TEntityCollections& list, int32_t count);

// Writes the record of the object at ref, preceded by its kind code.
void WriteComparedRecord(TJwwWriter& w, const TEntityCollections& list, const TEntRef& ref);

// The first count objects of the order table.
TObjectRecords WrittenRecords(const TEntityCollections& list, int32_t count);
