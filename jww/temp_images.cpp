// The temp image state: where the images of the last image section read were extracted to,
// and the rules that keep an untrusted image name inside that folder.
#include <algorithm>

#include "jww/jwtype.h"
#include "jww/system_files.h"
#include "text/Cp932.h"
#include "text/Func_.h"

std::string TempImageFolder;
std::vector<TBindImageType> TempImageList;
int32_t TempImageCount = 0;
bool ExtractImages = false;
bool ScanImages = false;

void ClearTempImageList()
{
    TempImageList.clear();
    TempImageCount = 0;
}

void DeleteTempImageFiles()
{
    if (TempImageFolder.empty())
        return;
    // A negative count read from a file leaves the list empty, so the list bounds the walk.
    const auto count = std::min<std::size_t>(TempImageList.size(),
                                             static_cast<std::size_t>(std::max(TempImageCount, 0)));
    for (std::size_t i = 0; i < count; ++i) {
        const std::string& name = TempImageList[i].FileName;
        if (!IsSafeImageFileName(name))
            continue;
        // A file that is already gone or cannot be deleted is no concern of the caller.
        RemoveFileOnly(TempImagePath(name));
    }
}

bool IsSafeImageFileName(const std::string& fileName)
{
    if (fileName.empty() || fileName == "." || fileName == "..")
        return false;
    // A leading "../" or "..\" is caught by the separator tests below.
    bool secondByte = false;
    for (const char c : fileName) {
        const auto b = static_cast<unsigned char>(c);
        // A NUL would cut the name short where the operating system reads it.
        if (b == '/' || b == ':' || b == '\0')
            return false;
        // The second byte of a double-byte character may be 0x5C, which is no separator there.
        if (b == '\\' && !secondByte)
            return false;
        secondByte = !secondByte && IsSjisLeadByte(b);
    }
    return true;
}

std::string TempImagePath(const std::string& fileName)
{
    // The folder shows the name as a person reads it, so the user can find and replace the
    // image there; a name that is not valid code page 932 keeps its bytes.
    const std::optional<std::string> utf8 = Cp932ToUtf8(fileName);
    return TempImageFolder + (utf8 ? *utf8 : fileName);
}
