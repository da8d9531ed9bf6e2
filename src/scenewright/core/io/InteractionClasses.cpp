#include "scenewright/core/io/InteractionClasses.h"

#include "scenewright/core/action/AnimateTextureAction.h"
#include "scenewright/core/action/ChatPrintMessageAction.h"
#include "scenewright/core/action/ConstantRotationAction.h"
#include "scenewright/core/action/EmitSoundAction.h"
#include "scenewright/core/action/GotoNewWorldAction.h"
#include "scenewright/core/action/MovePositionAction.h"
#include "scenewright/core/action/OnclickTrigger.h"
#include "scenewright/core/action/OpacityAction.h"
#include "scenewright/core/action/ProximityTrigger.h"
#include "scenewright/core/action/URLpopup.h"
#include "scenewright/core/action/ViewpointObjectAction.h"
#include "scenewright/core/action/WorldFirstLoadsTrigger.h"

namespace scenewright::core::io {

using namespace action;

namespace {

template <class Action>
std::shared_ptr<AtmoAction> makeAction(IAtmoObject* owner)
{
    return std::make_shared<Action>(owner);
}

template <class Trigger>
std::shared_ptr<AtmoTrigger> makeTrigger(IAtmoObject* object)
{
    return std::make_shared<Trigger>(object);
}

const std::vector<InteractionClasses::ActionClass>& actionClasses()
{
    static const std::vector<InteractionClasses::ActionClass> classes = {
        {"ConstantRotationAction", makeAction<ConstantRotationAction>, {".revanim"}},
        {"MovePositionAction", makeAction<MovePositionAction>, {"beginanch", "moveanch"}},
        {"AnimateTextureAction", makeAction<AnimateTextureAction>, {"triggerlist"}},
        {"OpacityAction", makeAction<OpacityAction>, {"obj"}},
        {"ChatPrintMessageAction", makeAction<ChatPrintMessageAction>, {}},
        {"EmitSoundAction", makeAction<EmitSoundAction>, {"esnd"}},
        {"GotoNewWorldAction", makeAction<GotoNewWorldAction>, {}},
        {"URLpopup", makeAction<URLpopup>, {}},
        {"ViewpointObjectAction", makeAction<ViewpointObjectAction>, {"vpobj"}},
    };
    return classes;
}

const std::vector<InteractionClasses::TriggerClass>& triggerClasses()
{
    static const std::vector<InteractionClasses::TriggerClass> classes = {
        {"ProximityTrigger", makeTrigger<ProximityTrigger>},
        {"OnclickTrigger", makeTrigger<OnclickTrigger>},
        {"WorldFirstLoadsTrigger", makeTrigger<WorldFirstLoadsTrigger>},
    };
    return classes;
}

} // namespace

const InteractionClasses::ActionClass* InteractionClasses::findAction(std::string_view name)
{
    for (const auto& actionClass : actionClasses())
        if (actionClass.name == name)
            return &actionClass;
    return nullptr;
}

const InteractionClasses::TriggerClass* InteractionClasses::findTrigger(std::string_view name)
{
    for (const auto& triggerClass : triggerClasses())
        if (triggerClass.name == name)
            return &triggerClass;
    return nullptr;
}

} // namespace scenewright::core::io
