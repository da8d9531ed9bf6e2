#include "scenewright/core/ProjectManager.h"

#include "scenewright/core/Actor.h"
#include "scenewright/core/IdsExhausted.h"
#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/Project.h"
#include "scenewright/core/World.h"
#include "scenewright/core/io/FileReader.h"
#include "scenewright/core/io/ProjectFileReader.h"
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
    manager.synchronise_ = false;
}

bool ProjectManager::isCurrentLocalised() const
{
    return currentProject_ && currentProject_->getLocaliseScript();
}

std::shared_ptr<Project> ProjectManager::install(std::string name, bool localiseScript,
                                                 std::vector<std::shared_ptr<IAtmoObject>> objects)
{
    // The state is set before any label is attached: the window's label
    // keeps its colour until the window shows the new project itself.
    auto project = std::make_shared<Project>();
    project->setName(std::move(name));
    project->setLocaliseScript(localiseScript);
    project->setState(Project::STATE_NEW);

    ObjectManager& registry = ObjectManager::getInstance();
    registry.clearObjects();
    for (auto& object : objects)
        registry.addAtmoObject(std::move(object));
    currentProject_ = project;
    return project;
}

std::shared_ptr<Project> ProjectManager::createDefaultProject()
{
    return install("default", false, {std::make_shared<World>(), std::make_shared<Actor>()});
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
    std::optional<std::string> text = io::FileReader::read(path, error);
    if (!text)
        return nullptr;
    // Files of older saves are empty: they open as the default project.
    if (text->empty()) {
        try {
            return createDefaultProject();
        } catch (const IdsExhausted& exhausted) {
            error = path + ": " + exhausted.what();
            return nullptr;
        }
    }

    std::optional<io::LoadedProject> loaded = io::ProjectFileReader::read(*text, path, error);
    if (!loaded)
        return nullptr;
    return install(std::move(loaded->name), loaded->localiseScript, std::move(loaded->objects));
}

} // namespace scenewright::core
