// Lists and streams large enough that the reader sizes its collections from what it has seen
// and that the stream buffers fill and refill in the middle of numbers.
#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "jww/system_files.h"
#include "tests/jww/ObjectBytes.h"

namespace {

// More objects than the reader looks at before it sizes collections for the rest.
constexpr int ManyObjects = 12000;

template <class Rec>
void ExpectLittleSpareRoom(const std::vector<Rec>& list, std::size_t expected, const char* kind)
{
    EXPECT_EQ(list.size(), expected) << kind;
    // Doubling would leave up to as much room again; the share of the rest is met closely.
    EXPECT_LE(list.capacity(), expected + expected / 8 + 64) << kind;
}

}  // namespace

TEST(LargeLists, MixedKindsComeBackWholeInCollectionsWithLittleSpareRoom)
{
    TListBuilder b(700);
    b.Count(ManyObjects);
    for (int i = 0; i < ManyObjects; ++i) {
        switch (i % 10) {
        case 0: b.Object(SampleText(i)); break;
        case 1: b.Object(SampleArc(i)); break;
        case 2: b.Object(SamplePoint(i, i % 20 == 2)); break;
        case 3: b.Object(SampleSolid(i)); break;
        case 4:
            if (i % 30 == 4)
                b.Object(SampleDimension(i));
            else
                b.Object(SampleLine(i));
            break;
        default: b.Object(SampleLine(i)); break;
        }
    }
    const TListsRead read = ReadLists(b.Bytes(), 700, false);
    EXPECT_EQ(read.Consumed, b.Size());
    ExpectLittleSpareRoom(read.Doc.SenList, 7200 - 400, "lines");
    ExpectLittleSpareRoom(read.Doc.MojiList, 1200, "texts");
    ExpectLittleSpareRoom(read.Doc.EnkoList, 1200, "arcs");
    ExpectLittleSpareRoom(read.Doc.TenList, 1200, "points");
    ExpectLittleSpareRoom(read.Doc.SunpoList, 400, "dimensions");
    ExpectLittleSpareRoom(read.Doc.SolidList, 1200, "solids");
    EXPECT_EQ(WriteLists(read.Doc, 700, false), b.Bytes());
}

TEST(LargeLists, KindsThatAppearOnlyLateAreReadWhole)
{
    // Lines only at first, so their collection is sized for lines throughout; texts and blocks
    // begin once most of the list has been read.
    TListBuilder b(700);
    b.Count(ManyObjects);
    for (int i = 0; i < ManyObjects; ++i) {
        if (i < 8000)
            b.Object(SampleLine(i));
        else if (i % 2 == 0)
            b.Object(SampleText(i));
        else
            b.Object(SampleBlock(i));
    }
    const TListsRead read = ReadLists(b.Bytes(), 700, false);
    EXPECT_EQ(read.Doc.SenList.size(), 8000u);
    EXPECT_LE(read.Doc.SenList.capacity(), ManyObjects + 0u);
    EXPECT_EQ(read.Doc.MojiList.size(), 2000u);
    EXPECT_EQ(read.Doc.BlockList.size(), 2000u);
    EXPECT_EQ(WriteLists(read.Doc, 700, false), b.Bytes());
}

TEST(LargeLists, NumbersAndStringsCrossingTheBufferEndsKeepTheirBytes)
{
    // Fields of every width and strings of many lengths, so that each kind straddles some
    // buffer end of the writer and of the reader.
    TJwwBuilder expected;
    const auto text = [](int i) {
        return std::string(static_cast<std::size_t>(i % 40), static_cast<char>('a' + i % 26));
    };
    const auto writeFields = [&text](TJwwWriter& w, int i) {
        WriteByte(w, static_cast<uint8_t>(i));
        WriteWord(w, static_cast<uint16_t>(i * 7));
        WriteInt(w, -i);
        WriteDouble(w, i * 0.5);
        WriteJwwString(w, text(i));
    };
    const int rounds = static_cast<int>(2 * TJwwWriter::BufferSize / 15) + 100;
    for (int i = 0; i < rounds; ++i)
        expected.Byte(static_cast<uint8_t>(i))
            .Word(static_cast<uint16_t>(i * 7))
            .Int(-i)
            .Double(i * 0.5)
            .String(text(i));

    std::string memory;
    TJwwWriter toMemory(&memory);
    const std::string path = TestFolder("large_lists") + "fields.bin";
    const int fd = CreateNewFile(path);
    ASSERT_GE(fd, 0);
    {
        TJwwWriter toFile(fd);
        for (int i = 0; i < rounds; ++i) {
            writeFields(toMemory, i);
            writeFields(toFile, i);
        }
        toFile.Flush();
    }
    ::close(fd);
    toMemory.Flush();
    EXPECT_EQ(memory, expected.Bytes());
    EXPECT_EQ(ReadFileBytes(path), expected.Bytes());

    TJwwReader r(path);
    for (int i = 0; i < rounds; ++i) {
        ASSERT_EQ(ReadByte(r), static_cast<uint8_t>(i));
        ASSERT_EQ(ReadWord(r), static_cast<uint16_t>(i * 7));
        ASSERT_EQ(ReadInt(r), -i);
        ASSERT_EQ(ReadDouble(r), i * 0.5);
        ASSERT_EQ(ReadJwwString(r), text(i));
    }
    EXPECT_EQ(r.BytesLeft(), 0u);
}
