#include "tools/DrawingLoad.h"

#include <filesystem>
#include <system_error>

#include "jww/system_files.h"
#include "text/Cp932.h"
#include "ui/Messages.h"

namespace {

// The oldest format version the window opens; the subcommands refuse the same files.
constexpr int32_t OldestOpenedVersion = 420;

std::filesystem::path NormalisedPath(const std::string& path)
{
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(FsPath(path), error);
    if (error)
        resolved = std::filesystem::absolute(FsPath(path), error).lexically_normal();
    return resolved;
}

}  // namespace

bool IsSameFile(const std::string& a, const std::string& b)
{
    if (NormalisedPath(a) == NormalisedPath(b))
        return true;
    return IsSameFileOnDisk(a, b);
}

std::string WindowText(std::string_view cp932)
{
    return Cp932ToUtf8(cp932).value_or(std::string(cp932));
}

bool LoadWholeDrawing(TJwwDocument& doc, const std::string& path, std::string& whyNot)
{
    if (!IsJwwFile(path)) {
        whyNot = path + ": " + WindowText(MsgNotJwwFile);
        return false;
    }
    if (!ReadJwwHeader(doc, path)) {
        whyNot = path + ": " + WindowText(MsgHeaderUnreadable);
        return false;
    }
    if (doc.Header.Version < OldestOpenedVersion) {
        whyNot = path + ": " + WindowText(MsgVersionTooOld);
        return false;
    }
    std::string failure;
    if (!LoadJww(doc, path, &failure)) {
        whyNot = path + ": the drawing could not be read completely (" + failure + ")";
        return false;
    }
    return true;
}

bool SaveWholeDrawing(const TJwwDocument& doc, const std::string& path, int32_t version,
                      std::string& whyNot)
{
    std::string failure;
    if (SaveJww(doc, path, version, &failure))
        return true;
    whyNot = path + ": the drawing could not be saved (" + failure + ")";
    return false;
}

void WarnOfReplacedCharacters(const TJwwDocument& doc, std::string_view command,
                              std::ostream& err)
{
    if (doc.LossyStrings)
        err << "zelvane-cli " << command << ": warning: " << WindowText(MsgLossyStrings) << '\n';
}

TImageListOnly::TImageListOnly() : PreviousExtract(ExtractImages), PreviousScan(ScanImages)
{
    ClearTempImageList();
    ExtractImages = false;
    ScanImages = true;
}

TImageListOnly::~TImageListOnly()
{
    ClearTempImageList();
    ExtractImages = PreviousExtract;
    ScanImages = PreviousScan;
}
