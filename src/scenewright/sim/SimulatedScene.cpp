#include "SimulatedScene.h"

#include "scenewright/core/IAtmoObject.h"
#include "scenewright/core/SceneDocument.h"
#include "scenewright/core/script/ScriptGenerator.h"

namespace scenewright::sim {

SimulatedScene SimulatedScene::fromDocument(core::SceneDocument& document, const core::script::ScriptOptions& options)
{
    SimulatedScene scene;
    document.nameObjects();
    scene.script = core::script::ScriptGenerator::generate(document.objects(), options);
    scene.localised = options.localise;
    const auto& objects = document.objects();
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

} // namespace scenewright::sim
