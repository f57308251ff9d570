#include "ui/Unit1.h"

#include <exception>
#include <utility>

#include "jww/jwwunit.h"
#include "jww/private_folder.h"
#include "tables/FillTables.h"
#include "tables/NumberText.h"
#include "tables/TableFrames.h"
#include "tables/TableMessages.h"
#include "tables/TableRules.h"
#include "tables/TableWriteBack.h"
#include "ui/FilePaths.h"
#include "ui/Messages.h"

namespace {

constexpr int32_t OldestEditableVersion = 420;
constexpr std::string_view TempFolderName = "TEMP/";
constexpr std::string_view CacheFolderName = "zelvane/";
// Each window's temp image folder is one of these, with a unique ending, in a shared folder.
constexpr std::string_view WindowFolderPrefix = "window-";

// The window whose drawing and temp images the module's document and temp image state are.
TForm1* ModuleDrawingOwner = nullptr;

// Whether the user typed into the cell of a column that changes how the picture draws what it
// holds.
bool ChangesPicture(const TCellTable& table, TTableKind kind, int col, int row)
{
    if (!table.WasTyped(col, row))
        return false;
    if (kind == TTableKind::Colors)
        return col == ScreenColorCol || col == ScreenWidthCol;
    return col == PatternCol || col == DotsPerUnitCol || col == ScreenPitchCol ||
           col == SegmentCountCol || (col >= FirstPitchCol && col < FirstPitchCol + ShownPitchCount);
}

}  // namespace

struct TForm1::TOwnDrawing {
    TJwwDocument Document;
    TTempImageState Images;
};

// The format library reads and writes the module's document and temp images. With one window
// they simply are its own; when another window's handler runs, that window's drawing takes
// their place and the first one waits in its window.
void TForm1::TakeModuleDrawing()
{
    if (ModuleDrawingOwner == this)
        return;
    if (ModuleDrawingOwner)
        ModuleDrawingOwner->ExchangeWithModule();
    ExchangeWithModule();
    ModuleDrawingOwner = this;
}

const TJwwDocument& TForm1::Document() const
{
    return ModuleDrawingOwner == this ? JwwDoc : Drawing->Document;
}

void TForm1::ExchangeWithModule()
{
    std::swap(JwwDoc, Drawing->Document);
    SwapTempImageState(Drawing->Images);
}

TForm1::TForm1(TDesktopServices& services)
    : StringGrid1(NewTable(TTableKind::LayerGroups)), StringGrid2(NewTable(TTableKind::Layers)),
      StringGrid3(NewTable(TTableKind::Colors)), StringGrid4(NewTable(TTableKind::LineTypes)),
      Services(services), Drawing(std::make_unique<TOwnDrawing>())
{
}

// A window's drawing leaves the module with the window.
TForm1::~TForm1()
{
    if (ModuleDrawingOwner != this)
        return;
    ExchangeWithModule();
    ModuleDrawingOwner = nullptr;
}

void TForm1::ShowWarning(std::string_view text, bool beep)
{
    if (beep)
        Services.Beep();
    Services.ShowMessageBox(text, CaptionWarning, TMessageKind::Warning);
}

// Images are extracted beside the program, in a folder of the window's own. An installed
// program's folder is not the user's, so the user's cache folder holds them instead, or else
// the system's temporary folder; a shared folder that others may write to is never used.
void TForm1::PrepareTempImageFolder()
{
    const std::string besideProgram = ProgramDir + std::string(TempFolderName);
    const std::string cache = Services.UserCacheFolder();
    const std::string inCache =
        cache.empty() ? std::string()
                      : cache + std::string(CacheFolderName) + std::string(TempFolderName);
    StartFolder = ProgramDir;
    SharedImageFolder.clear();
    TempImageFolder.clear();
    for (const std::string& shared : {besideProgram, inCache}) {
        if (shared.empty() || !Services.CreateFolder(shared))
            continue;
        TempImageFolder = CreatePrivateFolderIn(shared, std::string(WindowFolderPrefix));
        if (!TempImageFolder.empty()) {
            SharedImageFolder = shared;
            break;
        }
    }
    if (TempImageFolder.empty())
        TempImageFolder = CreatePrivateTempFolder(std::string(WindowFolderPrefix));
    // The first drawing is looked for where the user keeps files, not among system programs.
    if (SharedImageFolder != besideProgram) {
        const std::string documents = Services.UserDocumentsFolder();
        if (!documents.empty())
            StartFolder = documents;
    }
}

void TForm1::FormShow()
{
    TakeModuleDrawing();
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

bool TForm1::MayDiscardEdits()
{
    return !Modified || Services.AskYesNo(MsgDiscardEdits, CaptionQuestion);
}

bool TForm1::FormCloseQuery()
{
    return MayDiscardEdits();
}

void TForm1::FormClose()
{
    TakeModuleDrawing();
    DeleteTempImageFiles();
    RemovePrivateFolder(TempImageFolder);
    if (!SharedImageFolder.empty())
        Services.RemoveFolder(SharedImageFolder);
    ClearTempImageList();
    ClearJww();
    TempImageFolder.clear();
}

void TForm1::ClearDocumentAndTables()
{
    TakeModuleDrawing();
    DeleteTempImageFiles();
    ClearJww();
    Edit1.Text = FolderPart(Edit1.Text);
    StringGrid1.ClearDataCells();
    StringGrid2.ClearDataCells();
    StringGrid3.ClearDataCells();
    StringGrid4.ClearDataCells();
    Modified = false;
    PictureEdits = 0;
}

void TForm1::FillTables()
{
    TakeModuleDrawing();
    ::FillTables(JwwDoc, StringGrid1, StringGrid2, StringGrid3, StringGrid4);
}

void TForm1::Button1Click()
{
    TFileDialogSettings settings;
    settings.InitialFolder = Edit1.Text.empty() ? StartFolder : FolderPart(Edit1.Text);
    settings.FileName = FileNamePart(Edit1.Text);
    settings.Filter = OpenDialogFilter;
    settings.DefaultExtension = DialogDefaultExtension;
    if (const std::optional<std::string> chosen = Services.OpenDialog(settings))
        OpenFile(*chosen);
}

void TForm1::OpenFile(const std::string& path)
{
    TakeModuleDrawing();
    Open(path);
}

void TForm1::Open(const std::string& path)
{
    if (!FileExists(path) || UpperExtension(path) != ".JWW")
        return;
    if (!IsJwwFile(path)) {
        ShowWarning(MsgNotJwwFile, false);
        return;
    }
    if (!MayDiscardEdits())
        return;

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
    WarnOfWhatASaveLoses();
}

// What the file holds that a save would leave out is said at once, while the original is
// still at hand.
void TForm1::WarnOfWhatASaveLoses()
{
    if (JwwDoc.TrailingBytes > 0)
        ShowWarning(std::string(MsgTrailingBytesBefore) + std::to_string(JwwDoc.TrailingBytes) +
                        std::string(MsgTrailingBytesAfter),
                    false);
    const std::vector<std::string> missing = MissingTempImages();
    if (missing.empty())
        return;
    std::string text(MsgImagesNotExtracted);
    for (const std::string& name : missing)
        text += "\r\n" + name;
    ShowWarning(text, false);
}

void TForm1::Button2Click()
{
    TakeModuleDrawing();
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
    if (!SaveJww(path, JwwDoc.Header.Version)) {
        ShowWarning(MsgSaveFailed, false);
        return;
    }
    Modified = false;
    Services.ShowMessageBox(MsgSaved, CaptionInformation, TMessageKind::Information);
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
    if (ChangesPicture(StringGrid3, TTableKind::Colors, LastCol, LastRow))
        ++PictureEdits;
    LastCol = ACol;
    LastRow = ARow;
}

void TForm1::StringGrid4SelectCell(int ACol, int ARow)
{
    NormaliseLineTypeCell(StringGrid4, LastCol4, LastRow4);
    if (ChangesPicture(StringGrid4, TTableKind::LineTypes, LastCol4, LastRow4))
        ++PictureEdits;
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
    CellTyped(StringGrid3, *target, ARow, DecimalText(*chosen));
    Services.RepaintTable(StringGrid3);
    // A chosen colour is a number already; the picture need not wait for the cell to be left.
    if (ChangesPicture(StringGrid3, TTableKind::Colors, *target, ARow))
        ++PictureEdits;
}

void TForm1::CellTyped(TCellTable& table, int ACol, int ARow, std::string_view text)
{
    table.TypeCell(ACol, ARow, text);
    Modified = true;
}

std::optional<int32_t> TForm1::StringGrid3DrawCell(int ACol, int ARow) const
{
    return SwatchColor(StringGrid3, ACol, ARow);
}
