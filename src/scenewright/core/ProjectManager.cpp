#include "scenewright/core/ProjectManager.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/Project.h"
#include "scenewright/core/World.h"
#include "scenewright/core/script/ScriptFormatter.h"

namespace scenewright::core {

ProjectManager& ProjectManager::getInstance()
{
    static ProjectManager manager;
    return manager;
}

void ProjectManager::resetForTesting()
{
    ProjectManager& manager = getInstance();
    manager.currentProject_.reset();
    manager.lastDirectoryProjectSave_.reset();
    manager.lastDirectoryScriptSave_.reset();
}

bool ProjectManager::isCurrentLocalised() const
{
    return currentProject_ && currentProject_->getLocaliseScript();
}

std::shared_ptr<Project> ProjectManager::createDefaultProject()
{
    auto project = std::make_shared<Project>();
    project->setName("default");
    // Set directly: the window's label keeps its colour until the window
    // shows the new state itself.
    project->setUpdateLabel(nullptr);
    project->setState(Project::STATE_NEW);

    ObjectManager& registry = ObjectManager::getInstance();
    registry.clearObjects();
    registry.addAtmoObject(std::make_shared<World>());
    registry.addAtmoObject(std::make_shared<Actor>());
    currentProject_ = project;
    return project;
}

std::string ProjectManager::beautifyScript(std::string_view script)
{
    return script::ScriptFormatter::beautify(script);
}

std::string ProjectManager::compressScript(std::string_view script)
{
    return script::ScriptFormatter::compress(script);
}

std::shared_ptr<Project> ProjectManager::openProject(const std::string&)
{
    return createDefaultProject();
}

} // namespace scenewright::core
