// git diff and git difftool over two revisions of a drawing in a repository, configured with
// the lines the README gives.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "tests/cli/CliTestSupport.h"
#include "text/Cp932.h"

namespace {

class GitDiff : public TCliTest {
protected:
    void SetUp() override
    {
        TCliTest::SetUp();
        // Only the repository's own configuration counts.
        SetEnvironment("GIT_CONFIG_NOSYSTEM", "1");
        SetEnvironment("GIT_CONFIG_GLOBAL", "/dev/null");
        Repository = Root + "repo";
    }

    void TearDown() override
    {
        UnsetEnvironment("GIT_CONFIG_NOSYSTEM");
        UnsetEnvironment("GIT_CONFIG_GLOBAL");
        TCliTest::TearDown();
    }

    // What git writes to standard output for the arguments, run in the repository.
    std::string Git(const std::string& arguments)
    {
        const std::string output = Root + "git-output";
        const std::string command =
            "git -C '" + Repository + "' " + arguments + " > '" + output + "' 2>&1";
        EXPECT_EQ(std::system(command.c_str()), 0) << command << "\n" << ReadFileBytes(output);
        return ReadFileBytes(output);
    }

    std::string Repository;
};

}  // namespace

TEST_F(GitDiff, ShowsTheRenamedLayerOfTheNextRevision)
{
    const std::string cli = std::string("'") + ZELVANE_CLI_PROGRAM + "'";
    ASSERT_EQ(std::system(("git init -q '" + Repository + "'").c_str()), 0);
    WriteFileBytes(Repository + "/.gitattributes", "*.jww diff=jww\n");
    Git("config diff.jww.textconv \"" + cli + " export --table all\"");
    Git("config difftool.zelvane.cmd '" + cli + " diff \"$LOCAL\" \"$REMOTE\"'");
    Git("config difftool.zelvane-window.cmd 'zelvane --compare \"$LOCAL\" \"$REMOTE\"'");
    const std::string commit = "-c user.name=Zelvane -c user.email=zelvane@example.org commit -q";

    SaveGeneratedDrawing(Repository + "/plan.jww", 700);
    const std::string oldName =
        Cp932ToUtf8Lossy(LoadDrawing(Repository + "/plan.jww")->LayerTable[2].Name);
    Git("add .gitattributes plan.jww");
    Git(commit + " -m first");
    WriteFileBytes(Root + "edits.csv", "No.,レイヤ名\r\n2,躯体壁\r\n");
    ASSERT_EQ(Cli({"import", Repository + "/plan.jww", Root + "edits.csv", Root + "plan.jww"})
                  .ExitCode,
              0);
    WriteFileBytes(Repository + "/plan.jww", ReadFileBytes(Root + "plan.jww"));
    Git(commit + " -am second");

    // The layer row of the table export, its count and name among empty cells of other tables.
    const std::string diff = Git("diff HEAD~1 HEAD");
    EXPECT_NE(diff.find("\n-layers,2,,"), std::string::npos) << diff;
    EXPECT_NE(diff.find("," + oldName + ","), std::string::npos) << diff;
    EXPECT_NE(diff.find("\n+layers,2,,"), std::string::npos) << diff;
    EXPECT_NE(diff.find(",躯体壁,"), std::string::npos) << diff;
    const std::string tool = Git("difftool --no-prompt --tool=zelvane HEAD~1 HEAD");
    EXPECT_NE(tool.find("layer 0-2: name " + oldName + " \u2192 躯体壁\n"), std::string::npos)
        << tool;

    // The window waits for its user, so a stand-in on the path keeps what it is handed: the
    // earlier revision and the later one, in that order.
    const std::string bin = Root + "bin";
    std::filesystem::create_directories(bin);
    WriteFileBytes(bin + "/zelvane", "#!/bin/sh\n[ \"$1\" = --compare ] && cp \"$2\" '" + Root +
                                         "was.jww' && cp \"$3\" '" + Root + "is.jww'\n");
    std::filesystem::permissions(bin + "/zelvane", std::filesystem::perms::owner_all);
    const std::string path = std::getenv("PATH");
    SetEnvironment("PATH", bin + ":" + path);
    Git("difftool --no-prompt --tool=zelvane-window HEAD~1 HEAD");
    SetEnvironment("PATH", path);
    EXPECT_EQ(Cp932ToUtf8Lossy(LoadDrawing(Root + "was.jww")->LayerTable[2].Name), oldName);
    EXPECT_EQ(Cp932ToUtf8Lossy(LoadDrawing(Root + "is.jww")->LayerTable[2].Name), "躯体壁");
}
