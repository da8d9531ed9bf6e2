#include "scenewright/core/InteractionCatalogue.h"

#include "scenewright/core/IdCounter.h"

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

#include <algorithm>

namespace scenewright::core {

using namespace action;

InteractionCatalogue::InteractionCatalogue()
{
    // The prototypes number themselves from a counter of their own, in
    // exactly this order.
    IdCounter ids;
    standardActions_.push_back(std::make_shared<URLpopup>());
    standardActions_.push_back(std::make_shared<ChatPrintMessageAction>());
    standardActions_.push_back(std::make_shared<EmitSoundAction>(ids));
    standardActions_.push_back(std::make_shared<GotoNewWorldAction>());
    standardActions_.push_back(std::make_shared<MovePositionAction>(ids));
    standardActions_.push_back(std::make_shared<ConstantRotationAction>(ids));
    standardActions_.push_back(std::make_shared<OpacityAction>(ids));
    standardActions_.push_back(std::make_shared<ViewpointObjectAction>(ids));
    standardActions_.push_back(std::make_shared<AnimateTextureAction>(ids));

    triggers_.push_back(std::make_shared<OnclickTrigger>(ids));
    triggers_.push_back(std::make_shared<ProximityTrigger>(ids));
    triggers_.push_back(std::make_shared<WorldFirstLoadsTrigger>(ids));
}

const AtmoAction* InteractionCatalogue::findStandardAction(std::string_view className) const
{
    for (const auto& prototype : standardActions_)
        if (prototype->className() == className)
            return prototype.get();
    return nullptr;
}

const AtmoTrigger* InteractionCatalogue::findTrigger(std::string_view className) const
{
    for (const auto& prototype : triggers_)
        if (prototype->className() == className)
            return prototype.get();
    return nullptr;
}

void InteractionCatalogue::addTrigger(TriggerPrototype trigger)
{
    triggers_.push_back(std::move(trigger));
}

void InteractionCatalogue::removeTrigger(const AtmoTrigger* trigger)
{
    auto found = std::find_if(triggers_.begin(), triggers_.end(),
                              [trigger](const TriggerPrototype& listed) { return listed.get() == trigger; });
    if (found != triggers_.end())
        triggers_.erase(found);
}

} // namespace scenewright::core
