// The drawings a batch subcommand works on, and where the result of each one goes.
#pragma once

#include <string>
#include <vector>

struct TBatchDrawing {
    std::string Input;
    std::string Output;
    // Why the drawing is not worked on at all, starting with its path; empty when it is.
    std::string Refusal;
    // Where Output lies within the output folder: its subfolder and name.
    std::string Place;
};

struct TBatchDrawings {
    std::vector<TBatchDrawing> Drawings;
    // Folders that hold no drawing, told to the user and otherwise ignored.
    std::vector<std::string> EmptyFolders;
};

// The drawings named: a file as it is given, a folder walked through its subfolders for files
// whose names end in .jww in any letter case, in the order of their paths. The output folder is
// never walked, so that the results of an earlier run are not taken as drawings. Each result
// goes to outDir under the drawing's own name, with suffix put before its extension, and a
// drawing found in a subfolder of a folder walked goes to the same subfolder of outDir. A
// drawing whose output another drawing before it has already is refused; so is a folder that
// cannot be walked.
TBatchDrawings FindBatchDrawings(const std::vector<std::string>& named, const std::string& outDir,
                                 const std::string& suffix);
