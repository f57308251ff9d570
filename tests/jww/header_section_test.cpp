#include <gtest/gtest.h>

#include "tests/jww/ObjectBytes.h"
#include "tests/support/HeaderBuilder.h"

namespace {

// Offsets in a header whose strings are all empty, version 300 or later.
constexpr std::size_t SettingsAOffset = 12 + 1 + 8 + 16 * (20 + 16 * 8);
constexpr std::size_t SettingsBOffset = SettingsAOffset + 14 * 4;
constexpr std::size_t SplitIntegerOffset = 3853;

TJwwDocument ReadHeaderBytes(const std::string& bytes)
{
    TJwwReader r = TJwwReader::FromBytes(bytes);
    TJwwDocument doc;
    CreateHeaderTables(doc);
    EXPECT_TRUE(ReadHeaderSection(r, doc));
    EXPECT_EQ(r.BytesLeft(), 0u) << "the reader must stop at the end of the header";
    return doc;
}

std::string WriteHeaderBytes(const TJwwDocument& doc, int32_t target)
{
    return WrittenBytes([&](TJwwWriter& w) { WriteHeaderSection(w, doc, target); });
}

// Names the first differing offset instead of printing kilobytes of bytes.
testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected)
{
    const auto [a, e] =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    if (a == actual.end() && e == expected.end())
        return testing::AssertionSuccess();
    return testing::AssertionFailure() << "sizes " << actual.size() << " and " << expected.size()
                                       << ", first difference at " << (a - actual.begin());
}

// What the writer makes of header values read from a file, for a target version.
TJwwDocument AfterWriterRules(TJwwDocument fields, int32_t target)
{
    THeader& h = fields.Header;
    h.Version = target;
    h.SettingsA.fill(0);
    h.SettingsB[5] = 0;
    if (target <= 420 && h.SettingsB[6] < -101)
        h.SettingsB[6] = -101;
    const auto clean = [](auto& table) {
        for (auto& entry : table)
            entry.Name = StripControlChars(entry.Name);
    };
    clean(fields.LayerTable);
    clean(fields.LayerGroupTable);
    clean(fields.ColorExTable);
    clean(fields.LineTypeExTable);
    const int32_t tens = h.SettingsG.TensPart;
    const int32_t split = h.SettingsG.UnitsPart + (target < 600 ? 0 : 10 * (tens > 0 ? tens : 1));
    h.SettingsG.TensPart = split / 10;
    h.SettingsG.UnitsPart = split % 10;
    return fields;
}

}  // namespace

TEST(HeaderSection, SizesWithEveryStringEmpty)
{
    const std::pair<int32_t, std::size_t> sizes[] = {
        {220, 4037}, {222, 4037}, {223, 4097}, {225, 4129}, {230, 4137}, {231, 4321},
        {299, 4321}, {300, 4337}, {419, 4337}, {420, 14095}, {600, 14095}, {700, 14095}};
    for (const auto& [version, size] : sizes) {
        SCOPED_TRACE(version);
        const TJwwDocument fields = HeaderFields(version);
        EXPECT_EQ(BuildHeader(fields).size(), size);
        EXPECT_EQ(WriteHeaderBytes(fields, version).size(), size);
        ReadHeaderBytes(BuildHeader(fields));
    }
    // The signature, the version and the memo's length prefix; the entity count word follows
    // the header, at 14,095 in a file of version 420 whose strings are all empty.
    TJwwDocument fields = HeaderFields(420);
    fields.Header.Memo = "memo";
    EXPECT_EQ(WriteHeaderBytes(fields, 420).substr(0, 17),
              Hex("4A 77 77 44 61 74 61 2E A4 01 00 00 04") + "memo");
}

TEST(HeaderSection, RandomFieldsAreReadIntoTheirMembersAndWrittenBackSaveForTheRules)
{
    // The builder lays the values out on its own: building again from what was read puts every
    // value back only when each landed in its own member, and every field a version lacks
    // keeps its reset value.
    TJwwDocument newest = HeaderFields(700);
    FillHeaderWithRandomBits(newest, 42);
    const TJwwDocument newestRead = ReadHeaderBytes(BuildHeader(newest));
    for (int32_t version : {220, 223, 225, 230, 231, 300, 419, 420, 421, 600, 700}) {
        for (uint32_t seed = 1; seed <= 2; ++seed) {
            SCOPED_TRACE(testing::Message() << "version " << version << " seed " << seed);
            TJwwDocument fields = HeaderFields(version);
            FillHeaderWithRandomBits(fields, seed * 1000 + static_cast<uint32_t>(version));
            TJwwDocument read = ReadHeaderBytes(BuildHeader(fields));
            EXPECT_TRUE(SameBytes(WriteHeaderBytes(read, version),
                                  BuildHeader(AfterWriterRules(fields, version))));
            read.Header.Version = fields.Header.Version = 700;
            EXPECT_TRUE(SameBytes(BuildHeader(read), BuildHeader(fields)));
        }
        // The layout follows the target version, not the version read.
        EXPECT_TRUE(SameBytes(WriteHeaderBytes(newestRead, version),
                              BuildHeader(AfterWriterRules(newest, version))));
    }
}

TEST(HeaderSection, SplitIntegerReadAsTensAndLastDigitIsRebuiltByTheTarget)
{
    // Both parts truncated toward zero, so that -7 reads as 0 and -7, not as -1 and 3.
    const std::tuple<int32_t, int32_t, int32_t> written[] = {
        {700, 23, 23}, {700, 5, 15},  {700, 0, 10},  {700, -7, 3},  {700, 123, 123},
        {700, -23, 7}, {600, 5, 15},  {599, 23, 3},  {420, 23, 3},  {420, -7, -7},
        {420, 123, 3}, {420, -23, -3}, {420, INT32_MIN, -8}};
    for (const auto& [version, read, expected] : written) {
        TJwwDocument fields = HeaderFields(version);
        fields.Header.SettingsG.TensPart = read / 10;
        fields.Header.SettingsG.UnitsPart = read % 10;
        const std::string out = WriteHeaderBytes(ReadHeaderBytes(BuildHeader(fields)), version);
        EXPECT_EQ(static_cast<int32_t>(DecodeFixed32(out.data() + SplitIntegerOffset)), expected)
            << version << " " << read;
    }
    TJwwDocument overflow = HeaderFields(700);
    overflow.Header.SettingsG.UnitsPart = INT32_MAX - 5;
    EXPECT_THROW(WriteHeaderBytes(overflow, 700), EJwwRangeError);
}

TEST(HeaderSection, WriterZeroesSettingsAAndItem6ClampsItem7UpTo420AndRefusesCorruption)
{
    const std::tuple<int32_t, int32_t, int32_t> item7[] = {
        {-150, 420, -101}, {-150, 230, -101}, {-150, 421, -150}, {-102, 420, -101},
        {-101, 420, -101}, {-100, 420, -100}, {-101, 700, -101}, {INT32_MIN, 420, -101}};
    for (const auto& [held, target, expected] : item7) {
        TJwwDocument doc = HeaderFields(700);
        doc.Header.SettingsA.fill(7);
        doc.Header.SettingsB = {100, 101, 102, 103, 104, 105, held};
        TJwwBuilder settingsB;
        settingsB.Int(100).Int(101).Int(102).Int(103).Int(104).Int(0).Int(expected);
        const std::string out = WriteHeaderBytes(doc, target);
        EXPECT_EQ(out.substr(SettingsAOffset, 56), std::string(56, '\0'));
        EXPECT_EQ(out.substr(SettingsBOffset, 28), settingsB.Bytes()) << held << " for " << target;
    }
    // What would corrupt the file is refused.
    TJwwDocument doc = HeaderFields(700);
    doc.Header.Magic = "JwwData";
    EXPECT_THROW(WriteHeaderBytes(doc, 700), EJwwRangeError);
    doc = TJwwDocument{};  // no header tables
    doc.Header.Magic = "JwwData.";
    EXPECT_THROW(WriteHeaderBytes(doc, 700), EJwwRangeError);
}

TEST(HeaderSection, IsJwwFileAndReadJwwHeaderOnShortTruncatedAndOddFiles)
{
    const std::string folder = TestFolder("header_section_odd");
    TJwwDocument doc;
    const auto file = [&](const std::string& bytes) {
        WriteFileBytes(folder + "file.jww", bytes);
        return folder + "file.jww";
    };
    const std::pair<std::string, bool> signatures[] = {
        {"", false}, {"JwwData", false}, {"jwwData.xxxx", false},
        {std::string("JwwData\0xxxx", 12), false}, {"JwwData.", true},
        {"JwwData." + std::string(1000, '\xFF'), true}};
    for (const auto& [bytes, recognised] : signatures)
        EXPECT_EQ(IsJwwFile(file(bytes)), recognised) << testing::PrintToString(bytes);
    EXPECT_FALSE(IsJwwFile(folder + "missing.jww"));
    EXPECT_FALSE(ReadJwwHeader(doc, folder + "missing.jww"));
    EXPECT_FALSE(ReadJwwHeader(doc, file("JwwData.")));
    // A file that exists but cannot be opened is no answer: the error reaches the caller.
    EXPECT_THROW(IsJwwFile(folder), EJwwIOError);
    doc.Header.Memo = "earlier";
    EXPECT_THROW(ReadJwwHeader(doc, folder), EJwwIOError);
    EXPECT_EQ(doc.Header.Memo, "") << "the document is cleared before the file is opened";

    // Cut right after the layer-group names it fails, keeping what it read; cut inside the SXF
    // tables, which it does not read, it succeeds, where the whole-file load fails.
    TJwwDocument fields = HeaderFields(420);
    fields.LayerGroupTable[15].Name = "last group";
    const std::string bytes = BuildHeader(fields);
    EXPECT_FALSE(ReadJwwHeader(doc, file(bytes.substr(0, bytes.find("last group") + 10))));
    EXPECT_EQ(doc.Header.Version, 420);
    EXPECT_TRUE(ReadJwwHeader(doc, file(bytes.substr(0, bytes.size() - 2000))));
    TJwwReader r = TJwwReader::FromBytes(bytes.substr(0, bytes.size() - 2000));
    CreateHeaderTables(doc);
    EXPECT_THROW(ReadHeaderSection(r, doc), EJwwIOError);

    // It refuses no version and no signature; version 222 has no first integer of H20a.
    fields = HeaderFields(219);
    fields.Header.Memo = "old";
    EXPECT_TRUE(ReadJwwHeader(doc, file(BuildHeader(fields))));
    EXPECT_EQ(std::to_string(doc.Header.Version) + doc.Header.Memo, "219old");
    fields = HeaderFields(222);
    fields.Header.SettingsG.Ints2[0] = 9;
    EXPECT_TRUE(ReadJwwHeader(doc, file(BuildHeader(fields) + Hex("01 02 03 04"))));
    EXPECT_EQ(doc.Header.SettingsG.Ints2[0], 0);
    fields = HeaderFields(700);
    fields.Header.Magic = "NotJww!!";
    EXPECT_TRUE(ReadJwwHeader(doc, file(BuildHeader(fields))));
    EXPECT_EQ(doc.Header.Magic, "NotJww!!");
    const std::string hugeMemo = Hex("4A 77 77 44 61 74 61 2E BC 02 00 00 FF FF FF FF FF FF 7F");
    EXPECT_FALSE(ReadJwwHeader(doc, file(hugeMemo + "memo")));
}
