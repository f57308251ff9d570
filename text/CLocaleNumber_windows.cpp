#include <cstdlib>
#include <locale.h>

#include "text/CLocaleNumber.h"

double StrToDoubleInCLocale(const std::string& text)
{
    static const _locale_t cLocale = _create_locale(LC_ALL, "C");
    return _strtod_l(text.c_str(), nullptr, cLocale);
}
