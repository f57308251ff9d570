#include <filesystem>

#include "tests/ui/Form1Fixture.h"
#include "ui/FilePaths.h"

using Form1Save = Form1Test;

TEST_F(Form1Save, NothingLoadedIsRefusedBeforeAnyDialog)
{
    Form.Button2Click();
    ExpectWarning(MsgNothingLoaded, true);
    EXPECT_TRUE(Services.SaveDialogs.empty());
}

TEST_F(Form1Save, DialogProposesTheFileShownInEdit1)
{
    const std::string path = WriteSampleDrawing();
    Open(path);
    SaveAs(std::string());  // a dialog that hands back nothing usable
    ASSERT_EQ(Services.SaveDialogs.size(), 1u);
    TFileDialogSettings expected;
    expected.InitialFolder = Folder;
    expected.FileName = "drawing.jww";
    expected.Filter = SaveDialogFilter;
    expected.DefaultExtension = "jww";
    expected.ConfirmOverwrite = true;
    expected.HideReadOnly = true;
    expected.Resizable = true;
    EXPECT_EQ(Services.SaveDialogs[0], expected);
    EXPECT_EQ(Services.SaveDialogs[0].Filter, "JWW\x83\x66\x81\x5B\x83\x5E(*.jww)|*.jww");
    ExpectWarning(MsgExtensionMustBeJww, true);
}

TEST_F(Form1Save, CancelChangesNothing)
{
    const std::string path = WriteSampleDrawing();
    Open(path);
    Form.StringGrid1.SetCell(NameCol, 1, "edited");
    Services.SaveAnswers.push_back(std::nullopt);
    Form.Button2Click();
    ExpectNoMessage();
    EXPECT_EQ(Form.Edit1.Text, path);
    EXPECT_EQ(JwwDoc.LayerGroupTable[0].Name, "");
}

TEST_F(Form1Save, TheLoadedFileIsNeverOverwritten)
{
    const std::string path = WriteSampleDrawing();
    const std::string before = ReadFileBytes(path);
    Open(path);
    Form.StringGrid1.SetCell(NameCol, 1, "edited");

    SaveAs(path);
    ExpectWarning(MsgNoOverwrite, true);
    // The same file under another spelling of its path, and through a link.
    SaveAs(Folder + "./drawing.jww");
    ExpectWarning(MsgNoOverwrite, true);
    std::filesystem::create_symlink(path, Folder + "link.jww");
    SaveAs(Folder + "link.jww");
    ExpectWarning(MsgNoOverwrite, true);

    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_EQ(Form.Edit1.Text, path);
    EXPECT_EQ(JwwDoc.LayerGroupTable[0].Name, "");
}

TEST_F(Form1Save, OtherLetterCaseIsAnotherFile)
{
    const std::string path = WriteSampleDrawing();
    const std::string before = ReadFileBytes(path);
    Open(path);
    SaveAs(Folder + "DRAWING.JWW");
    ExpectOnlyMessage(MsgSaved, CaptionInformation, TMessageKind::Information, false);
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_TRUE(FileExists(Folder + "DRAWING.JWW"));
}

TEST_F(Form1Save, ExtensionMustBeJwwInAnyLetterCase)
{
    Open(WriteSampleDrawing());
    for (const char* name : {"new.txt", "new", "new.jww.bak", "new.jw"}) {
        SaveAs(Folder + name);
        ExpectWarning(MsgExtensionMustBeJww, true);
        EXPECT_FALSE(std::filesystem::exists(Folder + name)) << name;
    }
    EXPECT_EQ(Form.Edit1.Text, Folder + "drawing.jww");

    SaveAs(Folder + "new.Jww");
    ExpectOnlyMessage(MsgSaved, CaptionInformation, TMessageKind::Information, false);
}

TEST_F(Form1Save, SuccessKeepsTheLoadedFileProtected)
{
    const std::string path = WriteSampleDrawing();
    Open(path);
    const std::string saved = Folder + "new.jww";
    SaveAs(saved);
    ExpectOnlyMessage(MsgSaved, CaptionInformation, TMessageKind::Information, false);
    EXPECT_EQ(Form.Edit1.Text, saved);
    EXPECT_EQ(Form.LoadedFileName, path);
    EXPECT_TRUE(FileExists(saved));

    // The next save proposes the file just written and may replace it.
    SaveAs(saved);
    EXPECT_EQ(Services.SaveDialogs.back().InitialFolder, Folder);
    EXPECT_EQ(Services.SaveDialogs.back().FileName, "new.jww");
    ExpectOnlyMessage(MsgSaved, CaptionInformation, TMessageKind::Information, false);
    SaveAs(path);
    ExpectWarning(MsgNoOverwrite, true);
}

TEST_F(Form1Save, FailureStillUpdatesTheDocumentAndEdit1)
{
    Open(WriteSampleDrawing());
    Form.StringGrid3.SetCell(ScreenWidthCol, 1, "1001");
    const std::string target = Folder + "missing/new.jww";
    SaveAs(target);
    ExpectWarning(MsgSaveFailed, false);
    EXPECT_EQ(Services.Messages.size(), 0u);
    EXPECT_EQ(Form.Edit1.Text, target);
    EXPECT_EQ(JwwDoc.ColorExTable[1].ScreenWidth, 1000);
    EXPECT_FALSE(std::filesystem::exists(target));
    // The tables keep their raw texts.
    EXPECT_EQ(Form.StringGrid3.Cell(ScreenWidthCol, 1), "1001");
}

TEST_F(Form1Save, SavedFileShowsTheEditsWhenOpened)
{
    TJwwDocument fields = SampleFields();
    fields.ColorExTable[0].Name = "colour zero";
    fields.ColorExTable[0].PointRadius = 1500.0;
    fields.LineTypeExTable[0].SegmentCount = 3;
    fields.LineTypeExTable[0].Pitches[9] = 2000.0;
    fields.LineTypeExTable[2].SegmentCount = 10;
    fields.LineTypeExTable[2].Pitches = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    fields.LineTypeExTable[3].SegmentCount = 3;
    fields.ColorExTable[2].PointRadius = 1500.0;
    Open(WriteDrawing("drawing.jww", fields));

    Form.StringGrid1.SetCell(NameCol, 16, "\x90\x56\x82\xB5\x82\xA2");
    Form.StringGrid2.SetCell(NameCol, 256, std::string(300, 'L'));
    Form.StringGrid3.SetCell(ColorNameCol, 1, "new colour");
    Form.StringGrid3.SetCell(ScreenColorCol, 1, "16711680");
    Form.StringGrid3.SetCell(ScreenWidthCol, 1, "7");
    Form.StringGrid3.SetCell(PrintColorCol, 1, "99999999");
    Form.StringGrid3.SetCell(PrintWidthCol, 1, "-3");
    Form.StringGrid3.SetCell(PointRadiusCol, 1, "0.25");
    Form.StringGrid4.SetCell(LineTypeNameCol, 1, "new type");
    Form.StringGrid4.SetCell(PatternCol, 1, "ff");
    Form.StringGrid4.SetCell(DotsPerUnitCol, 1, "2");
    Form.StringGrid4.SetCell(ScreenPitchCol, 1, "3");
    Form.StringGrid4.SetCell(PrintPitchCol, 1, "4000");
    Form.StringGrid4.SetCell(SegmentCountCol, 1, "3");
    for (int k = 0; k < 8; ++k)
        Form.StringGrid4.SetCell(FirstPitchCol + k, 1, std::to_string(k + 1) + ".5");
    SaveAs(Folder + "new.jww");
    ExpectOnlyMessage(MsgSaved, CaptionInformation, TMessageKind::Information, false);

    Open(Folder + "new.jww");
    ExpectNoMessage();
    EXPECT_EQ(Form.StringGrid1.Cell(NameCol, 16), "\x90\x56\x82\xB5\x82\xA2");
    EXPECT_EQ(Form.StringGrid2.Cell(NameCol, 256), std::string(256, 'L'));
    EXPECT_EQ(Form.StringGrid3.Cell(ColorNameCol, 1), "new colour");
    EXPECT_EQ(Form.StringGrid3.Cell(ScreenColorCol, 1), "16711680");
    EXPECT_EQ(Form.StringGrid3.Cell(ScreenWidthCol, 1), "7");
    EXPECT_EQ(Form.StringGrid3.Cell(PrintColorCol, 1), "16777215");
    EXPECT_EQ(Form.StringGrid3.Cell(PrintWidthCol, 1), "0");
    EXPECT_EQ(Form.StringGrid3.Cell(PointRadiusCol, 1), "0.25");
    EXPECT_EQ(Form.StringGrid3.Cell(PointRadiusCol, 2), "1000");
    EXPECT_EQ(Form.StringGrid4.Cell(LineTypeNameCol, 1), "new type");
    EXPECT_EQ(Form.StringGrid4.Cell(PatternCol, 1), "000000FF");
    EXPECT_EQ(Form.StringGrid4.Cell(DotsPerUnitCol, 1), "2");
    EXPECT_EQ(Form.StringGrid4.Cell(ScreenPitchCol, 1), "3");
    EXPECT_EQ(Form.StringGrid4.Cell(PrintPitchCol, 1), "1000");
    EXPECT_EQ(Form.StringGrid4.Cell(SegmentCountCol, 1), "4");
    EXPECT_EQ(Form.StringGrid4.Cell(FirstPitchCol + 3, 1), "4.5");
    EXPECT_EQ(Form.StringGrid4.Cell(FirstPitchCol + 4, 1), "0");
    // Unedited counts keep their values, odd or above 8.
    EXPECT_EQ(Form.StringGrid4.Cell(SegmentCountCol, 2), "10");
    EXPECT_EQ(Form.StringGrid4.Cell(SegmentCountCol, 3), "3");

    const TLineTypeExNo& edited = JwwDoc.LineTypeExTable[1];
    EXPECT_EQ(edited.Pitches[8], 8.5);
    EXPECT_EQ(edited.Pitches[9], 9.5);
    const TLineTypeExNo& ten = JwwDoc.LineTypeExTable[2];
    EXPECT_EQ(ten.Pitches[7], 8.0);
    EXPECT_EQ(ten.Pitches[8], 9.0);
    EXPECT_EQ(ten.Pitches[9], 10.0);
    EXPECT_EQ(JwwDoc.ColorExTable[0].Name, "colour zero");
    EXPECT_EQ(JwwDoc.ColorExTable[0].PointRadius, 1500.0);
    EXPECT_EQ(JwwDoc.LineTypeExTable[0].SegmentCount, 3);
    EXPECT_EQ(JwwDoc.LineTypeExTable[0].Pitches[9], 2000.0);
}

TEST_F(Form1Save, LaunchNeedsAFileInEdit1)
{
    Form.Button3Click();
    ExpectWarning(MsgNothingLoaded, true);
    EXPECT_TRUE(Services.ShellOpened.empty());

    // A folder left in Edit1 by a refused open is not a file.
    Open(WriteSampleDrawing());
    Open(WriteDrawing("old.jww", HeaderFields(351)));
    ExpectWarning(MsgVersionTooOld, false);
    ASSERT_EQ(Form.Edit1.Text, Folder);
    Form.Button3Click();
    ExpectNoMessage();
    EXPECT_TRUE(Services.ShellOpened.empty());
}

TEST_F(Form1Save, LaunchOpensTheFileLastShown)
{
    const std::string path = WriteSampleDrawing();
    Open(path);
    Form.Button3Click();
    SaveAs(Folder + "new.jww");
    Form.Button3Click();
    ASSERT_EQ(Services.ShellOpened.size(), 2u);
    EXPECT_EQ(Services.ShellOpened[0], path);
    EXPECT_EQ(Services.ShellOpened[1], Folder + "new.jww");

    // A failed save created nothing, so there is nothing to launch.
    SaveAs(Folder + "missing/other.jww");
    Form.Button3Click();
    EXPECT_EQ(Services.ShellOpened.size(), 2u);
}

TEST_F(Form1Save, LaunchFailuresAreNotReported)
{
    Open(WriteSampleDrawing());
    Services.ShellOpenThrows = true;
    EXPECT_NO_THROW(Form.Button3Click());
    EXPECT_EQ(Services.ShellOpened.size(), 1u);
    ExpectNoMessage();
}
