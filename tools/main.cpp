#include <iostream>

#include "tools/CliCommands.h"
#include "tools/TerminationSignals.h"

int main(int argc, char** argv)
{
    RemoveLeftoversOnTermination();
    return RunZelvaneCli(argc, argv, std::cout, std::cerr);
}
