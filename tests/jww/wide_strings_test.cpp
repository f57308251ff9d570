#include <gtest/gtest.h>

#include <string>

#include "jww/jwwunit.h"
#include "tests/support/JwwBuilder.h"

namespace {

// UTF-16LE bytes of n copies of the katakana letter A (U+30A2, 83 41 in code page 932).
std::string WideKatakana(std::size_t n)
{
    std::string bytes;
    for (std::size_t i = 0; i < n; ++i)
        bytes += Hex("A2 30");
    return bytes;
}

std::string Katakana(std::size_t n)
{
    std::string bytes;
    for (std::size_t i = 0; i < n; ++i)
        bytes += Hex("83 41");
    return bytes;
}

std::string WriteWide(std::string_view s)
{
    std::string out;
    TJwwWriter w(&out);
    w.StringForm = TStringForm::Wide;
    WriteJwwString(w, s);
    w.Flush();
    return out;
}

std::string ReadBack(const std::string& bytes)
{
    TJwwReader r = TJwwReader::FromBytes(bytes);
    std::string s = ReadJwwString(r);
    EXPECT_EQ(r.StringForm, TStringForm::Wide);
    EXPECT_EQ(r.BytesLeft(), 0u);
    return s;
}

}  // namespace

TEST(WideString, LengthFormsBothWays)
{
    struct Case {
        std::size_t units;
        std::string prefix;
    };
    const Case cases[] = {
        {0, Hex("FF FE FF 00")},
        {3, Hex("FF FE FF 03")},
        {254, Hex("FF FE FF FE")},
        {255, Hex("FF FE FF FF FF 00")},
        {300, Hex("FF FE FF FF 2C 01")},
        {65533, Hex("FF FE FF FF FD FF")},
        {65534, Hex("FF FE FF FF FF FF FE FF 00 00")},
        {70000, Hex("FF FE FF FF FF FF 70 11 01 00")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.units);
        const std::string expected = c.prefix + WideKatakana(c.units);
        EXPECT_EQ(WriteWide(Katakana(c.units)), expected);
        EXPECT_EQ(ReadBack(expected), Katakana(c.units));
    }
}

TEST(WideString, AsciiAndHalfWidthKatakanaConvert)
{
    const std::string wide = Hex("FF FE FF 03") + std::string("a\0b\0", 4) + Hex("71 FF");
    EXPECT_EQ(ReadBack(wide), std::string("ab") + Hex("B1"));
    EXPECT_EQ(WriteWide(std::string("ab") + Hex("B1")), wide);
}

TEST(WideString, CharacterOutsideCodePage932BecomesQuestionMarkAndIsReported)
{
    // U+00E9 (e with acute) has no code page 932 form.
    TJwwReader r = TJwwReader::FromBytes(Hex("FF FE FF 02 41 00 E9 00"));
    EXPECT_EQ(ReadJwwString(r), "A?");
    EXPECT_TRUE(r.LossyStrings);
}

TEST(WideString, MixedFormsFailCleanly)
{
    TJwwReader wideFirst = TJwwReader::FromBytes(Hex("FF FE FF 01 41 00") + Hex("01 41"));
    EXPECT_EQ(ReadJwwString(wideFirst), "A");
    EXPECT_THROW(ReadJwwString(wideFirst), EJwwIOError);

    TJwwReader byteFirst = TJwwReader::FromBytes(Hex("01 41") + Hex("FF FE FF 01 41 00"));
    EXPECT_EQ(ReadJwwString(byteFirst), "A");
    EXPECT_THROW(ReadJwwString(byteFirst), EJwwIOError);
}

TEST(WideString, TruncatedOrRepeatedMarkerFails)
{
    TJwwReader shortText = TJwwReader::FromBytes(Hex("FF FE FF 03 41 00"));
    EXPECT_THROW(ReadJwwString(shortText), EJwwIOError);
    TJwwReader hugeLength = TJwwReader::FromBytes(Hex("FF FE FF FF FF FF FF FF FF 7F"));
    EXPECT_THROW(ReadJwwString(hugeLength), EJwwIOError);
    TJwwReader repeated = TJwwReader::FromBytes(Hex("FF FE FF FF FE FF 00"));
    EXPECT_THROW(ReadJwwString(repeated), EJwwIOError);
}

TEST(WideString, InvalidBytesAreWrittenAsQuestionMarks)
{
    // A lone lead byte at the end of an edited text cannot become UTF-16.
    EXPECT_EQ(WriteWide(std::string("A") + Hex("83")), Hex("FF FE FF 02 41 00 3F 00"));
}
