#include <gtest/gtest.h>

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

#include "tests/cli/CliTestSupport.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

class Termination : public TCliTest {
protected:
    pid_t Start(std::vector<std::string> args)
    {
        args.insert(args.begin(), ZELVANE_CLI_PROGRAM);
        std::vector<char*> argv;
        for (std::string& arg : args)
            argv.push_back(arg.data());
        argv.push_back(nullptr);
        // The program inherits TMPDIR, so its private image folders go to Root/tmp.
        pid_t pid = 0;
        EXPECT_EQ(::posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ), 0);
        return pid;
    }

    // Waits until a file whose name starts with prefix is in folder, or the program has ended.
    static bool AppearsIn(const std::string& folder, const std::string& prefix, pid_t pid)
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (std::chrono::steady_clock::now() < end) {
            std::error_code error;
            for (const auto& entry : fs::directory_iterator(folder, error))
                if (entry.path().filename().string().starts_with(prefix))
                    return true;
            int status = 0;
            if (::waitpid(pid, &status, WNOHANG) == pid)
                return false;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return false;
    }
};

}  // namespace

TEST_F(Termination, ARunEndedByASignalLeavesNeitherImagesNorAPartlyWrittenOutput)
{
    // Drawings with images, large enough that a save is caught under way.
    fs::create_directory(Root + "in");
    for (uint32_t i = 0; i < 12; ++i) {
        const TPrivateImageFolder imageFolder;
        TJwwDocument doc;
        GenerateDrawing(doc, {.Version = 700, .TargetBytes = 3'000'000, .Seed = i + 1});
        ASSERT_TRUE(SaveJww(doc, Root + "in/" + std::to_string(i) + ".jww", 700));
    }
    WriteFileBytes(Root + "edits.csv", "No.,レイヤ名\r\n1,壁\r\n");
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        SCOPED_TRACE(signal);
        const std::string out = Root + "out" + std::to_string(signal);
        fs::create_directory(out);
        const pid_t pid = Start({"apply", Root + "edits.csv", Root + "in", "--out-dir", out,
                                 "--jobs", "2"});
        ASSERT_TRUE(AppearsIn(Root + "tmp", "zelvane-cli-", pid));
        // Once a temp file of a save is seen; the signal may come a moment later, either way.
        AppearsIn(out, ".zelvane-", pid);
        ASSERT_EQ(::kill(pid, signal), 0);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signal) << status;
        EXPECT_TRUE(fs::is_empty(Root + "tmp"));
        // Only whole drawings are left.
        for (const std::string& name : FileNamesIn(out)) {
            EXPECT_FALSE(name.starts_with(".zelvane-")) << name;
            LoadDrawing(out + "/" + name);
        }
    }
}
