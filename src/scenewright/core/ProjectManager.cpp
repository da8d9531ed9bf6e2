#include "scenewright/core/ProjectManager.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/Project.h"
#include "scenewright/core/World.h"
#include "scenewright/core/io/ProjectFileReader.h"
#include "scenewright/core/script/ScriptFormatter.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

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

std::shared_ptr<Project> ProjectManager::openProject(const std::string& path, std::string& error)
{
    std::ifstream file(path, std::ios::in | std::ios::binary);
    std::string text;
    if (file)
        text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    if (!file && !file.eof()) {
        error = "Cannot open " + path + ": " + std::strerror(errno);
        return nullptr;
    }
    // Files of older saves are empty: they open as the default project.
    if (text.empty())
        return createDefaultProject();

    std::optional<io::LoadedProject> loaded = io::ProjectFileReader::read(text, path, error);
    if (!loaded)
        return nullptr;
    auto project = std::make_shared<Project>();
    project->setName(loaded->name);
    project->setLocaliseScript(loaded->localiseScript);
    project->setState(Project::STATE_NEW);
    ObjectManager& registry = ObjectManager::getInstance();
    registry.clearObjects();
    for (auto& object : loaded->objects)
        registry.addAtmoObject(std::move(object));
    currentProject_ = project;
    return project;
}

} // namespace scenewright::core
