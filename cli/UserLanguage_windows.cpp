#include "cli/UserLanguage.h"

#include <windows.h>

TLanguage UserLanguage()
{
    // The language the user chose for Windows itself to speak, which a Japanese Windows has
    // whatever the region and formats are set to.
    return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? TLanguage::Japanese
                                                                      : TLanguage::English;
}
