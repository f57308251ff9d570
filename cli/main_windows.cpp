// zelvane-cli on Windows: the arguments arrive as UTF-16 and are handed on as UTF-8, like every
// path inside the program; output is UTF-8 bytes, unchanged.
#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "cli/CliCommands.h"
#include "cli/TerminationSignals.h"
#include "cli/UserLanguage.h"
#include "text/WidePath.h"

int wmain(int argc, wchar_t** argv)
{
    RemoveLeftoversOnTermination();
    std::vector<std::string> arguments;
    arguments.reserve(static_cast<std::size_t>(argc));
    for (int i = 0; i < argc; ++i)
        arguments.push_back(Utf8FromWide(argv[i]));
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments)
        pointers.push_back(argument.c_str());

    // Text mode would write every LF of an export as CR LF; a console shows UTF-8 as such.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    SetConsoleOutputCP(CP_UTF8);
    return RunZelvaneCli(argc, pointers.data(), std::cout, std::cerr, UserLanguage());
}
