// Applying table edits to a drawing with exactly the rules and limits of the window's save.
#pragma once

#include <string>
#include <vector>

#include "cli/TableEdits.h"
#include "jww/jwwunit.h"

// Fills the window's tables from the drawing, puts each edited text into its cell and lets the
// window's write-back read the tables; then only the fields of edited cells are taken into the
// drawing, so everything not edited stays as loaded. An edited cell passes its column's rule
// even when its text is unchanged, as every cell does in the window's save. The segment count
// is stored only when its text differs from the stored count, and it also decides the pitches:
// a pitch beyond it is stored as 0, and an edited segment count sets every pitch beyond it to 0.
//
// Returns one message, naming the cell, for every edited cell whose stored value is not the
// value its text reads as: a number clamped into its range, a name cut to 256 bytes, a segment
// count raised to even or lowered to 8, a pitch beyond the segment count.
std::vector<std::string> ApplyTableEdits(const std::vector<TCellEdit>& edits, TJwwDocument& doc);
