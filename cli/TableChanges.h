// What table edits change in a drawing, cell by cell, as the window would show it.
#pragma once

#include <string>
#include <vector>

#include "tables/WindowTables.h"

// One line for every cell whose text differs, in table, row and column order, such as
// layers No. 5, レイヤ名: "A" -> "B" (UTF-8).
std::vector<std::string> TableChanges(const TWindowTables& before, const TWindowTables& after);
