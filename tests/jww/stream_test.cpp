#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include "jww/jwwunit.h"
#include "jww/system_files.h"
#include "tests/support/JwwBuilder.h"
#include "tests/support/TestPlatform.h"

namespace {

std::string PatternedBytes(std::size_t n)
{
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>((i * 131) ^ (i >> 9));
    return s;
}

}  // namespace

TEST(Stream, ReaderTakesNumbersAcrossARefillAndNamesWhatAShortReadWasReading)
{
    const std::size_t buffer = TJwwReader::BufferSize;
    const std::string bytes = PatternedBytes(buffer + 12345);
    const std::string path = TestFolder("stream_read") + "pattern.bin";
    WriteFileBytes(path, bytes);
    TJwwReader file(path);
    file.Skip(buffer - 3);
    EXPECT_EQ(ReadUInt(file), DecodeFixed32(bytes.data() + buffer - 3));
    EXPECT_EQ(DoubleBits(ReadDouble(file)), DecodeFixed64(bytes.data() + buffer + 1));
    std::string piece(12000, '\0');
    file.Read(piece.data(), piece.size());
    EXPECT_EQ(piece, bytes.substr(buffer + 9, piece.size()));

    file.Skip(file.BytesLeft() - 2);
    TJwwReader memory = TJwwReader::FromBytes("ab");
    for (TJwwReader* r : {&file, &memory}) {
        {
            const TReadContext named(*r, "test record");
            try {
                ReadUInt(*r);
                ADD_FAILURE() << "a read past the end succeeded";
            } catch (const EJwwIOError& e) {
                EXPECT_STREQ(e.what(), "unexpected end of file in test record");
            }
        }
        EXPECT_STREQ(r->Context, "file");
        EXPECT_THROW(r->Skip(3), EJwwIOError);
    }
}

TEST(Stream, WriterStoresEveryByteInOrderAcrossManyBuffers)
{
    const std::size_t buffer = TJwwWriter::BufferSize;
    const std::string bytes = PatternedBytes(3 * buffer + 4321);
    const std::string path = TestFolder("stream_write") + "pattern.bin";
    const int fd = CreateNewFile(path);
    ASSERT_GE(fd, 0);
    {
        TJwwWriter w(fd);
        // Numbers straddling buffer ends, then pieces larger than a buffer.
        std::size_t at = 0;
        while (at + 8 <= buffer + 5) {
            WriteDouble(w, DoubleFromBits(DecodeFixed64(bytes.data() + at)));
            at += 8;
        }
        const std::size_t pieces[] = {buffer + 17, 3, buffer - 1};
        for (const std::size_t piece : pieces) {
            w.Write(bytes.data() + at, piece);
            at += piece;
        }
        EXPECT_EQ(w.Position(), at);
        w.Write(bytes.data() + at, bytes.size() - at);
        w.Flush();
        EXPECT_EQ(ReadFileBytes(path), bytes) << "flushed bytes are in the file";
    }
    ::close(fd);
}

TEST(Stream, WriterRaisesWhenAWriteFails)
{
    SKIP_ON_WINDOWS("Windows has no device that refuses writes for want of space");
    const std::string big = PatternedBytes(3 * TJwwWriter::BufferSize + 77);
    for (const char* device : {"/dev/full", "/dev/null"}) {  // the second opened for reading only
        const int bad = ::open(device, device == std::string("/dev/full") ? O_WRONLY : O_RDONLY);
        ASSERT_GE(bad, 0) << device;
        {
            TJwwWriter small(bad);
            WriteInt(small, 1);
            EXPECT_THROW(small.Flush(), EJwwIOError) << device;
        }
        {
            // Stored on the writer's own thread, the failure reaches the caller at the latest
            // with the flush, and again with every later one.
            TJwwWriter large(bad);
            EXPECT_THROW(
                {
                    large.Write(big.data(), big.size());
                    large.Flush();
                },
                EJwwIOError)
                << device;
            EXPECT_THROW(large.Flush(), EJwwIOError) << device;
        }
        ::close(bad);
    }
}
