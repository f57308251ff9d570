// Two drawings compared as a save writes each of them: a difference that a save normalises
// away (attribute corrections, cleaned texts, rebuilt header values, class numbering, unused
// images) is none, and objects, which have no identity, are compared as collections of records.
#pragma once

#include <vector>

#include "compare/BlockComparison.h"
#include "compare/HeaderComparison.h"
#include "compare/ImageComparison.h"
#include "compare/ObjectChanges.h"
#include "compare/ObjectRecords.h"
#include "jww/jwwunit.h"

// One drawing, prepared for comparing: its objects as a save writes them and the images a save
// would embed.
struct TComparedDrawing {
    const TJwwDocument* Doc = nullptr;
    bool WholeDrawing = false;  // false: the header alone
    TObjectRecords Objects;
    std::vector<TComparedImage> Images;
};

// Prepares a loaded drawing, in the thread that loaded it, since its images are found in that
// thread's temp image state. With headerOnly the objects and images are left out.
TComparedDrawing PrepareComparison(const TJwwDocument& doc, bool headerOnly);

struct TDrawingComparison {
    int32_t OldVersion = 0;
    int32_t NewVersion = 0;
    TStringForm OldStringForm = TStringForm::Byte;
    TStringForm NewStringForm = TStringForm::Byte;
    THeaderComparison Header;
    // Whether the objects, block definitions and images were compared too.
    bool WholeDrawings = false;
    TObjectChanges Objects;
    std::vector<TBlockChange> Blocks;
    std::vector<TImageChange> Images;

    bool FormatDiffers() const
    {
        return OldVersion != NewVersion || OldStringForm != NewStringForm;
    }
    bool Same() const
    {
        return !FormatDiffers() && !Header.Any() && !Objects.Any() && Blocks.empty() &&
               Images.empty();
    }
};

// Compares two prepared drawings; the objects, block definitions and images only when both were
// prepared with them. Raises EJwwIOError when a temp image cannot be read.
TDrawingComparison CompareDrawings(const TComparedDrawing& old, const TComparedDrawing& now);
