#include <gtest/gtest.h>

#include "cli/SpreadsheetGuard.h"
#include "tests/cli/CliTestSupport.h"

TEST(SpreadsheetGuard, FormulasGetAnApostropheAndEveryTextComesBackExactly)
{
    const std::pair<std::string, std::string> cases[] = {
        {"=cmd|' /C calc'!A0", "'=cmd|' /C calc'!A0"},
        {"=HYPERLINK(\"http://x\")", "'=HYPERLINK(\"http://x\")"},
        {"+1+1", "'+1+1"}, {"-2+3", "'-2+3"}, {"@SUM(A1)", "'@SUM(A1)"},
        {"\tx", "'\tx"}, {"\rx", "'\rx"}, {"=", "'="}, {"-", "'-"},
        // Apostrophes the text has of its own before a formula get one more.
        {"'=1", "''=1"}, {"''+x", "'''+x"},
        // Plain numbers are no formulas, and other texts need nothing.
        {"-1", "-1"}, {"+0.5", "+0.5"}, {"-1.5E+10", "-1.5E+10"}, {"-.5", "-.5"},
        {"'abc", "'abc"}, {"'", "'"}, {"a=b", "a=b"}, {"", ""}, {"壁", "壁"},
    };
    for (const auto& [text, cell] : cases) {
        EXPECT_EQ(GuardedCell(text), cell) << text;
        EXPECT_EQ(UnguardedCell(cell), text) << cell;
    }
    // A cell typed with an apostrophe of its own before something harmless keeps it.
    EXPECT_EQ(UnguardedCell("'-1"), "'-1");
    EXPECT_EQ(UnguardedCell("'x"), "'x");
}

namespace {

class GuardedExport : public TCliTest {};

}  // namespace

TEST_F(GuardedExport, NamesStartingAFormulaAreGuardedInCsvAndImportBackUnchanged)
{
    TSmallDrawing drawing(700);
    drawing.Doc->LayerTable[1].Name = "=cmd|' /C calc'!A0";
    drawing.Doc->LayerGroupTable[2].Name = "'=1";
    drawing.Doc->ColorExTable[3].Name = "-1";
    drawing.Doc->LineTypeExTable[4].Name = "@x";
    drawing.Save(Root + "in.jww");
    ASSERT_EQ(Cli({"copy", Root + "in.jww", Root + "copy.jww"}).ExitCode, 0);

    for (const std::string encoding : {"utf-8", "cp932"}) {
        SCOPED_TRACE(encoding);
        ASSERT_EQ(Cli({"export", Root + "in.jww", "-o", Root + "all.csv", "--encoding", encoding,
                       "--force"})
                      .ExitCode,
                  0);
        const std::string csv = ReadFileBytes(Root + "all.csv");
        EXPECT_NE(csv.find(",'=cmd|' /C calc'!A0,"), std::string::npos);
        EXPECT_NE(csv.find(",''=1,"), std::string::npos);
        EXPECT_NE(csv.find(",'@x,"), std::string::npos);
        EXPECT_NE(csv.find(",-1,"), std::string::npos);
        const TCliRun imported =
            Cli({"import", Root + "in.jww", Root + "all.csv", Root + "out.jww", "--force"});
        EXPECT_EQ(std::tuple(imported.ExitCode, imported.Err), std::tuple(0, ""));
        EXPECT_TRUE(ReadFileBytes(Root + "out.jww") == ReadFileBytes(Root + "copy.jww"));
    }
    // JSON stays as it is.
    const TCliRun json = Cli({"export", Root + "in.jww", "--format", "json", "--table", "layers"});
    EXPECT_NE(json.Out.find("\"name\": \"=cmd|' /C calc'!A0\""), std::string::npos) << json.Out;
}
