#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/Csv.h"
#include "tables/TableMessages.h"
#include "tests/cli/CliTestSupport.h"

namespace {

class ExportCommand : public TCliTest {
protected:
    void SetUp() override
    {
        TCliTest::SetUp();
        SaveSxfDrawing(Root + "in.jww");
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
    EXPECT_TRUE(layers.Out.starts_with("\xEF\xBB\xBFNo.,レイヤ名,要素数\r\n0,,1\r\n1,,0\r\n"));
    EXPECT_NE(layers.Out.find("\r\n50,\"壁, \"\"A\"\"\",3\r\n51,,0\r\n"), std::string::npos);
    EXPECT_TRUE(layers.Out.ends_with("\r\n255,,0\r\n"));
    EXPECT_EQ(ParseCsv(layers.Out).size(), 257u);
    // Each table in its own columns and formats; its header row is that of all tables below.
    EXPECT_NE(Export({"--table", "groups"}).Out.find("\r\n3,,3\r\n"), std::string::npos);
    const std::string colors = Export({"--table", "colors"}).Out;
    EXPECT_NE(colors.find("\r\n1,,0,0,0,0,1E-6,2\r\n"), std::string::npos);
    EXPECT_TRUE(colors.ends_with("\r\n256,last,0,0,0,0,0,1\r\n"));
    EXPECT_NE(Export({"--table", "linetypes"}).Out.find("\r\n1,,FFFF0000,0,0,0,0,0.5,0,0,0,0,0,0,0,"
                                                        "2\r\n"),
              std::string::npos);
    // Code page 932 carries the drawing's bytes, without a byte-order mark.
    const TCliRun cp932 = Export({"--table", "layers", "--encoding", "cp932"});
    EXPECT_TRUE(cp932.Out.starts_with("No.," + std::string(HeadLayerName) + "," +
                                      std::string(HeadElementCount) + "\r\n0,,1\r\n"));
    EXPECT_NE(cp932.Out.find("\r\n50,\"\x95\xC7, \"\"A\"\"\",3\r\n"), std::string::npos);
    // Usage errors write nothing to standard output; the help describes the layout.
    for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
             {"--table", "names"}, {"--format", "xml"}, {"--encoding", "latin1"},
             {"--format", "json", "--encoding", "cp932"}, {Root + "second.jww"}}) {
        const TCliRun run = Export(options);
        EXPECT_EQ(std::tuple(run.ExitCode, run.Err.empty(), run.Out), std::tuple(2, false, ""))
            << ::testing::PrintToString(options);
    }
    EXPECT_NE(Cli({"export", "--help"}).Out.find("a first column \"table\""), std::string::npos);
}

TEST_F(ExportCommand, AllTablesShareOneHeaderAsCsvOrNameTheirRowsInJson)
{
    const std::vector<TCsvRecord> records = ParseCsv(Export({}).Out);
    ASSERT_EQ(records.size(), 1u + 16 + 256 + 256 + 32);
    EXPECT_EQ(CsvRecord(records[0].Fields),
              "\xEF\xBB\xBFtable,No.,レイヤグループ名,要素数,レイヤ名,線色名,画面色,画面線幅,"
              "印刷色,印刷線幅,点半径,線種名,パターン,1ﾕﾆｯﾄのﾄﾞｯﾄ数,画面ピッチ,印刷ピッチ,"
              "セグメント数,P0,P1,P2,P3,P4,P5,P6,P7\r\n");
    EXPECT_EQ(CsvRecord(records[17 + 50].Fields) + CsvRecord(records.back().Fields),
              "layers,50,,3,\"壁, \"\"A\"\"\",,,,,,,,,,,,,,,,,,,,\r\n"
              "linetypes,32,,0,,,,,,,,,00000000,0,0,0,0,0,0,0,0,0,0,0,0\r\n");
    const auto json = nlohmann::ordered_json::parse(Export({"--format", "json"}).Out);
    EXPECT_EQ(json.size(), 4u);
    EXPECT_EQ(json["layers"][50].dump(), R"({"no":50,"name":"壁, \"A\"","count":3})");
    EXPECT_EQ(json["linetypes"][0].dump(),
              R"({"no":1,"name":"","pattern":"FFFF0000","dotsPerUnit":"0","screenPitch":"0",)"
              R"("printPitch":"0","segmentCount":"0","p0":"0.5","p1":"0","p2":"0","p3":"0",)"
              R"("p4":"0","p5":"0","p6":"0","p7":"0","count":2})");
}

TEST_F(ExportCommand, TheOutputFileIsReplacedWholeOrNotAtAll)
{
    WriteFileBytes(Root + "out.csv", "earlier export");
    const std::string drawing = ReadFileBytes(Root + "in.jww");
    WriteFileBytes(Root + "broken.jww", drawing.substr(0, drawing.size() - 3));
    const std::pair<std::vector<std::string>, std::string> failures[] = {
        {{"export", Root + "in.jww", "-o", Root + "out.csv"}, "exists already; give --force"},
        {{"export", Root + "broken.jww", "-o", Root + "new.csv"}, "could not be read completely"},
        {{"export", Root + "in.jww", "-o", Root + "./in.jww"}, "is the drawing being exported"},
        {{"export", Root + "in.jww", "-o", Root + "no/out.csv"}, "cannot create a file beside"},
    };
    for (const auto& [args, message] : failures) {
        const TCliRun run = Cli(args);
        EXPECT_EQ(run.ExitCode, 1) << message;
        EXPECT_NE(run.Err.find(message), std::string::npos) << run.Err;
    }
    EXPECT_EQ(ReadFileBytes(Root + "out.csv"), "earlier export");
    const TCliRun written = Export({"--table", "groups", "-o", Root + "out.csv", "--force"});
    ASSERT_EQ(written.ExitCode, 0) << written.Err;
    EXPECT_EQ(written.Out, "");
    EXPECT_EQ(ParseCsv(ReadFileBytes(Root + "out.csv")).size(), 17u);
    EXPECT_EQ(Files(), (std::vector<std::string>{"broken.jww", "in.jww", "out.csv", "tmp"}));
}

TEST_F(ExportCommand, BytesWithoutUtf8FormAreExportedOnlyAsCodePage932)
{
    TSmallDrawing drawing(600);
    drawing.Doc->LayerTable[5].Name = "ok\x81";  // a lead byte without its second byte
    drawing.Save(Root + "in.jww");
    const TCliRun refused = Export({"--format", "json"});
    EXPECT_EQ(std::tuple(refused.ExitCode, refused.Out), std::tuple(1, ""));
    EXPECT_NE(refused.Err.find("layers No. 5, column レイヤ名: \"ok\\x81\""), std::string::npos);
    EXPECT_NE(refused.Err.find("--encoding cp932"), std::string::npos) << refused.Err;
    EXPECT_NE(Export({"--table", "layers", "--encoding", "cp932"}).Out.find("\r\n5,ok\x81,0\r\n"),
              std::string::npos);
}
