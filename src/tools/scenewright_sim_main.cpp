#include "SimulatorCommand.h"

#include <QCoreApplication>

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::ios::sync_with_stdio(false);
    std::vector<std::string> arguments(argv + 1, argv + argc);
    // The JavaScript engine wants an application object.
    QCoreApplication application(argc, argv);
    return scenewright::tools::SimulatorCommand::run(arguments, std::cout, std::cerr);
}
