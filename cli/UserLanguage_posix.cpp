#include "cli/UserLanguage.h"

#include <cstdlib>
#include <string_view>

TLanguage UserLanguage()
{
    // The first of these that is set and not empty names the language of messages, as every
    // program's messages follow it.
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0')
            return std::string_view(value).starts_with("ja") ? TLanguage::Japanese
                                                             : TLanguage::English;
    }
    return TLanguage::English;
}
