// Whole drawings in the wide string form, generated with every object kind, block definitions
// and images.
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
    // The generated drawing saved in both forms; its memo is "memo".
    void SetUp() override
    {
        GenerateDrawing(Generated, {.Version = GetParam()});
        Generated.Header.Memo = "memo";
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

TEST_P(WideDrawing, LoadsWithTheSameValuesAsItsByteFormTwinAndRoundTripsByteForByte)
{
    EXPECT_EQ(Wide.substr(MemoOffset, 6), Hex("FF FE FF 04 6D 00"));
    TJwwDocument fromWide;
    ASSERT_TRUE(Loads(fromWide, Wide));
    EXPECT_EQ(fromWide.StringForm, TStringForm::Wide);
    EXPECT_FALSE(fromWide.LossyStrings);
    EXPECT_EQ(Saved(fromWide), Wide);
    ASSERT_TRUE(Loads(fromWide, Saved(fromWide)));
    EXPECT_EQ(Saved(fromWide), Wide);
    // Written in one form, both documents must give the same file.
    TJwwDocument fromBytes;
    ASSERT_TRUE(Loads(fromBytes, ByteForm));
    EXPECT_EQ(fromBytes.StringForm, TStringForm::Byte);
    fromWide.StringForm = TStringForm::Byte;
    EXPECT_EQ(Saved(fromWide), Saved(fromBytes));
}

TEST_P(WideDrawing, AnEditedLayerNameIsWrittenInTheWideForm)
{
    TJwwDocument loaded;
    ASSERT_TRUE(Loads(loaded, Wide));
    loaded.LayerTable.at(17).Name = Utf8ToCp932("新しい壁");
    const std::string saved = Saved(loaded);
    EXPECT_NE(saved.find(WideForm(u"新しい壁")), std::string::npos);
    TJwwDocument reloaded;
    ASSERT_TRUE(Loads(reloaded, saved));
    EXPECT_EQ(reloaded.LayerTable.at(17).Name, Utf8ToCp932("新しい壁"));
    EXPECT_EQ(reloaded.StringForm, TStringForm::Wide);
}

TEST_P(WideDrawing, ALossyCharacterIsReplacedAndReportedAndAMixedFileFailsTheLoad)
{
    // The memo's "e" (U+0065) becomes U+00E9, which code page 932 cannot hold.
    std::string lossy = Wide;
    lossy[MemoOffset + 6] = static_cast<char>(0xE9);
    TJwwDocument loaded;
    ASSERT_TRUE(Loads(loaded, lossy));
    EXPECT_TRUE(loaded.LossyStrings);
    EXPECT_EQ(loaded.Header.Memo, "m?mo");

    // A wide memo followed by names in the byte form.
    ASSERT_EQ(ByteForm.substr(MemoOffset, 5), Hex("04") + "memo");
    const std::string mixed =
        ByteForm.substr(0, MemoOffset) + WideForm(u"memo") + ByteForm.substr(MemoOffset + 5);
    TJwwDocument misread;
    EXPECT_FALSE(Loads(misread, mixed));
    EXPECT_EQ(misread.Header.Memo, "memo");
    EXPECT_TRUE(misread.LayerTable.at(0).Name.empty());
}

INSTANTIATE_TEST_SUITE_P(Versions, WideDrawing, ::testing::Values(420, 700));
