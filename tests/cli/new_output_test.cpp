#include <gtest/gtest.h>

#include "tests/cli/CliTestSupport.h"

namespace {

class NewOutput : public TCliTest {
protected:
    void SetUp() override
    {
        TCliTest::SetUp();
        SaveSxfDrawing(Root + "in.jww");
        WriteFileBytes(Root + "edits.csv", "No.,レイヤ名\r\n1,壁\r\n");
    }

    // Every subcommand that writes a file, writing to out.
    std::vector<std::vector<std::string>> Writers(const std::string& out) const
    {
        return {{"copy", Root + "in.jww", out},
                {"import", Root + "in.jww", Root + "edits.csv", out},
                {"convert", Root + "in.jww", out, "--target-version", "600"},
                {"export", Root + "in.jww", "-o", out}};
    }
};

}  // namespace

TEST_F(NewOutput, AnExistingOutIsRefusedWithoutForceAndReplacedWithIt)
{
    for (const std::vector<std::string>& args : Writers(Root + "out")) {
        SCOPED_TRACE(args.front());
        WriteFileBytes(Root + "out", "a file of the user's");
        const TCliRun refused = Cli(args);
        EXPECT_EQ(refused.ExitCode, 1);
        EXPECT_EQ(refused.Err, "zelvane-cli " + args.front() + ": " + Root +
                                   "out: exists already; give --force to replace it; nothing "
                                   "was written\n");
        EXPECT_EQ(ReadFileBytes(Root + "out"), "a file of the user's");

        std::vector<std::string> forced = args;
        forced.push_back("--force");
        const TCliRun replaced = Cli(forced);
        EXPECT_EQ(replaced.ExitCode, 0) << replaced.Err;
        EXPECT_NE(ReadFileBytes(Root + "out"), "a file of the user's");
        // A new file needs no --force.
        std::filesystem::remove(Root + "out");
        EXPECT_EQ(Cli(args).ExitCode, 0);
    }
    EXPECT_EQ(Files(), (std::vector<std::string>{"edits.csv", "in.jww", "out", "tmp"}));
}

TEST_F(NewOutput, ALinkAtOutCountsAsAnExistingFileAndIsNotFollowed)
{
    SKIP_ON_WINDOWS("no symbolic link can be made there");
    WriteFileBytes(Root + "target", "linked file");
    std::filesystem::create_symlink(Root + "target", Root + "link");
    std::filesystem::create_symlink(Root + "nowhere", Root + "dangling");
    for (const std::string& out : {Root + "link", Root + "dangling"})
        for (const std::vector<std::string>& args : Writers(out))
            EXPECT_EQ(Cli(args).ExitCode, 1) << args.front() << " " << out;
    EXPECT_EQ(ReadFileBytes(Root + "target"), "linked file");
    EXPECT_FALSE(std::filesystem::exists(Root + "nowhere"));
}

TEST_F(NewOutput, ASaveAsANewFileNeverReplacesOneThatAppearedMeanwhile)
{
    // The file appears after the subcommand's own check, as another program's would.
    const auto doc = LoadDrawing(Root + "in.jww");
    WriteFileBytes(Root + "out.jww", "appeared");
    std::string failure;
    EXPECT_FALSE(SaveJwwAsNewFile(*doc, Root + "out.jww", doc->Header.Version, &failure));
    EXPECT_NE(failure.find("out.jww exists already"), std::string::npos) << failure;
    EXPECT_EQ(ReadFileBytes(Root + "out.jww"), "appeared");
    EXPECT_TRUE(SaveJwwAsNewFile(*doc, Root + "new.jww", doc->Header.Version));
    EXPECT_TRUE(ReadFileBytes(Root + "new.jww") == ReadFileBytes(Root + "in.jww"));
    EXPECT_EQ(Files(),
              (std::vector<std::string>{"edits.csv", "in.jww", "new.jww", "out.jww", "tmp"}));
}
