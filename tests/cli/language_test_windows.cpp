#include <gtest/gtest.h>

#include <cstdlib>
#include <string_view>

#include "cli/UserLanguage.h"

TEST(UserLanguage, FollowsTheLanguageOfTheDesktop)
{
    // Wine gives Windows the user interface language of the Unix locale it runs in and hands
    // the locale's variables on; a Windows of its own has none of them to compare with.
    const char* locale = nullptr;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = std::getenv(variable); !locale && value && *value)
            locale = value;
    if (locale == nullptr)
        GTEST_SKIP() << "no locale to compare with outside Wine";
    EXPECT_EQ(UserLanguage(),
              std::string_view(locale).starts_with("ja") ? TLanguage::Japanese : TLanguage::English)
        << locale;
}
