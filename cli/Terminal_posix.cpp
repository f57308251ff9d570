#include "cli/Terminal.h"

#include <unistd.h>

#include <iostream>

bool IsTerminal(const std::ostream& stream)
{
    if (&stream == &std::cout)
        return ::isatty(STDOUT_FILENO) == 1;
    if (&stream == &std::cerr)
        return ::isatty(STDERR_FILENO) == 1;
    return false;
}
