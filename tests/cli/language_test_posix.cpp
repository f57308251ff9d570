#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include "tests/cli/CliTestSupport.h"

extern char** environ;

namespace {

class ProgramLanguage : public TCliTest {};

bool IsLocaleVariable(std::string_view variable)
{
    for (const std::string_view name : {"LC_ALL=", "LC_MESSAGES=", "LANG=", "LANGUAGE="})
        if (variable.starts_with(name))
            return true;
    return false;
}

// The program run with this process's environment, its locale variables replaced by those
// given, and what it wrote, through files in folder.
TCliRun RunWith(const std::vector<std::string>& localeVariables, std::vector<std::string> args,
                const std::string& folder)
{
    std::vector<std::string> environment = localeVariables;
    for (char** variable = environ; *variable != nullptr; ++variable)
        if (!IsLocaleVariable(*variable))
            environment.emplace_back(*variable);
    std::vector<char*> envp;
    for (std::string& variable : environment)
        envp.push_back(variable.data());
    envp.push_back(nullptr);
    args.insert(args.begin(), ZELVANE_CLI_PROGRAM);
    std::vector<char*> argv;
    for (std::string& arg : args)
        argv.push_back(arg.data());
    argv.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    const std::string outFile = folder + "out.txt";
    const std::string errFile = folder + "err.txt";
    posix_spawn_file_actions_addopen(&actions, 1, outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    posix_spawn_file_actions_addopen(&actions, 2, errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0600);
    pid_t pid = 0;
    const int spawned = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    EXPECT_EQ(spawned, 0);
    int status = 0;
    EXPECT_EQ(::waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status));
    return {WEXITSTATUS(status), ReadFileBytes(outFile), ReadFileBytes(errFile)};
}

}  // namespace

TEST_F(ProgramLanguage, ItSpeaksJapaneseWhereTheFirstLocaleVariableSetNamesJapanese)
{
    const std::string notJww = Root + "not.jww";
    WriteFileBytes(notJww, "no drawing");
    const std::string english =
        "zelvane-cli info: " + notJww + ": is not a Jw_cad for Windows drawing file\n";
    const std::string japanese = "zelvane-cli info: " + notJww +
                                 ": このファイルは、Jw_cad for Windows 図面ファイルではありません。\n";
    const std::pair<std::vector<std::string>, const std::string*> cases[] = {
        {{"LANG=ja_JP.UTF-8"}, &japanese},
        {{"LANG=C.UTF-8"}, &english},
        {{}, &english},
        {{"LANG=ja_JP.UTF-8", "LC_ALL=C.UTF-8"}, &english},
        {{"LANG=C.UTF-8", "LC_MESSAGES=ja_JP.UTF-8"}, &japanese},
        {{"LANG=ja_JP.UTF-8", "LC_MESSAGES=en_US.UTF-8"}, &english},
        {{"LANG=C", "LC_MESSAGES=C", "LC_ALL=ja_JP.eucJP"}, &japanese},
        {{"LANG=ja_JP.UTF-8", "LC_ALL="}, &japanese},
    };
    for (const auto& [variables, said] : cases)
        EXPECT_EQ(RunWith(variables, {"info", notJww}, Root).Err, *said)
            << ::testing::PrintToString(variables);
}

TEST_F(ProgramLanguage, ADiffSaysUnderAJapaneseLocaleWhatItSaysInJapaneseAndWritesTheSameJson)
{
    const std::string old = Root + "old.jww";
    const std::string now = Root + "new.jww";
    SaveSxfDrawing(old);
    SaveRevisedSxfDrawing(now);
    const std::pair<std::string, TLanguage> locales[] = {{"LANG=ja_JP.UTF-8", TLanguage::Japanese},
                                                         {"LANG=C.UTF-8", TLanguage::English}};
    const std::vector<std::string> commands[] = {
        {"diff", old, now, "--objects"}, {"diff", old, now, "--objects", "--format", "json"}, {"diff", "--help"}};
    for (const std::vector<std::string>& args : commands) {
        std::vector<std::string> told;
        for (const auto& [variable, language] : locales) {
            const TCliRun run = RunWith({variable}, args, Root);
            const TCliRun inside = Cli(args, language);
            EXPECT_EQ(std::tuple(run.ExitCode, run.Out, run.Err),
                      std::tuple(inside.ExitCode, inside.Out, inside.Err))
                << variable << " " << args.back();
            told.push_back(run.Out);
        }
        EXPECT_EQ(told.front() == told.back(), args.back() == "json") << args.back();
    }
}
