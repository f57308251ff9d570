// Keeping CSV cells from being run as formulas by a spreadsheet that opens the file: a cell
// whose text starts with =, +, -, @, a tab or a carriage return is one that spreadsheets
// execute, and a leading apostrophe makes them show it as text instead.
#pragma once

#include <string>
#include <string_view>

// The cell as a CSV file holds it: with an apostrophe in front when a spreadsheet would take
// it for a formula. Plain numbers such as -1 stay as they are, as they are no formulas. A text
// that starts with apostrophes before such a character gets one more, so that UnguardedCell
// gives every text back exactly.
std::string GuardedCell(std::string_view text);

// The text of a guarded cell: one leading apostrophe is taken off where GuardedCell put it.
std::string_view UnguardedCell(std::string_view cell);
