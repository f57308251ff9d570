#include <gtest/gtest.h>

#include "jww/jwwunit.h"
#include "tests/jww/allocation_probe.h"
#include "tests/support/JwwBuilder.h"

namespace {

std::string Encoded(auto write)
{
    std::string out;
    TJwwWriter w(&out);
    write(w);
    w.Flush();
    return out;
}

std::string EncodedString(const std::string& s)
{
    return Encoded([&](TJwwWriter& w) { WriteJwwString(w, s); });
}

// A string of n bytes that tells its positions apart.
std::string Pattern(std::size_t n)
{
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(i * 7 + i / 256);
    return s;
}

// Every shorter prefix of a complete encoding must fail as an I/O error, and the complete one
// must be read whole.
template <class TRead>
void ExpectEveryTruncationFails(const std::string& encoding, TRead read)
{
    for (std::size_t n = 0; n < encoding.size(); ++n) {
        TJwwReader r = TJwwReader::FromBytes(encoding.substr(0, n));
        EXPECT_THROW(read(r), EJwwIOError) << n << " of " << encoding.size() << " bytes";
    }
    TJwwReader r = TJwwReader::FromBytes(encoding);
    read(r);
    EXPECT_EQ(r.BytesLeft(), 0u);
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Strings
// ---------------------------------------------------------------------------------------------

TEST(StringPrefix, EncodesEachLengthInTheArchiveForm)
{
    const std::pair<std::size_t, std::string> prefixes[] = {
        {0, Hex("00")},
        {1, Hex("01")},
        {254, Hex("FE")},
        {255, Hex("FF FF 00")},
        {256, Hex("FF 00 01")},
        {300, Hex("FF 2C 01")},
        {65533, Hex("FF FD FF")},
        {65534, Hex("FF FF FF FE FF 00 00")},
        {65535, Hex("FF FF FF FF FF 00 00")},
        {70000, Hex("FF FF FF 70 11 01 00")}};
    for (const auto& [length, prefix] : prefixes) {
        SCOPED_TRACE(length);
        const std::string s = Pattern(length);
        const std::string encoded = EncodedString(s);
        EXPECT_EQ(encoded, prefix + s);
        EXPECT_EQ(TJwwBuilder().String(s).Bytes(), encoded);
        TJwwReader r = TJwwReader::FromBytes(encoded);
        EXPECT_EQ(ReadJwwString(r), s);
        EXPECT_EQ(r.BytesLeft(), 0u);
    }
}

TEST(StringPrefix, ReadsEveryLongFormItMayMeet)
{
    TJwwReader emptyLong = TJwwReader::FromBytes(Hex("FF 00 00 41"));
    EXPECT_EQ(ReadJwwString(emptyLong), "");
    EXPECT_EQ(emptyLong.Position(), 3u);

    TJwwReader shortInLongForm = TJwwReader::FromBytes(Hex("FF 03 00") + "abc");
    EXPECT_EQ(ReadJwwString(shortInLongForm), "abc");

    TJwwReader shortIn32Bits = TJwwReader::FromBytes(Hex("FF FF FF 02 00 00 00") + "xy");
    EXPECT_EQ(ReadJwwString(shortIn32Bits), "xy");
}

TEST(StringPrefix, LengthBeyondTheFileFailsWithoutAllocatingIt)
{
    const std::string prefixes[] = {Hex("FF FF FF FF FF FF FF"), Hex("FF FF FF 00 00 00 80"),
                                    Hex("FF FD FF"), Hex("FE")};
    for (const std::string& prefix : prefixes) {
        TJwwReader r = TJwwReader::FromBytes(prefix + "only a few bytes");
        const TAllocationProbe probe;
        EXPECT_THROW(ReadJwwString(r), EJwwIOError);
        EXPECT_LT(probe.Largest(), 4096u);
    }
}

TEST(StringPrefix, EveryTruncationFails)
{
    for (std::size_t length : {0, 1, 254, 255, 300}) {
        SCOPED_TRACE(length);
        ExpectEveryTruncationFails(EncodedString(Pattern(length)),
                                   [](TJwwReader& r) { ReadJwwString(r); });
    }
    const std::string longForm = EncodedString(Pattern(70000));
    for (std::size_t n : {1, 2, 3, 4, 5, 6, 7, 8, 69999, 70006}) {
        TJwwReader r = TJwwReader::FromBytes(longForm.substr(0, n));
        EXPECT_THROW(ReadJwwString(r), EJwwIOError) << n << " bytes";
    }
}

TEST(StringContent, ZeroBytesAndBrokenCharactersAreKept)
{
    const std::string texts[] = {std::string("\0", 1), std::string("a\0b\0\0", 5),
                                 "\x82", "\x82\xA0\x82", "^m\r\n", std::string(300, '\0')};
    for (const std::string& s : texts) {
        TJwwReader r = TJwwReader::FromBytes(EncodedString(s));
        EXPECT_EQ(ReadJwwString(r), s);
    }
}

// ---------------------------------------------------------------------------------------------
// Count words
// ---------------------------------------------------------------------------------------------

TEST(CountWord, EncodesLargeCountsAfterAnEscape)
{
    const std::pair<int32_t, std::string> counts[] = {
        {0, Hex("00 00")},
        {1, Hex("01 00")},
        {0xFFFE, Hex("FE FF")},
        {0xFFFF, Hex("FF FF FF FF 00 00")},
        {0x10000, Hex("FF FF 00 00 01 00")},
        {INT32_MAX, Hex("FF FF FF FF FF 7F")}};
    for (const auto& [count, bytes] : counts) {
        SCOPED_TRACE(count);
        EXPECT_EQ(Encoded([&](TJwwWriter& w) { WriteJwwCount(w, count); }), bytes);
        EXPECT_EQ(TJwwBuilder().Count(count).Bytes(), bytes);
        ExpectEveryTruncationFails(bytes,
                                   [&](TJwwReader& r) { EXPECT_EQ(ReadJwwCount(r), count); });
    }
}

TEST(CountWord, NegativeCountCannotBeWritten)
{
    EXPECT_THROW(Encoded([](TJwwWriter& w) { WriteJwwCount(w, -1); }), EJwwRangeError);
}

// ---------------------------------------------------------------------------------------------
// Class tags
// ---------------------------------------------------------------------------------------------

TEST(ClassTag, ReferencesUseTheLongFormFrom0x7FFF)
{
    const std::pair<int32_t, std::string> refs[] = {
        {1, Hex("01 80")},
        {0x7FFE, Hex("FE FF")},
        {0x7FFF, Hex("FF 7F FF 7F 00 80")},
        {0x12345, Hex("FF 7F 45 23 01 80")},
        {INT32_MAX, Hex("FF 7F FF FF FF FF")}};
    for (const auto& [index, bytes] : refs) {
        SCOPED_TRACE(index);
        EXPECT_EQ(Encoded([&](TJwwWriter& w) { WriteClassRef(w, index); }), bytes);
        EXPECT_EQ(TJwwBuilder().ClassRef(index).Bytes(), bytes);
        ExpectEveryTruncationFails(bytes, [&](TJwwReader& r) {
            const TClassTag tag = ReadClassTag(r);
            EXPECT_FALSE(tag.IsNewClass);
            EXPECT_EQ(tag.ClassIndex, index);
        });
    }
}

TEST(ClassTag, ReferenceBelowOneCannotBeWritten)
{
    EXPECT_THROW(Encoded([](TJwwWriter& w) { WriteClassRef(w, 0); }), EJwwRangeError);
    EXPECT_THROW(Encoded([](TJwwWriter& w) { WriteClassRef(w, -5); }), EJwwRangeError);
}

TEST(ClassTag, NewClassCarriesSchemaAndName)
{
    const std::string bytes = Encoded([](TJwwWriter& w) { WriteNewClass(w, 700, "CDataSen"); });
    EXPECT_EQ(bytes, Hex("FF FF BC 02 08 00") + "CDataSen");
    EXPECT_EQ(TJwwBuilder().NewClass(700, "CDataSen").Bytes(), bytes);
    ExpectEveryTruncationFails(bytes, [](TJwwReader& r) {
        const TClassTag tag = ReadClassTag(r);
        EXPECT_TRUE(tag.IsNewClass);
        EXPECT_EQ(tag.ClassName, "CDataSen");
    });
}

TEST(ClassTag, NameLongerThan2048BytesMarksACorruptFile)
{
    const std::string longest(MaxClassNameLength, 'C');
    TJwwReader fits = TJwwReader::FromBytes(TJwwBuilder().NewClass(1, longest).Bytes());
    EXPECT_EQ(ReadClassTag(fits).ClassName, longest);

    const std::string tooLong(MaxClassNameLength + 1, 'C');
    TJwwReader corrupt = TJwwReader::FromBytes(TJwwBuilder().NewClass(1, tooLong).Bytes());
    EXPECT_THROW(ReadClassTag(corrupt), EJwwIOError);

    TJwwReader announcedOnly = TJwwReader::FromBytes(Hex("FF FF 00 00 FF FF"));
    EXPECT_THROW(ReadClassTag(announcedOnly), EJwwIOError);
}
