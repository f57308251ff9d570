#include "ui/Unit1.h"

#include <exception>

#include "jww/jwwunit.h"
#include "ui/FilePaths.h"
#include "ui/FillTables.h"
#include "ui/NumberText.h"
#include "ui/Messages.h"
#include "ui/TableFrames.h"
#include "ui/TableRules.h"
#include "ui/TableWriteBack.h"

namespace {

constexpr int32_t OldestEditableVersion = 420;
constexpr std::string_view TempFolderName = "TEMP/";
constexpr std::string_view CacheFolderName = "zelvane/";

}  // namespace

TForm1::TForm1(TDesktopServices& services)
    : StringGrid1(NewTable(TTableKind::LayerGroups)), StringGrid2(NewTable(TTableKind::Layers)),
      StringGrid3(NewTable(TTableKind::Colors)), StringGrid4(NewTable(TTableKind::LineTypes)),
      Services(services)
{
}

void TForm1::ShowWarning(std::string_view text, bool beep)
{
    if (beep)
        Services.Beep();
    Services.ShowMessageBox(text, CaptionWarning, TMessageKind::Warning);
}

// Images are extracted beside the program. An installed program's folder is not writable,
// so the user's cache folder takes the images instead.
void TForm1::PrepareTempImageFolder()
{
    TempImageFolder = ProgramDir + std::string(TempFolderName);
    if (Services.CreateFolder(TempImageFolder))
        return;
    const std::string cache = Services.UserCacheFolder();
    if (cache.empty())
        return;
    const std::string fallback = cache + std::string(CacheFolderName) + std::string(TempFolderName);
    if (Services.CreateFolder(fallback))
        TempImageFolder = fallback;
}

void TForm1::FormShow()
{
    ClearJww();
    ClearTempImageList();
    ProgramDir = FolderPart(Services.ExecutablePath());
    ExtractImages = true;
    ScanImages = true;
    PrepareTempImageFolder();
    LoadedFileName.clear();
    WriteTableFrame(StringGrid1, TTableKind::LayerGroups);
    WriteTableFrame(StringGrid2, TTableKind::Layers);
    WriteTableFrame(StringGrid3, TTableKind::Colors);
    LastCol = 1;
    LastRow = 1;
    WriteTableFrame(StringGrid4, TTableKind::LineTypes);
    LastCol4 = 1;
    LastRow4 = 1;
}

void TForm1::FormClose()
{
    DeleteTempImageFiles();
    Services.RemoveFolder(TempImageFolder);
    ClearTempImageList();
    ClearJww();
}

void TForm1::ClearDocumentAndTables()
{
    DeleteTempImageFiles();
    ClearJww();
    Edit1.Text = FolderPart(Edit1.Text);
    StringGrid1.ClearDataCells();
    StringGrid2.ClearDataCells();
    StringGrid3.ClearDataCells();
    StringGrid4.ClearDataCells();
}

void TForm1::FillTables()
{
    ::FillTables(JwwDoc, StringGrid1, StringGrid2, StringGrid3, StringGrid4);
}

void TForm1::Button1Click()
{
    TFileDialogSettings settings;
    settings.InitialFolder = Edit1.Text.empty() ? ProgramDir : FolderPart(Edit1.Text);
    settings.FileName = FileNamePart(Edit1.Text);
    settings.Filter = OpenDialogFilter;
    settings.DefaultExtension = DialogDefaultExtension;
    const std::optional<std::string> chosen = Services.OpenDialog(settings);
    if (!chosen)
        return;
    const std::string& path = *chosen;
    if (!FileExists(path) || UpperExtension(path) != ".JWW")
        return;
    if (!IsJwwFile(path)) {
        ShowWarning(MsgNotJwwFile, false);
        return;
    }

    // From here on the previous drawing is gone, whatever follows.
    LoadedFileName.clear();
    ClearDocumentAndTables();
    if (!ReadJwwHeader(path)) {
        ShowWarning(MsgHeaderUnreadable, false);
        return;
    }
    if (JwwDoc.Header.Version < OldestEditableVersion) {
        ShowWarning(MsgVersionTooOld, false);
        return;
    }
    Edit1.Text = path;
    LoadedFileName = path;
    // A load that fails part-way keeps what it read, and the tables show that much.
    LoadJww(path);
    FillTables();
    if (JwwDoc.LossyStrings)
        Services.ShowMessageBox(MsgLossyStrings, CaptionInformation, TMessageKind::Information);
}

void TForm1::Button2Click()
{
    if (LoadedFileName.empty()) {
        ShowWarning(MsgNothingLoaded, true);
        return;
    }
    TFileDialogSettings settings;
    settings.InitialFolder = FolderPart(Edit1.Text);
    settings.FileName = FileNamePart(Edit1.Text);
    settings.Filter = SaveDialogFilter;
    settings.DefaultExtension = DialogDefaultExtension;
    settings.ConfirmOverwrite = true;
    settings.HideReadOnly = true;
    settings.Resizable = true;
    const std::optional<std::string> chosen = Services.SaveDialog(settings);
    if (!chosen)
        return;
    const std::string& path = *chosen;
    if (NamesSameFile(path, LoadedFileName)) {
        ShowWarning(MsgNoOverwrite, true);
        return;
    }
    if (UpperExtension(path) != ".JWW") {
        ShowWarning(MsgExtensionMustBeJww, true);
        return;
    }
    Edit1.Text = path;
    WriteBackTables(StringGrid1, StringGrid2, StringGrid3, StringGrid4, JwwDoc);
    if (SaveJww(path, JwwDoc.Header.Version))
        Services.ShowMessageBox(MsgSaved, CaptionInformation, TMessageKind::Information);
    else
        ShowWarning(MsgSaveFailed, false);
}

void TForm1::Button3Click()
{
    if (Edit1.Text.empty()) {
        ShowWarning(MsgNothingLoaded, true);
        return;
    }
    if (!FileExists(Edit1.Text))
        return;
    try {
        Services.ShellOpen(Edit1.Text);
    } catch (const std::exception&) {
        // The desktop decides what opens the file; when nothing does, there is nothing to say.
    }
}

void TForm1::StringGrid3SelectCell(int ACol, int ARow)
{
    NormaliseColorCell(StringGrid3, LastCol, LastRow);
    if (ColorColumnFeedsSwatch(LastCol))
        Services.RepaintTable(StringGrid3);
    LastCol = ACol;
    LastRow = ARow;
}

void TForm1::StringGrid4SelectCell(int ACol, int ARow)
{
    NormaliseLineTypeCell(StringGrid4, LastCol4, LastRow4);
    LastCol4 = ACol;
    LastRow4 = ARow;
}

void TForm1::StringGrid3DblClick(int ACol, int ARow)
{
    const std::optional<int> target = ColorDialogTargetCol(ACol);
    if (ARow < 1 || !target)
        return;
    const int32_t initial = ColorValueFromText(StringGrid3.Cell(*target, ARow));
    const std::optional<int32_t> chosen = Services.ColorDialog(initial);
    if (!chosen)
        return;
    StringGrid3.SetCell(*target, ARow, DecimalText(*chosen));
    Services.RepaintTable(StringGrid3);
}

std::optional<int32_t> TForm1::StringGrid3DrawCell(int ACol, int ARow) const
{
    return SwatchColor(StringGrid3, ACol, ARow);
}
