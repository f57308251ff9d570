#include "cli/Terminal.h"

#include <io.h>

#include <cstdio>
#include <iostream>

bool IsTerminal(const std::ostream& stream)
{
    if (&stream == &std::cout)
        return _isatty(_fileno(stdout)) != 0;
    if (&stream == &std::cerr)
        return _isatty(_fileno(stderr)) != 0;
    return false;
}
