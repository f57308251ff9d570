#include "jww/stream.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include <algorithm>
#include <utility>

#include "jww/system_files.h"
#include "jww/write_behind.h"

TJwwReader::TJwwReader(const std::string& path, TFollowLinks follow)
{
    Fd = follow == TFollowLinks::No ? OpenForReadingNoFollow(path) : OpenForReading(path);
    if (Fd < 0)
        throw EJwwIOError("cannot open file for reading: " + path + " (" + std::strerror(errno) + ")");
    if (!RegularFileSize(Fd, FileSize)) {
        ::close(Fd);
        Fd = -1;
        throw EJwwIOError("not a regular file: " + path);
    }
    Buffer.resize(BufferSize);
    Pos = End = Buffer.data();
}

TJwwReader TJwwReader::FromBytes(std::string bytes)
{
    TJwwReader reader;
    reader.Buffer.assign(bytes.begin(), bytes.end());
    reader.FileSize = reader.Buffer.size();
    reader.Consumed = reader.FileSize;
    reader.Pos = reader.Buffer.data();
    reader.End = reader.Pos + reader.Buffer.size();
    return reader;
}

TJwwReader::TJwwReader(TJwwReader&& other) noexcept
    : Context(other.Context),
      StringForm(other.StringForm),
      LossyStrings(other.LossyStrings),
      Fd(std::exchange(other.Fd, -1)),
      Consumed(other.Consumed),
      FileSize(other.FileSize)
{
    const std::ptrdiff_t pos = other.Pos - other.Buffer.data();
    const std::ptrdiff_t end = other.End - other.Buffer.data();
    Buffer = std::move(other.Buffer);
    Pos = Buffer.data() + pos;
    End = Buffer.data() + end;
    other.Pos = other.End = nullptr;
}

TJwwReader::~TJwwReader()
{
    if (Fd >= 0)
        ::close(Fd);
}

void TJwwReader::FailShort() const
{
    throw EJwwIOError(std::string("unexpected end of file in ") + Context);
}

std::size_t TJwwReader::Refill()
{
    if (Fd < 0)
        return 0;
    for (;;) {
        const ssize_t got = ::read(Fd, Buffer.data(), Buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            throw EJwwIOError(std::string("read error in ") + Context + ": " + std::strerror(errno));
        Pos = Buffer.data();
        End = Pos + got;
        Consumed += static_cast<uint64_t>(got);
        // A file that grows while it is read must not run past the size checked against.
        FileSize = std::max(FileSize, Consumed);
        return static_cast<std::size_t>(got);
    }
}

void TJwwReader::ReadSlow(void* dest, std::size_t n)
{
    if (n > BytesLeft())
        FailShort();
    auto* out = static_cast<char*>(dest);
    while (n > 0) {
        if (Pos == End && Refill() == 0)
            FailShort();
        const std::size_t take = std::min(n, static_cast<std::size_t>(End - Pos));
        std::memcpy(out, Pos, take);
        Pos += take;
        out += take;
        n -= take;
    }
}

std::size_t TJwwReader::ReadSome(void* dest, std::size_t n)
{
    auto* out = static_cast<char*>(dest);
    std::size_t done = 0;
    while (done < n) {
        if (Pos == End && Refill() == 0)
            break;
        const std::size_t take = std::min(n - done, static_cast<std::size_t>(End - Pos));
        std::memcpy(out + done, Pos, take);
        Pos += take;
        done += take;
    }
    return done;
}

void TJwwReader::Skip(uint64_t n)
{
    if (n > BytesLeft())
        FailShort();
    while (n > 0) {
        if (Pos == End && Refill() == 0)
            FailShort();
        const std::size_t take =
            static_cast<std::size_t>(std::min<uint64_t>(n, static_cast<uint64_t>(End - Pos)));
        Pos += take;
        n -= take;
    }
}

TJwwWriter::TJwwWriter(int fd) : Fd(fd), Buffer(BufferSize) {}

TJwwWriter::TJwwWriter(std::string* memory) : Memory(memory), Buffer(BufferSize) {}

TJwwWriter::~TJwwWriter() = default;

void TJwwWriter::HandOver()
{
    if (Memory) {
        Memory->append(Buffer.data(), Used);
    } else {
        // Only a file that outgrows one buffer is worth a thread to store it.
        if (!File)
            File = std::make_unique<TWriteBehind>(Fd, BufferSize);
        File->HandOver(Buffer, Used);
    }
    Flushed += Used;
    Used = 0;
}

void TJwwWriter::Flush()
{
    // A file that fits one buffer is written here, without a thread.
    if (!Memory && !File) {
        WriteAll(Fd, Buffer.data(), Used);
        Flushed += Used;
        Used = 0;
        return;
    }
    if (Used > 0)
        HandOver();
    if (File)
        File->Wait();
}

// Large pieces go through the buffer too: bytes being stored must stay put until they are.
void TJwwWriter::WriteSlow(const void* src, std::size_t n)
{
    const auto* in = static_cast<const char*>(src);
    while (n > 0) {
        if (Used == BufferSize)
            HandOver();
        const std::size_t take = std::min(n, BufferSize - Used);
        std::memcpy(Buffer.data() + Used, in, take);
        Used += take;
        in += take;
        n -= take;
    }
}
