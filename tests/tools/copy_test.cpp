#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "jww/jwwunit.h"
#include "tests/support/HeaderBuilder.h"
#include "tests/support/JwwBuilder.h"
#include "tools/CliCommands.h"
#include "tools/DrawingGenerator.h"

namespace {

struct TCliRun {
    int ExitCode = -1;
    std::string Out;
    std::string Err;
};

TCliRun Cli(std::vector<std::string> args)
{
    args.insert(args.begin(), "zelvane-cli");
    std::vector<const char*> argv;
    for (const std::string& arg : args)
        argv.push_back(arg.c_str());
    std::ostringstream out, err;
    TCliRun run;
    run.ExitCode = RunZelvaneCli(static_cast<int>(argv.size()), argv.data(), out, err);
    run.Out = out.str();
    run.Err = err.str();
    return run;
}

// A small drawing of the given version, with a complete header, no objects and no images.
std::string EmptyDrawing(int32_t version)
{
    TJwwDocument fields = HeaderFields(version);
    fields.Header.SettingsG.TensPart = 1;
    std::string bytes = BuildHeader(fields) + Hex("00 00  00 00");
    if (version >= 700)
        bytes += Hex("00 00 00 00");
    return bytes;
}

class CopyCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        Root = TestFolder(std::string(info->test_suite_name()) + "." + info->name());
        // The command's private image folders go here, so the test sees whether they are gone.
        SystemTemp = Root + "tmp";
        std::filesystem::create_directory(SystemTemp);
        const char* previous = std::getenv("TMPDIR");
        PreviousTmpDir = previous ? std::optional<std::string>(previous) : std::nullopt;
        ::setenv("TMPDIR", SystemTemp.c_str(), 1);
    }

    void TearDown() override
    {
        EXPECT_TRUE(std::filesystem::is_empty(SystemTemp)) << "a private image folder was left";
        if (PreviousTmpDir)
            ::setenv("TMPDIR", PreviousTmpDir->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }

    std::string Root;
    std::string SystemTemp;
    std::optional<std::string> PreviousTmpDir;
};

}  // namespace

TEST_F(CopyCommand, GeneratedDrawingsSurviveRepeatedCopies)
{
    for (const int32_t version : {420, 600, 700, 800}) {
        SCOPED_TRACE(version);
        const std::string prefix = Root + std::to_string(version);
        const std::string generatorImages = prefix + "-images/";
        std::filesystem::create_directory(generatorImages);
        TempImageFolder = generatorImages;
        TJwwDocument generated;
        GenerateDrawing(generated, {.Version = version, .TargetBytes = 300000, .Seed = 11,
                                    .Images = true});
        ASSERT_TRUE(SaveJww(generated, prefix + "-original.jww", version));
        ClearTempImageList();
        TempImageFolder.clear();
        ExtractImages = false;

        const TCliRun first = Cli({"copy", prefix + "-original.jww", prefix + "-first.jww"});
        ASSERT_EQ(first.ExitCode, 0) << first.Err;
        const TCliRun second = Cli({"copy", prefix + "-first.jww", prefix + "-second.jww"});
        ASSERT_EQ(second.ExitCode, 0) << second.Err;
        EXPECT_TRUE(first.Err.empty() && second.Err.empty());

        const std::string copied = ReadFileBytes(prefix + "-first.jww");
        EXPECT_EQ(ReadFileBytes(prefix + "-second.jww"), copied);
        // A drawing the writers already normalised is copied unchanged.
        EXPECT_EQ(ReadFileBytes(prefix + "-original.jww"), copied);

        // The copy holds every kind of object, block definitions and, from 700 on, images.
        const std::string checkImages = prefix + "-check/";
        std::filesystem::create_directory(checkImages);
        TempImageFolder = checkImages;
        ExtractImages = true;
        TJwwDocument loaded;
        ASSERT_TRUE(LoadJww(loaded, prefix + "-first.jww"));
        EXPECT_EQ(loaded.Header.Version, version);
        EXPECT_FALSE(loaded.SenList.empty() || loaded.EnkoList.empty() || loaded.TenList.empty() ||
                     loaded.MojiList.empty() || loaded.SunpoList.empty() ||
                     loaded.SolidList.empty() || loaded.BlockList.empty());
        EXPECT_FALSE(loaded.BlockDefList.empty());
        EXPECT_EQ(TempImageList.empty(), version < 700);
        ClearTempImageList();
        TempImageFolder.clear();
        ExtractImages = false;
    }
}

TEST_F(CopyCommand, TheInputIsNeverTheOutput)
{
    const std::string input = Root + "in.jww";
    WriteFileBytes(input, EmptyDrawing(700));
    std::filesystem::create_hard_link(input, Root + "hard.jww");
    std::filesystem::create_symlink(input, Root + "soft.jww");
    for (const std::string& output :
         {input, Root + "./in.jww", Root + "tmp/../in.jww", Root + "hard.jww", Root + "soft.jww"}) {
        const TCliRun run = Cli({"copy", input, output});
        EXPECT_EQ(run.ExitCode, 1) << output;
        EXPECT_NE(run.Err.find("is the input file"), std::string::npos) << run.Err;
    }
    EXPECT_EQ(ReadFileBytes(input), EmptyDrawing(700));
}

TEST_F(CopyCommand, FilesTheWindowRefusesAreRefusedWithItsMessages)
{
    struct TCase {
        std::string Bytes;
        std::string Message;
    };
    const std::string header420 = BuildHeader(HeaderFields(420));
    const std::vector<TCase> cases = {
        {"jwwData." + EmptyDrawing(700).substr(8),
         "このファイルは、Jw_cad for Windows 図面ファイルではありません。"},
        {header420.substr(0, 3000), "JWWデータファイルのヘッダー部分が読み込めませんでした。"},
        {EmptyDrawing(351), "このJWWデータファイルは、Ver.4.20形式より以前のデータです。"},
    };
    for (const TCase& c : cases) {
        WriteFileBytes(Root + "in.jww", c.Bytes);
        const TCliRun run = Cli({"copy", Root + "in.jww", Root + "out.jww"});
        EXPECT_EQ(run.ExitCode, 1) << c.Message;
        EXPECT_NE(run.Err.find(c.Message), std::string::npos) << run.Err;
        EXPECT_FALSE(std::filesystem::exists(Root + "out.jww"));
    }
}

TEST_F(CopyCommand, AnIncompleteDrawingIsNotCopied)
{
    // The header is whole, so only the load can tell that the objects are missing.
    const std::string drawing = EmptyDrawing(700);
    WriteFileBytes(Root + "in.jww", drawing.substr(0, drawing.size() - 3));
    WriteFileBytes(Root + "out.jww", "earlier copy");
    const TCliRun run = Cli({"copy", Root + "in.jww", Root + "out.jww"});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find("could not be read completely"), std::string::npos) << run.Err;
    EXPECT_EQ(ReadFileBytes(Root + "out.jww"), "earlier copy");
}

TEST_F(CopyCommand, FailuresToOpenOrSaveExitWithOne)
{
    const TCliRun missing = Cli({"copy", Root + "missing.jww", Root + "out.jww"});
    EXPECT_EQ(missing.ExitCode, 1);
    EXPECT_NE(missing.Err.find("missing.jww"), std::string::npos) << missing.Err;

    WriteFileBytes(Root + "in.jww", EmptyDrawing(600));
    const TCliRun unsaved = Cli({"copy", Root + "in.jww", Root + "no/such/folder.jww"});
    EXPECT_EQ(unsaved.ExitCode, 1);
    EXPECT_NE(unsaved.Err.find("could not be saved"), std::string::npos) << unsaved.Err;

    const TCliRun copied = Cli({"copy", Root + "in.jww", Root + "out.jww"});
    EXPECT_EQ(copied.ExitCode, 0) << copied.Err;
}

TEST_F(CopyCommand, UsageErrorsExitWithTwoAndHelpListsTheSubcommands)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"copy"}, {"copy", "a.jww"}, {"copy", "a", "b", "c"}, {"paste", "a", "b"},
             {"--no-such-option"}}) {
        const TCliRun run = Cli(args);
        EXPECT_EQ(run.ExitCode, 2) << ::testing::PrintToString(args);
        EXPECT_FALSE(run.Err.empty());
    }
    const TCliRun help = Cli({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    for (const TCliCommand& command : CliCommands())
        EXPECT_NE(help.Out.find(command.Name), std::string::npos) << help.Out;
}
