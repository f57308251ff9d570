#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/tools/CliTestSupport.h"
#include "tools/Csv.h"
#include "ui/Messages.h"

namespace {

// Two lines with SXF colour 101 and line type 31 on layer 2 of group 3, a point with colour
// 356 on the same layer, and a dimension, which the counts leave out.
void SaveCountedDrawing(const std::string& path)
{
    TSmallDrawing drawing(700);
    TJwwDocument& doc = *drawing.Doc;
    doc.LayerTable[3 * 16 + 2].Name = "\x95\xC7, \"A\"";  // 壁, "A"
    doc.ColorExTable[1].PointRadius = 0.000001;
    doc.ColorExTable[256].Name = "last";
    doc.LineTypeExTable[1].Pattern = -65536;
    doc.LineTypeExTable[1].Pitches[0] = 0.5;
    TEntSen line;
    line.Base = BaseWith(31, 101, 3, 2);
    TEntTen point;
    point.Base = BaseWith(1, 356, 3, 2);
    TEntSunpo dim;
    dim.Base = BaseWith(1, 101, 3, 2);
    drawing.Add(doc.SenList, KindSen, line)
        .Add(doc.SenList, KindSen, line)
        .Add(doc.TenList, KindTen, point)
        .Add(doc.SunpoList, KindSunpo, dim);
    drawing.Save(path);
}

class ExportCommand : public TCliTest {};

}  // namespace

TEST_F(ExportCommand, OneTableAsCsvInTheWindowsTextsWithACountPerRow)
{
    SaveCountedDrawing(Root + "in.jww");
    const TCliRun layers = Cli({"export", Root + "in.jww", "--table", "layers"});
    ASSERT_EQ(layers.ExitCode, 0) << layers.Err;
    EXPECT_TRUE(layers.Err.empty());
    ASSERT_TRUE(layers.Out.starts_with("\xEF\xBB\xBFNo.,レイヤ名,要素数\r\n0,,0\r\n"));
    EXPECT_NE(layers.Out.find("\r\n50,\"壁, \"\"A\"\"\",3\r\n51,,0\r\n"), std::string::npos);
    EXPECT_TRUE(layers.Out.ends_with("\r\n255,,0\r\n"));
    EXPECT_EQ(ParseCsv(layers.Out).size(), 257u);

    const TCliRun groups = Cli({"export", Root + "in.jww", "--table", "groups"});
    EXPECT_NE(groups.Out.find("\r\n3,,3\r\n"), std::string::npos) << groups.Out;

    const TCliRun colors = Cli({"export", Root + "in.jww", "--table", "colors"});
    ASSERT_TRUE(colors.Out.starts_with(
        "\xEF\xBB\xBFNo.,線色名,画面色,画面線幅,印刷色,印刷線幅,点半径,要素数\r\n"
        "1,,0,0,0,0,1E-6,2\r\n"));
    EXPECT_TRUE(colors.Out.ends_with("\r\n256,last,0,0,0,0,0,1\r\n"));

    const TCliRun lineTypes = Cli({"export", Root + "in.jww", "--table", "linetypes"});
    EXPECT_TRUE(lineTypes.Out.starts_with(
        "\xEF\xBB\xBFNo.,線種名,パターン,1ﾕﾆｯﾄのﾄﾞｯﾄ数,画面ピッチ,印刷ピッチ,セグメント数,"
        "P0,P1,P2,P3,P4,P5,P6,P7,要素数\r\n1,,FFFF0000,0,0,0,0,0.5,0,0,0,0,0,0,0,2\r\n"))
        << lineTypes.Out;
}

TEST_F(ExportCommand, AllTablesShareOneHeaderAndNameEachRowsTable)
{
    SaveCountedDrawing(Root + "in.jww");
    const TCliRun all = Cli({"export", Root + "in.jww"});
    ASSERT_EQ(all.ExitCode, 0) << all.Err;
    const std::vector<TCsvRecord> records = ParseCsv(all.Out);
    ASSERT_EQ(records.size(), 1u + 16 + 256 + 256 + 32);
    EXPECT_EQ(CsvRecord(records[0].Fields),
              "\xEF\xBB\xBFtable,No.,レイヤグループ名,要素数,レイヤ名,線色名,画面色,画面線幅,"
              "印刷色,印刷線幅,点半径,線種名,パターン,1ﾕﾆｯﾄのﾄﾞｯﾄ数,画面ピッチ,印刷ピッチ,"
              "セグメント数,P0,P1,P2,P3,P4,P5,P6,P7\r\n");
    EXPECT_EQ(CsvRecord(records[4].Fields), "groups,3,,3,,,,,,,,,,,,,,,,,,,,,\r\n");
    EXPECT_EQ(CsvRecord(records[17 + 50].Fields), "layers,50,,3,\"壁, \"\"A\"\"\",,,,,,,,,,,,,,,,,,,,\r\n");
    EXPECT_EQ(CsvRecord(records[17 + 256].Fields), "colors,1,,2,,,0,0,0,0,1E-6,,,,,,,,,,,,,,\r\n");
    EXPECT_EQ(CsvRecord(records.back().Fields),
              "linetypes,32,,0,,,,,,,,,00000000,0,0,0,0,0,0,0,0,0,0,0,0\r\n");
}

TEST_F(ExportCommand, CodePage932CsvCarriesTheDrawingsBytesWithoutAByteOrderMark)
{
    SaveCountedDrawing(Root + "in.jww");
    const TCliRun run = Cli({"export", Root + "in.jww", "--table", "layers", "--encoding", "cp932"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(run.Out.starts_with("No.," + std::string(HeadLayerName) + "," +
                                    std::string(HeadElementCount) + "\r\n0,,0\r\n"));
    EXPECT_NE(run.Out.find("\r\n50,\"\x95\xC7, \"\"A\"\"\",3\r\n"), std::string::npos);
}

TEST_F(ExportCommand, JsonHoldsEveryRowWithNumbersForRowsAndCounts)
{
    SaveCountedDrawing(Root + "in.jww");
    const TCliRun run = Cli({"export", Root + "in.jww", "--format", "json"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const nlohmann::ordered_json json = nlohmann::ordered_json::parse(run.Out);
    ASSERT_EQ(json.size(), 4u);
    EXPECT_EQ(json.begin().key(), "groups");
    EXPECT_EQ(json["groups"].size(), 16u);
    EXPECT_EQ(json["layers"].size(), 256u);
    EXPECT_EQ(json["colors"].size(), 256u);
    EXPECT_EQ(json["linetypes"].size(), 32u);
    EXPECT_EQ(json["layers"][50], nlohmann::ordered_json::parse(
                                      R"({"no": 50, "name": "壁, \"A\"", "count": 3})"));
    EXPECT_EQ(json["colors"][0].dump(),
              R"({"no":1,"name":"","screenColor":"0","screenWidth":"0","printColor":"0",)"
              R"("printWidth":"0","pointRadius":"1E-6","count":2})");
    EXPECT_EQ(json["linetypes"][0].dump(),
              R"({"no":1,"name":"","pattern":"FFFF0000","dotsPerUnit":"0","screenPitch":"0",)"
              R"("printPitch":"0","segmentCount":"0","p0":"0.5","p1":"0","p2":"0","p3":"0",)"
              R"("p4":"0","p5":"0","p6":"0","p7":"0","count":2})");

    const TCliRun one = Cli({"export", Root + "in.jww", "--format", "json", "--table", "groups"});
    EXPECT_EQ(nlohmann::json::parse(one.Out).size(), 1u);
}

TEST_F(ExportCommand, TheOutputFileIsReplacedWholeOrNotAtAll)
{
    SaveCountedDrawing(Root + "in.jww");
    WriteFileBytes(Root + "out.csv", "earlier export");
    const std::string drawing = ReadFileBytes(Root + "in.jww");
    WriteFileBytes(Root + "broken.jww", drawing.substr(0, drawing.size() - 3));

    const TCliRun broken = Cli({"export", Root + "broken.jww", "-o", Root + "out.csv"});
    EXPECT_EQ(broken.ExitCode, 1);
    EXPECT_NE(broken.Err.find("could not be read completely"), std::string::npos) << broken.Err;
    EXPECT_EQ(ReadFileBytes(Root + "out.csv"), "earlier export");

    const TCliRun intoItself = Cli({"export", Root + "in.jww", "-o", Root + "./in.jww"});
    EXPECT_EQ(intoItself.ExitCode, 1);
    EXPECT_NE(intoItself.Err.find("is the drawing being exported"), std::string::npos);

    const TCliRun noFolder = Cli({"export", Root + "in.jww", "-o", Root + "no/out.csv"});
    EXPECT_EQ(noFolder.ExitCode, 1);
    EXPECT_NE(noFolder.Err.find("cannot create a file beside"), std::string::npos) << noFolder.Err;

    const TCliRun written = Cli({"export", Root + "in.jww", "--table", "groups", "-o",
                                 Root + "out.csv"});
    ASSERT_EQ(written.ExitCode, 0) << written.Err;
    EXPECT_TRUE(written.Out.empty());
    EXPECT_EQ(ParseCsv(ReadFileBytes(Root + "out.csv")).size(), 17u);
    EXPECT_EQ(OtherFiles({"in.jww", "broken.jww", "out.csv"}), std::vector<std::string>{});
}

TEST_F(ExportCommand, BytesWithoutUtf8FormAreExportedOnlyAsCodePage932)
{
    TSmallDrawing drawing(600);
    drawing.Doc->LayerTable[5].Name = "ok\x81";  // a lead byte without its second byte
    drawing.Save(Root + "in.jww");

    for (const std::string format : {"csv", "json"}) {
        const TCliRun refused = Cli({"export", Root + "in.jww", "--format", format});
        EXPECT_EQ(refused.ExitCode, 1) << format;
        EXPECT_NE(refused.Err.find("layers No. 5, column レイヤ名: \"ok\\x81\""), std::string::npos)
            << refused.Err;
        EXPECT_NE(refused.Err.find("--encoding cp932"), std::string::npos);
        EXPECT_TRUE(refused.Out.empty());
    }
    const TCliRun raw = Cli({"export", Root + "in.jww", "--table", "layers", "--encoding", "cp932"});
    ASSERT_EQ(raw.ExitCode, 0) << raw.Err;
    EXPECT_NE(raw.Out.find("\r\n5,ok\x81,0\r\n"), std::string::npos);
}

TEST_F(ExportCommand, UsageErrorsExitWithTwoAndHelpDescribesTheLayout)
{
    SaveCountedDrawing(Root + "in.jww");
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"export"},
             {"export", Root + "in.jww", "--table", "names"},
             {"export", Root + "in.jww", "--format", "xml"},
             {"export", Root + "in.jww", "--encoding", "latin1"},
             {"export", Root + "in.jww", "--format", "json", "--encoding", "cp932"},
             {"export", Root + "in.jww", Root + "second.jww"}}) {
        const TCliRun run = Cli(args);
        EXPECT_EQ(run.ExitCode, 2) << ::testing::PrintToString(args);
        EXPECT_FALSE(run.Err.empty());
        EXPECT_TRUE(run.Out.empty());
    }
    const TCliRun help = Cli({"export", "--help"});
    EXPECT_EQ(help.ExitCode, 0);
    EXPECT_NE(help.Out.find("a first column \"table\""), std::string::npos) << help.Out;
}
