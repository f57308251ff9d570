// The language of the user's desktop, which zelvane-cli speaks: Japanese where the user asked
// for Japanese, English everywhere else.
#pragma once

#include "cli/CliText.h"

TLanguage UserLanguage();
