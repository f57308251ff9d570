// Whole drawings in the wide string form, generated with every object kind, block definitions
// and images.
#include <gtest/gtest.h>

#include "tests/cli/CliTestSupport.h"
#include "text/Cp932.h"

namespace {

// The memo is the first string of every drawing, right behind the signature and the version.
constexpr std::size_t MemoOffset = 12;

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
    EXPECT_NE(saved.find(Hex("FF FE FF 04 B0 65 57 30 44 30 C1 58")), std::string::npos);
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
        ByteForm.substr(0, MemoOffset) + Hex("FF FE FF 04 6D 00 65 00 6D 00 6F 00") +
        ByteForm.substr(MemoOffset + 5);
    TJwwDocument misread;
    EXPECT_FALSE(Loads(misread, mixed));
    EXPECT_EQ(misread.Header.Memo, "memo");
    EXPECT_TRUE(misread.LayerTable.at(0).Name.empty());
}

INSTANTIATE_TEST_SUITE_P(Versions, WideDrawing, ::testing::Values(420, 700));
