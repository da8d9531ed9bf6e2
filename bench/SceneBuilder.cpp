#include "SceneBuilder.h"

#include "scenewright/core/IdCounter.h"
#include "scenewright/core/ModelObj.h"
#include "scenewright/core/SceneDocument.h"
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

std::shared_ptr<core::SceneDocument> buildScene(core::IdCounter& ids, int objects)
{
    auto document = core::SceneDocument::createDefault(ids);
    core::SceneDocument& registry = *document;
    for (int i = 0; i < objects; ++i) {
        auto model = std::make_shared<ModelObj>();
        model->setName("model" + std::to_string(i) + ".aer");
        std::shared_ptr<AtmoAction> actions[] = {std::make_shared<ConstantRotationAction>(ids, model.get()),
                                                 std::make_shared<OpacityAction>(ids, model.get()),
                                                 std::make_shared<ChatPrintMessageAction>(model.get())};
        auto chat = std::static_pointer_cast<ChatPrintMessageAction>(actions[2]);
        chat->message = "Welcome to model " + std::to_string(i);
        std::shared_ptr<AtmoTrigger> triggers[] = {std::make_shared<OnclickTrigger>(ids, model.get()),
                                                   std::make_shared<ProximityTrigger>(ids, model.get())};
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
        registry.appendObject(model);
    }
    document->nameObjects();
    return document;
}

} // namespace scenewright::bench
