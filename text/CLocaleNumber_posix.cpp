#include <clocale>
#include <cstdlib>
#include <locale.h>

#include "text/CLocaleNumber.h"

double StrToDoubleInCLocale(const std::string& text)
{
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    return strtod_l(text.c_str(), nullptr, cLocale);
}
