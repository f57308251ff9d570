// The window's compare mode: the drawing it holds shown as what changed since an earlier one,
// whose objects the preview draws in the colours of their changes under a legend, and whose
// name the title carries beside the drawing's. The tables and saves stay the drawing's own.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "jww/jwwunit.h"
#include "render/ChangeMarks.h"

class TCompareMode {
public:
    // Reads the earlier drawing on a thread of its own, whose image state is its own, so that
    // the images of the drawing the window holds stay as they are; nothing is extracted.
    explicit TCompareMode(std::string oldPath);

    const std::string& OldPath() const { return Path; }
    bool Readable() const { return Old != nullptr; }
    // Why the earlier drawing could not be read, in UTF-8, naming it; empty when it was.
    const std::string& Failure() const { return Why; }

    // The marks of the picture of the change to now; only when Readable.
    TChangeMarks MarksFor(const TJwwDocument& now) const;

private:
    std::string Path;
    std::unique_ptr<TJwwDocument> Old;
    std::string Why;
};

// A window's compare mode while it holds the drawing compared; what both front ends share of it.
class TWindowComparison {
public:
    // Compares the drawing the window has just opened from loadedFile with the one at oldPath;
    // false, with the warning to show in code page 932, when that cannot be read. Any earlier
    // comparison ends either way.
    bool Begin(const std::string& oldPath, const std::string& loadedFile, std::string& warning);
    void End() { Mode.reset(); }
    // Whether the window holds the drawing compared, which another drawing opened ends.
    bool Active(const std::string& loadedFile) const { return Mode && ComparedFile == loadedFile; }
    // The window's title in UTF-8 while Active.
    std::string Title() const;
    // The marks of the preview of doc while Active.
    TChangeMarks MarksFor(const TJwwDocument& doc) const { return Mode->MarksFor(doc); }

private:
    std::unique_ptr<TCompareMode> Mode;
    std::string ComparedFile;
};

// "OLD.jww → NEW.jww - " and the window's caption, in UTF-8.
std::string CompareTitle(const std::string& oldPath, const std::string& newPath);

// What the legend of a picture of a change shows: each colour with its text in code page 932.
struct TLegendEntry {
    TRgb Color;
    std::string_view Text;
};
std::array<TLegendEntry, 3> CompareLegend();
