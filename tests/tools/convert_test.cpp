#include <gtest/gtest.h>

#include "tests/tools/CliTestSupport.h"

namespace {

class ConvertCommand : public TCliTest {
protected:
    TCliRun Convert(const std::string& from, const std::string& to, std::vector<std::string> options)
    {
        options.insert(options.begin(), {"convert", Root + from, Root + to, "--target-version"});
        return Cli(options);
    }
};

std::vector<int32_t> KindsOf(const TEntityCollections& list)
{
    std::vector<int32_t> kinds;
    for (const TEntRef& ref : list.EntityOrder)
        kinds.push_back(ref.Kind);
    return kinds;
}

// A line with SXF line type 35 and SXF colour 105, a dimension with SXF mode 1 whose first
// extension line has SXF line type 33, the same dimension without SXF mode, and one named SXF
// line type.
void SaveSxfDrawing(const std::string& path)
{
    TSmallDrawing drawing(700);
    TJwwDocument& doc = *drawing.Doc;
    doc.LineTypeExTable[5].Name = "SXF";
    TEntSen line{BaseWith(35, 105), 0, 0, 10.0, 0};
    TEntSunpo withMode;
    for (TEntBase* base : {&withMode.Base, &withMode.DimLine.Base, &withMode.DimText.Base,
                           &withMode.ExtLine2.Base, &withMode.Point1.Base, &withMode.Point2.Base,
                           &withMode.ExtPoint1.Base, &withMode.ExtPoint2.Base})
        *base = BaseWith(1, 2);
    withMode.DimText.Text = "1000";
    withMode.SxfMode = 1;
    withMode.ExtLine1 = {BaseWith(33, 2), 0, 0, 0, 5.0};
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
                           warning + "the SXF line types (31 to 62) of 2 objects become standard "
                                     "line types\n" +
                           warning + "the SXF colours (101 to 356) of 1 object become standard "
                                     "colours\n");
    const TLoadedDrawing out = LoadDrawing(Root + "out.jww");
    const TJwwDocument& doc = *out.Doc;
    EXPECT_EQ(doc.Header.Version, 351);
    EXPECT_EQ(KindsOf(doc), (std::vector<int32_t>{KindSen, KindSunpo, KindSen, KindSen, KindTen,
                                                  KindTen, KindTen, KindTen, KindSunpo}));
    ASSERT_EQ(doc.SenList.size(), 3u);
    EXPECT_EQ(doc.SenList[0].Base.PenStyle + 1000 * doc.SenList[0].Base.PenColor, 8 + 4000);
    EXPECT_EQ(doc.SenList[1].EndY, 5.0) << "the first extension line";
    EXPECT_EQ(doc.SenList[1].Base.PenStyle, 3);
    ASSERT_EQ(doc.TenList.size(), 4u);
    EXPECT_EQ(doc.TenList[3].X, 7.0);
    EXPECT_EQ(doc.TenList[3].Temporary, 1);
    EXPECT_EQ(doc.SunpoList[0].DimText.Text, "1000");
    EXPECT_EQ(doc.LineTypeExTable[5].Name, "");

    const TCliRun oldest = Convert("in.jww", "300.jww", {"300"});
    ASSERT_EQ(oldest.ExitCode, 0) << oldest.Err;
    EXPECT_TRUE(oldest.Err.ends_with(warning + "the line widths of 3 objects are dropped: a "
                                               "drawing before version 351 has no line widths\n"))
        << oldest.Err;
    EXPECT_EQ(LoadDrawing(Root + "300.jww").Doc->SenList.at(0).Base.PenWidth, 0);

    // From 420 on, dimensions and line types stay as they are.
    ASSERT_EQ(Convert("in.jww", "420.jww", {"420"}).Err, "");
    const TLoadedDrawing kept = LoadDrawing(Root + "420.jww");
    EXPECT_EQ(KindsOf(*kept.Doc), (std::vector<int32_t>{KindSen, KindSunpo, KindSunpo}));
    EXPECT_EQ(kept.Doc->SenList[0].Base.PenStyle, 35);
    EXPECT_EQ(kept.Doc->SunpoList[0].SxfMode, 1);
    EXPECT_EQ(kept.Doc->SunpoList[0].ExtLine1.Base.PenStyle, 33);
    EXPECT_EQ(kept.Doc->LineTypeExTable[5].Name, "SXF");
}

TEST_F(ConvertCommand, ImagesAreDroppedBelow700AndTheStringFormIsTheDrawingsOwnUnlessChosen)
{
    SaveGeneratedDrawing(Root + "in.jww", 700);
    ASSERT_EQ(Cli({"copy", Root + "in.jww", Root + "copy.jww"}).ExitCode, 0);
    const std::string copy = ReadFileBytes(Root + "copy.jww");
    const std::size_t images = LoadDrawing(Root + "in.jww").Images.size();
    ASSERT_GT(images, 0u);
    EXPECT_EQ(Convert("in.jww", "600.jww", {"600"}).Err,
              "zelvane-cli convert: warning: " + std::to_string(images) +
                  " embedded images dropped: a drawing before version 700 has no image section\n");
    EXPECT_EQ(Convert("600.jww", "800.jww", {"800"}).Err, "");
    EXPECT_EQ(LoadDrawing(Root + "800.jww").Doc->Header.Version, 800);
    // The drawing's own version and string form give the plain copy.
    EXPECT_EQ(Convert("in.jww", "700.jww", {"700", "--strings", "byte"}).Err, "");
    EXPECT_TRUE(ReadFileBytes(Root + "700.jww") == copy);

    ASSERT_EQ(Convert("in.jww", "wide.jww", {"700", "--strings", "wide"}).ExitCode, 0);
    const TLoadedDrawing wide = LoadDrawing(Root + "wide.jww");
    EXPECT_EQ(wide.Doc->StringForm, TStringForm::Wide);
    EXPECT_EQ(wide.Doc->LayerTable.at(17).Name, LoadDrawing(Root + "in.jww").Doc->LayerTable[17].Name);
    ASSERT_EQ(Convert("wide.jww", "again.jww", {"800"}).ExitCode, 0);
    EXPECT_EQ(LoadDrawing(Root + "again.jww").Doc->StringForm, TStringForm::Wide);
    ASSERT_EQ(Convert("wide.jww", "byte.jww", {"700", "--strings", "byte"}).ExitCode, 0);
    EXPECT_TRUE(ReadFileBytes(Root + "byte.jww") == copy);
}

TEST_F(ConvertCommand, BadTargetVersionsAreUsageErrorsAndFailedLoadsWriteNothing)
{
    SaveSxfDrawing(Root + "in.jww");
    for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
             {"299"}, {"231"}, {"220"}, {"65536"}, {"7.00"}, {"seven"},
             {"700", "--strings", "utf16"}}) {
        const TCliRun run = Convert("in.jww", "out.jww", options);
        EXPECT_EQ(run.ExitCode, 2) << ::testing::PrintToString(options);
        EXPECT_FALSE(run.Err.empty());
    }
    EXPECT_EQ(Cli({"convert", Root + "in.jww", Root + "out.jww"}).ExitCode, 2);
    const std::string drawing = ReadFileBytes(Root + "in.jww");
    WriteFileBytes(Root + "broken.jww", drawing.substr(0, drawing.size() - 10));
    const TCliRun broken = Convert("broken.jww", "out.jww", {"351"});
    EXPECT_EQ(broken.ExitCode, 1);
    EXPECT_NE(broken.Err.find("could not be read completely"), std::string::npos) << broken.Err;
    const TCliRun itself = Convert("in.jww", "in.jww", {"351"});
    EXPECT_EQ(itself.ExitCode, 1);
    EXPECT_NE(itself.Err.find("is the input file"), std::string::npos) << itself.Err;
    EXPECT_EQ(ReadFileBytes(Root + "in.jww"), drawing);
    EXPECT_EQ(OtherFiles({"in.jww", "broken.jww"}), std::vector<std::string>{});
    EXPECT_EQ(Cli({"convert", "--help"}).ExitCode, 0);
}
