#include <iostream>

#include "tools/CliCommands.h"

int main(int argc, char** argv)
{
    return RunZelvaneCli(argc, argv, std::cout, std::cerr);
}
