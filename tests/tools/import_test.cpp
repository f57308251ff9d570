#include <gtest/gtest.h>

#include "tests/tools/CliTestSupport.h"
#include "ui/Messages.h"

namespace {

class ImportCommand : public TCliTest {
protected:
    // A generated drawing of the version, and its plain copy.
    void SaveDrawingAndCopy(int32_t version, void (*change)(TJwwDocument&) = nullptr)
    {
        SaveGeneratedDrawing(Root + "in.jww", version, version >= 700, change);
        const TCliRun copy = Cli({"copy", Root + "in.jww", Root + "copy.jww"});
        ASSERT_EQ(copy.ExitCode, 0) << copy.Err;
    }

    TCliRun Import(const std::string& edits, std::vector<std::string> options = {})
    {
        WriteFileBytes(Root + "edits", edits);
        std::vector<std::string> args{"import", Root + "in.jww", Root + "edits", Root + "out.jww"};
        args.insert(args.end(), options.begin(), options.end());
        return Cli(args);
    }

    bool OutputExists() const { return std::filesystem::exists(Root + "out.jww"); }
};

// Values the window's limits change, loaded into rows that the edits below give only in part.
void PutValuesBeyondTheLimits(TJwwDocument& doc)
{
    doc.ColorExTable[5].ScreenWidth = -3;
    doc.ColorExTable[5].PointRadius = 1500.0;
    doc.LineTypeExTable[2].SegmentCount = 6;
    doc.LineTypeExTable[2].Pitches = {1, 2, 3, 4, 5, 6, 0, 0, 0, 0};
    doc.LineTypeExTable[3].SegmentCount = 3;
    doc.LineTypeExTable[3].Pitches = {1, 2, 3, 4, 5, 0, 0, 0, 0, 0};
}

}  // namespace

TEST_F(ImportCommand, AnUnchangedExportGivesThePlainCopy)
{
    for (const int32_t version : {420, 700}) {
        SCOPED_TRACE(version);
        SaveDrawingAndCopy(version);
        const std::string copy = ReadFileBytes(Root + "copy.jww");
        for (const std::vector<std::string>& options : std::vector<std::vector<std::string>>{
                 {},
                 {"--encoding", "cp932"},
                 {"--format", "json"},
                 {"--table", "linetypes"},
                 {"--table", "colors", "--format", "json"},
                 {"--table", "layers", "--encoding", "cp932"}}) {
            SCOPED_TRACE(::testing::PrintToString(options));
            std::vector<std::string> args{"export", Root + "in.jww", "-o", Root + "edits"};
            args.insert(args.end(), options.begin(), options.end());
            ASSERT_EQ(Cli(args).ExitCode, 0);
            const TCliRun run = Cli({"import", Root + "in.jww", Root + "edits", Root + "out.jww"});
            ASSERT_EQ(run.ExitCode, 0) << run.Err;
            EXPECT_TRUE(run.Err.empty()) << run.Err;
            EXPECT_TRUE(ReadFileBytes(Root + "out.jww") == copy);
        }
    }
}

TEST_F(ImportCommand, GivenCellsPassTheWindowsLimitsAndAbsentOnesStayAsLoaded)
{
    SaveDrawingAndCopy(700, PutValuesBeyondTheLimits);
    std::string longName;
    for (int i = 0; i < 150; ++i)
        longName += "壁";
    const TCliRun run = Import("table,No.,レイヤ名,画面色,点半径,パターン,セグメント数,P0,P3\r\n"
                               "layers,17,\"基礎, \"\"B\"\"\",,,,,,\r\n"
                               "layers,18," + longName + ",,,,,,\r\n"
                               "colors,5,,16777216,0.25,,,,\r\n"
                               "colors,6,,$FF,1500,,,,\r\n"
                               "linetypes,2,,,,ff,3,2000,7.5\r\n"
                               "linetypes,3,,,,0f0f0f0f,3,0.5,9\r\n");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const TLoadedDrawing in = LoadDrawing(Root + "in.jww");
    const TLoadedDrawing out = LoadDrawing(Root + "out.jww");
    const TJwwDocument& before = *in.Doc;
    const TJwwDocument& after = *out.Doc;

    EXPECT_EQ(after.LayerTable[17].Name, "\x8A\xEE\x91\x62, \"B\"");
    EXPECT_EQ(after.LayerTable[16].Name, before.LayerTable[16].Name);
    std::string walls;  // 壁 in code page 932, as many as fit in 256 bytes
    for (int i = 0; i < 128; ++i)
        walls += "\x95\xC7";
    EXPECT_EQ(after.LayerTable[18].Name, walls);

    EXPECT_EQ(after.ColorExTable[5].ScreenColor, 16777215);
    EXPECT_EQ(after.ColorExTable[5].PointRadius, 0.25);
    EXPECT_EQ(after.ColorExTable[5].ScreenWidth, -3) << "not given, so not limited";
    EXPECT_EQ(after.ColorExTable[6].ScreenColor, 255);
    EXPECT_EQ(after.ColorExTable[6].PointRadius, 1000.0);
    EXPECT_EQ(after.ColorExTable[6].Name, before.ColorExTable[6].Name);
    EXPECT_EQ(after.ColorExTable[6].PrintColor, before.ColorExTable[6].PrintColor);

    // A segment count that changes is stored raised to even; the pitches beyond it become 0.
    const TLineTypeExNo& second = after.LineTypeExTable[2];
    EXPECT_EQ(second.Pattern, 255);
    EXPECT_EQ(second.SegmentCount, 4);
    EXPECT_EQ(second.Pitches, (std::array<double, 10>{1000, 2, 3, 7.5, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(second.DotsPerUnit, before.LineTypeExTable[2].DotsPerUnit);
    // A count given as it was loaded stays odd, and still decides the pitches as 4.
    const TLineTypeExNo& third = after.LineTypeExTable[3];
    EXPECT_EQ(third.Pattern, 0x0F0F0F0F);
    EXPECT_EQ(third.SegmentCount, 3);
    EXPECT_EQ(third.Pitches, (std::array<double, 10>{0.5, 2, 3, 9, 0, 0, 0, 0, 0, 0}));

    for (const std::string& change : std::vector<std::string>{
             "line 3, layers row 18, column レイヤ名: \"" + longName + "\" is stored as \"" +
                 longName.substr(0, 128 * 3) + "\"",
             "line 4, colors row 5, column 画面色: \"16777216\" is stored as \"16777215\"",
             "line 5, colors row 6, column 点半径: \"1500\" is stored as \"1000\"",
             "line 6, linetypes row 2, column セグメント数: \"3\" is stored as \"4\"",
             "line 6, linetypes row 2, column P0: \"2000\" is stored as \"1000\""})
        EXPECT_NE(run.Err.find(change), std::string::npos) << change << "\n" << run.Err;
    EXPECT_EQ(run.Err.find("line 7"), std::string::npos) << run.Err;
}

TEST_F(ImportCommand, JsonCellsMayBeNumbers)
{
    SaveDrawingAndCopy(600);
    const TCliRun run = Import(R"({"linetypes": [{"no": "2", "segmentCount": 2, "p0": 12.5,
                                                   "p1": "1E1", "count": 999}],
                                   "groups": [{"no": 15, "name": "表紙"}]})");
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_TRUE(run.Err.empty()) << run.Err;
    const TLoadedDrawing out = LoadDrawing(Root + "out.jww");
    EXPECT_EQ(out.Doc->LineTypeExTable[2].SegmentCount, 2);
    EXPECT_EQ(out.Doc->LineTypeExTable[2].Pitches[0], 12.5);
    EXPECT_EQ(out.Doc->LineTypeExTable[2].Pitches[1], 10.0);
    EXPECT_EQ(out.Doc->LineTypeExTable[2].Pitches[2], 0.0);
    EXPECT_EQ(out.Doc->LayerGroupTable[15].Name, "\x95\x5C\x8E\x86");
}

TEST_F(ImportCommand, TheEncodingOfCsvIsTakenFromTheByteOrderMarkTheOptionOrTheText)
{
    SaveDrawingAndCopy(600);
    const std::string cp932Header = "No.," + std::string(HeadLayerGroupName) + "\r\n";
    const std::string hyomen = "\x95\x5C\x8E\x86";  // 表紙 in code page 932
    struct TCase {
        std::string Edits;
        std::vector<std::string> Options;
    };
    for (const TCase& c : std::vector<TCase>{
             {cp932Header + "15," + hyomen + "\r\n", {}},
             {cp932Header + "15," + hyomen + "\r\n", {"--encoding", "cp932"}},
             {"No.,レイヤグループ名\r\n15,表紙\r\n", {}},
             {"\xEF\xBB\xBFNo.,レイヤグループ名\r\n15,表紙\r\n", {"--encoding", "utf-8"}}}) {
        SCOPED_TRACE(c.Edits);
        const TCliRun run = Import(c.Edits, c.Options);
        ASSERT_EQ(run.ExitCode, 0) << run.Err;
        EXPECT_EQ(LoadDrawing(Root + "out.jww").Doc->LayerGroupTable[15].Name, hyomen);
    }
}

TEST_F(ImportCommand, ACharacterThatCodePage932CannotHoldIsRefusedWithItsRowAndColumn)
{
    SaveDrawingAndCopy(700);
    const TCliRun csv = Import("No.,レイヤ名\r\n6,平面\r\n7,壁😀\r\n");
    EXPECT_EQ(csv.ExitCode, 2);
    EXPECT_NE(csv.Err.find("line 3, layers row 7, column レイヤ名: \"😀\" (U+1F600) has no code "
                           "page 932 form; nothing was written"),
              std::string::npos)
        << csv.Err;
    EXPECT_FALSE(OutputExists());

    const TCliRun json = Import(R"({"colors": [{"no": 9, "name": "café"}]})");
    EXPECT_EQ(json.ExitCode, 2);
    EXPECT_NE(json.Err.find("colors[0] (colors row 9), key name: \"é\" (U+00E9) has no code page "
                            "932 form"),
              std::string::npos)
        << json.Err;
    EXPECT_FALSE(OutputExists());
}

TEST_F(ImportCommand, UnusableEditsAreUsageErrorsAndWriteNothing)
{
    SaveDrawingAndCopy(700);
    struct TCase {
        std::string Edits;
        std::string Message;
        std::vector<std::string> Options = {};
    };
    const std::vector<TCase> cases = {
        {"", "no header row"},
        {"No.,レイヤ名\r\n1,a,b\r\n", "malformed CSV: line 2: the record has 3 fields"},
        {"No.,レイヤ名\r\n1,\"a\r\n", "malformed CSV: line 2: a quoted field that never ends"},
        {"No.,名前\r\n1,a\r\n", "line 1, column 2: \"名前\" is no column of the tables"},
        {"No.,レイヤ名,レイヤ名\r\n1,a,b\r\n", "the column \"レイヤ名\" is given twice"},
        {"レイヤ名\r\na\r\n", "the row number column \"No.\" is missing"},
        {"No.,要素数\r\n1,5\r\n", "the columns do not tell which table they belong to"},
        {"No.,レイヤ名,線色名\r\n1,a,b\r\n", "the columns belong to different tables"},
        {"table,No.,レイヤ名\r\nlayer,1,a\r\n", "line 2: unknown table \"layer\""},
        {"table,No.,レイヤ名,線色名\r\nlayers,1,a,b\r\n",
         "line 2, layers row 1, column 線色名: the column belongs to another table"},
        {"No.,レイヤ名\r\n256,a\r\n", "line 2: layers has no row 256; its rows are 0 to 255"},
        {"No.,線色名\r\n0,a\r\n", "line 2: colors has no row 0; its rows are 1 to 256"},
        {"No.,レイヤ名\r\nx1,a\r\n", "line 2: the row number \"x1\" is not a number from 0 to 255"},
        {"No.,レイヤ名\r\n3,a\r\n 3,b\r\n", "line 3: layers row 3 is given a second time (first "
                                            "at line 2)"},
        {"No.,画面色\r\n3,12O\r\n", "line 2, colors row 3, column 画面色: \"12O\" is not a whole "
                                    "number"},
        {"No.,画面線幅\r\n3,\r\n", "column 画面線幅: \"\" is not a whole number"},
        {"No.,点半径\r\n3,0.5mm\r\n", "column 点半径: \"0.5mm\" is not a number"},
        {"No.,パターン\r\n3,$FF\r\n", "\"$FF\" is not 1 to 8 hexadecimal digits"},
        {"No.,パターン\r\n3,123456789\r\n", "\"123456789\" is not 1 to 8 hexadecimal digits"},
        {"{\"layers\": [{\"no\": 1, \"name\": \"a\"},]}", "malformed JSON"},
        {"{\"names\": []}", "member \"names\": unknown table"},
        {"{\"layers\": {\"no\": 1}}", "member \"layers\": must be an array of rows"},
        {"{\"layers\": [{\"name\": \"a\"}]}", "layers[0]: the row has no \"no\""},
        {"{\"layers\": [{\"no\": 1, \"colour\": \"a\"}]}", "key colour: no column of layers has"},
        {"{\"layers\": [{\"no\": 1, \"name\": null}]}", "key name: must be a string or a number"},
        {"{\"colors\": [{\"no\": 1, \"screenWidth\": 1.5}]}", "\"1.5\" is not a whole number"},
        {"{\"layers\": [{\"no\": 1}]}", "JSON edits are always UTF-8", {"--encoding", "cp932"}},
        {"\xEF\xBB\xBFNo.,レイヤ名\r\n", "start with a UTF-8 byte-order mark, but --encoding cp932",
         {"--encoding", "cp932"}},
        {"No.,\x83\x8C\x83\x43\x83\x84\x96\xBC\r\n", "not valid UTF-8", {"--encoding", "utf-8"}},
    };
    for (const TCase& c : cases) {
        const TCliRun run = Import(c.Edits, c.Options);
        EXPECT_EQ(run.ExitCode, 2) << c.Edits;
        EXPECT_NE(run.Err.find(c.Message), std::string::npos) << c.Message << "\n" << run.Err;
        EXPECT_FALSE(OutputExists()) << c.Edits;
    }
    // Element counts are never read back, so their cells are not checked.
    EXPECT_EQ(Import("No.,レイヤ名,要素数\r\n1,a,many\r\n").ExitCode, 0);
}

TEST_F(ImportCommand, FilesThatCannotBeReadOrWrittenExitWithOne)
{
    SaveDrawingAndCopy(700);
    WriteFileBytes(Root + "edits", "No.,レイヤ名\r\n1,a\r\n");
    const std::string drawing = ReadFileBytes(Root + "in.jww");
    WriteFileBytes(Root + "broken.jww", drawing.substr(0, drawing.size() / 2));
    struct TCase {
        std::vector<std::string> Args;
        std::string Message;
    };
    const std::vector<TCase> cases = {
        {{Root + "in.jww", Root + "missing.csv", Root + "out.jww"}, "missing.csv: cannot be opened"},
        {{Root + "in.jww", Root + "tmp", Root + "out.jww"}, "tmp: cannot be read"},
        {{Root + "missing.jww", Root + "edits", Root + "out.jww"}, "missing.jww"},
        {{Root + "broken.jww", Root + "edits", Root + "out.jww"}, "could not be read completely"},
        {{Root + "in.jww", Root + "edits", Root + "no/out.jww"}, "could not be saved"},
        {{Root + "in.jww", Root + "edits", Root + "tmp/../in.jww"}, "is the input file"},
        {{Root + "in.jww", Root + "edits", Root + "edits"}, "is the edits file"},
    };
    for (const TCase& c : cases) {
        std::vector<std::string> args{"import"};
        args.insert(args.end(), c.Args.begin(), c.Args.end());
        const TCliRun run = Cli(args);
        EXPECT_EQ(run.ExitCode, 1) << c.Message;
        EXPECT_NE(run.Err.find(c.Message), std::string::npos) << c.Message << "\n" << run.Err;
    }
    EXPECT_EQ(ReadFileBytes(Root + "in.jww"), drawing);
    EXPECT_EQ(ReadFileBytes(Root + "edits"), "No.,レイヤ名\r\n1,a\r\n");
    EXPECT_EQ(OtherFiles({"in.jww", "copy.jww", "edits", "broken.jww"}), std::vector<std::string>{});

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"import", Root + "in.jww", Root + "edits"},
             {"import", Root + "in.jww", Root + "edits", Root + "out.jww", "--encoding", "sjis"}}) {
        EXPECT_EQ(Cli(args).ExitCode, 2);
    }
    EXPECT_FALSE(OutputExists());
    EXPECT_EQ(Cli({"import", "--help"}).ExitCode, 0);
}
