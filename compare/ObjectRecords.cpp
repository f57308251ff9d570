#include "compare/ObjectRecords.h"

#include <bit>
#include <cstring>

#include "jww/huge_pages.h"
#include "jww/records.h"

namespace {

// The records are hashed a batch at a time as they are written, while their bytes are still
// in the processor's cache.
constexpr uint64_t HashBatchBytes = 64 * 1024;

// Room for the records of a typical object, so that the bytes of a large drawing are seldom
// moved while they grow; pages reserved and never written cost nothing.
constexpr std::size_t ReservedBytesPerObject = 128;

// Where a written base record, which follows the kind code, holds the layer and the layer
// group: behind the group, the pen style, the pen colour and the pen width. Part of the file
// format.
constexpr std::size_t WrittenLayerOffset = 1 + 4 + 1 + 2 + 2;
constexpr std::size_t WrittenLayerGroupOffset = WrittenLayerOffset + 2;

// A hash of a record's bytes in two lanes of eight bytes, which the processor works on side by
// side. How well it spreads decides only how often different records share a hash; their bytes
// tell those apart.
uint32_t RecordHash(std::string_view bytes)
{
    constexpr uint64_t K1 = 0x9E3779B97F4A7C15;
    constexpr uint64_t K2 = 0xC2B2AE3D27D4EB4F;
    uint64_t a = bytes.size() * K2;
    uint64_t b = K1;
    const auto mix = [&a, &b](const char* sixteen) {
        a = std::rotl((a ^ DecodeFixed64(sixteen)) * K1, 29);
        b = std::rotl((b ^ DecodeFixed64(sixteen + 8)) * K2, 31);
    };
    const char* p = bytes.data();
    const std::size_t n = bytes.size();
    if (n < 16) {
        char padded[16] = {};
        std::memcpy(padded, p, n);
        mix(padded);
    } else {
        // The last sixteen bytes close the hash, overlapping the blocks before them.
        for (std::size_t at = 0; at + 16 < n; at += 16)
            mix(p + at);
        mix(p + n - 16);
    }
    return static_cast<uint32_t>(((a ^ std::rotl(b, 23)) * K1) >> 32);
}

// Hashes the records written since the last call.
void HashNewRecords(TObjectRecords& records)
{
    for (std::size_t position = records.Hashes.size(); position < records.Ends.size(); ++position)
        records.Hashes.push_back(RecordHash(records.Record(position)));
}

}  // namespace

int TObjectRecords::Layer(std::size_t position) const
{
    const std::string_view record = Record(position);
    if (record.size() < WrittenLayerGroupOffset + 2)
        throw EJwwRangeError("record " + std::to_string(position) + " has no base record");
    return DecodeFixed16(record.data() + WrittenLayerGroupOffset) * 16 +
           DecodeFixed16(record.data() + WrittenLayerOffset);
}

void CheckObjectCount(const TEntityCollections& list, int32_t count)
{
    if (count < 0 || static_cast<std::size_t>(count) > list.EntityOrder.size())
        throw EJwwRangeError("object count " + std::to_string(count) + " exceeds the " +
                             std::to_string(list.EntityOrder.size()) + " objects held");
}

void WriteComparedRecord(TJwwWriter& w, const TEntityCollections& list, const TEntRef& ref)
{
    // A record at this version never splits, so the registry is never consulted.
    TClassRegistry registry;
    WriteByte(w, static_cast<uint8_t>(ref.Kind));
    WriteObjectRecord(w, ComparedRecordVersion, ComparedRecordVersion, registry, ref, list);
}

TObjectRecords WrittenRecords(const TEntityCollections& list, int32_t count)
{
    CheckObjectCount(list, count);
    TObjectRecords records;
    records.Ends.reserve(static_cast<std::size_t>(count));
    records.Hashes.reserve(static_cast<std::size_t>(count));
    records.Bytes.reserve(static_cast<std::size_t>(count) * ReservedBytesPerObject);
    // Taking the memory of a large drawing a small page at a time costs more than the writing.
    AdviseHugePages(records.Bytes.data(), records.Bytes.capacity());
    {
        TJwwWriter w(&records.Bytes);
        for (int32_t i = 0; i < count; ++i) {
            WriteComparedRecord(w, list, list.EntityOrder[static_cast<std::size_t>(i)]);
            records.Ends.push_back(static_cast<std::size_t>(w.Position()));
            if (w.Position() - records.Bytes.size() >= HashBatchBytes) {
                w.Flush();
                HashNewRecords(records);
            }
        }
        w.Flush();
    }
    HashNewRecords(records);
    return records;
}
