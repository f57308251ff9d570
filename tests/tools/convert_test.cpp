#include <gtest/gtest.h>

#include "tests/tools/CliTestSupport.h"

namespace {

class ConvertCommand : public TCliTest {
protected:
    bool OutputExists() const { return std::filesystem::exists(Root + "out.jww"); }
};

std::vector<int32_t> KindsOf(const TEntityCollections& list)
{
    std::vector<int32_t> kinds;
    for (const TEntRef& ref : list.EntityOrder)
        kinds.push_back(ref.Kind);
    return kinds;
}

// A line with SXF line type 35 and SXF colour 105, a dimension with SXF mode 1 whose first
// extension line has SXF line type 33, a dimension without SXF mode, and one named SXF line type.
void SaveSxfDrawing(const std::string& path)
{
    TSmallDrawing drawing(700);
    TJwwDocument& doc = *drawing.Doc;
    doc.LineTypeExTable[5].Name = "SXF";
    TEntSen line;
    line.Base = BaseWith(35, 105);
    line.EndX = 10.0;
    TEntSunpo withMode;
    withMode.Base = BaseWith(1, 2);
    withMode.DimLine.Base = BaseWith(1, 2);
    withMode.DimText.Base = BaseWith(1, 2);
    withMode.DimText.Text = "1000";
    withMode.SxfMode = 1;
    withMode.ExtLine1.Base = BaseWith(33, 2);
    withMode.ExtLine1.EndY = 5.0;
    withMode.ExtLine2.Base = BaseWith(1, 2);
    for (TEntTen* point : {&withMode.Point1, &withMode.Point2, &withMode.ExtPoint1,
                           &withMode.ExtPoint2})
        point->Base = BaseWith(1, 2);
    withMode.ExtPoint2.X = 7.0;
    TEntSunpo withoutMode = withMode;
    withoutMode.SxfMode = 0;
    drawing.Add(doc.SenList, KindSen, line)
        .Add(doc.SunpoList, KindSunpo, withMode)
        .Add(doc.SunpoList, KindSunpo, withoutMode);
    drawing.Save(path);
}

}  // namespace

TEST_F(ConvertCommand, Below420AnSxfDimensionIsSplitAndSxfLineTypesAreMapped)
{
    SaveSxfDrawing(Root + "in.jww");
    const TCliRun run = Cli({"convert", Root + "in.jww", Root + "out.jww", "--target-version", "351"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Err,
              "zelvane-cli convert: warning: the SXF extended line colours and line types are "
              "dropped: a drawing before version 420 has no SXF tables\n"
              "zelvane-cli convert: warning: the extension lines and points of 1 dimension "
              "without SXF mode are dropped\n"
              "zelvane-cli convert: warning: 1 dimension with an SXF mode split: the mode is "
              "dropped and the two extension lines and four points follow each dimension as "
              "separate objects\n"
              "zelvane-cli convert: warning: the SXF line types (31 to 62) of 2 objects become "
              "standard line types\n"
              "zelvane-cli convert: warning: the SXF colours (101 to 356) of 1 object become "
              "standard colours\n");

    const TLoadedDrawing out = LoadDrawing(Root + "out.jww");
    const TJwwDocument& doc = *out.Doc;
    EXPECT_EQ(doc.Header.Version, 351);
    EXPECT_EQ(KindsOf(doc), (std::vector<int32_t>{KindSen, KindSunpo, KindSen, KindSen, KindTen,
                                                  KindTen, KindTen, KindTen, KindSunpo}));
    ASSERT_EQ(doc.SenList.size(), 3u);
    EXPECT_EQ(doc.SenList[0].Base.PenStyle, 8);
    EXPECT_EQ(doc.SenList[0].Base.PenColor, 4);
    EXPECT_EQ(doc.SenList[1].EndY, 5.0) << "the first extension line";
    EXPECT_EQ(doc.SenList[1].Base.PenStyle, 3);
    ASSERT_EQ(doc.TenList.size(), 4u);
    EXPECT_EQ(doc.TenList[3].X, 7.0);
    EXPECT_EQ(doc.TenList[3].Temporary, 1);
    EXPECT_EQ(doc.SunpoList[0].DimText.Text, "1000");
    EXPECT_EQ(doc.LineTypeExTable[5].Name, "");

    const TCliRun oldest = Cli({"convert", Root + "in.jww", Root + "300.jww", "--target-version",
                                "300"});
    ASSERT_EQ(oldest.ExitCode, 0) << oldest.Err;
    EXPECT_TRUE(oldest.Err.ends_with("zelvane-cli convert: warning: the line widths of 3 objects "
                                     "are dropped: a drawing before version 351 has no line "
                                     "widths\n"))
        << oldest.Err;
    EXPECT_EQ(LoadDrawing(Root + "300.jww").Doc->SenList.at(0).Base.PenWidth, 0);
}

TEST_F(ConvertCommand, At420AndAboveDimensionsAndLineTypesStayAsTheyAre)
{
    SaveSxfDrawing(Root + "in.jww");
    const TCliRun run = Cli({"convert", Root + "in.jww", Root + "out.jww", "--target-version", "420"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(run.Err.empty()) << run.Err;
    const TLoadedDrawing out = LoadDrawing(Root + "out.jww");
    EXPECT_EQ(out.Doc->Header.Version, 420);
    EXPECT_EQ(KindsOf(*out.Doc), (std::vector<int32_t>{KindSen, KindSunpo, KindSunpo}));
    EXPECT_EQ(out.Doc->SenList[0].Base.PenStyle, 35);
    EXPECT_EQ(out.Doc->SunpoList[0].SxfMode, 1);
    EXPECT_EQ(out.Doc->SunpoList[0].ExtLine1.Base.PenStyle, 33);
    EXPECT_EQ(out.Doc->LineTypeExTable[5].Name, "SXF");
}

TEST_F(ConvertCommand, ImagesAreDroppedBelow700AndKeptAbove)
{
    SaveGeneratedDrawing(Root + "in.jww", 700);
    ASSERT_EQ(Cli({"copy", Root + "in.jww", Root + "copy.jww"}).ExitCode, 0);
    const std::size_t images = LoadDrawing(Root + "in.jww").Images.size();
    ASSERT_GT(images, 0u);

    const TCliRun down = Cli({"convert", Root + "in.jww", Root + "600.jww", "--target-version", "600"});
    ASSERT_EQ(down.ExitCode, 0) << down.Err;
    EXPECT_EQ(down.Err, "zelvane-cli convert: warning: " + std::to_string(images) +
                            " embedded images dropped: a drawing before version 700 has no image "
                            "section\n");
    const TCliRun up = Cli({"convert", Root + "600.jww", Root + "800.jww", "--target-version", "800"});
    ASSERT_EQ(up.ExitCode, 0) << up.Err;
    EXPECT_TRUE(up.Err.empty());
    EXPECT_EQ(LoadDrawing(Root + "800.jww").Doc->Header.Version, 800);

    // The drawing's own version and string form give the plain copy.
    const TCliRun same = Cli({"convert", Root + "in.jww", Root + "700.jww", "--target-version",
                              "700", "--strings", "byte"});
    ASSERT_EQ(same.ExitCode, 0) << same.Err;
    EXPECT_TRUE(same.Err.empty());
    EXPECT_TRUE(ReadFileBytes(Root + "700.jww") == ReadFileBytes(Root + "copy.jww"));
}

TEST_F(ConvertCommand, TheStringFormIsTheDrawingsOwnUnlessChosen)
{
    SaveGeneratedDrawing(Root + "in.jww", 700);
    ASSERT_EQ(Cli({"copy", Root + "in.jww", Root + "copy.jww"}).ExitCode, 0);
    const TCliRun wide = Cli({"convert", Root + "in.jww", Root + "wide.jww", "--target-version",
                              "700", "--strings", "wide"});
    ASSERT_EQ(wide.ExitCode, 0) << wide.Err;
    const TLoadedDrawing loaded = LoadDrawing(Root + "wide.jww");
    EXPECT_EQ(loaded.Doc->StringForm, TStringForm::Wide);
    const TLoadedDrawing original = LoadDrawing(Root + "in.jww");
    for (std::size_t g = 0; g < original.Doc->LayerGroupTable.size(); ++g)
        EXPECT_EQ(loaded.Doc->LayerGroupTable.at(g).Name, original.Doc->LayerGroupTable[g].Name);

    const TCliRun stillWide = Cli({"convert", Root + "wide.jww", Root + "again.jww",
                                   "--target-version", "800"});
    ASSERT_EQ(stillWide.ExitCode, 0) << stillWide.Err;
    EXPECT_EQ(LoadDrawing(Root + "again.jww").Doc->StringForm, TStringForm::Wide);

    const TCliRun back = Cli({"convert", Root + "wide.jww", Root + "byte.jww", "--target-version",
                              "700", "--strings", "byte"});
    ASSERT_EQ(back.ExitCode, 0) << back.Err;
    EXPECT_TRUE(ReadFileBytes(Root + "byte.jww") == ReadFileBytes(Root + "copy.jww"));
}

TEST_F(ConvertCommand, BadTargetVersionsAreUsageErrorsAndFailedLoadsWriteNothing)
{
    SaveSxfDrawing(Root + "in.jww");
    for (const std::vector<std::string>& extra : std::vector<std::vector<std::string>>{
             {},
             {"--target-version", "299"},
             {"--target-version", "231"},
             {"--target-version", "220"},
             {"--target-version", "65536"},
             {"--target-version", "7.00"},
             {"--target-version", "seven"},
             {"--target-version", "700", "--strings", "utf16"}}) {
        std::vector<std::string> args{"convert", Root + "in.jww", Root + "out.jww"};
        args.insert(args.end(), extra.begin(), extra.end());
        const TCliRun run = Cli(args);
        EXPECT_EQ(run.ExitCode, 2) << ::testing::PrintToString(extra);
        EXPECT_FALSE(run.Err.empty());
        EXPECT_FALSE(OutputExists());
    }

    const std::string drawing = ReadFileBytes(Root + "in.jww");
    WriteFileBytes(Root + "broken.jww", drawing.substr(0, drawing.size() - 10));
    const TCliRun broken = Cli({"convert", Root + "broken.jww", Root + "out.jww",
                                "--target-version", "351"});
    EXPECT_EQ(broken.ExitCode, 1);
    EXPECT_NE(broken.Err.find("could not be read completely"), std::string::npos) << broken.Err;
    const TCliRun itself = Cli({"convert", Root + "in.jww", Root + "in.jww", "--target-version",
                                "351"});
    EXPECT_EQ(itself.ExitCode, 1);
    EXPECT_NE(itself.Err.find("is the input file"), std::string::npos) << itself.Err;
    EXPECT_EQ(ReadFileBytes(Root + "in.jww"), drawing);
    EXPECT_EQ(OtherFiles({"in.jww", "broken.jww"}), std::vector<std::string>{});
    EXPECT_EQ(Cli({"convert", "--help"}).ExitCode, 0);
}
