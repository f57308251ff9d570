#include <iostream>

#include "cli/CliCommands.h"
#include "cli/TerminationSignals.h"
#include "cli/UserLanguage.h"

int main(int argc, char** argv)
{
    RemoveLeftoversOnTermination();
    return RunZelvaneCli(argc, argv, std::cout, std::cerr, UserLanguage());
}
