// Record types of a JWW drawing and the temp image state that lives beside the document.
// In-memory records hold the file's fields in file order; numbers keep the bytes read.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// ---------------------------------------------------------------------------------------------
// Header tables
// ---------------------------------------------------------------------------------------------

struct TLayerGroup {
    int32_t Value1 = 0;
    int32_t Value2 = 0;
    double Value3 = 0.0;
    int32_t Value4 = 0;
    std::string Name;
};

struct TLayer {
    int32_t Value1 = 0;
    int32_t Value2 = 0;
    std::string Name;
};

// One SXF extended line colour. Colours are RGB with red in the lowest byte.
struct TColorExNo {
    int32_t ScreenColor = 0;
    int32_t ScreenWidth = 0;
    std::string Name;
    int32_t PrintColor = 0;
    int32_t PrintWidth = 0;
    double PointRadius = 0.0;
};

// One SXF extended line type.
struct TLineTypeExNo {
    int32_t Pattern = 0;
    int32_t DotsPerUnit = 0;
    int32_t ScreenPitch = 0;
    int32_t PrintPitch = 0;
    std::string Name;
    int32_t SegmentCount = 0;
    std::array<double, 10> Pitches{};
};

// ---------------------------------------------------------------------------------------------
// Drawing objects
// ---------------------------------------------------------------------------------------------

// Kind codes are what the order tables store and what the base-record writer checks by.
enum : int32_t {
    KindSen = 1,
    KindEnko = 2,
    KindTen = 3,
    KindMoji = 4,
    KindSunpo = 5,
    KindSolid = 6,
    KindBlock = 7,
    KindList = 8,
};

// The base record that starts every object.
struct TEntBase {
    uint32_t Group = 0;
    uint8_t PenStyle = 0;
    uint16_t PenColor = 0;
    uint16_t PenWidth = 0;  // absent below version 351
    uint16_t Layer = 0;
    uint16_t LayerGroup = 0;
    uint16_t Flags = 0;
};

struct TEntSen {
    TEntBase Base;
    double StartX = 0.0;
    double StartY = 0.0;
    double EndX = 0.0;
    double EndY = 0.0;
};

struct TEntEnko {
    TEntBase Base;
    double CenterX = 0.0;
    double CenterY = 0.0;
    double Radius = 0.0;
    double StartAngle = 0.0;
    double ArcAngle = 0.0;
    double TiltAngle = 0.0;
    double Flatness = 0.0;
    int32_t FullCircle = 0;
};

// A point; Code, Rotation and Scale are in the file only when Base.PenStyle is 100.
struct TEntTen {
    TEntBase Base;
    double X = 0.0;
    double Y = 0.0;
    int32_t Temporary = 0;
    int32_t Code = 0;
    double Rotation = 0.0;
    double Scale = 0.0;
};

struct TEntMoji {
    TEntBase Base;
    double StartX = 0.0;
    double StartY = 0.0;
    double EndX = 0.0;
    double EndY = 0.0;
    int32_t TextKind = 0;
    double SizeX = 0.0;
    double SizeY = 0.0;
    double Spacing = 0.0;
    double Angle = 0.0;
    std::string FontName;
    std::string Text;
};

// A dimension; the fields from SxfMode on are in the file from version 420 on.
struct TEntSunpo {
    TEntBase Base;
    TEntSen DimLine;
    TEntMoji DimText;
    uint16_t SxfMode = 0;
    TEntSen ExtLine1;
    TEntSen ExtLine2;
    TEntTen Point1;
    TEntTen Point2;
    TEntTen ExtPoint1;
    TEntTen ExtPoint2;
};

// A solid; RgbColor is in the file only when Base.PenColor is 10.
struct TEntSolid {
    TEntBase Base;
    double X1 = 0.0;
    double Y1 = 0.0;
    double X2 = 0.0;
    double Y2 = 0.0;
    double X3 = 0.0;
    double Y3 = 0.0;
    double X4 = 0.0;
    double Y4 = 0.0;
    int32_t RgbColor = 0;
};

struct TEntBlock {
    TEntBase Base;
    double X = 0.0;
    double Y = 0.0;
    double ScaleX = 0.0;
    double ScaleY = 0.0;
    double Rotation = 0.0;
    int32_t BlockNumber = 0;
};

// One entry of an object order table: the kind and the position in that kind's collection.
struct TEntRef {
    int32_t Kind = 0;
    int32_t Index = 0;
};

// The order table and the seven per-kind collections of one object list. The main entity list
// and every block definition's nested list have one each; a collection's count is its size.
struct TEntityCollections {
    std::vector<TEntRef> EntityOrder;
    std::vector<TEntSen> SenList;
    std::vector<TEntEnko> EnkoList;
    std::vector<TEntTen> TenList;
    std::vector<TEntMoji> MojiList;
    std::vector<TEntSunpo> SunpoList;
    std::vector<TEntSolid> SolidList;
    std::vector<TEntBlock> BlockList;
};

// One block definition with its nested object list. EntityCount is the count read from the
// file; after a failed load EntityOrder may hold fewer entries.
struct TEntBlockDef : TEntityCollections {
    TEntBase Base;
    int32_t Number = 0;
    int32_t Referenced = 0;
    int32_t Time = 0;
    std::string Name;
    int32_t EntityCount = 0;
};

// ---------------------------------------------------------------------------------------------
// Temp image state
// ---------------------------------------------------------------------------------------------

// One embedded image of the last image section read.
struct TBindImageType {
    std::string FileName;
    int32_t ByteSize = 0;
    uint8_t InUse = 0;
};

// Every thread has a temp image state of its own, so that threads that load and save drawings
// side by side, each with its own document and folder, never mix their images. A program of
// one thread sees one state, as ever.
//
// The folder the images are extracted to, ending in a path separator. While it is empty no
// image file is touched: extracting fails the load, and nothing is embedded or deleted.
extern thread_local std::string& TempImageFolder;
// The entries of the last image section read, and the count that section announced.
extern thread_local std::vector<TBindImageType>& TempImageList;
extern thread_local int32_t TempImageCount;
// On: loads extract every image to its temp file and saves embed the referenced ones.
extern thread_local bool ExtractImages;
// With extraction off, on: loads still read the names and sizes; off: they leave the section.
extern thread_local bool ScanImages;

// Empties the list; touches no file.
void ClearTempImageList();

// Deletes the temp file of every entry that has one; the list stays as it is.
void DeleteTempImageFiles();

// Whether a stored image name may be used as a file name inside the temp image folder: not
// empty, "." or "..", and without '/', ':', NUL or a '\' outside a double-byte character.
bool IsSafeImageFileName(const std::string& fileName);

// The name of an entry's temp file: the name in UTF-8, or escaped (%XX) where it is not valid
// code page 932; a '%' is always escaped, so that two different names never share a file.
std::string TempImageFileName(const std::string& fileName);
// The path of an entry's temp file: the folder followed by its temp file name. Only for names
// that IsSafeImageFileName accepts.
std::string TempImagePath(const std::string& fileName);

// Whether the entry's temp file is there: a regular file, not a link.
bool TempImageFileExists(const TBindImageType& entry);

// The names of the entries that hold image data but have no temp file, in list order: names
// that may not become a file or that the file system refuses, and files removed since. A save
// leaves their images out.
std::vector<std::string> MissingTempImages();

// The temp image state of one of several drawings held at once, each with a folder of its own.
struct TTempImageState {
    std::string Folder;
    std::vector<TBindImageType> List;
    int32_t Count = 0;
};
// Exchanges the module's temp image folder, list and count with those of state.
void SwapTempImageState(TTempImageState& state);
