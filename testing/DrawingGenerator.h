// Writes synthetic drawings for benchmarks, fuzz seeds and round-trip tests: every object kind,
// block definitions with nested lists, Japanese and dirty texts, dimensions and images, in the
// mix of a real drawing, the same bytes for the same options on every machine.
#pragma once

#include <cstdint>

#include "jww/jwwunit.h"

struct TGeneratorOptions {
    // The format version of the drawing; 420 or later.
    int32_t Version = 700;
    // The approximate size of the saved file in bytes; 0 asks for a small drawing that still
    // holds every kind of object.
    uint64_t TargetBytes = 0;
    uint32_t Seed = 1;
    // Embedded images, only for version 700 or later.
    bool Images = true;
};

// Fills doc with a new drawing; the document is cleared first. Every attribute is one that the
// writers keep, so a save of the loaded file reproduces the file byte for byte; only a few
// texts carry control characters on purpose, which the first save already cleans.
//
// With images (version 700 or later and options.Images) the drawing's image files are written
// into TempImageFolder, which the caller must have set to an existing folder ending in a path
// separator; TempImageList and TempImageCount then describe them, and ExtractImages is switched
// on so that a save embeds them. The temp image list is emptied in every case.
//
// Raises std::invalid_argument for a version below 420 or images without a TempImageFolder,
// and std::runtime_error when an image file cannot be written.
void GenerateDrawing(TJwwDocument& doc, const TGeneratorOptions& options);

// A drawing of a few kilobytes whose insertions would expand without bound: definition k holds
// fanOut insertions of definition k + 1 side by side, the last of depth definitions one line,
// and the main list inserts definition 0 once. Raises std::invalid_argument for a version below
// 420, a fan-out below 1 or a depth below 1.
void GenerateNestedDrawing(TJwwDocument& doc, int32_t version, int32_t fanOut, int32_t depth);
