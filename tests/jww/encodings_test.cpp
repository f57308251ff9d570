#include <gtest/gtest.h>

#include "tests/jww/ObjectBytes.h"
#include "tests/jww/allocation_probe.h"

namespace {

std::string Pattern(std::size_t n)
{
    std::string s(n, '\0');
    for (std::size_t i = 0; i < n; ++i)
        s[i] = static_cast<char>(i * 7 + i / 256);
    return s;
}

// Reads one string from bytes, which it must take whole.
std::string ReadBack(const std::string& bytes, TStringForm form = TStringForm::Byte)
{
    TJwwReader r = TJwwReader::FromBytes(bytes);
    std::string s = ReadJwwString(r);
    EXPECT_EQ(r.StringForm, form);
    EXPECT_EQ(r.BytesLeft(), 0u);
    return s;
}

std::string Written(std::string_view s, TStringForm form = TStringForm::Byte)
{
    return WrittenBytes([&](TJwwWriter& w) {
        w.StringForm = form;
        WriteJwwString(w, s);
    });
}

// The katakana letter A (U+30A2) n times, in code page 932 and in UTF-16LE.
std::string Katakana(std::size_t n, bool wide)
{
    std::string s;
    for (std::size_t i = 0; i < n; ++i)
        s += wide ? Hex("A2 30") : Hex("83 41");
    return s;
}

}  // namespace

TEST(StringPrefix, EachLengthTakesTheArchiveFormBothWaysInBothForms)
{
    // The byte form counts bytes; the wide form, after FF FE FF, UTF-16 code units.
    const std::pair<std::size_t, std::string> prefixes[] = {
        {0, "00"}, {3, "03"}, {254, "FE"}, {255, "FF FF 00"}, {256, "FF 00 01"}, {300, "FF 2C 01"},
        {65533, "FF FD FF"}, {65534, "FF FF FF FE FF 00 00"}, {65535, "FF FF FF FF FF 00 00"},
        {70000, "FF FF FF 70 11 01 00"}};
    for (const auto& [length, prefix] : prefixes) {
        SCOPED_TRACE(length);
        const std::string s = Pattern(length);
        const std::string encoded = Hex(prefix) + s;
        EXPECT_EQ(Written(s), encoded);
        EXPECT_EQ(ReadBack(encoded), s);
        const std::string wide = Hex("FF FE FF") + Hex(prefix) + Katakana(length, true);
        EXPECT_EQ(Written(Katakana(length, false), TStringForm::Wide), wide);
        EXPECT_EQ(ReadBack(wide, TStringForm::Wide), Katakana(length, false));
        for (const std::string& whole : {encoded, wide}) {
            const std::size_t cuts[] = {0, 1, 2, 3, 4, 5, 6, whole.size() - 1};
            for (std::size_t n : cuts) {
                TJwwReader r = TJwwReader::FromBytes(whole.substr(0, std::min(n, whole.size() - 1)));
                EXPECT_THROW(ReadJwwString(r), EJwwIOError) << n;
            }
        }
    }
    // Longer forms than needed are read too.
    EXPECT_EQ(ReadBack(Hex("FF 00 00")), "");
    EXPECT_EQ(ReadBack(Hex("FF 03 00") + "abc"), "abc");
    EXPECT_EQ(ReadBack(Hex("FF FF FF 02 00 00 00") + "xy"), "xy");
}

TEST(StringPrefix, LengthBeyondTheFileFailsWithoutAllocatingIt)
{
    for (const std::string& prefix : {Hex("FF FF FF FF FF FF FF"), Hex("FF FF FF 00 00 00 80"),
                                      Hex("FF FD FF"), Hex("FE"), Hex("FF FE FF FF FF FF FF FF FF 7F")}) {
        TJwwReader r = TJwwReader::FromBytes(prefix + "only a few bytes");
        LargestAllocationSinceAsked();
        EXPECT_THROW(ReadJwwString(r), EJwwIOError);
        EXPECT_LT(LargestAllocationSinceAsked(), 4096u);
    }
}

TEST(CountWordAndClassTag, LargeValuesFollowAnEscape)
{
    const std::pair<int32_t, std::string> counts[] = {
        {0, Hex("00 00")}, {1, Hex("01 00")}, {0xFFFE, Hex("FE FF")}, {0xFFFF, Hex("FF FF FF FF 00 00")},
        {0x10000, Hex("FF FF 00 00 01 00")}, {INT32_MAX, Hex("FF FF FF FF FF 7F")}};
    for (const auto& [count, bytes] : counts) {
        EXPECT_EQ(WrittenBytes([&](TJwwWriter& w) { WriteJwwCount(w, count); }), bytes);
        TJwwReader r = TJwwReader::FromBytes(bytes);
        EXPECT_EQ(ReadJwwCount(r), count);
        TJwwReader cut = TJwwReader::FromBytes(bytes.substr(0, bytes.size() - 1));
        EXPECT_THROW(ReadJwwCount(cut), EJwwIOError) << count;
    }
    EXPECT_THROW(WrittenBytes([](TJwwWriter& w) { WriteJwwCount(w, -1); }), EJwwRangeError);

    // Class references from 0x7FFF on take the long form.
    const std::pair<int32_t, std::string> refs[] = {
        {1, Hex("01 80")}, {0x7FFE, Hex("FE FF")}, {0x7FFF, Hex("FF 7F FF 7F 00 80")},
        {0x12345, Hex("FF 7F 45 23 01 80")}, {INT32_MAX, Hex("FF 7F FF FF FF FF")}};
    for (const auto& [index, bytes] : refs) {
        EXPECT_EQ(WrittenBytes([&](TJwwWriter& w) { WriteClassRef(w, index); }), bytes);
        TJwwReader r = TJwwReader::FromBytes(bytes);
        const TClassTag tag = ReadClassTag(r);
        EXPECT_FALSE(tag.IsNewClass);
        EXPECT_EQ(tag.ClassIndex, index);
        TJwwReader cut = TJwwReader::FromBytes(bytes.substr(0, bytes.size() - 1));
        EXPECT_THROW(ReadClassTag(cut), EJwwIOError) << index;
    }
    EXPECT_THROW(WrittenBytes([](TJwwWriter& w) { WriteClassRef(w, 0); }), EJwwRangeError);

    // A new class carries the schema and a name of at most 2048 bytes.
    const std::string bytes = WrittenBytes([](TJwwWriter& w) { WriteNewClass(w, 700, "CDataSen"); });
    EXPECT_EQ(bytes, Hex("FF FF BC 02 08 00") + "CDataSen");
    const std::string longest(MaxClassNameLength, 'C');
    TJwwReader fits = TJwwReader::FromBytes(TJwwBuilder().NewClass(1, longest).Bytes());
    EXPECT_EQ(ReadClassTag(fits).ClassName, longest);
    // A longer name marks a corrupt file, even where the file could hold it.
    TJwwReader corrupt = TJwwReader::FromBytes(TJwwBuilder().NewClass(1, longest + "C").Bytes());
    EXPECT_THROW(ReadClassTag(corrupt), EJwwIOError);
}

TEST(WideString, ConvertsToCodePage932AndFailsCleanlyOnMixedForms)
{
    // ASCII and half-width katakana; U+00E9, which code page 932 cannot hold; a lone lead byte
    // at the end of an edited text, which has no UTF-16 form.
    const std::string wide = Hex("FF FE FF 03") + std::string("a\0b\0", 4) + Hex("71 FF");
    EXPECT_EQ(ReadBack(wide, TStringForm::Wide), "ab" + Hex("B1"));
    EXPECT_EQ(Written("ab" + Hex("B1"), TStringForm::Wide), wide);
    TJwwReader lossy = TJwwReader::FromBytes(Hex("FF FE FF 02 41 00 E9 00"));
    EXPECT_EQ(ReadJwwString(lossy), "A?");
    EXPECT_TRUE(lossy.LossyStrings);
    EXPECT_EQ(Written("A" + Hex("83"), TStringForm::Wide), Hex("FF FE FF 02 41 00 3F 00"));

    for (const std::string& bytes : {Hex("FF FE FF 01 41 00 01 41"), Hex("01 41 FF FE FF 01 41 00")}) {
        TJwwReader r = TJwwReader::FromBytes(bytes);
        EXPECT_EQ(ReadJwwString(r), "A");
        EXPECT_THROW(ReadJwwString(r), EJwwIOError);
    }
    TJwwReader repeated = TJwwReader::FromBytes(Hex("FF FE FF FF FE FF 00"));
    EXPECT_THROW(ReadJwwString(repeated), EJwwIOError);
}
