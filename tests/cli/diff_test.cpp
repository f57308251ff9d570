// zelvane-cli diff: what changed between two drawings, told as a review and as JSON, with the
// exit status of diff and cmp.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "tests/cli/CliTestSupport.h"
#include "text/Cp932.h"

namespace {

class DiffCommand : public TCliTest {
protected:
    TCliRun Diff(const std::string& old, const std::string& now,
                 std::vector<std::string> options = {})
    {
        options.insert(options.begin(), {"diff", Root + old, Root + now});
        return Cli(options);
    }

    // The review's lines after the two naming the files.
    std::string Review(const std::string& old, const std::string& now,
                       std::vector<std::string> options = {})
    {
        const TCliRun run = Diff(old, now, std::move(options));
        const std::string head = "--- " + Root + old + "\n+++ " + Root + now + "\n";
        EXPECT_EQ(run.Out.substr(0, head.size()), head);
        return run.Out.substr(std::min(head.size(), run.Out.size()));
    }
};

// Four lines on layer 3-2, named 壁, and a text on layer 0-1; without images.
TSmallDrawing LinesAndText()
{
    TSmallDrawing drawing(700);
    TJwwDocument& doc = *drawing.Doc;
    doc.LayerTable[3 * 16 + 2].Name = Utf8ToCp932("壁");
    for (int i = 0; i < 4; ++i)
        drawing.Add(doc.SenList, KindSen, {BaseWith(1, 2, 3, 2), 10.0 * i, 0, 10.0 * i, 5});
    TEntMoji text;
    text.Base = BaseWith(1, 2, 0, 1);
    text.Text = Utf8ToCp932("窓");
    drawing.Add(doc.MojiList, KindMoji, text);
    return drawing;
}

// The drawing of LinesAndText without the line removed (or none, for -1), and with the line
// moved moved up by 1 (or none).
void SaveRevision(const std::string& path, int removed, int moved)
{
    TSmallDrawing drawing = LinesAndText();
    TJwwDocument& doc = *drawing.Doc;
    if (moved >= 0)
        doc.SenList[static_cast<std::size_t>(moved)].StartY += 1;
    if (removed >= 0) {
        doc.EntityOrder.erase(doc.EntityOrder.begin() + removed);
        doc.Header.EntityCount -= 1;
    }
    drawing.Save(path);
}

// A drawing written byte by byte as no save writes one: a layer name with a line break, a
// settings run that a save writes as zeros, a line of line type 0 and a text with a caret-m
// pair. A save of it normalises all of them.
std::string UnsavedDrawing()
{
    TJwwDocument fields = HeaderFields(700);
    fields.Header.SettingsG.TensPart = 1;
    fields.LayerTable[2].Name = Utf8ToCp932("壁\r\n");
    fields.Header.SettingsA[0] = 5;
    TJwwBuilder b;
    b.Raw(BuildHeader(fields)).Count(2);
    b.NewClass(700, "CDataSen").Base(0, 0, 2, 1, 2, 0, 0);
    b.Double(0).Double(0).Double(10).Double(0);
    b.NewClass(700, "CDataMoji").Base(0, 1, 2, 1, 2, 0, 0);
    b.Double(0).Double(0).Double(10).Double(0).Int(0);
    b.Double(3).Double(3).Double(0).Double(0).String("").String("a^mb");
    b.Count(0).Int(0);
    return b.Bytes();
}

}  // namespace

TEST_F(DiffCommand, ADrawingAndItsCopyAreTheSameAndADrawingASaveNormalisesIsTooSaidSo)
{
    SaveGeneratedDrawing(Root + "in.jww", 700);
    ASSERT_EQ(Cli({"copy", Root + "in.jww", Root + "copy.jww"}).ExitCode, 0);
    TCliRun run = Diff("in.jww", "copy.jww");
    EXPECT_EQ(std::tuple(run.ExitCode, run.Err), std::tuple(0, ""));
    EXPECT_EQ(Review("in.jww", "copy.jww"), "same: the files are identical\n");

    WriteFileBytes(Root + "unsaved.jww", UnsavedDrawing());
    ASSERT_EQ(Cli({"copy", Root + "unsaved.jww", Root + "saved.jww"}).ExitCode, 0);
    ASSERT_NE(ReadFileBytes(Root + "unsaved.jww"), ReadFileBytes(Root + "saved.jww"));
    run = Diff("unsaved.jww", "saved.jww");
    EXPECT_EQ(run.ExitCode, 0) << run.Out << run.Err;
    EXPECT_EQ(Review("unsaved.jww", "saved.jww"),
              "same: the drawings hold the same content; their files differ only in what a "
              "save normalises\n");
    const nlohmann::json json = nlohmann::json::parse(Diff("unsaved.jww", "saved.jww",
                                                           {"--format", "json"}).Out);
    EXPECT_EQ(std::tuple(json["same"], json["identicalFiles"]), std::tuple(true, false));
}

TEST_F(DiffCommand, AnImportWithARenamedLayerAndARecolouredSxfColourNamesBoth)
{
    SaveGeneratedDrawing(Root + "in.jww", 700);
    WriteFileBytes(Root + "edits.csv",
                   "table,No.,レイヤ名,画面色\r\nlayers,2,躯体壁,\r\ncolors,1,,65280\r\n");
    ASSERT_EQ(Cli({"import", Root + "in.jww", Root + "edits.csv", Root + "new.jww"}).ExitCode, 0);
    const std::unique_ptr<TJwwDocument> old = LoadDrawing(Root + "in.jww");
    const TCliRun run = Diff("in.jww", "new.jww");
    EXPECT_EQ(std::tuple(run.ExitCode, run.Err), std::tuple(1, ""));
    EXPECT_EQ(Review("in.jww", "new.jww"),
              "layer 0-2: name " + Cp932ToUtf8Lossy(old->LayerTable[2].Name) +
                  " \u2192 躯体壁\n"
                  "SXF colour 1: screen colour " +
                  std::to_string(old->ColorExTable[1].ScreenColor) + " \u2192 65280\n");
    const nlohmann::json json =
        nlohmann::json::parse(Diff("in.jww", "new.jww", {"--format", "json"}).Out);
    EXPECT_EQ(json["same"], false);
    EXPECT_EQ(json["changes"][0],
              nlohmann::json({{"place", "layer"}, {"group", 0}, {"layer", 2}, {"field", "name"},
                              {"old", Cp932ToUtf8Lossy(old->LayerTable[2].Name)},
                              {"new", "躯体壁"}}));
    EXPECT_EQ(json["changes"][1]["field"], "screenColor");
    EXPECT_EQ(json["objects"]["added"], 0);
    // The header alone tells the same; the objects are not compared.
    EXPECT_EQ(Diff("in.jww", "new.jww", {"--tables-only"}).ExitCode, 1);
}

TEST_F(DiffCommand, RemovedAndMovedObjectsAreCountedOnTheirLayersAndListedWithObjects)
{
    LinesAndText().Save(Root + "old.jww");
    const struct {
        int Removed;
        int Moved;
        std::string Counts;
        std::string Objects;
    } cases[] = {
        {1, -1, "−1 line", "− line 3-2: (10, 0)-(10, 5)\n"},
        {-1, 2, "+1 line, −1 line", "− line 3-2: (20, 0)-(20, 5)\n+ line 3-2: (20, 1)-(20, 5)\n"},
        {0, 3, "+1 line, −2 lines",
         "− line 3-2: (0, 0)-(0, 5)\n− line 3-2: (30, 0)-(30, 5)\n+ line 3-2: (30, 1)-(30, 5)\n"},
    };
    for (const auto& c : cases) {
        SaveRevision(Root + "new.jww", c.Removed, c.Moved);
        const std::string objects = "objects: +" + std::to_string(c.Moved >= 0) + ", −" +
                                    std::to_string((c.Removed >= 0) + (c.Moved >= 0)) + " (" +
                                    c.Counts + ")\nlayer group 3: " + c.Counts +
                                    "\nlayer 3-2 (壁): " + c.Counts + "\n";
        EXPECT_EQ(Diff("old.jww", "new.jww").ExitCode, 1);
        EXPECT_EQ(Review("old.jww", "new.jww"), objects);
        EXPECT_EQ(Review("old.jww", "new.jww", {"--objects"}), objects + c.Objects);
        const nlohmann::json json =
            nlohmann::json::parse(Diff("old.jww", "new.jww", {"--format", "json", "--objects"}).Out);
        EXPECT_EQ(json["objects"]["byLayer"][0]["group"], 3);
        EXPECT_EQ(json["objects"]["byLayer"][0]["name"], "壁");
        EXPECT_EQ(json["objects"]["list"][0]["kind"], "line");
        EXPECT_EQ(json["objects"]["list"].size(), static_cast<std::size_t>(
                                                      (c.Removed >= 0) + 2 * (c.Moved >= 0)));
        EXPECT_EQ(Review("old.jww", "new.jww", {"--tables-only"}),
                  "same: the tables, layer states and settings are the same (objects not "
                  "compared)\n");
    }
}

TEST_F(DiffCommand, WideStringsAndOtherVersionsDifferInTheirFormatAlone)
{
    LinesAndText().Save(Root + "old.jww");
    ASSERT_EQ(Cli({"convert", Root + "old.jww", Root + "wide.jww", "--target-version", "700",
                   "--strings", "wide"})
                  .ExitCode,
              0);
    ASSERT_EQ(Cli({"convert", Root + "old.jww", Root + "600.jww", "--target-version", "600"})
                  .ExitCode,
              0);
    EXPECT_EQ(Diff("old.jww", "wide.jww").ExitCode, 1);
    EXPECT_EQ(Review("old.jww", "wide.jww"), "string form: byte \u2192 wide\n");
    EXPECT_EQ(Review("old.jww", "600.jww"), "format version: 7.00 \u2192 6.00\n");
    WriteFileBytes(Root + "edits.csv", "No.,レイヤ名\r\n50,基礎\r\n");
    ASSERT_EQ(Cli({"import", Root + "wide.jww", Root + "edits.csv", Root + "renamed.jww"}).ExitCode,
              0);
    EXPECT_EQ(Review("wide.jww", "renamed.jww"), "layer 3-2: name 壁 \u2192 基礎\n");
}

TEST_F(DiffCommand, WhatTheComparisonCannotSeeIsNoted)
{
    TSmallDrawing drawing = LinesAndText();
    drawing.Doc->Header.Memo = "memo";
    drawing.Save(Root + "old.jww");
    ASSERT_EQ(Cli({"convert", Root + "old.jww", Root + "wide.jww", "--target-version", "700",
                   "--strings", "wide"})
                  .ExitCode,
              0);
    // The wide memo's "e" becomes U+00E9, which code page 932 cannot hold.
    std::string lossy = ReadFileBytes(Root + "wide.jww");
    ASSERT_EQ(lossy.substr(12, 6), Hex("FF FE FF 04 6D 00"));
    lossy[18] = static_cast<char>(0xE9);
    WriteFileBytes(Root + "lossy.jww", lossy);
    WriteFileBytes(Root + "trailing.jww", ReadFileBytes(Root + "old.jww") + "junk");
    EXPECT_EQ(Review("wide.jww", "lossy.jww"),
              "memo: memo \u2192 m?mo\nnote: " + Root +
                  "lossy.jww holds characters that code page 932 cannot hold; each compares as ?\n");
    EXPECT_EQ(Diff("old.jww", "trailing.jww").ExitCode, 0);
    EXPECT_EQ(Review("old.jww", "trailing.jww"),
              "same: the drawings hold the same content; their files differ only in what a save "
              "normalises\nnote: " +
                  Root + "trailing.jww has 4 bytes after its last section, which are not compared\n");
}

TEST_F(DiffCommand, ChangedImagesAndBlockDefinitionsAreNamed)
{
    SaveGeneratedDrawing(Root + "in.jww", 700);
    std::string image;
    std::string block;
    {
        const TPrivateImageFolder images;
        TJwwDocument doc;
        ASSERT_TRUE(LoadJww(doc, Root + "in.jww"));
        image = TempImageList.at(0).FileName;
        WriteFileBytes(TempImagePath(image), ReadFileBytes(TempImagePath(image)) + "more");
        block = doc.BlockDefList.at(0).Name;
        doc.BlockDefList.at(0).Name = "renamed";
        ASSERT_TRUE(SaveJww(doc, Root + "new.jww", 700));
    }
    const std::string review = Review("in.jww", "new.jww");
    for (const std::string& line :
         {"block definition " + Cp932ToUtf8Lossy(block) + ": removed\n",
          std::string("block definition renamed: added\n"), "image " + image + ": changed\n"})
        EXPECT_NE(review.find(line), std::string::npos) << line << review;
}

TEST_F(DiffCommand, TroubleExitsWithTwoNamingTheFile)
{
    LinesAndText().Save(Root + "old.jww");
    WriteFileBytes(Root + "notes.txt", "not a drawing");
    const std::string notJww = "is not a Jw_cad for Windows drawing file";
    const struct {
        std::vector<std::string> Arguments;
        std::string Err;
    } cases[] = {
        {{"diff", Root + "old.jww", Root + "notes.txt"},
         "zelvane-cli diff: " + Root + "notes.txt: " + notJww + "\n"},
        {{"diff", Root + "missing.jww", Root + "old.jww"},
         "zelvane-cli diff: " + Root + "missing.jww: does not exist\n"},
        {{"diff", Root + "old.jww"}, "NEW"},
    };
    for (const auto& c : cases) {
        const TCliRun run = Cli(c.Arguments);
        EXPECT_EQ(run.ExitCode, 2) << c.Err;
        EXPECT_EQ(run.Out, "") << c.Err;
        EXPECT_NE(run.Err.find(c.Err), std::string::npos) << run.Err;
    }
}
