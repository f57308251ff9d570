#include <gtest/gtest.h>

#include "tests/cli/CliTestSupport.h"

class CopyCommand : public TCliTest {};

TEST_F(CopyCommand, GeneratedDrawingsCopyToTheSameBytesAgainAndAgain)
{
    for (const int32_t version : {420, 600, 700, 800}) {
        SCOPED_TRACE(version);
        const std::string prefix = Root + std::to_string(version);
        SaveGeneratedDrawing(prefix + "-original.jww", version);
        const TCliRun first = Cli({"copy", prefix + "-original.jww", prefix + "-first.jww"});
        const TCliRun second = Cli({"copy", prefix + "-first.jww", prefix + "-second.jww"});
        ASSERT_EQ(first.ExitCode + second.ExitCode, 0) << first.Err << second.Err;
        EXPECT_EQ(first.Err + second.Err, "");
        const std::string copied = ReadFileBytes(prefix + "-first.jww");
        EXPECT_TRUE(ReadFileBytes(prefix + "-second.jww") == copied);
        // A drawing the writers already normalised is copied unchanged, images included.
        EXPECT_TRUE(ReadFileBytes(prefix + "-original.jww") == copied);
        std::vector<TBindImageType> images;
        LoadDrawing(prefix + "-first.jww", &images);
        EXPECT_EQ(images.empty(), version < 700);
    }
}

TEST_F(CopyCommand, ADrawingWithCharactersCodePage932CannotHoldIsCopiedWithAWarning)
{
    TJwwDocument generated;
    GenerateDrawing(generated, {.Version = 700, .Images = false});
    generated.Header.Memo = "memo";
    generated.StringForm = TStringForm::Wide;
    std::string wide = Saved(generated);
    // The memo, the first string behind the signature and the version, is "memo" in UTF-16
    // behind the wide marker and its length; its "e" becomes U+00E9.
    constexpr std::size_t MemoE = 12 + 4 + 2;
    ASSERT_EQ(wide.substr(MemoE, 2), Hex("65 00"));
    wide[MemoE] = static_cast<char>(0xE9);
    WriteFileBytes(Root + "lossy.jww", wide);

    const TCliRun run = Cli({"copy", Root + "lossy.jww", Root + "out.jww"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Err, "zelvane-cli copy: warning: the drawing holds characters that Shift-JIS "
                       "cannot represent; a save replaces them with \"?\"\n");
    EXPECT_EQ(LoadDrawing(Root + "out.jww")->Header.Memo, "m?mo");
}

TEST_F(CopyCommand, BytesAfterTheLastSectionAreNeverDroppedWithoutBeingAskedTo)
{
    SaveGeneratedDrawing(Root + "in.jww", 700);
    const std::string drawing = ReadFileBytes(Root + "in.jww");
    WriteFileBytes(Root + "longer.jww", drawing + "tail!");
    const TCliRun refused = Cli({"copy", Root + "longer.jww", Root + "out.jww"});
    EXPECT_EQ(refused.ExitCode, 1);
    EXPECT_EQ(refused.Err, "zelvane-cli copy: " + Root + "longer.jww: 5 bytes after the last "
                           "section of the drawing could not be read and would be lost; "
                           "--allow-loss writes the drawing without them; nothing was written\n");
    EXPECT_FALSE(std::filesystem::exists(Root + "out.jww"));
    for (const char* command : {"import", "convert"}) {
        std::vector<std::string> arguments{command, Root + "longer.jww"};
        if (command == std::string("import")) {
            WriteFileBytes(Root + "edits.csv", "No.,レイヤ名\n1,x\n");
            arguments.push_back(Root + "edits.csv");
        }
        arguments.push_back(Root + "out.jww");
        if (command == std::string("convert"))
            arguments.insert(arguments.end(), {"--target-version", "700"});
        EXPECT_EQ(Cli(arguments).ExitCode, 1) << command;
        EXPECT_FALSE(std::filesystem::exists(Root + "out.jww")) << command;
    }
    const TCliRun applied = Cli({"apply", Root + "edits.csv", Root + "longer.jww", "--out-dir",
                                 Root + "applied"});
    EXPECT_EQ(applied.ExitCode, 1);
    EXPECT_NE(applied.Err.find("5 bytes after the last section"), std::string::npos) << applied.Err;
    EXPECT_FALSE(std::filesystem::exists(Root + "applied/longer.jww"));
    const TCliRun allowed = Cli({"copy", Root + "longer.jww", Root + "out.jww", "--allow-loss"});
    EXPECT_EQ(allowed.ExitCode, 0) << allowed.Err;
    EXPECT_NE(allowed.Err.find("warning: 5 bytes after"), std::string::npos)
        << allowed.Err;
    EXPECT_TRUE(ReadFileBytes(Root + "out.jww") == drawing);
}

TEST_F(CopyCommand, AnImageThatCannotHaveATempFileIsCopiedWithoutItAndNamed)
{
    SaveGeneratedDrawing(Root + "in.jww", 700);
    std::string drawing = ReadFileBytes(Root + "in.jww");
    // The entry of the first image, renamed to a name no file system takes; its texts still
    // refer to it, as they refer by the start of a name.
    const std::string entry = "\x07ZG1.BMP";
    const std::size_t at = drawing.rfind(entry);
    ASSERT_NE(at, std::string::npos);
    const std::string longName = "ZG1.BMP" + std::string(293, 'x');
    drawing.replace(at, entry.size(), "\xFF" + TJwwBuilder().Word(300).Bytes() + longName);
    WriteFileBytes(Root + "long.jww", drawing);
    const TCliRun run = Cli({"copy", Root + "long.jww", Root + "out.jww"});
    EXPECT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(run.Err, "zelvane-cli copy: warning: the image " + longName +
                           " cannot be extracted under its name and is left out of the new file\n");
    std::vector<TBindImageType> images;
    LoadDrawing(Root + "out.jww", &images);
    EXPECT_EQ(images.size(), 2u);
}

TEST_F(CopyCommand, RefusalsAndFailuresExitWithOneAndWriteNothing)
{
    SaveSxfDrawing(Root + "in.jww");
    TSmallDrawing(351).Save(Root + "old.jww");
    const std::string drawing = ReadFileBytes(Root + "in.jww");
    std::filesystem::create_hard_link(Root + "in.jww", Root + "hard.jww");
    WriteFileBytes(Root + "other.jww", "jwwData." + drawing.substr(8));
    WriteFileBytes(Root + "short.jww", BuildHeader(HeaderFields(420)).substr(0, 3000));
    // The header is whole, so only the load can tell that the objects are missing.
    WriteFileBytes(Root + "cut.jww", drawing.substr(0, drawing.size() - 3));
    WriteFileBytes(Root + "out.jww", "earlier copy");
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"in.jww", "in.jww", "is the input file"}, {"in.jww", "tmp/../in.jww", "is the input file"},
        {"in.jww", "hard.jww", "is the input file"},
        {"in.jww", "no/such/folder.jww", "could not be saved"},
        {"in.jww", "out.jww", "out.jww: exists already; give --force to replace it"},
        {"missing.jww", "new.jww", "missing.jww: does not exist"},
        {"other.jww", "new.jww", "other.jww: is not a Jw_cad for Windows drawing file"},
        {"short.jww", "new.jww", "short.jww: the header of the JWW data file could not be read"},
        {"old.jww", "new.jww", "old.jww: the JWW data file is of a format before Ver.4.20"},
        {"cut.jww", "new.jww", "could not be read completely"},
    };
    for (const auto& [input, output, message] : cases) {
        const TCliRun run = Cli({"copy", Root + input, Root + output});
        EXPECT_EQ(run.ExitCode, 1) << message;
        EXPECT_NE(run.Err.find(message), std::string::npos) << run.Err;
    }
    EXPECT_EQ(ReadFileBytes(Root + "in.jww"), drawing);
    EXPECT_EQ(ReadFileBytes(Root + "out.jww"), "earlier copy");
    EXPECT_EQ(Files(), (std::vector<std::string>{"cut.jww", "hard.jww", "in.jww", "old.jww",
                                                 "other.jww", "out.jww", "short.jww", "tmp"}));
}

TEST_F(CopyCommand, ALinkToTheInputFileIsTheInputFile)
{
    SKIP_ON_WINDOWS("no symbolic link can be made there");
    SaveSxfDrawing(Root + "in.jww");
    std::filesystem::create_symlink(Root + "in.jww", Root + "soft.jww");
    const TCliRun run = Cli({"copy", Root + "in.jww", Root + "soft.jww"});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find("is the input file"), std::string::npos) << run.Err;
    EXPECT_TRUE(std::filesystem::is_symlink(Root + "soft.jww"));
    EXPECT_EQ(Files(), (std::vector<std::string>{"in.jww", "soft.jww", "tmp"}));
}

TEST_F(CopyCommand, UsageErrorsExitWithTwoAndHelpListsTheSubcommands)
{
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {}, {"copy", "a.jww"}, {"copy", "a", "b", "c"}, {"paste", "a", "b"}, {"--no-such"}}) {
        const TCliRun run = Cli(args);
        EXPECT_EQ(run.ExitCode, 2) << ::testing::PrintToString(args);
        EXPECT_FALSE(run.Err.empty());
    }
    const TCliRun help = Cli({"--help"});
    EXPECT_EQ(help.ExitCode, 0);
    for (const TCliCommand& command : CliCommands())
        EXPECT_NE(help.Out.find(command.Name), std::string::npos) << help.Out;
}
