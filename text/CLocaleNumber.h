// Reading a number the way the C locale writes it, whatever locale the process runs in.
#pragma once

#include <string>

// strtod in the C locale.
double StrToDoubleInCLocale(const std::string& text);
