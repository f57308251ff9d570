#include "cli/DrawingLoad.h"

#include <filesystem>
#include <system_error>

#include <CLI/CLI.hpp>

#include "cli/CliText.h"
#include "jww/system_files.h"
#include "text/Cp932.h"

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

std::string MissingFileRefusal(const std::string& path)
{
    std::error_code error;
    if (std::filesystem::exists(FsPath(path), error))
        return {};
    return CliText<"DoesNotExist">(path);
}

bool LoadWholeDrawing(TJwwDocument& doc, const std::string& path, std::string& whyNot)
{
    whyNot = MissingFileRefusal(path);
    if (!whyNot.empty())
        return false;
    if (!IsJwwFile(path)) {
        whyNot = CliText<"NotJwwFile">(path);
        return false;
    }
    if (!ReadJwwHeader(doc, path)) {
        whyNot = CliText<"HeaderUnreadable">(path);
        return false;
    }
    if (doc.Header.Version < OldestOpenedVersion) {
        whyNot = CliText<"VersionTooOld">(path);
        return false;
    }
    std::string failure;
    if (!LoadJww(doc, path, &failure)) {
        whyNot = CliText<"NotReadCompletely">(path, failure);
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
    return CliText<"NotSaved">(path, reason);
}

std::string ExistingOutputRefusal(const std::string& output, bool replace)
{
    std::error_code error;
    if (replace || !std::filesystem::exists(std::filesystem::symlink_status(output, error)))
        return {};
    return CliText<"OutputExists">(output);
}


std::vector<std::string> SaveLossWarnings(const TJwwDocument& doc)
{
    std::vector<std::string> warnings;
    if (doc.LossyStrings)
        warnings.push_back(CliText<"LossyStrings">());
    if (doc.TrailingBytes > 0)
        warnings.push_back(CliText<"TrailingBytesLeftOut">(doc.TrailingBytes));
    for (const std::string& name : MissingTempImages())
        warnings.push_back(CliText<"ImageLeftOut">(WindowText(name)));
    return warnings;
}

std::string SaveLossRefusal(const TJwwDocument& doc, const std::string& path, bool allowLoss)
{
    if (doc.TrailingBytes == 0 || allowLoss)
        return {};
    return CliText<"TrailingBytesRefused">(path, doc.TrailingBytes);
}

bool AcceptWhatASaveLoses(const TJwwDocument& doc, const std::string& path, bool allowLoss,
                          std::string_view command, std::ostream& err, std::string& whyNot)
{
    whyNot = SaveLossRefusal(doc, path, allowLoss);
    if (!whyNot.empty())
        return false;
    for (const std::string& warning : SaveLossWarnings(doc))
        err << "zelvane-cli " << command << ": " << CliText<"Warning">(warning) << '\n';
    return true;
}

void AddAllowLossFlag(CLI::App& command, bool& allowLoss)
{
    command.add_flag("--allow-loss", allowLoss, CliText<"AllowLossFlag">());
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
