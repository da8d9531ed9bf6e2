#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/ProjectManager.h"

#include <iostream>

// Prints the generated script of a new default project.
int main()
{
    using namespace scenewright::core;
    ProjectManager::getInstance().createDefaultProject();
    std::cout << ObjectManager::getInstance().generateAtmoScript();
    return 0;
}
