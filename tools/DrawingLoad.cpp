#include "tools/DrawingLoad.h"

#include <sys/stat.h>

#include <filesystem>
#include <system_error>

#include <CLI/CLI.hpp>

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
                      std::string& whyNot)
{
    std::string failure;
    if (SaveJww(doc, path, version, &failure))
        return true;
    whyNot = path + ": the drawing could not be saved (" + failure + ")";
    return false;
}

std::string TrailingBytesText(const TJwwDocument& doc)
{
    return std::to_string(doc.TrailingBytes) + " bytes after the last section of the drawing" +
           " could not be read";
}

bool AcceptWhatASaveLoses(const TJwwDocument& doc, const std::string& path, bool allowLoss,
                          std::string_view command, std::ostream& err, std::string& whyNot)
{
    const auto warn = [&](const std::string& text) {
        err << "zelvane-cli " << command << ": warning: " << text << '\n';
    };
    if (doc.TrailingBytes > 0 && !allowLoss) {
        whyNot = path + ": " + TrailingBytesText(doc) +
                 " and would be lost; --allow-loss writes the drawing without them";
        return false;
    }
    if (doc.TrailingBytes > 0)
        warn(path + ": " + TrailingBytesText(doc) + "; the new file leaves them out");
    if (doc.LossyStrings)
        warn(WindowText(MsgLossyStrings));
    for (const std::string& name : MissingTempImages())
        warn(path + ": the image " + WindowText(name) +
             " cannot be extracted under its name and is left out of the new file");
    return true;
}

void AddAllowLossFlag(CLI::App& command, bool& allowLoss)
{
    command.add_flag("--allow-loss", allowLoss,
                     "Write the drawing even when bytes after its last section cannot be read");
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
