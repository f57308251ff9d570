#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

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

}  // namespace

TEST(Stream, ReaderDeliversEveryByteAcrossRefillsAndNamesWhatAShortReadWasReading)
{
    // Pieces of many sizes, every fifth skipped, each checked against the bytes at its place.
    const std::size_t buffer = TJwwReader::BufferSize;
    const std::string bytes = Pattern(3 * buffer + 12345);
    const std::string path = TestFolder("stream_read") + "pattern.bin";
    WriteFileBytes(path, bytes);
    TJwwReader r(path);
    const std::size_t sizes[] = {1, 7, buffer - 1, 3, buffer + 5, 100000};
    for (std::size_t i = 0; r.BytesLeft() > 0; ++i) {
        const std::size_t n = std::min<uint64_t>(sizes[i % 6], r.BytesLeft());
        const uint64_t at = r.Position();
        std::string piece(n, '\0');
        if (i % 5 == 4) {
            r.Skip(n);
        } else {
            r.Read(piece.data(), n);
            EXPECT_EQ(piece, bytes.substr(at, n)) << at;
        }
        EXPECT_EQ(r.Position(), at + n);
    }
    TJwwReader straddle(path);  // numbers across a refill
    straddle.Skip(buffer - 3);
    EXPECT_EQ(ReadUInt(straddle), DecodeFixed32(bytes.data() + buffer - 3));
    EXPECT_EQ(DoubleBits(ReadDouble(straddle)), DecodeFixed64(bytes.data() + buffer + 1));

    straddle.Skip(straddle.BytesLeft() - 2);
    TJwwReader memory = TJwwReader::FromBytes("ab");
    for (TJwwReader* shortOne : {&straddle, &memory}) {
        {
            const TReadContext named(*shortOne, "test record");
            try {
                ReadUInt(*shortOne);
                ADD_FAILURE() << "a read past the end succeeded";
            } catch (const EJwwIOError& e) {
                EXPECT_STREQ(e.what(), "unexpected end of file in test record");
            }
        }
        EXPECT_STREQ(shortOne->Context, "file");
        EXPECT_THROW(shortOne->Skip(3), EJwwIOError);
    }
    EXPECT_THROW(TJwwReader(path + ".missing"), EJwwIOError);
    EXPECT_THROW(TJwwReader{TestFolder("stream_read_folder")}, EJwwIOError);
}

TEST(Stream, WriterStoresEveryByteInOrderAndRaisesWhenAWriteFails)
{
    const std::string path = TestFolder("stream_write") + "written.bin";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    ASSERT_GE(fd, 0);
    const std::string big = Pattern(TJwwWriter::BufferSize + 77);
    std::string expected;
    {
        TJwwWriter w(fd);
        for (std::size_t n : {std::size_t{3}, big.size(), TJwwWriter::BufferSize - 5, big.size()}) {
            w.Write(big.data(), n);
            expected += big.substr(0, n);
        }
        EXPECT_EQ(w.Position(), expected.size());
        w.Flush();
    }
    ::close(fd);
    EXPECT_EQ(ReadFileBytes(path), expected);

    for (const char* device : {"/dev/full", "/dev/null"}) {  // the second opened for reading only
        const int bad = ::open(device, device == std::string("/dev/full") ? O_WRONLY : O_RDONLY);
        ASSERT_GE(bad, 0) << device;
        TJwwWriter w(bad);
        WriteInt(w, 1);
        EXPECT_THROW(w.Flush(), EJwwIOError) << device;
        EXPECT_THROW(w.Write(big.data(), big.size()), EJwwIOError) << device;
        ::close(bad);
    }
}
