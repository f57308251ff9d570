#include <gtest/gtest.h>

#include "tables/TableMessages.h"
#include "tests/cli/CliTestSupport.h"

namespace {

class ImportCommand : public TCliTest {
protected:
    // A generated drawing of the version, and its plain copy.
    void SaveDrawingAndCopy(int32_t version, void (*change)(TJwwDocument&) = nullptr)
    {
        SaveGeneratedDrawing(Root + "in.jww", version, change);
        ASSERT_EQ(Cli({"copy", Root + "in.jww", Root + "copy.jww", "--force"}).ExitCode, 0);
    }

    TCliRun Import(const std::string& edits, std::vector<std::string> options = {})
    {
        WriteFileBytes(Root + "edits", edits);
        // The tests import again and again into the same file.
        options.insert(options.begin(),
                       {"import", Root + "in.jww", Root + "edits", Root + "out.jww", "--force"});
        return Cli(options);
    }
};

}  // namespace

TEST_F(ImportCommand, AnUnchangedExportGivesThePlainCopy)
{
    // Every layout that export writes reads back as the drawing was, in any version.
    const std::vector<std::vector<std::string>> exports = {
        {}, {"--encoding", "cp932"}, {"--format", "json"}, {"--table", "linetypes"},
        {"--table", "colors", "--format", "json"}, {"--table", "layers", "--encoding", "cp932"}};
    for (const int32_t version : {420, 700}) {
        SaveDrawingAndCopy(version);
        for (std::vector<std::string> args : exports) {
            args.insert(args.begin(),
                        {"export", Root + "in.jww", "-o", Root + "edits", "--force"});
            ASSERT_EQ(Cli(args).ExitCode, 0);
            const TCliRun run =
                Cli({"import", Root + "in.jww", Root + "edits", Root + "out.jww", "--force"});
            EXPECT_EQ(std::tuple(run.ExitCode, run.Err), std::tuple(0, "")) << args.back();
            EXPECT_TRUE(ReadFileBytes(Root + "out.jww") == ReadFileBytes(Root + "copy.jww"));
        }
    }
}

TEST_F(ImportCommand, GivenCellsPassTheWindowsLimitsAndAbsentOnesStayAsLoaded)
{
    // Values the window's limits change, in rows that the edits give only in part.
    SaveDrawingAndCopy(700, [](TJwwDocument& doc) {
        doc.ColorExTable[5].ScreenWidth = -3;
        doc.LineTypeExTable[2] = {0, 6, 0, 0, "", 6, {1, 2, 3, 4, 5, 6}};
        doc.LineTypeExTable[3] = {0, 6, 0, 0, "", 3, {1, 2, 3, 4, 5}};
    });
    const TCliRun run = Import("table,No.,レイヤ名,画面色,点半径,パターン,セグメント数,P0,P3\r\n"
                               "layers,17,\"基礎, \"\"B\"\"\",,,,,,\r\n"
                               "layers,18," + std::string(255, 'a') + "壁,,,,,,\r\n"
                               "colors,5,,16777216,1500,,,,\r\n"
                               "linetypes,2,,,,ff,3,2000,7.5\r\n"
                               "linetypes,3,,,,0f0f0f0f,3,0.5,9\r\n");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const auto before = LoadDrawing(Root + "in.jww");
    const auto out = LoadDrawing(Root + "out.jww");
    const TJwwDocument& after = *out;
    EXPECT_EQ(after.LayerTable[17].Name, "\x8A\xEE\x91\x62, \"B\"");
    EXPECT_EQ(after.LayerTable[18].Name, std::string(255, 'a'));
    EXPECT_EQ(after.LayerTable[16].Name, before->LayerTable[16].Name);
    const TColorExNo& color = after.ColorExTable[5];
    EXPECT_EQ(std::tuple(color.ScreenColor, color.PointRadius, color.ScreenWidth),
              std::tuple(16777215, 1000.0, -3)) << "the width is not given, so not limited";
    // A segment count that changes is stored raised to even, and the pitches beyond it become 0;
    // one given as it was loaded stays odd and still decides the pitches as 4.
    using TPitches = std::array<double, 10>;
    const TLineTypeExNo& second = after.LineTypeExTable[2];
    const TLineTypeExNo& third = after.LineTypeExTable[3];
    EXPECT_EQ(std::tuple(second.Pattern, second.SegmentCount, second.DotsPerUnit, second.Pitches),
              std::tuple(255, 4, 6, TPitches{1000, 2, 3, 7.5}));
    EXPECT_EQ(std::tuple(third.Pattern, third.SegmentCount, third.Pitches),
              std::tuple(0x0F0F0F0F, 3, TPitches{0.5, 2, 3, 9}));
    // Each value a limit changed is named on stderr.
    for (const std::string& change : std::vector<std::string>{
             "line 3, layers row 18, column レイヤ名: \"" + std::string(255, 'a') +
                 "壁\" is stored as \"" + std::string(255, 'a') + "\"",
             "line 4, colors row 5, column 点半径: \"1500\" is stored as \"1000\"",
             "line 5, linetypes row 2, column セグメント数: \"3\" is stored as \"4\""})
        EXPECT_NE(run.Err.find(change), std::string::npos) << change << "\n" << run.Err;
    EXPECT_EQ(run.Err.find("line 6"), std::string::npos) << run.Err;
}

TEST_F(ImportCommand, EditsInEitherEncodingAndJsonWithNumbers)
{
    SaveDrawingAndCopy(600);
    const std::string header932 = "No.," + std::string(HeadLayerGroupName) + "\r\n";
    const std::string hyoshi = "\x95\x5C\x8E\x86";  // 表紙 in code page 932
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {header932 + "15," + hyoshi + "\r\n", {}},
        {header932 + "15," + hyoshi + "\r\n", {"--encoding", "cp932"}},
        {"No.,レイヤグループ名\r\n15,表紙\r\n", {}},
        {"\xEF\xBB\xBFNo.,レイヤグループ名\r\n15,表紙\r\n", {"--encoding", "utf-8"}},
        {R"({"groups": [{"no": 15, "name": "表紙"}]})", {}},
    };
    for (const auto& [edits, options] : cases) {
        const TCliRun run = Import(edits, options);
        ASSERT_EQ(run.ExitCode, 0) << run.Err;
        EXPECT_EQ(LoadDrawing(Root + "out.jww")->LayerGroupTable[15].Name, hyoshi);
    }
    // JSON cells may be numbers.
    EXPECT_EQ(Import(R"({"linetypes": [{"no": "2", "segmentCount": 2, "p0": 12.5, "p1": "1E1",
                                          "count": 999}]})").Err, "");
    EXPECT_EQ(LoadDrawing(Root + "out.jww")->LineTypeExTable[2].Pitches,
              (std::array<double, 10>{12.5, 10.0}));
}

TEST_F(ImportCommand, UnusableEditsAreUsageErrorsAndWriteNothing)
{
    SaveDrawingAndCopy(700);
    // The edits, what stderr says and the encoding option, if any.
    const std::tuple<std::string, std::string, std::vector<std::string>> cases[] = {
        // A character that code page 932 cannot hold: the window would show "?", a script is told.
        {"No.,レイヤ名\r\n6,平面\r\n7,壁😀\r\n",
         "line 3, layers row 7, column レイヤ名: \"😀\" (U+1F600) has no code page 932 form; "
         "nothing was written", {}},
        {R"({"colors": [{"no": 9, "name": "café"}]})",
         "colors[0] (colors row 9), key name: \"é\" (U+00E9) has no code page 932 form", {}},
        {"", "no header row", {}}, {"{\"names\": []}", "member \"names\": unknown table", {}},
        {"No.,レイヤ名\r\n1,a,b\r\n", "malformed CSV: line 2: the record has 3 fields", {}},
        {"レイヤ名\r\na\r\n", "the row number column \"No.\" is missing", {}},
        {"No.,レイヤ名,線色名\r\n1,a,b\r\n", "the columns belong to different tables", {}},
        {"table,No.,レイヤ名\r\nlayer,1,a\r\n", "line 2: unknown table \"layer\"", {}},
        {"No.,レイヤ名\r\n256,a\r\n", "line 2: layers has no row 256; its rows are 0 to 255", {}},
        {"No.,レイヤ名\r\nx1,a\r\n", "the row number \"x1\" is not a number from 0 to 255", {}},
        {"No.,レイヤ名\r\n3,a\r\n 3,b\r\n", "line 3: layers row 3 is given a second time", {}},
        {"No.,画面色\r\n3,12O\r\n", "line 2, colors row 3, column 画面色: \"12O\" is not a whole "
                                    "number", {}},
        {"No.,パターン\r\n3,123456789\r\n", "\"123456789\" is not 1 to 8 hexadecimal digits", {}},
        {"{\"layers\": [{\"no\": 1, \"name\": \"a\"},]}", "malformed JSON", {}},
        {"{\"layers\": [{\"no\": 1}]}", "JSON edits are always UTF-8", {"--encoding", "cp932"}},
        {"No.,\x83\x8C\x83\x43\x83\x84\x96\xBC\r\n", "not valid UTF-8", {"--encoding", "utf-8"}},
    };
    for (const auto& [edits, message, options] : cases) {
        const TCliRun run = Import(edits, options);
        EXPECT_EQ(run.ExitCode, 2) << edits;
        EXPECT_NE(run.Err.find(message), std::string::npos) << message << "\n" << run.Err;
        EXPECT_FALSE(std::filesystem::exists(Root + "out.jww")) << edits;
    }
    // Element counts are never read back, so their cells are not checked.
    EXPECT_EQ(Import("No.,レイヤ名,要素数\r\n1,a,many\r\n").ExitCode, 0);
}

TEST_F(ImportCommand, FilesThatCannotBeReadOrWrittenExitWithOne)
{
    SaveDrawingAndCopy(700);
    WriteFileBytes(Root + "edits", "No.,レイヤ名\r\n1,a\r\n");
    const std::string drawing = ReadFileBytes(Root + "in.jww");
    // Failures to load or save the drawing are those of every subcommand, shown with copy.
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"in.jww", "missing.csv", "out.jww"}, "missing.csv: cannot be opened"},
        // Windows refuses to open a folder as a file at all.
        {{"in.jww", "tmp", "out.jww"},
         RunningOnWindows() ? "tmp: cannot be opened" : "tmp: cannot be read"},
        {{"in.jww", "edits", "tmp/../in.jww"}, "is the input file"},
        {{"in.jww", "edits", "edits"}, "is the edits file"},
    };
    for (const auto& [files, message] : cases) {
        const TCliRun run = Cli({"import", Root + files[0], Root + files[1], Root + files[2]});
        EXPECT_EQ(run.ExitCode, 1) << message;
        EXPECT_NE(run.Err.find(message), std::string::npos) << message << "\n" << run.Err;
    }
    EXPECT_EQ(ReadFileBytes(Root + "in.jww"), drawing);
    EXPECT_EQ(ReadFileBytes(Root + "edits"), "No.,レイヤ名\r\n1,a\r\n");
    EXPECT_EQ(Files(), (std::vector<std::string>{"copy.jww", "edits", "in.jww", "tmp"}));
    EXPECT_EQ(Cli({"import", Root + "in.jww", Root + "edits"}).ExitCode, 2);
    EXPECT_EQ(Cli({"import", "--help"}).ExitCode, 0);
}
