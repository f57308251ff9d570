// Large collections that a load fills at once are backed by huge pages where the system allows:
// a drawing of some hundred megabytes taken a small page at a time has the system spend longer
// handing out and clearing pages than the load spends reading the drawing.
#pragma once

#include <cstddef>

// Asks the system to back the whole 2 MB pages inside the untouched memory at p with huge pages
// once they are first written. A no-op for smaller ranges and where the system has no such pages.
void AdviseHugePages(void* p, std::size_t bytes);
