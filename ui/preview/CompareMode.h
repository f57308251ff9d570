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

// "OLD.jww → NEW.jww - " and the window's caption, in UTF-8.
std::string CompareTitle(const std::string& oldPath, const std::string& newPath);

// What the legend of a picture of a change shows: each colour with its text in code page 932.
struct TLegendEntry {
    TRgb Color;
    std::string_view Text;
};
std::array<TLegendEntry, 3> CompareLegend();
