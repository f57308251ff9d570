#include <unistd.h>

#include <deque>
#include <filesystem>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "jww/jwwunit.h"
#include "tables/TableFrames.h"
#include "tables/TableMessages.h"
#include "tests/support/HeaderBuilder.h"
#include "tests/support/ImageDrawing.h"
#include "tests/support/JwwBuilder.h"
#include "tests/support/TestPlatform.h"
#include "ui/Messages.h"
#include "ui/Unit1.h"

namespace {

using TLog = std::vector<std::string>;
using TPath = std::optional<std::string>;

std::string Warning(std::string_view text)
{
    return "warning " + std::string(CaptionWarning) + " " + std::string(text);
}
std::string Information(std::string_view text)
{
    return "information " + std::string(CaptionInformation) + " " + std::string(text);
}

// A shown window whose program lies in the test's folder, over desktop services that the test
// provides: they log every call as one line, so that a test compares all the window did, beeps
// and messages in their order, with one list. The module-level state is put back afterwards.
class Form1Test : public ::testing::Test, public TDesktopServices {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        Folder = TestFolder(std::string(info->test_suite_name()) + "." + info->name());
        ProgramPath = Folder + "bin/zelvane";
        CacheFolder = Folder + "cache/";
        Form.FormShow();
        Take();
    }
    void TearDown() override
    {
        ClearJww();
        ClearTempImageList();
        TempImageFolder.clear();
        ExtractImages = ScanImages = false;
    }

    // What the services were asked since the last call.
    TLog Take() { return std::exchange(Log, {}); }

    void ShowMessageBox(std::string_view text, std::string_view caption, TMessageKind kind) override
    {
        Log.push_back((kind == TMessageKind::Warning ? "warning " : "information ") +
                      std::string(caption) + " " + std::string(text));
    }
    bool AskYesNo(std::string_view text, std::string_view caption) override
    {
        Log.push_back("ask " + std::string(caption) + " " + std::string(text));
        return NextAnswer() == "yes";
    }
    void Beep() override { Log.push_back("beep"); }
    TPath OpenDialog(const TFileDialogSettings& dialog) override { return Record("open ", dialog); }
    TPath SaveDialog(const TFileDialogSettings& dialog) override { return Record("save ", dialog); }
    std::optional<int32_t> ColorDialog(int32_t initialColor) override
    {
        Log.push_back("colour " + std::to_string(initialColor));
        const TPath answer = NextAnswer();
        return answer ? std::optional(std::stoi(*answer)) : std::nullopt;
    }
    void ShellOpen(const std::string& path) override
    {
        Log.push_back("shell open " + path);
        if (ShellOpenThrows)
            throw std::runtime_error("no program is associated with this file");
    }
    std::string ExecutablePath() override { return ProgramPath; }
    std::string UserCacheFolder() override { return CacheFolder; }
    std::string UserDocumentsFolder() override { return Folder + "documents/"; }
    bool CreateFolder(const std::string& path) override
    {
        Log.push_back("create " + path);
        if (UnusableFolders.count(path))
            return false;
        std::error_code error;
        std::filesystem::create_directories(path, error);
        return std::filesystem::is_directory(path, error);
    }
    void RemoveFolder(const std::string& path) override { Log.push_back("remove " + path); }
    void RepaintTable(const TCellTable&) override { Log.push_back("repaint"); }

    TPath Record(const char* kind, const TFileDialogSettings& settings)
    {
        Log.push_back(kind + settings.InitialFolder + " " + settings.FileName);
        Dialogs.push_back(settings);
        return NextAnswer();
    }
    TPath NextAnswer()
    {
        if (Answers.empty())
            return std::nullopt;
        const TPath answer = Answers.front();
        Answers.pop_front();
        return answer;
    }

    // A drawing of the header fields without objects: below 700, so without an image section.
    std::string WriteDrawing(const std::string& name = "drawing.jww",
                             const TJwwDocument& fields = SampleFields())
    {
        WriteFileBytes(Folder + name, BuildHeader(fields) + Hex("00 00 00 00"));
        return Folder + name;
    }

    // A drawing of version 7.00 whose one text refers to the embedded image A.BMP.
    std::string WriteImageDrawing(const std::string& name, const std::string& image)
    {
        EXPECT_TRUE(SaveDrawingWithImage(Folder + name, "A.BMP", image, Folder + name + ".images/"));
        return Folder + name;
    }

    // The oldest version the window takes, with recognisable names and SXF values.
    static TJwwDocument SampleFields()
    {
        TJwwDocument fields = HeaderFields(420);
        fields.LayerGroupTable[3].Name = "group 3";
        fields.ColorExTable[1] = {255, 0, "colour 1", 0, 0, 0.5};
        fields.LineTypeExTable[1] = {-65536, 0, 0, 0, "", 2, {1.5, 2.5}};
        fields.LineTypeExTable[1].Pitches[9] = 9.5;
        return fields;
    }

    // The texts of some cells of a row, each followed by a space.
    static std::string Cells(const TCellTable& table, int row, std::initializer_list<int> cols)
    {
        std::string texts;
        for (int col : cols)
            texts += table.Cell(col, row) + " ";
        return texts;
    }

    // Run the open and the save flow with the path picked in the dialog (nothing: cancelled).
    std::string Open(TPath path)
    {
        Answers.push_back(path);
        Form.Button1Click();
        return path.value_or("");
    }
    void SaveAs(TPath path)
    {
        Answers.push_back(path);
        Form.Button2Click();
    }

    // The dialogs' answers in order, a path or a colour as text; none left means cancelled.
    std::deque<TPath> Answers;
    std::string ProgramPath;
    std::string CacheFolder;
    std::set<std::string> UnusableFolders;  // CreateFolder answers false for these
    bool ShellOpenThrows = false;
    TLog Log;
    std::vector<TFileDialogSettings> Dialogs;
    std::string Folder;
    TForm1 Form{*this};
};

}  // namespace

TEST_F(Form1Test, ShowingEmptiesAllAndMakesATempFolderOfItsOwnThatClosingRemoves)
{
    CreateHeaderTables(JwwDoc);
    TempImageList.push_back({"A.BMP", 5, 0});
    TempImageCount = 1;
    Form.LastCol = Form.LastRow = Form.LastCol4 = Form.LastRow4 = 7;
    Form.FormShow();
    EXPECT_TRUE(JwwDoc.LayerTable.empty() && TempImageList.empty() && TempImageCount == 0 &&
                ExtractImages && ScanImages);
    // A fresh folder beside the program, for the user alone.
    const std::string shared = Folder + "bin/TEMP/";
    const std::string own = TempImageFolder;
    EXPECT_EQ(Form.ProgramDir + " " + own.substr(0, shared.size() + 7),
              Folder + "bin/ " + shared + "window-");
    EXPECT_TRUE(IsPrivateToThisUser(own));
    EXPECT_EQ(std::tie(Form.LastCol, Form.LastRow, Form.LastCol4, Form.LastRow4),
              std::tuple(1, 1, 1, 1));
    EXPECT_EQ(Form.StringGrid1.Cell(0, 16) + Form.StringGrid2.Cell(0, 256) +
                  Form.StringGrid3.Cell(0, 256) + Form.StringGrid4.Cell(0, 32),
              " 15255256 32");

    // Closing removes the window's folder with all in it, then the shared one if it is empty.
    WriteFileBytes(own + "A.BMP", "image");
    WriteFileBytes(own + "left by the user", "");
    TempImageList.push_back({"A.BMP", 5, 0});
    TempImageCount = 1;
    CreateHeaderTables(JwwDoc);
    Form.FormClose();
    EXPECT_FALSE(std::filesystem::exists(own));
    EXPECT_TRUE(TempImageList.empty() && JwwDoc.LayerTable.empty());
    EXPECT_EQ(Take(), (TLog{"create " + shared, "remove " + shared}));
}

TEST_F(Form1Test, ATempFolderThatOthersCouldReachIsNeverUsed)
{
    SKIP_ON_WINDOWS("no symbolic link can be made there");
    // Documents, and a folder in place of the shared one that the user cannot tell apart.
    const std::string shared = Folder + "bin/TEMP/", cache = Folder + "cache/zelvane/TEMP/";
    const std::string documents = Folder + "documents/";
    std::filesystem::create_directories(documents);
    WriteFileBytes(documents + "A.BMP", "the user's picture");
    WriteFileBytes(documents + ".bashrc", "the user's settings");
    const std::string drawing = WriteImageDrawing("drawing.jww", "image bytes");
    Form.FormClose();
    std::filesystem::remove_all(shared);
    Take();

    const auto showAndOpen = [&] {
        Form.FormShow();
        Open(drawing);
        return TempImageFolder;
    };
    // A link planted where the shared folder belongs, then one that others may write to, and
    // the same in the cache: the images go to a folder of the window's own elsewhere, and
    // closing removes nothing but that.
    std::filesystem::create_directory_symlink(documents, Folder + "bin/TEMP");
    std::string own = showAndOpen();
    EXPECT_EQ(own.substr(0, cache.size()), cache);
    EXPECT_EQ(ReadFileBytes(own + "A.BMP"), "image bytes");
    EXPECT_EQ(Take(), (TLog{"create " + shared, "create " + cache,
                            "open " + documents + " "}));
    Form.FormClose();
    std::filesystem::remove(Folder + "bin/TEMP");
    std::filesystem::create_directory(shared);
    std::filesystem::permissions(shared, std::filesystem::perms::all);
    std::filesystem::remove_all(cache);
    std::filesystem::create_directory_symlink(documents, Folder + "cache/zelvane/TEMP");
    own = showAndOpen();
    const std::string temp = std::filesystem::temp_directory_path().string() + "/window-";
    EXPECT_EQ(own.substr(0, temp.size()), temp);
    Form.FormClose();
    EXPECT_FALSE(std::filesystem::exists(own));
    EXPECT_EQ(FileNamesIn(documents), (std::vector<std::string>{".bashrc", "A.BMP"}));
    EXPECT_EQ(ReadFileBytes(documents + "A.BMP") + ReadFileBytes(documents + ".bashrc"),
              "the user's picturethe user's settings");
    EXPECT_TRUE(std::filesystem::is_empty(shared));
    // The files of the window's own folder are the user's alone as well.
    showAndOpen();
    EXPECT_TRUE(IsPrivateToThisUser(TempImageFolder + "A.BMP"));
}

TEST_F(Form1Test, WindowsSideBySideKeepTheirOwnImages)
{
    // Two windows of one program, so one shared folder; images of one name, different bytes.
    const std::string a = WriteImageDrawing("a.jww", std::string(5000, 'a'));
    const std::string b = WriteImageDrawing("b.jww", std::string(7000, 'b'));
    auto second = std::make_unique<TForm1>(*this);
    second->FormShow();
    Open(a);
    Answers.push_back(b);
    second->Button1Click();
    // A saved drawing ends with its one image: the size, then the bytes.
    const auto endsWithImage = [](const std::string& path, char byte, int32_t size) {
        return ReadFileBytes(path).ends_with(TJwwBuilder().Int(size).Bytes() +
                                             std::string(static_cast<std::size_t>(size), byte));
    };
    SaveAs(Folder + "a2.jww");
    EXPECT_TRUE(endsWithImage(Folder + "a2.jww", 'a', 5000));
    Answers.push_back(Folder + "b2.jww");
    second->Button2Click();
    EXPECT_TRUE(endsWithImage(Folder + "b2.jww", 'b', 7000));
    // Closing the second window leaves the first one's images, and the shared folder.
    second->FormClose();
    second.reset();
    SaveAs(Folder + "a3.jww");
    EXPECT_TRUE(endsWithImage(Folder + "a3.jww", 'a', 5000));
    EXPECT_EQ(Take(), (TLog{"create " + Folder + "bin/TEMP/", "open " + Folder + "bin/ ",
                            "open " + Folder + "bin/ ", "save " + Folder + " a.jww",
                            Information(MsgSaved), "save " + Folder + " b.jww",
                            Information(MsgSaved), "remove " + Folder + "bin/TEMP/",
                            "save " + Folder + " a2.jww", Information(MsgSaved)}));
}

TEST_F(Form1Test, OpenShowsTheDrawingStopsSilentlyOrWarnsAndEmptiesTheWindow)
{
    // Before any drawing was shown, the dialog starts in the program's folder and a refusal
    // leaves Edit1 empty.
    Open(WriteDrawing("old.jww", HeaderFields(351)));
    EXPECT_EQ(Take(), (TLog{"open " + Folder + "bin/ ", Warning(MsgVersionTooOld)}));
    EXPECT_EQ(Dialogs.at(0),
              (TFileDialogSettings{Folder + "bin/", "", std::string(OpenDialogFilter), "jww"}));
    EXPECT_EQ(Form.Edit1.Text, "");

    const std::string loaded = WriteDrawing();
    const std::string sample = ReadFileBytes(loaded);
    std::filesystem::create_directory(Folder + "other");
    // Two objects announced, one line on layer 5 of group 3, then the file ends.
    const std::string cut = TJwwBuilder().Raw(BuildHeader(SampleFields())).Count(2)
                                .NewClass(420, "CDataSen").Base(0, 31, 101, 1, 5, 3, 0)
                                .Double(0).Double(0).Double(1).Double(1).Bytes();
    // A drawing in the wide string form with a name holding U+00E9, which code page 932 lacks.
    std::string wide;
    TJwwWriter writer(&wide);
    writer.StringForm = TStringForm::Wide;
    WriteHeaderSection(writer, SampleFields(), 420);
    writer.Flush();
    wide.replace(wide.find(Hex("FF FE FF 07 67 00")) + 6, 1, "\xE9");
    enum TAfter { Kept, Emptied, Shown };
    const std::tuple<std::string, std::string, TLog, TAfter> cases[] = {
        {"", "", {}, Kept},  // the dialog cancelled
        {"missing.jww", "", {}, Kept},
        {"drawing.jw", sample, {}, Kept},
        {"drawing.jww.bak", sample, {}, Kept},
        {"drawing", sample, {}, Kept},
        {"other/fake.jww", "JwwDatX." + std::string(100, '\0'), {Warning(MsgNotJwwFile)}, Kept},
        {"other/short.jww", "JwwData.\x58\x02", {Warning(MsgHeaderUnreadable)}, Emptied},
        {"other/old.jww", ReadFileBytes(Folder + "old.jww"), {Warning(MsgVersionTooOld)}, Emptied},
        {"other/upper.JWW", sample, {}, Shown},
        {"other/wide.jww", wide + Hex("00 00 00 00"), {Information(MsgLossyStrings)}, Shown},
        {"other/cut.Jww", cut, {}, Shown},
    };
    for (const auto& [name, bytes, messages, after] : cases) {
        SCOPED_TRACE(name);
        Open(loaded);
        Form.StringGrid3.SetCell(ColorCountCol, 256, "typed");
        Take();
        if (!bytes.empty())
            WriteFileBytes(Folder + name, bytes);
        Open(name.empty() ? std::nullopt : std::optional(Folder + name));
        TLog expected{"open " + Folder + " drawing.jww"};
        expected.insert(expected.end(), messages.begin(), messages.end());
        EXPECT_EQ(Take(), expected);
        // Edit1 keeps the folder of the drawing shown before, not that of the refused file.
        const std::string shown = after == Shown ? Folder + name : loaded;
        EXPECT_EQ(Form.LoadedFileName, after == Emptied ? "" : shown);
        EXPECT_EQ(Form.Edit1.Text, after == Emptied ? Folder : shown);
        EXPECT_EQ(Form.StringGrid3.Cell(ColorCountCol, 256),
                  after == Kept ? "typed" : after == Shown ? "0" : "");
        EXPECT_EQ(Form.StringGrid4.Cell(0, 32) + Form.StringGrid4.Cell(PatternCol, 1),
                  after == Emptied ? " 32" : " 32FFFF0000");
        EXPECT_EQ(JwwDoc.ColorExTable.empty(), after == Emptied);
    }
    // The drawing whose load failed part-way shows what was read.
    EXPECT_EQ(Form.StringGrid1.Cell(NamesCountCol, 4) + Form.StringGrid2.Cell(NamesCountCol, 54) +
                  Form.StringGrid3.Cell(ColorCountCol, 1) +
                  Form.StringGrid4.Cell(LineTypeCountCol, 1),
              "1111");
    // After an emptying refusal the next dialog starts in the folder Edit1 kept, with no name; a
    // save is refused, and there is no file to launch.
    Open(Folder + "old.jww");
    Open(std::nullopt);
    Form.Button2Click();
    Form.Button3Click();
    EXPECT_EQ(Take(), (TLog{"open " + Folder + "other/ cut.Jww", Warning(MsgVersionTooOld),
                            "open " + Folder + "other/ ", "beep", Warning(MsgNothingLoaded)}));
}

TEST_F(Form1Test, SelectionsNormaliseRememberedCellsAndDoubleClicksOpenTheColourDialog)
{
    Form.StringGrid3SelectCell(PointRadiusCol, 1);
    Form.StringGrid4SelectCell(SegmentCountCol, 1);
    TJwwDocument fields = SampleFields();
    fields.ColorExTable[1].PointRadius = 2000.0;
    fields.LineTypeExTable[1].SegmentCount = 1;
    Open(WriteDrawing("drawing.jww", fields));
    Form.StringGrid1.SetCell(NameCol, 3, std::string(300, 'n'));
    Form.StringGrid3.SetCell(ColorNameCol, 3, std::string(300, 'n'));
    Form.StringGrid3.SetCell(PrintColorCol, 1, "$FFFFFF");
    Take();
    // Leaving a colour cell repaints the swatches; no other cell does.
    for (int col : {ScreenColorCol, ScreenWidthCol, PrintColorCol, PrintWidthCol})
        Form.StringGrid3SelectCell(col, 1);
    EXPECT_EQ(Take(), (TLog{"repaint", "repaint"}));
    EXPECT_EQ(Cells(Form.StringGrid3, 1, {PointRadiusCol, PrintColorCol}), "1000 16777215 ");
    // Clicks in the layer-group, then the layer table normalise the colour table's cell at the
    // coordinates of the cell clicked before, in whichever table that was.
    Form.StringGrid3SelectCell(NameCol, 3);
    Form.StringGrid3SelectCell(NamesCountCol, 200);
    EXPECT_EQ(Form.StringGrid3.Cell(ColorNameCol, 3) + Form.StringGrid1.Cell(NameCol, 3),
              std::string(256, 'n') + std::string(300, 'n'));
    // The line-type table has a cell of its own: P2 lies beyond the count, now 2, P1 within it.
    Form.StringGrid4SelectCell(FirstPitchCol + 2, 1);
    Form.StringGrid4.SetCell(FirstPitchCol + 2, 1, "5");
    Form.StringGrid4SelectCell(PatternCol, 1);
    EXPECT_EQ(Cells(Form.StringGrid4, 1, {SegmentCountCol, FirstPitchCol + 1, FirstPitchCol + 2}),
              "2 2.5 0 ");
    EXPECT_EQ(std::tie(Form.LastCol, Form.LastRow, Form.LastCol4, Form.LastRow4),
              std::tuple(NamesCountCol, 200, PatternCol, 1));

    // A double-click on a colour or its swatch opens the colour dialog on the colour shown.
    Form.StringGrid3.SetCell(PrintColorCol, 1, "oops");
    Answers = {"16711680", std::nullopt, "65280"};
    Form.StringGrid3DblClick(ScreenSwatchCol, 1);
    Form.StringGrid3DblClick(PrintColorCol, 1);
    EXPECT_EQ(Form.StringGrid3DrawCell(PrintSwatchCol, 1), 0);
    Form.StringGrid3DblClick(PrintSwatchCol, 1);
    Form.StringGrid3DblClick(ScreenWidthCol, 1);
    Form.StringGrid3DblClick(ScreenColorCol, 0);
    EXPECT_EQ(Take(), (TLog{"colour 255", "repaint", "colour 0", "colour 0", "repaint"}));
    EXPECT_EQ(Cells(Form.StringGrid3, 1, {ScreenColorCol, PrintColorCol}), "16711680 65280 ");
    EXPECT_EQ(Form.StringGrid3DrawCell(ScreenSwatchCol, 1), 16711680);
    EXPECT_FALSE(Form.StringGrid3DrawCell(ScreenColorCol, 1));
}

// A preview follows the cells once a typed cell of a column that the picture shows is left or a
// screen colour is chosen; other columns, and cells merely passed through, leave it as it is.
TEST_F(Form1Test, PictureEditsCountTypedCellsThatChangeThePicture)
{
    Open(WriteDrawing("drawing.jww", SampleFields()));
    struct TCase {
        bool LineTypes;
        int Col;
        bool Typed;
        uint64_t Counted;
    };
    const TCase cases[] = {
        {false, ScreenColorCol, true, 1}, {false, ScreenWidthCol, true, 1},
        {false, PrintColorCol, true, 0},  {false, ScreenColorCol, false, 0},
        {true, PatternCol, true, 1},      {true, SegmentCountCol, true, 1},
        {true, FirstPitchCol + 3, true, 1}, {true, PrintPitchCol, true, 0},
        {true, LineTypeNameCol, true, 0},
    };
    int row = 1;
    for (const TCase& edit : cases) {
        const auto select = [&](int col, int r) {
            edit.LineTypes ? Form.StringGrid4SelectCell(col, r) : Form.StringGrid3SelectCell(col, r);
        };
        select(edit.Col, row);
        const uint64_t before = Form.PictureEdits;
        if (edit.Typed)
            Form.CellTyped(edit.LineTypes ? Form.StringGrid4 : Form.StringGrid3, edit.Col, row, "3");
        select(1, row + 1);
        EXPECT_EQ(Form.PictureEdits - before, edit.Counted) << edit.Col << " in row " << row;
        ++row;
    }
    Answers = {"255"};
    Form.StringGrid3DblClick(ScreenSwatchCol, row);
    EXPECT_EQ(Form.PictureEdits, 6u) << "a chosen screen colour shows at once";
    Form.Modified = false;  // opens without asking
    Open(WriteDrawing("other.jww", SampleFields()));
    EXPECT_EQ(Form.PictureEdits, 0u);
}

TEST_F(Form1Test, SaveRefusesOrWritesTheEditsToANewFileThatLaunchOpens)
{
    SKIP_ON_WINDOWS("no symbolic link can be made there, and letter case names no other file");
    Form.Button2Click();
    Form.Button3Click();
    TJwwDocument fields = SampleFields();
    fields.LineTypeExTable[2].SegmentCount = 10;
    fields.LineTypeExTable[3].SegmentCount = 3;
    const std::string path = Open(WriteDrawing("drawing.jww", fields));
    const std::string before = ReadFileBytes(path);
    std::filesystem::create_symlink(path, Folder + "link.jww");
    Form.StringGrid1.SetCell(NameCol, 16, "\x90\x56\x82\xB5\x82\xA2");
    Form.StringGrid3.SetCell(PrintColorCol, 1, "99999999");
    Form.CellTyped(Form.StringGrid4, SegmentCountCol, 1, "3");
    // Passing through a cell shows the count of 10 as 8, yet nobody typed it.
    Form.StringGrid4SelectCell(SegmentCountCol, 2);
    Form.StringGrid4SelectCell(PatternCol, 2);
    EXPECT_EQ(Form.StringGrid4.Cell(SegmentCountCol, 2), "8");
    Form.StringGrid4.SetCell(FirstPitchCol + 3, 1, "4.5");
    EXPECT_EQ(Take(), (TLog{"beep", Warning(MsgNothingLoaded), "beep", Warning(MsgNothingLoaded),
                            "open " + Folder + "bin/ "}));
    // The loaded file under other spellings of its path too; a dialog handing back nothing.
    const TLog overwrite{"beep", Warning(MsgNoOverwrite)};
    const TLog extension{"beep", Warning(MsgExtensionMustBeJww)};
    const std::pair<TPath, TLog> refusals[] = {
        {std::nullopt, {}},                    {path, overwrite},
        {Folder + "./drawing.jww", overwrite}, {Folder + "link.jww", overwrite},
        {Folder + "new.txt", extension},       {Folder + "new", extension},
        {Folder + "new.jww.bak", extension},   {"", extension},
    };
    for (const auto& [chosen, messages] : refusals) {
        SaveAs(chosen);
        TLog expected{"save " + Folder + " drawing.jww"};
        expected.insert(expected.end(), messages.begin(), messages.end());
        EXPECT_EQ(Take(), expected) << chosen.value_or("cancelled");
    }
    EXPECT_EQ(Dialogs.back(), (TFileDialogSettings{Folder, "drawing.jww",
                                                   std::string(SaveDialogFilter), "jww", true,
                                                   true, true}));
    EXPECT_EQ(Form.Edit1.Text, path);
    EXPECT_EQ(JwwDoc.ColorExTable[1].PrintColor, 0);
    // A failed save has written the cells back and shows its path, but there is no file to
    // launch; the tables keep the texts as typed.
    SaveAs(Folder + "missing/new.jww");
    Form.Button3Click();
    EXPECT_EQ(Form.Edit1.Text, Folder + "missing/new.jww");
    EXPECT_EQ(JwwDoc.ColorExTable[1].PrintColor, 16777215);
    EXPECT_EQ(Form.StringGrid3.Cell(PrintColorCol, 1), "99999999");
    // Another letter case is another file. The next save proposes the file just written and may
    // replace it; the file that was opened stays protected. A failing desktop goes unsaid.
    const std::string saved = Folder + "DRAWING.JWW";
    SaveAs(saved);
    SaveAs(saved);
    SaveAs(path);
    ShellOpenThrows = true;
    EXPECT_NO_THROW(Form.Button3Click());
    EXPECT_EQ(Take(), (TLog{"save " + Folder + " drawing.jww", Warning(MsgSaveFailed),
                            "save " + Folder + "missing/ new.jww", Information(MsgSaved),
                            "save " + Folder + " DRAWING.JWW", Information(MsgSaved),
                            "save " + Folder + " DRAWING.JWW", "beep", Warning(MsgNoOverwrite),
                            "shell open " + saved}));
    EXPECT_EQ(Form.Edit1.Text + " " + Form.LoadedFileName, saved + " " + path);
    EXPECT_EQ(ReadFileBytes(path), before);

    // Unedited counts keep their values, odd or above 8, also one shown as 8; pitches 8 and 9
    // stay.
    Open(saved);
    EXPECT_EQ(Form.StringGrid1.Cell(NameCol, 16), "\x90\x56\x82\xB5\x82\xA2");
    EXPECT_EQ(Form.StringGrid3.Cell(PrintColorCol, 1), "16777215");
    EXPECT_EQ(Cells(Form.StringGrid4, 1, {SegmentCountCol, FirstPitchCol + 3}) +
                  Cells(Form.StringGrid4, 2, {SegmentCountCol}) +
                  Cells(Form.StringGrid4, 3, {SegmentCountCol}),
              "4 4.5 10 3 ");
    EXPECT_EQ(JwwDoc.LineTypeExTable[1].Pitches[9], 9.5);
}

TEST_F(Form1Test, OpeningFromTheDesktopChecksAsTheDialogDoesAndWarnsOfWhatASaveWouldLose)
{
    // A drawing handed over without the dialog passes the same checks, with the same messages.
    const std::string drawing = WriteImageDrawing("drawing.jww", "image");
    WriteFileBytes(Folder + "fake.jww", "not a drawing at all");
    Form.OpenFile(Folder + "fake.jww");
    Form.OpenFile(Folder + "notes.txt");
    EXPECT_EQ(Take(), (TLog{Warning(MsgNotJwwFile)}));
    Form.OpenFile(drawing);
    EXPECT_EQ(Take(), TLog{});
    EXPECT_EQ(Form.Edit1.Text + " " + Form.LoadedFileName, drawing + " " + drawing);

    // Bytes after the last section, and an image whose name no file can have.
    WriteFileBytes(Folder + "longer.jww", ReadFileBytes(drawing) + "tail");
    Form.OpenFile(Folder + "longer.jww");
    EXPECT_EQ(Take(), (TLog{Warning(std::string(MsgTrailingBytesBefore) + "4" +
                                    std::string(MsgTrailingBytesAfter))}));
    std::string bytes = ReadFileBytes(drawing);
    const std::string longName = "A.BMP" + std::string(300, 'x');
    bytes.replace(bytes.rfind("\x05" "A.BMP"), 6, "\xFF" + TJwwBuilder().Word(305).Bytes() + longName);
    WriteFileBytes(Folder + "long.jww", bytes);
    Form.OpenFile(Folder + "long.jww");
    EXPECT_EQ(Take(), (TLog{Warning(std::string(MsgImagesNotExtracted) + "\r\n" + longName)}));
}

TEST_F(Form1Test, EditsAreNotThrownAwayWithoutAsking)
{
    const std::string first = Open(WriteDrawing("first.jww"));
    const std::string second = WriteDrawing("second.jww");
    // Without an edit nothing is asked: cell rules that rewrite what was loaded are no edit.
    Form.StringGrid3SelectCell(PointRadiusCol, 1);
    Form.StringGrid3SelectCell(ScreenColorCol, 1);
    EXPECT_FALSE(Form.Modified);
    EXPECT_TRUE(Form.FormCloseQuery());
    Open(second);
    Open(first);
    Take();
    // After an edit, No keeps the window and its cells, whether closing or opening.
    Form.CellTyped(Form.StringGrid2, NameCol, 5, "edited");
    EXPECT_TRUE(Form.Modified);
    const std::string ask = "ask " + std::string(CaptionQuestion) + " " + std::string(MsgDiscardEdits);
    Answers = {"no"};
    EXPECT_FALSE(Form.FormCloseQuery());
    Open(second);
    EXPECT_EQ(Take(), (TLog{ask, "open " + Folder + " first.jww", ask}));
    EXPECT_EQ(Form.LoadedFileName + " " + Form.StringGrid2.Cell(NameCol, 5), first + " edited");
    // A colour chosen is an edit too; a save ends the question, Yes discards.
    SaveAs(Folder + "saved.jww");
    EXPECT_FALSE(Form.Modified);
    Answers = {"65280"};
    Form.StringGrid3DblClick(ScreenColorCol, 2);
    EXPECT_TRUE(Form.Modified);
    Answers = {second, "yes"};
    Form.Button1Click();
    EXPECT_EQ(Form.LoadedFileName, second);
    EXPECT_FALSE(Form.Modified);
}
