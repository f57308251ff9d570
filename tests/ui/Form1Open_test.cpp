#include <filesystem>

#include "tests/ui/Form1Fixture.h"

using Form1Open = Form1Test;

TEST_F(Form1Open, FirstDialogStartsInTheProgramFolder)
{
    Services.OpenAnswers.push_back(std::nullopt);
    Form.Button1Click();
    ASSERT_EQ(Services.OpenDialogs.size(), 1u);
    TFileDialogSettings expected;
    expected.InitialFolder = Folder + "bin/";
    expected.FileName = "";
    expected.Filter = OpenDialogFilter;
    expected.DefaultExtension = "jww";
    EXPECT_EQ(Services.OpenDialogs[0], expected);
    EXPECT_EQ(Services.OpenDialogs[0].Filter, "JWW 4.20\x83\x66\x81\x5B\x83\x5E(*.jww)|*.jww");
}

TEST_F(Form1Open, SuccessfulOpenShowsTheDrawing)
{
    const std::string path = WriteSampleDrawing();
    Open(path);
    ExpectNoMessage();
    EXPECT_EQ(Form.Edit1.Text, path);
    EXPECT_EQ(Form.LoadedFileName, path);
    EXPECT_EQ(JwwDoc.Header.Version, 600);
    EXPECT_EQ(Form.StringGrid1.Cell(NameCol, 4), "group 3");
    EXPECT_EQ(Form.StringGrid2.Cell(NameCol, 201), "layer 200");
    EXPECT_EQ(Form.StringGrid3.Cell(ColorNameCol, 1), "colour 1");
    EXPECT_EQ(Form.StringGrid3.Cell(ScreenColorCol, 1), "255");
    EXPECT_EQ(Form.StringGrid3.Cell(PointRadiusCol, 1), "0.5");
    EXPECT_EQ(Form.StringGrid4.Cell(PatternCol, 1), "FFFF0000");
    EXPECT_EQ(Form.StringGrid4.Cell(FirstPitchCol + 1, 1), "2.5");
    EXPECT_EQ(Form.StringGrid1.Cell(NamesCountCol, 1), "0");

    // The next dialog starts at the open file.
    Services.OpenAnswers.push_back(std::nullopt);
    Form.Button1Click();
    EXPECT_EQ(Services.OpenDialogs.back().InitialFolder, Folder);
    EXPECT_EQ(Services.OpenDialogs.back().FileName, "drawing.jww");
}

TEST_F(Form1Open, CancelMissingFileAndOtherExtensionsStopSilently)
{
    const std::string loaded = WriteSampleDrawing();
    Open(loaded);
    Form.StringGrid3.SetCell(ColorNameCol, 1, "edited");

    Services.OpenAnswers.push_back(std::nullopt);
    Form.Button1Click();
    Open(Folder + "missing.jww");
    for (const char* name : {"drawing.jw", "drawing.jww.bak", "drawing", "drawing.jwc"}) {
        // Real drawings under names the window does not take.
        Open(WriteSampleDrawing(name));
    }
    std::filesystem::create_directory(Folder + "folder.jww");
    Open(Folder + "folder.jww");

    ExpectNoMessage();
    EXPECT_EQ(Services.OpenDialogs.size(), 8u);
    EXPECT_EQ(Form.Edit1.Text, loaded);
    EXPECT_EQ(Form.LoadedFileName, loaded);
    EXPECT_EQ(Form.StringGrid3.Cell(ColorNameCol, 1), "edited");
    EXPECT_EQ(JwwDoc.ColorExTable.at(1).Name, "colour 1");
}

TEST_F(Form1Open, ExtensionInAnyLetterCaseIsTaken)
{
    for (const char* name : {"upper.JWW", "mixed.Jww", "odd.jWw"}) {
        const std::string path = WriteSampleDrawing(name);
        Open(path);
        EXPECT_EQ(Form.LoadedFileName, path);
    }
    ExpectNoMessage();
}

TEST_F(Form1Open, FileWithoutTheJwwSignatureLeavesEverythingAsItWas)
{
    const std::string loaded = WriteSampleDrawing();
    Open(loaded);
    Form.StringGrid1.SetCell(NameCol, 1, "edited");
    const std::string other = Folder + "other/";
    std::filesystem::create_directory(other);
    WriteFileBytes(other + "fake.jww", "JwwDatX." + std::string(100, '\0'));

    Open(other + "fake.jww");
    ExpectWarning(MsgNotJwwFile, false);
    EXPECT_EQ(Form.Edit1.Text, loaded);
    EXPECT_EQ(Form.LoadedFileName, loaded);
    EXPECT_EQ(Form.StringGrid1.Cell(NameCol, 1), "edited");
    EXPECT_EQ(Form.StringGrid1.Cell(NameCol, 4), "group 3");
    EXPECT_EQ(JwwDoc.Header.Version, 600);
}

TEST_F(Form1Open, UnreadableHeaderEmptiesTheWindow)
{
    const std::string loaded = WriteSampleDrawing();
    Open(loaded);
    const std::string other = Folder + "other/";
    std::filesystem::create_directory(other);
    WriteFileBytes(other + "short.jww", "JwwData.\x58\x02");

    Open(other + "short.jww");
    ExpectWarning(MsgHeaderUnreadable, false);
    EXPECT_EQ(Form.LoadedFileName, "");
    // Edit1 keeps the folder of the drawing shown before, not that of the refused file.
    EXPECT_EQ(Form.Edit1.Text, Folder);
    EXPECT_EQ(Form.StringGrid1.Cell(NameCol, 4), "");
    EXPECT_EQ(Form.StringGrid3.Cell(ScreenColorCol, 1), "");
    EXPECT_EQ(Form.StringGrid4.Cell(PatternCol, 1), "");
    EXPECT_EQ(Form.StringGrid3.Cell(0, 1), "  1");
    EXPECT_EQ(Form.StringGrid3.Cell(ColorNameCol, 0), HeadColorName);
    EXPECT_TRUE(JwwDoc.ColorExTable.empty());
}

TEST_F(Form1Open, VersionBelow420EmptiesTheWindow)
{
    const std::string loaded = WriteSampleDrawing();
    Open(loaded);
    TJwwDocument old = HeaderFields(351);
    old.LayerGroupTable[0].Name = "old group";
    const std::string oldPath = WriteDrawing("old.jww", old);

    Open(oldPath);
    ExpectWarning(MsgVersionTooOld, false);
    EXPECT_EQ(Form.LoadedFileName, "");
    EXPECT_EQ(Form.Edit1.Text, Folder);
    EXPECT_EQ(Form.StringGrid1.Cell(NameCol, 1), "");
    EXPECT_EQ(Form.StringGrid1.Cell(NameCol, 4), "");

    // The next dialog starts in that folder with no name, and a save is refused.
    Services.OpenAnswers.push_back(std::nullopt);
    Form.Button1Click();
    EXPECT_EQ(Services.OpenDialogs.back().InitialFolder, Folder);
    EXPECT_EQ(Services.OpenDialogs.back().FileName, "");
    Form.Button2Click();
    ExpectWarning(MsgNothingLoaded, true);
    EXPECT_TRUE(Services.SaveDialogs.empty());
}

TEST_F(Form1Open, Version420IsTheOldestTaken)
{
    TJwwDocument fields = HeaderFields(420);
    fields.ColorExTable[256].Name = "last";
    const std::string path = WriteDrawing("v420.jww", fields);
    Open(path);
    ExpectNoMessage();
    EXPECT_EQ(Form.LoadedFileName, path);
    EXPECT_EQ(Form.StringGrid3.Cell(ColorNameCol, 256), "last");
}

TEST_F(Form1Open, FirstRefusedOpenLeavesEdit1Empty)
{
    const std::string oldPath = WriteDrawing("old.jww", HeaderFields(300));
    Open(oldPath);
    ExpectWarning(MsgVersionTooOld, false);
    EXPECT_EQ(Form.Edit1.Text, "");
}

TEST_F(Form1Open, LoadFailingPartWayShowsWhatWasRead)
{
    // Two objects announced, one line present, then the file ends.
    TJwwDocument fields = SampleFields();
    const std::string bytes = TJwwBuilder()
                                  .Raw(BuildHeader(fields))
                                  .Count(2)
                                  .NewClass(600, "CDataSen")
                                  .Base(0, 31, 101, 1, 5, 3, 0)
                                  .Double(0)
                                  .Double(0)
                                  .Double(1)
                                  .Double(1)
                                  .Bytes();
    WriteFileBytes(Folder + "cut.jww", bytes);
    Open(Folder + "cut.jww");
    ExpectNoMessage();
    EXPECT_EQ(Form.LoadedFileName, Folder + "cut.jww");
    EXPECT_EQ(Form.StringGrid1.Cell(NameCol, 4), "group 3");
    EXPECT_EQ(Form.StringGrid1.Cell(NamesCountCol, 4), "1");
    EXPECT_EQ(Form.StringGrid2.Cell(NamesCountCol, 3 * 16 + 5 + 1), "1");
    EXPECT_EQ(Form.StringGrid3.Cell(ColorCountCol, 1), "1");
    EXPECT_EQ(Form.StringGrid4.Cell(LineTypeCountCol, 1), "1");
}

TEST_F(Form1Open, OpeningAgainReplacesEveryCell)
{
    Open(WriteSampleDrawing());
    Form.StringGrid2.SetCell(NamesCountCol, 256, "typed");
    TJwwDocument fields = HeaderFields(600);
    fields.LayerGroupTable[3].Name = "other group";
    const std::string second = WriteDrawing("second.jww", fields);
    Open(second);
    EXPECT_EQ(Form.StringGrid1.Cell(NameCol, 4), "other group");
    EXPECT_EQ(Form.StringGrid2.Cell(NameCol, 201), "");
    EXPECT_EQ(Form.StringGrid2.Cell(NamesCountCol, 256), "0");
    EXPECT_EQ(Form.StringGrid3.Cell(ColorNameCol, 1), "");
    EXPECT_EQ(Form.Edit1.Text, second);
}

TEST_F(Form1Open, WideDrawingWithCharactersOutsideCodePage932SaysSoOnceAfterFilling)
{
    TJwwDocument fields = SampleFields();
    fields.LayerTable[200].Name = "cafe";
    std::string bytes;
    TJwwWriter w(&bytes);
    w.StringForm = TStringForm::Wide;
    WriteHeaderSection(w, fields, fields.Header.Version);
    w.Flush();
    bytes += TJwwBuilder().Count(0).Count(0).Bytes();
    // The layer name's last letter becomes U+00E9, which code page 932 cannot hold.
    const std::string wideCafe = Hex("FF FE FF 04 63 00 61 00 66 00 65 00");
    const std::size_t at = bytes.find(wideCafe);
    ASSERT_NE(at, std::string::npos);
    bytes[at + wideCafe.size() - 2] = static_cast<char>(0xE9);
    const std::string path = Folder + "wide.jww";
    WriteFileBytes(path, bytes);

    Open(path);
    EXPECT_EQ(Form.StringGrid2.Cell(1, 201), "caf?");
    EXPECT_EQ(Form.StringGrid1.Cell(1, 4), "group 3");
    ExpectOnlyMessage(MsgLossyStrings, CaptionInformation, TMessageKind::Information, false);

    Form.StringGrid3SelectCell(2, 2);
    ExpectNoMessage();
}
