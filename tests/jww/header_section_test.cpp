#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "jww/jwwunit.h"
#include "tests/support/HeaderBuilder.h"
#include "tests/support/JwwBuilder.h"

namespace {

// Offsets in a header whose strings are all empty (one byte each), version 300 or later.
constexpr std::size_t MemoOffset = 12;
constexpr std::size_t LayerGroupsOffset = MemoOffset + 1 + 8;
constexpr std::size_t SettingsAOffset = LayerGroupsOffset + 16 * (20 + 16 * 8);
constexpr std::size_t SettingsBOffset = SettingsAOffset + 14 * 4;
constexpr std::size_t SplitIntegerOffset = 3853;
// The end of a header of version 420 or later: the SXF line types, then two settings runs.
constexpr std::size_t LineTypesSize = 33 * 16 + 33 * (1 + 4 + 80);
constexpr std::size_t TailSize = 280 + 100;
// Version 230 lacks two doubles before the split integer and has the short settings table.
constexpr std::size_t SplitIntegerOffset230 = SplitIntegerOffset - 16 - (280 - 96);

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
    std::string out;
    TJwwWriter w(&out);
    WriteHeaderSection(w, doc, target);
    w.Flush();
    return out;
}

std::string WrittenBack(const TJwwDocument& fields, int32_t target)
{
    return WriteHeaderBytes(ReadHeaderBytes(BuildHeader(fields)), target);
}

// Compares two encodings and, when they differ, names the first offset instead of printing
// kilobytes of bytes.
testing::AssertionResult SameBytes(const std::string& actual, const std::string& expected)
{
    const std::size_t common = std::min(actual.size(), expected.size());
    std::size_t at = 0;
    while (at < common && actual[at] == expected[at])
        ++at;
    if (at == common && actual.size() == expected.size())
        return testing::AssertionSuccess();
    return testing::AssertionFailure()
           << "sizes " << actual.size() << " and " << expected.size() << ", first difference at "
           << at;
}

int32_t IntAt(const std::string& bytes, std::size_t offset)
{
    return static_cast<int32_t>(DecodeFixed32(bytes.substr(offset, 4).data()));
}

void SetSplitInteger(TJwwDocument& fields, int32_t value)
{
    fields.Header.SettingsG.TensPart = value / 10;
    fields.Header.SettingsG.UnitsPart = value % 10;
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
    for (auto& layer : fields.LayerTable)
        layer.Name = StripControlChars(layer.Name);
    for (auto& group : fields.LayerGroupTable)
        group.Name = StripControlChars(group.Name);
    for (auto& colour : fields.ColorExTable)
        colour.Name = StripControlChars(colour.Name);
    for (auto& lineType : fields.LineTypeExTable)
        lineType.Name = StripControlChars(lineType.Name);
    const int32_t tens = h.SettingsG.TensPart;
    const int32_t units = h.SettingsG.UnitsPart;
    SetSplitInteger(fields, target < 600 ? units : units + 10 * (tens > 0 ? tens : 1));
    return fields;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Layout
// ---------------------------------------------------------------------------------------------

TEST(HeaderLayout, SizesWithEveryStringEmpty)
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
}

TEST(HeaderLayout, FileStartsWithSignatureVersionAndMemoPrefix)
{
    TJwwDocument fields = HeaderFields(420);
    fields.Header.Memo = "memo";
    const std::string bytes = WriteHeaderBytes(fields, 420);
    EXPECT_EQ(bytes.substr(0, 12), Hex("4A 77 77 44 61 74 61 2E A4 01 00 00"));
    EXPECT_EQ(bytes.substr(MemoOffset, 5), Hex("04") + "memo");
}

TEST(HeaderLayout, EntityCountWordFollowsTheHeaderAt14095)
{
    const std::string file = BuildHeader(HeaderFields(420)) + TJwwBuilder().Count(3).Bytes();
    TJwwReader r = TJwwReader::FromBytes(file);
    TJwwDocument doc;
    CreateHeaderTables(doc);
    ASSERT_TRUE(ReadHeaderSection(r, doc));
    EXPECT_EQ(r.Position(), 14095u);
    EXPECT_EQ(ReadJwwCount(r), 3);
}

// ---------------------------------------------------------------------------------------------
// Reader
// ---------------------------------------------------------------------------------------------

TEST(HeaderSectionReader, StoresEveryFieldInItsMember)
{
    // The builder lays the values out independently; building again from what was read puts
    // every value back at its offset only when each one landed in its own member.
    for (int32_t version : {220, 223, 225, 230, 231, 300, 420, 600, 700}) {
        SCOPED_TRACE(version);
        TJwwDocument fields = HeaderFields(version);
        FillHeaderWithRandomBits(fields, static_cast<uint32_t>(version));
        const std::string bytes = BuildHeader(fields);
        EXPECT_TRUE(SameBytes(BuildHeader(ReadHeaderBytes(bytes)), bytes));
    }
}

TEST(HeaderSectionReader, LayerOfGroupIsEntryGroupTimesSixteenPlusLayer)
{
    TJwwDocument fields = HeaderFields(420);
    fields.LayerTable[2 * 16 + 5].Value1 = 77;
    fields.LayerTable[2 * 16 + 5].Name = "2-5";
    fields.LayerGroupTable[2].Name = "group 2";
    const TJwwDocument doc = ReadHeaderBytes(BuildHeader(fields));
    EXPECT_EQ(doc.LayerTable[37].Value1, 77);
    EXPECT_EQ(doc.LayerTable[37].Name, "2-5");
    EXPECT_EQ(doc.LayerGroupTable[2].Name, "group 2");
}

TEST(HeaderSectionReader, SplitsTheIntegerWithTruncationTowardZero)
{
    const std::tuple<int32_t, int32_t, int32_t> cases[] = {
        {23, 2, 3}, {-7, 0, -7}, {-23, -2, -3}, {INT32_MIN, -214748364, -8}};
    for (const auto& [value, tens, units] : cases) {
        SCOPED_TRACE(value);
        std::string bytes = BuildHeader(HeaderFields(700));
        EncodeFixed32(bytes.data() + SplitIntegerOffset, static_cast<uint32_t>(value));
        const TJwwDocument doc = ReadHeaderBytes(bytes);
        EXPECT_EQ(doc.Header.SettingsG.TensPart, tens);
        EXPECT_EQ(doc.Header.SettingsG.UnitsPart, units);
    }
}

TEST(HeaderSectionReader, OldVersionsKeepResetValuesOfWhatTheyLack)
{
    for (int32_t version : {220, 230, 231, 299, 300, 419}) {
        SCOPED_TRACE(version);
        TJwwDocument fields = HeaderFields(version);
        FillHeaderWithRandomBits(fields, 7);
        TJwwReader r = TJwwReader::FromBytes(BuildHeader(fields));
        TJwwDocument doc;
        ClearJww(doc);
        CreateHeaderTables(doc);
        ASSERT_TRUE(ReadHeaderSection(r, doc));

        const auto& tableA = doc.Header.SettingsTableA;
        if (version <= 230) {
            for (int e = 0; e < 4; ++e)
                EXPECT_EQ(tableA[e].I1, -1) << "entry " << e + 1 << " has no integer in the file";
            for (int e = 4; e < 8; ++e) {
                EXPECT_EQ(tableA[e].D1, 1.0);
                EXPECT_EQ(tableA[e].D2, 0.0);
                EXPECT_EQ(tableA[e].D3, 0.0);
                EXPECT_EQ(tableA[e].I1, -1);
            }
            for (int e = 8; e < 10; ++e) {
                EXPECT_EQ(tableA[e].D1, 0.0);
                EXPECT_EQ(tableA[e].I1, 0);
            }
        }
        if (version < 300) {
            EXPECT_EQ(DoubleBits(doc.Header.SettingsD.Tail[1]), 0u);
            EXPECT_EQ(DoubleBits(doc.Header.SettingsD.Tail[2]), 0u);
        }
        ASSERT_EQ(doc.ColorExTable.size(), 257u);
        ASSERT_EQ(doc.LineTypeExTable.size(), 33u);
        for (const TColorExNo& colour : doc.ColorExTable) {
            EXPECT_EQ(colour.ScreenColor, 0);
            EXPECT_EQ(colour.Name, "");
        }
        for (const TLineTypeExNo& lineType : doc.LineTypeExTable) {
            EXPECT_EQ(lineType.Pattern, 0);
            EXPECT_EQ(lineType.Name, "");
        }
    }
}

TEST(HeaderSectionReader, StopsAfterTheVersionBelow220)
{
    TJwwDocument fields = HeaderFields(219);
    FillHeaderWithRandomBits(fields, 219);
    TJwwReader r = TJwwReader::FromBytes(BuildHeader(fields));
    TJwwDocument doc;
    CreateHeaderTables(doc);
    EXPECT_FALSE(ReadHeaderSection(r, doc));
    EXPECT_EQ(r.Position(), 12u);
    EXPECT_EQ(doc.Header.Magic, "JwwData.");
    EXPECT_EQ(doc.Header.Version, 219);
    EXPECT_EQ(doc.Header.Memo, "");
}

TEST(HeaderSectionReader, EveryTruncationFailsWithIOError)
{
    // Every cut of the older layout, and cuts of the newer one at a stride that lands in every
    // part of it and in fields of every width.
    for (const auto& [version, stride] : {std::pair{230, 1}, std::pair{420, 7}}) {
        SCOPED_TRACE(version);
        const std::string bytes = BuildHeader(HeaderFields(version));
        for (std::size_t n = 0; n < bytes.size(); n += stride) {
            TJwwReader r = TJwwReader::FromBytes(bytes.substr(0, n));
            TJwwDocument doc;
            CreateHeaderTables(doc);
            EXPECT_THROW(ReadHeaderSection(r, doc), EJwwIOError) << n << " bytes";
        }
    }
}

TEST(HeaderSectionReader, ShortReadNamesThePartBeingRead)
{
    TJwwDocument fields = HeaderFields(420);
    fields.LayerTable[100].Name = "cut short";
    const std::string bytes = BuildHeader(fields);
    const std::pair<std::size_t, const char*> cuts[] = {
        {5, "header start"},
        {MemoOffset, "header memo"},
        {LayerGroupsOffset + 100, "layer groups"},
        {SettingsBOffset, "header settings"},
        {bytes.find("cut short") + 3, "layer names"},
        {SplitIntegerOffset + 9, "header settings"},
        {bytes.size() - TailSize - LineTypesSize - 1, "SXF line colours"},
        {bytes.size() - TailSize - 1, "SXF line types"},
        {bytes.size() - 1, "header settings"}};
    for (const auto& [size, part] : cuts) {
        TJwwReader r = TJwwReader::FromBytes(bytes.substr(0, size));
        TJwwDocument doc;
        CreateHeaderTables(doc);
        try {
            ReadHeaderSection(r, doc);
            ADD_FAILURE() << "no error for " << size << " bytes";
        } catch (const EJwwIOError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("unexpected end of file in ") + part);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Writer
// ---------------------------------------------------------------------------------------------

TEST(HeaderSectionWriter, WritesRandomHeaderBackExceptWhereItsRulesApply)
{
    for (int32_t version : {220, 223, 225, 230, 231, 300, 420, 421, 600, 700}) {
        for (uint32_t seed = 1; seed <= 3; ++seed) {
            SCOPED_TRACE(testing::Message() << "version " << version << " seed " << seed);
            TJwwDocument fields = HeaderFields(version);
            FillHeaderWithRandomBits(fields, seed * 1000 + static_cast<uint32_t>(version));
            const TJwwDocument once = AfterWriterRules(fields, version);
            const std::string written = WrittenBack(fields, version);
            EXPECT_TRUE(SameBytes(written, BuildHeader(once)));
            EXPECT_TRUE(SameBytes(WrittenBack(once, version),
                                  BuildHeader(AfterWriterRules(once, version))));
        }
    }
}

TEST(HeaderSectionWriter, RebuildsTheSplitInteger)
{
    const std::tuple<int32_t, int32_t, int32_t> cases[] = {
        {700, 23, 23}, {700, 5, 15},  {700, 0, 10},  {700, -7, 3},  {700, 123, 123},
        {700, -23, 7}, {600, 5, 15},  {599, 23, 3},  {420, 23, 3},  {420, -7, -7},
        {420, 123, 3}, {420, -23, -3}};
    for (const auto& [version, read, written] : cases) {
        SCOPED_TRACE(testing::Message() << "version " << version << " value " << read);
        TJwwDocument fields = HeaderFields(version);
        SetSplitInteger(fields, read);
        EXPECT_EQ(IntAt(WrittenBack(fields, version), SplitIntegerOffset), written);
    }
    TJwwDocument fields = HeaderFields(230);
    SetSplitInteger(fields, 47);
    EXPECT_EQ(IntAt(WrittenBack(fields, 230), SplitIntegerOffset230), 7);
}

TEST(HeaderSectionWriter, SplitIntegerThatCannotBeRebuiltFailsTheWrite)
{
    TJwwDocument doc = HeaderFields(700);
    doc.Header.SettingsG.TensPart = 0;
    doc.Header.SettingsG.UnitsPart = INT32_MAX - 5;
    EXPECT_THROW(WriteHeaderBytes(doc, 700), EJwwRangeError);
}

TEST(HeaderSectionWriter, ClampsSettingsBItem7ForTargetsUpTo420)
{
    const std::tuple<int32_t, int32_t, int32_t> cases[] = {
        {-150, 420, -101}, {-150, 230, -101}, {-150, 421, -150}, {-150, 700, -150},
        {-102, 420, -101}, {-101, 420, -101}, {-100, 420, -100}, {-101, 700, -101},
        {-100, 700, -100}, {INT32_MIN, 420, -101}};
    for (const auto& [held, target, written] : cases) {
        SCOPED_TRACE(testing::Message() << held << " for target " << target);
        TJwwDocument doc = HeaderFields(700);
        doc.Header.SettingsB[6] = held;
        EXPECT_EQ(IntAt(WriteHeaderBytes(doc, target), SettingsBOffset + 6 * 4), written);
    }
}

TEST(HeaderSectionWriter, ZeroesSettingsAAndSettingsBItem6)
{
    TJwwDocument doc = HeaderFields(700);
    for (int i = 0; i < 14; ++i)
        doc.Header.SettingsA[i] = i + 1;
    for (int i = 0; i < 7; ++i)
        doc.Header.SettingsB[i] = 100 + i;
    const std::string out = WriteHeaderBytes(doc, 700);
    EXPECT_EQ(out.substr(SettingsAOffset, 56), std::string(56, '\0'));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(IntAt(out, SettingsBOffset + 4 * i), 100 + i);
    EXPECT_EQ(IntAt(out, SettingsBOffset + 20), 0);
    EXPECT_EQ(IntAt(out, SettingsBOffset + 24), 106);
    EXPECT_EQ(doc.Header.SettingsA[0], 1) << "the document is not changed by writing";
}

TEST(HeaderSectionWriter, CleansNamesButNotTheMemo)
{
    TJwwDocument fields = HeaderFields(700);
    fields.Header.Memo = "line 1\r\n^m\x01";
    fields.LayerTable[3].Name = "\x01\x02\r\n";
    fields.LayerTable[4].Name = "A^mB\tC";
    fields.LayerGroupTable[15].Name = "^m";
    fields.ColorExTable[0].Name = "\x1F" "colour";
    fields.LineTypeExTable[32].Name = "type\x05";
    fields.LineTypeExTable[1].Name = "";
    const TJwwDocument doc = ReadHeaderBytes(WrittenBack(fields, 700));
    EXPECT_EQ(doc.Header.Memo, fields.Header.Memo);
    EXPECT_EQ(doc.LayerTable[3].Name, " ");
    EXPECT_EQ(doc.LayerTable[4].Name, "ABC");
    EXPECT_EQ(doc.LayerGroupTable[15].Name, " ");
    EXPECT_EQ(doc.ColorExTable[0].Name, "colour");
    EXPECT_EQ(doc.LineTypeExTable[32].Name, "type");
    EXPECT_EQ(doc.LineTypeExTable[1].Name, "");
}

TEST(HeaderSectionWriter, LayoutFollowsTheTargetVersion)
{
    TJwwDocument fields = HeaderFields(700);
    FillHeaderWithRandomBits(fields, 42);
    const TJwwDocument doc = ReadHeaderBytes(BuildHeader(fields));
    for (int32_t target : {220, 230, 231, 300, 420, 700}) {
        SCOPED_TRACE(target);
        const std::string out = WriteHeaderBytes(doc, target);
        EXPECT_EQ(IntAt(out, 8), target);
        EXPECT_TRUE(SameBytes(out, BuildHeader(AfterWriterRules(fields, target))));
    }
}

TEST(HeaderSectionWriter, RefusesWhatWouldCorruptTheFile)
{
    TJwwDocument shortSignature = HeaderFields(700);
    shortSignature.Header.Magic = "JwwData";
    EXPECT_THROW(WriteHeaderBytes(shortSignature, 700), EJwwRangeError);

    TJwwDocument withoutTables;
    withoutTables.Header.Magic = "JwwData.";
    EXPECT_THROW(WriteHeaderBytes(withoutTables, 700), EJwwRangeError);
}

// ---------------------------------------------------------------------------------------------
// Recognition
// ---------------------------------------------------------------------------------------------

class HeaderFiles : public testing::Test {
protected:
    std::string Folder = TestFolder("header_section");

    std::string File(const std::string& name, const std::string& bytes)
    {
        WriteFileBytes(Folder + name, bytes);
        return Folder + name;
    }
};

TEST_F(HeaderFiles, IsJwwFileComparesTheFirstEightBytes)
{
    EXPECT_FALSE(IsJwwFile(File("empty.jww", "")));
    EXPECT_FALSE(IsJwwFile(File("seven.jww", "JwwData")));
    EXPECT_FALSE(IsJwwFile(File("lower.jww", "jwwData.xxxx")));
    EXPECT_FALSE(IsJwwFile(File("zero.jww", std::string("JwwData\0xxxx", 12))));
    EXPECT_FALSE(IsJwwFile(File("zero-first.jww", std::string("\0wwData.", 8))));
    EXPECT_TRUE(IsJwwFile(File("eight.jww", "JwwData.")));
    EXPECT_TRUE(IsJwwFile(File("garbage.jww", "JwwData." + std::string(1000, '\xFF'))));
    EXPECT_TRUE(IsJwwFile(File("drawing.jww", BuildHeader(HeaderFields(700)))));
    EXPECT_FALSE(IsJwwFile(Folder + "missing.jww"));
}

TEST_F(HeaderFiles, FileThatExistsButCannotBeOpenedRaises)
{
    EXPECT_THROW(IsJwwFile(Folder), EJwwIOError);

    TJwwDocument doc = HeaderFields(700);
    EXPECT_THROW(ReadJwwHeader(doc, Folder), EJwwIOError);
    EXPECT_TRUE(doc.LayerTable.empty()) << "the document is cleared before the file is opened";
    EXPECT_EQ(doc.Header.Version, 0);
}

TEST_F(HeaderFiles, ReadJwwHeaderKeepsOnlyWhatTheWindowNeeds)
{
    TJwwDocument fields = HeaderFields(700);
    FillHeaderWithRandomBits(fields, 5);
    const std::string path = File("full.jww", BuildHeader(fields) + Hex("00 00 00 00"));

    TJwwDocument doc = HeaderFields(420);
    FillHeaderWithRandomBits(doc, 6);
    doc.Header.EntityCount = 12;
    ASSERT_TRUE(ReadJwwHeader(doc, path));

    const THeader& h = doc.Header;
    EXPECT_EQ(h.Magic, "JwwData.");
    EXPECT_EQ(h.Version, 700);
    EXPECT_EQ(h.Memo, fields.Header.Memo);
    EXPECT_EQ(h.Settings0[0], fields.Header.Settings0[0]);
    EXPECT_EQ(DoubleBits(h.SettingsC.Lead[2]), DoubleBits(fields.Header.SettingsC.Lead[2]));
    EXPECT_EQ(h.SettingsC.Ints[0], fields.Header.SettingsC.Ints[0]);
    EXPECT_EQ(h.SettingsG.Ints2[0], fields.Header.SettingsG.Ints2[0]);

    EXPECT_EQ(h.Settings0[1], 0);
    EXPECT_EQ(h.SettingsA[0], 0);
    EXPECT_EQ(h.SettingsC.Lead[0], 0.0);
    EXPECT_EQ(h.SettingsC.Ints[1], 0);
    EXPECT_EQ(h.SettingsC.Tail[0], 1.0);
    EXPECT_EQ(h.SettingsG.Ints[0], 0);
    EXPECT_EQ(h.SettingsG.Ints2[1], 0);
    EXPECT_EQ(h.SettingsG.UnitsPart, 0);
    EXPECT_EQ(h.SettingsTableA[0].I1, -1);
    EXPECT_EQ(h.SettingsH.Int, 0);
    EXPECT_EQ(h.EntityCount, 12) << "clearing leaves the object count";
    EXPECT_TRUE(doc.LayerGroupTable.empty());
    EXPECT_TRUE(doc.LayerTable.empty());
    EXPECT_TRUE(doc.ColorExTable.empty());
    EXPECT_TRUE(doc.SettingsTableB.empty());
}

TEST_F(HeaderFiles, ReadJwwHeaderStopsBeforeTheSxfTables)
{
    TJwwDocument fields = HeaderFields(420);
    fields.LayerGroupTable[15].Name = "last group";
    const std::string bytes = BuildHeader(fields);
    const std::size_t afterGroupNames = bytes.find("last group") + 10;

    TJwwDocument doc;
    EXPECT_FALSE(ReadJwwHeader(doc, File("groups.jww", bytes.substr(0, afterGroupNames))));
    EXPECT_EQ(doc.Header.Version, 420) << "what was read before the end is kept";

    const std::string insideSxf = bytes.substr(0, bytes.size() - 2000);
    EXPECT_TRUE(ReadJwwHeader(doc, File("sxf.jww", insideSxf)));
    EXPECT_EQ(doc.Header.Version, 420);

    TJwwReader r = TJwwReader::FromBytes(insideSxf);
    TJwwDocument loaded;
    CreateHeaderTables(loaded);
    EXPECT_THROW(ReadHeaderSection(r, loaded), EJwwIOError);
}

TEST_F(HeaderFiles, ReadJwwHeaderOnOddFiles)
{
    TJwwDocument doc;
    EXPECT_FALSE(ReadJwwHeader(doc, File("empty.jww", "")));
    EXPECT_FALSE(ReadJwwHeader(doc, File("signature.jww", "JwwData.")));
    EXPECT_FALSE(ReadJwwHeader(doc, Folder + "missing.jww"));

    TJwwDocument old = HeaderFields(219);
    old.Header.Memo = "old";
    EXPECT_TRUE(ReadJwwHeader(doc, File("v219.jww", BuildHeader(old))));
    EXPECT_EQ(doc.Header.Version, 219);
    EXPECT_EQ(doc.Header.Memo, "old");

    TJwwDocument v222 = HeaderFields(222);
    v222.Header.SettingsG.Ints2[0] = 9;
    EXPECT_TRUE(ReadJwwHeader(doc, File("v222.jww", BuildHeader(v222) + Hex("01 02 03 04"))));
    EXPECT_EQ(doc.Header.SettingsG.Ints2[0], 0) << "version 222 has no such integer";

    TJwwDocument wrongSignature = HeaderFields(700);
    wrongSignature.Header.Magic = "NotJww!!";
    EXPECT_TRUE(ReadJwwHeader(doc, File("other.jww", BuildHeader(wrongSignature))));
    EXPECT_EQ(doc.Header.Magic, "NotJww!!");

    const std::string hugeMemo = Hex("4A 77 77 44 61 74 61 2E BC 02 00 00 FF FF FF FF FF FF 7F");
    EXPECT_FALSE(ReadJwwHeader(doc, File("huge-memo.jww", hugeMemo + std::string(5000, 'm'))));
    EXPECT_EQ(doc.Header.Memo, "");
}

TEST_F(HeaderFiles, ReadJwwHeaderWithoutDocumentFillsTheProgramsDocument)
{
    TJwwDocument fields = HeaderFields(600);
    fields.Header.Memo = "program";
    ASSERT_TRUE(ReadJwwHeader(File("program.jww", BuildHeader(fields))));
    EXPECT_EQ(JwwDoc.Header.Version, 600);
    EXPECT_EQ(JwwDoc.Header.Memo, "program");
    ClearJww();
}
