#include "jww/huge_pages.h"

// Windows gives large pages only to a process holding the lock-pages privilege, which a
// desktop program does not have.
void AdviseHugePages(void*, std::size_t) {}
