#include <gtest/gtest.h>

#include <string>

#include "jww/jwwunit.h"
#include "tests/support/JwwBuilder.h"
#include "text/Cp932.h"
#include "tools/DrawingGenerator.h"
#include "tools/PrivateImageFolder.h"

namespace {

// The memo is the first string of every drawing, right behind the signature and the version.
constexpr std::size_t MemoOffset = 12;

std::string Saved(const TJwwDocument& doc)
{
    std::string bytes;
    TJwwWriter w(&bytes);
    EXPECT_TRUE(SaveJww(doc, w, doc.Header.Version));
    return bytes;
}

bool Loads(TJwwDocument& doc, const std::string& bytes)
{
    TJwwReader r = TJwwReader::FromBytes(bytes);
    return LoadJww(doc, r);
}

std::string WideForm(std::u16string_view text)
{
    TJwwBuilder b;
    b.Byte(0xFF).Word(0xFFFE).Byte(static_cast<uint8_t>(text.size()));
    for (char16_t unit : text)
        b.Word(unit);
    return b.Bytes();
}

class WideDrawing : public ::testing::TestWithParam<int32_t> {
protected:
    void SetUp() override
    {
        TGeneratorOptions options;
        options.Version = GetParam();
        GenerateDrawing(Generated, options);
        ByteForm = Saved(Generated);
        Generated.StringForm = TStringForm::Wide;
        Wide = Saved(Generated);
    }

    TPrivateImageFolder Images;
    TJwwDocument Generated;
    std::string ByteForm;
    std::string Wide;
};

}  // namespace

TEST_P(WideDrawing, LoadsWithTheSameValuesAsItsByteFormTwin)
{
    ASSERT_NE(Wide, ByteForm);
    EXPECT_EQ(Wide.substr(MemoOffset, 3), Hex("FF FE FF"));

    TJwwDocument fromWide;
    ASSERT_TRUE(Loads(fromWide, Wide));
    EXPECT_EQ(fromWide.StringForm, TStringForm::Wide);
    EXPECT_FALSE(fromWide.LossyStrings);

    TJwwDocument fromBytes;
    ASSERT_TRUE(Loads(fromBytes, ByteForm));
    EXPECT_EQ(fromBytes.StringForm, TStringForm::Byte);

    // Written in one form, both documents must give the same file.
    fromWide.StringForm = TStringForm::Byte;
    EXPECT_EQ(Saved(fromWide), Saved(fromBytes));
}

TEST_P(WideDrawing, RoundTripsByteForByte)
{
    TJwwDocument loaded;
    ASSERT_TRUE(Loads(loaded, Wide));
    const std::string first = Saved(loaded);
    EXPECT_EQ(first, Wide);
    ASSERT_TRUE(Loads(loaded, first));
    EXPECT_EQ(Saved(loaded), first);
}

TEST_P(WideDrawing, EditedLayerNameIsWrittenInTheWideForm)
{
    TJwwDocument loaded;
    ASSERT_TRUE(Loads(loaded, Wide));
    const std::string name = Utf8ToCp932("新しい壁");
    loaded.LayerTable.at(17).Name = name;
    const std::string saved = Saved(loaded);
    EXPECT_NE(saved.find(WideForm(u"新しい壁")), std::string::npos);

    TJwwDocument reloaded;
    ASSERT_TRUE(Loads(reloaded, saved));
    EXPECT_EQ(reloaded.LayerTable.at(17).Name, name);
    EXPECT_EQ(reloaded.StringForm, TStringForm::Wide);
}

INSTANTIATE_TEST_SUITE_P(Versions, WideDrawing, ::testing::Values(420, 700));

TEST(WideDrawingText, CharacterOutsideCodePage932IsReplacedAndReported)
{
    TPrivateImageFolder images;
    TJwwDocument doc;
    GenerateDrawing(doc, TGeneratorOptions{});
    doc.Header.Memo = "memo";
    doc.StringForm = TStringForm::Wide;
    std::string bytes = Saved(doc);
    // Replace the memo's "e" (U+0065) by U+00E9, which code page 932 cannot hold.
    ASSERT_EQ(bytes.substr(MemoOffset, 6), Hex("FF FE FF 04 6D 00"));
    bytes[MemoOffset + 6] = static_cast<char>(0xE9);

    TJwwDocument loaded;
    ASSERT_TRUE(Loads(loaded, bytes));
    EXPECT_TRUE(loaded.LossyStrings);
    EXPECT_EQ(loaded.Header.Memo, "m?mo");
}

TEST(WideDrawingText, WideMemoFollowedByByteFormNamesFailsTheLoad)
{
    TPrivateImageFolder images;
    TJwwDocument doc;
    GenerateDrawing(doc, TGeneratorOptions{});
    doc.Header.Memo = "memo";
    const std::string byteForm = Saved(doc);
    ASSERT_EQ(byteForm.substr(MemoOffset, 5), Hex("04") + "memo");
    const std::string mixed =
        byteForm.substr(0, MemoOffset) + WideForm(u"memo") + byteForm.substr(MemoOffset + 5);

    TJwwDocument loaded;
    EXPECT_FALSE(Loads(loaded, mixed));
    EXPECT_EQ(loaded.Header.Memo, "memo");
    EXPECT_TRUE(loaded.LayerTable.at(0).Name.empty());
}
