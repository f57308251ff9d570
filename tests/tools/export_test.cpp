#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/tools/CliTestSupport.h"
#include "tools/Csv.h"
#include "ui/Messages.h"

namespace {

// Two lines with SXF colour 101 and line type 31 on layer 2 of group 3, a point with colour
// 356 on the same layer, and a dimension, which the counts leave out.
class ExportCommand : public TCliTest {
protected:
    void SetUp() override
    {
        TCliTest::SetUp();
        TSmallDrawing drawing(700);
        TJwwDocument& doc = *drawing.Doc;
        doc.LayerTable[3 * 16 + 2].Name = "\x95\xC7, \"A\"";  // 壁, "A"
        doc.ColorExTable[1].PointRadius = 0.000001;
        doc.ColorExTable[256].Name = "last";
        doc.LineTypeExTable[1].Pattern = -65536;
        doc.LineTypeExTable[1].Pitches[0] = 0.5;
        const TEntSen line{BaseWith(31, 101, 3, 2)};
        TEntSunpo dimension;
        dimension.Base = BaseWith(1, 101, 3, 2);
        drawing.Add(doc.SenList, KindSen, line)
            .Add(doc.SenList, KindSen, line)
            .Add(doc.TenList, KindTen, TEntTen{BaseWith(1, 356, 3, 2)})
            .Add(doc.SunpoList, KindSunpo, dimension);
        drawing.Save(Root + "in.jww");
    }

    TCliRun Export(std::vector<std::string> options)
    {
        options.insert(options.begin(), {"export", Root + "in.jww"});
        return Cli(options);
    }
};

}  // namespace

TEST_F(ExportCommand, OneTableAsCsvInTheWindowsTextsWithACountPerRow)
{
    const TCliRun layers = Export({"--table", "layers"});
    ASSERT_EQ(layers.ExitCode, 0) << layers.Err;
    EXPECT_EQ(layers.Err, "");
    EXPECT_TRUE(layers.Out.starts_with("\xEF\xBB\xBFNo.,レイヤ名,要素数\r\n0,,0\r\n"));
    EXPECT_NE(layers.Out.find("\r\n50,\"壁, \"\"A\"\"\",3\r\n51,,0\r\n"), std::string::npos);
    EXPECT_TRUE(layers.Out.ends_with("\r\n255,,0\r\n"));
    EXPECT_EQ(ParseCsv(layers.Out).size(), 257u);
    EXPECT_NE(Export({"--table", "groups"}).Out.find("\r\n3,,3\r\n"), std::string::npos);
    const std::string colors = Export({"--table", "colors"}).Out;
    EXPECT_TRUE(colors.starts_with("\xEF\xBB\xBFNo.,線色名,画面色,画面線幅,印刷色,印刷線幅,点半径,"
                                   "要素数\r\n1,,0,0,0,0,1E-6,2\r\n"));
    EXPECT_TRUE(colors.ends_with("\r\n256,last,0,0,0,0,0,1\r\n"));
    EXPECT_TRUE(Export({"--table", "linetypes"})
                    .Out.starts_with("\xEF\xBB\xBFNo.,線種名,パターン,1ﾕﾆｯﾄのﾄﾞｯﾄ数,画面ピッチ,"
                                     "印刷ピッチ,セグメント数,P0,P1,P2,P3,P4,P5,P6,P7,要素数\r\n"
                                     "1,,FFFF0000,0,0,0,0,0.5,0,0,0,0,0,0,0,2\r\n"));
    // Code page 932 carries the drawing's bytes, without a byte-order mark.
    const TCliRun cp932 = Export({"--table", "layers", "--encoding", "cp932"});
    EXPECT_TRUE(cp932.Out.starts_with("No.," + std::string(HeadLayerName) + "," +
                                      std::string(HeadElementCount) + "\r\n0,,0\r\n"));
    EXPECT_NE(cp932.Out.find("\r\n50,\"\x95\xC7, \"\"A\"\"\",3\r\n"), std::string::npos);
}

TEST_F(ExportCommand, AllTablesShareOneHeaderAsCsvOrNameTheirRowsInJson)
{
    const std::vector<TCsvRecord> records = ParseCsv(Export({}).Out);
    ASSERT_EQ(records.size(), 1u + 16 + 256 + 256 + 32);
    EXPECT_EQ(CsvRecord(records[0].Fields),
              "\xEF\xBB\xBFtable,No.,レイヤグループ名,要素数,レイヤ名,線色名,画面色,画面線幅,"
              "印刷色,印刷線幅,点半径,線種名,パターン,1ﾕﾆｯﾄのﾄﾞｯﾄ数,画面ピッチ,印刷ピッチ,"
              "セグメント数,P0,P1,P2,P3,P4,P5,P6,P7\r\n");
    EXPECT_EQ(CsvRecord(records[4].Fields), "groups,3,,3,,,,,,,,,,,,,,,,,,,,,\r\n");
    EXPECT_EQ(CsvRecord(records[17 + 50].Fields),
              "layers,50,,3,\"壁, \"\"A\"\"\",,,,,,,,,,,,,,,,,,,,\r\n");
    EXPECT_EQ(CsvRecord(records[17 + 256].Fields), "colors,1,,2,,,0,0,0,0,1E-6,,,,,,,,,,,,,,\r\n");
    EXPECT_EQ(CsvRecord(records.back().Fields),
              "linetypes,32,,0,,,,,,,,,00000000,0,0,0,0,0,0,0,0,0,0,0,0\r\n");

    const nlohmann::ordered_json json = nlohmann::ordered_json::parse(Export({"--format", "json"}).Out);
    ASSERT_EQ(json.size(), 4u);
    EXPECT_EQ(json.begin().key(), "groups");
    EXPECT_EQ(json["groups"].size() + json["layers"].size() + json["colors"].size() +
                  json["linetypes"].size(),
              16u + 256 + 256 + 32);
    EXPECT_EQ(json["layers"][50].dump(), R"({"no":50,"name":"壁, \"A\"","count":3})");
    EXPECT_EQ(json["colors"][0].dump(),
              R"({"no":1,"name":"","screenColor":"0","screenWidth":"0","printColor":"0",)"
              R"("printWidth":"0","pointRadius":"1E-6","count":2})");
    EXPECT_EQ(json["linetypes"][0].dump(),
              R"({"no":1,"name":"","pattern":"FFFF0000","dotsPerUnit":"0","screenPitch":"0",)"
              R"("printPitch":"0","segmentCount":"0","p0":"0.5","p1":"0","p2":"0","p3":"0",)"
              R"("p4":"0","p5":"0","p6":"0","p7":"0","count":2})");
    EXPECT_EQ(nlohmann::json::parse(Export({"--format", "json", "--table", "groups"}).Out).size(), 1u);
}

TEST_F(ExportCommand, TheOutputFileIsReplacedWholeOrNotAtAll)
{
    WriteFileBytes(Root + "out.csv", "earlier export");
    const std::string drawing = ReadFileBytes(Root + "in.jww");
    WriteFileBytes(Root + "broken.jww", drawing.substr(0, drawing.size() - 3));
    const std::pair<std::vector<std::string>, std::string> failures[] = {
        {{"export", Root + "broken.jww", "-o", Root + "out.csv"}, "could not be read completely"},
        {{"export", Root + "in.jww", "-o", Root + "./in.jww"}, "is the drawing being exported"},
        {{"export", Root + "in.jww", "-o", Root + "no/out.csv"}, "cannot create a file beside"},
    };
    for (const auto& [args, message] : failures) {
        const TCliRun run = Cli(args);
        EXPECT_EQ(run.ExitCode, 1) << message;
        EXPECT_NE(run.Err.find(message), std::string::npos) << run.Err;
    }
    EXPECT_EQ(ReadFileBytes(Root + "out.csv"), "earlier export");
    const TCliRun written = Export({"--table", "groups", "-o", Root + "out.csv"});
    ASSERT_EQ(written.ExitCode, 0) << written.Err;
    EXPECT_EQ(written.Out, "");
    EXPECT_EQ(ParseCsv(ReadFileBytes(Root + "out.csv")).size(), 17u);
    EXPECT_EQ(OtherFiles({"in.jww", "broken.jww", "out.csv"}), std::vector<std::string>{});
}

TEST_F(ExportCommand, BytesWithoutUtf8FormAreExportedOnlyAsCodePage932)
{
    TSmallDrawing drawing(600);
    drawing.Doc->LayerTable[5].Name = "ok\x81";  // a lead byte without its second byte
    drawing.Save(Root + "in.jww");
    for (const std::string format : {"csv", "json"}) {
        const TCliRun refused = Export({"--format", format});
        EXPECT_EQ(refused.ExitCode, 1) << format;
        EXPECT_NE(refused.Err.find("layers No. 5, column レイヤ名: \"ok\\x81\""), std::string::npos)
            << refused.Err;
        EXPECT_NE(refused.Err.find("--encoding cp932"), std::string::npos);
        EXPECT_EQ(refused.Out, "");
    }
    const TCliRun raw = Export({"--table", "layers", "--encoding", "cp932"});
    ASSERT_EQ(raw.ExitCode, 0) << raw.Err;
    EXPECT_NE(raw.Out.find("\r\n5,ok\x81,0\r\n"), std::string::npos);
}

TEST_F(ExportCommand, UsageErrorsExitWithTwoAndHelpDescribesTheLayout)
{
    for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
             {"--table", "names"}, {"--format", "xml"}, {"--encoding", "latin1"},
             {"--format", "json", "--encoding", "cp932"}, {Root + "second.jww"}}) {
        const TCliRun run = Export(options);
        EXPECT_EQ(run.ExitCode, 2) << ::testing::PrintToString(options);
        EXPECT_NE(run.Err, "");
        EXPECT_EQ(run.Out, "");
    }
    EXPECT_EQ(Cli({"export"}).ExitCode, 2);
    const TCliRun help = Cli({"export", "--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_NE(help.Out.find("a first column \"table\""), std::string::npos) << help.Out;
}
