// Buffered input and output of a drawing file. One system call moves a whole buffer, so the
// section readers and writers may go field by field at no cost.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "jww/byte_buffer.h"
#include "jww/coding.h"

class TWriteBehind;

// Raised when a read cannot deliver its bytes or a write cannot store them.
class EJwwIOError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// How the strings of a drawing are stored: one byte per code page 932 byte, or UTF-16.
enum class TStringForm : uint8_t { Unknown, Byte, Wide };

// Whether opening a file may look through a link in its place.
enum class TFollowLinks : uint8_t { Yes, No };

class TJwwReader {
public:
    static constexpr std::size_t BufferSize = 256 * 1024;

    // Opens a file; a file that cannot be opened raises EJwwIOError.
    explicit TJwwReader(const std::string& path, TFollowLinks follow = TFollowLinks::Yes);
    // Reads from bytes held in memory.
    static TJwwReader FromBytes(std::string bytes);

    TJwwReader(TJwwReader&& other) noexcept;
    TJwwReader(const TJwwReader&) = delete;
    TJwwReader& operator=(const TJwwReader&) = delete;
    TJwwReader& operator=(TJwwReader&&) = delete;
    ~TJwwReader();

    // Reads exactly n bytes or raises EJwwIOError naming Context.
    void Read(void* dest, std::size_t n)
    {
        if (n <= static_cast<std::size_t>(End - Pos)) {
            std::memcpy(dest, Pos, n);
            Pos += n;
            return;
        }
        ReadSlow(dest, n);
    }

    // Reads the next n bytes and tells where they are: in the buffer where it holds them all
    // (valid until the next read), otherwise copied into scratch, which must hold n bytes.
    // Decoding in place spares copying every field, and the stall of reading back in narrow
    // pieces what was just copied in wide ones.
    const char* Take(std::size_t n, char* scratch)
    {
        if (const char* taken = TakeInPlace(n))
            return taken;
        ReadSlow(scratch, n);
        return scratch;
    }

    // The next n bytes where the buffer holds them all (valid until the next read), else null
    // and nothing is read.
    const char* TakeInPlace(std::size_t n)
    {
        if (n > static_cast<std::size_t>(End - Pos))
            return nullptr;
        const char* taken = Pos;
        Pos += n;
        return taken;
    }

    // Reads up to n bytes; fewer, or none, at the end of the file.
    std::size_t ReadSome(void* dest, std::size_t n);
    // Skips exactly n bytes or raises EJwwIOError.
    void Skip(uint64_t n);

    uint64_t Position() const { return Consumed - static_cast<uint64_t>(End - Pos); }
    uint64_t BytesLeft() const { return FileSize - Position(); }

    // Names what is being read, for the message of a short read.
    const char* Context = "file";
    // The string form of the drawing, decided by its first string.
    TStringForm StringForm = TStringForm::Unknown;
    // Set when a wide string held a character that code page 932 cannot hold.
    bool LossyStrings = false;

    [[noreturn]] void FailShort() const;

private:
    TJwwReader() = default;
    void ReadSlow(void* dest, std::size_t n);
    std::size_t Refill();

    int Fd = -1;
    TByteBuffer Buffer;
    const char* Pos = nullptr;
    const char* End = nullptr;
    uint64_t Consumed = 0;  // bytes moved into the buffer so far
    uint64_t FileSize = 0;
};

// Names what a reader is reading while it is in scope.
class TReadContext {
public:
    TReadContext(TJwwReader& reader, const char* what) : Reader(reader), Saved(reader.Context)
    {
        reader.Context = what;
    }
    ~TReadContext() { Reader.Context = Saved; }
    TReadContext(const TReadContext&) = delete;
    TReadContext& operator=(const TReadContext&) = delete;

private:
    TJwwReader& Reader;
    const char* Saved;
};

class TJwwWriter {
public:
    // Larger than the reader's, as every full buffer is handed to the thread that stores it: a
    // quarter as many hand-overs gain a large drawing more than a buffer the cache holds would.
    static constexpr std::size_t BufferSize = 1024 * 1024;

    // Writes to an open file descriptor, which the caller owns and closes once the writer is
    // gone. The disk is asked to start writing as the file grows, for a caller that makes it
    // durable at the end.
    explicit TJwwWriter(int fd);
    // Appends to a byte string in memory.
    explicit TJwwWriter(std::string* memory);
    ~TJwwWriter();

    TJwwWriter(const TJwwWriter&) = delete;
    TJwwWriter& operator=(const TJwwWriter&) = delete;

    void Write(const void* src, std::size_t n)
    {
        if (n <= BufferSize - Used) {
            std::memcpy(Buffer.data() + Used, src, n);
            Used += n;
            return;
        }
        WriteSlow(src, n);
    }

    // Room for the next n bytes (at most BufferSize), which the caller fills completely before
    // the writer is used again; encoding in place spares copying every field.
    char* Claim(std::size_t n)
    {
        if (n > BufferSize - Used)
            HandOver();
        char* room = Buffer.data() + Used;
        Used += n;
        return room;
    }

    // Stores every byte written so far in the file; raises EJwwIOError when it cannot.
    void Flush();
    uint64_t Position() const { return Flushed + Used; }

    // The string form to write, the drawing's own unless a conversion asks for another.
    TStringForm StringForm = TStringForm::Byte;

private:
    void WriteSlow(const void* src, std::size_t n);
    // Passes the buffered bytes on to be stored, without waiting for a file to take them.
    void HandOver();

    int Fd = -1;
    std::unique_ptr<TWriteBehind> File;  // once the file outgrows one buffer
    std::string* Memory = nullptr;
    TByteBuffer Buffer;
    std::size_t Used = 0;
    uint64_t Flushed = 0;
};

// ---------------------------------------------------------------------------------------------
// Scalar encodings
// ---------------------------------------------------------------------------------------------

inline uint8_t ReadByte(TJwwReader& r)
{
    char b[1];
    return static_cast<uint8_t>(*r.Take(1, b));
}

inline uint16_t ReadWord(TJwwReader& r)
{
    char b[2];
    return DecodeFixed16(r.Take(2, b));
}

inline uint32_t ReadUInt(TJwwReader& r)
{
    char b[4];
    return DecodeFixed32(r.Take(4, b));
}

inline int32_t ReadInt(TJwwReader& r)
{
    return static_cast<int32_t>(ReadUInt(r));
}

inline double ReadDouble(TJwwReader& r)
{
    char b[8];
    return DoubleFromBits(DecodeFixed64(r.Take(8, b)));
}

inline void WriteByte(TJwwWriter& w, uint8_t value)
{
    *w.Claim(1) = static_cast<char>(value);
}

inline void WriteWord(TJwwWriter& w, uint16_t value)
{
    EncodeFixed16(w.Claim(2), value);
}

inline void WriteUInt(TJwwWriter& w, uint32_t value)
{
    EncodeFixed32(w.Claim(4), value);
}

inline void WriteInt(TJwwWriter& w, int32_t value)
{
    WriteUInt(w, static_cast<uint32_t>(value));
}

inline void WriteDouble(TJwwWriter& w, double value)
{
    EncodeFixed64(w.Claim(8), DoubleBits(value));
}
