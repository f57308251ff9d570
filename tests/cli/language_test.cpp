#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/TextEncoding.h"
#include "tests/cli/CliTestSupport.h"

namespace {

constexpr TLanguage Languages[] = {TLanguage::English, TLanguage::Japanese};

class CliLanguage : public TCliTest {
protected:
    void SetUp() override
    {
        TCliTest::SetUp();
        SaveSxfDrawing(Root + "in.jww");
        SaveRevisedSxfDrawing(Root + "revised.jww");
        WriteFileBytes(Root + "edits.csv",
                       "table,No.,レイヤ名,画面線幅\r\nlayers,3,柱,\r\ncolors,2,,5000\r\n");
    }

    // A run whose paths read the same on both systems: a path put together on Windows has '\\'.
    TCliRun Run(const std::vector<std::string>& args, TLanguage language) const
    {
        TCliRun run = Cli(args, language);
        if (RunningOnWindows())
            for (std::string* text : {&run.Out, &run.Err})
                std::replace(text->begin(), text->end(), '\\', '/');
        return run;
    }
};

// What a command tells a person, in English and in Japanese.
struct TTold {
    std::string English;
    std::string Japanese;

    const std::string& In(TLanguage language) const
    {
        return language == TLanguage::Japanese ? Japanese : English;
    }
};

}  // namespace

TEST_F(CliLanguage, RefusalsAndUsageErrorsAreToldInTheUsersLanguage)
{
    WriteFileBytes(Root + "not.jww", "no drawing");
    WriteFileBytes(Root + "picture.svg", "a picture of the user's");
    const std::string in = Root + "in.jww";
    const std::string notJww = Root + "not.jww";
    const std::string picture = Root + "picture.svg";
    const std::tuple<std::vector<std::string>, int, TTold> cases[] = {
        {{"copy", notJww, Root + "new.jww"}, ExitFailure,
         {"zelvane-cli copy: " + notJww + ": is not a Jw_cad for Windows drawing file; nothing "
          "was written\n",
          "zelvane-cli copy: " + notJww + ": このファイルは、Jw_cad for Windows "
          "図面ファイルではありません。何も書き込んでいません。\n"}},
        {{"render", in, "-o", picture}, ExitFailure,
         {"zelvane-cli render: " + picture + ": exists already; give --force to replace it; "
          "nothing was written\n",
          "zelvane-cli render: " + picture + ": 同じ名前のファイルがすでにあります。置き換えるには "
          "--force を付けてください。何も書き込んでいません。\n"}},
        {{"import", in, notJww, Root + "new.jww"}, ExitUsage,
         {"zelvane-cli import: " + notJww + ": line 1, column 1: \"no drawing\" is no column of "
          "the tables; nothing was written\n",
          "zelvane-cli import: " + notJww + ": 1 行目の 1 列目: 「no drawing」という列は表にありません。"
          "何も書き込んでいません。\n"}},
        {{"apply", Root + "edits.csv", in}, ExitUsage,
         {"zelvane-cli apply: --out-dir is required\n"
          "Run zelvane-cli apply --help for more information.\n",
          "zelvane-cli apply: --out-dir を指定してください。\n"
          "詳しくは zelvane-cli apply --help で確かめてください。\n"}},
        {{"export", in, "--table", "rooms"}, ExitUsage,
         {"zelvane-cli export: --table: rooms is not one of {groups,layers,colors,linetypes,all}\n"
          "Run zelvane-cli export --help for more information.\n",
          "zelvane-cli export: --table に rooms は指定できません。"
          "{groups,layers,colors,linetypes,all} のどれかを指定してください。\n"
          "詳しくは zelvane-cli export --help で確かめてください。\n"}},
        // diff's trouble exits with 2, as a usage error does.
        {{"diff", in, notJww}, ExitUsage,
         {"zelvane-cli diff: " + notJww + ": is not a Jw_cad for Windows drawing file\n",
          "zelvane-cli diff: " + notJww + ": このファイルは、Jw_cad for Windows "
          "図面ファイルではありません。\n"}},
        {{"drawings"}, ExitUsage,
         {"zelvane-cli: drawings is no subcommand; the subcommands are copy, info, export, "
          "import, convert, render, apply, diff\nRun zelvane-cli --help for more information.\n",
          "zelvane-cli: drawings というサブコマンドはありません。サブコマンドは copy, info, export, "
          "import, convert, render, apply, diff です。\n詳しくは zelvane-cli --help で確かめてください。\n"}},
    };
    for (const auto& [args, exitCode, told] : cases)
        for (const TLanguage language : Languages) {
            const TCliRun run = Run(args, language);
            EXPECT_EQ(run.ExitCode, exitCode) << args.front();
            EXPECT_EQ(run.Err, told.In(language));
            EXPECT_EQ(run.Out, "");
        }
    EXPECT_EQ(ReadFileBytes(picture), "a picture of the user's");
}

TEST_F(CliLanguage, AnApplyTellsEveryDrawingItsRuleChangesAndTheSummaryInTheUsersLanguage)
{
    for (const TLanguage language : Languages) {
        const std::string out = Root + (language == TLanguage::Japanese ? "ja" : "en");
        const TCliRun run = Run({"apply", Root + "edits.csv", Root + "in.jww", "--out-dir", out},
                                language);
        EXPECT_EQ(run.ExitCode, ExitSuccess);
        const std::string drawing = Root + "in.jww: ";
        const std::string edits = drawing + Root + "edits.csv: ";
        const TTold err{"zelvane-cli apply: " + edits +
                            "line 3, colors row 2, column 画面線幅: \"5000\" is stored as \"1000\"\n",
                        "zelvane-cli apply: " + edits +
                            "3 行目、colors の No. 2、列「画面線幅」: 「5000」は「1000」として保存します。\n"};
        const TTold said{
            drawing + "written to " + out + "/in.jww\n"
                "1 drawing: 1 written, 0 skipped, 0 failed, 1 value changed by a rule\n",
            drawing + out + "/in.jww に書き込みました。\n"
                "図面 1 件: 書き込み 1 件、スキップ 0 件、失敗 0 件、規則で補正した値 1 個\n"};
        EXPECT_EQ(run.Err, err.In(language));
        EXPECT_EQ(run.Out, said.In(language));
    }
    EXPECT_EQ(ReadFileBytes(Root + "en/in.jww"), ReadFileBytes(Root + "ja/in.jww"));
}

TEST_F(CliLanguage, WhatScriptsReadIsTheSameInBothLanguages)
{
    // A drawing with bytes after its end, whose JSON report names the reason.
    WriteFileBytes(Root + "long.jww", ReadFileBytes(Root + "in.jww") + "end");
    const std::vector<std::string> commands[] = {
        {"export", Root + "in.jww", "--table", "all"},
        {"export", Root + "in.jww", "--format", "json"},
        {"info", Root + "in.jww", "--json"},
        {"info", Root + "long.jww", "--json"},
        {"diff", Root + "in.jww", Root + "revised.jww", "--format", "json", "--objects"},
    };
    for (const std::vector<std::string>& args : commands) {
        const TCliRun english = Run(args, TLanguage::English);
        const TCliRun japanese = Run(args, TLanguage::Japanese);
        EXPECT_EQ(english.ExitCode, japanese.ExitCode) << args.back();
        EXPECT_TRUE(english.Out == japanese.Out) << args.back();
    }
    for (const TLanguage language : Languages)
        EXPECT_EQ(Run({"render", Root + "in.jww", "-o",
                       Root + (language == TLanguage::Japanese ? "ja.svg" : "en.svg")},
                      language)
                      .ExitCode,
                  ExitSuccess);
    EXPECT_TRUE(ReadFileBytes(Root + "en.svg") == ReadFileBytes(Root + "ja.svg"));
}

TEST_F(CliLanguage, ADiffReviewsTheChangesInTheUsersLanguage)
{
    const std::string head = "--- " + Root + "in.jww\n+++ " + Root + "revised.jww\n";
    const TTold review{
        head + "layer 3-2: name 壁, \"A\" \u2192 躯体壁\n"
               "SXF colour 1: screen colour 0 \u2192 65280\n"
               "objects: +0, \u22121 (\u22121 dimension)\n"
               "layer group 0: \u22121 dimension\n"
               "layer 0-0: \u22121 dimension\n"
               "\u2212 dimension 0-0: (0, 0)-(0, 0) \"1000\"\n",
        head + "レイヤ 3-2: 名前 壁, \"A\" \u2192 躯体壁\n"
               "SXF線色 1: 画面色 0 \u2192 65280\n"
               "要素: +0、\u22121（寸法 \u22121）\n"
               "レイヤグループ 0: 寸法 \u22121\n"
               "レイヤ 0-0: 寸法 \u22121\n"
               "\u2212 寸法 0-0: (0, 0)-(0, 0) \"1000\"\n"};
    // An option's description and the notes.
    const TTold help[] = {{"The later drawing", "後の図面"},
                          {"Exit status: 0 the same content", "終了コード: 0 内容が同じ"}};
    for (const TLanguage language : Languages) {
        const TCliRun run =
            Run({"diff", Root + "in.jww", Root + "revised.jww", "--objects"}, language);
        EXPECT_EQ(std::tuple(run.ExitCode, run.Err), std::tuple(ExitFailure, ""));
        EXPECT_EQ(run.Out, review.In(language));
        const std::string helpText = Run({"diff", "--help"}, language).Out;
        for (const TTold& words : help)
            EXPECT_NE(helpText.find(words.In(language)), std::string::npos) << words.English;
    }
}

TEST_F(CliLanguage, TheHelpOfEverySubcommandLinesUpItsDescriptionsInBothLanguages)
{
    std::vector<std::vector<std::string>> helps{{"--help"}};
    for (const TCliCommand& command : CliCommands())
        helps.push_back({std::string(command.Name), "--help"});
    for (const TLanguage language : Languages)
        for (const std::vector<std::string>& args : helps) {
            const TCliRun run = Run(args, language);
            ASSERT_EQ(run.ExitCode, ExitSuccess);
            std::istringstream lines(run.Out);
            bool inList = false;
            for (std::string line; std::getline(lines, line);) {
                // A list of options or subcommands follows a heading and ends at a blank line.
                if (line.empty() || !line.starts_with(' ')) {
                    inList = line.ends_with(':');
                    continue;
                }
                const std::size_t gap = line.find("  ", 2);
                if (!inList || line.starts_with("   ") || gap == std::string::npos)
                    continue;
                const std::size_t description = line.find_first_not_of(' ', gap);
                EXPECT_EQ(TerminalWidth(line.substr(0, description)), 30u) << line;
            }
        }
}
