// Length-prefixed strings, count words and class tags: the framing that the serialisation
// archive of the CAD program puts around every text and every object list.
#include "jww/jwwunit.h"

#include <optional>

#include "text/Cp932.h"

namespace {

// Prefix escapes of the archive; they are part of the file format and must not change.
constexpr uint8_t LongLengthByte = 0xFF;
constexpr uint16_t WideStringWord = 0xFFFE;
constexpr uint16_t LongLengthWord = 0xFFFF;
constexpr uint16_t NewClassTag = 0xFFFF;
constexpr uint16_t LongClassRefTag = 0x7FFF;
constexpr uint16_t ClassRefBase = 0x8000;
constexpr uint32_t LongClassRefFlag = 0x80000000u;

// The length that follows a string's first byte: the byte itself, or after 0xFF a word, or after
// 0xFF 0xFFFF a 32-bit length. The word 0xFFFE is the wide-string marker, reported as nothing.
std::optional<uint32_t> ReadLengthAfter(TJwwReader& r, uint8_t first)
{
    if (first != LongLengthByte)
        return first;
    const uint16_t word = ReadWord(r);
    if (word == WideStringWord)
        return std::nullopt;
    return word == LongLengthWord ? ReadUInt(r) : word;
}

void WriteLength(TJwwWriter& w, std::size_t length)
{
    if (length > 0xFFFFFFFFu)
        throw EJwwRangeError("string too long to be stored");
    if (length < LongLengthByte) {
        WriteByte(w, static_cast<uint8_t>(length));
    } else if (length < WideStringWord) {
        WriteByte(w, LongLengthByte);
        WriteWord(w, static_cast<uint16_t>(length));
    } else {
        WriteByte(w, LongLengthByte);
        WriteWord(w, LongLengthWord);
        WriteUInt(w, static_cast<uint32_t>(length));
    }
}

// A drawing stores all its strings in one form; the first string decides it, and a string in
// the other form means the file is not what it claims to be.
void CheckStringForm(TJwwReader& r, TStringForm form)
{
    if (r.StringForm == TStringForm::Unknown)
        r.StringForm = form;
    else if (r.StringForm != form)
        throw EJwwIOError(std::string("corrupt file: strings of both forms, in ") + r.Context);
}

std::string ReadWideText(TJwwReader& r)
{
    const std::optional<uint32_t> units = ReadLengthAfter(r, ReadByte(r));
    if (!units)
        throw EJwwIOError(std::string("corrupt file: repeated wide-string marker in ") + r.Context);
    if (*units > r.BytesLeft() / 2)
        r.FailShort();
    std::string bytes(static_cast<std::size_t>(*units) * 2, '\0');
    r.Read(bytes.data(), bytes.size());
    std::u16string utf16(*units, u'\0');
    for (std::size_t i = 0; i < utf16.size(); ++i)
        utf16[i] = static_cast<char16_t>(DecodeFixed16(bytes.data() + 2 * i));
    bool lossy = false;
    std::string text = Utf16ToCp932(utf16, &lossy);
    r.LossyStrings = r.LossyStrings || lossy;
    return text;
}

void WriteWideText(TJwwWriter& w, std::string_view s)
{
    const std::u16string utf16 = Cp932ToUtf16Lossy(s);
    WriteByte(w, LongLengthByte);
    WriteWord(w, WideStringWord);
    WriteLength(w, utf16.size());
    std::string bytes(utf16.size() * 2, '\0');
    for (std::size_t i = 0; i < utf16.size(); ++i)
        EncodeFixed16(bytes.data() + 2 * i, utf16[i]);
    w.Write(bytes.data(), bytes.size());
}

}  // namespace

std::string ReadJwwString(TJwwReader& r)
{
    const std::optional<uint32_t> length = ReadLengthAfter(r, ReadByte(r));
    if (!length) {
        CheckStringForm(r, TStringForm::Wide);
        return ReadWideText(r);
    }
    CheckStringForm(r, TStringForm::Byte);
    // A length is never trusted beyond what the file still holds.
    if (*length > r.BytesLeft())
        r.FailShort();
    if (const char* bytes = r.TakeInPlace(*length))
        return std::string(bytes, *length);
    std::string s(*length, '\0');
    r.Read(s.data(), *length);
    return s;
}

void WriteJwwString(TJwwWriter& w, std::string_view s)
{
    if (w.StringForm == TStringForm::Wide) {
        WriteWideText(w, s);
        return;
    }
    WriteLength(w, s.size());
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

void TClassRegistry::FailNumbering()
{
    throw EJwwRangeError("object numbering overflows 32 bits");
}
