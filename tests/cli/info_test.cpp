#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <map>

#include "tests/cli/CliTestSupport.h"
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
    std::vector<TBindImageType> loadedImages;
    const auto loaded = LoadDrawing(Root + "in.jww", &loadedImages);
    const TJwwDocument& doc = *loaded;
    std::map<std::string, std::size_t> nested;
    for (const TEntBlockDef& blockDef : doc.BlockDefList) {
        const nlohmann::json counts = KindCounts(blockDef);
        for (const auto& [kind, count] : counts.items())
            nested[kind] += count.get<std::size_t>();
    }
    nlohmann::json images = nlohmann::json::array();
    for (const TBindImageType& image : loadedImages)
        images.push_back({{"name", image.FileName}, {"bytes", image.ByteSize}});
    ASSERT_FALSE(loadedImages.empty());
    const TCliRun run = Cli({"info", Root + "in.jww", "--json"});
    ASSERT_EQ(run.ExitCode, 0) << run.Err;
    EXPECT_EQ(nlohmann::json::parse(run.Out),
              (nlohmann::json{{"file", Root + "in.jww"}, {"version", 700}, {"complete", true},
                              {"memo", Cp932ToUtf8(doc.Header.Memo).value()},
                              {"trailingBytes", 0}, {"stringForm", "byte"},
                              {"charactersReplaced", false},
                              {"objects", KindCounts(doc)},
                              {"blockDefinitions", doc.BlockDefList.size()},
                              {"blockDefinitionObjects", nested}, {"images", images}}));
    const TCliRun text = Cli({"info", Root + "in.jww"});
    EXPECT_TRUE(text.Out.starts_with("file: " + Root + "in.jww\nformat version: 700\n"
                                     "loaded completely: yes\nmemo: "));
    EXPECT_NE(text.Out.find("\\r\\nNo."), std::string::npos) << "the memo stays on its line";
    EXPECT_NE(text.Out.find("\n  " + loadedImages[0].FileName + ": " +
                            std::to_string(loadedImages[0].ByteSize) + " bytes\n"),
              std::string::npos);
}

TEST_F(InfoCommand, IncompleteAndOlderDrawingsAreReportedAsFarAsTheyWereRead)
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
    EXPECT_EQ(json["objects"], KindCounts(*LoadDrawing(Root + "in.jww")));
    EXPECT_NE(Cli({"info", Root + "broken.jww"}).Out.find("loaded completely: no (unexpected end "
                                                         "of file"), std::string::npos);
    // Bytes after the last section are read by nobody: a copy would lack them.
    WriteFileBytes(Root + "longer.jww", drawing + "tail");
    const TCliRun longer = Cli({"info", Root + "longer.jww", "--json"});
    EXPECT_EQ(longer.ExitCode, 1);
    EXPECT_EQ(nlohmann::json::parse(longer.Out)["trailingBytes"], 4);
    EXPECT_NE(Cli({"info", Root + "longer.jww"}).Out.find(
                  "loaded completely: no (4 bytes after the last section of the drawing could not "
                  "be read)"),
              std::string::npos);
    // Bytes without a character are escaped, and so are tabs on a line of text.
    TSmallDrawing old(351);
    old.Doc->Header.Memo = "\x81\x20" "abc\t\x90\x7D";  // a lead byte alone, then 図
    old.Save(Root + "old.jww");
    EXPECT_EQ(nlohmann::json::parse(Cli({"info", Root + "old.jww", "--json"}).Out)["memo"],
              "\\x81 abc\t図");
    EXPECT_NE(Cli({"info", Root + "old.jww"}).Out.find("\nformat version: 351\nloaded completely: "
                                                      "yes\nmemo: \\x81 abc\\t図\n"),
              std::string::npos);
    // The refusals of every subcommand that loads a drawing are shown with copy.
    EXPECT_EQ(Cli({"info", Root + "missing.jww"}).ExitCode, 1);
    EXPECT_EQ(Cli({"info"}).ExitCode, 2);
    EXPECT_EQ(Cli({"info", "--help"}).ExitCode, 0);
}
