// zelvane-cli diff's report of two compared drawings: text that reads like a review, or JSON
// with the same facts for scripts. Drawing text is shown as UTF-8.
#pragma once

#include <ostream>
#include <string>

#include "compare/DrawingComparison.h"

struct TDiffReport {
    std::string OldPath;
    std::string NewPath;
    const TJwwDocument* Old = nullptr;
    const TJwwDocument* New = nullptr;
    const TDrawingComparison* Comparison = nullptr;
    // Whether the files hold the same bytes; asked only of drawings that compare the same.
    bool IdenticalFiles = false;
    // Every object only in one drawing, not only their counts.
    bool ListObjects = false;
};

void WriteDiffText(const TDiffReport& report, std::ostream& out);
void WriteDiffJson(const TDiffReport& report, std::ostream& out);
