#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <map>

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
    std::map<std::string, std::size_t> nested;
    for (const TEntBlockDef& blockDef : doc.BlockDefList) {
        const nlohmann::json counts = KindCounts(blockDef);
        for (const auto& [kind, count] : counts.items())
            nested[kind] += count.get<std::size_t>();
    }
    EXPECT_EQ(json["blockDefinitionObjects"], nlohmann::json(nested));
    ASSERT_EQ(json["images"].size(), loaded.Images.size());
    for (std::size_t i = 0; i < loaded.Images.size(); ++i)
        EXPECT_EQ(json["images"][i], (nlohmann::json{{"name", loaded.Images[i].FileName},
                                                     {"bytes", loaded.Images[i].ByteSize}}));

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
              std::string::npos) << run.Err;
    const nlohmann::json json = nlohmann::json::parse(run.Out);
    EXPECT_EQ(json["complete"], false);
    EXPECT_NE(json["failure"].get<std::string>().find("unexpected end of file"), std::string::npos);
    EXPECT_EQ(json["objects"], KindCounts(*LoadDrawing(Root + "in.jww").Doc));
    EXPECT_NE(Cli({"info", Root + "broken.jww"}).Out.find("loaded completely: no (unexpected end "
                                                         "of file"), std::string::npos);
}

TEST_F(InfoCommand, OlderVersionsAreReportedAndBytesWithoutACharacterAreEscaped)
{
    TSmallDrawing drawing(351);
    drawing.Doc->Header.Memo = "\x81\x20" "abc\t\x90\x7D";  // a lead byte alone, then 図
    drawing.Save(Root + "old.jww");
    const nlohmann::json json = nlohmann::json::parse(Cli({"info", Root + "old.jww", "--json"}).Out);
    EXPECT_EQ(json["memo"], "\\x81 abc\t図");
    EXPECT_EQ(json["version"], 351);
    const TCliRun text = Cli({"info", Root + "old.jww"});
    EXPECT_NE(text.Out.find("\nmemo: \\x81 abc\\t図\n"), std::string::npos) << text.Out;
    EXPECT_NE(text.Out.find("\nembedded images: 0\n"), std::string::npos) << text.Out;

    WriteFileBytes(Root + "text.jww", "not a drawing at all");
    const TCliRun notJww = Cli({"info", Root + "text.jww"});
    EXPECT_EQ(notJww.ExitCode, 1);
    EXPECT_NE(notJww.Err.find("Jw_cad for Windows 図面ファイルではありません"), std::string::npos);
    EXPECT_EQ(notJww.Out, "");
    EXPECT_EQ(Cli({"info", Root + "missing.jww"}).ExitCode, 1);
    EXPECT_EQ(Cli({"info"}).ExitCode, 2);
    EXPECT_EQ(Cli({"info", "--help"}).ExitCode, 0);
}
