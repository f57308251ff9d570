#include <gtest/gtest.h>

#include <algorithm>

#include "cli/BatchReport.h"
#include "cli/PendingOutputs.h"
#include "cli/TextEncoding.h"
#include "tests/cli/CliTestSupport.h"

namespace {

namespace fs = std::filesystem;

// A layer name to set and a colour width that the window's rule clamps.
const std::string Edits = "table,No.,レイヤ名,画面線幅\r\nlayers,3,柱,\r\ncolors,2,,5000\r\n";

class ApplyCommand : public TCliTest {
protected:
    void SetUp() override
    {
        TCliTest::SetUp();
        WriteFileBytes(Root + "edits.csv", Edits);
        fs::create_directory(Root + "in");
    }

    // Generated drawings of several versions and sizes, with and without images.
    void SaveDrawings(const std::vector<std::string>& names)
    {
        const int32_t versions[] = {420, 600, 700, 800};
        for (std::size_t i = 0; i < names.size(); ++i) {
            const TPrivateImageFolder imageFolder;
            TJwwDocument doc;
            const int32_t version = versions[i % 4];
            GenerateDrawing(doc, {.Version = version, .TargetBytes = 20000 * (i % 3),
                                  .Seed = static_cast<uint32_t>(i + 1)});
            ASSERT_TRUE(SaveJww(doc, Root + "in/" + names[i], version));
        }
    }

    TCliRun Apply(std::vector<std::string> args)
    {
        args.insert(args.begin(), {"apply", Root + "edits.csv"});
        TCliRun run = Cli(args);
        // The drawings of a folder walked on Windows are named with '\\'.
        if (RunningOnWindows())
            for (std::string* text : {&run.Out, &run.Err})
                std::replace(text->begin(), text->end(), '\\', '/');
        return run;
    }
};

}  // namespace

TEST_F(ApplyCommand, ResultsEqualThoseOfImportByteForByte)
{
    const std::vector<std::string> names = {"a.jww", "b.jww", "c.jww", "d.jww", "e.jww", "f.jww"};
    SaveDrawings(names);
    const TCliRun run = Apply({Root + "in", "--out-dir", Root + "out", "--jobs", "3"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_NE(run.Out.find("6 drawings: 6 written, 0 skipped, 0 failed, 6 values changed by a "
                           "rule\n"),
              std::string::npos)
        << run.Out;
    for (const std::string& name : names) {
        // One line per drawing, and the same warning import gives for the clamped width.
        EXPECT_NE(run.Out.find(Root + "in/" + name + ": written to " + Root + "out/" + name + "\n"),
                  std::string::npos);
        const TCliRun imported =
            Cli({"import", Root + "in/" + name, Root + "edits.csv", Root + name});
        ASSERT_EQ(imported.ExitCode, 0) << imported.Err;
        const std::string warning = imported.Err.substr(imported.Err.find(Root + "edits.csv"));
        EXPECT_NE(run.Err.find("zelvane-cli apply: " + Root + "in/" + name + ": " + warning),
                  std::string::npos)
            << run.Err;
        EXPECT_TRUE(ReadFileBytes(Root + "out/" + name) == ReadFileBytes(Root + name)) << name;
        EXPECT_EQ(LoadDrawing(Root + "out/" + name)->LayerTable[3].Name, "\x92\x8C");
    }
}

TEST_F(ApplyCommand, ABrokenDrawingAmongGoodOnesIsReportedAndTheOthersAreWritten)
{
    SaveDrawings({"a.jww", "b.jww", "c.jww"});
    const std::string good = ReadFileBytes(Root + "in/b.jww");
    WriteFileBytes(Root + "in/cut.jww", good.substr(0, good.size() - 3));
    WriteFileBytes(Root + "in/text.jww", "no drawing");
    TSmallDrawing(351).Save(Root + "in/old.jww");
    const TCliRun run = Apply({Root + "in", Root + "missing.jww", "--out-dir", Root + "out"});
    EXPECT_EQ(run.ExitCode, 1);
    for (const std::string reason :
         {"in/cut.jww: the drawing could not be read completely",
          "in/text.jww: is not a Jw_cad for Windows drawing file",
          "in/old.jww: the JWW data file is of a format before Ver.4.20",
          "missing.jww: does not exist"})
        EXPECT_NE(run.Err.find("zelvane-cli apply: " + Root + reason), std::string::npos)
            << reason << "\n" << run.Err;
    EXPECT_NE(run.Out.find("7 drawings: 3 written, 0 skipped, 4 failed"), std::string::npos);
    EXPECT_EQ(FileNamesIn(Root + "out"), (std::vector<std::string>{"a.jww", "b.jww", "c.jww"}));
}

TEST_F(ApplyCommand, InputsAndExistingFilesAreNeverWrittenOver)
{
    SaveDrawings({"a.jww", "b.jww"});
    fs::create_directories(Root + "other");
    fs::copy_file(Root + "in/a.jww", Root + "other/a.jww");
    const std::string a = ReadFileBytes(Root + "in/a.jww");
    const std::string b = ReadFileBytes(Root + "in/b.jww");

    // Results into the drawings' own folder would be the drawings themselves.
    TCliRun run = Apply({Root + "in", "--out-dir", Root + "in"});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find(Root + "in/a.jww: skipped: " + Root + "in/a.jww is the drawing itself"),
              std::string::npos)
        << run.Err;
    EXPECT_EQ(ReadFileBytes(Root + "in/a.jww"), a);

    // An existing result stays; a second drawing of the same name is not written over the first.
    fs::create_directories(Root + "out");
    WriteFileBytes(Root + "out/b.jww", "kept");
    run = Apply({Root + "in/a.jww", Root + "in/b.jww", Root + "other/a.jww", "--out-dir",
                 Root + "out"});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find(Root + "in/b.jww: skipped: " + Root + "out/b.jww exists already"),
              std::string::npos);
    EXPECT_NE(run.Err.find(Root + "other/a.jww: skipped: " + Root +
                           "out/a.jww is also the output of " + Root + "in/a.jww"),
              std::string::npos)
        << run.Err;
    EXPECT_NE(run.Out.find("3 drawings: 1 written, 2 skipped, 0 failed"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(Root + "out/b.jww"), "kept");
    EXPECT_TRUE(ReadFileBytes(Root + "out/a.jww") != a);

    // With a suffix the results may go beside the drawings.
    run = Apply({Root + "in", "--out-dir", Root + "in", "--suffix", "-std"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(FileNamesIn(Root + "in"),
              (std::vector<std::string>{"a-std.jww", "a.jww", "b-std.jww", "b.jww"}));
    EXPECT_EQ(ReadFileBytes(Root + "in/a.jww") + ReadFileBytes(Root + "in/b.jww"), a + b);
}

TEST_F(ApplyCommand, FoldersAreWalkedForDrawingsInAnyLetterCaseButNotTheOutputFolder)
{
    fs::create_directories(Root + "in/sub/deeper");
    SaveDrawings({"a.jww", "sub/b.JWW", "sub/deeper/c.Jww"});
    WriteFileBytes(Root + "in/notes.txt", "not a drawing");
    fs::create_directories(Root + "in/out");
    fs::copy_file(Root + "in/a.jww", Root + "in/out/earlier.jww");
    const TCliRun run = Apply({Root + "in", "--out-dir", Root + "in/out"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_NE(run.Out.find("3 drawings: 3 written"), std::string::npos) << run.Out;
    for (const char* result : {"in/out/a.jww", "in/out/sub/b.JWW", "in/out/sub/deeper/c.Jww"})
        EXPECT_TRUE(fs::is_regular_file(Root + result)) << result;
    EXPECT_FALSE(fs::exists(Root + "in/out/out"));

    fs::create_directories(Root + "empty");
    const TCliRun none = Apply({Root + "empty", "--out-dir", Root + "out"});
    EXPECT_EQ(none.ExitCode, 0);
    EXPECT_NE(none.Err.find(Root + "empty: holds no drawings (*.jww)"), std::string::npos);
}

TEST_F(ApplyCommand, ACheckTellsWhatWouldChangeAndWritesNothing)
{
    SaveDrawings({"a.jww", "b.jww"});
    fs::create_directories(Root + "out");
    WriteFileBytes(Root + "out/b.jww", "kept");
    const TCliRun run = Apply({Root + "in", "--out-dir", Root + "out", "--check"});
    EXPECT_EQ(run.ExitCode, 1);
    const std::string oldName = ReadableText(LoadDrawing(Root + "in/a.jww")->LayerTable[3].Name);
    EXPECT_NE(run.Out.find(Root + "in/a.jww: would be written to " + Root + "out/a.jww, 2 cells "
                           "changed\n  layers No. 3, レイヤ名: \"" + oldName + "\" -> \"柱\"\n"),
              std::string::npos)
        << run.Out;
    EXPECT_NE(run.Out.find("colors No. 2, 画面線幅: "), std::string::npos);
    EXPECT_NE(run.Err.find("in/a.jww: " + Root + "edits.csv: line 3, colors row 2"),
              std::string::npos)
        << run.Err;
    EXPECT_NE(run.Out.find("2 drawings: 1 would be written, 1 skipped, 0 failed, 1 value a rule "
                           "would change; nothing was written\n"),
              std::string::npos)
        << run.Out;
    EXPECT_EQ(FileNamesIn(Root + "out"), std::vector<std::string>{"b.jww"});
    EXPECT_EQ(Apply({Root + "in", "--out-dir", Root + "new", "--check"}).ExitCode, 0);
    EXPECT_FALSE(fs::exists(Root + "new"));
}

// Each picture is the one render --edits draws, in the result's subfolder, and none is
// written over an existing file; --render asks for a dry run.
TEST_F(ApplyCommand, ACheckWithRenderDrawsEachResultAsRenderEditsDoes)
{
    fs::create_directories(Root + "in/sub");
    SaveDrawings({"a.jww", "sub/b.jww"});
    const TCliRun run =
        Apply({Root + "in", "--out-dir", Root + "out", "--check", "--render", Root + "pics"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_NE(run.Out.find(Root + "in/sub/b.jww: would be written to " + Root + "out/sub/b.jww, "
                           "2 cells changed, drawn in " + Root + "pics/sub/b.svg\n"),
              std::string::npos)
        << run.Out;
    EXPECT_NE(run.Out.find("2 drawings: 2 would be written, 0 skipped, 0 failed, 2 values a rule "
                           "would change; no drawing was written, the pictures are in " +
                           Root + "pics\n"),
              std::string::npos)
        << run.Out;
    EXPECT_FALSE(fs::exists(Root + "out"));
    for (const char* name : {"a", "sub/b"}) {
        ASSERT_EQ(Cli({"render", Root + "in/" + name + ".jww", "--edits", Root + "edits.csv",
                       "-o", Root + "expected.svg", "--force"})
                      .ExitCode,
                  0);
        EXPECT_EQ(ReadFileBytes(Root + "pics/" + name + ".svg"), ReadFileBytes(Root + "expected.svg"))
            << name;
    }

    WriteFileBytes(Root + "pics/a.svg", "kept");
    const TCliRun again =
        Apply({Root + "in", "--out-dir", Root + "out", "--check", "--render", Root + "pics"});
    EXPECT_EQ(again.ExitCode, 1);
    EXPECT_NE(again.Err.find("in/a.jww: skipped: " + Root + "pics/a.svg exists already"),
              std::string::npos)
        << again.Err;
    EXPECT_EQ(ReadFileBytes(Root + "pics/a.svg"), "kept");

    EXPECT_EQ(Apply({Root + "in/a.jww", "--out-dir", Root + "out", "--check", "--render",
                     Root + "png", "--render-format", "png"})
                  .ExitCode,
              0);
    EXPECT_EQ(ReadFileBytes(Root + "png/a.png").substr(0, 8), "\x89PNG\r\n\x1A\n");
    EXPECT_EQ(Apply({Root + "in", "--out-dir", Root + "out", "--render", Root + "new"}).ExitCode,
              2);
    EXPECT_FALSE(fs::exists(Root + "new"));
    EXPECT_FALSE(fs::exists(Root + "out"));
}

TEST_F(ApplyCommand, UsageErrorsAndUnusableEditsExitWithTwoAndWriteNothing)
{
    SaveDrawings({"a.jww"});
    WriteFileBytes(Root + "file", "");
    WriteFileBytes(Root + "bad.csv", "No.,レイヤ名\r\n300,x\r\n");
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{"apply", Root + "edits.csv", Root + "in"}, "--out-dir is required"},
        {{"apply", Root + "edits.csv", "--out-dir", Root + "out"}, "DRAWING is required"},
        {{"apply", Root + "edits.csv", Root + "in", "--out-dir", Root + "out", "--jobs", "0"},
         "--jobs"},
        {{"apply", Root + "edits.csv", Root + "in", "--out-dir", Root + "out", "--suffix", "a/b"},
         "holds a folder separator; nothing was written"},
        {{"apply", Root + "edits.csv", Root + "in", "--out-dir", Root + "file"},
         "file: is not a folder; nothing was written"},
        {{"apply", Root + "bad.csv", Root + "in", "--out-dir", Root + "out"},
         "layers has no row 300; its rows are 0 to 255; nothing was written"},
        {{"apply", Root + "none.csv", Root + "in", "--out-dir", Root + "out"},
         "none.csv: cannot be opened"},
    };
    for (const auto& [args, message] : cases) {
        const TCliRun run = Cli(args);
        EXPECT_EQ(run.ExitCode, 2) << message;
        EXPECT_NE(run.Err.find(message), std::string::npos) << run.Err;
    }
    EXPECT_FALSE(fs::exists(Root + "out"));
}

TEST(BatchReport, OnATerminalABarCountsTheDrawingsAndFailuresArePrintedAboveIt)
{
    std::ostringstream out, err;
    TBatchReport report(out, err, 3, true, false);
    report.Tell({TBatchResult::Written, "a.jww: written to out/a.jww", {}, 0, {}});
    report.Tell({TBatchResult::Failed, "b.jww: broken", {"b.jww: warning: w"}, 0, {}});
    report.Finish();
    EXPECT_EQ(report.ExitCode(), 1);
    // No line for a drawing written: the bar tells it.
    EXPECT_EQ(out.str(), "3 drawings: 1 written, 0 skipped, 1 failed, 0 values changed by a rule\n");
    const std::string bar = std::string(10, '#') + std::string(20, '.');
    EXPECT_EQ(err.str(), "\r[" + std::string(30, '.') + "] 0/3  0:00" +
                             "\r[" + bar + "] 1/3  0:00" +
                             "\r\x1b[Kzelvane-cli apply: b.jww: warning: w\n"
                             "\r\x1b[Kzelvane-cli apply: b.jww: broken\n"
                             "\r[" + std::string(20, '#') + std::string(10, '.') + "] 2/3  0:00\n");
}

TEST_F(ApplyCommand, AResultIsNeverPutOverAFileThatAppearedWhileItWaited)
{
    std::ostringstream out, err;
    TBatchReport report(out, err, 2, false, false);
    {
        TPendingOutputs pending(report);
        for (const char* name : {"a.jww", "b.jww"}) {
            auto file = std::make_unique<TTempSibling>(Root + name);
            file->Write("new bytes");
            file->Close();
            pending.Add(std::move(file), "in", Root + name,
                        {TBatchResult::Written, std::string("in: written to ") + name, {}, 0, {}});
        }
        WriteFileBytes(Root + "b.jww", "appeared");
        pending.PlaceAll();
    }
    report.Finish();
    EXPECT_EQ(ReadFileBytes(Root + "a.jww"), "new bytes");
    EXPECT_EQ(ReadFileBytes(Root + "b.jww"), "appeared");
    EXPECT_NE(err.str().find("in: " + Root + "b.jww: the drawing could not be saved (" + Root +
                             "b.jww exists already)"),
              std::string::npos)
        << err.str();
    EXPECT_EQ(out.str(), "in: written to a.jww\n2 drawings: 1 written, 0 skipped, 1 failed, 0 "
                         "values changed by a rule\n");
    // Neither temp file stays.
    EXPECT_EQ(Files(), (std::vector<std::string>{"a.jww", "b.jww", "edits.csv", "in", "tmp"}));
}
