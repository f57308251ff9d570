// Every input that once failed a fuzz target, replayed through that target's own checks; and
// whole drawings, cut at every length, through the load and round-trip checks, which shows the
// checks exercise what they claim to.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "fuzz/FuzzChecks.h"
#include "jww/jwwunit.h"
#include "tests/support/HeaderBuilder.h"
#include "tests/support/JwwBuilder.h"

namespace {

// A stored input: fuzz/regressions/<target>/<name>.hex, hexadecimal pairs with any spacing,
// after comment lines that start with '#'.
struct TRegressionInput {
    std::string Target;
    std::string Name;
    std::filesystem::path Path;
};

std::vector<TRegressionInput> RegressionInputs()
{
    std::vector<TRegressionInput> inputs;
    const std::filesystem::path root(ZELVANE_FUZZ_REGRESSIONS);
    if (!std::filesystem::is_directory(root))
        return inputs;
    for (const auto& folder : std::filesystem::directory_iterator(root)) {
        if (!folder.is_directory())
            continue;
        for (const auto& file : std::filesystem::directory_iterator(folder.path())) {
            if (file.path().extension() == ".hex")
                inputs.push_back({folder.path().filename().string(),
                                  file.path().stem().string(), file.path()});
        }
    }
    std::sort(inputs.begin(), inputs.end(), [](const auto& a, const auto& b) {
        return a.Path < b.Path;
    });
    return inputs;
}

std::string ReadHexInput(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::string pairs;
    for (std::string line; std::getline(in, line);) {
        if (!line.starts_with('#'))
            pairs += line;
    }
    return Hex(pairs);
}

std::string TestName(const ::testing::TestParamInfo<TRegressionInput>& info)
{
    std::string name = info.param.Target + "_" + info.param.Name;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)))
            c = '_';
    }
    return name;
}

std::string WholeDrawingHeader()
{
    TJwwDocument fields = HeaderFields(700);
    fields.Header.Memo = "memo";
    // Both settle only over several saves: the split integer goes to 3, then to 13, and the
    // name loses one caret-m pair per save.
    fields.Header.SettingsG.UnitsPart = -7;
    fields.LayerTable[17].Name = "LA^^^mmmYER";
    return BuildHeader(fields);
}

// A drawing of every section: a line and a text that refers to an image, a block definition
// holding a dimension and a text that refers to a second image, and both images.
std::string WholeDrawing()
{
    TJwwBuilder b;
    b.Raw(WholeDrawingHeader());
    b.Count(2).NewClass(700, "CDataSen").Base(0, 1, 2, 0, 3, 1, 0);
    b.Double(1).Double(2).Double(3).Double(4);
    b.NewClass(700, "CDataMoji").Base(0, 1, 2, 0, 0, 0, 0).Double(0).Double(0).Double(10);
    b.Double(0).Int(1).Double(3).Double(3).Double(0.5).Double(0).String("MS Gothic");
    b.String("^@BM%temp%A.BMP,320,240");

    b.Count(1).NewClass(700, "CDataList").Base(0, 0, 0, 0, 0, 0, 0).Int(1).Int(0).Int(0);
    b.String("BLOCK").Count(2).NewClass(700, "CDataSunpou").Base(0, 1, 1, 0, 0, 0, 0);
    b.Base(0, 1, 1, 0, 0, 0, 0).Double(0).Double(0).Double(10).Double(0);
    b.Base(0, 1, 1, 0, 0, 0, 0).Double(0).Double(1).Double(10).Double(1).Int(1);
    b.Double(2).Double(2).Double(0).Double(0).String("MS Gothic").String("10");
    b.Word(0);
    for (int line = 0; line < 2; ++line)
        b.Base(0, 1, 1, 0, 0, 0, 0).Double(0).Double(0).Double(1).Double(1);
    for (int point = 0; point < 4; ++point)
        b.Base(0, 1, 1, 0, 0, 0, 0).Double(0).Double(0).Int(0);
    b.ClassRef(3).Base(0, 1, 2, 0, 0, 0, 0).Double(0).Double(0).Double(10).Double(0).Int(1);
    b.Double(3).Double(3).Double(0.5).Double(0).String("MS Gothic").String("^@BM%temp%b.bmp,1");

    b.Int(2).String("A.BMP").Int(3).Raw("abc");
    b.String("B.BMP").Int(2049).Raw(std::string(2049, 'b'));
    return b.Bytes();
}

}  // namespace

class FuzzRegression : public ::testing::TestWithParam<TRegressionInput> {};

TEST_P(FuzzRegression, PassesTheChecksOfItsTarget)
{
    const TRegressionInput& input = GetParam();
    const std::string bytes = ReadHexInput(input.Path);
    ASSERT_FALSE(bytes.empty()) << input.Path;
    try {
        if (input.Target == "load")
            CheckLoad(bytes);
        else if (input.Target == "roundtrip")
            CheckRoundTrip(bytes);
        else if (input.Target == "text")
            CheckText(bytes);
        else if (input.Target == "render")
            CheckRender(bytes);
        else
            FAIL() << "no fuzz target named " << input.Target;
    } catch (const EFuzzCheckFailed& failed) {
        FAIL() << input.Path << ": " << failed.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Stored, FuzzRegression, ::testing::ValuesIn(RegressionInputs()), TestName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(FuzzRegression);

TEST(FuzzChecks, AWholeDrawingLoadsAndRoundTrips)
{
    const std::string drawing = WholeDrawing();
    EXPECT_EQ(CheckLoad(drawing), TLoadOutcome::Complete);
    EXPECT_EQ(CheckRoundTrip(drawing), TRoundTripOutcome::RoundTripped);
    EXPECT_NO_THROW(CheckRender(drawing));
}

TEST(FuzzChecks, EveryCutOfAWholeDrawingFailsCleanly)
{
    const std::string drawing = WholeDrawing();
    // A drawing that ends inside the data of its last image still loads, with a shorter image.
    const std::size_t lastImageData = drawing.size() - 2049;
    // Every cut in the lists and the image entries; inside the header and the last image's
    // data, enough cuts to reach each of their parts.
    const std::size_t headerSize = WholeDrawingHeader().size();
    const auto step = [&](std::size_t length) -> std::size_t {
        return length < headerSize || length > lastImageData + 8 ? 97 : 1;
    };
    for (std::size_t length = 0; length < drawing.size(); length += step(length)) {
        const std::string cut = drawing.substr(0, length);
        SCOPED_TRACE(length);
        const bool complete = length >= lastImageData;
        EXPECT_EQ(CheckLoad(cut), complete ? TLoadOutcome::Complete : TLoadOutcome::Incomplete);
        // What a load read only partly is never saved.
        EXPECT_EQ(CheckRoundTrip(cut),
                  complete ? TRoundTripOutcome::RoundTripped : TRoundTripOutcome::NotSaved);
        // Pictures take longer: a share of the cuts, spread over every part.
        if (length % 11 == 0) {
            EXPECT_NO_THROW(CheckRender(cut));
        }
    }
}

TEST(FuzzChecks, TextChecksTakeTheirParametersAheadOfTheText)
{
    // p = 1, c = 7 over four double-byte characters, a control byte and a caret-m pair.
    EXPECT_NO_THROW(CheckText(Hex("01000000 07000000 82A0 82A2 82A4 82A6 0D 5E6D 41")));
    EXPECT_NO_THROW(CheckText(Hex("FFFFFF7F FFFFFF7F 3132")));
    EXPECT_NO_THROW(CheckText(""));
}
