#include "SceneBuilder.h"

#include "scenewright/core/ModelObj.h"
#include "scenewright/core/ObjectManager.h"
#include "scenewright/core/ProjectManager.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/core/action/ConstantRotationAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/OpacityAction.h"
#include "scenewright/core/action/ProximityTrigger.h"

#include <memory>
#include <string>

namespace scenewright::bench {

using namespace core;
using namespace core::action;

void buildScene(int objects)
{
    ProjectManager::getInstance().createDefaultProject();
    ObjectManager& registry = ObjectManager::getInstance();
    for (int i = 0; i < objects; ++i) {
        auto model = std::make_shared<ModelObj>();
        model->setName("model" + std::to_string(i) + ".aer");
        std::shared_ptr<AtmoAction> actions[] = {std::make_shared<ConstantRotationAction>(model.get()),
                                                 std::make_shared<OpacityAction>(model.get()),
                                                 std::make_shared<ChatPrintMessageAction>(model.get())};
        auto chat = std::static_pointer_cast<ChatPrintMessageAction>(actions[2]);
        chat->message = "Welcome to model " + std::to_string(i);
        std::shared_ptr<AtmoTrigger> triggers[] = {std::make_shared<OnclickTrigger>(model.get()),
                                                   std::make_shared<ProximityTrigger>(model.get())};
        triggers[1]->usesSynch = false;
        for (auto& action : actions) {
            action->setActive(true);
            model->addAtmoAction(action);
        }
        for (auto& trigger : triggers) {
            trigger->setActive(true);
            for (auto& action : actions)
                trigger->addAction(action);
            model->addAtmoTrigger(trigger);
        }
        registry.addAtmoObject(model);
    }
}

} // namespace scenewright::bench
