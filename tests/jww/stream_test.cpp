#include <gtest/gtest.h>

#include <cmath>
#include <fcntl.h>
#include <unistd.h>

#include <limits>

#include "jww/jwwunit.h"
#include "tests/support/JwwBuilder.h"

namespace {

std::string Pattern(std::size_t n)
{
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>((i * 131) ^ (i >> 9));
    return s;
}

// Reads the whole input in pieces of the given sizes, repeated, with Read and Skip in turn.
std::string ReadInPieces(TJwwReader& r, const std::vector<std::size_t>& pieces)
{
    std::string out;
    for (std::size_t i = 0; r.BytesLeft() > 0; ++i) {
        const std::size_t n = std::min<uint64_t>(pieces[i % pieces.size()], r.BytesLeft());
        const uint64_t before = r.Position();
        if (i % 5 == 4) {
            r.Skip(n);
            out.append(n, '#');
        } else {
            std::string piece(n, '\0');
            r.Read(piece.data(), n);
            out += piece;
        }
        EXPECT_EQ(r.Position(), before + n);
    }
    return out;
}

std::string WithSkipsMarked(std::string bytes, const std::vector<std::size_t>& pieces)
{
    std::size_t at = 0;
    for (std::size_t i = 0; at < bytes.size(); ++i) {
        const std::size_t n = std::min(pieces[i % pieces.size()], bytes.size() - at);
        if (i % 5 == 4)
            bytes.replace(at, n, n, '#');
        at += n;
    }
    return bytes;
}

class StreamFiles : public testing::Test {
protected:
    std::string Folder = TestFolder("stream");
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Reader
// ---------------------------------------------------------------------------------------------

TEST_F(StreamFiles, FileReaderAndMemoryReaderDeliverTheSameBytesAcrossBufferRefills)
{
    const std::size_t size = 3 * TJwwReader::BufferSize + 12345;
    const std::string bytes = Pattern(size);
    const std::string path = Folder + "pattern.bin";
    WriteFileBytes(path, bytes);

    const std::vector<std::vector<std::size_t>> plans = {
        {1}, {7, 8, 3}, {TJwwReader::BufferSize - 1, 2}, {TJwwReader::BufferSize + 5},
        {100000, 3 * TJwwReader::BufferSize}};
    for (const auto& plan : plans) {
        SCOPED_TRACE(plan.front());
        const std::string expected = WithSkipsMarked(bytes, plan);
        TJwwReader file(path);
        EXPECT_EQ(file.BytesLeft(), size);
        EXPECT_EQ(ReadInPieces(file, plan), expected);
        TJwwReader memory = TJwwReader::FromBytes(bytes);
        EXPECT_EQ(ReadInPieces(memory, plan), expected);
    }
}

TEST_F(StreamFiles, ReadSpanningTheRefillKeepsItsBytesInOrder)
{
    const std::string bytes = Pattern(TJwwReader::BufferSize + 16);
    const std::string path = Folder + "boundary.bin";
    WriteFileBytes(path, bytes);
    TJwwReader r(path);
    r.Skip(TJwwReader::BufferSize - 3);
    EXPECT_EQ(ReadUInt(r), DecodeFixed32(bytes.data() + TJwwReader::BufferSize - 3));
    EXPECT_EQ(DoubleBits(ReadDouble(r)), DecodeFixed64(bytes.data() + TJwwReader::BufferSize + 1));
    EXPECT_EQ(r.BytesLeft(), 7u);
}

TEST_F(StreamFiles, ShortReadFailsAndNamesWhatWasBeingRead)
{
    const std::string path = Folder + "short.bin";
    WriteFileBytes(path, Pattern(TJwwReader::BufferSize + 2));
    TJwwReader file(path);
    file.Skip(TJwwReader::BufferSize);
    TJwwReader memory = TJwwReader::FromBytes("ab");
    for (TJwwReader* r : {&file, &memory}) {
        const TReadContext named(*r, "test record");
        try {
            ReadUInt(*r);
            ADD_FAILURE() << "a read past the end succeeded";
        } catch (const EJwwIOError& e) {
            EXPECT_STREQ(e.what(), "unexpected end of file in test record");
        }
        EXPECT_THROW(r->Skip(3), EJwwIOError);
    }
}

TEST(StreamReader, ReadSomeStopsAtTheEnd)
{
    TJwwReader r = TJwwReader::FromBytes("abcde");
    char buffer[8] = {};
    EXPECT_EQ(r.ReadSome(buffer, 3), 3u);
    EXPECT_EQ(r.ReadSome(buffer, 8), 2u);
    EXPECT_EQ(std::string(buffer, 2), "de");
    EXPECT_EQ(r.ReadSome(buffer, 8), 0u);
}

TEST(StreamReader, ContextIsRestoredWhenItsScopeEnds)
{
    TJwwReader r = TJwwReader::FromBytes("");
    {
        const TReadContext outer(r, "outer");
        {
            const TReadContext inner(r, "inner");
            EXPECT_STREQ(r.Context, "inner");
        }
        EXPECT_STREQ(r.Context, "outer");
    }
    EXPECT_STREQ(r.Context, "file");
}

TEST_F(StreamFiles, FileThatCannotBeOpenedRaises)
{
    EXPECT_THROW(TJwwReader(Folder + "missing.bin"), EJwwIOError);
    EXPECT_THROW(TJwwReader{Folder}, EJwwIOError);
}

// ---------------------------------------------------------------------------------------------
// Writer
// ---------------------------------------------------------------------------------------------

TEST_F(StreamFiles, WriterToAFileDescriptorStoresEveryByteInOrder)
{
    const std::string path = Folder + "written.bin";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    std::string expected;
    {
        TJwwWriter w(fd);
        const std::string big = Pattern(TJwwWriter::BufferSize + 77);
        for (int round = 0; round < 3; ++round) {
            WriteByte(w, 0xAB);
            WriteWord(w, 0x1234);
            WriteInt(w, -2);
            w.Write(big.data(), big.size());
            w.Write(big.data(), TJwwWriter::BufferSize - 5);
            expected += Hex("AB 34 12 FE FF FF FF") + big;
            expected += big.substr(0, TJwwWriter::BufferSize - 5);
        }
        EXPECT_EQ(w.Position(), expected.size());
        w.Flush();
    }
    ::close(fd);
    EXPECT_EQ(ReadFileBytes(path), expected);
}

TEST(StreamWriter, FailingWriteRaisesIOError)
{
    const int full = ::open("/dev/full", O_WRONLY);
    if (full < 0)
        GTEST_SKIP() << "no /dev/full";
    TJwwWriter w(full);
    WriteInt(w, 1);
    EXPECT_THROW(w.Flush(), EJwwIOError);
    const std::string big(TJwwWriter::BufferSize * 2, 'x');
    EXPECT_THROW(w.Write(big.data(), big.size()), EJwwIOError);
    ::close(full);

    const int readOnly = ::open("/dev/null", O_RDONLY);
    ASSERT_GE(readOnly, 0);
    TJwwWriter refused(readOnly);
    WriteInt(refused, 1);
    EXPECT_THROW(refused.Flush(), EJwwIOError);
    ::close(readOnly);
}

TEST(StreamWriter, MemoryWriterAppends)
{
    std::string out = "head";
    TJwwWriter w(&out);
    WriteUInt(w, 0x04030201);
    w.Flush();
    EXPECT_EQ(out, "head" + Hex("01 02 03 04"));
}

// ---------------------------------------------------------------------------------------------
// Numbers
// ---------------------------------------------------------------------------------------------

TEST(Numbers, LittleEndianByConstruction)
{
    std::string out;
    TJwwWriter w(&out);
    WriteWord(w, 0xBEEF);
    WriteInt(w, INT32_MIN);
    WriteUInt(w, 0xDEADBEEF);
    WriteDouble(w, 1.0);
    w.Flush();
    EXPECT_EQ(out, Hex("EF BE 00 00 00 80 EF BE AD DE 00 00 00 00 00 00 F0 3F"));
    TJwwReader r = TJwwReader::FromBytes(out);
    EXPECT_EQ(ReadWord(r), 0xBEEF);
    EXPECT_EQ(ReadInt(r), INT32_MIN);
    EXPECT_EQ(ReadUInt(r), 0xDEADBEEFu);
    EXPECT_EQ(ReadDouble(r), 1.0);
}

TEST(Numbers, DoubleBitPatternsSurviveAReadAndAWrite)
{
    const uint64_t patterns[] = {
        0x8000000000000000ull,  // negative zero
        0x7FF8000000000001ull,  // quiet NaN with a payload
        0xFFF80000DEADBEEFull,  // negative quiet NaN with a payload
        0x7FF0000000000001ull,  // signalling NaN
        0x7FF4000000C0FFEEull,  // signalling NaN with a payload
        0x0000000000000001ull,  // smallest denormal
        0x800FFFFFFFFFFFFFull,  // negative denormal
        0x7FF0000000000000ull,  // infinity
    };
    for (uint64_t bits : patterns) {
        SCOPED_TRACE(bits);
        char encoded[8];
        EncodeFixed64(encoded, bits);
        TJwwReader r = TJwwReader::FromBytes(std::string(encoded, 8));
        const double value = ReadDouble(r);
        std::string out;
        TJwwWriter w(&out);
        WriteDouble(w, value);
        w.Flush();
        EXPECT_EQ(out, std::string(encoded, 8));
    }
}
