#include <gtest/gtest.h>

#include "tests/cli/CliTestSupport.h"

namespace {

class ConvertCommand : public TCliTest {
protected:
    TCliRun Convert(const std::string& from, const std::string& to,
                    std::vector<std::string> version)
    {
        version.insert(version.begin(), {"convert", Root + from, Root + to, "--target-version"});
        return Cli(version);
    }
};

std::vector<int32_t> KindsOf(const TEntityCollections& list)
{
    std::vector<int32_t> kinds;
    for (const TEntRef& ref : list.EntityOrder)
        kinds.push_back(ref.Kind);
    return kinds;
}

}  // namespace

TEST_F(ConvertCommand, Below420AnSxfDimensionIsSplitAndSxfLineTypesAreMapped)
{
    SaveSxfDrawing(Root + "in.jww");
    const TCliRun run = Convert("in.jww", "out.jww", {"351"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const std::string warning = "zelvane-cli convert: warning: ";
    EXPECT_EQ(run.Err, warning + "the SXF extended line colours and line types are dropped: a "
                                 "drawing before version 420 has no SXF tables\n" +
                           warning + "the extension lines and points of 1 dimension without SXF "
                                     "mode are dropped\n" +
                           warning + "1 dimension with an SXF mode split: the mode is dropped and "
                                     "the two extension lines and four points follow each "
                                     "dimension as separate objects\n" +
                           warning + "the SXF line types (31 to 62) of 4 objects become standard "
                                     "line types\n" +
                           warning + "the SXF colours (101 to 356) of 4 objects become standard "
                                     "colours\n");
    const auto out = LoadDrawing(Root + "out.jww");
    const TJwwDocument& doc = *out;
    EXPECT_EQ(doc.Header.Version, 351);
    EXPECT_EQ(KindsOf(doc), (std::vector<int32_t>{KindSen, KindSen, KindSen, KindTen, KindSunpo,
                                                  KindSen, KindSen, KindTen, KindTen, KindTen,
                                                  KindTen, KindSunpo}));
    ASSERT_EQ(doc.SenList.size(), 5u);
    EXPECT_EQ(std::tuple(doc.SenList[0].Base.PenStyle, doc.SenList[0].Base.PenColor),
              std::tuple(8, 4));
    EXPECT_EQ(doc.SenList[3].EndY, 5.0) << "the first extension line";
    EXPECT_EQ(doc.SenList[3].Base.PenStyle, 3);
    ASSERT_EQ(doc.TenList.size(), 5u);
    EXPECT_EQ(doc.TenList[4].X, 7.0);
    EXPECT_EQ(doc.TenList[4].Temporary, 1);
    EXPECT_EQ(doc.SunpoList[0].DimText.Text, "1000");
    EXPECT_EQ(doc.LineTypeExTable[5].Name, "");
    EXPECT_TRUE(Convert("in.jww", "300.jww", {"300"})
                    .Err.ends_with(warning + "the line widths of 6 objects are dropped: a drawing "
                                             "before version 351 has no line widths\n"));
    EXPECT_EQ(LoadDrawing(Root + "300.jww")->SenList.at(0).Base.PenWidth, 0);
    // From 420 on, dimensions and line types stay as they are.
    ASSERT_EQ(Convert("in.jww", "420.jww", {"420"}).Err, "");
    const auto kept = LoadDrawing(Root + "420.jww");
    EXPECT_EQ(KindsOf(*kept),
              (std::vector<int32_t>{KindSen, KindSen, KindSen, KindTen, KindSunpo, KindSunpo}));
    EXPECT_EQ(kept->SenList[0].Base.PenStyle, 35);
    EXPECT_EQ(kept->SunpoList[0].SxfMode, 1);
    EXPECT_EQ(kept->SunpoList[0].ExtLine1.Base.PenStyle, 33);
    EXPECT_EQ(kept->LineTypeExTable[5].Name, "SXF");
}

TEST_F(ConvertCommand, ImagesAreDroppedBelow700AndTheStringFormIsTheDrawingsOwnUnlessChosen)
{
    SaveGeneratedDrawing(Root + "in.jww", 700);
    ASSERT_EQ(Cli({"copy", Root + "in.jww", Root + "copy.jww"}).ExitCode, 0);
    const std::string copy = ReadFileBytes(Root + "copy.jww");
    std::vector<TBindImageType> images;
    LoadDrawing(Root + "in.jww", &images);
    ASSERT_FALSE(images.empty());
    EXPECT_EQ(Convert("in.jww", "600.jww", {"600"}).Err,
              "zelvane-cli convert: warning: " + std::to_string(images.size()) +
                  " embedded images dropped: a drawing before version 700 has no image section\n");
    EXPECT_EQ(Convert("600.jww", "800.jww", {"800"}).Err, "");
    EXPECT_EQ(LoadDrawing(Root + "800.jww")->Header.Version, 800);
    // The drawing's own version and string form give the plain copy.
    EXPECT_EQ(Convert("in.jww", "700.jww", {"700", "--strings", "byte"}).Err, "");
    EXPECT_TRUE(ReadFileBytes(Root + "700.jww") == copy);
    ASSERT_EQ(Convert("in.jww", "wide.jww", {"700", "--strings", "wide"}).ExitCode, 0);
    const auto wide = LoadDrawing(Root + "wide.jww");
    EXPECT_EQ(wide->StringForm, TStringForm::Wide);
    EXPECT_EQ(wide->LayerTable[17].Name, LoadDrawing(Root + "in.jww")->LayerTable[17].Name);
    ASSERT_EQ(Convert("wide.jww", "again.jww", {"800"}).ExitCode, 0);
    EXPECT_EQ(LoadDrawing(Root + "again.jww")->StringForm, TStringForm::Wide);
    ASSERT_EQ(Convert("wide.jww", "byte.jww", {"700", "--strings", "byte"}).ExitCode, 0);
    EXPECT_TRUE(ReadFileBytes(Root + "byte.jww") == copy);
}

TEST_F(ConvertCommand, BadTargetVersionsAreUsageErrorsAndFailedLoadsWriteNothing)
{
    SaveSxfDrawing(Root + "in.jww");
    for (const std::vector<std::string>& version : std::vector<std::vector<std::string>>{
             {}, {"299"}, {"231"}, {"220"}, {"65536"}, {"7.00"}, {"700", "--strings", "utf16"}}) {
        const TCliRun run = Convert("in.jww", "out.jww", version);
        EXPECT_EQ(run.ExitCode, 2) << ::testing::PrintToString(version);
        EXPECT_NE(run.Err, "");
    }
    const std::string drawing = ReadFileBytes(Root + "in.jww");
    WriteFileBytes(Root + "broken.jww", drawing.substr(0, drawing.size() - 10));
    const TCliRun broken = Convert("broken.jww", "out.jww", {"351"});
    const TCliRun itself = Convert("in.jww", "in.jww", {"351"});
    EXPECT_EQ(std::tie(broken.ExitCode, itself.ExitCode), std::tuple(1, 1));
    EXPECT_NE(broken.Err.find("could not be read completely"), std::string::npos) << broken.Err;
    EXPECT_NE(itself.Err.find("is the input file"), std::string::npos) << itself.Err;
    EXPECT_EQ(ReadFileBytes(Root + "in.jww"), drawing);
    EXPECT_EQ(Files(), (std::vector<std::string>{"broken.jww", "in.jww", "tmp"}));
    EXPECT_EQ(Cli({"convert", "--help"}).ExitCode, 0);
}
