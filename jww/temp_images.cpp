// The temp image state: where the images of the last image section read were extracted to,
// and the rules that keep an untrusted image name inside that folder.
#include <algorithm>
#include <utility>

#include "jww/jwtype.h"
#include "jww/system_files.h"
#include "jww/thread_exit.h"
#include "text/Cp932.h"
#include "text/Func_.h"

namespace {

struct TThreadImages {
    std::string Folder;
    std::vector<TBindImageType> List;
};

// Made when a thread first uses its state, destroyed when the thread ends.
TThreadImages& ThisThreadsImages()
{
    thread_local TThreadImages* images = nullptr;
    if (!images) {
        images = new TThreadImages;
        DestroyAtThreadExit(images, [](void* made) { delete static_cast<TThreadImages*>(made); });
    }
    return *images;
}

}  // namespace

thread_local std::string& TempImageFolder = ThisThreadsImages().Folder;
thread_local std::vector<TBindImageType>& TempImageList = ThisThreadsImages().List;
thread_local int32_t TempImageCount = 0;
thread_local bool ExtractImages = false;
thread_local bool ScanImages = false;

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

void SwapTempImageState(TTempImageState& state)
{
    std::swap(TempImageFolder, state.Folder);
    std::swap(TempImageList, state.List);
    std::swap(TempImageCount, state.Count);
}

bool TempImageFileExists(const TBindImageType& entry)
{
    if (TempImageFolder.empty() || !IsSafeImageFileName(entry.FileName))
        return false;
    return IsRegularFileItself(TempImagePath(entry.FileName));
}

std::vector<std::string> MissingTempImages()
{
    std::vector<std::string> missing;
    for (const TBindImageType& entry : TempImageList) {
        if (!entry.FileName.empty() && entry.ByteSize != 0 && !TempImageFileExists(entry))
            missing.push_back(entry.FileName);
    }
    return missing;
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

namespace {

void AppendEscapedByte(std::string& out, unsigned char b)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    out += '%';
    out += Digits[b >> 4];
    out += Digits[b & 0x0F];
}

}  // namespace

// The folder shows a name as a person reads it, so the user can find and replace the image
// there. A name that is not valid code page 932 is spelled with escapes, and a '%' of a valid
// name is escaped too: no two names then meet in one file, as raw bytes that happen to be the
// UTF-8 of another name would.
std::string TempImageFileName(const std::string& fileName)
{
    std::string out;
    if (const std::optional<std::string> utf8 = Cp932ToUtf8(fileName)) {
        for (const char c : *utf8) {
            if (c == '%')
                AppendEscapedByte(out, '%');
            else
                out += c;
        }
        return out;
    }
    for (const char c : fileName) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x20 && b < 0x7F && b != '%')
            out += c;
        else
            AppendEscapedByte(out, b);
    }
    return out;
}

std::string TempImagePath(const std::string& fileName)
{
    return TempImageFolder + TempImageFileName(fileName);
}
