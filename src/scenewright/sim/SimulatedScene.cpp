#include "SimulatedScene.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/ProjectManager.h"

#include <algorithm>

namespace scenewright::sim {

SimulatedScene SimulatedScene::fromCurrentProject()
{
    const core::ObjectManager& registry = core::ObjectManager::getInstance();
    SimulatedScene scene;
    // Generating first lets every object declare itself; the names below
    // are then the ones the script uses.
    scene.script = registry.generateAtmoScript();
    scene.localised = core::ProjectManager::getInstance().isCurrentLocalised();
    const auto& objects = registry.getAtmoObjectListData();
    for (std::size_t i = 2; i < objects.size(); ++i) {
        const std::string& type = objects[i]->getType();
        scene.objects.emplace_back(objects[i]->getName(), type);
        // A localised script is meant for the one object it scripts as "this".
        if (scene.localised && scene.attachedTo.empty()
            && (type == core::IAtmoObject::TYPE_PRIMITIVE || type == core::IAtmoObject::TYPE_SOLIDOBJECT
                || type == core::IAtmoObject::TYPE_VIEWPOINT))
            scene.attachedTo = objects[i]->getName();
    }
    return scene;
}

bool SimulatedScene::hasObject(const std::string& name) const
{
    if (name == "world" || name == "actor")
        return true;
    return std::any_of(objects.begin(), objects.end(), [&](const auto& object) { return object.first == name; });
}

} // namespace scenewright::sim
