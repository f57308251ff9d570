#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/tools/CliTestSupport.h"
#include "text/Cp932.h"

namespace {

class InfoCommand : public TCliTest {};

nlohmann::json KindCounts(const TEntityCollections& list)
{
    return {{"lines", list.SenList.size()},       {"arcs", list.EnkoList.size()},
            {"points", list.TenList.size()},      {"texts", list.MojiList.size()},
            {"dimensions", list.SunpoList.size()}, {"solids", list.SolidList.size()},
            {"blockInsertions", list.BlockList.size()}};
}

}  // namespace

TEST_F(InfoCommand, ReportsWhatTheDrawingHolds)
{
    SaveGeneratedDrawing(Root + "in.jww", 700);
    const TLoadedDrawing loaded = LoadDrawing(Root + "in.jww");
    const TJwwDocument& doc = *loaded.Doc;
    ASSERT_FALSE(loaded.Images.empty());
    ASSERT_GE(doc.BlockDefList.size(), 2u);

    const TCliRun run = Cli({"info", Root + "in.jww", "--json"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    const nlohmann::json json = nlohmann::json::parse(run.Out);
    EXPECT_EQ(json["version"], 700);
    EXPECT_EQ(json["complete"], true);
    EXPECT_FALSE(json.contains("failure"));
    EXPECT_EQ(json["memo"], Cp932ToUtf8(doc.Header.Memo).value());
    EXPECT_EQ(json["stringForm"], "byte");
    EXPECT_EQ(json["charactersReplaced"], false);
    EXPECT_EQ(json["objects"], KindCounts(doc));
    EXPECT_EQ(json["blockDefinitions"], doc.BlockDefList.size());
    TEntityCollections nested;
    for (const TEntBlockDef& blockDef : doc.BlockDefList) {
        nested.SenList.insert(nested.SenList.end(), blockDef.SenList.begin(), blockDef.SenList.end());
        nested.EnkoList.insert(nested.EnkoList.end(), blockDef.EnkoList.begin(),
                               blockDef.EnkoList.end());
        nested.TenList.insert(nested.TenList.end(), blockDef.TenList.begin(), blockDef.TenList.end());
        nested.MojiList.insert(nested.MojiList.end(), blockDef.MojiList.begin(),
                               blockDef.MojiList.end());
        nested.SunpoList.insert(nested.SunpoList.end(), blockDef.SunpoList.begin(),
                                blockDef.SunpoList.end());
        nested.SolidList.insert(nested.SolidList.end(), blockDef.SolidList.begin(),
                                blockDef.SolidList.end());
        nested.BlockList.insert(nested.BlockList.end(), blockDef.BlockList.begin(),
                                blockDef.BlockList.end());
    }
    EXPECT_EQ(json["blockDefinitionObjects"], KindCounts(nested));
    ASSERT_EQ(json["images"].size(), loaded.Images.size());
    for (std::size_t i = 0; i < loaded.Images.size(); ++i) {
        EXPECT_EQ(json["images"][i]["name"], loaded.Images[i].FileName);
        EXPECT_EQ(json["images"][i]["bytes"], loaded.Images[i].ByteSize);
    }

    const TCliRun text = Cli({"info", Root + "in.jww"});
    ASSERT_EQ(text.ExitCode, 0) << text.Err;
    EXPECT_TRUE(text.Out.starts_with("file: " + Root + "in.jww\nformat version: 700\n"
                                     "loaded completely: yes\nmemo: "));
    EXPECT_NE(text.Out.find("\\r\\nNo."), std::string::npos) << "the memo stays on its line";
    EXPECT_NE(text.Out.find("\nembedded images: " + std::to_string(loaded.Images.size()) +
                            "\n  " + loaded.Images[0].FileName + ": " +
                            std::to_string(loaded.Images[0].ByteSize) + " bytes\n"),
              std::string::npos)
        << text.Out;
    EXPECT_EQ(text.Out.find("characters replaced"), std::string::npos);
}

TEST_F(InfoCommand, AnIncompleteDrawingIsReportedAsFarAsItWasReadAndExitsWithOne)
{
    SaveGeneratedDrawing(Root + "in.jww", 600);
    const std::string drawing = ReadFileBytes(Root + "in.jww");
    WriteFileBytes(Root + "broken.jww", drawing.substr(0, drawing.size() - 1));
    const TCliRun run = Cli({"info", Root + "broken.jww", "--json"});
    EXPECT_EQ(run.ExitCode, 1);
    EXPECT_NE(run.Err.find("broken.jww: the drawing could not be read completely"),
              std::string::npos)
        << run.Err;
    const nlohmann::json json = nlohmann::json::parse(run.Out);
    EXPECT_EQ(json["complete"], false);
    EXPECT_NE(json["failure"].get<std::string>().find("unexpected end of file"), std::string::npos);
    EXPECT_EQ(json["objects"], KindCounts(*LoadDrawing(Root + "in.jww").Doc));

    const TCliRun text = Cli({"info", Root + "broken.jww"});
    EXPECT_NE(text.Out.find("loaded completely: no (unexpected end of file"), std::string::npos)
        << text.Out;
}

TEST_F(InfoCommand, OlderVersionsAreReportedAndBytesWithoutACharacterAreEscaped)
{
    TSmallDrawing drawing(351);
    drawing.Doc->Header.Memo = "\x81\x20" "abc\t\x90\x7D";  // a lead byte alone, then 図
    drawing.Save(Root + "old.jww");
    const TCliRun json = Cli({"info", Root + "old.jww", "--json"});
    ASSERT_EQ(json.ExitCode, 0) << json.Err;
    EXPECT_EQ(nlohmann::json::parse(json.Out)["memo"], "\\x81 abc\t図");
    EXPECT_EQ(nlohmann::json::parse(json.Out)["version"], 351);
    const TCliRun text = Cli({"info", Root + "old.jww"});
    EXPECT_NE(text.Out.find("\nmemo: \\x81 abc\\t図\n"), std::string::npos) << text.Out;
    EXPECT_NE(text.Out.find("\nembedded images: 0\n"), std::string::npos) << text.Out;

    WriteFileBytes(Root + "text.jww", "not a drawing at all");
    const TCliRun notJww = Cli({"info", Root + "text.jww"});
    EXPECT_EQ(notJww.ExitCode, 1);
    EXPECT_NE(notJww.Err.find("Jw_cad for Windows 図面ファイルではありません"), std::string::npos);
    EXPECT_TRUE(notJww.Out.empty());
    EXPECT_EQ(Cli({"info", Root + "missing.jww"}).ExitCode, 1);
    EXPECT_EQ(Cli({"info"}).ExitCode, 2);
    EXPECT_EQ(Cli({"info", "--help"}).ExitCode, 0);
}
