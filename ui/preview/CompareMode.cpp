#include "ui/preview/CompareMode.h"

#include <exception>
#include <future>

#include "compare/ChangeMarksOf.h"
#include "render/RenderFilter.h"
#include "text/Cp932.h"
#include "ui/FilePaths.h"
#include "ui/Messages.h"

namespace {

// The oldest version whose drawings the window opens.
constexpr int32_t OldestComparedVersion = 420;

}  // namespace

TCompareMode::TCompareMode(std::string oldPath) : Path(std::move(oldPath))
{
    std::string failure;
    auto doc = std::make_unique<TJwwDocument>();
    const bool read = std::async(std::launch::async, [&] {
                          ExtractImages = false;
                          ScanImages = true;
                          bool loaded = false;
                          try {
                              loaded = LoadJww(*doc, Path, &failure);
                          } catch (const std::exception& e) {
                              // A file that cannot be opened.
                              failure = e.what();
                          }
                          ClearTempImageList();
                          return loaded;
                      }).get();
    if (read && doc->Header.Version >= OldestComparedVersion) {
        Old = std::move(doc);
        return;
    }
    Why = Cp932ToUtf8Lossy(MsgCompareOldUnreadable) + "\n" + Path;
    if (!failure.empty())
        Why += "\n" + failure;
}

TChangeMarks TCompareMode::MarksFor(const TJwwDocument& now) const
{
    return ChangeMarksOf(*Old, now);
}

bool TWindowComparison::Begin(const std::string& oldPath, const std::string& loadedFile,
                              std::string& warning)
{
    End();
    auto mode = std::make_unique<TCompareMode>(oldPath);
    if (!mode->Readable()) {
        warning = Utf8ToCp932(mode->Failure());
        return false;
    }
    Mode = std::move(mode);
    ComparedFile = loadedFile;
    return true;
}

std::string TWindowComparison::Title() const
{
    return CompareTitle(Mode->OldPath(), ComparedFile);
}

std::string CompareTitle(const std::string& oldPath, const std::string& newPath)
{
    return FileNamePart(oldPath) + " \u2192 " + FileNamePart(newPath) + " - " +
           Cp932ToUtf8Lossy(Form1Caption);
}

std::array<TLegendEntry, 3> CompareLegend()
{
    return {{{RemovedRgb, LegendRemoved}, {AddedRgb, LegendAdded}, {GreyedRgb, LegendSame}}};
}
