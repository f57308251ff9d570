#include "tools/DrawingLoad.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include "text/Cp932.h"
#include "ui/Messages.h"

namespace {

// The oldest format version the window opens; the subcommands refuse the same files.
constexpr int32_t OldestOpenedVersion = 420;

std::filesystem::path NormalisedPath(const std::string& path)
{
    std::error_code error;
    std::filesystem::path resolved = std::filesystem::weakly_canonical(path, error);
    if (error)
        resolved = std::filesystem::absolute(path, error).lexically_normal();
    return resolved;
}

}  // namespace

bool IsSameFile(const std::string& a, const std::string& b)
{
    if (NormalisedPath(a) == NormalisedPath(b))
        return true;
    struct stat statA {}, statB {};
    return ::stat(a.c_str(), &statA) == 0 && ::stat(b.c_str(), &statB) == 0 &&
           statA.st_dev == statB.st_dev && statA.st_ino == statB.st_ino;
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
                      std::string& whyNot, bool replace)
{
    std::string failure;
    if (replace ? SaveJww(doc, path, version, &failure)
                : SaveJwwAsNewFile(doc, path, version, &failure))
        return true;
    whyNot = SaveFailure(path, failure);
    return false;
}

std::string SaveFailure(const std::string& path, const std::string& reason)
{
    return path + ": the drawing could not be saved (" + reason + ")";
}

std::string ExistingOutputRefusal(const std::string& output, bool replace)
{
    std::error_code error;
    if (replace || !std::filesystem::exists(std::filesystem::symlink_status(output, error)))
        return {};
    return output + ": exists already; give --force to replace it";
}

void WarnOfReplacedCharacters(const TJwwDocument& doc, std::string_view command,
                              std::ostream& err)
{
    if (doc.LossyStrings)
        err << "zelvane-cli " << command << ": warning: " << ReplacedCharactersWarning() << '\n';
}

std::string ReplacedCharactersWarning()
{
    return WindowText(MsgLossyStrings);
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
