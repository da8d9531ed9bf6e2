#include "GeneratorCommand.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return scenewright::tools::GeneratorCommand::run(arguments, std::cin, std::cout, std::cerr);
}
