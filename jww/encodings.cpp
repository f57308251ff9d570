// Length-prefixed strings, count words and class tags: the framing that the serialisation
// archive of the CAD program puts around every text and every object list.
#include "jww/jwwunit.h"

namespace {

// Prefix escapes of the archive; they are part of the file format and must not change.
constexpr uint8_t LongLengthByte = 0xFF;
constexpr uint16_t WideStringWord = 0xFFFE;
constexpr uint16_t LongLengthWord = 0xFFFF;
constexpr uint16_t NewClassTag = 0xFFFF;
constexpr uint16_t LongClassRefTag = 0x7FFF;
constexpr uint16_t ClassRefBase = 0x8000;
constexpr uint32_t LongClassRefFlag = 0x80000000u;

}  // namespace

std::string ReadJwwString(TJwwReader& r)
{
    uint32_t length = ReadByte(r);
    if (length == LongLengthByte) {
        const uint16_t word = ReadWord(r);
        if (word == WideStringWord)
            throw EJwwIOError(std::string("wide string in ") + r.Context + " is not supported");
        length = word == LongLengthWord ? ReadUInt(r) : word;
    }
    // A length is never trusted beyond what the file still holds.
    if (length > r.BytesLeft())
        r.FailShort();
    std::string s(length, '\0');
    r.Read(s.data(), length);
    return s;
}

void WriteJwwString(TJwwWriter& w, std::string_view s)
{
    if (s.size() > 0xFFFFFFFFu)
        throw EJwwRangeError("string too long to be stored");
    const auto length = static_cast<uint32_t>(s.size());
    if (length < LongLengthByte) {
        WriteByte(w, static_cast<uint8_t>(length));
    } else if (length < WideStringWord) {
        WriteByte(w, LongLengthByte);
        WriteWord(w, static_cast<uint16_t>(length));
    } else {
        WriteByte(w, LongLengthByte);
        WriteWord(w, LongLengthWord);
        WriteUInt(w, length);
    }
    w.Write(s.data(), s.size());
}

int32_t ReadJwwCount(TJwwReader& r)
{
    const uint16_t word = ReadWord(r);
    if (word != 0xFFFF)
        return word;
    return ReadInt(r);
}

void WriteJwwCount(TJwwWriter& w, int32_t n)
{
    if (n < 0)
        throw EJwwRangeError("negative object count");
    if (n < 0xFFFF) {
        WriteWord(w, static_cast<uint16_t>(n));
    } else {
        WriteWord(w, 0xFFFF);
        WriteInt(w, n);
    }
}

TClassTag ReadClassTag(TJwwReader& r)
{
    TClassTag tag;
    const uint16_t word = ReadWord(r);
    if (word == NewClassTag) {
        ReadWord(r);  // the schema number carries nothing the reader needs
        const uint16_t length = ReadWord(r);
        if (length > MaxClassNameLength)
            throw EJwwIOError("corrupt file: class name of " + std::to_string(length) + " bytes");
        tag.IsNewClass = true;
        tag.ClassName.resize(length);
        r.Read(tag.ClassName.data(), length);
    } else if (word == LongClassRefTag) {
        tag.ClassIndex = static_cast<int32_t>(ReadUInt(r) & ~LongClassRefFlag);
    } else {
        tag.ClassIndex = static_cast<int32_t>(word) - ClassRefBase;
    }
    return tag;
}

void WriteNewClass(TJwwWriter& w, int32_t version, std::string_view className)
{
    WriteWord(w, NewClassTag);
    WriteWord(w, static_cast<uint16_t>(version & 0xFFFF));
    WriteWord(w, static_cast<uint16_t>(className.size()));
    w.Write(className.data(), className.size());
}

void WriteClassRef(TJwwWriter& w, int32_t classIndex)
{
    if (classIndex < 1)
        throw EJwwRangeError("class reference to index " + std::to_string(classIndex));
    if (classIndex < LongClassRefTag) {
        WriteWord(w, static_cast<uint16_t>(ClassRefBase + classIndex));
    } else {
        WriteWord(w, LongClassRefTag);
        WriteUInt(w, LongClassRefFlag | static_cast<uint32_t>(classIndex));
    }
}

void TClassRegistry::Advance()
{
    if (RunningIndex == INT32_MAX)
        throw EJwwRangeError("object numbering overflows 32 bits");
    ++RunningIndex;
}
