#include "GeneratorCommand.h"

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    // The document is kept, not freed: taking apart a large project's many
    // small objects costs a noticeable share of a run, and the process ends
    // here anyway, handing all its memory back at once.
    std::shared_ptr<scenewright::core::SceneDocument> document;
    const int status = scenewright::tools::GeneratorCommand::run(arguments, std::cin, std::cout, std::cerr, &document);
    std::cout.flush();
    std::cerr.flush();
    std::_Exit(status);
}
